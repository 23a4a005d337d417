#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "pulldown/mpeg2_syntax.h"
#include "pulldown/time_code.h"

namespace morvane::pulldown {

enum class ProgressiveFrames { asCoded, all };

struct Options {
    ProgressiveFrames progressiveFrames = ProgressiveFrames::asCoded;
    DropFrame dropFrame = DropFrame::no;
};

enum class Refusal {
    programStream,
    transportStream,
    mpeg1,
    notVideoElementary,
    rate,
    repeatedFields,
    fieldPictures,
    oddMacroblockRows,
    interlacedPictures,
};

// A stream this program will not turn; what() says what it is.
class StreamRefused : public std::runtime_error {
public:
    StreamRefused(Refusal kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    [[nodiscard]] Refusal kind() const { return kind_; }

private:
    Refusal kind_;
};

// Where the changed header bytes go, by their offset in the stream.
class PatchSink {
public:
    virtual ~PatchSink() = default;
    virtual void patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
};

struct Summary {
    std::int64_t pictures = 0;
    std::int64_t groups = 0;
    std::optional<TimeCode> lastTimeCode;
    // The stream ends inside a header or a picture: the encoder stopped.
    bool cutShort = false;
};

// Reads the stream once, in pieces of any size, and names every header byte
// that soft pulldown changes. Throws StreamRefused.
class PulldownEngine {
public:
    PulldownEngine(Options options, PatchSink& sink);

    // The next bytes of the stream, following the previous ones.
    void scan(std::span<const std::uint8_t> data);
    // No change will be named before this offset any more.
    [[nodiscard]] std::uint64_t settled() const;
    Summary finish();

private:
    struct Pending {
        std::array<std::uint8_t, mpeg2::kLongestHeaderBytes> bytes{};
        std::size_t have = 0;
        std::uint64_t offset = 0;
    };

    std::size_t completePending(std::span<const std::uint8_t> data);
    void startCode(const std::uint8_t* header, std::size_t available, std::uint64_t offset);
    void onHeader(const std::uint8_t* header, std::uint64_t offset);
    void onSequenceHeader(const std::uint8_t* header, std::uint64_t offset);
    void onSequenceExtension(const std::uint8_t* header, std::uint64_t offset);
    void onGroup(const std::uint8_t* header, std::uint64_t offset);
    void onPicture(const std::uint8_t* header);
    void onPictureCodingExtension(const std::uint8_t* header, std::uint64_t offset);
    [[nodiscard]] bool looksLikeTransport() const;
    void onFirstStartCode(std::uint8_t code);
    void emit(std::uint64_t offset, const std::uint8_t* before, const std::uint8_t* after, std::size_t length);

    Options options_;
    PatchSink& sink_;
    std::uint64_t scanned_ = 0;
    std::array<std::optional<std::uint8_t>, 3> syncBytes_;
    std::size_t trailingZeros_ = 0;
    std::optional<Pending> pending_;
    Summary summary_;

    bool seenStartCode_ = false;
    bool expectSequenceExtension_ = false;
    std::uint8_t rateCode_ = 0;  // of the sequence header read last
    int height_ = 0;
    bool progressiveSequence_ = false;
    int chromaFormat_ = 0;

    std::int64_t picturesBeforeGroup_ = 0;
    std::int64_t picturesInGroup_ = 0;
    std::int64_t displayIndex_ = 0;
    bool pictureNeedsExtension_ = false;
    int lastSliceRow_ = 0;
    bool pictureOpen_ = false;
    std::optional<std::int64_t> startFrames_;
};

}  // namespace morvane::pulldown
