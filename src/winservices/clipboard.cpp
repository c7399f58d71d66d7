// The clipboard: opened, emptied, filled with Unicode text and closed.
#include "winservices/clipboard.h"

#include "toolkit/handles.h"

#include <cstring>

namespace {

// Another program holding the clipboard usually lets go within a few
// milliseconds; a quarter of a second in all is still no noticeable wait.
constexpr int kOpenAttempts = 25;
constexpr DWORD kOpenPause = 10; // ms

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept
    {
        for (int attempt = 0; attempt < kOpenAttempts && !m_open; ++attempt) {
            if (attempt > 0)
                ::Sleep(kOpenPause);
            m_open = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~OpenedClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const noexcept { return m_open; }

private:
    bool m_open = false;
};

} // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    tk::unique_hglobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    void* target = ::GlobalLock(memory.get());
    if (!target)
        return false;
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory.get());

    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get()))
        return false;
    memory.release(); // the clipboard owns it now
    return true;
}
