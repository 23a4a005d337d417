#include "pulldown/copy_and_patch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morvane::pulldown {
namespace {

// Large enough that the system copies at full speed, small enough that the
// changes are written while it copies, not all at its end.
constexpr std::uint64_t kCopyStepBytes = std::uint64_t{16} << 20;
// About 1.5 MiB of changes at most.
constexpr std::size_t kMostWaitingChanges = std::size_t{1} << 16;

}  // namespace

CopyAndPatch::CopyAndPatch(TemporaryOutput& output, std::uint64_t size)
    : output_(output), copier_([this, size] { copyAll(size); }) {}

CopyAndPatch::~CopyAndPatch() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    progressed_.notify_all();
    copier_.join();
}

void CopyAndPatch::copyAll(std::uint64_t size) {
    try {
        for (std::uint64_t offset = 0; offset < size;) {
            {
                std::lock_guard lock(mutex_);
                if (stop_) return;
            }
            std::uint64_t length = std::min(kCopyStepBytes, size - offset);
            output_.copy(offset, length);
            offset += length;
            {
                std::lock_guard lock(mutex_);
                copied_ = offset;
            }
            progressed_.notify_all();
            writePassed(offset);
        }
        {
            std::lock_guard lock(mutex_);
            copyDone_ = true;
        }
        progressed_.notify_all();
        // The changes the scan names after the copy has ended.
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                progressed_.wait(lock, [&] { return stop_ || scanDone_ || !changes_.empty(); });
                if (stop_) return;
                if (scanDone_ && changes_.empty()) break;
            }
            writePassed(UINT64_MAX);
        }
    } catch (...) {
        std::lock_guard lock(mutex_);
        copyError_ = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        copyDone_ = true;
        allWritten_ = true;
    }
    progressed_.notify_all();
}

void CopyAndPatch::writePassed(std::uint64_t copied) {
    std::vector<Change> ready;
    {
        std::lock_guard lock(mutex_);
        while (!changes_.empty() && changes_.front().offset + changes_.front().length <= copied) {
            ready.push_back(changes_.front());
            changes_.pop_front();
        }
    }
    if (ready.empty()) return;
    progressed_.notify_all();
    for (const Change& c : ready) output_.write(c.offset, {c.bytes.data(), c.length});
}

void CopyAndPatch::patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    Change change{offset, bytes.size(), {}};
    std::memcpy(change.bytes.data(), bytes.data(), std::min(bytes.size(), change.bytes.size()));
    {
        std::unique_lock lock(mutex_);
        progressed_.wait(lock, [&] { return changes_.size() < kMostWaitingChanges || copyError_ || copyDone_; });
        if (copyError_) std::rethrow_exception(copyError_);
        changes_.push_back(change);
    }
    progressed_.notify_all();
}

void CopyAndPatch::check() {
    std::lock_guard lock(mutex_);
    if (copyError_) std::rethrow_exception(copyError_);
}

std::uint64_t CopyAndPatch::copied() {
    std::lock_guard lock(mutex_);
    return copied_;
}

bool CopyAndPatch::waitForCopy() {
    std::unique_lock lock(mutex_);
    std::uint64_t before = copied_;
    progressed_.wait(lock, [&] { return copied_ != before || copyDone_; });
    if (copyError_) std::rethrow_exception(copyError_);
    return !copyDone_;
}

void CopyAndPatch::finish() {
    {
        std::lock_guard lock(mutex_);
        scanDone_ = true;
    }
    progressed_.notify_all();
    std::unique_lock lock(mutex_);
    progressed_.wait(lock, [&] { return allWritten_; });
    if (copyError_) std::rethrow_exception(copyError_);
}

}  // namespace morvane::pulldown
