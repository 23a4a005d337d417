#include "pulldown/patched_copy.h"

#include <algorithm>
#include <stdexcept>

#include "pulldown/mpeg2_syntax.h"

namespace morvane::pulldown {
namespace {

// About 2 MiB in all, enough for the writing never to wait on the scan; and
// room for a header split over many small pieces (a start code prefix may
// reach two bytes further back).
std::size_t ringPieces(std::size_t pieceBytes) {
    constexpr std::size_t kRingBytes = 2 << 20;
    constexpr std::size_t kFewestPieces = 4;
    return std::max({kFewestPieces, kRingBytes / pieceBytes, (mpeg2::kLongestHeaderBytes + 2) / pieceBytes + 3});
}

}  // namespace

PatchedCopy::PatchedCopy(TemporaryOutput& output, std::size_t pieceBytes)
    : output_(output),
      pieceBytes_(pieceBytes),
      ring_(ringPieces(pieceBytes), std::vector<std::uint8_t>(pieceBytes)),
      sizes_(ring_.size()),
      batch_(std::max<std::size_t>(1, ring_.size() / 4)),
      writer_([this] { writeReleased(); }) {}

PatchedCopy::~PatchedCopy() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

void PatchedCopy::writeReleased() {
    for (;;) {
        std::uint64_t piece = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || released_ - written_ >= batch_ || (hurry_ && written_ < released_); });
            if (stop_) return;
            piece = written_;
        }
        const std::size_t slot = piece % ring_.size();
        const std::size_t size = sizes_[slot];
        try {
            output_.write(piece * pieceBytes_, {ring_[slot].data(), size});
        } catch (...) {
            std::lock_guard lock(mutex_);
            failure_ = std::current_exception();
            changed_.notify_all();
            return;
        }
        std::lock_guard lock(mutex_);
        ++written_;
        writtenBytes_ += size;
        if (hurry_ && scanMayGoOn()) changed_.notify_all();
    }
}

bool PatchedCopy::scanMayGoOn() const { return filled_ - written_ <= ring_.size() / 2 || written_ == released_; }

void PatchedCopy::throwIfFailed() {
    if (failure_) std::rethrow_exception(failure_);
}

std::span<std::uint8_t> PatchedCopy::room() {
    std::unique_lock lock(mutex_);
    if (filled_ - written_ == ring_.size()) {
        // The threads wake each other seldom: the writer empties half the
        // ring before the scan goes on, and otherwise writes in batches.
        hurry_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return failure_ || scanMayGoOn(); });
        hurry_ = false;
    }
    throwIfFailed();
    return ring_[filled_ % ring_.size()];
}

void PatchedCopy::filled(std::size_t size) {
    std::lock_guard lock(mutex_);
    sizes_[filled_ % ring_.size()] = size;
    ++filled_;
}

std::uint8_t& PatchedCopy::byteAt(std::uint64_t offset) {
    const std::uint64_t piece = offset / pieceBytes_;
    // Only the scan's thread moves these two counts.
    if (piece < released_ || piece >= filled_) throw std::logic_error("a change outside the pieces still held");
    return ring_[piece % ring_.size()][offset % pieceBytes_];
}

void PatchedCopy::patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) byteAt(offset++) = b;
}

void PatchedCopy::settledBefore(std::uint64_t offset) {
    {
        std::lock_guard lock(mutex_);
        released_ = std::max(released_, std::min(filled_, offset / pieceBytes_));
        throwIfFailed();
        if (released_ - written_ < batch_) return;
    }
    changed_.notify_all();
}

std::uint64_t PatchedCopy::written() {
    std::lock_guard lock(mutex_);
    return writtenBytes_;
}

void PatchedCopy::finish() {
    {
        std::lock_guard lock(mutex_);
        released_ = filled_;
        hurry_ = true;
    }
    changed_.notify_all();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || written_ == filled_; });
    throwIfFailed();
}

}  // namespace morvane::pulldown
