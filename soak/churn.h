// A run of open/close cycles of one thing between two readings of the
// handle and memory figures.
#pragma once

#include <functional>
#include <string>

namespace soak {

// What the cycles left: how many did what they should, in what time, and
// whether the figures stayed flat.
struct ChurnResult {
    int shown = 0;
    double seconds = 0;
    bool flat = false;
    std::string figures;
};

// A few cycles first (one-time allocations), then `afterWarmUp`, then the
// measured cycles; each cycle answers whether it did what it should.
ChurnResult Churn(const char* check, int warmUp, int cycles, const std::function<bool(int)>& cycle,
                  const std::function<void()>& afterWarmUp = {});

} // namespace soak
