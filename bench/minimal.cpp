// The smallest Win32 program with a window of the picker's size: the floor
// that the picker's start-up is measured against.
#include <windows.h>

namespace {
LRESULT CALLBACK MinimalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &MinimalProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"BenchMinimal";
    RegisterClassW(&windowClass);
    CreateWindowExW(WS_EX_TOPMOST, L"BenchMinimal", L"Minimal", WS_POPUP | WS_VISIBLE, 100, 100, 233, 245, nullptr,
                    nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
