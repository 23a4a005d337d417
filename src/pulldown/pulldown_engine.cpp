#include "pulldown/pulldown_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "pulldown/cadence.h"
#include "pulldown/mpeg2_syntax.h"
#include "pulldown/start_code_search.h"

namespace morvane::pulldown {
namespace {

using namespace mpeg2;

std::uint8_t extensionId(const std::uint8_t* header) { return header[4] >> 4; }

// Bytes of the header at `h` this program needs, of which `have` are known.
std::size_t headerBytes(const std::uint8_t* h, std::size_t have) {
    if (have < kStartCodeBytes) return kStartCodeBytes;
    switch (h[3]) {
    case kSequenceHeader: return kSequenceHeaderBytes;
    case kGroupStart: return kGroupHeaderBytes;
    case kPictureStart: return kPictureHeaderBytes;
    case kExtensionStart:
        if (have < kExtensionIdBytes) return kExtensionIdBytes;
        if (extensionId(h) == kSequenceExtensionId) return kSequenceExtensionBytes;
        if (extensionId(h) == kPictureCodingExtensionId) return kPictureCodingExtensionBytes;
        return kExtensionIdBytes;
    default: return kStartCodeBytes;
    }
}

std::string rateText(double picturesPerSecond) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", picturesPerSecond);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

double picturesPerSecond(std::uint8_t rateCode) {
    constexpr double kRates[] = {0, 24000.0 / 1001, 24, 25, 30000.0 / 1001, 30, 50, 60000.0 / 1001, 60};
    return rateCode < std::size(kRates) ? kRates[rateCode] : 0;
}

[[noreturn]] void refuseRate(double rate) {
    std::string what = rate > 0 ? "at " + rateText(rate) + " pictures a second" : "at a frame rate MPEG-2 does not define";
    throw StreamRefused(Refusal::rate, "is an MPEG-2 video stream " + what +
                                           "; soft pulldown turns only 23.976 and 24 into 29.97 and 30");
}

[[noreturn]] void refuse(Refusal kind) {
    switch (kind) {
    case Refusal::programStream:
        throw StreamRefused(kind, "is an MPEG program stream, not an MPEG-2 video elementary stream");
    case Refusal::transportStream:
        throw StreamRefused(kind, "is an MPEG transport stream, not an MPEG-2 video elementary stream");
    case Refusal::mpeg1:
    default: throw StreamRefused(kind, "is an MPEG-1 video stream; soft pulldown needs MPEG-2 video");
    }
}

bool isSlice(std::uint8_t code) { return code >= 0x01 && code <= kLastSliceStart; }

}  // namespace

PulldownEngine::PulldownEngine(Options options, PatchSink& sink) : options_(options), sink_(sink) {}

void PulldownEngine::scan(std::span<const std::uint8_t> data) {
    if (data.empty()) return;
    for (std::size_t k = 0; k < syncBytes_.size(); ++k) {
        std::uint64_t at = k * kTransportPacketBytes;
        if (at >= scanned_ && at - scanned_ < data.size()) syncBytes_[k] = data[at - scanned_];
    }
    const std::uint8_t* bytes = data.data();
    std::size_t size = data.size();
    std::size_t pos = 0;

    // A start code prefix split between the previous piece and this one.
    std::optional<std::uint64_t> splitPrefix;
    if (!pending_ && trailingZeros_ >= 2 && bytes[0] == 0x01)
        splitPrefix = scanned_ - 2;
    else if (!pending_ && trailingZeros_ >= 1 && size >= 2 && bytes[0] == 0x00 && bytes[1] == 0x01)
        splitPrefix = scanned_ - 1;
    if (splitPrefix) {
        pending_ = Pending{{0x00, 0x00, 0x01}, 3, *splitPrefix};
        pos = static_cast<std::size_t>(*splitPrefix + 3 - scanned_);
    }
    if (pending_) pos += completePending(data.subspan(pos));

    while (!pending_ && pos < size) {
        std::size_t at = findStartCode(bytes, size, pos);
        if (at == size) break;
        startCode(bytes + at, size - at, scanned_ + at);
        pos = at + 3;
    }

    std::size_t zeros = 0;
    while (zeros < 2 && zeros < size && bytes[size - 1 - zeros] == 0x00) ++zeros;
    trailingZeros_ = zeros == size ? std::min<std::size_t>(2, trailingZeros_ + zeros) : zeros;
    scanned_ += size;
}

// A header still incomplete, or a start code prefix the next piece may end.
std::uint64_t PulldownEngine::settled() const { return pending_ ? pending_->offset : scanned_ - trailingZeros_; }

std::size_t PulldownEngine::completePending(std::span<const std::uint8_t> data) {
    std::size_t used = 0;
    for (;;) {
        Pending& p = *pending_;
        if (p.have >= headerBytes(p.bytes.data(), p.have)) {
            Pending whole = p;
            pending_.reset();
            onHeader(whole.bytes.data(), whole.offset);
            return used;
        }
        if (used == data.size()) return used;
        p.bytes[p.have++] = data[used++];
    }
}

void PulldownEngine::startCode(const std::uint8_t* header, std::size_t available, std::uint64_t offset) {
    if (headerBytes(header, available) > available) {
        Pending p;
        std::memcpy(p.bytes.data(), header, available);
        p.have = available;
        p.offset = offset;
        pending_ = p;
        return;
    }
    onHeader(header, offset);
}

// A sync byte at the start of each of the first three packets.
bool PulldownEngine::looksLikeTransport() const {
    return std::all_of(syncBytes_.begin(), syncBytes_.end(), [](auto b) { return b == kTransportSync; });
}

void PulldownEngine::onFirstStartCode(std::uint8_t code) {
    if (looksLikeTransport()) refuse(Refusal::transportStream);
    if (code == kPackStart || code == kSystemHeader) refuse(Refusal::programStream);
    if (code != kSequenceHeader)
        throw StreamRefused(Refusal::notVideoElementary,
                            "is not an MPEG-2 video elementary stream (it does not begin with a sequence header)");
}

void PulldownEngine::onHeader(const std::uint8_t* h, std::uint64_t offset) {
    std::uint8_t code = h[3];
    if (!seenStartCode_) {
        seenStartCode_ = true;
        onFirstStartCode(code);
    }
    if (expectSequenceExtension_ && !(code == kExtensionStart && extensionId(h) == kSequenceExtensionId))
        refuse(Refusal::mpeg1);
    if (isSlice(code)) {
        lastSliceRow_ = code;
        return;
    }
    switch (code) {
    case kSequenceHeader: onSequenceHeader(h, offset); break;
    case kGroupStart: onGroup(h, offset); break;
    case kPictureStart: onPicture(h); break;
    case kExtensionStart:
        if (extensionId(h) == kSequenceExtensionId) onSequenceExtension(h, offset);
        if (extensionId(h) == kPictureCodingExtensionId) onPictureCodingExtension(h, offset);
        break;
    case kPackStart:
    case kSystemHeader:
        refuse(Refusal::programStream);
    default:
        if (code > kSystemHeader)
            throw StreamRefused(Refusal::notVideoElementary,
                                "is not an MPEG-2 video elementary stream (it holds packets of a system stream)");
        break;
    }
    // Extensions and user data belong to the header before them.
    if (code != kExtensionStart && code != kUserData) pictureOpen_ = code == kPictureStart;
}

void PulldownEngine::onSequenceHeader(const std::uint8_t* h, std::uint64_t offset) {
    std::uint8_t rate = h[kFrameRateByte] & kFrameRateMask;
    if (rate != kRate23976 && rate != kRate24) refuseRate(picturesPerSecond(rate));
    rateCode_ = rate;
    height_ = (h[5] & 0x0F) << 8 | h[6];
    expectSequenceExtension_ = true;

    std::uint8_t out = static_cast<std::uint8_t>((h[kFrameRateByte] & ~kFrameRateMask) |
                                                 (rate == kRate23976 ? kRate2997 : kRate30));
    emit(offset + kFrameRateByte, h + kFrameRateByte, &out, 1);
}

void PulldownEngine::onSequenceExtension(const std::uint8_t* h, std::uint64_t offset) {
    expectSequenceExtension_ = false;
    int rateNumerator = (h[9] >> 5) & 0x03;
    int rateDenominator = h[9] & 0x1F;
    if (rateNumerator != 0 || rateDenominator != 0)
        refuseRate(picturesPerSecond(rateCode_) * (rateNumerator + 1) / (rateDenominator + 1));
    progressiveSequence_ = (h[kProgressiveSequenceByte] & kProgressiveSequenceBit) != 0;
    chromaFormat_ = (h[5] >> 1) & 0x03;
    height_ |= ((h[6] >> 5) & 0x03) << 12;

    int rows = (height_ + 15) / 16;
    if (progressiveSequence_ && rows % 2 != 0)
        throw StreamRefused(Refusal::oddMacroblockRows,
                            "is coded " + std::to_string(height_) + " lines high, " + std::to_string(rows) +
                                " macroblock rows: with pulldown a decoder counts rows in pairs, " +
                                std::to_string(rows + 1) + " of them, and would decode its pictures wrongly");

    std::uint8_t out = h[kProgressiveSequenceByte] & static_cast<std::uint8_t>(~kProgressiveSequenceBit);
    emit(offset + kProgressiveSequenceByte, h + kProgressiveSequenceByte, &out, 1);
}

void PulldownEngine::onGroup(const std::uint8_t* h, std::uint64_t offset) {
    ++summary_.groups;
    picturesBeforeGroup_ = summary_.pictures;
    picturesInGroup_ = 0;
    DropFrame drop = options_.dropFrame;
    if (!startFrames_) startFrames_ = framesOfLabel(startLabel(readTimeCode(h), drop), drop);
    TimeCode label = labelOfFrames(*startFrames_ + fieldsBefore(picturesBeforeGroup_) / 2, drop);
    summary_.lastTimeCode = label;

    std::uint8_t out[kGroupHeaderBytes];
    std::memcpy(out, h, kGroupHeaderBytes);
    writeTimeCode(out, label, drop);
    emit(offset + kStartCodeBytes, h + kStartCodeBytes, out + kStartCodeBytes, kGroupHeaderBytes - kStartCodeBytes);
}

void PulldownEngine::onPicture(const std::uint8_t* h) {
    std::int64_t temporalReference = h[4] << 2 | h[5] >> 6;
    // Past 1024 pictures in one group the reference wraps: take the turn
    // nearest to the coded position.
    std::int64_t turn = 0;
    if (picturesInGroup_ >= kTemporalReferenceModulus / 2) {
        std::int64_t distance = picturesInGroup_ - temporalReference + kTemporalReferenceModulus / 2;
        turn = distance / kTemporalReferenceModulus;
    }
    displayIndex_ = picturesBeforeGroup_ + temporalReference + turn * kTemporalReferenceModulus;
    ++summary_.pictures;
    ++picturesInGroup_;
    pictureNeedsExtension_ = true;
    lastSliceRow_ = 0;
}

void PulldownEngine::onPictureCodingExtension(const std::uint8_t* h, std::uint64_t offset) {
    if (!pictureNeedsExtension_) return;
    pictureNeedsExtension_ = false;
    if ((h[kPictureStructureByte] & kPictureStructureMask) != kFramePicture)
        throw StreamRefused(Refusal::fieldPictures, "holds field pictures; soft pulldown needs frame pictures");
    if (h[kFieldFlagsByte] & kRepeatFirstFieldBit)
        throw StreamRefused(Refusal::repeatedFields,
                            "already holds repeated fields (picture " + std::to_string(summary_.pictures) + ")");

    FieldFlags flags = cadenceFlags(displayIndex_);
    std::uint8_t out[2] = {h[kFieldFlagsByte], h[kProgressiveFrameByte]};
    out[0] &= static_cast<std::uint8_t>(~(kTopFieldFirstBit | kRepeatFirstFieldBit));
    if (flags.topFieldFirst) out[0] |= kTopFieldFirstBit;
    if (flags.repeatFirstField) out[0] |= kRepeatFirstFieldBit;
    if (options_.progressiveFrames == ProgressiveFrames::all) {
        out[1] |= kProgressiveFrameBit;
        if (chromaFormat_ == kChroma420) out[0] |= kChroma420TypeBit;
    } else if (flags.repeatFirstField && !(out[1] & kProgressiveFrameBit)) {
        // MPEG-2 lets only a progressive frame repeat a field.
        throw StreamRefused(Refusal::interlacedPictures,
                            "holds pictures coded as interlaced frames, which may not repeat a field; "
                            "-prog_frames p marks them progressive");
    }
    emit(offset + kFieldFlagsByte, h + kFieldFlagsByte, out, 2);
}

void PulldownEngine::emit(std::uint64_t offset, const std::uint8_t* before, const std::uint8_t* after,
                          std::size_t length) {
    std::size_t first = 0;
    while (first < length && before[first] == after[first]) ++first;
    std::size_t last = length;
    while (last > first && before[last - 1] == after[last - 1]) --last;
    if (first < last) sink_.patch(offset + first, {after + first, last - first});
}

Summary PulldownEngine::finish() {
    if (!seenStartCode_) {
        if (looksLikeTransport()) refuse(Refusal::transportStream);
        throw StreamRefused(Refusal::notVideoElementary, "is not an MPEG-2 video elementary stream (it holds no "
                                                         "start code)");
    }
    if (expectSequenceExtension_ && !pending_)
        refuse(Refusal::mpeg1);
    // Rows are counted in pairs without progressive_sequence; past 2800
    // lines a slice's row needs an extension this check does not read.
    constexpr int kLinesWithoutRowExtension = 2800;
    int rows = progressiveSequence_ ? (height_ + 15) / 16 : 2 * ((height_ + 31) / 32);
    bool pictureCut = pictureOpen_ && height_ <= kLinesWithoutRowExtension && lastSliceRow_ < rows;
    summary_.cutShort = pending_.has_value() || pictureCut;
    return summary_;
}

}  // namespace morvane::pulldown
