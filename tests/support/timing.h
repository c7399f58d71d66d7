// Time for the tests, the soak and the bench: Seconds of a steady-clock
// duration, Median and Percentile of a set of figures, CpuSeconds of this
// process, and ThreadTimer, an action a thread timer runs inside whatever
// message loop the thread is in at the time (a drag loop's, a menu's, a
// modal form's, a dialog's).
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace tktest {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// The value at a share (0..1) of the sorted figures, nearest rank; 0 for none.
inline double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

inline double Median(const std::vector<double>& values)
{
    return Percentile(values, 0.5);
}

// Processor time this process has used, kernel and user, in seconds.
inline double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& time) {
        return static_cast<double>(static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime)
               / 1e7;
    };
    return value(kernel) + value(user);
}

class ThreadTimer {
public:
    enum Kind { Once, Repeat };

    ThreadTimer(UINT milliseconds, std::function<void()> action, Kind kind = Once)
        : m_action(std::move(action)), m_kind(kind)
    {
        m_id = ::SetTimer(nullptr, 0, milliseconds, &ThreadTimer::Tick);
        Live()[m_id] = this;
    }
    ~ThreadTimer() { Stop(); }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

    void Stop()
    {
        if (!m_id)
            return;
        ::KillTimer(nullptr, m_id);
        Live().erase(m_id);
        m_id = 0;
    }
    bool Fired() const { return m_fired; }

private:
    // Thread timers carry no pointer of their own: the live ones are found by id.
    static std::map<UINT_PTR, ThreadTimer*>& Live()
    {
        static std::map<UINT_PTR, ThreadTimer*> live;
        return live;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        const auto found = Live().find(id);
        if (found == Live().end())
            return;
        ThreadTimer& timer = *found->second;
        timer.m_fired = true;
        if (timer.m_kind == Once)
            timer.Stop();
        // The action may end this timer, so it runs from a copy.
        const std::function<void()> action = timer.m_action;
        action();
    }

    std::function<void()> m_action;
    Kind m_kind;
    UINT_PTR m_id = 0;
    bool m_fired = false;
};

} // namespace tktest
