// The resources as they are linked into the program, read back both through
// the raw resource APIs (every language explicitly) and through the
// program's own loaders.
#include "support/texts.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/app_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr LANGID kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kItalian = MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);

HMODULE Module() { return ::GetModuleHandleW(nullptr); }

// The bytes of one resource in one language, or nothing.
std::vector<BYTE> RawResource(const wchar_t* type, const wchar_t* name, LANGID language)
{
    HRSRC info = ::FindResourceExW(Module(), type, name, language);
    if (!info)
        return {};
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(Module(), info)));
    return data ? std::vector<BYTE>(data, data + ::SizeofResource(Module(), info)) : std::vector<BYTE>{};
}

std::vector<BYTE> RawResource(const wchar_t* type, const wchar_t* name)
{
    HRSRC info = ::FindResourceW(Module(), name, type);
    if (!info)
        return {};
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(Module(), info)));
    return data ? std::vector<BYTE>(data, data + ::SizeofResource(Module(), info)) : std::vector<BYTE>{};
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
    return TRUE;
}

std::vector<LANGID> Languages(const wchar_t* type, const wchar_t* name)
{
    std::vector<LANGID> found;
    ::EnumResourceLanguagesW(Module(), type, name, CollectLanguage, reinterpret_cast<LONG_PTR>(&found));
    std::sort(found.begin(), found.end());
    return found;
}

// A string block is sixteen counted UTF-16 strings; block 7 holds 96..111.
std::vector<std::wstring> StringBlock(int block, LANGID language)
{
    const std::vector<BYTE> raw = RawResource(RT_STRING, MAKEINTRESOURCEW(block), language);
    std::vector<std::wstring> texts;
    std::size_t at = 0;
    while (texts.size() < 16 && at + 2 <= raw.size()) {
        WORD length = 0;
        std::memcpy(&length, raw.data() + at, 2);
        at += 2;
        if (at + length * 2u > raw.size())
            break;
        std::wstring text(length, L'\0');
        std::memcpy(text.data(), raw.data() + at, length * 2u);
        at += length * 2u;
        texts.push_back(std::move(text));
    }
    return texts;
}

TEST(StringTable, BlockSevenHoldsEveryTextInBothLanguages)
{
    const struct {
        LANGID language;
        const tktest::TextTable* texts;
    } versions[] = {{kEnglishUs, &tktest::kEnglish}, {kItalian, &tktest::kItalian}};
    for (const auto& version : versions) {
        SCOPED_TRACE(testing::Message() << "language " << version.language);
        const std::vector<std::wstring> block = StringBlock(7, version.language);
        ASSERT_EQ(block.size(), 16u);
        for (int id = 96; id <= 100; ++id)
            EXPECT_EQ(block[id - 96], L"") << "string " << id;
        for (int id = 101; id <= 111; ++id)
            EXPECT_EQ(block[id - 96], tktest::Text(*version.texts, id)) << "string " << id;
    }
}

TEST(StringTable, ExistsInEnglishAndItalianOnly)
{
    // A neutral or third version would change what the loader falls back to.
    EXPECT_EQ(Languages(RT_STRING, MAKEINTRESOURCEW(7)), (std::vector<LANGID>{kEnglishUs, kItalian}));
}

TEST(LoadResString, EmptySlotsOfTheBlockGiveEmptyText)
{
    EXPECT_EQ(LoadResString(IDS_NOTICE), L"");
    EXPECT_EQ(LoadResString(100), L"");
}

TEST(LoadResString, IdentifierOutsideEveryBlockRaisesError326)
{
    for (int id : {95, 4242, -1, 70000}) {
        try {
            LoadResString(id);
            ADD_FAILURE() << "no error for " << id;
        } catch (const tk::AppError& error) {
            EXPECT_EQ(error.Number(), 326);
            EXPECT_EQ(error.Source(), "Tavolisk");
            EXPECT_EQ(error.Description(), "Resource with identifier '" + std::to_string(id) + "' not found");
        }
    }
}

TEST(LoadResCursor, EveryCallMakesANewCursor)
{
    tk::unique_hcursor first = LoadResCursor(kCursorMano);
    const tk::unique_hcursor second = LoadResCursor(kCursorMano);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    // Destroying one must leave the other usable: neither is a shared cursor.
    first.reset();
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(second.get(), &info));
    tk::unique_hbitmap mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_EQ(info.xHotspot, 8u);
}

TEST(LoadResCursor, MissingCursorRaisesError326)
{
    try {
        LoadResCursor(L"NO_SUCH_HAND");
        ADD_FAILURE() << "no error";
    } catch (const tk::AppError& error) {
        EXPECT_EQ(error.Number(), 326);
        EXPECT_EQ(error.Description(), "Resource with identifier 'NO_SUCH_HAND' not found");
    }
}

TEST(HandCursors, MainWindowHandsExistInTheItalianVersionOnly)
{
    EXPECT_EQ(Languages(RT_GROUP_CURSOR, kCursorMano), std::vector<LANGID>{kItalian});
    EXPECT_EQ(Languages(RT_GROUP_CURSOR, kCursorManoDrag), std::vector<LANGID>{kItalian});
    EXPECT_FALSE(Languages(RT_GROUP_CURSOR, kCursorLinkHand).empty());
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);

std::vector<GroupIconEntry> IconGroup()
{
    const std::vector<BYTE> raw = RawResource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_APP));
    std::vector<GroupIconEntry> entries;
    if (raw.size() < 6)
        return entries;
    WORD header[3];
    std::memcpy(header, raw.data(), sizeof header);
    if (header[0] != 0 || header[1] != 1 || raw.size() != 6 + header[2] * sizeof(GroupIconEntry))
        return entries;
    entries.resize(header[2]);
    std::memcpy(entries.data(), raw.data() + 6, entries.size() * sizeof(GroupIconEntry));
    return entries;
}

TEST(AppIcon, GroupOneListsSixImagesInOrder)
{
    const std::vector<GroupIconEntry> entries = IconGroup();
    ASSERT_EQ(entries.size(), 6u);
    const struct {
        int size, bits, id;
    } wanted[] = {{32, 4, 30001}, {16, 4, 30002}, {32, 8, 30003}, {16, 8, 30004}, {32, 32, 30005}, {16, 32, 30006}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_EQ(entries[i].width, wanted[i].size);
        EXPECT_EQ(entries[i].height, wanted[i].size);
        EXPECT_EQ(entries[i].bitCount, wanted[i].bits);
        EXPECT_EQ(entries[i].planes, 1);
        EXPECT_EQ(entries[i].colourCount, wanted[i].bits == 4 ? 16 : 0);
        EXPECT_EQ(entries[i].id, wanted[i].id);
    }
}

TEST(AppIcon, EveryImageIsAWellFormedIconOfItsEntry)
{
    for (const GroupIconEntry& entry : IconGroup()) {
        SCOPED_TRACE(testing::Message() << "image " << entry.id);
        std::vector<BYTE> image = RawResource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytesInRes);
        BITMAPINFOHEADER header{};
        ASSERT_GE(image.size(), sizeof header);
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biWidth, entry.width);
        EXPECT_EQ(header.biHeight, entry.height * 2); // colour bits over the mask
        EXPECT_EQ(header.biBitCount, entry.bitCount);
        tk::unique_hicon icon(::CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                                         0x00030000, entry.width, entry.height, LR_DEFAULTCOLOR));
        EXPECT_TRUE(icon);
    }
}

TEST(AppIcon, LoadsAtBothSizes)
{
    for (int size : {16, 32}) {
        const tk::unique_hicon icon = LoadAppIcon(size);
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
        tk::unique_hbitmap mask(info.hbmMask), colour(info.hbmColor);
        EXPECT_TRUE(info.fIcon);
        BITMAP bm{};
        ASSERT_TRUE(colour);
        ::GetObjectW(colour.get(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
    }
}

// The version block, copied so VerQueryValueW may work in it.
std::vector<BYTE> VersionBlock() { return RawResource(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), kEnglishUs); }

TEST(VersionBlock, FixedPartIs2_0_0_11ForAnApplication)
{
    std::vector<BYTE> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x0000000Bu);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x0000000Bu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionBlock, HasOneTranslationEnglishUnicode)
{
    std::vector<BYTE> block = VersionBlock();
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 0x04B0);
}

TEST(VersionBlock, StringTable040904B0HasEveryValue)
{
    std::vector<BYTE> block = VersionBlock();
    const std::map<std::wstring, std::wstring> wanted{
        {L"Comments", L"Colour picker"},
        {L"CompanyName", L"Quenmarlo"},
        {L"FileDescription", std::wstring(tktest::Text(tktest::kItalian, IDS_NOTICE))},
        {L"FileVersion", L"2.00.0011"},
        {L"InternalName", L"Tavolisk"},
        {L"OriginalFilename", L"Tavolisk.exe"},
        {L"ProductName", L"Tavolisk"},
        {L"ProductVersion", L"2.00.0011"},
    };
    for (const auto& [key, text] : wanted) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + key;
        ASSERT_TRUE(::VerQueryValueW(block.data(), path.c_str(), &value, &length)) << "no value for " << key.c_str();
        const std::wstring found = value && length ? std::wstring(static_cast<const wchar_t*>(value)) : std::wstring();
        EXPECT_EQ(found, text) << key.c_str();
    }
}

TEST(VersionComments, IsTheBlocksTwoWordDescription)
{
    const std::wstring comments = VersionComments();
    EXPECT_EQ(comments, L"Colour picker");
    EXPECT_EQ(std::count(comments.begin(), comments.end(), L' '), 1);
}

// The colour of one pixel of a DIB section, as RGB.
COLORREF DibPixel(HBITMAP bitmap, int x, int y)
{
    DIBSECTION dib{};
    if (::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24)
        return CLR_INVALID;
    const int row = dib.dsBmih.biHeight > 0 ? dib.dsBm.bmHeight - 1 - y : y;
    const auto* p = static_cast<const BYTE*>(dib.dsBm.bmBits) + row * dib.dsBm.bmWidthBytes + x * 3;
    return RGB(p[2], p[1], p[0]);
}

TEST(Pictures, BulbIs16x16OnTheToolTipColour)
{
    const tk::unique_hbitmap bulb = LoadBulbBitmap();
    ASSERT_TRUE(bulb);
    BITMAP bm{};
    ASSERT_TRUE(::GetObjectW(bulb.get(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 16);
    EXPECT_EQ(DibPixel(bulb.get(), 0, 15), RGB(255, 255, 225));
    EXPECT_NE(DibPixel(bulb.get(), 8, 7), RGB(255, 255, 225));
}

} // namespace
