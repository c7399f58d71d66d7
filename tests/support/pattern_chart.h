// PatternChart: a screen-filling window in which every pixel has a colour of
// its own position (ColourAt, or another function such as Checkerboard), so
// any block of the screen copied elsewhere can be checked pixel by pixel.
#pragma once

#include "support/pixels.h"
#include "toolkit/form.h"

#include <windows.h>

#include <vector>

namespace tktest {

class PatternChart {
public:
    // The chart's colour at a screen point, as a COLORREF.
    static COLORREF ColourAt(int x, int y)
    {
        return RGB((x * 37) & 0xFF, (y * 59) & 0xFF, ((x + 2 * y) * 23) & 0xFF);
    }

    // Single-pixel black and white squares, white where x + y is even.
    static COLORREF Checkerboard(int x, int y) { return (x + y) % 2 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0); }

    using ColourFunction = COLORREF (*)(int x, int y);
    explicit PatternChart(ColourFunction colourAt = &ColourAt)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &PatternChart::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TestPatternChart";
        ::RegisterClassW(&windowClass);
        m_hwnd = ::CreateWindowExW(0, L"TestPatternChart", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(colourAt));
        ::UpdateWindow(m_hwnd);
        tk::DoEvents();
    }
    ~PatternChart() { ::DestroyWindow(m_hwnd); }
    PatternChart(const PatternChart&) = delete;
    PatternChart& operator=(const PatternChart&) = delete;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_PAINT)
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd, &paint);
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int height = ::GetSystemMetrics(SM_CYSCREEN);
        auto colourAt = reinterpret_cast<ColourFunction>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!colourAt)
            colourAt = &ColourAt;
        std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = colourAt(x, y);
                pixels[static_cast<std::size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        const BITMAPINFO info = TopDown32(width, height);
        ::SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        ::EndPaint(hwnd, &paint);
        return 0;
    }

    HWND m_hwnd = nullptr;
};

} // namespace tktest
