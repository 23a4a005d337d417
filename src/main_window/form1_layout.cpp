#include "main_window/form1_layout.h"

#include <array>

namespace morvane::form1 {

using namespace platform;

namespace {

constexpr FontSpec kFrameFont{.face = "MS Sans Serif", .points = 9.6};
constexpr FontSpec kGoFont{.face = "MS Sans Serif", .points = 9.6};
constexpr FontSpec kStatusFont{.face = "MS Sans Serif", .points = 18.0};
constexpr FontSpec kBusyMarkFont{.face = "Webdings", .points = 9.6, .charset = FontCharset::Symbol};

// clang-format off
constexpr std::array kControls{
    ControlSpec{.id = Label1, .name = "Label1", .kind = ControlKind::Label,
                .text = "Path to pulldown.exe:", .rect = at(120, 120, 2655, 255), .tabIndex = 1,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = txtPullPath, .name = "txtPullPath", .kind = ControlKind::TextBox,
                .text = "pulldown.exe", .rect = at(120, 360, 7215, 285), .tabIndex = 0},
    ControlSpec{.id = cmdPullPath, .name = "cmdPullPath", .kind = ControlKind::CommandButton,
                .text = ".", .rect = at(7440, 360, 255, 255), .tabIndex = 2},
    ControlSpec{.id = Label3, .name = "Label3", .kind = ControlKind::Label,
                .text = "Path to CCE output file:", .rect = at(120, 840, 2655, 255), .tabIndex = 5,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = txtMPath, .name = "txtMPath", .kind = ControlKind::TextBox,
                .rect = at(120, 1080, 6975, 285), .tabIndex = 6},
    ControlSpec{.id = lblM, .name = "lblM", .kind = ControlKind::Label,
                .rect = at(7155, 1080, 180, 255), .tabIndex = 10, .font = kBusyMarkFont, .busyMark = true},
    ControlSpec{.id = Command1, .name = "Command1", .kind = ControlKind::CommandButton,
                .text = ".", .rect = at(7440, 1080, 255, 255), .tabIndex = 7},
    ControlSpec{.id = Label4, .name = "Label4", .kind = ControlKind::Label,
                .text = "VAF file (if applicable):", .rect = at(120, 1440, 2655, 255), .tabIndex = 9,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = txtMvaf, .name = "txtMvaf", .kind = ControlKind::TextBox,
                .rect = at(120, 1680, 6975, 285), .tabIndex = 8, .enabled = false},
    ControlSpec{.id = lblV, .name = "lblV", .kind = ControlKind::Label,
                .rect = at(7155, 1680, 180, 255), .tabIndex = 11, .font = kBusyMarkFont, .busyMark = true},
    ControlSpec{.id = Frame3, .name = "Frame3", .kind = ControlKind::Frame,
                .text = "When CCE Completes...", .rect = at(240, 2140, 4332, 972), .tabIndex = 14,
                .font = kFrameFont},
    ControlSpec{.id = chkDrop, .name = "chkDrop", .kind = ControlKind::CheckBox, .container = Frame3,
                .text = "Run Pulldown with Drop Frame (pulled_drop.m2v)", .rect = at(240, 360, 3972, 252),
                .tabIndex = 15, .check = CheckState::Ticked, .toolTip = "For Importing subtitles in MAESTRO"},
    ControlSpec{.id = chkNoDrop, .name = "chkNoDrop", .kind = ControlKind::CheckBox, .container = Frame3,
                .text = "Run Pulldown with no options (pulled_nodrop.m2v)", .rect = at(240, 600, 3972, 252),
                .tabIndex = 16, .check = CheckState::Clear, .toolTip = "For Importing Chapters in MAESTRO"},
    ControlSpec{.id = Frame2, .name = "Frame2", .kind = ControlKind::Frame, .text = "Minutes Waited",
                .rect = at(5520, 2280, 1815, 615), .tabIndex = 12},
    ControlSpec{.id = Label5, .name = "Label5", .kind = ControlKind::Label, .container = Frame2,
                .rect = at(120, 240, 1455, 255), .tabIndex = 13},
    ControlSpec{.id = Label2, .name = "Label2", .kind = ControlKind::Label,
                .text = "Make sure CCE is running and...", .rect = at(240, 3240, 5292, 492), .tabIndex = 3,
                .font = kStatusFont},
    ControlSpec{.id = cmdGo, .name = "cmdGo", .kind = ControlKind::CommandButton, .text = "Click Here!!",
                .rect = at(5760, 3240, 1815, 495), .tabIndex = 4, .font = kGoFont},
};
// clang-format on

// clang-format off
constexpr std::array kMenus{
    MenuSpec{.id = mnuFile, .name = "mnuFile", .text = "File"},
    MenuSpec{.id = mnuPullNow, .name = "mnuPullNow", .parent = mnuFile, .text = "Pulldown Now"},
    MenuSpec{.id = mnuExit, .name = "mnuExit", .parent = mnuFile, .text = "Exit"},
    MenuSpec{.id = mnuHelp, .name = "mnuHelp", .text = "Help"},
    MenuSpec{.id = mnuAbout, .name = "mnuAbout", .parent = mnuHelp, .text = "About"},
};
// clang-format on

constexpr WindowSpec kForm1{
    .name = "Form1",
    .caption = "Morvane",
    .frame = WindowFrame::Sizable,
    .client = {Twips(7764), Twips(3876)},
    .font = kDialogFont,
    .controls = kControls,
    .menus = kMenus,
    .timer = TimerSpec{.enabled = false, .intervalMs = 60000},
};

}  // namespace

const WindowSpec& layout() { return kForm1; }

}  // namespace morvane::form1
