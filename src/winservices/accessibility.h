// What the program asks of the system's accessibility services: a name for
// a control that has no visible label window (Dynamic Annotation), taken
// back when the window that gave it closes; a spoken announcement (UI
// Automation's notification); and whether a high-contrast theme is on.
// Every service may be missing; then nothing happens and nothing fails.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// How urgent an announcement is: a colour is superseded by the next one; a
// finished action is said whatever follows.
enum class AnnouncementKind { Colour, ActionDone };

class AccessibilityServices {
public:
    virtual ~AccessibilityServices() = default;
    // True when the service took the name.
    virtual bool SetName(HWND window, const std::wstring& name) = 0;
    // Takes a name back; true when the service let it go.
    virtual bool ClearName(HWND window) = 0;
    // True when the announcement was handed to the service.
    virtual bool Announce(HWND window, const std::wstring& text, AnnouncementKind kind) = 0;
    virtual bool HighContrast() = 0;
};

// The services in use: the system's, unless a test has put its own here
// (Wine offers neither annotations nor notifications, so tests record what
// the program asks instead). Null puts the system's back.
AccessibilityServices& Accessibility();
void SetAccessibilityServices(AccessibilityServices* services) noexcept;

inline bool SetAccessibleName(HWND window, const std::wstring& name)
{
    return Accessibility().SetName(window, name);
}
inline bool ClearAccessibleName(HWND window)
{
    return Accessibility().ClearName(window);
}
inline bool Announce(HWND window, const std::wstring& text, AnnouncementKind kind)
{
    return Accessibility().Announce(window, text, kind);
}
inline bool IsHighContrast()
{
    return Accessibility().HighContrast();
}

// Whether a message sent to top-level windows says the theme may have
// changed: high contrast switched on or off, or the system's colours changed.
inline bool IsThemeChange(UINT message, WPARAM wParam) noexcept
{
    return message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

// The names a window gave its controls, taken back together when it closes:
// the service keeps an annotation by window handle, past the window's end,
// and would lend it to whatever window gets that handle next.
class AccessibleNames {
public:
    AccessibleNames() = default;
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void Set(HWND window, const std::wstring& name)
    {
        if (SetAccessibleName(window, name))
            m_named.push_back(window);
    }
    // While the windows still exist: from the owner's Form_Unload.
    void Clear()
    {
        for (HWND window : m_named)
            ClearAccessibleName(window);
        m_named.clear();
    }

private:
    std::vector<HWND> m_named;
};
