// The clipboard from a test: ClipboardText reads its Unicode text back
// ("<none>" without text), PutClipboardText fills it (and with an HTML
// fragment too, as a browser's copy does), and ClipboardHolder keeps it open
// from another thread, as a busy program does, until told to let go.
#pragma once

#include "support/pump.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
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

// The format a browser puts its copies in beside their text.
inline UINT HtmlFormat()
{
    return ::RegisterClipboardFormatW(L"HTML Format");
}

inline void PutClipboardText(const std::wstring& text, bool withHtml = false)
{
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    if (withHtml) {
        const std::string html = "Version:0.9\r\n<b>before</b>";
        HGLOBAL fragment = ::GlobalAlloc(GMEM_MOVEABLE, html.size() + 1);
        std::memcpy(::GlobalLock(fragment), html.c_str(), html.size() + 1);
        ::GlobalUnlock(fragment);
        ::SetClipboardData(HtmlFormat(), fragment);
    }
    ::CloseClipboard();
}

// Another thread keeps the clipboard open, as a program busy with it does,
// until `letGo` holds (or a minute has passed); the destructor waits for it
// to let go.
class ClipboardHolder {
public:
    explicit ClipboardHolder(std::function<bool()> letGo)
        : m_letGo(std::move(letGo)), m_thread([this] {
              HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                              ::GetModuleHandleW(nullptr), nullptr);
              m_open = ::OpenClipboard(window) != FALSE;
              m_ready = true;
              WaitUntil(m_letGo, 60000);
              if (m_open)
                  ::CloseClipboard();
              m_released = true;
              ::DestroyWindow(window);
          })
    {
        WaitUntil([this] { return m_ready.load(); });
    }
    ~ClipboardHolder() { m_thread.join(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Holding() const { return m_open; }
    bool Released() const { return m_released; }

private:
    std::function<bool()> m_letGo;
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

} // namespace tktest
