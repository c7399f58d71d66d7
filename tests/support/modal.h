// Answering what runs its own modal loop. AnswerMenu(keys, open) runs `open`
// (which shows a popup menu of this thread) while a timer inside the menu's
// loop records what the menu shows and presses the keys; it returns the
// record. A menu the keys leave open (a submenu opened and never chosen
// from) ends the process 5 s later with a message, so that the test fails
// at once instead of waiting for the run's time limit. DialogAnswer answers
// the next dialog (#32770) of this thread from a second thread, or every one
// with Repeat, while this thread sits in the dialog's loop; FindDialog finds
// such a dialog, TypeColour fills the colour dialog's red, green and blue.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tktest {

// What an answered popup menu showed, item by item (a separator as "-").
struct MenuSeen {
    bool seen = false;
    RECT placement{};
    std::vector<std::wstring> captions;
    std::vector<UINT> states; // GetMenuState, by position
    std::vector<bool> checked;
    std::vector<bool> enabled;
};

namespace detail {
struct MenuAnswering {
    std::vector<WPARAM> keys;
    bool cancelMode = false;
    MenuSeen seen;
    std::chrono::steady_clock::time_point answeredAt;
};
inline constexpr auto kMenuTimeLimit = std::chrono::seconds(5);
inline MenuAnswering*& CurrentMenuAnswer()
{
    static MenuAnswering* current = nullptr;
    return current;
}
inline void CALLBACK AnswerMenuTick(HWND, UINT, UINT_PTR, DWORD)
{
    MenuAnswering* answer = CurrentMenuAnswer();
    const HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    if (!answer || !menuWindow || !::IsWindowVisible(menuWindow))
        return; // not open yet, or closed: the next tick looks again
    MenuSeen& seen = answer->seen;
    if (seen.seen) {
        if (std::chrono::steady_clock::now() - answer->answeredAt < kMenuTimeLimit)
            return;
        std::fprintf(stderr, "FAIL: a popup menu was still open %lld s after its keys were pressed\n",
                     static_cast<long long>(kMenuTimeLimit.count()));
        std::fflush(stderr);
        ::ExitProcess(3);
    }
    seen.seen = true;
    answer->answeredAt = std::chrono::steady_clock::now();
    ::GetWindowRect(menuWindow, &seen.placement);
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128]{};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        // A submenu's state holds its item count in the high byte, over MF_SEPARATOR's bit.
        const bool separator = !(state & MF_POPUP) && (state & MF_SEPARATOR);
        seen.captions.emplace_back(separator ? L"-" : text);
        seen.states.push_back(state);
        seen.checked.push_back((state & MF_CHECKED) != 0);
        seen.enabled.push_back((state & (MF_GRAYED | MF_DISABLED)) == 0);
    }
    if (answer->cancelMode)
        ::PostMessageW(menuWindow, WM_CANCELMODE, 0, 0);
    for (const WPARAM key : answer->keys) {
        ::PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
        ::PostMessageW(menuWindow, WM_KEYUP, key, 0);
    }
}
} // namespace detail

// cancelMode sends WM_CANCELMODE to the menu before the keys.
inline MenuSeen AnswerMenu(std::vector<WPARAM> keys, const std::function<void()>& open, bool cancelMode = false)
{
    detail::MenuAnswering answer{std::move(keys), cancelMode, {}, {}};
    detail::MenuAnswering* const outer = detail::CurrentMenuAnswer();
    detail::CurrentMenuAnswer() = &answer;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, &detail::AnswerMenuTick);
    open();
    ::KillTimer(nullptr, timer);
    detail::CurrentMenuAnswer() = outer;
    return answer.seen;
}

namespace detail {
inline BOOL CALLBACK TakeDialog(HWND window, LPARAM result)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0 || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}
} // namespace detail

// The visible dialog box of a thread, or null.
inline HWND FindDialog(DWORD thread)
{
    HWND found = nullptr;
    ::EnumThreadWindows(thread, &detail::TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers dialogs of the thread that makes it, from a second thread, until it
// goes out of scope. The answer runs on the second thread with the dialog.
// Once: the first dialog is answered, and Cancelled 5 s later should the
// answer leave it open; should even that not end it within a minute, the
// process ends, so no test waits for ever. Repeat: every dialog that
// appears is answered, each once.
class DialogAnswer {
public:
    enum Mode { Once, Repeat };
    explicit DialogAnswer(std::function<void(HWND)> answer, Mode mode = Once)
        : m_answer(std::move(answer)), m_owner(::GetCurrentThreadId()), m_mode(mode), m_thread([this] { Run(); })
    {
    }
    ~DialogAnswer()
    {
        m_done = true;
        m_thread.join();
    }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    int Answers() const { return m_answers; }

private:
    void Run()
    {
        using Clock = std::chrono::steady_clock;
        HWND answered = nullptr;
        auto answeredAt = Clock::now();
        for (; !m_done; ::Sleep(10)) {
            const HWND dialog = FindDialog(m_owner);
            if (!dialog)
                answered = nullptr; // gone: a dialog seen next is a new one
            if (dialog && dialog != answered && (m_mode == Repeat || m_answers == 0)) {
                m_answer(dialog);
                answered = dialog;
                answeredAt = Clock::now();
                ++m_answers;
            } else if (m_mode == Once && dialog && dialog == answered) {
                const auto waited = Clock::now() - answeredAt;
                if (waited > std::chrono::seconds(60)) {
                    std::fputs("a dialog stayed open; giving up\n", stderr);
                    ::TerminateProcess(::GetCurrentProcess(), 3);
                } else if (waited > std::chrono::seconds(5)) {
                    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                }
            }
        }
    }

    std::function<void(HWND)> m_answer;
    DWORD m_owner;
    Mode m_mode;
    std::atomic<bool> m_done{false};
    std::atomic<int> m_answers{0};
    std::thread m_thread;
};

// The colour dialog's red, green and blue fields.
inline void TypeColour(HWND dialog, int red, int green, int blue)
{
    ::SetDlgItemInt(dialog, 706, static_cast<UINT>(red), FALSE);
    ::SetDlgItemInt(dialog, 707, static_cast<UINT>(green), FALSE);
    ::SetDlgItemInt(dialog, 708, static_cast<UINT>(blue), FALSE);
}

} // namespace tktest
