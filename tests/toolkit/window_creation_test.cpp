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

ATOM WINAPI RefuseClass(const WNDCLASSEXW*)
{
    ++g_refusals;
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

// Puts the system's own calls back whatever the test's outcome.
struct SystemCallsAfterwards {
    ~SystemCallsAfterwards() { tk::CreationCalls() = tk::WindowCreationCalls{}; }
};

long ErrorNumberOfLoading(tk::Form& form)
{
    try {
        form.Load();
    } catch (const tk::AppError& error) {
        return error.Number();
    }
    return 0;
}

} // namespace

TEST(WindowCreation, AClassTheSystemWillNotRegisterStopsTheFormUntilItCan)
{
    // Each test runs in a process of its own, so the classes are not registered yet.
    SystemCallsAfterwards restore;
    tktest::TestForm form(L"unregistered", tktest::Place(0, 0, 120, 80));
    bool loadHandlerRan = false;
    form.OnLoad = [&] { loadHandlerRan = true; };

    tk::CreationCalls().registerClass = &RefuseClass;
    EXPECT_EQ(ErrorNumberOfLoading(form), 7);
    EXPECT_EQ(g_refusals, 1);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(loadHandlerRan);

    // Registration is tried again at the next creation, and then succeeds.
    tk::CreationCalls() = tk::WindowCreationCalls{};
    EXPECT_EQ(ErrorNumberOfLoading(form), 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(loadHandlerRan);
    EXPECT_TRUE(::IsWindow(form.hWnd()));
}

TEST(WindowCreation, AFormOrControlWindowTheSystemRefusesRaisesTheRunTimeError)
{
    SystemCallsAfterwards restore;
    tktest::TestForm form(L"refused", tktest::Place(0, 0, 120, 80));
    bool loadHandlerRan = false;
    form.OnLoad = [&] { loadHandlerRan = true; };

    tk::CreationCalls().createWindow = &RefuseWindow;
    EXPECT_EQ(ErrorNumberOfLoading(form), 7);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(loadHandlerRan);
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
