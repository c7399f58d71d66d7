// The clipboard: opened, emptied, filled with Unicode text and closed.
#include "winservices/clipboard.h"

#include "toolkit/handles.h"

#include <chrono>
#include <cstring>

namespace {

// Another program holding the clipboard usually lets go within a few
// milliseconds. The wait blocks the user-interface thread (inside a drag
// too), so it ends well before a tenth of a second, however long the
// system's sleeps turn out.
constexpr std::chrono::milliseconds kOpenBudget{50};
constexpr std::chrono::milliseconds kOpenPause{5};

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept
    {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point giveUp = Clock::now() + kOpenBudget - kOpenPause;
        m_open = ::OpenClipboard(owner) != FALSE;
        while (!m_open && Clock::now() <= giveUp) {
            ::Sleep(static_cast<DWORD>(kOpenPause.count()));
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
