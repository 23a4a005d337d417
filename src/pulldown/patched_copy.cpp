#include "pulldown/patched_copy.h"

#include <algorithm>
#include <stdexcept>

#include "pulldown/mpeg2_syntax.h"

namespace morvane::pulldown {
namespace {

// About 2 MiB in all, enough for the writing never to wait on the scan, in
// few enough pieces that tiny ones cost no more; and room for a header split
// over many small pieces (a start code prefix may reach two bytes further).
std::size_t ringPieces(std::size_t pieceBytes) {
    constexpr std::size_t kRingBytes = 2 << 20;
    constexpr std::size_t kFewestPieces = 4;
    constexpr std::size_t kMostPieces = 64;
    const std::size_t forHeaders = (mpeg2::kLongestHeaderBytes + 2) / pieceBytes + 3;
    return std::max({kFewestPieces, std::min(kMostPieces, kRingBytes / pieceBytes), forHeaders});
}

}  // namespace

PatchedCopy::PatchedCopy(TemporaryOutput& output, std::size_t pieceBytes)
    : output_(output),
      pieceBytes_(pieceBytes),
      pieces_(ringPieces(pieceBytes)),
      ring_(pieces_, std::vector<std::uint8_t>(pieceBytes)),
      batch_(std::max<std::size_t>(1, pieces_ / 4)),
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
        std::size_t size = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || released_ - written_ >= batch_ || (hurry_ && written_ < released_); });
            if (stop_) return;
            piece = written_;
            size = static_cast<std::size_t>(std::min<std::uint64_t>(pieceBytes_, filledBytes_ - piece * pieceBytes_));
        }
        try {
            output_.write(piece * pieceBytes_, slot(piece).first(size));
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

bool PatchedCopy::scanMayGoOn() const { return filled_ - written_ <= pieces_ / 2 || written_ == released_; }

std::span<std::uint8_t> PatchedCopy::slot(std::uint64_t piece) {
    return ring_[piece % pieces_];
}

void PatchedCopy::throwIfFailed() {
    if (failure_) std::rethrow_exception(failure_);
}

std::span<std::uint8_t> PatchedCopy::room() {
    std::unique_lock lock(mutex_);
    if (filled_ - written_ == pieces_) {
        // The threads wake each other seldom: the writer empties half the
        // ring before the scan goes on, and otherwise writes in batches.
        hurry_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return failure_ || scanMayGoOn(); });
        hurry_ = false;
    }
    throwIfFailed();
    return slot(filled_);
}

void PatchedCopy::filled(std::size_t size) {
    std::lock_guard lock(mutex_);
    ++filled_;
    filledBytes_ += size;
}

std::uint8_t& PatchedCopy::byteAt(std::uint64_t offset) {
    const std::uint64_t piece = offset / pieceBytes_;
    // Only the scan's thread moves these two counts.
    if (piece < released_ || piece >= filled_) throw std::logic_error("a change outside the pieces still held");
    return slot(piece)[offset % pieceBytes_];
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
