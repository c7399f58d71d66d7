// A colour chart that fills the screen with vertical bands of known colours,
// for the end-to-end tests and the scripted demo to drag the picker over.
#include <windows.h>

#include <array>

namespace {

// Black, white, orange, a colour with every component different, red, green,
// blue and a mid grey: band i spans x = i * width / 8 .. (i + 1) * width / 8.
constexpr std::array<COLORREF, 8> kBands = {
    RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 128, 0), RGB(18, 52, 86),
    RGB(255, 0, 0),   RGB(0, 255, 0),     RGB(0, 0, 255),   RGB(128, 128, 128),
};

LRESULT CALLBACK ChartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        for (std::size_t i = 0; i < kBands.size(); ++i) {
            RECT band{static_cast<LONG>(client.right * i / kBands.size()), 0,
                      static_cast<LONG>(client.right * (i + 1) / kBands.size()), client.bottom};
            HBRUSH brush = CreateSolidBrush(kBands[i]);
            FillRect(dc, &band, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ChartProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"TavoliskChart";
    RegisterClassW(&windowClass);
    HWND chart = CreateWindowExW(0, L"TavoliskChart", L"Colour chart", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 instance, nullptr);
    UpdateWindow(chart);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
