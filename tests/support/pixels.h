// Pixels read back independently of the program's own reads: Pixels is a
// block read in one go (ReadDC from any DC, ReadScreen / ReadClient from the
// screen, ReadBitmap from a bitmap); ScreenPixel reads one screen pixel
// through the plain screen DC (CLR_INVALID off the screen); IsInk tells text
// from its background; MakePicture builds a bitmap from a function, SaveBmp
// writes pixels out as a .bmp for a look.
#pragma once

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

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgr; // top-down rows, 0x00RRGGBB as a DIB holds them

    COLORREF At(int x, int y) const
    {
        const std::uint32_t value = bgr[static_cast<std::size_t>(y) * width + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    // How many pixels of the rectangle match.
    int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += match(At(x, y)) ? 1 : 0;
        return count;
    }
    bool operator==(const Pixels&) const = default;
    friend void PrintTo(const Pixels& pixels, std::ostream* out)
    {
        *out << pixels.width << "x" << pixels.height << " pixels";
    }
};

// Dark enough to be the ink of text, on any light background.
inline bool IsInk(COLORREF color)
{
    return GetRValue(color) + GetGValue(color) + GetBValue(color) < 3 * 96;
}

inline BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

inline Pixels ReadDC(HDC source, int left, int top, int width, int height)
{
    Pixels result;
    result.width = width;
    result.height = height;
    result.bgr.resize(static_cast<std::size_t>(width) * height);
    const BITMAPINFO info = TopDown32(width, height);
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

// What the screen shows over a rectangle of a window's client area; the
// result's (0, 0) is the rectangle's top-left corner.
inline Pixels ReadClient(HWND window, const RECT& client)
{
    POINT origin{client.left, client.top};
    ::ClientToScreen(window, &origin);
    return ReadScreen({origin.x, origin.y, origin.x + client.right - client.left,
                       origin.y + client.bottom - client.top});
}

inline COLORREF ScreenPixel(int x, int y)
{
    const tk::WindowDC screen;
    return ::GetPixel(screen, x, y);
}

// Whether the screen shows a colour at a point of a window's client area:
// what a test waits for after drawing, since Wine hands the drawing to X
// from the message loop.
inline bool ScreenShows(HWND window, POINT client, COLORREF color)
{
    ::ClientToScreen(window, &client);
    return ScreenPixel(client.x, client.y) == color;
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

// A 32-bit top-down picture whose pixels a function gives.
template <class ColorAt>
tk::unique_hbitmap MakePicture(int width, int height, ColorAt colorAt)
{
    const BITMAPINFO info = TopDown32(width, height);
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

} // namespace tktest
