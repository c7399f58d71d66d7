// Starting a program and timing it to its visible window.
#include "startup.h"

#include "support/timing.h"

#include <windows.h>
#include <psapi.h>

namespace bench {

StartFigures StartOnce(const std::wstring& exe, const std::wstring& className, const std::wstring& title)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + exe + L"\"";
    StartFigures figures;
    const auto start = tktest::Clock::now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return figures;
    while (tktest::Clock::now() - start < std::chrono::seconds(20)) {
        const HWND window = ::FindWindowW(className.c_str(), title.c_str());
        if (window && ::IsWindowVisible(window))
            break;
        ::Sleep(1);
    }
    figures.milliseconds = tktest::Seconds(tktest::Clock::now() - start) * 1000.0;
    // Once it waits for input it has done all its start-up work.
    ::WaitForInputIdle(process.hProcess, 2000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        figures.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return figures;
}

} // namespace bench
