// A picture box with a persistent image: whatever is drawn goes into a
// memory bitmap that the window repaints from, so it survives being covered.
#pragma once

#include "toolkit/container.h"
#include "toolkit/handles.h"

#include <windows.h>

namespace tk {

enum ScaleModeUnit { kScaleTwips = 1, kScalePixels = 3 };
enum FillStyleKind { kFillSolid = 0, kFillTransparent = 1 };
enum DrawModeKind { kDrawInvert = 6, kDrawCopyPen = 13 };

class PictureBox : public Container {
public:
    PictureBox() = default;
    ~PictureBox() override;

    void Create(Container& parent, int left, int top, int width, int height);

    // Position within the parent, in pixels.
    void SetLeft(int left);
    void SetTop(int top);
    // Moved and sized at once; the image takes the new size.
    void SetBounds(int left, int top, int width, int height);
    int Left() const;
    int Top() const;

    int ScaleMode() const noexcept { return m_scaleMode; }
    void SetScaleMode(int mode) noexcept { m_scaleMode = mode; }
    float ScaleWidth() const;
    float ScaleHeight() const;
    // A length converted between two scale modes (twips and pixels).
    double ScaleX(double value, int from, int to) const;
    double ScaleY(double value, int from, int to) const;
    float ToScaleX(int pixels) const override;
    float ToScaleY(int pixels) const override;

    bool AutoRedraw() const noexcept { return m_autoRedraw; }
    void SetAutoRedraw(bool on) noexcept { m_autoRedraw = on; }
    bool AutoSize() const noexcept { return m_autoSize; }
    void SetAutoSize(bool on);
    int BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(int style);

    // The picture becomes the background of the persistent image.
    void SetPicture(unique_hbitmap picture);
    HBITMAP Picture() const noexcept { return m_picture.get(); }

    COLORREF BackColor() const noexcept { return m_backColor; }
    void SetBackColor(COLORREF color);
    COLORREF ForeColor() const noexcept { return m_foreColor; }
    void SetForeColor(COLORREF color) noexcept { m_foreColor = color; }
    int FillStyle() const noexcept { return m_fillStyle; }
    void SetFillStyle(int style) noexcept { m_fillStyle = style; }
    COLORREF FillColor() const noexcept { return m_fillColor; }
    // Only colour values 0..0xFFFFFF are fill colours; others are an invalid property value.
    void SetFillColor(long color);
    int DrawMode() const noexcept { return m_drawMode; }
    void SetDrawMode(int mode) noexcept { m_drawMode = mode; }

    // The device context of the persistent image; a fill brush of FillColor
    // is selected while FillStyle is solid.
    HDC hdc();

    // Drawing, in scale units, into the persistent image.
    void Cls();
    void Circle(double x, double y, double radius, COLORREF color);
    void Line(double x1, double y1, double x2, double y2, COLORREF color);
    void Box(double x1, double y1, double x2, double y2, COLORREF color); // outline, both corners included
    long Point(double x, double y) const;
    // Shows the image's changes now.
    void Refresh();

protected:
    void PaintContent(HDC dc, const RECT& dirty) override;

private:
    int PixelX(double x) const;
    int PixelY(double y) const;
    void ResizeImage(int width, int height);
    void SelectFillBrush();
    void ApplyDrawMode();
    void ImageChanged();

    int m_scaleMode = kScaleTwips;
    bool m_autoRedraw = false;
    bool m_autoSize = false;
    int m_borderStyle = 1;
    COLORREF m_backColor = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_foreColor = RGB(0, 0, 0);
    int m_fillStyle = kFillTransparent;
    COLORREF m_fillColor = RGB(0, 0, 0);
    int m_drawMode = kDrawCopyPen;
    unique_hbitmap m_picture;
    unique_hdc m_imageDC;
    unique_hbitmap m_image;
    HGDIOBJ m_originalBitmap = nullptr;
    HGDIOBJ m_originalBrush = nullptr;
    unique_hbrush m_fillBrush;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    bool m_invalidated = false; // asked to repaint, not painted yet
};

} // namespace tk
