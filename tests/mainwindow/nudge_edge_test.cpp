// The arrows stop the view-finder's centre at the edge of the monitors, so a
// nudge never leaves it sampling nothing. The monitors are put in by the
// test: the primary and one left of it reaching above and below it.
#include "mainwindow/frm_main.h"
#include "support/all.h"
#include "toolkit/screen.h"

#include <gtest/gtest.h>

namespace {

using tktest::kLeftMonitor;

class NudgeEdge : public tktest::TwoMonitors {
protected:
    void SetUp() override
    {
        tktest::TwoMonitors::SetUp();
        m_main.Show();
        ::SetForegroundWindow(m_main.hWnd());
        ASSERT_TRUE(tktest::PumpUntil([this] { return ::GetForegroundWindow() == m_main.hWnd(); }));
    }
    void PlaceCentre(POINT centre)
    {
        m_main.MovePixels(centre.x - m_main.SampleOffset().x, centre.y - m_main.SampleOffset().y);
    }
    // Presses the keys and returns where the centre is once they have been handled.
    POINT Press(std::initializer_list<WORD> keys)
    {
        tktest::Keystroke(keys);
        const POINT corner = m_main.PositionPixels();
        return {corner.x + m_main.SampleOffset().x, corner.y + m_main.SampleOffset().y};
    }
    static void ExpectAt(POINT centre, LONG x, LONG y, const char* where)
    {
        EXPECT_EQ(centre.x, x) << where;
        EXPECT_EQ(centre.y, y) << where;
    }

    FrmMain& m_main = *frmMain;
};

} // namespace

TEST_F(NudgeEdge, ArrowsStopTheCentreAtTheEdgeOfTheMonitors)
{
    // The primary's right edge: ten pixels asked, three given, then none.
    PlaceCentre({1020, 400});
    ExpectAt(Press({VK_SHIFT, VK_RIGHT}), 1023, 400, "shift+right at the right edge");
    ExpectAt(Press({VK_RIGHT}), 1023, 400, "right at the right edge");

    // The primary's top, though the left monitor reaches higher elsewhere.
    PlaceCentre({500, 4});
    ExpectAt(Press({VK_SHIFT, VK_UP}), 500, 0, "shift+up at the top");

    // From the primary onto the left monitor: the step is whole.
    PlaceCentre({5, 400});
    ExpectAt(Press({VK_SHIFT, VK_LEFT}), -5, 400, "shift+left across the monitors");

    // Below the primary on the left monitor: stopped where the primary ends
    // beside it, and at the left monitor's own bottom.
    PlaceCentre({-3, 800});
    ExpectAt(Press({VK_SHIFT, VK_RIGHT}), -1, 800, "shift+right beside the shorter primary");
    ExpectAt(Press({VK_SHIFT, VK_DOWN}), -1, 810, "shift+down on the left monitor");
    ExpectAt(Press({VK_SHIFT, VK_DOWN}), -1, 820, "shift+down on the left monitor");
    ExpectAt(Press({VK_SHIFT, VK_DOWN}), -1, 823, "shift+down at its bottom");
}
