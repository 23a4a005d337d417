#include "memory_ui.h"

#include <algorithm>
#include <stdexcept>

namespace morvane::testing {

using namespace platform;

MemoryControl::MemoryControl(const ControlSpec& design, MemoryWindow& window)
    : design_(design),
      window_(window),
      text_(design.text),
      textChanges_(design.text),
      enabled_(design.enabled),
      check_(design.check) {}

void MemoryControl::setText(std::string_view text) {
    text_ = text;
    // Like an edit control, a text box reports every setting of its text.
    if (design_.kind == ControlKind::TextBox) window_.raiseTextChange(design_.id);
}

void MemoryTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    history.push_back("enabled=" + std::to_string(enabled ? 1 : 0));
}

void MemoryTimer::setIntervalMs(unsigned intervalMs) {
    interval_ = intervalMs;
    history.push_back("interval=" + std::to_string(intervalMs));
}

MemoryWindow::MemoryWindow(MemoryUi& ui, const WindowSpec& design, WindowEvents& events)
    : ui_(ui),
      design_(design),
      events_(events),
      timer_(design.timer.value_or(TimerSpec{})),
      caption_(design.caption),
      outer_{design.client.width + ui.frameExtra.width, design.client.height + ui.frameExtra.height} {
    for (const ControlSpec& c : design.controls) controls_.emplace(c.id, std::make_unique<MemoryControl>(c, *this));
    ui_.openWindows_.push_back(this);
}

MemoryWindow::~MemoryWindow() { destroy(); }

void MemoryWindow::move(Twips left, Twips top) {
    left_ = left;
    top_ = top;
    ++moves_;
}

Control& MemoryWindow::control(ControlId id) { return memoryControl(id); }

MemoryControl& MemoryWindow::memoryControl(ControlId id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) throw std::out_of_range("no such control");
    return *it->second;
}

void MemoryWindow::show() {
    if (!open_) return;  // as a destroyed window's show does nothing
    if (!loaded_) {
        loaded_ = true;
        ui_.gate.load(events_);
        if (open_) ui_.gate.shown(events_);
    }
    ++shows_;
}

void MemoryWindow::unload() {
    if (!open_) return;
    ui_.gate.closeRequest(events_);
    destroy();
}

void MemoryWindow::destroy() {
    if (!open_) return;
    open_ = false;
    ui_.gate.forget(events_);
    std::erase(ui_.openWindows_, this);
}

void MemoryWindow::raiseTextChange(ControlId id) {
    if (open_ && memoryControl(id).takeTextChange()) ui_.gate.textChange(events_, id);
}

void MemoryWindow::click(ControlId id) {
    if (!open_ || ui_.ended()) return;
    bool isMenu = std::ranges::any_of(design_.menus, [&](const MenuSpec& m) { return m.id == id; });
    if (isMenu) return ui_.gate.click(events_, id);
    MemoryControl& c = memoryControl(id);
    if (!c.enabled()) return;
    // As the real box: a click ticks or clears it, and is no event of the window.
    if (c.kind() == ControlKind::CheckBox)
        return c.setCheckState(c.checkState() == CheckState::Ticked ? CheckState::Clear : CheckState::Ticked);
    ui_.gate.click(events_, id);
}

void MemoryWindow::type(ControlId id, std::string_view text) {
    MemoryControl& c = memoryControl(id);
    if (!open_ || !c.enabled()) return;
    c.setText(text);
}

void MemoryWindow::pressCloseBox() { unload(); }

void MemoryWindow::drop(const std::vector<std::string>& paths) {
    if (open_ && loaded_) ui_.gate.filesDropped(events_, paths);
}

int MemoryWindow::dpi() const { return ui_.windowDpi; }

void MemoryWindow::tick() {
    if (open_ && timer_.enabled()) ui_.gate.timer(events_);
}

std::unique_ptr<Window> MemoryUi::createWindow(const WindowSpec& design, WindowEvents& events) {
    return std::make_unique<MemoryWindow>(*this, design, events);
}

namespace {
std::string nameOf(const Window* owner) {
    const auto* w = dynamic_cast<const MemoryWindow*>(owner);
    return w ? std::string(w->design().name) : std::string();
}
}  // namespace

void MemoryUi::modal() {
    if (whileModal) whileModal();
}

void MemoryUi::messageBox(const Window* owner, std::string_view text, std::string_view title, MessageIcon icon) {
    messages.push_back({std::string(text), std::string(title), icon, nameOf(owner)});
    modal();
}

std::string MemoryUi::openFile(const Window* owner, const OpenFileRequest& request) {
    dialogs.push_back({request, nameOf(owner)});
    modal();
    if (dialogAnswers.empty()) return request.fileName;
    std::string answer = dialogAnswers.front();
    dialogAnswers.erase(dialogAnswers.begin());
    return answer;
}

// As the real desktop does: the quit is posted and nothing more is
// delivered; the windows go only with the objects that own them.
void MemoryUi::endProgram() { gate.endProgram(); }

MemoryWindow* MemoryUi::findWindow(std::string_view name) const {
    for (MemoryWindow* w : openWindows_)
        if (w->design().name == name) return w;
    return nullptr;
}

}  // namespace morvane::testing
