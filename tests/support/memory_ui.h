#pragma once

// The desktop in memory: windows whose controls are plain values, a clock the
// test drives, and modal boxes that answer from a script.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_gate.h"
#include "platform/text_change_filter.h"
#include "platform/ui.h"

namespace morvane::testing {

class MemoryUi;

class MemoryControl final : public platform::Control {
public:
    MemoryControl(const platform::ControlSpec& design, class MemoryWindow& window);

    [[nodiscard]] std::string text() const override { return text_; }
    void setText(std::string_view text) override;
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    [[nodiscard]] platform::CheckState checkState() const override { return check_; }
    void setCheckState(platform::CheckState state) override { check_ = state; }

    [[nodiscard]] bool takeTextChange() { return textChanges_.changed(text_); }
    [[nodiscard]] platform::ControlKind kind() const { return design_.kind; }

private:
    const platform::ControlSpec& design_;
    MemoryWindow& window_;
    std::string text_;
    platform::TextChangeFilter textChanges_;
    bool enabled_;
    platform::CheckState check_;
};

class MemoryTimer final : public platform::Timer {
public:
    explicit MemoryTimer(platform::TimerSpec design) : enabled_(design.enabled), interval_(design.intervalMs) {}
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    [[nodiscard]] unsigned intervalMs() const override { return interval_; }
    void setIntervalMs(unsigned intervalMs) override;

    // Every change, in order: "enabled=0", "interval=30000", ...
    std::vector<std::string> history;

private:
    bool enabled_ = false;
    unsigned interval_ = 0;
};

class MemoryWindow final : public platform::Window {
public:
    MemoryWindow(MemoryUi& ui, const platform::WindowSpec& design, platform::WindowEvents& events);
    ~MemoryWindow() override;

    [[nodiscard]] std::string caption() const override { return caption_; }
    void setCaption(std::string_view caption) override { caption_ = caption; }
    [[nodiscard]] platform::TwipsSize outerSize() const override { return outer_; }
    [[nodiscard]] int dpi() const override;
    void move(platform::Twips left, platform::Twips top) override;
    [[nodiscard]] platform::Control& control(platform::ControlId id) override;
    [[nodiscard]] platform::Timer& timer() override { return timer_; }
    void show() override;
    void unload() override;
    [[nodiscard]] bool isOpen() const override { return open_; }
    void acceptFiles(bool on) override { acceptsFiles_ = on; }
    [[nodiscard]] bool acceptsFiles() const { return acceptsFiles_; }

    // What a user or the clock does.
    void click(platform::ControlId id);
    void type(platform::ControlId id, std::string_view text);  // typing that ends with this text
    void pressCloseBox();
    void tick();  // one period of an enabled timer
    // Files dropped, or sent as a drop by another program even while the window takes none.
    void drop(const std::vector<std::string>& paths);

    [[nodiscard]] const platform::WindowSpec& design() const { return design_; }
    [[nodiscard]] MemoryControl& memoryControl(platform::ControlId id);
    [[nodiscard]] platform::Twips left() const { return left_; }
    [[nodiscard]] platform::Twips top() const { return top_; }
    [[nodiscard]] int moves() const { return moves_; }
    [[nodiscard]] int shows() const { return shows_; }

    // The text box's own change report; passed on only for a real change.
    void raiseTextChange(platform::ControlId id);

private:
    void destroy();

    MemoryUi& ui_;
    const platform::WindowSpec& design_;
    platform::WindowEvents& events_;
    std::map<platform::ControlId, std::unique_ptr<MemoryControl>> controls_;
    MemoryTimer timer_;
    std::string caption_;
    platform::TwipsSize outer_;
    platform::Twips left_;
    platform::Twips top_;
    int moves_ = 0;
    int shows_ = 0;
    bool loaded_ = false;
    bool open_ = true;
    bool acceptsFiles_ = false;
};

struct ShownMessage {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    std::string owner;  // window name, or "" for none
};

struct FileDialogCall {
    platform::OpenFileRequest request;
    std::string owner;
};

class MemoryUi final : public platform::Ui {
public:
    // Outer size = client + this, roughly a sizable frame with a menu bar.
    platform::TwipsSize frameExtra{platform::Twips(240), platform::Twips(885)};
    platform::TwipsSize screen{platform::Twips(19200), platform::Twips(10800)};
    int systemDpi = platform::kDefaultDpi;
    int windowDpi = platform::kDefaultDpi;

    [[nodiscard]] std::unique_ptr<platform::Window> createWindow(const platform::WindowSpec& design,
                                                                 platform::WindowEvents& events) override;
    [[nodiscard]] platform::TwipsSize screenSize() const override { return screen; }
    [[nodiscard]] int screenDpi() const override { return systemDpi; }
    void messageBox(const platform::Window* owner, std::string_view text, std::string_view title,
                    platform::MessageIcon icon) override;
    [[nodiscard]] std::string openFile(const platform::Window* owner,
                                       const platform::OpenFileRequest& request) override;
    void endProgram() override;
    void keepSystemAwake(bool on) override { awake.push_back(on); }

    // Script: runs while a message box or dialog is open (e.g. a timer tick).
    std::function<void()> whileModal;
    // Answers of the coming file dialogs, in order; none left means cancel.
    std::vector<std::string> dialogAnswers;

    std::vector<ShownMessage> messages;
    std::vector<bool> awake;  // every keepSystemAwake, in order
    std::vector<FileDialogCall> dialogs;

    [[nodiscard]] bool ended() const { return gate.ended(); }
    // The program runs while it has not been ended and a window of it is open.
    [[nodiscard]] bool running() const { return !gate.ended() && !openWindows_.empty(); }
    [[nodiscard]] MemoryWindow* findWindow(std::string_view name) const;

    platform::EventGate gate;

private:
    friend class MemoryWindow;
    std::vector<MemoryWindow*> openWindows_;
    void modal();
};

}  // namespace morvane::testing
