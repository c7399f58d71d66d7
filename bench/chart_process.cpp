// The bench's chart process and its handle in the bench.
#include "chart_process.h"

#include "colour/mouse_function.h"
#include "support/pattern_chart.h"
#include "support/timing.h"

#include <windowsx.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

constexpr UINT kRecolourSpot = WM_APP; // a thread message; wParam: colour, lParam: the spot's centre
constexpr int kSpotRadius = 2;

struct Spot {
    POINT centre{-100, -100};
    COLORREF colour = 0;
    bool Covers(int x, int y) const
    {
        return std::abs(x - centre.x) <= kSpotRadius && std::abs(y - centre.y) <= kSpotRadius;
    }
};

} // namespace

COLORREF StripeColour(int x)
{
    return static_cast<COLORREF>((static_cast<unsigned>(x) * 2654435761u) & 0xFFFFFF);
}

int RunChart(const std::wstring& kind)
{
    Spot spot;
    const bool stripes = kind == L"stripes";
    tktest::ScreenChart chart(
        [&](int x, int y) {
            if (stripes)
                return StripeColour(x);
            return spot.Covers(x, y) ? spot.colour : kBands[static_cast<std::size_t>(x / kBandWidth) % kBands.size()];
        },
        stripes ? tktest::ScreenChart::Columns : tktest::ScreenChart::EveryPixel, tktest::ScreenChart::NotActivating);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kRecolourSpot) {
            spot.centre = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
            spot.colour = static_cast<COLORREF>(message.wParam);
            const RECT area{spot.centre.x - kSpotRadius, spot.centre.y - kSpotRadius, spot.centre.x + kSpotRadius + 1,
                            spot.centre.y + kSpotRadius + 1};
            chart.Repaint(&area);
            continue;
        }
        ::DispatchMessageW(&message);
    }
    return 0;
}

ChartProcess::ChartProcess(const std::wstring& kind) : m_kind(kind)
{
    // A chart process that never reaches the screen is started once more.
    for (int attempt = 0; attempt < 2 && !Start(); ++attempt)
        Stop();
}

ChartProcess::~ChartProcess()
{
    Stop();
}

void ChartProcess::Recolour(POINT centre, COLORREF colour) const
{
    ::PostThreadMessageW(m_process.dwThreadId, kRecolourSpot, colour, MAKELPARAM(centre.x, centre.y));
}

// True once the second band (or its stripe) shows on the screen.
bool ChartProcess::Start()
{
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + m_kind;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &m_process))
        return false;
    const COLORREF expected = m_kind == L"stripes" ? StripeColour(kBandWidth + 50) : kBands[1];
    const auto limit = tktest::Clock::now() + std::chrono::seconds(20);
    while (tktest::Clock::now() < limit) {
        if (GetScreenPixel(kBandWidth + 50, 50) == static_cast<ColorValue>(expected))
            return true;
        ::Sleep(20);
    }
    std::fprintf(stderr, "the chart did not reach the screen\n");
    return false;
}

void ChartProcess::Stop()
{
    if (!m_process.hProcess)
        return;
    ::PostThreadMessageW(m_process.dwThreadId, WM_QUIT, 0, 0);
    if (::WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(m_process.hProcess, 0);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
    m_process = {};
}

} // namespace bench
