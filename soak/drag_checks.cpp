// Long drags over the changing chart, with the advanced view closed and open.
#include "checks.h"

#include "measures.h"
#include "report.h"
#include "scene.h"

#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "support/advanced_access.h"

#include <algorithm>
#include <cmath>

namespace soak {

namespace {

struct DragResult {
    long reads = 0;
    long changes = 0;
    bool overran = false;
    double seconds = 0;
};

// The real drag loop over the animated chart, the cursor wandering so the
// window moves too; a posted release ends it once enough samples were read.
DragResult Drag(long iterations, Progress* progress = nullptr)
{
    FrmMain& picker = Picker();
    const HWND skin = picker.Skin().hWnd();
    PlacePicker(picker, 400, 300, 100, 100);
    DragResult result;
    ColorValue previous = picker.LastColor();
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++result.reads;
        if (progress)
            progress->Done(result.reads);
        if (result.reads % 32 == 0)
            Beat();
        // The cursor wanders (kept clear of the advanced view at the top left,
        // and on the screen), and between two wanderings it still moves by a
        // pixel at every step: a drag whose cursor stands still waits for the
        // next frame, which would make this check a long wait.
        const double t = static_cast<double>(result.reads / 32);
        ::SetCursorPos(500 + static_cast<int>(200 * std::sin(t * 0.13)) + static_cast<int>(result.reads % 2),
                       465 + static_cast<int>(120 * std::sin(t * 0.07)));
        const ColorValue colour = GetScreenPixel(x, y);
        if (colour != previous)
            ++result.changes;
        previous = colour;
        if (result.reads >= iterations && (result.reads - iterations) % 1000 == 0) {
            result.overran = result.reads > iterations;
            ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
        }
        return colour;
    });
    const auto start = Clock::now();
    picker.EventButtonDown();
    result.seconds = Seconds(Clock::now() - start);
    picker.SetPixelReader(&GetScreenPixel);
    return result;
}

} // namespace

void CheckLongDrag(long iterations)
{
    Watch("long drag", 60);
    Chart().Animate(true);
    Drag(std::min<long>(iterations / 10, 1000)); // one-time allocations first
    const int errors = Errors();
    const Figures before = Measure();
    Progress progress("long drag", iterations);
    const DragResult drag = Drag(iterations, &progress);
    const Figures after = Measure();
    Chart().Animate(false);

    FrmMain& picker = *frmMain;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    const bool ended = !picker.IsButtonDown() && !drag.overran && drag.reads >= iterations;
    const bool ok = flat && ended && drag.changes > 0 && Errors() == errors;
    Report(ok, "long drag",
           std::to_string(drag.reads) + " iterations in " + Fixed(drag.seconds, 1) + " s ("
               + Fixed(drag.reads / drag.seconds, 0) + "/s), " + std::to_string(drag.changes) + " colour changes, "
               + (ended ? "ended by the release" : "did not end at the release") + "; " + figures + ", "
               + ErrorsText(errors));
}

// With the advanced view open every changed sample reaches it too; each
// change redraws its strip, so this drag is shorter.
void CheckDragWithAdvanced(long iterations)
{
    Watch("drag with the advanced view open", 60);
    Chart().Animate(true);
    frmAdvanced->ShowWindow(0);
    Drag(std::min<long>(iterations / 10, 20));
    const int errors = Errors();
    const Figures before = Measure();
    const DragResult drag = Drag(iterations);
    const Figures after = Measure();
    Chart().Animate(false);

    FrmMain& picker = *frmMain;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    // The advanced view took every sampled colour, so it ends on the last one.
    const ColorValue advanced = FrmAdvancedTestAccess{*frmAdvanced}.Current();
    const bool followed = advanced == picker.LastColor();
    const bool ended = !picker.IsButtonDown() && !drag.overran && drag.reads >= iterations;
    const bool ok = flat && followed && ended && drag.changes > 0 && Errors() == errors;
    Report(ok, "drag with the advanced view open",
           std::to_string(drag.reads) + " iterations in " + Fixed(drag.seconds, 1) + " s ("
               + Fixed(drag.reads / drag.seconds, 1) + "/s), " + std::to_string(drag.changes)
               + " colour changes (" + Fixed(drag.seconds * 1000.0 / std::max<long>(drag.changes, 1), 1)
               + " ms each), advanced view "
               + (followed ? "followed" : "lost (" + std::to_string(advanced) + " against "
                                               + std::to_string(picker.LastColor()) + ")")
               + "; " + figures + ", " + ErrorsText(errors));
    frmAdvanced->Unload();
    tk::CollectRetiredForms();
}

} // namespace soak
