// The screen read behind every sample, on systems not at hand: one that
// refuses the legacy display context, one that gives it for the primary
// monitor only, and monitors left of and above the primary one.
#include "colour/mouse_function.h"
#include "toolkit/screen.h"

#include <gtest/gtest.h>

namespace {

// What the pretend system does with the legacy context.
enum class Legacy { Works, Refused, PrimaryOnly };

struct Pretend {
    static inline Legacy legacy = Legacy::Works;
    static inline HDC legacyDC = nullptr;
    static inline int legacyOpens = 0;
    static inline int desktopOpens = 0;

    // Real memory contexts, so the read can tell them apart and delete them.
    static HDC OpenLegacy()
    {
        ++legacyOpens;
        legacyDC = legacy == Legacy::Refused ? nullptr : ::CreateCompatibleDC(nullptr);
        return legacyDC;
    }
    static HDC OpenDesktop()
    {
        ++desktopOpens;
        return ::CreateCompatibleDC(nullptr);
    }
    // Every monitor shows its own colour; a legacy context that covers the
    // primary only answers -1 anywhere else.
    static COLORREF Read(HDC dc, int x, int y)
    {
        const bool primary = x >= 0 && y >= 0 && x < 1024 && y < 768;
        if (dc == legacyDC && legacy == Legacy::PrimaryOnly && !primary)
            return CLR_INVALID;
        return primary ? RGB(10, 20, 30) : x < 0 ? RGB(200, 100, 0) : RGB(0, 90, 180);
    }
};

class ScreenRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const ScreenReadPlatform platform{&Pretend::OpenLegacy, &Pretend::OpenDesktop, &Pretend::Read};
        SetScreenReadPlatform(&platform);
        // A monitor left of the primary and reaching above it, and one right of it.
        tk::Screen::SetMonitorSource([] {
            return std::vector<RECT>{{0, 0, 1024, 768}, {-1280, -200, 0, 824}, {1024, 0, 2944, 1080}};
        });
    }
    void TearDown() override
    {
        SetScreenReadPlatform(nullptr);
        tk::Screen::SetMonitorSource(nullptr);
    }
    static void Use(Legacy legacy)
    {
        Pretend::legacy = legacy;
        Pretend::legacyOpens = Pretend::desktopOpens = 0;
    }
};

} // namespace

TEST_F(ScreenRead, FallsBackToTheWholeDesktopOnlyWhereTheLegacyContextFails)
{
    constexpr ColorValue kPrimary = RGB(10, 20, 30), kLeft = RGB(200, 100, 0), kRight = RGB(0, 90, 180);

    // Where the legacy context works, it is all that is used.
    Use(Legacy::Works);
    EXPECT_EQ(GetScreenPixel(500, 400), kPrimary);
    EXPECT_EQ(GetScreenPixel(-10, -150), kLeft);
    EXPECT_EQ(Pretend::legacyOpens, 2);
    EXPECT_EQ(Pretend::desktopOpens, 0);

    // A system that refuses the legacy arguments: every read still gives a colour.
    Use(Legacy::Refused);
    EXPECT_EQ(GetScreenPixel(500, 400), kPrimary);
    EXPECT_EQ(GetScreenPixel(-1280, 823), kLeft);
    EXPECT_EQ(GetScreenPixel(2943, 1079), kRight);
    EXPECT_EQ(Pretend::legacyOpens, 3) << "the legacy call is still tried first, every read";
    EXPECT_EQ(Pretend::desktopOpens, 3) << "a fresh whole-desktop context per read";

    // A legacy context for the primary only: the other monitors read through the desktop's.
    Use(Legacy::PrimaryOnly);
    EXPECT_EQ(GetScreenPixel(1023, 767), kPrimary);
    EXPECT_EQ(Pretend::desktopOpens, 0);
    EXPECT_EQ(GetScreenPixel(-640, 300), kLeft);
    EXPECT_EQ(GetScreenPixel(2000, 900), kRight);
    EXPECT_EQ(Pretend::desktopOpens, 2);

    // Off every monitor there is no pixel: -1, whatever a context would say.
    for (const Legacy legacy : {Legacy::Works, Legacy::Refused, Legacy::PrimaryOnly}) {
        Use(legacy);
        EXPECT_EQ(GetScreenPixel(-1281, 0), -1);
        EXPECT_EQ(GetScreenPixel(-5, -201), -1);
        EXPECT_EQ(GetScreenPixel(500, 768), -1) << "under the primary, beside the taller monitors";
        EXPECT_EQ(GetScreenPixel(2944, 10), -1);
        EXPECT_EQ(Pretend::legacyOpens + Pretend::desktopOpens, 0);
    }
}

TEST(ScreenReadOnThisDisplay, IsMinusOneOnlyOffTheScreen)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    // Wine's display context answers 0 off the screen; the read says -1 there.
    EXPECT_EQ(GetScreenPixel(width, 10), -1);
    EXPECT_EQ(GetScreenPixel(-1, 10), -1);
    EXPECT_EQ(GetScreenPixel(10, height), -1);
    EXPECT_NE(GetScreenPixel(width - 1, height - 1), -1);
    EXPECT_NE(GetScreenPixel(0, 0), -1);
}
