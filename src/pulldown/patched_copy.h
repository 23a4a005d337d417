#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "pulldown/pulldown_engine.h"
#include "pulldown/stream_files.h"

namespace morvane::pulldown {

// The input passes through a ring of pieces in memory. The scan reads a piece
// and names its changes, which land in the pieces still held; a thread of its
// own writes each piece once no change can fall in it any more. So reading
// and scanning one piece overlaps the writing of the ones before, each byte
// is copied once in and once out, as a plain copy does, and memory stays at
// the ring's size.
class PatchedCopy : public PatchSink {
public:
    PatchedCopy(TemporaryOutput& output, std::size_t pieceBytes);
    ~PatchedCopy() override;
    PatchedCopy(const PatchedCopy&) = delete;
    PatchedCopy& operator=(const PatchedCopy&) = delete;

    // Room for the stream's next piece; waits while every piece is held or
    // still to be written. Rethrows a failure of the writing.
    std::span<std::uint8_t> room();
    // The room holds the stream's next `size` bytes: a whole piece, or less
    // at the stream's end.
    void filled(std::size_t size);
    void patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    // No change will fall before `offset`: the pieces wholly before it go.
    void settledBefore(std::uint64_t offset);
    [[nodiscard]] std::uint64_t written();
    // Writes what is held and waits until it is written.
    void finish();

private:
    void writeReleased();
    [[nodiscard]] bool scanMayGoOn() const;
    // Where the piece of this number is held.
    std::span<std::uint8_t> slot(std::uint64_t piece);
    std::uint8_t& byteAt(std::uint64_t offset);
    void throwIfFailed();

    TemporaryOutput& output_;
    const std::size_t pieceBytes_;
    const std::size_t pieces_;
    std::vector<std::vector<std::uint8_t>> ring_;
    std::mutex mutex_;
    std::condition_variable changed_;
    // Counted in pieces from the stream's start; each piece sits in the
    // ring's slot (number % pieces_). filled_ >= released_ >= written_.
    std::uint64_t filled_ = 0;
    std::uint64_t filledBytes_ = 0;
    std::uint64_t released_ = 0;
    std::uint64_t written_ = 0;
    std::uint64_t writtenBytes_ = 0;
    const std::size_t batch_;
    // The scan waits on the writer: write every piece released.
    bool hurry_ = false;
    bool stop_ = false;
    std::exception_ptr failure_;
    std::thread writer_;
};

}  // namespace morvane::pulldown
