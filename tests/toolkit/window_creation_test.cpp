// A window the system will not make stops its form with the program's
// run-time error instead of letting it go on with a null window.
#include "toolkit/form.h"
#include "toolkit/syscontrols.h"
#include "toolkit/window.h"
#include "support/forms.h"

#include <gtest/gtest.h>

namespace {

int g_refusals = 0;

HWND WINAPI RefuseWindow(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID)
{
    ++g_refusals;
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// Refuses the picture class once; every other registration is the system's.
ATOM WINAPI RefusePictureClassOnce(const WNDCLASSEXW* windowClass)
{
    if (g_refusals == 0 && lstrcmpW(windowClass->lpszClassName, tk::kPictureClass) == 0) {
        ++g_refusals;
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    return ::RegisterClassExW(windowClass);
}

long ErrorNumberOfLoading(tk::Form& form)
{
    try {
        form.Load();
    } catch (const tk::AppError& error) {
        return error.Number();
    }
    return 0;
}

class WindowCreation : public ::testing::Test {
protected:
    WindowCreation() { form.OnLoad = [this] { loadHandlerRan = true; }; }
    // The system's own calls come back whatever the test's outcome.
    ~WindowCreation() override { tk::CreationCalls() = tk::WindowCreationCalls{}; }

    // Loading raises the run-time error 7 and leaves the form unloaded, its Load handler not run.
    void ExpectLoadingRefused()
    {
        EXPECT_EQ(ErrorNumberOfLoading(form), 7);
        EXPECT_FALSE(form.IsLoaded());
        EXPECT_FALSE(loadHandlerRan);
    }

    tktest::TestForm form{L"refused", tktest::Place(0, 0, 120, 80)};
    bool loadHandlerRan = false;
};

} // namespace

TEST_F(WindowCreation, AClassTheSystemWillNotRegisterStopsTheFormUntilItCan)
{
    // Each test runs in a process of its own, so the classes are not registered yet.
    // The form class is registered, the picture class refused.
    tk::CreationCalls().registerClass = &RefusePictureClassOnce;
    ExpectLoadingRefused();
    EXPECT_EQ(g_refusals, 1);

    // Registration is tried again at the next creation: the form class,
    // there already, is no failure, and the picture class now registers.
    EXPECT_EQ(ErrorNumberOfLoading(form), 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(loadHandlerRan);
    EXPECT_TRUE(::IsWindow(form.hWnd()));
}

TEST_F(WindowCreation, AFormOrControlWindowTheSystemRefusesRaisesTheRunTimeError)
{
    tk::CreationCalls().createWindow = &RefuseWindow;
    ExpectLoadingRefused();
    EXPECT_EQ(form.hWnd(), nullptr);

    // A system control refused inside a loaded form raises the same error.
    tk::CreationCalls() = tk::WindowCreationCalls{};
    form.Load();
    ASSERT_TRUE(form.IsLoaded());
    tk::TextBox field;
    tk::CreationCalls().createWindow = &RefuseWindow;
    long number = 0;
    try {
        field.Create(form, 4, 4, 80, 20, true);
    } catch (const tk::AppError& error) {
        number = error.Number();
    }
    EXPECT_EQ(number, 7);
    EXPECT_EQ(field.hWnd(), nullptr);
}
