// The shipped program's stand-ins for parts of the C++ runtime
// (src/lean_runtime.cpp): printf as C99 has it, through the system's
// msvcrt.dll, and the containers' faults as standard exceptions with text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

TEST(LeanRuntime, PrintfGivesWhatC99Gives)
{
    char text[96];
    const int length = std::snprintf(text, sizeof text, "#%02X%02X%02X %ld %.2f %.3f %zu %lld %e %5s|%-4d|", 255, 128,
                                     0, 33023L, 4.5, 0.1234, sizeof(int[7]), 1LL << 40, 12345.678, "ab", 3);
    EXPECT_STREQ(text, "#FF8000 33023 4.50 0.123 28 1099511627776 1.234568e+04    ab|3   |");
    EXPECT_EQ(length, static_cast<int>(std::strlen(text)));
    // Too small a buffer: the whole length is returned, the text cut and ended.
    EXPECT_EQ(std::snprintf(text, 5, "%d", 1234567), 7);
    EXPECT_STREQ(text, "1234");
    // In C99's swprintf %s and %c are narrow, %ls and %lc wide.
    wchar_t wide[64];
    std::swprintf(wide, 64, L"%s %ls %c %lc %04X %d", "narrow", L"wide", 'x', L'y', 0x409, -5);
    EXPECT_STREQ(wide, L"narrow wide x y 0409 -5");
    EXPECT_EQ(std::to_wstring(-16777216), L"-16777216");
}

TEST(LeanRuntime, ContainerFaultsAreStandardExceptionsWithText)
{
    const std::vector<int> empty;
    std::string what;
    try {
        (void)empty.at(3);
    } catch (const std::exception& error) {
        what = error.what();
    }
    EXPECT_NE(what.find("_M_range_check"), std::string::npos) << what;
}
