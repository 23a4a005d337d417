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
// own while the scan names the changed bytes. The same thread writes each
// change once its copy has passed it: the copy never overwrites a change,
// and the file's writes never wait on one another. Changes wait in a
// bounded queue: a scan far ahead of the copy waits for it.
class CopyAndPatch : public PatchSink {
public:
    CopyAndPatch(TemporaryOutput& output, std::uint64_t size);
    ~CopyAndPatch() override;
    CopyAndPatch(const CopyAndPatch&) = delete;
    CopyAndPatch& operator=(const CopyAndPatch&) = delete;

    void patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    // Rethrows a failure of the copy.
    void check();
    // Bytes the system has copied so far.
    std::uint64_t copied();
    // Waits for the copy's next step; false once the copy has ended.
    bool waitForCopy();
    // No more changes: waits until the copy and every change are written.
    void finish();

private:
    struct Change {
        std::uint64_t offset;
        std::size_t length;
        std::array<std::uint8_t, 8> bytes;
    };

    void copyAll(std::uint64_t size);
    void writePassed(std::uint64_t copied);

    TemporaryOutput& output_;
    std::deque<Change> changes_;
    std::mutex mutex_;
    std::condition_variable progressed_;
    std::uint64_t copied_ = 0;
    bool stop_ = false;
    bool copyDone_ = false;
    bool scanDone_ = false;
    bool allWritten_ = false;
    std::exception_ptr copyError_;
    std::thread copier_;
};

}  // namespace morvane::pulldown
