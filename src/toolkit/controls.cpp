// Fonts and the windowless controls.
#include "toolkit/controls.h"

#include "toolkit/container.h"

#include <cmath>

namespace tk {

unique_hfont CreateFontFrom(const FontSpec& spec)
{
    const WindowDC screen;
    const int dpi = spec.dpi ? static_cast<int>(spec.dpi) : ::GetDeviceCaps(screen, LOGPIXELSY);
    const int height = -static_cast<int>(std::lround(spec.points * dpi / 72.0));
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = spec.weight;
    font.lfItalic = spec.italic;
    font.lfUnderline = spec.underline;
    font.lfCharSet = spec.charset;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, spec.name.c_str(), LF_FACESIZE);
    return unique_hfont(::CreateFontIndirectW(&font));
}

namespace {
int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) noexcept
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
} // namespace

bool FontExists(const std::wstring& name)
{
    const WindowDC screen;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, name.c_str(), LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(screen, &query, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

int ShiftState() noexcept
{
    int shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= 1;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= 2;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= 4;
    return shift;
}

LightControl::~LightControl()
{
    if (m_container)
        m_container->RemoveLight(*this);
}

void LightControl::Create(Container& container, int left, int top, int width, int height)
{
    m_container = &container;
    m_bounds = {left, top, left + width, top + height};
    container.AddLight(*this);
    Invalidate();
}

void LightControl::Move(int left, int top)
{
    Invalidate();
    OffsetRect(&m_bounds, left - m_bounds.left, top - m_bounds.top);
    Invalidate();
}

void LightControl::SetBounds(int left, int top, int width, int height)
{
    Invalidate();
    m_bounds = {left, top, left + width, top + height};
    Invalidate();
}

void LightControl::SetVisible(bool visible)
{
    m_visible = visible;
    Invalidate();
}

void LightControl::SetMouseIcon(unique_hcursor cursor)
{
    SetMouseIcon(cursor.get());
    m_ownedCursor = std::move(cursor);
}

void LightControl::SetMouseIcon(HCURSOR shared)
{
    m_cursor = shared;
    if (m_container)
        m_container->RefreshCursor();
    // The cursor shown until now goes only once the new one is in place.
    m_ownedCursor.reset();
}

void LightControl::Invalidate()
{
    if (m_container)
        m_container->InvalidatePixels(m_bounds);
}

void Label::SetCaption(std::wstring caption)
{
    m_caption = std::move(caption);
    Invalidate();
}

void Label::SetFont(const FontSpec& spec)
{
    m_font = CreateFontFrom(spec);
    Invalidate();
}

void Label::SetForeColor(COLORREF color)
{
    m_foreColor = color;
    Invalidate();
}

void Label::SetBackColor(COLORREF color)
{
    m_backColor = color;
    Invalidate();
}

void Label::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    Invalidate();
}

void Label::SetAlignment(Alignment alignment)
{
    m_alignment = alignment;
    Invalidate();
}

void Label::SetBorder(bool single)
{
    m_border = single;
    Invalidate();
}

void Label::SetWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    Invalidate();
}

void Label::SetToolTipText(std::wstring text)
{
    m_toolTip = std::move(text);
    if (m_container)
        m_container->UpdateToolTip(*this, m_toolTip);
}

void Label::Paint(HDC dc)
{
    RECT area = Bounds();
    if (!m_transparent) {
        const unique_hbrush background(::CreateSolidBrush(m_backColor));
        ::FillRect(dc, &area, background.get());
    }
    if (m_border) {
        const unique_hbrush frame(::CreateSolidBrush(RGB(0, 0, 0)));
        ::FrameRect(dc, &area, frame.get());
        ::InflateRect(&area, -1, -1);
    }
    if (m_caption.empty())
        return;
    const SelectGuard font(dc, m_font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_foreColor);
    UINT format = DT_NOPREFIX | DT_TOP;
    format |= m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (m_alignment == Alignment::Right)
        format |= DT_RIGHT;
    else if (m_alignment == Alignment::Center)
        format |= DT_CENTER;
    ::DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &area, format);
}

void Image::SetPicture(unique_hbitmap bitmap, COLORREF transparentColor)
{
    m_bitmap = std::move(bitmap);
    m_key = transparentColor;
    Invalidate();
}

void Image::Paint(HDC dc)
{
    if (!m_bitmap)
        return;
    BITMAP info{};
    ::GetObjectW(m_bitmap.get(), sizeof info, &info);
    const unique_hdc source(::CreateCompatibleDC(dc));
    const SelectGuard picture(source.get(), m_bitmap.get());
    // Pixels of the key colour are skipped one by one: the picture is tiny.
    for (int y = 0; y < info.bmHeight && y < Height(); ++y)
        for (int x = 0; x < info.bmWidth && x < Width(); ++x) {
            const COLORREF color = ::GetPixel(source.get(), x, y);
            if (color != m_key)
                ::SetPixelV(dc, Left() + x, Top() + y, color);
        }
}

void Frame::Paint(HDC dc)
{
    RECT area = Bounds();
    ::DrawEdge(dc, &area, EDGE_ETCHED, BF_RECT);
}

} // namespace tk
