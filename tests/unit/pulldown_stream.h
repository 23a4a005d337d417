#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "pulldown/pulldown_engine.h"

// Small MPEG-2 video streams made of headers, for morvane-pulldown's tests.
namespace morvane::pulldown::testing {

struct PictureAt {
    int temporalReference;
    std::size_t extensionOffset;  // where its picture coding extension starts
};

class StreamBuilder {
public:
    std::vector<std::uint8_t> bytes;
    std::vector<PictureAt> pictures;
    std::vector<std::size_t> groups;  // where each GOP header starts

    StreamBuilder& sequence(std::uint8_t rateCode = 1, int height = 480, bool progressive = true,
                            std::uint8_t rateExtension = 0) {
        add({0xB3, 0x2D, static_cast<std::uint8_t>(height >> 8 & 0x0F), static_cast<std::uint8_t>(height & 0xFF),
             static_cast<std::uint8_t>(0x20 | rateCode), 0xFF, 0xFF, 0xE0, 0xA0});
        return add({0xB5, 0x14, static_cast<std::uint8_t>(0x82 | (progressive ? 0x08 : 0)), 0x00, 0x01, 0x00,
                    rateExtension});
    }
    StreamBuilder& group(std::uint8_t hours = 0, std::uint8_t minutes = 0) {
        groups.push_back(bytes.size());
        return add({0xB8, static_cast<std::uint8_t>(hours << 2 | minutes >> 4),
                    static_cast<std::uint8_t>((minutes & 0x0F) << 4 | 0x08), 0x00, 0x40});
    }
    // A frame picture as an encoder writes it for film, with two slices;
    // the slice bytes hold zeros and 01 bytes that start nothing.
    StreamBuilder& picture(int temporalReference, std::uint8_t structure = 3, bool repeatFirstField = false,
                           int rows = 30) {
        add({0x00, static_cast<std::uint8_t>(temporalReference >> 2),
             static_cast<std::uint8_t>((temporalReference & 3) << 6 | 0x08), 0xFF, 0xF8});
        pictures.push_back({temporalReference, bytes.size()});
        add({0xB5, 0x8F, 0xFF, static_cast<std::uint8_t>(0xF0 | structure),
             static_cast<std::uint8_t>(0x40 | (repeatFirstField ? 0x02 : 0)), 0x80});
        add({0x01, 0x12, 0x01, 0x00, 0x00, 0x02, 0x00});
        return add({static_cast<std::uint8_t>(rows), 0x34, 0x00, 0x01, 0x00});
    }
    StreamBuilder& end() { return add({0xB7}); }
    StreamBuilder& add(std::initializer_list<std::uint8_t> afterPrefix) {
        bytes.insert(bytes.end(), {0x00, 0x00, 0x01});
        bytes.insert(bytes.end(), afterPrefix);
        return *this;
    }
};

// The engine's changes written over a copy of the stream.
class PatchedCopy : public PatchSink {
public:
    explicit PatchedCopy(std::vector<std::uint8_t> stream) : bytes(std::move(stream)) {}
    void patch(std::uint64_t offset, std::span<const std::uint8_t> changed) override {
        std::copy(changed.begin(), changed.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    std::vector<std::uint8_t> bytes;
};

}  // namespace morvane::pulldown::testing
