// Fonts and the windowless controls (labels, images, frames) that a
// container paints and hit-tests itself.
#pragma once

#include "toolkit/handles.h"

#include <windows.h>

#include <functional>
#include <string>

namespace tk {

class Container;

struct FontSpec {
    std::wstring name = L"MS Sans Serif";
    double points = 8.25;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    BYTE charset = DEFAULT_CHARSET;
    UINT dpi = 0; // the DPI the font is made for; 0 is the screen's
};

// A font made for the screen's DPI from a point size.
unique_hfont CreateFontFrom(const FontSpec& spec);
// Whether the system has a font of that face name.
bool FontExists(const std::wstring& name);

// Mouse buttons and shift keys as the event handlers receive them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
int ShiftState() noexcept;

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class LightControl {
public:
    virtual ~LightControl();
    LightControl() = default;
    LightControl(const LightControl&) = delete;
    LightControl& operator=(const LightControl&) = delete;

    // Places the control in a container, in the container's pixels.
    void Create(Container& container, int left, int top, int width, int height);

    RECT Bounds() const noexcept { return m_bounds; }
    int Left() const noexcept { return m_bounds.left; }
    int Top() const noexcept { return m_bounds.top; }
    int Width() const noexcept { return m_bounds.right - m_bounds.left; }
    int Height() const noexcept { return m_bounds.bottom - m_bounds.top; }
    void Move(int left, int top);
    void SetBounds(int left, int top, int width, int height);
    bool Visible() const noexcept { return m_visible; }
    void SetVisible(bool visible);

    // A cursor of the control's own; a new one each assignment, owned here.
    void SetMouseIcon(unique_hcursor cursor);
    // A cursor the caller keeps alive for as long as the control shows it.
    void SetMouseIcon(HCURSOR shared);
    HCURSOR MouseIcon() const noexcept { return m_cursor; }

    // Hit-tested controls take the mouse; the others let it through.
    virtual bool TakesMouse() const noexcept { return true; }
    virtual void Paint(HDC dc) = 0;
    void Invalidate();

    int Index = 0; // position in a control array
    MouseHandler MouseDown;
    MouseHandler MouseUp;
    std::function<void()> Click;

protected:
    Container* m_container = nullptr;

private:
    RECT m_bounds{};
    bool m_visible = true;
    unique_hcursor m_ownedCursor;
    HCURSOR m_cursor = nullptr;
};

enum class Alignment { Left, Right, Center };

class Label : public LightControl {
public:
    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring caption);
    void SetFont(const FontSpec& spec);
    void SetForeColor(COLORREF color);
    COLORREF ForeColor() const noexcept { return m_foreColor; }
    HFONT Font() const noexcept { return m_font.get(); }
    COLORREF BackColor() const noexcept { return m_backColor; }
    void SetBackColor(COLORREF color);
    void SetTransparent(bool transparent);
    void SetAlignment(Alignment alignment);
    void SetBorder(bool single);
    void SetWordWrap(bool wrap);
    // A label without handlers still blocks the mouse, as a lightweight label does.
    void SetToolTipText(std::wstring text);
    const std::wstring& ToolTipText() const noexcept { return m_toolTip; }

    void Paint(HDC dc) override;

private:
    std::wstring m_caption;
    std::wstring m_toolTip;
    unique_hfont m_font = CreateFontFrom({});
    COLORREF m_foreColor = RGB(0, 0, 0);
    COLORREF m_backColor = RGB(255, 255, 255);
    bool m_transparent = true;
    bool m_border = false;
    bool m_wordWrap = false;
    Alignment m_alignment = Alignment::Left;
};

// A picture drawn at its place; a colour key makes its background see-through.
class Image : public LightControl {
public:
    void SetPicture(unique_hbitmap bitmap, COLORREF transparentColor);
    void Paint(HDC dc) override;

private:
    unique_hbitmap m_bitmap;
    COLORREF m_key = CLR_INVALID;
};

// An etched frame without caption; controls inside it are placed relative to it.
class Frame : public LightControl {
public:
    bool TakesMouse() const noexcept override { return false; }
    void Paint(HDC dc) override;
};

} // namespace tk
