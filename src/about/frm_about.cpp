#include "about/frm_about.h"

#include <string>

#include "about/about_constants.h"
#include "about/frm_about_layout.h"

namespace morvane::about {

using platform::ControlId;

FrmAbout::FrmAbout(platform::Platform& platform) : platform_(platform) {}

FrmAbout::~FrmAbout() = default;

void FrmAbout::show() {
    if (!isOpen()) window_ = platform_.ui.createWindow(layout(), *this);
    window_->show();
}

void FrmAbout::onLoad() { formLoad(); }

void FrmAbout::onClick(ControlId id) {
    if (id == cmdOK) {
        cmdOKClick();
    } else if (id == cmdSysInfo) {
        cmdSysInfoClick();
    } else if (id == lblDownloadLink) {
        lblDownloadLinkClick();
    } else if (id == lblEmailLink) {
        lblEmailLinkClick();
    }
}

void FrmAbout::formLoad() {
    const platform::ProgramIdentity& id = platform_.identity;
    window_->setCaption(std::string(kCaptionPrefix) + id.title);

    platform::centreOnScreen(platform_.ui, *window_);

    ctl(lblVersion).setText(std::string(kVersionPrefix) + platform::versionText(id));
    ctl(lblTitle).setText(id.title);

    ctl(lblDescription).setText("");
    for (std::string_view line : kDescriptionLines)
        ctl(lblDescription).setText(ctl(lblDescription).text() + std::string(line) + std::string(kLineBreak));

    ctl(lblDisclaimer).setText("");
    ctl(lblDisclaimer).setText(ctl(lblDisclaimer).text() + std::string(kAuthorLine) + std::string(kLineBreak));
    ctl(lblDisclaimer).setText(ctl(lblDisclaimer).text() + std::string(kEmailLine) + std::string(kLineBreak));
}

void FrmAbout::cmdOKClick() { window_->unload(); }

void FrmAbout::lblDownloadLinkClick() { platform_.processes.shellOpen(owner(), ctl(lblDownloadLink).text()); }

void FrmAbout::lblEmailLinkClick() {
    platform_.processes.shellOpen(owner(), std::string(kMailtoPrefix) + ctl(lblEmailLink).text());
}

void FrmAbout::cmdSysInfoClick() { StartSysInfo(); }

}  // namespace morvane::about
