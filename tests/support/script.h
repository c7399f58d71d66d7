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
#include "support/timing.h"

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
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }

private:
    void Tick()
    {
        if (m_busy)
            return;
        m_busy = true;
        if (m_next < m_steps.size()) {
            if (static_cast<LONG>(::GetTickCount() - m_deadline) > 0) {
                ADD_FAILURE() << "step " << m_next << " did not finish in time";
                m_next = m_steps.size();
                m_rescue();
            } else if (m_steps[m_next]()) {
                ++m_next;
            }
        }
        m_busy = false;
    }

    std::vector<std::function<bool()>> m_steps;
    std::function<void()> m_rescue;
    DWORD m_deadline;
    std::size_t m_next = 0;
    bool m_busy = false;
    // Last, so that it starts once the rest is ready and stops first.
    ThreadTimer m_timer{30, [this] { Tick(); }, ThreadTimer::Repeat};
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
