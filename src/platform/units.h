#pragma once

#include <cmath>
#include <compare>

namespace morvane::platform {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr int kDefaultDpi = 96;

// Layout and window geometry are kept in twips, as the windows were designed;
// only the Win32 layer turns them into pixels.
struct Twips {
    double value = 0.0;

    constexpr Twips() = default;
    constexpr explicit Twips(double v) : value(v) {}

    friend constexpr Twips operator+(Twips a, Twips b) { return Twips(a.value + b.value); }
    friend constexpr Twips operator-(Twips a, Twips b) { return Twips(a.value - b.value); }
    friend constexpr Twips operator/(Twips a, double d) { return Twips(a.value / d); }
    friend constexpr auto operator<=>(Twips, Twips) = default;
};

inline int toPixels(Twips t, int dpi) { return static_cast<int>(std::lround(t.value * dpi / kTwipsPerInch)); }
constexpr Twips fromPixels(int pixels, int dpi) { return Twips(pixels * kTwipsPerInch / dpi); }

struct TwipsSize {
    Twips width;
    Twips height;
};

struct TwipsPoint {
    Twips left;
    Twips top;
};

struct TwipsRect {
    Twips left;
    Twips top;
    Twips width;
    Twips height;
};

}  // namespace morvane::platform
