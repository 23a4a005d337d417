#pragma once

// A window described by its settings at creation: plain data that both the
// Win32 layer and the in-memory double build real or fake controls from.

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/units.h"

namespace morvane::platform {

// Controls and menu items share one id space per window.
struct ControlId {
    int value = 0;
    friend constexpr auto operator<=>(ControlId, ControlId) = default;
};

inline constexpr ControlId kNoControl{0};

enum class CheckState : int { Clear = 0, Ticked = 1, Greyed = 2 };

enum class ControlKind {
    Label,
    TextBox,
    CommandButton,
    Frame,
    CheckBox,
    PictureBox,
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

enum class FontCharset { Default, Symbol };

struct FontSpec {
    std::string_view face;
    double points = 0.0;
    bool underline = false;
    FontCharset charset = FontCharset::Default;
};

// The font of both windows and of every control that names none of its own.
inline constexpr FontSpec kDialogFont{.face = "MS Sans Serif", .points = 8.25};

enum class Pointer { Default, Hand };

// How a label sits among overlapping siblings.
enum class Stacking { Normal, BelowSiblings };

// A control's rectangle as the designs write it: left, top, width, height.
constexpr TwipsRect at(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

struct ControlSpec {
    ControlId id;
    ControlKind kind = ControlKind::Label;
    ControlId container = kNoControl;  // a frame, or the window itself
    std::string_view text;
    TwipsRect rect;
    int tabIndex = 0;
    std::optional<FontSpec> font;
    bool enabled = true;
    CheckState check = CheckState::Clear;
    std::string_view toolTip;
    std::optional<Rgb> textColour;
    Pointer pointer = Pointer::Default;
    Stacking stacking = Stacking::Normal;
    bool busyMark = false;  // shows the one-character busy mark, drawn even where the font lacks it
};

struct MenuSpec {
    ControlId id;
    ControlId parent = kNoControl;  // kNoControl: a top-level menu of the bar
    std::string_view text;
};

struct LineSpec {
    Twips x1, y1, x2, y2;
    Rgb colour;
    int widthPixels = 1;
};

struct TimerSpec {
    bool enabled = false;
    unsigned intervalMs = 0;
};

enum class WindowFrame {
    Sizable,      // resizable border, minimise and maximise, listed in the task bar
    FixedDialog,  // fixed border, close box only, kept out of the task bar
};

struct WindowSpec {
    std::string_view name;
    std::string_view caption;
    WindowFrame frame = WindowFrame::Sizable;
    TwipsSize client;
    FontSpec font;
    std::span<const ControlSpec> controls;
    std::span<const MenuSpec> menus;
    std::span<const LineSpec> lines;
    std::optional<TimerSpec> timer;
    ControlId defaultButton = kNoControl;  // Enter
    ControlId cancelButton = kNoControl;   // Esc
};

}  // namespace morvane::platform
