// The platform put in by a test, where Wine here shows one monitor at one
// scale: InjectedPlatform is the window fixture that puts the system's own
// monitors and DPI calls back however the test ends; TwoMonitors adds
// kPrimary and kLeftMonitor, a larger one left of it reaching above and below.
#pragma once

#include "support/fixture.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"

#include <windows.h>

#include <vector>

namespace tktest {

inline constexpr RECT kPrimary{0, 0, 1024, 768};
inline constexpr RECT kLeftMonitor{-1280, -200, 0, 824};

class InjectedPlatform : public WindowTest {
protected:
    void TearDown() override
    {
        WindowTest::TearDown();
        tk::Screen::SetMonitorSource(nullptr);
        tk::SetDpiPlatform(nullptr);
    }
};

class TwoMonitors : public InjectedPlatform {
protected:
    void SetUp() override
    {
        tk::Screen::SetMonitorSource([] { return std::vector<RECT>{kPrimary, kLeftMonitor}; });
    }
};

} // namespace tktest
