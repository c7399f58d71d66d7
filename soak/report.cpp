// The soak's lines, its error count and its watchdog.
#include "report.h"

#include "toolkit/window.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <thread>

namespace soak {

namespace {
int g_checks = 0;
int g_failures = 0;
int g_errors = 0;
std::string g_lastError;

std::atomic<long long> g_deadline{0};
std::atomic<int> g_stallSeconds{60};
std::atomic<const char*> g_current{""};

long long NowMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}
} // namespace

void Report(bool ok, const std::string& name, const std::string& detail)
{
    ++g_checks;
    if (!ok)
        ++g_failures;
    std::printf("%s %s: %s\n", ok ? "ok  " : "FAIL", name.c_str(), detail.c_str());
    std::fflush(stdout);
}

void Note(const std::string& text)
{
    std::printf("     %s\n", text.c_str());
    std::fflush(stdout);
}

int Checks()
{
    return g_checks;
}

int Failures()
{
    return g_failures;
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void CountErrors()
{
    tk::SetUnhandledErrorHandler([](const tk::AppError& error) {
        ++g_errors;
        g_lastError = std::to_string(error.Number()) + " " + error.Description();
    });
}

int Errors()
{
    return g_errors;
}

std::string ErrorsText(int before)
{
    const int count = g_errors - before;
    return "errors " + std::to_string(count) + (count ? " (last: " + g_lastError + ")" : "");
}

Progress::Progress(const char* check, long total) : m_check(check), m_total(total), m_last(Clock::now()) {}

void Progress::Done(long count)
{
    if (m_total < 5000 || count % (m_total / 10) != 0 || count == m_total)
        return;
    const auto now = Clock::now();
    const double each = Seconds(now - m_last) * 1000.0 / static_cast<double>(m_total / 10);
    m_last = now;
    char text[160];
    std::snprintf(text, sizeof text, "%s: %ld of %ld, lately %.2f ms each", m_check, count, m_total, each);
    Note(text);
}

void Beat()
{
    g_deadline = NowMilliseconds() + g_stallSeconds * 1000LL;
}

void Watch(const char* check, int stallSeconds)
{
    g_current = check;
    g_stallSeconds = stallSeconds;
    Beat();
}

void StopWatchdog()
{
    g_deadline = 0;
}

void StartWatchdog()
{
    std::thread([] {
        for (;;) {
            ::Sleep(250);
            const long long deadline = g_deadline;
            if (deadline && NowMilliseconds() > deadline) {
                std::printf("FAIL %s: no progress for %d s (hung)\n", g_current.load(), g_stallSeconds.load());
                std::printf("soak: %d checks, %d failed, then hung\n", g_checks, g_failures + 1);
                std::fflush(stdout);
                ::ExitProcess(3);
            }
        }
    }).detach();
}

} // namespace soak
