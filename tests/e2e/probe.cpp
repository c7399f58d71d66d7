// Reads what the running picker shows, from outside, as a screen reader
// would: the five value fields and where its windows are.
//   probe fields    one line "Web Num R G B" with the field texts, rows top to bottom
//   probe rect      the main window's outer rectangle: left top right bottom
//   probe windows   one line per visible window of the program:
//                   caption|left top right bottom|client-left client-top width height|enabled
//   probe advanced  the advanced view's hexadecimal and numeric fields
//   probe wait      waits up to 20 s for the main window to be visible
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND MainWindow()
{
    return FindWindowW(L"TavoliskForm", L"Tavolisk");
}

std::string Text(HWND hwnd)
{
    wchar_t buffer[512]{};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    char utf8[1024]{};
    WideCharToMultiByte(CP_UTF8, 0, buffer, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

struct Field {
    LONG top;
    std::string text;
};

BOOL CALLBACK CollectField(HWND hwnd, LPARAM list)
{
    wchar_t className[16]{};
    GetClassNameW(hwnd, className, 16);
    if (lstrcmpW(className, L"TavoliskEdit") == 0) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        reinterpret_cast<std::vector<Field>*>(list)->push_back({rect.top, Text(hwnd)});
    }
    return TRUE;
}

BOOL CALLBACK ListWindow(HWND hwnd, LPARAM)
{
    wchar_t className[32]{};
    GetClassNameW(hwnd, className, 32);
    if (lstrcmpW(className, L"TavoliskForm") == 0 && IsWindowVisible(hwnd)) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        RECT client;
        GetClientRect(hwnd, &client);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        std::printf("%s|%ld %ld %ld %ld|%ld %ld %ld %ld|%s\n", Text(hwnd).c_str(), rect.left, rect.top, rect.right,
                    rect.bottom, origin.x, origin.y, client.right, client.bottom,
                    IsWindowEnabled(hwnd) ? "enabled" : "disabled");
    }
    return TRUE;
}

BOOL CALLBACK FindShownMenu(HWND hwnd, LPARAM shown)
{
    wchar_t className[16]{};
    GetClassNameW(hwnd, className, 16);
    if (lstrcmpW(className, L"#32768") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<bool*>(shown) = true;
        return FALSE;
    }
    return TRUE;
}

// The advanced view is the program's window with a 283 x 154 client area.
BOOL CALLBACK FindAdvanced(HWND hwnd, LPARAM found)
{
    wchar_t className[32]{};
    GetClassNameW(hwnd, className, 32);
    RECT client;
    GetClientRect(hwnd, &client);
    if (lstrcmpW(className, L"TavoliskForm") == 0 && client.right == 283 && client.bottom == 154) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "wait") {
        for (int i = 0; i < 200; ++i) {
            HWND main = MainWindow();
            if (main && IsWindowVisible(main))
                return 0;
            Sleep(100);
        }
        return 1;
    }
    if (command == "menu") { // whether a popup menu shows: exit status 0
        bool shown = false;
        EnumWindows(&FindShownMenu, reinterpret_cast<LPARAM>(&shown));
        return shown ? 0 : 1;
    }
    if (command == "windows") {
        EnumWindows(&ListWindow, 0);
        return 0;
    }
    if (command == "advanced") {
        HWND advanced = nullptr;
        EnumWindows(&FindAdvanced, reinterpret_cast<LPARAM>(&advanced));
        if (!advanced)
            return 2;
        std::vector<Field> fields;
        EnumChildWindows(advanced, &CollectField, reinterpret_cast<LPARAM>(&fields));
        for (std::size_t i = 0; i < fields.size(); ++i)
            std::printf("%s%s", i ? " " : "", fields[i].text.c_str());
        std::printf("\n");
        return 0;
    }
    HWND main = MainWindow();
    if (!main)
        return 2;
    if (command == "rect") {
        RECT rect;
        GetWindowRect(main, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (command == "fields") {
        std::vector<Field> fields;
        EnumChildWindows(main, &CollectField, reinterpret_cast<LPARAM>(&fields));
        std::sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.top < b.top; });
        for (std::size_t i = 0; i < fields.size(); ++i)
            std::printf("%s%s", i ? " " : "", fields[i].text.c_str());
        std::printf("\n");
        return 0;
    }
    return 3;
}
