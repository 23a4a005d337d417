#include "about/about_window_layout.h"

#include <array>

#include "about/about_constants.h"

namespace morvane::about {

using namespace platform;

namespace {

constexpr FontSpec kLinkFont{.face = "MS Sans Serif", .points = 7.8, .underline = true};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLinkBlue{0, 0, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kWhite{255, 255, 255};

// clang-format off
constexpr std::array kControls{
    ControlSpec{.id = iconPicture, .kind = ControlKind::PictureBox,
                .rect = at(240, 240, 432, 432), .tabIndex = 1},
    ControlSpec{.id = titleLabel, .kind = ControlKind::Label, .text = "Application Title",
                .rect = at(1050, 240, 5805, 480), .tabIndex = 5, .textColour = kBlack},
    ControlSpec{.id = versionLabel, .kind = ControlKind::Label, .text = "Version",
                .rect = at(1050, 780, 5925, 225), .tabIndex = 6},
    ControlSpec{.id = descriptionLabel, .kind = ControlKind::Label,
                .rect = at(1050, 1125, 5925, 1890), .tabIndex = 3, .textColour = kBlack},
    // The e-mail link lies on its second line, right of "Email:".
    ControlSpec{.id = creditsLabel, .kind = ControlKind::Label,
                .rect = at(120, 3480, 5415, 465), .tabIndex = 4, .textColour = kBlack,
                .stacking = Stacking::BelowSiblings},
    ControlSpec{.id = emailLink, .kind = ControlKind::Label, .text = kEmailAddress,
                .rect = at(600, 3660, 3375, 255), .tabIndex = 7, .font = kLinkFont, .textColour = kLinkBlue,
                .pointer = Pointer::Hand},
    ControlSpec{.id = okButton, .kind = ControlKind::CommandButton, .text = "OK",
                .rect = at(5565, 3465, 1260, 345), .tabIndex = 0},
    ControlSpec{.id = systemInfoButton, .kind = ControlKind::CommandButton,
                .text = "&System Info...", .rect = at(5580, 3915, 1245, 345), .tabIndex = 2},
    ControlSpec{.id = downloadLink, .kind = ControlKind::Label,
                .text = kDownloadAddress, .rect = at(120, 4080, 5175, 255), .tabIndex = 8, .font = kLinkFont,
                .textColour = kLinkBlue, .pointer = Pointer::Hand},
};
// clang-format on

// An etched separator: a grey line with a white one just below it.
// clang-format off
constexpr std::array kLines{
    LineSpec{.x1 = Twips(90), .y1 = Twips(3292), .x2 = Twips(6846), .y2 = Twips(3292),
             .colour = kGrey, .widthPixels = 1},
    LineSpec{.x1 = Twips(105), .y1 = Twips(3307), .x2 = Twips(6846), .y2 = Twips(3307),
             .colour = kWhite, .widthPixels = 2},
};
// clang-format on

constexpr WindowSpec kAboutWindow{
    .name = "aboutWindow",
    .caption = "About MyApp",
    .frame = WindowFrame::FixedDialog,
    .client = {Twips(7056), Twips(4404)},
    .font = kDialogFont,
    .controls = kControls,
    .lines = kLines,
    .defaultButton = okButton,
    .cancelButton = okButton,
};

}  // namespace

const WindowSpec& layout() { return kAboutWindow; }

}  // namespace morvane::about
