// Test helpers for real windows under Wine: a full-screen backdrop of known
// colours, pumping until a condition holds, answering popup menus.
#pragma once

#include "toolkit/form.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A screen-filling window painted in one colour, or split in two halves at x.
class Backdrop {
public:
    Backdrop()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Backdrop::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TestBackdrop";
        ::RegisterClassW(&windowClass);
        m_hwnd = ::CreateWindowExW(0, L"TestBackdrop", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Paint(RGB(0, 0, 0));
    }
    ~Backdrop() { ::DestroyWindow(m_hwnd); }
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    void Paint(COLORREF color) { Paint(color, color, 0); }
    void Paint(COLORREF left, COLORREF right, int splitX)
    {
        m_left = left;
        m_right = right;
        m_split = splitX;
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
        ::UpdateWindow(m_hwnd);
        tk::DoEvents();
    }
    HWND hwnd() const { return m_hwnd; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_PAINT) {
            auto* self = reinterpret_cast<Backdrop*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd, &paint);
            RECT client;
            ::GetClientRect(hwnd, &client);
            if (self) {
                RECT left = client;
                left.right = self->m_split;
                RECT right = client;
                right.left = self->m_split;
                HBRUSH leftBrush = ::CreateSolidBrush(self->m_left);
                HBRUSH rightBrush = ::CreateSolidBrush(self->m_right);
                ::FillRect(dc, &left, leftBrush);
                ::FillRect(dc, &right, rightBrush);
                ::DeleteObject(leftBrush);
                ::DeleteObject(rightBrush);
            }
            ::EndPaint(hwnd, &paint);
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    COLORREF m_left = 0;
    COLORREF m_right = 0;
    int m_split = 0;
};

// Pumps the program's messages until the condition holds or time runs out.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        tk::DoEvents();
        ::Sleep(5);
    }
    return true;
}

inline void PumpFor(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        tk::DoEvents();
        ::Sleep(5);
    }
}

// Answers the next popup menu of this thread with keys, from a timer that
// fires inside the menu's own loop, and records the captions it showed.
class MenuAnswer {
public:
    explicit MenuAnswer(std::vector<WPARAM> keys)
    {
        s_keys = std::move(keys);
        s_captions.clear();
        s_checked.clear();
        s_enabled.clear();
        m_timer = ::SetTimer(nullptr, 0, 100, &MenuAnswer::OnTimer);
    }
    ~MenuAnswer() { ::KillTimer(nullptr, m_timer); }
    MenuAnswer(const MenuAnswer&) = delete;
    MenuAnswer& operator=(const MenuAnswer&) = delete;

    static inline std::vector<std::wstring> s_captions;
    static inline std::vector<bool> s_checked;
    static inline std::vector<bool> s_enabled;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu))
            return;
        ::KillTimer(nullptr, timer);
        auto popup = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; popup && i < ::GetMenuItemCount(popup); ++i) {
            wchar_t text[128]{};
            ::GetMenuStringW(popup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            const UINT state = ::GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            s_captions.emplace_back((state & MF_SEPARATOR) ? L"-" : text);
            s_checked.push_back((state & MF_CHECKED) != 0);
            s_enabled.push_back((state & (MF_GRAYED | MF_DISABLED)) == 0);
        }
        for (WPARAM key : s_keys) {
            ::PostMessageW(menu, WM_KEYDOWN, key, 0);
            ::PostMessageW(menu, WM_KEYUP, key, 0);
        }
    }

    static inline std::vector<WPARAM> s_keys;
    UINT_PTR m_timer = 0;
};

} // namespace testing_support
