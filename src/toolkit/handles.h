// One owner per GDI/USER handle: unique_ptr with the right deleter, plus
// scoped device contexts and object selection that put things back.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tk {

template <class Handle, auto Release>
struct HandleDeleter {
    void operator()(Handle handle) const noexcept
    {
        if (handle)
            Release(handle);
    }
};

template <class Handle, auto Release>
using unique_handle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

inline void DeleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline void DeleteMemoryDC(HDC dc) noexcept { ::DeleteDC(dc); }
inline void DestroyCursorHandle(HCURSOR cursor) noexcept { ::DestroyCursor(cursor); }
inline void DestroyIconHandle(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void DestroyWindowHandle(HWND window) noexcept { ::DestroyWindow(window); }
inline void FreeGlobalMemory(HGLOBAL memory) noexcept { ::GlobalFree(memory); }

using unique_hbrush = unique_handle<HBRUSH, DeleteGdiObject>;
using unique_hpen = unique_handle<HPEN, DeleteGdiObject>;
using unique_hfont = unique_handle<HFONT, DeleteGdiObject>;
using unique_hbitmap = unique_handle<HBITMAP, DeleteGdiObject>;
using unique_hrgn = unique_handle<HRGN, DeleteGdiObject>;
using unique_hdc = unique_handle<HDC, DeleteMemoryDC>; // CreateDC / CreateCompatibleDC
using unique_hcursor = unique_handle<HCURSOR, DestroyCursorHandle>;
using unique_hicon = unique_handle<HICON, DestroyIconHandle>;
using unique_hmenu = unique_handle<HMENU, DestroyMenuHandle>;
using unique_hwnd = unique_handle<HWND, DestroyWindowHandle>;
using unique_hglobal = unique_handle<HGLOBAL, FreeGlobalMemory>; // GlobalAlloc, until the clipboard takes it

// GetDC / ReleaseDC for a window, or for the whole screen with no window.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) noexcept : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDC() { if (m_dc) ::ReleaseDC(m_window, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return m_dc; }
    operator HDC() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    ~PaintDC() { ::EndPaint(m_window, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const noexcept { return m_dc; }
    operator HDC() const noexcept { return m_dc; }
    const RECT& Dirty() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectGuard() { if (m_previous) ::SelectObject(m_dc, m_previous); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace tk
