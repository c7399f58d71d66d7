// Keeps the Wine desktop open between test programs. Wine closes a desktop
// about a second after the last program on it ends; every test that started
// after that paid more than a second for a new desktop, and one that started
// while it was closing could not create a window at all. The keeper is one
// more program on the desktop, without a visible window. It leaves by itself
// once nothing but Wine's own services has run for half a minute, so the
// prefix's server can still end on its own.
#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

namespace {

constexpr DWORD kIdleLimitMs = 30000;
constexpr DWORD kLookEveryMs = 500;

bool IsWineService(const wchar_t* name)
{
    static const wchar_t* const services[] = {L"services.exe", L"winedevice.exe", L"explorer.exe",
        L"plugplay.exe", L"svchost.exe", L"rpcss.exe", L"conhost.exe", L"wineboot.exe",
        L"winemenubuilder.exe", L"start.exe", L"tabtip.exe"};
    for (const wchar_t* service : services) {
        if (_wcsicmp(name, service) == 0) {
            return true;
        }
    }
    return false;
}

// Whether a program other than Wine's services and this keeper runs.
bool AnotherProgramRuns()
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return true; // cannot tell: stay
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry)) {
        found = entry.th32ProcessID != ::GetCurrentProcessId() && !IsWineService(entry.szExeFile);
    }
    ::CloseHandle(snapshot);
    return found;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // A message-only window makes this program a user of the desktop
    // without anything to see, click or enumerate.
    const HWND holder = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DWORD idleSince = ::GetTickCount();
    while (::GetTickCount() - idleSince < kIdleLimitMs) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        ::Sleep(kLookEveryMs);
        if (AnotherProgramRuns()) {
            idleSince = ::GetTickCount();
        }
    }
    ::DestroyWindow(holder);
    return 0;
}
