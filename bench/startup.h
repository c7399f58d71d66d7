// A program started from nothing: how long until its window is visible, and
// the most memory it held by then.
#pragma once

#include <string>

namespace bench {

struct StartFigures {
    double milliseconds = -1;
    double peakMiB = 0; // peak working set; 0 where the system does not tell
};

StartFigures StartOnce(const std::wstring& exe, const std::wstring& className, const std::wstring& title);

} // namespace bench
