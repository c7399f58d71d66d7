// Windows a test puts on the screen: TestForm (a borderless topmost form of
// one colour at a chosen place, with hooks), OtherForm (another window of the
// program that counts its clicks), Backdrop (a screen-filling window of known
// colours behind everything), and small reads of a window: WindowText,
// ClientRectOf, ScreenCentre, VisibleToolTip (this thread's tool tip on show), TextsInReadingOrder (child windows' texts in
// screen order), Unpainted (a window waiting to be painted), WaitPainted;
// CreatePixelPicture; OwnCursor for a cursor the test owns.
#pragma once

#include "support/pixels.h"
#include "support/pump.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/picturebox.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tktest {

inline RECT Place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

namespace detail {
inline BOOL CALLBACK AnyToPaint(HWND child, LPARAM any)
{
    *reinterpret_cast<bool*>(any) |= ::GetUpdateRect(child, nullptr, FALSE) != FALSE;
    return TRUE;
}
} // namespace detail

// Whether a window or any window inside it still waits to be painted.
inline bool Unpainted(HWND window)
{
    bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    ::EnumChildWindows(window, &detail::AnyToPaint, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// Pumps until a window shows, with nothing of it left to paint; false if it never did.
inline bool WaitPainted(HWND window)
{
    return PumpUntil([window] { return ::IsWindowVisible(window) && !Unpainted(window); });
}

// What the screen shows of an area of a window's client once it is painted.
// Wine hands the drawing to X from the message loop: the screen is read
// until two reads with the loop run between them agree.
inline Pixels SettledClient(HWND window, const RECT& area)
{
    WaitPainted(::GetAncestor(window, GA_ROOT));
    Pixels shown = ReadClient(window, area);
    PumpUntil([&] {
        Pixels again = ReadClient(window, area);
        std::swap(again, shown);
        return again == shown;
    });
    return shown;
}

class TestForm : public tk::Form {
public:
    TestForm(std::wstring name, RECT place, COLORREF color = RGB(255, 255, 255))
        : tk::Form(std::move(name)), m_place(place), m_color(color)
    {
    }
    ~TestForm() override { Unload(); }

    // Loads, places and shows the form, and lets it paint.
    void ShowAt()
    {
        Load();
        MovePixels(m_place.left, m_place.top);
        Show();
        PumpUntil([this] { return Drawn(); });
    }
    void SetColor(COLORREF color)
    {
        m_color = color;
        ::InvalidateRect(hWnd(), nullptr, FALSE);
        // Wine hands a window's drawing to X from its message loop.
        PumpUntil([this] { return Drawn(); });
    }
    // Whether the screen shows the form as painted: its colour where nothing
    // covers it, and no window of it waiting to be painted.
    bool Drawn() const
    {
        const HWND form = hWnd();
        if (Unpainted(form) || !::IsWindowVisible(form))
            return false;
        RECT client{};
        ::GetClientRect(form, &client);
        const POINT probes[] = {{1, 1}, {client.right / 2, client.bottom / 2}, {client.right - 2, client.bottom - 2}};
        for (POINT probe : probes)
            if (::WindowFromPoint(ScreenPoint(probe.x, probe.y)) == form)
                return ScreenShows(form, probe, m_color);
        return true;
    }
    POINT ScreenPoint(int x, int y) const
    {
        POINT point{x, y};
        ::ClientToScreen(hWnd(), &point);
        return point;
    }

    std::function<void()> OnLoad;
    std::function<void()> OnUnload;
    std::function<void()> OnActivate;
    std::function<void(int)> OnKeyDown;
    std::function<bool(UINT, WPARAM, LPARAM)> OnMessage; // true: handled
    DWORD ExStyle = WS_EX_TOPMOST; // read when the form loads, as is:
    bool PreviewKeys = false;
    int KeyDowns = 0;

protected:
    tk::FormStyle Style() const override
    {
        tk::FormStyle style;
        style.style = WS_POPUP;
        style.exStyle = ExStyle;
        style.keyPreview = PreviewKeys;
        style.clientWidth = m_place.right - m_place.left;
        style.clientHeight = m_place.bottom - m_place.top;
        style.backColor = m_color;
        style.startUpPosition = tk::StartUpPosition::Manual;
        return style;
    }
    void Form_Load() override
    {
        if (OnLoad)
            OnLoad();
    }
    void Form_Unload() override
    {
        if (OnUnload)
            OnUnload();
    }
    void Form_Activate() override
    {
        if (OnActivate)
            OnActivate();
    }
    void Form_KeyDown(int keyCode, int) override
    {
        ++KeyDowns;
        if (OnKeyDown)
            OnKeyDown(keyCode);
    }
    void PaintContent(HDC dc, const RECT& dirty) override
    {
        const tk::unique_hbrush brush(::CreateSolidBrush(m_color));
        ::FillRect(dc, &dirty, brush.get());
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (OnMessage && OnMessage(message, wParam, lParam))
            return 0;
        return tk::Form::HandleMessage(message, wParam, lParam);
    }

private:
    RECT m_place;
    COLORREF m_color;
};

// Another window of the program, with a caption, which counts the clicks it receives.
class OtherForm : public tk::Form {
public:
    OtherForm() : tk::Form(L"frmOther") {}
    int clicks = 0;

protected:
    tk::FormStyle Style() const override
    {
        tk::FormStyle style;
        style.clientWidth = 160;
        style.clientHeight = 120;
        style.startUpPosition = tk::StartUpPosition::Manual;
        return style;
    }
    void InitializeComponent() override { Click = [this] { ++clicks; }; }
};

// A screen-filling window painted in one colour, or split in two halves at x.
class Backdrop {
public:
    Backdrop()
    {
        const WNDCLASSW windowClass{0,       &Backdrop::Proc, 0,       0,       ::GetModuleHandleW(nullptr),
                                   nullptr, nullptr,         nullptr, nullptr, L"TestBackdrop"};
        ::RegisterClassW(&windowClass);
        m_hwnd.reset(::CreateWindowExW(0, L"TestBackdrop", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                       ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                       nullptr, ::GetModuleHandleW(nullptr), nullptr));
        ::SetWindowLongPtrW(m_hwnd.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Paint(RGB(0, 0, 0));
    }
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    void Paint(COLORREF color) { Paint(color, color, 0); }
    void Paint(COLORREF left, COLORREF right, int splitX)
    {
        m_left = left;
        m_right = right;
        m_split = splitX;
        ::InvalidateRect(m_hwnd.get(), nullptr, TRUE);
        ::UpdateWindow(m_hwnd.get());
        tk::DoEvents();
    }
    HWND hwnd() const { return m_hwnd.get(); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_PAINT)
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        auto* self = reinterpret_cast<Backdrop*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        const tk::PaintDC dc(hwnd);
        RECT client;
        ::GetClientRect(hwnd, &client);
        if (self) {
            RECT left = client;
            left.right = self->m_split;
            RECT right = client;
            right.left = self->m_split;
            const tk::unique_hbrush leftBrush(::CreateSolidBrush(self->m_left));
            const tk::unique_hbrush rightBrush(::CreateSolidBrush(self->m_right));
            ::FillRect(dc, &left, leftBrush.get());
            ::FillRect(dc, &right, rightBrush.get());
        }
        return 0;
    }

    tk::unique_hwnd m_hwnd;
    COLORREF m_left = 0;
    COLORREF m_right = 0;
    int m_split = 0;
};

// A tool tip of this thread that is showing now, or null.
inline HWND VisibleToolTip()
{
    HWND tip = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            wchar_t name[32]{};
            ::GetClassNameW(window, name, 32);
            if (!::IsWindowVisible(window) || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tip));
    return tip;
}

inline std::wstring WindowText(HWND window)
{
    wchar_t text[512]{};
    ::GetWindowTextW(window, text, 512);
    return text;
}

inline RECT ClientRectOf(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    return rect;
}

// The centre of a rectangle in a window's client area, on the screen.
inline POINT ScreenCentre(HWND window, const RECT& client)
{
    POINT point{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ::ClientToScreen(window, &point);
    return point;
}

namespace detail {
struct ChildText {
    RECT place;
    std::wstring text;
};
struct ChildSearch {
    const wchar_t* className;
    std::vector<ChildText> found;
};
inline BOOL CALLBACK CollectChild(HWND child, LPARAM search)
{
    auto& wanted = *reinterpret_cast<ChildSearch*>(search);
    wchar_t name[64]{};
    ::GetClassNameW(child, name, 64);
    if (::lstrcmpiW(name, wanted.className) == 0 && ::IsWindowVisible(child)) {
        RECT place{};
        ::GetWindowRect(child, &place);
        wanted.found.push_back({place, WindowText(child)});
    }
    return TRUE;
}
} // namespace detail

// The texts of a window's visible descendants of one class, in the order a
// user reads them on the screen: row by row from the top, left to right.
inline std::vector<std::wstring> TextsInReadingOrder(HWND window, const wchar_t* className)
{
    detail::ChildSearch search{className, {}};
    ::EnumChildWindows(window, &detail::CollectChild, reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](const detail::ChildText& a, const detail::ChildText& b) {
        return a.place.top != b.place.top ? a.place.top < b.place.top : a.place.left < b.place.left;
    });
    std::vector<std::wstring> texts;
    for (const detail::ChildText& child : search.found)
        texts.push_back(child.text);
    return texts;
}

// A borderless picture box measured in pixels, of one back colour, at a place of its parent.
inline void CreatePixelPicture(tk::PictureBox& picture, tk::Container& parent, const RECT& place, COLORREF back)
{
    picture.Create(parent, place.left, place.top, place.right - place.left, place.bottom - place.top);
    picture.SetBorderStyle(0);
    picture.SetScaleMode(tk::kScalePixels);
    picture.SetBackColor(back);
}

// A cursor this test owns (the toolkit destroys the cursors it is given).
inline tk::unique_hcursor OwnCursor(const wchar_t* system)
{
    return tk::unique_hcursor(static_cast<HCURSOR>(::CopyImage(::LoadCursorW(nullptr, system), IMAGE_CURSOR, 0, 0, 0)));
}

} // namespace tktest
