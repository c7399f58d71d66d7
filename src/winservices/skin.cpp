// Skin regions: one rectangle per horizontal run of non-key pixels.
#include "winservices/skin.h"

#include "toolkit/picturebox.h"
#include "winservices/api_window.h"

#include <vector>

namespace {

// Merges each rectangle as soon as its run closes, in scan order.
class RegionBuilder {
public:
    void AddRun(int left, int row, int right)
    {
        ++m_runs;
        tk::unique_hrgn rectangle(::CreateRectRgn(left, row, right, row + 1));
        if (!m_region) {
            m_region = std::move(rectangle);
            return;
        }
        ::CombineRgn(m_region.get(), m_region.get(), rectangle.get(), RGN_OR);
    }
    tk::unique_hrgn Take() { return std::move(m_region); }
    std::int32_t Runs() const noexcept { return m_runs; }

private:
    tk::unique_hrgn m_region;
    std::int32_t m_runs = 0;
};

template <class PixelAt>
tk::unique_hrgn ScanRuns(int width, int height, COLORREF key, PixelAt pixelAt, std::int32_t* runCount)
{
    RegionBuilder builder;
    for (int y = 0; y < height; ++y) {
        bool inRun = false;
        int start = 0;
        for (int x = 0; x < width; ++x) {
            const bool opaque = pixelAt(x, y) != key;
            if (opaque && !inRun) {
                inRun = true;
                start = x;
            } else if (!opaque && inRun) {
                inRun = false;
                builder.AddRun(start, y, x);
            }
        }
        if (inRun) // no run continues into the next row
            builder.AddRun(start, y, width);
    }
    if (runCount)
        *runCount = builder.Runs();
    return builder.Take();
}

} // namespace

tk::unique_hrgn MakeRegionFromPicturePerPixel(tk::PictureBox& picture, std::int32_t keyX, std::int32_t keyY,
                                              std::int32_t* runCount)
{
    const HDC dc = picture.hdc();
    const int width = static_cast<int>(picture.ScaleWidth());
    const int height = static_cast<int>(picture.ScaleHeight());
    const COLORREF key = ::GetPixel(dc, keyX, keyY);
    return ScanRuns(width, height, key, [dc](int x, int y) { return ::GetPixel(dc, x, y); }, runCount);
}

tk::unique_hrgn MakeRegionFromPicture(tk::PictureBox& picture, std::int32_t keyX, std::int32_t keyY,
                                      std::int32_t* runCount)
{
    const HDC dc = picture.hdc();
    const int width = static_cast<int>(picture.ScaleWidth());
    const int height = static_cast<int>(picture.ScaleHeight());
    if (runCount)
        *runCount = 0;
    if (width <= 0 || height <= 0)
        return {};

    // One copy of the whole image instead of a GetPixel per pixel.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const tk::unique_hbitmap copy(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const tk::unique_hdc copyDC(::CreateCompatibleDC(dc));
    if (!copy || !copyDC)
        return MakeRegionFromPicturePerPixel(picture, keyX, keyY, runCount);
    {
        const tk::SelectGuard select(copyDC.get(), copy.get());
        ::BitBlt(copyDC.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const auto pixelAt = [pixels, width](int x, int y) {
        const std::uint32_t bgr = pixels[static_cast<std::size_t>(y) * width + x];
        return static_cast<COLORREF>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    };
    // The key comes from the same copy, so like is compared with like
    // whatever the display's colour depth; off the image it is GetPixel's answer.
    const bool keyInside = keyX >= 0 && keyY >= 0 && keyX < width && keyY < height;
    const COLORREF key = keyInside ? pixelAt(keyX, keyY) : ::GetPixel(dc, keyX, keyY);
    return ScanRuns(width, height, key, pixelAt, runCount);
}

namespace {
bool FileExists(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
} // namespace

void ApplySkin(tk::Container& control, const tk::Window& window, std::int16_t alpha, const std::wstring& picturePath,
               std::int32_t keyX, std::int32_t keyY)
{
    auto* picture = dynamic_cast<tk::PictureBox*>(&control);
    if (picture) {
        picture->SetTop(0);
        picture->SetLeft(0);
    }
    if (!picturePath.empty() && FileExists(picturePath) && picture) {
        tk::unique_hbitmap loaded(static_cast<HBITMAP>(
            ::LoadImageW(nullptr, picturePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        if (loaded)
            picture->SetPicture(std::move(loaded));
    }
    if (picture) {
        picture->SetScaleMode(tk::kScalePixels);
        picture->SetAutoRedraw(true);
        picture->SetAutoSize(true);
        picture->SetBorderStyle(0);
    }
    if (!picture)
        return; // only a picture box has an image to cut the region from
    tk::unique_hrgn region = MakeRegionFromPicture(*picture, keyX, keyY);
    // The window owns the region from here on.
    ::SetWindowRgn(window.hWnd(), region.release(), TRUE);
    if (alpha <= 0)
        return;
    for (int attempt = 0; attempt < 3; ++attempt)
        if (SetTransparency(control.hWnd(), AlphaByte(alpha)))
            return;
}
