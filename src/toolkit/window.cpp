// Window classes, the message thunk and the unhandled-error path.
#include "toolkit/window.h"

#include <exception>
#include <new>
#include <string>

namespace tk {

namespace {

int g_dispatchDepth = 0;
std::function<void(const AppError&)> g_errorHandler;
constexpr const wchar_t* kSystemControlProperty = L"TavoliskControl";

struct DepthScope {
    DepthScope() noexcept { ++g_dispatchDepth; }
    ~DepthScope() { --g_dispatchDepth; }
};

} // namespace

WindowCreationCalls& CreationCalls() noexcept
{
    static WindowCreationCalls calls;
    return calls;
}

HINSTANCE Instance() noexcept
{
    return ::GetModuleHandleW(nullptr);
}

int DispatchDepth() noexcept
{
    return g_dispatchDepth;
}

Window::~Window()
{
    DestroyWindowObject();
}

Window* Window::FromHandle(HWND hwnd) noexcept
{
    if (!hwnd)
        return nullptr;
    wchar_t className[32]{};
    ::GetClassNameW(hwnd, className, 32);
    if (lstrcmpW(className, kFormClass) == 0 || lstrcmpW(className, kPictureClass) == 0)
        return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return static_cast<Window*>(::GetPropW(hwnd, kSystemControlProperty));
}

void Window::CreateWindowObject(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                                int height, HWND parent)
{
    // A registration that throws is tried again at the next creation.
    static const bool registered = [] {
        for (const wchar_t* name : {kFormClass, kPictureClass}) {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = CS_DBLCLKS;
            windowClass.lpfnWndProc = &Window::Thunk;
            windowClass.hInstance = Instance();
            windowClass.lpszClassName = name;
            if (!CreationCalls().registerClass(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                throw WindowCreationError("the window class " + Narrow(name) + " could not be registered");
        }
        return true;
    }();
    (void)registered;
    if (!CreationCalls().createWindow(exStyle, className, L"", style, x, y, width, height, parent, nullptr,
                                      Instance(), this))
        throw WindowCreationError("a window of the class " + Narrow(className) + " could not be created");
}

void Window::CreateSystemControl(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                                 int height, HWND parent)
{
    m_hwnd = CreationCalls().createWindow(exStyle, className, L"", style, x, y, width, height, parent, nullptr,
                                          Instance(), nullptr);
    if (!m_hwnd)
        throw WindowCreationError("a window of the class " + Narrow(className) + " could not be created");
    ::SetPropW(m_hwnd, kSystemControlProperty, this);
}

void Window::DestroyWindowObject() noexcept
{
    if (!m_hwnd)
        return;
    const HWND hwnd = m_hwnd;
    // A system control's window may be gone with its parent's already, and
    // its handle value could name another window by now.
    if (FromHandle(hwnd) != this) {
        m_hwnd = nullptr;
        return;
    }
    if (::GetPropW(hwnd, kSystemControlProperty)) {
        ::RemovePropW(hwnd, kSystemControlProperty);
        m_hwnd = nullptr;
    }
    ::DestroyWindow(hwnd); // WM_NCDESTROY clears m_hwnd for our own classes
    m_hwnd = nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO comes first) have no object yet.
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    DepthScope depth;
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
    }
    return 0; // only a test's error handler comes back here
}

void ReportCurrentException()
{
    try {
        throw;
    } catch (const AppError& error) {
        ReportUnhandledError(error);
    } catch (const std::bad_alloc&) {
        ReportUnhandledError(AppError(7, kProgramSource, "Out of memory"));
    } catch (const std::exception& error) {
        ReportUnhandledError(AppError(51, kProgramSource, std::string("Internal error: ") + error.what()));
    } catch (...) {
        ReportUnhandledError(AppError(51, kProgramSource, "Internal error"));
    }
}

std::wstring UnhandledErrorText(const AppError& error)
{
    return L"Run-time error '" + std::to_wstring(error.Number()) + L"':\n\n" + Widen(error.Description());
}

void ReportUnhandledError(const AppError& error)
{
    if (g_errorHandler) {
        g_errorHandler(error);
        return;
    }
    ::MessageBoxW(nullptr, UnhandledErrorText(error).c_str(), L"Tavolisk", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ::ExitProcess(static_cast<UINT>(error.Number()));
}

void SetUnhandledErrorHandler(std::function<void(const AppError&)> handler)
{
    g_errorHandler = std::move(handler);
}

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                          nullptr);
    return result;
}

} // namespace tk
