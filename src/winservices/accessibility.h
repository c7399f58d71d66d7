// What the program asks of the system's accessibility services: a name for
// a control that has no visible label window (Dynamic Annotation), a spoken
// announcement (UI Automation's notification), and whether a high-contrast
// theme is on. Every service may be missing; then nothing happens and
// nothing fails.
#pragma once

#include <windows.h>

#include <string>

// How urgent an announcement is: a colour is superseded by the next one; a
// finished action is said whatever follows.
enum class AnnouncementKind { Colour, ActionDone };

class AccessibilityServices {
public:
    virtual ~AccessibilityServices() = default;
    // True when the service took the name.
    virtual bool SetName(HWND window, const std::wstring& name) = 0;
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
inline bool Announce(HWND window, const std::wstring& text, AnnouncementKind kind)
{
    return Accessibility().Announce(window, text, kind);
}
inline bool IsHighContrast()
{
    return Accessibility().HighContrast();
}
