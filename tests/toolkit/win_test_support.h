// Shared by the Windows tests: a plain form placed where the test wants it,
// message pumping, screen reads independent of the program's own, and real
// mouse input.
#pragma once

#include "toolkit/form.h"
#include "toolkit/handles.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tktest {

// Handles whatever is queued, for at least the given time, so paints,
// posted input and X events have all been through.
inline void Pump(int milliseconds = 60)
{
    const DWORD start = ::GetTickCount();
    do {
        tk::DoEvents();
        ::Sleep(5);
    } while (static_cast<int>(::GetTickCount() - start) < milliseconds);
    tk::DoEvents();
}

template <class Condition>
bool PumpUntil(Condition condition, int timeoutMilliseconds = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMilliseconds)
            return false;
        tk::DoEvents();
        ::Sleep(5);
    }
    return true;
}

// A borderless, topmost form of one colour at a chosen place, with hooks for
// the tests; its colour can change after it is shown.
class TestForm : public tk::Form {
public:
    TestForm(std::wstring name, RECT place, COLORREF color = RGB(255, 255, 255))
        : tk::Form(std::move(name)), m_place(place), m_color(color)
    {
    }
    ~TestForm() override { Unload(); }

    // Loads, places and shows the form, and lets it paint.
    void ShowAt()
    {
        Load();
        MovePixels(m_place.left, m_place.top);
        Show();
        Pump(80);
    }
    void SetColor(COLORREF color)
    {
        m_color = color;
        ::InvalidateRect(hWnd(), nullptr, FALSE);
        ::UpdateWindow(hWnd());
        Pump(30); // Wine hands a window's drawing to X from its message loop
    }
    POINT ScreenPoint(int x, int y) const
    {
        POINT point{x, y};
        ::ClientToScreen(hWnd(), &point);
        return point;
    }

    std::function<void()> OnLoad;
    std::function<void()> OnUnload;
    std::function<void()> OnActivate;
    std::function<void(int)> OnKeyDown;
    std::function<bool(UINT, WPARAM, LPARAM)> OnMessage; // true: handled
    DWORD ExStyle = WS_EX_TOPMOST; // read when the form loads, as is:
    bool PreviewKeys = false;
    int KeyDowns = 0;

protected:
    tk::FormStyle Style() const override
    {
        tk::FormStyle style;
        style.style = WS_POPUP;
        style.exStyle = ExStyle;
        style.keyPreview = PreviewKeys;
        style.clientWidth = m_place.right - m_place.left;
        style.clientHeight = m_place.bottom - m_place.top;
        style.backColor = m_color;
        style.startUpPosition = tk::StartUpPosition::Manual;
        return style;
    }
    void Form_Load() override
    {
        if (OnLoad)
            OnLoad();
    }
    void Form_Unload() override
    {
        if (OnUnload)
            OnUnload();
    }
    void Form_Activate() override
    {
        if (OnActivate)
            OnActivate();
    }
    void Form_KeyDown(int keyCode, int) override
    {
        ++KeyDowns;
        if (OnKeyDown)
            OnKeyDown(keyCode);
    }
    void PaintContent(HDC dc, const RECT& dirty) override
    {
        const tk::unique_hbrush brush(::CreateSolidBrush(m_color));
        ::FillRect(dc, &dirty, brush.get());
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (OnMessage && OnMessage(message, wParam, lParam))
            return 0;
        return tk::Form::HandleMessage(message, wParam, lParam);
    }

private:
    RECT m_place;
    COLORREF m_color;
};

// Records the errors that reach the unhandled-error path instead of ending
// the test program with a message box.
class ErrorRecorder {
public:
    ErrorRecorder()
    {
        tk::SetUnhandledErrorHandler([this](const tk::AppError& error) { Numbers.push_back(error.Number()); });
    }
    ~ErrorRecorder() { tk::SetUnhandledErrorHandler(nullptr); }
    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;
    std::vector<long> Numbers;
};

inline RECT Place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// A block of pixels: the screen's, a DC's or a bitmap's, read in one go.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgr; // top-down rows, 0x00RRGGBB as a DIB holds them

    COLORREF At(int x, int y) const
    {
        const std::uint32_t value = bgr[static_cast<std::size_t>(y) * width + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    bool operator==(const Pixels&) const = default;
    friend void PrintTo(const Pixels& pixels, std::ostream* out)
    {
        *out << pixels.width << "x" << pixels.height << " pixels";
    }
};

inline Pixels ReadDC(HDC source, int left, int top, int width, int height)
{
    Pixels result;
    result.width = width;
    result.height = height;
    result.bgr.resize(static_cast<std::size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const tk::unique_hbitmap copy(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const tk::unique_hdc dc(::CreateCompatibleDC(source));
    {
        const tk::SelectGuard select(dc.get(), copy.get());
        ::BitBlt(dc.get(), 0, 0, width, height, source, left, top, SRCCOPY);
        ::GdiFlush();
        std::memcpy(result.bgr.data(), bits, result.bgr.size() * sizeof(std::uint32_t));
    }
    for (auto& value : result.bgr)
        value &= 0x00FFFFFF;
    return result;
}

inline Pixels ReadScreen(const RECT& area)
{
    const tk::WindowDC screen;
    return ReadDC(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

// One screen pixel through the plain screen DC, not through GetScreenPixel.
inline COLORREF ScreenPixel(int x, int y)
{
    const tk::WindowDC screen;
    return ::GetPixel(screen, x, y);
}

inline Pixels ReadBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    const tk::WindowDC screen;
    const tk::unique_hdc dc(::CreateCompatibleDC(screen));
    const tk::SelectGuard select(dc.get(), bitmap);
    return ReadDC(dc.get(), 0, 0, info.bmWidth, info.bmHeight);
}

// A 24-bit picture whose pixels a function gives.
template <class ColorAt>
tk::unique_hbitmap MakePicture(int width, int height, ColorAt colorAt)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const tk::WindowDC screen;
    tk::unique_hbitmap bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF color = colorAt(x, y);
            pixels[static_cast<std::size_t>(y) * width + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) |
                                                               GetBValue(color);
        }
    return bitmap;
}

// Writes pixels as a 24-bit .bmp file.
inline bool SaveBmp(const Pixels& image, const std::string& path)
{
    const int stride = (image.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * image.height);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::vector<unsigned char> row(static_cast<std::size_t>(stride));
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t value = image.bgr[static_cast<std::size_t>(y) * image.width + x];
            row[static_cast<std::size_t>(x) * 3] = value & 0xFF;
            row[static_cast<std::size_t>(x) * 3 + 1] = (value >> 8) & 0xFF;
            row[static_cast<std::size_t>(x) * 3 + 2] = (value >> 16) & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

// Real mouse input: the cursor is placed first, so no relative motion (which
// the system accelerates) is involved.
inline void MouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

inline void MoveMouse(POINT point)
{
    ::SetCursorPos(point.x, point.y);
}

inline void Press(POINT point, DWORD down = MOUSEEVENTF_LEFTDOWN)
{
    MoveMouse(point);
    Pump(20);
    MouseButton(down);
}

inline void Click(POINT point, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
{
    Press(point, down);
    MouseButton(up);
    Pump(60);
}

// A cursor this test owns (the toolkit destroys the cursors it is given).
inline tk::unique_hcursor OwnCursor(const wchar_t* system)
{
    return tk::unique_hcursor(static_cast<HCURSOR>(::CopyImage(::LoadCursorW(nullptr, system), IMAGE_CURSOR, 0, 0, 0)));
}

} // namespace tktest
