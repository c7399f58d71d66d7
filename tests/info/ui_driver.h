// Driving the information windows as a user would under Wine: real clicks and
// keys, steps run inside a modal loop, waits with time-outs, screen read-back.
#pragma once

#include "toolkit/form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// Pumps the program's messages until the condition holds; false on time-out.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > milliseconds)
            return false;
        tk::DoEvents();
        ::Sleep(10);
    }
    return true;
}

inline void Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

inline void SendMouse(POINT screen, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

inline void MouseTo(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(screen, MOUSEEVENTF_MOVE);
}

// A left click through the system's input queue; the test checks first that
// the point really lies on the window meant to get it.
inline void ClickAt(POINT screen)
{
    MouseTo(screen);
    SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    SendMouse(screen, MOUSEEVENTF_LEFTUP);
}

inline void PressKey(WORD key)
{
    INPUT stroke[2]{};
    stroke[0].type = stroke[1].type = INPUT_KEYBOARD;
    stroke[0].ki.wVk = stroke[1].ki.wVk = key;
    stroke[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, stroke, sizeof stroke[0]);
}

// The centre of a rectangle in a window's client area, on the screen.
inline POINT ScreenCentre(HWND window, RECT client)
{
    POINT point{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ::ClientToScreen(window, &point);
    return point;
}

inline RECT ClientRectOf(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    return rect;
}

// What the screen shows over a window's client rectangle, read once.
class ScreenShot {
public:
    ScreenShot(HWND window, RECT client) : m_area(client)
    {
        POINT origin{client.left, client.top};
        ::ClientToScreen(window, &origin);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        m_pixels.resize(static_cast<std::size_t>(width) * height);
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        ::SelectObject(memory, old);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), m_pixels.data(), &info, DIB_RGB_COLORS);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    // In client coordinates of the window.
    COLORREF At(int x, int y) const
    {
        const DWORD bgr = m_pixels[static_cast<std::size_t>(y - m_area.top) * (m_area.right - m_area.left) +
                                   (x - m_area.left)];
        return RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
    }

    int Count(RECT rect, const std::function<bool(COLORREF)>& match) const
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += match(At(x, y)) ? 1 : 0;
        return count;
    }

private:
    RECT m_area;
    std::vector<DWORD> m_pixels;
};

// Steps run one after the other on the UI thread from a timer, so they run
// inside whatever modal loop the test has entered. A step returns true when
// it is done and false to be called again on the next tick. Should the steps
// not finish in time, the test fails and `rescue` ends the modal loop.
class Script {
public:
    Script(std::vector<std::function<bool()>> steps, std::function<void()> rescue, DWORD timeout = 15000)
        : m_steps(std::move(steps)), m_rescue(std::move(rescue)), m_deadline(::GetTickCount() + timeout)
    {
        Current() = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &Script::Tick);
    }
    ~Script()
    {
        ::KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }

private:
    static Script*& Current()
    {
        static Script* current = nullptr;
        return current;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* script = Current();
        if (!script || script->m_busy)
            return;
        script->m_busy = true;
        if (script->m_next < script->m_steps.size()) {
            if (static_cast<LONG>(::GetTickCount() - script->m_deadline) > 0) {
                ADD_FAILURE() << "step " << script->m_next << " did not finish in time";
                script->m_next = script->m_steps.size();
                script->m_rescue();
            } else if (script->m_steps[script->m_next]()) {
                ++script->m_next;
            }
        }
        script->m_busy = false;
    }

    std::vector<std::function<bool()>> m_steps;
    std::function<void()> m_rescue;
    DWORD m_deadline;
    UINT_PTR m_timer = 0;
    std::size_t m_next = 0;
    bool m_busy = false;
};

// A step that is done once the time has passed since its first call.
inline std::function<bool()> After(DWORD milliseconds)
{
    return [milliseconds, start = DWORD{0}, started = false]() mutable {
        if (!started) {
            started = true;
            start = ::GetTickCount();
        }
        return ::GetTickCount() - start >= milliseconds;
    };
}

// A step that clicks the middle of a window's client rectangle, or of a
// windowless control in it, once that point is really on the window.
inline std::function<bool()> Click(std::function<HWND()> window, std::function<RECT()> area = {})
{
    return [window = std::move(window), area = std::move(area)] {
        const HWND target = window();
        const POINT point = ScreenCentre(target, area ? area() : ClientRectOf(target));
        EXPECT_EQ(::WindowFromPoint(point), target) << "something covers the point to click";
        ClickAt(point);
        return true;
    };
}

inline std::wstring WindowText(HWND window)
{
    wchar_t text[512]{};
    ::GetWindowTextW(window, text, 512);
    return text;
}

// Another window of the program, which counts the clicks it receives.
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

// The language the run's locale asks for: Italian, or else English, which
// the string table falls back to.
inline std::string ExpectedLanguage()
{
    const char* locale = std::getenv("LC_ALL");
    if (!locale || !*locale) {
        ADD_FAILURE() << "LC_ALL must name the locale of the run";
        return "";
    }
    return std::string(locale).rfind("it", 0) == 0 ? "it" : "en";
}

// Errors escaping a handler fail the test instead of ending the process.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tk::SetUnhandledErrorHandler([](const tk::AppError& error) {
            ADD_FAILURE() << "unhandled error " << error.Number() << ": " << error.Description();
        });
    }
    void TearDown() override
    {
        while (!tk::LoadedForms().empty())
            tk::LoadedForms().back()->Unload();
        tk::DoEvents();
        tk::CollectRetiredForms();
    }
};

} // namespace ui
