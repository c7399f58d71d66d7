// Resource loading over the module the program runs from.
#include "resources/resource_access.h"

#include "resources/resource.h"
#include "toolkit/dpi.h"

#include "artwork.h"
#include "toolkit/app_error.h"

#include <cwchar>
#include <vector>

namespace {

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

[[noreturn]] void RaiseNotFound(const std::string& identifier)
{
    throw tk::AppError(326, tk::kProgramSource, "Resource with identifier '" + identifier + "' not found");
}

std::string Describe(const wchar_t* name)
{
    if (IS_INTRESOURCE(name))
        return std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string narrow;
    for (; *name; ++name)
        narrow.push_back(*name < 0x80 ? static_cast<char>(*name) : '?');
    return narrow;
}

tk::unique_hbitmap LoadBitmapResource(int id)
{
    HANDLE bitmap = ::LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!bitmap)
        RaiseNotFound(std::to_string(id));
    return tk::unique_hbitmap(static_cast<HBITMAP>(bitmap));
}

} // namespace

std::wstring LoadResString(int id)
{
    if (id < 0 || id > 0xFFFF)
        RaiseNotFound(std::to_string(id));
    // With no buffer, LoadStringW hands out a pointer into the resource and
    // its full length, so texts longer than any fixed buffer come back whole.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(Module(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0 && text)
        return std::wstring(text, static_cast<std::size_t>(length));
    // Zero means an empty slot or no block at all; only the second is an error.
    if (!::FindResourceW(Module(), MAKEINTRESOURCEW(id / 16 + 1), RT_STRING))
        RaiseNotFound(std::to_string(id));
    return {};
}

tk::unique_hcursor LoadResCursor(const wchar_t* name)
{
    // Size 0 without LR_DEFAULTSIZE keeps the cursor's own 32 x 32; without
    // LR_SHARED each call makes a cursor the caller owns and destroys.
    HANDLE cursor = ::LoadImageW(Module(), name, IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR);
    if (!cursor)
        RaiseNotFound(Describe(name));
    return tk::unique_hcursor(static_cast<HCURSOR>(cursor));
}

std::wstring VersionComments()
{
    HMODULE module = Module();
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!info)
        return {};
    HGLOBAL loaded = ::LoadResource(module, info);
    const auto* data = static_cast<const BYTE*>(::LockResource(loaded));
    if (!data)
        return {};
    // VerQueryValueW may write into the block it is given, and a resource is
    // read-only: it works on a copy.
    std::vector<BYTE> block(data, data + ::SizeofResource(module, info));

    void* value = nullptr;
    UINT length = 0;
    wchar_t path[64] = L"\\StringFileInfo\\040904B0\\Comments";
    if (::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* translation = static_cast<const WORD*>(value);
        std::swprintf(path, 64, L"\\StringFileInfo\\%04X%04X\\Comments", translation[0], translation[1]);
    }
    if (!::VerQueryValueW(block.data(), path, &value, &length) || !value)
        return {};
    const auto* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, std::wcslen(text) < length ? std::wcslen(text) : length);
}

tk::unique_hbitmap LoadSkinBitmap() { return LoadBitmapResource(IDB_SKIN); }

tk::unique_hbitmap LoadBulbBitmap() { return LoadBitmapResource(IDB_BULB); }

namespace {
// A top-down 24-bit DIB section holding the picture's exact colours.
tk::unique_hbitmap ToBitmap(const art::RgbImage& image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width();
    info.bmiHeader.biHeight = -image.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    tk::unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        throw tk::AppError(7, tk::kProgramSource, "Out of memory");
    const int stride = (image.Width() * 3 + 3) & ~3;
    auto* rows = static_cast<BYTE*>(bits);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const art::Rgb& p = image.At(x, y);
            BYTE* out = rows + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
            out[0] = p.b;
            out[1] = p.g;
            out[2] = p.r;
        }
    ::GdiFlush();
    return bitmap;
}
} // namespace

tk::unique_hcursor LoadResCursor(const wchar_t* name, UINT dpi)
{
    struct Hand {
        const wchar_t* name;
        art::MonoArt (*draw)();
        int hotX, hotY;
    };
    static const Hand kHands[] = {
        {kCursorMano, &art::OpenHandArt, 8, 8},
        {kCursorManoDrag, &art::ClosedHandArt, 8, 8},
        {kCursorLinkHand, &art::PointingHandArt, 0, 0},
    };
    const Hand* hand = nullptr;
    for (const Hand& candidate : kHands)
        if (!IS_INTRESOURCE(name) && std::wcscmp(candidate.name, name) == 0)
            hand = &candidate;
    if (dpi == tk::kBaseDpi || !hand)
        return LoadResCursor(name);

    // Each art pixel taken to the nearest pixels at the scale: crisp blocks.
    const art::MonoArt art = hand->draw();
    const int size = tk::Scale(32, dpi);
    const double scale = dpi / 96.0;
    const int stride = (size + 15) / 16 * 2; // monochrome rows are WORD aligned
    // Screen = (screen AND mask) XOR colour, the mask plane above the colour plane.
    std::vector<BYTE> planes(static_cast<std::size_t>(stride) * size * 2, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const auto fromX = static_cast<std::size_t>((x + 0.5) / scale);
            const auto fromY = static_cast<std::size_t>((y + 0.5) / scale);
            const char c = fromY < art.size() && fromX < art[fromY].size() ? art[fromY][fromX] : '.';
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (c == '.')
                planes[static_cast<std::size_t>(y) * stride + x / 8] |= bit;
            if (c == 'o')
                planes[static_cast<std::size_t>(y + size) * stride + x / 8] |= bit;
        }
    const tk::unique_hbitmap mask(::CreateBitmap(size, size * 2, 1, 1, planes.data()));
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(tk::Scale(hand->hotX, dpi));
    info.yHotspot = static_cast<DWORD>(tk::Scale(hand->hotY, dpi));
    info.hbmMask = mask.get();
    HCURSOR cursor = mask ? static_cast<HCURSOR>(::CreateIconIndirect(&info)) : nullptr;
    if (!cursor)
        return LoadResCursor(name);
    return tk::unique_hcursor(cursor);
}

tk::unique_hbitmap LoadSkinBitmap(UINT dpi)
{
    if (dpi == tk::kBaseDpi)
        return LoadSkinBitmap();
    return ToBitmap(art::DrawSkin(static_cast<int>(dpi)));
}

tk::unique_hbitmap LoadBulbBitmap(UINT dpi)
{
    if (dpi == tk::kBaseDpi)
        return LoadBulbBitmap();
    return ToBitmap(art::DrawBulb(static_cast<int>(dpi)));
}

tk::unique_hicon LoadAppIcon(int size)
{
    HANDLE icon = ::LoadImageW(Module(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    if (!icon)
        RaiseNotFound(std::to_string(IDI_APP));
    return tk::unique_hicon(static_cast<HICON>(icon));
}
