// The main window's drag loop seen from a test: Grip(main) tells, from the
// hand's thread, whether the loop holds the grip yet (its first wait comes
// after the press was taken and the first sample read), for DragHow.grabbed.
#pragma once

#include "mainwindow/frm_main.h"

#include <atomic>
#include <functional>
#include <memory>

namespace tktest {

inline std::function<bool()> Grip(FrmMain& main)
{
    auto gripped = std::make_shared<std::atomic<bool>>(false);
    main.SetEventWaiter([gripped](unsigned long milliseconds) {
        *gripped = true;
        tk::WaitForEvents(milliseconds);
    });
    return [gripped] { return gripped->load(); };
}

} // namespace tktest
