// Screen-filling charts of known colours. ScreenChart paints every pixel with
// a function of its position, given by its owner (bands, stripes, a chart
// that changes over time: Repaint after the function's state changed);
// PatternChart is one in which every pixel has a colour of its own position
// (ColourAt, or another function such as Checkerboard), so any block of the
// screen copied elsewhere can be checked pixel by pixel.
#pragma once

#include "support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace tktest {

class ScreenChart {
public:
    using Painter = std::function<COLORREF(int x, int y)>;
    // Columns: the colour depends on x alone.
    enum Shape { EveryPixel, Columns };
    // Activating: clicks on it activate it, as on any window; otherwise it
    // never takes the activation from the window under test.
    enum Activation { Activating, NotActivating };

    explicit ScreenChart(Painter painter, Shape shape = EveryPixel, Activation activation = Activating)
        : m_painter(std::move(painter)), m_shape(shape), m_activation(activation)
    {
        static const ATOM windowClass = [] {
            WNDCLASSEXW description{};
            description.cbSize = sizeof description;
            description.lpfnWndProc = &ScreenChart::Proc;
            description.hInstance = ::GetModuleHandleW(nullptr);
            description.lpszClassName = L"TestScreenChart";
            return ::RegisterClassExW(&description);
        }();
        m_hwnd.reset(::CreateWindowExW(activation == NotActivating ? WS_EX_NOACTIVATE : 0,
                                       MAKEINTATOM(windowClass), L"", WS_POPUP, 0, 0,
                                       ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                       nullptr, ::GetModuleHandleW(nullptr), this));
        ::ShowWindow(m_hwnd.get(), activation == NotActivating ? SW_SHOWNOACTIVATE : SW_SHOW);
        ::UpdateWindow(m_hwnd.get());
    }
    ScreenChart(const ScreenChart&) = delete;
    ScreenChart& operator=(const ScreenChart&) = delete;

    HWND hwnd() const { return m_hwnd.get(); }

    // Paints the chart (or a rectangle of it) again, at once.
    void Repaint(const RECT* area = nullptr)
    {
        ::InvalidateRect(m_hwnd.get(), area, FALSE);
        ::UpdateWindow(m_hwnd.get());
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<ScreenChart*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_PAINT) {
            self->Paint();
            return 0;
        }
        if (self && message == WM_MOUSEACTIVATE && self->m_activation == NotActivating)
            return MA_NOACTIVATE;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    void Paint()
    {
        const tk::PaintDC dc(m_hwnd.get());
        const RECT area = dc.Dirty();
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        if (width <= 0 || height <= 0)
            return;
        if (m_shape == Columns) {
            // A run of columns of one colour is one fill: a chart that changes
            // on a timer costs a few fills, not a pixel each.
            for (int left = area.left; left < area.right;) {
                const COLORREF colour = m_painter(left, area.top);
                int right = left + 1;
                while (right < area.right && m_painter(right, area.top) == colour)
                    ++right;
                const RECT run{left, area.top, right, area.bottom};
                const tk::unique_hbrush brush(::CreateSolidBrush(colour));
                ::FillRect(dc, &run, brush.get());
                left = right;
            }
            return;
        }
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const COLORREF c = m_painter(area.left + column, area.top + row);
                pixels[static_cast<std::size_t>(row) * width + column] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        const BITMAPINFO info = TopDown32(width, height);
        ::SetDIBitsToDevice(dc, area.left, area.top, width, height, 0, 0, 0, height, pixels.data(), &info,
                            DIB_RGB_COLORS);
    }

    Painter m_painter;
    Shape m_shape;
    Activation m_activation;
    tk::unique_hwnd m_hwnd;
};

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
    explicit PatternChart(ColourFunction colourAt = &ColourAt) : m_chart(colourAt) { tk::DoEvents(); }

private:
    ScreenChart m_chart;
};

} // namespace tktest
