// Steps run one after the other on the test's thread from a timer, so they
// run inside whatever modal loop the test has entered (a modal form, a
// dialog). A step returns true when it is done, false to be called again on
// the next tick. Should the steps not finish in time, the test fails and
// `rescue` ends the modal loop. After(ms) is a step that waits; ClickStep
// clicks the middle of a window (or of a windowless control in it) once that
// point is really on the window.
#pragma once

#include "support/forms.h"
#include "support/input.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

namespace tktest {

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

inline std::function<bool()> ClickStep(std::function<HWND()> window, std::function<RECT()> area = {})
{
    return [window = std::move(window), area = std::move(area)] {
        const HWND target = window();
        const POINT point = ScreenCentre(target, area ? area() : ClientRectOf(target));
        EXPECT_EQ(::WindowFromPoint(point), target) << "something covers the point to click";
        ClickNoPump(point);
        return true;
    };
}

} // namespace tktest
