#include "main_window/form1.h"

#include <string>

#include "about/frm_about.h"
#include "main_window/form1_constants.h"
#include "settings/settings_store.h"

namespace morvane {

using namespace form1;
using platform::ControlId;

Form1::Form1(platform::Platform& platform, about::FrmAbout& about) : platform_(platform), about_(about) {}

Form1::~Form1() = default;

void Form1::show() {
    if (!window_ || !window_->isOpen()) window_ = platform_.ui.createWindow(layout(), *this);
    window_->show();
}

void Form1::onLoad() { formLoad(); }

void Form1::onCloseRequest() { formCloseRequest(); }

void Form1::onClick(ControlId id) {
    if (id == mnuAbout) {
        mnuAboutClick();
    } else if (id == mnuExit) {
        mnuExitClick();
    } else if (id == mnuPullNow) {
        mnuPullNowClick();
    } else if (id == cmdGo) {
        cmdGoClick();
    } else if (id == cmdPullPath) {
        cmdPullPathClick();
    } else if (id == Command1) {
        command1Click();
    }
}

void Form1::onTextChange(ControlId id) {
    if (id == txtMPath) txtMPathChange();
}

void Form1::onTimer() { timer1Tick(); }

void Form1::formLoad() {
    platform::centreOnScreen(platform_.ui, *window_);
    window_->setCaption(window_->caption() + " (Version " + platform::versionText(platform_.identity) + ")");

    platform::Timer& timer = window_->timer();
    timer.setEnabled(false);
    timer.setIntervalMs(kTickIntervalMs);
    timer.setEnabled(true);

    waiting_ = false;
    showIdleState();

    settings::loadOptions(platform_.registry, *window_);
}

// The idle look shared by the load and the cancel of a wait.
void Form1::showIdleState() {
    ctl(cmdGo).setText(kStartCaption);
    ctl(Label2).setText(kIdleHint);
    ctl(txtPullPath).setEnabled(true);
    ctl(txtMPath).setEnabled(true);
    ctl(lblM).setText("");
    ctl(lblV).setText("");
    minutesWaited_ = 0;
    ctl(Label5).setText("0");
}

void Form1::formCloseRequest() {
    settings::saveOptions(platform_.registry, *window_);
    waitCycleWindowClosing();
}

void Form1::mnuAboutClick() { about_.show(); }

void Form1::mnuExitClick() {
    window_->unload();
    platform_.ui.endProgram();
}

void Form1::error(std::string_view message) {
    platform_.ui.messageBox(window_.get(), message, kErrorTitle, platform::MessageIcon::Warning);
}

}  // namespace morvane
