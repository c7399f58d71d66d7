// Forms, their collection, default instances and the message pumps.
#include "toolkit/form.h"

#include "toolkit/screen.h"

#include <algorithm>
#include <cmath>

namespace tk {

namespace {

std::vector<Form*> g_loadedForms;
std::vector<std::unique_ptr<Form>> g_retiredForms;

Form* TopLevelForm(HWND hwnd)
{
    return dynamic_cast<Form*>(Window::FromHandle(::GetAncestor(hwnd, GA_ROOT)));
}

} // namespace

const std::vector<Form*>& LoadedForms()
{
    return g_loadedForms;
}

void RetireForm(std::unique_ptr<Form> form)
{
    g_retiredForms.push_back(std::move(form));
}

void CollectRetiredForms()
{
    if (DispatchDepth() == 0)
        g_retiredForms.clear();
}

Form::Form(std::wstring name) : m_name(std::move(name)) {}

Form::~Form()
{
    std::erase(g_loadedForms, this);
}

void Form::Load()
{
    if (m_loaded)
        return;
    m_style = Style();
    const RECT outer = OuterForClient(m_style.clientWidth, m_style.clientHeight, m_style.style, m_style.exStyle, m_dpi);
    // A centred form is placed before it loads, so what its load handler
    // reads from the screen is what lies where it will appear.
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    int left = 0;
    int top = 0;
    if (m_style.startUpPosition == StartUpPosition::CenterScreen) {
        left = (Screen::WidthPixels() - width) / 2;
        top = (Screen::HeightPixels() - height) / 2;
    }
    CreateWindowObject(kFormClass, m_style.exStyle, m_style.style | WS_CLIPCHILDREN, left, top, width, height,
                       m_style.owner);
    ::SetWindowTextW(hWnd(), m_style.caption.c_str());
    m_loaded = true;
    g_loadedForms.push_back(this);
    InitializeComponent();
    Form_Load();
    // Made for the system's DPI before the window existed; its monitor may have another.
    if (const UINT dpi = DpiOf(hWnd()); m_loaded && dpi != m_dpi) {
        RECT outer{};
        ::GetWindowRect(hWnd(), &outer);
        LayOutAt(dpi, CornerForDpi(outer, m_dpi, dpi));
    }
}

void Form::PlaceWithClientPixels(POINT corner, int clientWidth, int clientHeight)
{
    const RECT outer = OuterForClient(clientWidth, clientHeight, static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_STYLE)),
                                      static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_EXSTYLE)), m_dpi);
    ::SetWindowPos(hWnd(), nullptr, corner.x, corner.y, outer.right, outer.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // A system that draws the frame at another DPI than the one asked for
    // (one DPI for every window, as Wine) leaves the client off by the
    // difference: the size is put right once, from what the window got.
    if (::IsIconic(hWnd()))
        return;
    const SIZE client = ClientSizePixels();
    if (client.cx != clientWidth || client.cy != clientHeight)
        ::SetWindowPos(hWnd(), nullptr, 0, 0, outer.right + clientWidth - client.cx,
                       outer.bottom + clientHeight - client.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::LayOutAt(UINT dpi, POINT corner)
{
    if (dpi == m_dpi || !hWnd())
        return;
    m_dpi = dpi;
    const FormStyle style = Style();
    PlaceWithClientPixels(corner, style.clientWidth, style.clientHeight);
    Form_DpiChanged();
    ::InvalidateRect(hWnd(), nullptr, TRUE);
}

POINT Form::CornerForDpi(const RECT& suggested, UINT, UINT)
{
    return {suggested.left, suggested.top};
}

void Form::Show()
{
    if (!m_loaded)
        Load();
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (m_style.startUpPosition == StartUpPosition::WindowsDefault) {
            const RECT monitor = DefaultPlacementMonitor();
            MovePixels(monitor.left + (monitor.right - monitor.left) / 8,
                       monitor.top + (monitor.bottom - monitor.top) / 8);
        }
        Form_Resize();
    }
    ::ShowWindow(hWnd(), SW_SHOW);
    ::SetForegroundWindow(hWnd());
}

void Form::ShowModal()
{
    if (!m_loaded)
        Load();
    for (Form* form : g_loadedForms)
        if (form != this && ::IsWindowEnabled(form->hWnd())) {
            ::EnableWindow(form->hWnd(), FALSE);
            m_disabledByModal.push_back(form->hWnd());
        }
    Show();
    MSG message{};
    while (m_loaded) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // A quit request ends the outer loops too: leave it for them.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!PreTranslateForForms(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

void Form::Hide()
{
    if (hWnd())
        ::ShowWindow(hWnd(), SW_HIDE);
}

void Form::Unload()
{
    if (!m_loaded)
        return;
    Form_Unload();
    m_loaded = false;
    std::erase(g_loadedForms, this);
    // Give the input back before the window goes, so activation returns to
    // the windows a modal form had disabled.
    for (HWND hwnd : m_disabledByModal)
        if (::IsWindow(hwnd))
            ::EnableWindow(hwnd, TRUE);
    m_disabledByModal.clear();
    DestroyWindowObject();
    if (m_release) {
        auto release = std::move(m_release);
        release(); // may delete this form later, never now
    }
}

RECT Form::DefaultPlacementMonitor() const
{
    return Screen::MonitorAt({0, 0}); // the primary
}

int Form::Left() const { return Screen::TwipsFromPixelsX(PositionPixels().x); }
int Form::Top() const { return Screen::TwipsFromPixelsY(PositionPixels().y); }

int Form::Width() const
{
    RECT rect{};
    ::GetWindowRect(hWnd(), &rect);
    return Screen::TwipsFromPixelsX(rect.right - rect.left);
}

int Form::Height() const
{
    RECT rect{};
    ::GetWindowRect(hWnd(), &rect);
    return Screen::TwipsFromPixelsY(rect.bottom - rect.top);
}

void Form::SetLeft(int twips) { Move(twips, Top()); }
void Form::SetTop(int twips) { Move(Left(), twips); }

void Form::Move(int leftTwips, int topTwips)
{
    MovePixels(Screen::PixelsFromTwipsX(leftTwips), Screen::PixelsFromTwipsY(topTwips));
}

POINT Form::PositionPixels() const
{
    RECT rect{};
    ::GetWindowRect(hWnd(), &rect);
    return {rect.left, rect.top};
}

void Form::MovePixels(int left, int top)
{
    ::SetWindowPos(hWnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::ClientSizePixels() const
{
    RECT client{};
    ::GetClientRect(hWnd(), &client);
    return {client.right, client.bottom};
}

void Form::SetCaption(const std::wstring& caption)
{
    m_style.caption = caption;
    ::SetWindowTextW(hWnd(), caption.c_str());
}

void Form::SetBackColor(COLORREF color)
{
    m_style.backColor = color;
    if (hWnd())
        ::InvalidateRect(hWnd(), nullptr, TRUE);
}

void Form::SetIcons(HICON big, HICON small)
{
    ::SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void Form::PreviewKeyDown(int keyCode)
{
    Form_KeyDown(keyCode, ShiftState());
}

bool Form::TakeKey(int keyCode)
{
    return Form_TakeKey(keyCode, ShiftState());
}

void Form::PaintContent(HDC dc, const RECT& dirty)
{
    const unique_hbrush background(::CreateSolidBrush(m_style.backColor));
    ::FillRect(dc, &dirty, background.get());
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_ACTIVATE: {
        // The default handling gives the activated window the keyboard focus.
        // It runs first, so that Form_Activate can hand the focus on to a
        // control without the default taking it back.
        const LRESULT result = Container::HandleMessage(message, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE) {
            Form_Activate();
        } else if (TopLevelForm(reinterpret_cast<HWND>(lParam))) {
            // Only another window of the program deactivates a form; switching
            // to another application does not.
            Form_Deactivate();
        }
        return result;
    }
    case WM_SIZE:
        if (m_shownOnce)
            Form_Resize();
        break;
    case WM_KEYDOWN:
        Form_KeyDown(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_DPICHANGED: {
        // Moved onto a monitor of another scale: laid out afresh for it,
        // where the system suggests unless the form has a rule of its own.
        const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
        const UINT dpi = HIWORD(wParam);
        LayOutAt(dpi, CornerForDpi(suggested, m_dpi, dpi));
        return 0;
    }
    default:
        break;
    }
    return Container::HandleMessage(message, wParam, lParam);
}

bool PreTranslateForForms(MSG& message)
{
    Form* form = TopLevelForm(message.hwnd);
    if (!form)
        return false;
    const HWND top = form->hWnd();
    try {
        // F10 comes as a system key; with Shift it asks for the context menu,
        // which the form may want to open itself rather than a control's.
        const bool key = message.message == WM_KEYDOWN || (message.message == WM_SYSKEYDOWN && message.wParam == VK_F10);
        if (key && form->TakeKey(static_cast<int>(message.wParam)))
            return true;
        if (message.message == WM_KEYDOWN && form->KeyPreview() && message.hwnd != top) {
            form->PreviewKeyDown(static_cast<int>(message.wParam));
            if (!form->IsLoaded())
                return true;
        }
    } catch (...) {
        // The key handler runs outside any window procedure: its errors go
        // the same way as theirs.
        ReportCurrentException();
        return true;
    }
    return form->TabNavigation() && ::IsDialogMessageW(top, &message);
}

void DoEvents()
{
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!PreTranslateForForms(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

void WaitForEvents(unsigned long milliseconds)
{
    // Without MWMO_INPUTAVAILABLE only messages new since the last look
    // wake it: what DoEvents left queued does not turn the wait into a spin.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, 0);
}

void RunMessageLoop()
{
    MSG message{};
    while (!g_loadedForms.empty() && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PreTranslateForForms(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        CollectRetiredForms();
    }
    CollectRetiredForms();
}

} // namespace tk
