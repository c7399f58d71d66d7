// A copy that fails tells the user with the warning beep, from the Copy
// submenu and from Ctrl+C (during a drag too), and the wait for a clipboard
// that another program keeps stays short. The beep is taken through the
// program's seam: Wine plays no sound a test could listen for.
#include "mainwindow/copy_menu.h"
#include "mainwindow/frm_main.h"
#include "support/all.h"
#include "winservices/clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace {

class CopyWarning : public tktest::WindowTest {
protected:
    void SetUp() override
    {
        m_backdrop.Paint(RGB(255, 128, 0));
        SetCopyFailedWarning([this] { ++m_beeps; });
    }
    void TearDown() override
    {
        tktest::WindowTest::TearDown();
        SetCopyFailedWarning(nullptr);
    }
    bool BeepsReach(int count) { return tktest::PumpUntil([&] { return m_beeps >= count; }, 2000); }

    tktest::Backdrop m_backdrop;
    int m_beeps = 0;
};

} // namespace

TEST_F(CopyWarning, AFailedCopyBeepsFromTheMenuAndCtrlCAfterAWaitUnderATenthOfASecond)
{
    FrmMain& main = *frmMain;
    main.Show();
    ::SetForegroundWindow(main.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }));

    // A copy that works is silent.
    tktest::PressChord({VK_CONTROL, 'C'});
    ASSERT_TRUE(tktest::PumpUntil([] { return tktest::ClipboardText() == L"#FF8000"; }));
    EXPECT_EQ(m_beeps, 0);

    {
        std::atomic<bool> done{false};
        tktest::ClipboardHolder holder([&] { return done.load(); });
        ASSERT_TRUE(holder.Holding());
        // The whole wait, on the thread that runs the windows.
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(CopyTextToClipboard(main.hWnd(), L"#000000"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));

        tktest::PressChord({VK_CONTROL, 'C'});
        EXPECT_TRUE(BeepsReach(1)) << "Ctrl+C";
        // Copy > "#FF8000": up from Exit over History, Sample and Zoom to Copy, right into it.
        tktest::AnswerMenu({VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RIGHT, VK_RETURN}, [&] { main.ShowPopupMenu(); });
        EXPECT_TRUE(BeepsReach(2)) << "the Copy submenu";

        // Ctrl+C inside the drag loop, the drag held on the "Web:" caption.
        const POINT corner = main.PositionPixels();
        const POINT grip{corner.x + 105, corner.y + 55};
        tktest::DragFromThread(grip, {grip.x + 30, grip.y + 20}, {.during = [] {
                                   tktest::PressChord({VK_CONTROL, 'C'});
                                   ::Sleep(300);
                               }});
        EXPECT_TRUE(BeepsReach(3)) << "Ctrl+C during a drag";
        done = true;
    }
    EXPECT_EQ(tktest::ClipboardText(), L"#FF8000");
}
