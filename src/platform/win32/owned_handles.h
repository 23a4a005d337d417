#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace morvane::platform::win32 {

// Owns one system handle and hands it back with `closeHandle`; move-only.
template <typename H, auto closeHandle>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) noexcept : h_(h) {
        // Some kernel calls answer INVALID_HANDLE_VALUE for none, others null.
        if constexpr (std::is_same_v<H, HANDLE>)
            if (h_ == INVALID_HANDLE_VALUE) h_ = nullptr;
    }
    ~Owned() { reset(); }
    Owned(Owned&& o) noexcept : h_(o.release()) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = o.release();
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    [[nodiscard]] H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    // The system has taken the handle over, or is destroying it itself.
    H release() noexcept { return std::exchange(h_, nullptr); }
    void reset() noexcept {
        if (h_) closeHandle(h_);
        h_ = nullptr;
    }

private:
    H h_ = nullptr;
};

namespace detail {
inline void deleteGdiObject(HGDIOBJ h) noexcept { DeleteObject(h); }
inline void destroyIcon(HICON h) noexcept { DestroyIcon(h); }
inline void closeKernelHandle(HANDLE h) noexcept { CloseHandle(h); }
inline void destroyWindow(HWND h) noexcept { DestroyWindow(h); }
inline void destroyMenu(HMENU h) noexcept { DestroyMenu(h); }
inline void freeLocal(HLOCAL h) noexcept { LocalFree(h); }
}  // namespace detail

using UniqueFont = Owned<HFONT, &detail::deleteGdiObject>;
using UniquePen = Owned<HPEN, &detail::deleteGdiObject>;
using UniqueBrush = Owned<HBRUSH, &detail::deleteGdiObject>;
// Only for an icon loaded without LR_SHARED: the system keeps shared ones.
using UniqueIcon = Owned<HICON, &detail::destroyIcon>;
// A process, thread, file or event.
using UniqueKernelHandle = Owned<HANDLE, &detail::closeKernelHandle>;
using UniqueWindow = Owned<HWND, &detail::destroyWindow>;
// A menu until a window or a menu takes it; theirs are destroyed with them.
using UniqueMenu = Owned<HMENU, &detail::destroyMenu>;
// Memory the system allocated for the caller to free with LocalFree.
using UniqueLocalMemory = Owned<HLOCAL, &detail::freeLocal>;

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

// A window's device context for one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~PaintDc() {
        if (dc_) EndPaint(hwnd_, &paint_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace morvane::platform::win32
