// The one window procedure: errors raised in handlers reach the program's
// unhandled-error path, whose default shows the runtime's message and ends
// the program with the error's number.
#include "toolkit/window.h"

#include "toolkit/form.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <new>
#include <thread>

using tktest::Place;
using tktest::TestForm;

TEST(UnhandledError, AnErrorInAHandlerReachesTheHandlerWithItsNumberAndTheProgramGoesOn)
{
    tktest::ErrorRecorder errors;
    TestForm form(L"failing", Place(100, 100, 200, 100));
    tk::Label label;
    form.Load();
    label.Create(form, 10, 10, 80, 20);
    int clicks = 0;
    label.Click = [&] {
        if (++clicks == 1)
            throw tk::OverflowError();
    };
    form.MouseDown = [](int button, int, float, float) {
        if (button == tk::kRightButton)
            throw std::bad_alloc();
        throw std::runtime_error("unexpected");
    };
    form.ShowAt();

    tktest::Click(form.ScreenPoint(20, 20));
    EXPECT_EQ(errors.Numbers, (std::vector<long>{6}));
    tktest::Click(form.ScreenPoint(20, 20));
    EXPECT_EQ(clicks, 2) << "the next event is handled as usual";
    EXPECT_EQ(errors.Numbers.size(), 1u);

    tktest::Click(form.ScreenPoint(150, 50));
    tktest::Click(form.ScreenPoint(150, 50), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(errors.Numbers, (std::vector<long>{6, 51, 7}));
    EXPECT_EQ(::GetCapture(), nullptr) << "the failed press left no capture behind";
}

TEST(UnhandledErrorDeathTest, TheDefaultShowsTheRuntimeMessageAndEndsWithTheNumber)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Prints the message box's text and answers OK; the death test's output is then matched.
            const tktest::DialogAnswer answer([](HWND box) {
                wchar_t text[200]{};
                ::GetDlgItemTextW(box, 0xFFFF, text, 200);
                std::string shown = tk::Narrow(text);
                for (char& c : shown)
                    if (c == '\n')
                        c = '|';
                std::fprintf(stderr, "shown: %s\n", shown.c_str());
                std::fflush(stderr);
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            });
            TestForm form(L"dying", Place(100, 100, 100, 80));
            form.OnMessage = [](UINT message, WPARAM, LPARAM) -> bool {
                if (message == WM_APP)
                    throw tk::OverflowError();
                return false;
            };
            form.ShowAt();
            ::SendMessageW(form.hWnd(), WM_APP, 0, 0);
            std::fprintf(stderr, "still running\n");
        },
        ::testing::ExitedWithCode(6), "shown: Run-time error '6':\\|\\|Overflow");
}
