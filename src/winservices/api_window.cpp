// Window services on top of user32.
#include "winservices/api_window.h"

#include "toolkit/app_error.h"
#include "toolkit/form.h"

#include <cwctype>

bool SetTopMost(const tk::Window& window, bool on)
{
    return ::SetWindowPos(window.hWnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE) != 0;
}

namespace {

OSVERSIONINFOA SystemVersion()
{
    // The single-byte record with only its size set; a failed call leaves it zero.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = 148;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    ::GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return version;
}

VersionReader g_versionReader = &SystemVersion;

} // namespace

void SetVersionReader(VersionReader reader)
{
    g_versionReader = reader ? reader : &SystemVersion;
}

bool IsLayeredSupported()
{
    const OSVERSIONINFOA version = g_versionReader();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

HWND GetTopParent(HWND hwnd)
{
    HWND current = hwnd;
    for (HWND parent = ::GetParent(current); parent && ::IsWindowVisible(parent); parent = ::GetParent(current))
        current = parent;
    return current;
}

bool SetTransparency(HWND hwnd, std::uint8_t alpha)
{
    if (!IsLayeredSupported())
        return false;
    const HWND target = GetTopParent(hwnd);
    const LONG style = ::GetWindowLongA(target, GWL_EXSTYLE);
    if (::SetWindowLongA(target, GWL_EXSTYLE, style | WS_EX_LAYERED) == 0)
        return false;
    return ::SetLayeredWindowAttributes(target, 0, alpha, LWA_ALPHA) != 0;
}

bool RemoveTransparency(HWND hwnd)
{
    if (!IsLayeredSupported())
        return false;
    const HWND target = GetTopParent(hwnd);
    ::SetLayeredWindowAttributes(target, 0, 255, LWA_ALPHA);
    const LONG style = ::GetWindowLongA(target, GWL_EXSTYLE);
    return ::SetWindowLongA(target, GWL_EXSTYLE, style & ~WS_EX_LAYERED) != 0;
}

std::uint8_t AlphaByte(long alpha)
{
    if (alpha < 0 || alpha > 255)
        throw tk::OverflowError();
    return static_cast<std::uint8_t>(alpha);
}

void SetWindowAlpha(const tk::Window& window, std::int16_t alpha)
{
    if (alpha <= 0) {
        RemoveTransparency(window.hWnd());
        return;
    }
    for (int attempt = 0; attempt < 3; ++attempt)
        if (SetTransparency(window.hWnd(), AlphaByte(alpha)))
            return;
}

void DragByCaption(const tk::Window& window)
{
    ::ReleaseCapture();
    ::SendMessageA(window.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void SetStyleBits(HWND hwnd, std::uint32_t bits, bool on)
{
    const auto style = static_cast<std::uint32_t>(::GetWindowLongA(hwnd, GWL_STYLE));
    const std::uint32_t updated = on ? (style | bits) : (style & ~bits);
    ::SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(updated));
}

namespace {
std::wstring Lower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}
} // namespace

bool IsFormLoaded(std::wstring_view name)
{
    const std::wstring wanted = Lower(name);
    bool found = false;
    for (const tk::Form* form : tk::LoadedForms())
        if (Lower(form->Name()) == wanted)
            found = true;
    return found;
}
