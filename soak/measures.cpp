// Handle, window and memory figures, read the same way under Windows and Wine.
#include "measures.h"

#include "report.h"
#include "toolkit/form.h"

#include <algorithm>
#include <vector>

namespace soak {

namespace {

// What may grow over a whole check, however long: one-time caches of the
// system, never anything per iteration.
constexpr int kTableSlack = 64;
constexpr int kWindowSlack = 0;
constexpr double kMemorySlackMiB = 4.0;

// Handle tables hand out freed entries first and new ones only when none is
// free, so the highest index a burst of fresh handles gets is the table's
// high-water mark: flat when nothing leaks, climbing by every leaked handle.
template <class Create, class Destroy, class Index>
int TableHighWater(Create create, Destroy destroy, Index index)
{
    constexpr int kProbe = 2048;
    std::vector<decltype(create())> handles;
    handles.reserve(kProbe);
    int highest = 0;
    for (int i = 0; i < kProbe; ++i) {
        const auto handle = create();
        if (!handle)
            break;
        highest = std::max(highest, index(reinterpret_cast<ULONG_PTR>(handle)));
        handles.push_back(handle);
    }
    for (const auto handle : handles)
        destroy(handle);
    return highest;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        ::EnumChildWindows(hwnd, &CountWindow, count);
    }
    return TRUE;
}

// Wine answers 0 for the private usage of GetProcessMemoryInfo; walking the
// address space works everywhere.
double PrivateMiB()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         ::VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        if (region.RegionSize == 0)
            break;
    }
    return static_cast<double>(total) / (1024.0 * 1024.0);
}

std::string Arrow(long long before, long long after)
{
    return std::to_string(before) + " -> " + std::to_string(after);
}

} // namespace

Figures Measure()
{
    tk::DoEvents();
    Figures figures;
    figures.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    figures.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    // GDI and USER handles carry their table index in the low word; kernel
    // handles are the index times four.
    const auto lowWord = [](ULONG_PTR value) { return static_cast<int>(value & 0xFFFF); };
    figures.gdiTable = TableHighWater([] { return ::CreateRectRgn(0, 0, 1, 1); },
                                      [](HRGN region) { ::DeleteObject(region); }, lowWord);
    figures.userTable = TableHighWater([] { return ::CreatePopupMenu(); }, [](HMENU menu) { ::DestroyMenu(menu); },
                                       lowWord);
    figures.handleTable = TableHighWater([] { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); },
                                         [](HANDLE event) { ::CloseHandle(event); },
                                         [](ULONG_PTR value) { return static_cast<int>(value / 4); });
    ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&figures.windows));
    figures.privateMiB = PrivateMiB();
    return figures;
}

bool Flat(const Figures& before, const Figures& after, std::string& text)
{
    text.clear();
    if (before.gdiObjects || after.gdiObjects)
        text += "GDI objects " + Arrow(before.gdiObjects, after.gdiObjects) + ", USER objects "
                + Arrow(before.userObjects, after.userObjects) + ", ";
    text += "GDI table " + Arrow(before.gdiTable, after.gdiTable) + ", USER table "
            + Arrow(before.userTable, after.userTable) + ", windows " + Arrow(before.windows, after.windows)
            + ", kernel handle table " + Arrow(before.handleTable, after.handleTable)
            + ", private " + Fixed(before.privateMiB, 1) + " -> " + Fixed(after.privateMiB, 1) + " MiB";
    bool flat = after.gdiTable - before.gdiTable <= kTableSlack && after.userTable - before.userTable <= kTableSlack
                && after.windows - before.windows <= kWindowSlack
                && after.privateMiB - before.privateMiB <= kMemorySlackMiB;
    if (before.gdiObjects || after.gdiObjects)
        flat = flat && static_cast<long>(after.gdiObjects) - static_cast<long>(before.gdiObjects) <= kTableSlack
               && static_cast<long>(after.userObjects) - static_cast<long>(before.userObjects) <= kTableSlack;
    flat = flat && after.handleTable - before.handleTable <= kTableSlack;
    if (!flat)
        text += " (grew beyond the allowed constant)";
    return flat;
}

} // namespace soak
