// The one window-procedure thunk of the program: every window and control
// class derives from Window and handles its messages in a member function.
#pragma once

#include "toolkit/app_error.h"

#include <windows.h>

#include <functional>
#include <string>

namespace tk {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hWnd() const noexcept { return m_hwnd; }

    // The Window object behind a handle created by this program, or null.
    static Window* FromHandle(HWND hwnd) noexcept;

protected:
    // Creates the window with one of the toolkit's own classes; `this` is
    // bound to the handle from WM_NCCREATE on.
    void CreateWindowObject(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                            int height, HWND parent);
    // For controls of the system's classes (EDIT, SCROLLBAR, BUTTON): the
    // object is found from the handle, messages stay with the system class.
    void CreateSystemControl(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                             int height, HWND parent);
    void DestroyWindowObject() noexcept;

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hwnd = nullptr;
};

// Window classes registered by the toolkit.
inline constexpr const wchar_t* kFormClass = L"TavoliskForm";
inline constexpr const wchar_t* kPictureClass = L"TavoliskPicture";
// Our read-only text fields: a superclass of the system's EDIT (see TextBox).
inline constexpr const wchar_t* kTextFieldClass = L"TavoliskEdit";

HINSTANCE Instance() noexcept;

// The two calls that make the toolkit's windows. A test replaces them to
// make creation fail; the program always uses the system's.
struct WindowCreationCalls {
    ATOM(WINAPI* registerClass)(const WNDCLASSEXW*) = &::RegisterClassExW;
    HWND(WINAPI* createWindow)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                               LPVOID) = &::CreateWindowExW;
};
WindowCreationCalls& CreationCalls() noexcept;

// A window the system would not make: nothing can go on without it.
class WindowCreationError : public AppError {
public:
    explicit WindowCreationError(const std::string& what)
        : AppError(7, kProgramSource, "Out of memory: " + what) {}
};

// How many window procedures are running right now; nested message pumps
// (the drag loop, a modal form) run at a depth above zero.
int DispatchDepth() noexcept;

// An error that no procedure handled ends the program with the runtime's
// message box. Tests replace the ending with a handler of their own, and
// only then does this return.
void ReportUnhandledError(const AppError& error);
void SetUnhandledErrorHandler(std::function<void(const AppError&)> handler);
// From inside a catch block: reports the exception being handled as the
// program's error (7 for memory, 51 for anything that is no AppError).
void ReportCurrentException();

// The message box text of an unhandled error: "Run-time error 'N':" and the description.
std::wstring UnhandledErrorText(const AppError& error);

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

} // namespace tk
