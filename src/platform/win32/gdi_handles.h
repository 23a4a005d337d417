#pragma once

#include <windows.h>

#include <utility>

namespace morvane::platform::win32 {

// Owns one GDI object; move-only.
template <typename H>
class UniqueGdi {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(H h) noexcept : h_(h) {}
    ~UniqueGdi() { reset(); }
    UniqueGdi(UniqueGdi&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueGdi& operator=(UniqueGdi&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;

    [[nodiscard]] H get() const noexcept { return h_; }
    void reset() noexcept {
        if (h_) DeleteObject(h_);
        h_ = nullptr;
    }

private:
    H h_ = nullptr;
};

using UniqueFont = UniqueGdi<HFONT>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;

// Selects an object into a DC for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The screen's device context for one scope.
class ScreenDc {
public:
    ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

}  // namespace morvane::platform::win32
