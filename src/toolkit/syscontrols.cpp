// Text fields, scroll bars and push buttons.
#include "toolkit/syscontrols.h"

#include "toolkit/app_error.h"
#include "toolkit/container.h"

#include <algorithm>
#include <vector>

namespace tk {

namespace {

// Our text fields' own class: the system's edit control without the parent
// clipping (CS_PARENTDC) that its class asks for. Under the skinned window
// that clipping is the skin's region, hundreds of rectangles, fetched and
// clipped against on every text change and every paint: nearly a third of a
// drag's time under Wine. A field draws only inside itself, so its own
// rectangle gives the same picture. The process's EDIT class, and with it
// every edit of the common dialogs, stays as the system made it.
const wchar_t* TextFieldClass()
{
    // A registration that throws is tried again at the next field.
    static const bool registered = [] {
        WNDCLASSEXW field{};
        field.cbSize = sizeof field;
        if (!::GetClassInfoExW(nullptr, L"EDIT", &field))
            throw WindowCreationError("the system's edit class could not be read");
        field.style &= ~UINT{CS_PARENTDC};
        field.hInstance = Instance();
        field.lpszClassName = kTextFieldClass;
        if (!CreationCalls().registerClass(&field) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw WindowCreationError("the window class " + Narrow(kTextFieldClass) + " could not be registered");
        return true;
    }();
    (void)registered;
    return kTextFieldClass;
}

} // namespace

void TextBox::Create(Container& parent, int left, int top, int width, int height, bool border)
{
    CreateSystemControl(TextFieldClass(), 0,
                        WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL | (border ? WS_BORDER : 0), left, top,
                        width, height, parent.hWnd());
    SetFont({});
}

void TextBox::SetText(const std::wstring& text)
{
    // The same text again would still be laid out and repainted.
    if (Text() == text)
        return;
    ::SetWindowTextW(hWnd(), text.c_str());
}

std::wstring TextBox::Text() const
{
    const int length = ::GetWindowTextLengthW(hWnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hWnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TextBox::SetFont(const FontSpec& spec)
{
    // The control draws with the font it holds until WM_SETFONT hands it
    // another: the old one is released only after that.
    unique_hfont font = CreateFontFrom(spec);
    ::SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    m_font = std::move(font);
}

void TextBox::SetTabStop(bool stop)
{
    LONG_PTR style = ::GetWindowLongPtrW(hWnd(), GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    ::SetWindowLongPtrW(hWnd(), GWL_STYLE, style);
}

HBRUSH TextBox::PrepareColors(HDC dc)
{
    // Read-only fields would otherwise take the dialog grey.
    ::SetTextColor(dc, m_fore);
    ::SetBkColor(dc, m_back);
    return m_background.get();
}

void TextBox::SetColors(COLORREF fore, COLORREF back)
{
    m_fore = fore;
    m_back = back;
    m_background.reset(::CreateSolidBrush(back));
    ::InvalidateRect(hWnd(), nullptr, TRUE);
}

void ScrollBar::Create(Container& parent, int left, int top, int width, int height, int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    m_value = minimum;
    CreateSystemControl(L"SCROLLBAR", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, left, top, width, height,
                        parent.hWnd());
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPos = minimum;
    ::SetScrollInfo(hWnd(), SB_CTL, &info, TRUE);
}

void ScrollBar::SetValue(int value)
{
    if (value < m_min || value > m_max)
        throw AppError(380, kProgramSource, "Invalid property value");
    if (value == m_value)
        return;
    m_value = value;
    ::SetScrollPos(hWnd(), SB_CTL, value, TRUE);
    if (Change)
        Change();
}

void ScrollBar::OnScroll(int code)
{
    int value = m_value;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        value = std::max(m_min, m_value - 1);
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        value = std::min(m_max, m_value + 1);
        break;
    case SB_LEFT:
        value = m_min;
        break;
    case SB_RIGHT:
        value = m_max;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(hWnd(), SB_CTL, &info);
        value = std::clamp(info.nTrackPos, m_min, m_max);
        if (code == SB_THUMBTRACK) {
            // The thumb follows the mouse: the value moves with it and Scroll
            // reports each step; Change comes when the thumb is let go.
            if (value != m_value) {
                m_value = value;
                ::SetScrollPos(hWnd(), SB_CTL, value, TRUE);
                if (Scroll)
                    Scroll();
            }
            return;
        }
        ::SetScrollPos(hWnd(), SB_CTL, value, TRUE);
        m_value = value;
        if (Change)
            Change();
        return;
    }
    default:
        return;
    }
    if (value != m_value) {
        m_value = value;
        ::SetScrollPos(hWnd(), SB_CTL, value, TRUE);
        if (Change)
            Change();
    }
}

void CommandButton::Create(Container& parent, int left, int top, int width, int height)
{
    CreateSystemControl(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left, top, width, height,
                        parent.hWnd());
    SetFont({});
}

void CommandButton::SetCaption(const std::wstring& caption)
{
    ::SetWindowTextW(hWnd(), caption.c_str());
}

void CommandButton::SetFont(const FontSpec& spec)
{
    // The control draws with the font it holds until WM_SETFONT hands it
    // another: the old one is released only after that.
    unique_hfont font = CreateFontFrom(spec);
    ::SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    m_font = std::move(font);
}

} // namespace tk
