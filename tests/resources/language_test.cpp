// Texts and cursors as a user of a given language gets them. The same
// program runs under Italian, English and German users; the run's
// TAVOLISK_EXPECT_LANGUAGE ("it" or "en") says which texts must appear.
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "support/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The table of the language the run expects, or null when it names none.
const tktest::TextTable* ExpectedTable()
{
    const std::string language = tktest::ExpectedLanguage();
    return language.empty() ? nullptr : &tktest::Texts(language);
}

constexpr const char* kNoExpectation = tktest::kNoExpectedLanguage;

TEST(LoadResString, GivesEveryTextInTheUsersLanguage)
{
    const auto* table = ExpectedTable();
    ASSERT_NE(table, nullptr) << kNoExpectation;
    for (int id = 101; id <= IDS_CONTRAST; ++id)
        EXPECT_EQ(LoadResString(id), tktest::Text(*table, id)) << "string " << id;
    for (int id = IDS_NAME_LANGUAGE; id <= IDS_STOP_COLOUR; ++id)
        EXPECT_EQ(LoadResString(id), tktest::AccessText(tktest::ExpectedLanguage(), id)) << "string " << id;
}

TEST(LoadResString, HelpTextLongerThan255ComesBackWhole)
{
    const auto* table = ExpectedTable();
    ASSERT_NE(table, nullptr) << kNoExpectation;
    const std::wstring text = LoadResString(IDS_HELP_TEXT);
    EXPECT_GT(text.size(), 255u);
    EXPECT_EQ(text, tktest::Text(*table, IDS_HELP_TEXT));
}

// What GetIconInfo and the cursor's mask tell about a loaded cursor.
struct CursorFacts {
    bool isIcon = true;
    int hotspotX = -1, hotspotY = -1;
    int width = 0, height = 0;
    bool monochrome = false;
    std::vector<bool> opaque; // row by row, width x height
    std::vector<bool> white;

    bool OpaqueAt(int x, int y) const { return opaque.at(static_cast<std::size_t>(y * width + x)); }
    bool WhiteAt(int x, int y) const { return white.at(static_cast<std::size_t>(y * width + x)); }
};

CursorFacts Inspect(HCURSOR cursor)
{
    CursorFacts facts;
    ICONINFO info{};
    if (!::GetIconInfo(cursor, &info))
        return facts;
    tk::unique_hbitmap mask(info.hbmMask);
    tk::unique_hbitmap colour(info.hbmColor);
    facts.isIcon = info.fIcon != FALSE;
    facts.hotspotX = static_cast<int>(info.xHotspot);
    facts.hotspotY = static_cast<int>(info.yHotspot);
    facts.monochrome = !colour;

    BITMAP bm{};
    ::GetObjectW(mask.get(), sizeof bm, &bm);
    facts.width = bm.bmWidth;
    facts.height = facts.monochrome ? bm.bmHeight / 2 : bm.bmHeight;
    if (!facts.monochrome)
        return facts;

    // A monochrome cursor's mask holds the AND plane over the XOR plane.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } format{};
    format.header.biSize = sizeof(BITMAPINFOHEADER);
    format.header.biWidth = bm.bmWidth;
    format.header.biHeight = -bm.bmHeight; // top-down
    format.header.biPlanes = 1;
    format.header.biBitCount = 1;
    const int stride = (bm.bmWidth + 31) / 32 * 4;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride * bm.bmHeight));
    tk::WindowDC screen;
    if (::GetDIBits(screen, mask.get(), 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                    reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS) != bm.bmHeight)
        return facts;
    auto bit = [&](int x, int y) { return (bits[static_cast<std::size_t>(y * stride + x / 8)] >> (7 - x % 8)) & 1; };
    for (int y = 0; y < facts.height; ++y) {
        for (int x = 0; x < facts.width; ++x) {
            const bool andBit = bit(x, y) != 0;
            const bool xorBit = bit(x, y + facts.height) != 0;
            facts.opaque.push_back(!andBit);
            facts.white.push_back(!andBit && xorBit);
        }
    }
    return facts;
}

// Bounding box of the opaque pixels: left, top, right, bottom (inclusive).
std::array<int, 4> DrawingBounds(const CursorFacts& facts)
{
    std::array<int, 4> box{facts.width, facts.height, -1, -1};
    for (int y = 0; y < facts.height; ++y)
        for (int x = 0; x < facts.width; ++x)
            if (facts.OpaqueAt(x, y))
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
}

void ExpectMonochrome32(const CursorFacts& facts)
{
    EXPECT_FALSE(facts.isIcon);
    EXPECT_TRUE(facts.monochrome);
    EXPECT_EQ(facts.width, 32);
    EXPECT_EQ(facts.height, 32);
}

// The program's three hands, loaded in the user's language: 32 x 32
// monochrome cursors whose hot spot lies on the drawing, each drawn within
// its part of the cell (every side of the drawing's box in a range).
TEST(HandCursors, EachHandIsDrawnAroundItsHotSpot)
{
    struct Range {
        int low, high;
    };
    const struct {
        const wchar_t* name;
        const char* what;
        POINT hotSpot;
        bool whiteHotSpot; // a palm; a fingertip is only opaque
        Range left, top, right, bottom;
    } hands[] = {
        // From the thumb at the left edge and the middle fingertip at the top
        // to the wrist at the bottom of the 16 x 16 corner.
        {kCursorMano, "open hand", {8, 8}, true, {0, 0}, {0, 0}, {12, 15}, {15, 15}},
        {kCursorManoDrag, "closed hand", {8, 8}, true, {0, 15}, {4, 4}, {0, 15}, {16, 16}},
        {kCursorLinkHand, "pointing hand", {0, 0}, false, {0, 0}, {0, 0}, {1, 31}, {4, 31}},
    };
    for (const auto& hand : hands) {
        SCOPED_TRACE(hand.what);
        const tk::unique_hcursor cursor = LoadResCursor(hand.name);
        ASSERT_TRUE(cursor);
        const CursorFacts facts = Inspect(cursor.get());
        ExpectMonochrome32(facts);
        ASSERT_EQ(facts.opaque.size(), 32u * 32u);
        EXPECT_EQ(facts.hotspotX, hand.hotSpot.x);
        EXPECT_EQ(facts.hotspotY, hand.hotSpot.y);
        const int x = hand.hotSpot.x;
        const int y = hand.hotSpot.y;
        EXPECT_TRUE(hand.whiteHotSpot ? facts.WhiteAt(x, y) : facts.OpaqueAt(x, y));
        const auto box = DrawingBounds(facts);
        const Range ranges[] = {hand.left, hand.top, hand.right, hand.bottom};
        for (int side = 0; side < 4; ++side) {
            EXPECT_GE(box[side], ranges[side].low) << "side " << side;
            EXPECT_LE(box[side], ranges[side].high) << "side " << side;
        }
        // The finger rises straight from the hand: white inside, column 1, for its first rows.
        if (!hand.whiteHotSpot) {
            for (int row = 1; row < 5; ++row)
                EXPECT_TRUE(facts.WhiteAt(1, row)) << "row " << row;
        }
    }
}

} // namespace
