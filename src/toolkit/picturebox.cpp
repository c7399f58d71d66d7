// The picture box and its persistent image.
#include "toolkit/picturebox.h"

#include "toolkit/dpi.h"
#include "toolkit/screen.h"

#include <algorithm>
#include <cmath>

namespace tk {

PictureBox::~PictureBox()
{
    // Put the DC's own objects back before the image and brush are deleted.
    if (m_imageDC) {
        if (m_originalBrush)
            ::SelectObject(m_imageDC.get(), m_originalBrush);
        if (m_originalBitmap)
            ::SelectObject(m_imageDC.get(), m_originalBitmap);
    }
}

void PictureBox::Create(Container& parent, int left, int top, int width, int height)
{
    CreateWindowObject(kPictureClass, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top,
                       width, height, parent.hWnd());
    SetBorderStyle(m_borderStyle);
    RECT client{};
    ::GetClientRect(hWnd(), &client);
    ResizeImage(client.right, client.bottom);
}

void PictureBox::SetLeft(int left)
{
    ::SetWindowPos(hWnd(), nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::SetBounds(int left, int top, int width, int height)
{
    ::SetWindowPos(hWnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(hWnd(), &client);
    if (!m_autoSize)
        ResizeImage(client.right, client.bottom);
}

void PictureBox::SetTop(int top)
{
    ::SetWindowPos(hWnd(), nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int PictureBox::Left() const
{
    RECT rect{};
    ::GetWindowRect(hWnd(), &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hWnd()), reinterpret_cast<POINT*>(&rect), 2);
    return rect.left;
}

int PictureBox::Top() const
{
    RECT rect{};
    ::GetWindowRect(hWnd(), &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hWnd()), reinterpret_cast<POINT*>(&rect), 2);
    return rect.top;
}

double PictureBox::ScaleX(double value, int from, int to) const
{
    // Pixels to pixels needs no screen metrics, whose reading costs a
    // device context: a strip of 256 lines would open a thousand of them.
    if (from != kScaleTwips && to != kScaleTwips)
        return value;
    const double twips = Screen::TwipsPerPixelX();
    const double pixels = from == kScaleTwips ? value / twips : value;
    return to == kScaleTwips ? pixels * twips : pixels;
}

double PictureBox::ScaleY(double value, int from, int to) const
{
    if (from != kScaleTwips && to != kScaleTwips)
        return value;
    const double twips = Screen::TwipsPerPixelY();
    const double pixels = from == kScaleTwips ? value / twips : value;
    return to == kScaleTwips ? pixels * twips : pixels;
}

float PictureBox::ToScaleX(int pixels) const
{
    return static_cast<float>(ScaleX(pixels, kScalePixels, m_scaleMode));
}

float PictureBox::ToScaleY(int pixels) const
{
    return static_cast<float>(ScaleY(pixels, kScalePixels, m_scaleMode));
}

float PictureBox::ScaleWidth() const
{
    return ToScaleX(m_imageWidth);
}

float PictureBox::ScaleHeight() const
{
    return ToScaleY(m_imageHeight);
}

int PictureBox::PixelX(double x) const
{
    return static_cast<int>(std::nearbyint(ScaleX(x, m_scaleMode, kScalePixels)));
}

int PictureBox::PixelY(double y) const
{
    return static_cast<int>(std::nearbyint(ScaleY(y, m_scaleMode, kScalePixels)));
}

void PictureBox::SetAutoSize(bool on)
{
    m_autoSize = on;
    if (on && m_picture) {
        BITMAP info{};
        ::GetObjectW(m_picture.get(), sizeof info, &info);
        const RECT outer = OuterForClient(info.bmWidth, info.bmHeight,
                                          static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_STYLE)),
                                          static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_EXSTYLE)), DpiOf(hWnd()));
        ::SetWindowPos(hWnd(), nullptr, 0, 0, outer.right, outer.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ResizeImage(info.bmWidth, info.bmHeight);
    }
}

void PictureBox::SetBorderStyle(int style)
{
    m_borderStyle = style;
    if (!hWnd())
        return;
    LONG_PTR exStyle = ::GetWindowLongPtrW(hWnd(), GWL_EXSTYLE);
    exStyle = style ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    ::SetWindowLongPtrW(hWnd(), GWL_EXSTYLE, exStyle);
    ::SetWindowPos(hWnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT client{};
    ::GetClientRect(hWnd(), &client);
    if (!m_autoSize)
        ResizeImage(client.right, client.bottom);
    else
        SetAutoSize(true);
}

void PictureBox::ResizeImage(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (m_imageDC && width == m_imageWidth && height == m_imageHeight)
        return;
    const WindowDC screen;
    unique_hdc dc(::CreateCompatibleDC(screen));
    unique_hbitmap image(::CreateCompatibleBitmap(screen, width, height));
    const HGDIOBJ originalBitmap = ::SelectObject(dc.get(), image.get());
    {
        const unique_hbrush back(::CreateSolidBrush(m_backColor));
        RECT all{0, 0, width, height};
        ::FillRect(dc.get(), &all, back.get());
    }
    // A grown image shows the picture where nothing was drawn yet, and keeps
    // what was drawn where the old image reached.
    if (m_picture) {
        const unique_hdc source(::CreateCompatibleDC(dc.get()));
        const SelectGuard picture(source.get(), m_picture.get());
        ::BitBlt(dc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    }
    if (m_imageDC)
        ::BitBlt(dc.get(), 0, 0, std::min(width, m_imageWidth), std::min(height, m_imageHeight), m_imageDC.get(), 0,
                 0, SRCCOPY);
    if (m_imageDC) {
        if (m_originalBrush)
            ::SelectObject(m_imageDC.get(), m_originalBrush);
        ::SelectObject(m_imageDC.get(), m_originalBitmap);
    }
    m_imageDC = std::move(dc);
    m_image = std::move(image);
    m_originalBitmap = originalBitmap;
    m_originalBrush = nullptr;
    m_imageWidth = width;
    m_imageHeight = height;
    ImageChanged();
}

void PictureBox::SetPicture(unique_hbitmap picture)
{
    m_picture = std::move(picture);
    if (m_autoSize)
        SetAutoSize(true);
    Cls();
}

void PictureBox::SetFillColor(long color)
{
    if (color < 0 || color > 0xFFFFFF)
        throw AppError(380, kProgramSource, "Invalid property value");
    m_fillColor = static_cast<COLORREF>(color);
}

void PictureBox::SetBackColor(COLORREF color)
{
    m_backColor = color;
    Cls();
}

void PictureBox::SelectFillBrush()
{
    // The fill brush follows FillColor and FillStyle at every use, as
    // ExtFloodFill and Circle both paint with the DC's current brush.
    unique_hbrush brush(m_fillStyle == kFillSolid ? ::CreateSolidBrush(m_fillColor)
                                                  : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    const HGDIOBJ previous = ::SelectObject(m_imageDC.get(), brush.get());
    if (!m_originalBrush)
        m_originalBrush = previous;
    if (m_fillStyle == kFillSolid)
        m_fillBrush = std::move(brush);
    else {
        (void)brush.release(); // a stock object is never deleted
        m_fillBrush.reset();
    }
}

void PictureBox::ApplyDrawMode()
{
    ::SetROP2(m_imageDC.get(), m_drawMode == kDrawInvert ? R2_NOT : R2_COPYPEN);
}

HDC PictureBox::hdc()
{
    // The DC draws as the settings say now, not as the last method left it.
    SelectFillBrush();
    ApplyDrawMode();
    ImageChanged(); // whoever draws through the DC expects to see it
    return m_imageDC.get();
}

void PictureBox::ImageChanged()
{
    // Once until the next paint: a strip of 256 lines would otherwise ask
    // the system 256 times for what one request already covers.
    if (hWnd() && !m_invalidated) {
        ::InvalidateRect(hWnd(), nullptr, FALSE);
        m_invalidated = true;
    }
}

void PictureBox::Cls()
{
    const unique_hbrush back(::CreateSolidBrush(m_backColor));
    RECT all{0, 0, m_imageWidth, m_imageHeight};
    ::FillRect(m_imageDC.get(), &all, back.get());
    if (m_picture) {
        const unique_hdc source(::CreateCompatibleDC(m_imageDC.get()));
        const SelectGuard picture(source.get(), m_picture.get());
        BITMAP info{};
        ::GetObjectW(m_picture.get(), sizeof info, &info);
        ::BitBlt(m_imageDC.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
    ImageChanged();
}

void PictureBox::Circle(double x, double y, double radius, COLORREF color)
{
    const int cx = PixelX(x);
    const int cy = PixelY(y);
    const int r = static_cast<int>(std::nearbyint(ScaleX(radius, m_scaleMode, kScalePixels)));
    const unique_hpen pen(::CreatePen(PS_SOLID, 1, color));
    const SelectGuard selectPen(m_imageDC.get(), pen.get());
    SelectFillBrush();
    ApplyDrawMode();
    ::Ellipse(m_imageDC.get(), cx - r, cy - r, cx + r + 1, cy + r + 1);
    ImageChanged();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, COLORREF color)
{
    const unique_hpen pen(::CreatePen(PS_SOLID, 1, color));
    const SelectGuard selectPen(m_imageDC.get(), pen.get());
    ApplyDrawMode();
    ::MoveToEx(m_imageDC.get(), PixelX(x1), PixelY(y1), nullptr);
    ::LineTo(m_imageDC.get(), PixelX(x2), PixelY(y2)); // the end point is left out
    ImageChanged();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, COLORREF color)
{
    const unique_hpen pen(::CreatePen(PS_SOLID, 1, color));
    const SelectGuard selectPen(m_imageDC.get(), pen.get());
    ApplyDrawMode();
    const int left = std::min(PixelX(x1), PixelX(x2));
    const int right = std::max(PixelX(x1), PixelX(x2));
    const int top = std::min(PixelY(y1), PixelY(y2));
    const int bottom = std::max(PixelY(y1), PixelY(y2));
    // Lines rather than Rectangle: every outline pixel is drawn exactly once
    // (which matters when inverting), and a box one pixel wide or high is
    // still drawn, where Rectangle draws nothing.
    ::MoveToEx(m_imageDC.get(), left, top, nullptr);
    if (left == right) {
        ::LineTo(m_imageDC.get(), left, bottom + 1);
    } else if (top == bottom) {
        ::LineTo(m_imageDC.get(), right + 1, top);
    } else {
        const POINT outline[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
        ::Polyline(m_imageDC.get(), outline, 5);
    }
    ImageChanged();
}

long PictureBox::Point(double x, double y) const
{
    const int px = PixelX(x);
    const int py = PixelY(y);
    if (px < 0 || py < 0 || px >= m_imageWidth || py >= m_imageHeight)
        return -1;
    return static_cast<long>(::GetPixel(m_imageDC.get(), px, py));
}

void PictureBox::Refresh()
{
    if (hWnd())
        ::RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PictureBox::PaintContent(HDC dc, const RECT& dirty)
{
    m_invalidated = false; // the paint has taken the whole update region
    ::BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, m_imageDC.get(),
             dirty.left, dirty.top, SRCCOPY);
}

} // namespace tk
