// Pumping the program's messages from a test: Pump(ms) handles whatever comes
// for at least that long; PumpUntil(condition, ms) until the condition holds,
// false if the time ran out first. Both go through tk::DoEvents, the
// program's own pump, so paints, posted input and X events all get through.
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

inline void Pump(int milliseconds = 60)
{
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace tktest
