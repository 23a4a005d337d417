#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "pulldown/pulldown_engine.h"
#include "pulldown/stream_files.h"

namespace morvane::pulldown {

// The system copies the input into the temporary file on a thread of its
// own while the scan names the changed bytes; each change is written once
// the copy has passed it, so the copy never overwrites one. Changes wait in
// a bounded queue: a scan far ahead of the copy waits for it.
class CopyAndPatch : public PatchSink {
public:
    CopyAndPatch(TemporaryOutput& output, std::uint64_t size);
    ~CopyAndPatch() override;
    CopyAndPatch(const CopyAndPatch&) = delete;
    CopyAndPatch& operator=(const CopyAndPatch&) = delete;

    void patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    // Writes the changes the copy has passed; rethrows a failure of the copy.
    void writeReady();
    // Bytes the system has copied so far.
    std::uint64_t copied();
    // Waits for the copy's next step, then writes the changes it passed;
    // false once the copy has ended.
    bool writeAsCopied();
    // Waits for the whole copy, then writes every change left.
    void finish();

private:
    struct Change {
        std::uint64_t offset;
        std::size_t length;
        std::array<std::uint8_t, 8> bytes;
    };

    void copyAll(std::uint64_t size);
    void writeUpTo(std::uint64_t copied);

    TemporaryOutput& output_;
    std::deque<Change> changes_;
    std::mutex mutex_;
    std::condition_variable progressed_;
    std::uint64_t copied_ = 0;
    bool stop_ = false;
    bool copyDone_ = false;
    std::exception_ptr copyError_;
    std::thread copier_;
};

}  // namespace morvane::pulldown
