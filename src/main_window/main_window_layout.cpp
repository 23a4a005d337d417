#include "main_window/main_window_layout.h"

#include <array>

namespace morvane::main_window {

using namespace platform;

namespace {

// The runs' frame and the start button.
constexpr FontSpec kLargerFont{.face = "MS Sans Serif", .points = 9.6};
constexpr FontSpec kStatusFont{.face = "MS Sans Serif", .points = 18.0};
constexpr FontSpec kBusyMarkFont{.face = "Webdings", .points = 9.6, .charset = FontCharset::Symbol};

// clang-format off
constexpr std::array kControls{
    ControlSpec{.id = pulldownPathLabel, .kind = ControlKind::Label,
                .text = "Path to pulldown.exe:", .rect = at(120, 120, 2655, 255), .tabIndex = 1,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = pulldownPathBox, .kind = ControlKind::TextBox,
                .text = "pulldown.exe", .rect = at(120, 360, 7215, 285), .tabIndex = 0},
    ControlSpec{.id = browsePulldownButton, .kind = ControlKind::CommandButton,
                .text = ".", .rect = at(7440, 360, 255, 255), .tabIndex = 2},
    ControlSpec{.id = outputPathLabel, .kind = ControlKind::Label,
                .text = "Path to CCE output file:", .rect = at(120, 840, 2655, 255), .tabIndex = 5,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = outputPathBox, .kind = ControlKind::TextBox,
                .rect = at(120, 1080, 6975, 285), .tabIndex = 6},
    ControlSpec{.id = outputBusyMark, .kind = ControlKind::Label,
                .rect = at(7155, 1080, 180, 255), .tabIndex = 10, .font = kBusyMarkFont, .busyMark = true},
    ControlSpec{.id = browseOutputButton, .kind = ControlKind::CommandButton,
                .text = ".", .rect = at(7440, 1080, 255, 255), .tabIndex = 7},
    ControlSpec{.id = vafPathLabel, .kind = ControlKind::Label,
                .text = "VAF file (if applicable):", .rect = at(120, 1440, 2655, 255), .tabIndex = 9,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = vafPathBox, .kind = ControlKind::TextBox,
                .rect = at(120, 1680, 6975, 285), .tabIndex = 8, .enabled = false},
    ControlSpec{.id = vafBusyMark, .kind = ControlKind::Label,
                .rect = at(7155, 1680, 180, 255), .tabIndex = 11, .font = kBusyMarkFont, .busyMark = true},
    ControlSpec{.id = runsFrame, .kind = ControlKind::Frame,
                .text = "When CCE Completes...", .rect = at(240, 2140, 4332, 972), .tabIndex = 14,
                .font = kLargerFont},
    ControlSpec{.id = dropFrameCheck, .kind = ControlKind::CheckBox, .container = runsFrame,
                .text = "Run Pulldown with Drop Frame (pulled_drop.m2v)", .rect = at(240, 360, 3972, 252),
                .tabIndex = 15, .check = CheckState::Ticked, .toolTip = "For Importing subtitles in MAESTRO"},
    ControlSpec{.id = noOptionsCheck, .kind = ControlKind::CheckBox, .container = runsFrame,
                .text = "Run Pulldown with no options (pulled_nodrop.m2v)", .rect = at(240, 600, 3972, 252),
                .tabIndex = 16, .check = CheckState::Clear, .toolTip = "For Importing Chapters in MAESTRO"},
    ControlSpec{.id = minutesWaitedFrame, .kind = ControlKind::Frame, .text = "Minutes Waited",
                .rect = at(5520, 2280, 1815, 615), .tabIndex = 12},
    ControlSpec{.id = minutesWaitedLabel, .kind = ControlKind::Label, .container = minutesWaitedFrame,
                .rect = at(120, 240, 1455, 255), .tabIndex = 13},
    ControlSpec{.id = statusLabel, .kind = ControlKind::Label,
                .text = "Make sure CCE is running and...", .rect = at(240, 3240, 5292, 492), .tabIndex = 3,
                .font = kStatusFont},
    ControlSpec{.id = startButton, .kind = ControlKind::CommandButton, .text = "Click Here!!",
                .rect = at(5760, 3240, 1815, 495), .tabIndex = 4, .font = kLargerFont},
};
// clang-format on

// clang-format off
constexpr std::array kMenus{
    MenuSpec{.id = fileMenu, .text = "File"},
    MenuSpec{.id = pulldownNowItem, .parent = fileMenu, .text = "Pulldown Now"},
    MenuSpec{.id = exitItem, .parent = fileMenu, .text = "Exit"},
    MenuSpec{.id = helpMenu, .text = "Help"},
    MenuSpec{.id = aboutItem, .parent = helpMenu, .text = "About"},
};
// clang-format on

constexpr WindowSpec kMainWindow{
    .name = "MainWindow",
    .caption = "Morvane",
    .frame = WindowFrame::Sizable,
    .client = {Twips(7764), Twips(3876)},
    .font = kDialogFont,
    .controls = kControls,
    .menus = kMenus,
    .timer = TimerSpec{.enabled = false, .intervalMs = 60000},
};

}  // namespace

const WindowSpec& layout() { return kMainWindow; }

}  // namespace morvane::main_window
