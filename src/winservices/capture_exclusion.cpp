// Leaving a window out of screen copies from Windows 10 2004 on.
#include "winservices/capture_exclusion.h"

namespace {

// WDA_EXCLUDEFROMCAPTURE; before build 19041 the system takes it as
// WDA_MONITOR, which blacks the window out.
constexpr DWORD kExcludeFromCapture = 0x00000011;
constexpr DWORD kFirstExcludingBuild = 19041;

DWORD KernelBuildNumber() noexcept
{
    // Exported by every ntdll the program runs on, but not in every import library.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!rtlGetVersion || rtlGetVersion(&version) != 0)
        return 0;
    return version.dwBuildNumber;
}

const CapturePlatform kSystem{&KernelBuildNumber, &::SetWindowDisplayAffinity};
const CapturePlatform* g_platform = &kSystem;

} // namespace

void SetCapturePlatform(const CapturePlatform* platform) noexcept
{
    g_platform = platform ? platform : &kSystem;
}

DWORD SystemBuildNumber() noexcept
{
    return g_platform->buildNumber();
}

bool ExcludeFromCapture(HWND window, bool exclude) noexcept
{
    if (!window || SystemBuildNumber() < kFirstExcludingBuild)
        return false;
    return g_platform->setWindowDisplayAffinity(window, exclude ? kExcludeFromCapture : WDA_NONE) != FALSE;
}
