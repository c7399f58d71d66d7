// Painting, hit-testing and mouse routing for windowless controls.
#include "toolkit/container.h"

#include "toolkit/screen.h"
#include "toolkit/syscontrols.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace tk {

void Container::AddLight(LightControl& control)
{
    m_lights.push_back(&control);
}

void Container::RemoveLight(LightControl& control) noexcept
{
    std::erase(m_lights, &control);
    if (m_pressTarget == &control)
        m_pressTarget = nullptr;
}

void Container::InvalidatePixels(const RECT& area)
{
    if (hWnd())
        ::InvalidateRect(hWnd(), &area, FALSE);
}

void Container::SetMouseIcon(unique_hcursor cursor)
{
    SetMouseIcon(cursor.get());
    m_ownedCursor = std::move(cursor);
}

void Container::SetMouseIcon(HCURSOR shared)
{
    m_cursor = shared;
    RefreshCursor();
    m_ownedCursor.reset();
}

void Container::RefreshCursor()
{
    // WM_SETCURSOR would come only with the next mouse move, and never while
    // a press holds the capture (the drag loop changes cursors just then).
    // Windows inside this one may take its cursor, so they are asked too.
    POINT point{};
    if (!hWnd() || !::GetCursorPos(&point))
        return;
    const HWND under = ::WindowFromPoint(point);
    if (!under || (under != hWnd() && !::IsChild(hWnd(), under)))
        return;
    if (auto* container = dynamic_cast<Container*>(Window::FromHandle(under))) {
        ::ScreenToClient(under, &point);
        container->SetCursorFor(point);
    }
}

HCURSOR Container::EffectiveCursor() const
{
    if (m_cursor)
        return m_cursor;
    if (auto* parent = dynamic_cast<Container*>(Window::FromHandle(::GetParent(hWnd()))))
        return parent->EffectiveCursor();
    return nullptr;
}

void Container::UpdateToolTip(LightControl& control, const std::wstring& text)
{
    if (!hWnd())
        return;
    if (!m_toolTip) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&init);
        m_toolTip.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                          nullptr, Instance(), nullptr));
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // Mouse messages are relayed from HandleMessage rather than by letting the
    // tooltip subclass this window: subclassed, every message the window gets
    // (each field's notifications and colours during a drag) would first go
    // through comctl32's subclass chain: about a seventh of a drag's time under
    // Wine.
    tool.uFlags = 0;
    tool.hwnd = hWnd();
    tool.uId = reinterpret_cast<UINT_PTR>(&control);
    tool.rect = control.Bounds();
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(m_toolTip.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty())
        ::SendMessageW(m_toolTip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LightControl* Container::HitTest(POINT point) const
{
    for (auto it = m_lights.rbegin(); it != m_lights.rend(); ++it) {
        LightControl* control = *it;
        const RECT bounds = control->Bounds();
        if (control->Visible() && control->TakesMouse() && PtInRect(&bounds, point))
            return control;
    }
    return nullptr;
}

void Container::RaiseMouse(LightControl* target, const MouseHandler& ownHandler,
                           MouseHandler LightControl::*handler, int button, POINT point)
{
    if (target) {
        const MouseHandler& raise = target->*handler;
        if (raise)
            raise(button, ShiftState(), ToScaleX(point.x - target->Left()), ToScaleY(point.y - target->Top()));
    } else if (ownHandler) {
        ownHandler(button, ShiftState(), ToScaleX(point.x), ToScaleY(point.y));
    }
}

void Container::ButtonDown(int button, POINT point)
{
    LightControl* target = HitTest(point);
    if (!m_pressActive) {
        // The release must come back here, wherever the mouse goes meanwhile.
        m_pressActive = true;
        m_pressTarget = target;
        m_pressButton = button;
        ::SetCapture(hWnd());
    }
    RaiseMouse(target, MouseDown, &LightControl::MouseDown, button, point);
}

void Container::ButtonUp(int button, POINT point)
{
    LightControl* hit = HitTest(point);
    if (m_pressActive && button == m_pressButton) {
        m_pressActive = false;
        LightControl* target = m_pressTarget;
        m_pressTarget = nullptr;
        if (::GetCapture() == hWnd())
            ::ReleaseCapture();
        RaiseMouse(target, MouseUp, &LightControl::MouseUp, button, point);
        // Only the left button clicks; the others are presses and releases.
        if (button == kLeftButton && target == hit) {
            RECT client{};
            ::GetClientRect(hWnd(), &client);
            if (target && target->Click)
                target->Click();
            else if (!target && Click && PtInRect(&client, point))
                Click();
        }
        return;
    }
    RaiseMouse(hit, MouseUp, &LightControl::MouseUp, button, point);
}

bool Container::SetCursorFor(POINT point)
{
    if (Screen::GetMousePointer() == Screen::MousePointer::Busy) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    HCURSOR cursor = nullptr;
    if (LightControl* control = HitTest(point); control && control->MouseIcon())
        cursor = control->MouseIcon();
    if (!cursor)
        cursor = EffectiveCursor();
    ::SetCursor(cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

LRESULT Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_toolTip && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
        MSG relayed{hWnd(), message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::GetCursorPos(&relayed.pt);
        ::SendMessageW(m_toolTip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case WM_PAINT: {
        const PaintDC dc(hWnd());
        PaintContent(dc, dc.Dirty());
        for (LightControl* control : m_lights)
            if (control->Visible())
                control->Paint(dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // everything is painted in WM_PAINT
    // The second press of a double click comes as a double-click message;
    // there is no double-click event, so it is a press like any other.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(kLeftButton, point);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        ButtonDown(kRightButton, point);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        ButtonDown(kMiddleButton, point);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(kLeftButton, point);
        return 0;
    case WM_RBUTTONUP:
        ButtonUp(kRightButton, point);
        return 0;
    case WM_MBUTTONUP:
        ButtonUp(kMiddleButton, point);
        return 0;
    case WM_MOUSEMOVE: {
        LightControl* target = m_pressActive ? m_pressTarget : HitTest(point);
        int buttons = 0;
        if (wParam & MK_LBUTTON)
            buttons |= kLeftButton;
        if (wParam & MK_RBUTTON)
            buttons |= kRightButton;
        if (wParam & MK_MBUTTON)
            buttons |= kMiddleButton;
        if (!target && MouseMove)
            MouseMove(buttons, ShiftState(), ToScaleX(point.x), ToScaleY(point.y));
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Losing the capture (another window took it) ends the press as a
        // release would, so no one is left waiting for a mouse-up.
        if (m_pressActive && reinterpret_cast<HWND>(lParam) != hWnd()) {
            m_pressActive = false;
            LightControl* target = m_pressTarget;
            m_pressTarget = nullptr;
            POINT cursor{};
            ::GetCursorPos(&cursor);
            ::ScreenToClient(hWnd(), &cursor);
            RaiseMouse(target, MouseUp, &LightControl::MouseUp, m_pressButton, cursor);
        }
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hWnd() && LOWORD(lParam) == HTCLIENT) {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            ::ScreenToClient(hWnd(), &cursor);
            return SetCursorFor(cursor);
        }
        if (Screen::GetMousePointer() == Screen::MousePointer::Busy) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (auto* text = dynamic_cast<TextBox*>(Window::FromHandle(reinterpret_cast<HWND>(lParam))))
            return reinterpret_cast<LRESULT>(text->PrepareColors(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_HSCROLL:
        if (auto* bar = dynamic_cast<ScrollBar*>(Window::FromHandle(reinterpret_cast<HWND>(lParam)))) {
            bar->OnScroll(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            if (auto* button = dynamic_cast<CommandButton*>(Window::FromHandle(reinterpret_cast<HWND>(lParam)))) {
                if (button->Click)
                    button->Click();
                return 0;
            }
        break;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace tk
