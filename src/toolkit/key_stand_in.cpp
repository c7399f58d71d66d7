// Keyboard stand-ins for clickable windowless controls.
#include "toolkit/key_stand_in.h"

#include "toolkit/container.h"

#include <algorithm>
#include <vector>

namespace tk {

namespace {

constexpr int kCueMargin = 1; // pixels between the control and its focus rectangle

// Every focus frame of the thread, repainted whenever the focus moves.
std::vector<FocusFrame*>& Frames()
{
    static std::vector<FocusFrame*> frames;
    return frames;
}
HWINEVENTHOOK g_focusHook = nullptr;

void CALLBACK FocusMoved(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    for (FocusFrame* frame : Frames())
        frame->Invalidate();
}

void FrameAround(HDC dc, const RECT& bounds)
{
    // Solid rather than the system's dotted XOR rectangle, so it shows on
    // every background, and drawn in the text colour so it follows a theme.
    const unique_hbrush ink(::CreateSolidBrush(::GetSysColor(COLOR_WINDOWTEXT)));
    ::FrameRect(dc, &bounds, ink.get());
}

} // namespace

FocusFrame::~FocusFrame()
{
    auto& frames = Frames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (frames.empty() && g_focusHook) {
        ::UnhookWinEvent(g_focusHook);
        g_focusHook = nullptr;
    }
}

void FocusFrame::Create(Container& parent, HWND target)
{
    m_parent = &parent;
    m_target = target;
    LightControl::Create(parent, 0, 0, 0, 0);
    Frames().push_back(this);
    // Out of context, for this thread only: called from its own message loop.
    if (!g_focusHook)
        g_focusHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &FocusMoved,
                                        ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    Follow();
}

void FocusFrame::Follow()
{
    RECT around{};
    ::GetWindowRect(m_target, &around);
    ::MapWindowPoints(nullptr, m_parent->hWnd(), reinterpret_cast<POINT*>(&around), 2);
    ::InflateRect(&around, kCueMargin, kCueMargin);
    SetBounds(around.left, around.top, around.right - around.left, around.bottom - around.top);
}

void FocusFrame::Paint(HDC dc)
{
    if (::GetFocus() == m_target)
        FrameAround(dc, Bounds());
}

void KeyStandIn::Create(Container& parent, LightControl& control)
{
    m_parent = &parent;
    m_control = &control;
    // No size: it shows nothing itself, the mouse keeps going to the control,
    // and the dialog navigation still counts a visible, enabled tab stop.
    CreateWindowObject(kPictureClass, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, control.Left(), control.Top(), 0, 0,
                       parent.hWnd());
    m_cue.Create(parent, 0, 0, 0, 0);
    Follow();
}

void KeyStandIn::Follow()
{
    RECT around = m_control->Bounds();
    ::InflateRect(&around, kCueMargin, kCueMargin);
    RECT client{};
    ::GetClientRect(m_parent->hWnd(), &client);
    ::IntersectRect(&around, &around, &client);
    m_cue.SetBounds(around.left, around.top, around.right - around.left, around.bottom - around.top);
    ::SetWindowPos(hWnd(), nullptr, m_control->Left(), m_control->Top(), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool KeyStandIn::HasFocus() const noexcept
{
    return hWnd() && ::GetFocus() == hWnd();
}

bool KeyStandIn::TakeKey(int keyCode)
{
    if (!HasFocus() || (keyCode != VK_SPACE && keyCode != VK_RETURN) || !m_control->Click)
        return false;
    m_control->Click();
    return true;
}

LRESULT KeyStandIn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_cue.Invalidate();
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void KeyStandIn::Cue::Paint(HDC dc)
{
    if (m_owner.HasFocus())
        FrameAround(dc, Bounds());
}

} // namespace tk
