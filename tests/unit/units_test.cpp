#include <gtest/gtest.h>

#include "platform/ui.h"
#include "platform/units.h"

namespace morvane::platform {
namespace {

struct PixelCase {
    double twips;
    int dpi;
    int pixels;
};

TEST(TwipsTest, ConvertToPixelsAtTheWindowsResolution) {
    const PixelCase cases[] = {
        {1440, 96, 96},   {7764, 96, 518}, {3876, 96, 258}, {285, 96, 19}, {255, 96, 17},   {120, 96, 8},
        {7764, 144, 776}, {285, 144, 29},  {15, 96, 1},     {0, 120, 0},   {-720, 96, -48},
    };
    for (const PixelCase& c : cases) {
        EXPECT_EQ(toPixels(Twips(c.twips), c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
    }
}

TEST(TwipsTest, PixelsBackToTwips) {
    EXPECT_DOUBLE_EQ(fromPixels(96, 96).value, 1440.0);
    EXPECT_DOUBLE_EQ(fromPixels(1, 96).value, 15.0);
    EXPECT_DOUBLE_EQ(fromPixels(3, 144).value, 30.0);
}

TEST(CentringTest, TheScreenIsCountedAtTheWindowsOwnDpi) {
    struct {
        int screenDpi, windowDpi;
        double left, top;
    } const cases[] = {
        {96, 96, 6000, 3600},   // a screen of 1280 x 720 pixels, a window of 480 x 240
        {96, 144, 2800, 1800},  // the window at 144 dpi covers 720 x 360 pixels
        {144, 96, 10800, 6300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windowDpi);
        const TwipsPoint at =
            centredPosition({Twips(19200), Twips(10800)}, c.screenDpi, {Twips(7200), Twips(3600)}, c.windowDpi);
        EXPECT_DOUBLE_EQ(at.left.value, c.left);
        EXPECT_DOUBLE_EQ(at.top.value, c.top);
    }
}

}  // namespace
}  // namespace morvane::platform
