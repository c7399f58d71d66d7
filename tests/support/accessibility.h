// What the program asks of the accessibility services, recorded instead of
// done (Wine has no annotation service and no UI Automation notifications):
// an AccessibilityRecorder in scope takes the services' place and keeps the
// names given (NameOf a window; a name taken back is gone again) and the
// announcements made; HighContrast answers the high-contrast setting as the
// test sets it.
#pragma once

#include "winservices/accessibility.h"

#include <map>
#include <string>
#include <vector>

namespace tktest {

class AccessibilityRecorder : public AccessibilityServices {
public:
    AccessibilityRecorder() { SetAccessibilityServices(this); }
    ~AccessibilityRecorder() override { SetAccessibilityServices(nullptr); }
    AccessibilityRecorder(const AccessibilityRecorder&) = delete;
    AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

    bool SetName(HWND window, const std::wstring& name) override
    {
        names[window] = name;
        return true;
    }
    bool ClearName(HWND window) override
    {
        names.erase(window);
        return true;
    }
    bool Announce(HWND window, const std::wstring& text, AnnouncementKind kind) override
    {
        announcements.push_back({window, text, kind});
        return true;
    }
    bool HighContrast() override { return highContrast; }

    // The name given to a window, or "(none)".
    std::wstring NameOf(HWND window) const
    {
        const auto found = names.find(window);
        return found == names.end() ? L"(none)" : found->second;
    }
    std::vector<std::wstring> Said() const
    {
        std::vector<std::wstring> texts;
        for (const Announcement& announcement : announcements)
            texts.push_back(announcement.text);
        return texts;
    }

    struct Announcement {
        HWND window;
        std::wstring text;
        AnnouncementKind kind;
    };
    std::map<HWND, std::wstring> names;
    std::vector<Announcement> announcements;
    bool highContrast = false;
};

} // namespace tktest
