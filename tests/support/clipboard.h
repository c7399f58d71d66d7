// The clipboard from a test: ClipboardText reads its Unicode text back
// ("<none>" without text), PutClipboardText fills it, and ClipboardHolder
// keeps it open from another thread for a while, as a busy program does.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstring>
#include <chrono>
#include <string>
#include <thread>

namespace tktest {

// The clipboard's Unicode text; "<none>" when it holds no text.
inline std::wstring ClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return L"<busy>";
    std::wstring text = L"<none>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

inline void PutClipboardText(const std::wstring& text)
{
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

// Another thread keeps the clipboard open for a while, as a program busy
// with it does; the destructor waits for it to let go.
class ClipboardHolder {
public:
    explicit ClipboardHolder(std::chrono::milliseconds hold)
        : m_thread([this, hold] {
              HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                              ::GetModuleHandleW(nullptr), nullptr);
              m_open = ::OpenClipboard(window) != FALSE;
              m_ready = true;
              std::this_thread::sleep_for(hold);
              if (m_open)
                  ::CloseClipboard();
              ::DestroyWindow(window);
          })
    {
        while (!m_ready)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~ClipboardHolder() { m_thread.join(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Holding() const { return m_open; }

private:
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_open{false};
    std::thread m_thread;
};

} // namespace tktest
