#pragma once
// Owners for the Win32 handles the code creates: each handle goes into one in the
// statement that creates it. Borrowed handles (stock objects, LR_SHARED icons,
// anything from a Get... call) stay raw.

#include <utility>

#include <windows.h>

template <class H>  // HBITMAP, HFONT, HBRUSH, HPEN, HRGN
class GdiObject {
public:
    GdiObject() noexcept = default;
    explicit GdiObject(H h) noexcept : m_h{h} {}
    GdiObject(GdiObject&& other) noexcept : m_h{std::exchange(other.m_h, nullptr)} {}
    GdiObject& operator=(GdiObject other) noexcept {
        std::swap(m_h, other.m_h);
        return *this;
    }
    ~GdiObject() {
        if (m_h) ::DeleteObject(m_h);
    }
    H Get() const noexcept { return m_h; }
    [[nodiscard]] H Release() noexcept { return std::exchange(m_h, nullptr); }
    explicit operator bool() const noexcept { return m_h != nullptr; }

private:
    H m_h = nullptr;
};

using BitmapHandle = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using RegionHandle = GdiObject<HRGN>;

// A kernel handle released by CloseHandle. Both null and INVALID_HANDLE_VALUE mean "none",
// because CreateFile reports failure with the latter and most other calls with the former.
class KernelHandle {
public:
    KernelHandle() noexcept = default;
    explicit KernelHandle(HANDLE h) noexcept : m_h{h == INVALID_HANDLE_VALUE ? nullptr : h} {}
    KernelHandle(KernelHandle&& other) noexcept : m_h{std::exchange(other.m_h, nullptr)} {}
    KernelHandle& operator=(KernelHandle other) noexcept {
        std::swap(m_h, other.m_h);
        return *this;
    }
    ~KernelHandle() {
        if (m_h) ::CloseHandle(m_h);
    }
    HANDLE Get() const noexcept { return m_h; }
    [[nodiscard]] HANDLE Release() noexcept { return std::exchange(m_h, nullptr); }
    explicit operator bool() const noexcept { return m_h != nullptr; }

private:
    HANDLE m_h = nullptr;
};

// HDC from CreateCompatibleDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith = nullptr) noexcept : m_dc{::CreateCompatibleDC(compatibleWith)} {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (m_dc) ::DeleteDC(m_dc);
    }
    HDC Get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// HDC from GetDC, GetWindowDC or GetDCEx; keeps the window it belongs to.
class WindowDc {
public:
    WindowDc(HWND window, HDC dc) noexcept : m_window{window}, m_dc{dc} {}
    static WindowDc Client(HWND window) noexcept { return WindowDc{window, ::GetDC(window)}; }
    static WindowDc Whole(HWND window) noexcept { return WindowDc{window, ::GetWindowDC(window)}; }
    WindowDc(WindowDc&& other) noexcept
        : m_window{other.m_window}, m_dc{std::exchange(other.m_dc, nullptr)} {}
    WindowDc& operator=(WindowDc&&) = delete;
    ~WindowDc() {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }
    HDC Get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint/EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : m_window{window} { ::BeginPaint(window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { ::EndPaint(m_window, &m_paint); }
    HDC Dc() const noexcept { return m_paint.hdc; }
    const RECT& Area() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
};

// Selects an object into a DC and selects the previous one back on destruction.
// Declare the object's owner before the scope, so that the object is deselected
// before it is deleted.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) noexcept : m_dc{dc}, m_previous{::SelectObject(dc, object)} {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (m_previous && m_previous != HGDI_ERROR) ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// SaveDC/RestoreDC around changes of several DC attributes.
class SavedDc {
public:
    explicit SavedDc(HDC dc) noexcept : m_dc{dc}, m_saved{::SaveDC(dc)} {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    ~SavedDc() {
        if (m_saved) ::RestoreDC(m_dc, m_saved);
    }

private:
    HDC m_dc;
    int m_saved;
};

// HICON from CreateIconIndirect or CopyIcon.
class IconHandle {
public:
    IconHandle() noexcept = default;
    explicit IconHandle(HICON h) noexcept : m_h{h} {}
    IconHandle(IconHandle&& other) noexcept : m_h{std::exchange(other.m_h, nullptr)} {}
    IconHandle& operator=(IconHandle other) noexcept {
        std::swap(m_h, other.m_h);
        return *this;
    }
    ~IconHandle() {
        if (m_h) ::DestroyIcon(m_h);
    }
    HICON Get() const noexcept { return m_h; }
    [[nodiscard]] HICON Release() noexcept { return std::exchange(m_h, nullptr); }
    explicit operator bool() const noexcept { return m_h != nullptr; }

private:
    HICON m_h = nullptr;
};
