// Pumping the program's messages from a test: Pump(ms) handles whatever comes
// for at least that long; PumpUntil(condition, ms) until the condition holds,
// false if the time ran out first. Both go through tk::DoEvents, the
// program's own pump, so paints, posted input and X events all get through.
// WaitUntil is PumpUntil for a second thread, which has nothing to pump.
#pragma once

#include "toolkit/form.h"

#include <windows.h>

#include <functional>

namespace tktest {

inline bool PumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        tk::DoEvents();
        if (condition())
            return true;
        if (static_cast<int>(::GetTickCount() - start) > timeoutMilliseconds)
            return false;
        ::Sleep(5);
    }
}

inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMilliseconds)
            return false;
        ::Sleep(5);
    }
    return true;
}

inline void Pump(int milliseconds = 60)
{
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace tktest
