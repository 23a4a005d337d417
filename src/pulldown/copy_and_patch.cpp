#include "pulldown/copy_and_patch.h"

#include <algorithm>
#include <cstring>

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
            std::lock_guard lock(mutex_);
            copied_ = offset;
            progressed_.notify_all();
        }
    } catch (...) {
        std::lock_guard lock(mutex_);
        copyError_ = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    copyDone_ = true;
    progressed_.notify_all();
}

void CopyAndPatch::patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    Change change{offset, bytes.size(), {}};
    std::memcpy(change.bytes.data(), bytes.data(), std::min(bytes.size(), change.bytes.size()));
    changes_.push_back(change);
    if (changes_.size() < kMostWaitingChanges) return;
    std::uint64_t copied;
    {
        std::unique_lock lock(mutex_);
        std::uint64_t needed = changes_.front().offset + changes_.front().length;
        progressed_.wait(lock, [&] { return copied_ >= needed || copyDone_; });
        if (copyError_) std::rethrow_exception(copyError_);
        copied = copied_;
    }
    writeUpTo(copied);
}

void CopyAndPatch::writeReady() {
    std::uint64_t copied;
    {
        std::lock_guard lock(mutex_);
        if (copyError_) std::rethrow_exception(copyError_);
        copied = copied_;
    }
    writeUpTo(copied);
}

std::uint64_t CopyAndPatch::copied() {
    std::lock_guard lock(mutex_);
    return copied_;
}

bool CopyAndPatch::writeAsCopied() {
    std::uint64_t copied;
    bool done;
    {
        std::unique_lock lock(mutex_);
        std::uint64_t before = copied_;
        progressed_.wait(lock, [&] { return copied_ != before || copyDone_; });
        if (copyError_) std::rethrow_exception(copyError_);
        copied = copied_;
        done = copyDone_;
    }
    writeUpTo(copied);
    return !done;
}

void CopyAndPatch::finish() {
    {
        std::unique_lock lock(mutex_);
        progressed_.wait(lock, [&] { return copyDone_; });
        if (copyError_) std::rethrow_exception(copyError_);
    }
    writeUpTo(UINT64_MAX);
}

void CopyAndPatch::writeUpTo(std::uint64_t copied) {
    while (!changes_.empty() && changes_.front().offset + changes_.front().length <= copied) {
        const Change& c = changes_.front();
        output_.write(c.offset, {c.bytes.data(), c.length});
        changes_.pop_front();
    }
}

}  // namespace morvane::pulldown
