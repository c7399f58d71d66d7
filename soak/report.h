// How the soak tells its findings: one line per check with its figures and
// "ok" or "FAIL", progress notes on long checks, the errors that reached the
// program's unhandled-error path, and a watchdog that ends a hung run.
#pragma once

#include "support/timing.h"

#include <string>

namespace soak {

using tktest::Clock;
using tktest::Seconds;

void Report(bool ok, const std::string& name, const std::string& detail);
void Note(const std::string& text);
int Checks();
int Failures();

std::string Fixed(double value, int decimals);

// Every error that reaches the program's unhandled-error path is counted
// instead of ending the process.
void CountErrors();
int Errors();
// The errors since `before`, with the last one's text.
std::string ErrorsText(int before);

// Long checks tell how far they are and how fast they go lately, so a run
// that slows down as it goes shows it.
class Progress {
public:
    Progress(const char* check, long total);
    void Done(long count);

private:
    const char* m_check;
    long m_total;
    Clock::time_point m_last;
};

// A check that stops making progress ends the process with a FAIL line
// rather than hanging the test run; long checks beat as they go.
void StartWatchdog();
void Watch(const char* check, int stallSeconds);
void Beat();
void StopWatchdog();

} // namespace soak
