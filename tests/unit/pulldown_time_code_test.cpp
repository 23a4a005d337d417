#include <gtest/gtest.h>

#include "pulldown/time_code.h"

namespace morvane::pulldown {
namespace {

struct LabelCase {
    std::int64_t frames;
    DropFrame drop;
    TimeCode label;
};

TEST(PulldownTimeCode, FramesAndLabelsBothWays) {
    const LabelCase cases[] = {
        {0, DropFrame::no, {0, 0, 0, 0}},
        {1799, DropFrame::no, {0, 0, 59, 29}},
        {1800, DropFrame::no, {0, 1, 0, 0}},
        {108000, DropFrame::no, {1, 0, 0, 0}},
        {1799, DropFrame::yes, {0, 0, 59, 29}},
        {1800, DropFrame::yes, {0, 1, 0, 2}},  // 00:01:00;00 and ;01 are skipped
        {3597, DropFrame::yes, {0, 1, 59, 29}},
        {3598, DropFrame::yes, {0, 2, 0, 2}},
        {17981, DropFrame::yes, {0, 9, 59, 29}},
        {17982, DropFrame::yes, {0, 10, 0, 0}},  // every tenth minute keeps them
        {17982 + 1800, DropFrame::yes, {0, 11, 0, 2}},
        {107892, DropFrame::yes, {1, 0, 0, 0}},
        {24 * 107892 - 1, DropFrame::yes, {23, 59, 59, 29}},
        {24 * 108000, DropFrame::no, {0, 0, 0, 0}},  // the day wraps
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(labelOfFrames(c.frames, c.drop), c.label) << c.frames;
        EXPECT_EQ(framesOfLabel(c.label, c.drop), c.frames % (c.drop == DropFrame::yes ? 24 * 107892 : 24 * 108000))
            << c.frames;
    }
}

TEST(PulldownTimeCode, StartScalesTheFrameNumberAndSkipsDroppedLabels) {
    const struct {
        TimeCode input;
        DropFrame drop;
        TimeCode start;
    } cases[] = {
        {{1, 0, 0, 0}, DropFrame::no, {1, 0, 0, 0}},
        {{0, 0, 10, 23}, DropFrame::no, {0, 0, 10, 28}},
        {{0, 0, 10, 12}, DropFrame::yes, {0, 0, 10, 15}},
        {{0, 1, 0, 0}, DropFrame::no, {0, 1, 0, 0}},
        {{0, 1, 0, 1}, DropFrame::yes, {0, 1, 0, 2}},
        {{0, 1, 5, 1}, DropFrame::yes, {0, 1, 5, 1}},
        {{0, 20, 0, 0}, DropFrame::yes, {0, 20, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(startLabel(c.input, c.drop), c.start) << toText(c.input, c.drop);
}

TEST(PulldownTimeCode, GroupHeaderBitsRoundTrip) {
    std::uint8_t header[8] = {0, 0, 1, 0xB8, 0, 0, 0, 0x60};
    writeTimeCode(header, {23, 59, 58, 29}, DropFrame::yes);
    EXPECT_EQ(readTimeCode(header), (TimeCode{23, 59, 58, 29}));
    EXPECT_EQ(header[4] >> 7, 1);
    EXPECT_EQ(header[5] & 0x08, 0x08) << "marker bit";
    EXPECT_EQ(header[7] & 0x7F, 0x60) << "closed_gop and broken_link kept";
}

}  // namespace
}  // namespace morvane::pulldown
