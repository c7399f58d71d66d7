// Forms as the windows of the program: loading, modal showing, unloading,
// default instances and the message pumps.
#include "toolkit/form.h"

#include "toolkit/app_error.h"
#include "toolkit/screen.h"
#include "toolkit/syscontrols.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <stdexcept>

using tktest::Place;
using tktest::TestForm;

TEST(Form, LoadsHiddenRunsItsLoadHandlerAndShowsWhereItWasPut)
{
    TestForm form(L"loaded", Place(0, 0, 150, 90));
    bool visibleInLoad = true;
    form.OnLoad = [&] { visibleInLoad = ::IsWindowVisible(form.hWnd()) != FALSE; };
    form.Load();
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(visibleInLoad);
    EXPECT_FALSE(::IsWindowVisible(form.hWnd()));
    EXPECT_EQ(form.ClientSizePixels().cx, 150);

    // Positions in twips, with the screen's factor per axis.
    const int tx = tk::Screen::TwipsPerPixelX();
    const int ty = tk::Screen::TwipsPerPixelY();
    form.Move(100 * tx, 50 * ty);
    EXPECT_EQ(form.PositionPixels().x, 100);
    EXPECT_EQ(form.PositionPixels().y, 50);
    EXPECT_EQ(form.Left(), 100 * tx);
    EXPECT_EQ(form.Top(), 50 * ty);
    EXPECT_EQ(form.Width(), 150 * tx);
    EXPECT_EQ(form.Height(), 90 * ty);
    form.SetLeft(200 * tx + tx / 2 - 1); // rounds to the nearest pixel
    EXPECT_EQ(form.PositionPixels().x, 200);
    form.SetTop(80 * ty);
    EXPECT_EQ(form.PositionPixels().y, 80);

    form.Show();
    tktest::PumpUntil([&] { return ::WindowFromPoint({210, 90}) == form.hWnd(); });
    EXPECT_TRUE(::IsWindowVisible(form.hWnd()));
    EXPECT_EQ(form.PositionPixels().x, 200) << "a manual form stays where it was put";
    EXPECT_EQ(::WindowFromPoint({210, 90}), form.hWnd());
}

TEST(Form, CloseFromTheSystemUnloadsIt)
{
    TestForm form(L"closed", Place(100, 100, 80, 60));
    int unloads = 0;
    form.OnUnload = [&] { ++unloads; };
    form.ShowAt();
    const HWND hwnd = form.hWnd();
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    tktest::PumpUntil([&] { return !form.IsLoaded(); });
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(tk::LoadedForms().empty());
    form.Unload(); // a second unload does nothing
    EXPECT_EQ(unloads, 1);
}

TEST(Form, ShowModalDisablesTheOtherFormsUntilItIsUnloaded)
{
    TestForm main(L"main", Place(100, 100, 200, 150), RGB(0, 0, 255));
    TestForm other(L"other", Place(350, 100, 100, 100), RGB(0, 255, 0));
    TestForm modal(L"modal", Place(150, 300, 160, 100), RGB(255, 0, 0));
    main.ShowAt();
    other.ShowAt();
    int mainPresses = 0;
    main.MouseDown = [&](int, int, float, float) { ++mainPresses; };

    bool mainEnabled = true;
    bool otherEnabled = true;
    bool modalEnabled = false;
    bool modalShown = false;
    tktest::Script script(
        {
            [&] {
                mainEnabled = ::IsWindowEnabled(main.hWnd()) != FALSE;
                otherEnabled = ::IsWindowEnabled(other.hWnd()) != FALSE;
                modalEnabled = ::IsWindowEnabled(modal.hWnd()) != FALSE;
                modalShown = ::IsWindowVisible(modal.hWnd()) != FALSE;
                tktest::Press({180, 150}); // a real click on the disabled form
                return true;
            },
            tktest::After(60),
            [&] {
                tktest::SendMouse(MOUSEEVENTF_LEFTUP);
                return true;
            },
            tktest::After(60),
            [&] {
                modal.Unload();
                return true;
            },
        },
        [&] { modal.Unload(); });
    modal.Load();
    modal.MovePixels(150, 300);
    modal.ShowModal(); // returns once the last step has unloaded it

    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(mainEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(modalEnabled);
    EXPECT_TRUE(modalShown);
    EXPECT_EQ(mainPresses, 0) << "the disabled form took no input";
    EXPECT_FALSE(modal.IsLoaded());
    EXPECT_TRUE(::IsWindowEnabled(main.hWnd()));
    EXPECT_TRUE(::IsWindowEnabled(other.hWnd()));

    tktest::Click({180, 150});
    EXPECT_EQ(mainPresses, 1) << "and takes it again afterwards";
}

TEST(DoEvents, HandlesEverythingQueuedAndReturns)
{
    TestForm form(L"pumped", Place(100, 100, 80, 60));
    form.ShowAt();
    std::vector<WPARAM> seen;
    form.OnMessage = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_APP)
            return false;
        seen.push_back(wParam);
        if (wParam == 2)
            ::PostMessageW(form.hWnd(), WM_APP, 99, 0); // posted while pumping: handled too
        return true;
    };
    for (WPARAM i = 1; i <= 5; ++i)
        ::PostMessageW(form.hWnd(), WM_APP, i, 0);
    const DWORD start = ::GetTickCount();
    tk::DoEvents();
    EXPECT_LT(::GetTickCount() - start, 500u);
    EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3, 4, 5, 99}));

    // With nothing queued it returns at once.
    tk::DoEvents();
    EXPECT_EQ(seen.size(), 6u);

    // A quit request is left for the outer loop to see.
    ::PostQuitMessage(4);
    tk::DoEvents();
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 4u);
}

namespace {

int g_liveInstances = 0;

struct Counted : TestForm {
    Counted() : TestForm(L"frmCounted", Place(200, 200, 100, 80)) { ++g_liveInstances; }
    ~Counted() override { --g_liveInstances; }
    int State = 0;
};

tk::FormInstance<Counted> frmCounted;

} // namespace

TEST(FormInstance, AnUnloadFromItsOwnHandlerFreesTheFormOnlyOnceNothingOfItRuns)
{
    frmCounted->ShowAt();
    frmCounted->State = 5;
    EXPECT_EQ(g_liveInstances, 1);
    int stateSeenAfterUnload = -1;
    frmCounted->OnMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != WM_APP)
            return false;
        Counted& self = *frmCounted;
        self.Unload();
        stateSeenAfterUnload = self.State; // the object is still there
        return true;
    };
    ::PostMessageW(frmCounted->hWnd(), WM_APP, 0, 0);
    tk::RunMessageLoop(); // ends when no form is loaded
    EXPECT_EQ(stateSeenAfterUnload, 5);
    EXPECT_FALSE(frmCounted.Exists());
    EXPECT_EQ(g_liveInstances, 0) << "collected by the outer loop";

    EXPECT_EQ(frmCounted->State, 0) << "a fresh instance";
    EXPECT_EQ(g_liveInstances, 1);
    frmCounted->Unload();
    tk::CollectRetiredForms();
    EXPECT_EQ(g_liveInstances, 0);
}

TEST(Form, TheActiveFormGetsTheKeys)
{
    TestForm form(L"keys", Place(100, 100, 120, 80));
    std::vector<int> keys;
    form.OnKeyDown = [&](int key) { keys.push_back(key); };
    form.ShowAt();
    tktest::Click(form.ScreenPoint(20, 20));
    tktest::Keystroke({'Q'});
    EXPECT_EQ(keys, (std::vector<int>{'Q'}));
}

TEST(Form, ActivateCanHandTheFocusToAControl)
{
    TestForm form(L"focused", Place(100, 100, 160, 80));
    form.Load();
    tk::TextBox field;
    field.Create(form, 10, 10, 100, 20, true);
    int activations = 0;
    form.OnActivate = [&] {
        ++activations;
        ::SetFocus(field.hWnd());
    };
    form.ShowAt();
    EXPECT_GE(activations, 1);
    EXPECT_EQ(::GetFocus(), field.hWnd());

    // And the keys go there: the form sees none.
    field.SetText(L"x");
    tktest::Keystroke({VK_END});
    EXPECT_EQ(form.KeyDowns, 0);
}

TEST(Form, KeysForItsControlsArePreviewedAndTheirErrorsReported)
{
    tktest::ErrorRecorder errors;
    TestForm form(L"preview", Place(100, 100, 160, 80));
    form.PreviewKeys = true;
    form.Load();
    tk::TextBox field;
    field.Create(form, 10, 10, 100, 20, true);
    std::vector<int> keys;
    form.OnKeyDown = [&](int key) {
        keys.push_back(key);
        if (key == VK_F2)
            throw std::runtime_error("not an AppError");
        if (key == VK_F3)
            throw tk::OverflowError();
    };
    form.OnActivate = [&] { ::SetFocus(field.hWnd()); };
    form.ShowAt();
    ASSERT_EQ(::GetFocus(), field.hWnd());
    for (const WORD key : {WORD{VK_F2}, WORD{VK_F3}, WORD{VK_F4}})
        tktest::Keystroke({key});
    EXPECT_EQ(keys, (std::vector<int>{VK_F2, VK_F3, VK_F4}));
    EXPECT_EQ(errors.Numbers, (std::vector<long>{51, 6}));
}

TEST(Form, AQuitRequestEndsAModalLoopAndStaysQueued)
{
    TestForm modal(L"modal", Place(300, 100, 100, 100));
    tktest::Script script(
        {[] {
            ::PostQuitMessage(9);
            return true;
        }},
        [&] { modal.Unload(); });
    modal.ShowModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(modal.IsLoaded());
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 9u);
}
