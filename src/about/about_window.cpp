#include "about/about_window.h"

#include <string>

#include "about/about_constants.h"
#include "about/about_window_layout.h"

namespace morvane::about {

using platform::ControlId;

AboutWindow::AboutWindow(platform::Platform& platform) : platform_(platform) {}

AboutWindow::~AboutWindow() = default;

void AboutWindow::show() {
    if (!isOpen()) window_ = platform_.ui.createWindow(layout(), *this);
    window_->show();
}

void AboutWindow::onLoad() { load(); }

void AboutWindow::onClick(ControlId id) {
    if (id == okButton) {
        closeWindow();
    } else if (id == systemInfoButton) {
        startSystemInfo();
    } else if (id == downloadLink) {
        openDownloadLink();
    } else if (id == emailLink) {
        openEmailLink();
    }
}

void AboutWindow::load() {
    const platform::ProgramIdentity& id = platform_.identity;
    window_->setCaption(std::string(kCaptionPrefix) + id.title);

    platform::centreOnScreen(platform_.ui, *window_);

    control(versionLabel).setText(std::string(kVersionPrefix) + platform::versionText(id));
    control(titleLabel).setText(id.title);

    control(descriptionLabel).setText("");
    for (std::string_view line : kDescriptionLines)
        control(descriptionLabel)
            .setText(control(descriptionLabel).text() + std::string(line) + std::string(kLineBreak));

    control(creditsLabel).setText("");
    control(creditsLabel).setText(control(creditsLabel).text() + std::string(kAuthorLine) + std::string(kLineBreak));
    control(creditsLabel).setText(control(creditsLabel).text() + std::string(kEmailLine) + std::string(kLineBreak));
}

void AboutWindow::closeWindow() { window_->unload(); }

void AboutWindow::openDownloadLink() { platform_.processes.shellOpen(owner(), control(downloadLink).text()); }

void AboutWindow::openEmailLink() {
    platform_.processes.shellOpen(owner(), std::string(kMailtoPrefix) + control(emailLink).text());
}

}  // namespace morvane::about
