// Reads a packaged Tavolisk.exe's own resources, loaded as data and never
// run: the version block, the icon group and the manifest. One line per
// check, "ok" or "FAIL"; the exit code is the number of failures.
#include <windows.h>

#include "tavolisk_version.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Report(bool ok, const std::string& text)
{
    if (!ok)
        ++g_failures;
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", text.c_str());
}

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (const wchar_t c : text)
        result.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return result;
}

// A resource's bytes, copied: VerQueryValueW may write into the block it
// reads, and a module mapped as an image resource is read-only.
std::vector<BYTE> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type)
{
    HRSRC found = ::FindResourceW(module, name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    if (!data)
        return {};
    return std::vector<BYTE>(data, data + ::SizeofResource(module, found));
}

std::wstring VersionString(std::vector<BYTE>& block, const wchar_t* language, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value || length == 0)
        return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

void CheckVersion(HMODULE module)
{
    std::vector<BYTE> block = ResourceBytes(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (block.empty()) {
        Report(false, "version block: none in the file");
        return;
    }
    // The first translation names the string table to read.
    void* translation = nullptr;
    UINT length = 0;
    wchar_t language[16] = L"";
    if (::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation, &length) && length >= 4) {
        const auto* pair = static_cast<const WORD*>(translation);
        std::swprintf(language, 16, L"%04X%04X", pair[0], pair[1]);
    }
    Report(language[0] != 0, "version block: translation " + Narrow(language));

    const std::wstring fileVersion = VersionString(block, language, L"FileVersion");
    Report(fileVersion == L"" TAVOLISK_VERSION_TEXT, "version block: FileVersion \"" + Narrow(fileVersion) + "\"");
    const std::wstring productName = VersionString(block, language, L"ProductName");
    Report(productName == L"Tavolisk", "version block: ProductName \"" + Narrow(productName) + "\"");
    const std::wstring comments = VersionString(block, language, L"Comments");
    Report(!comments.empty(), "version block: Comments \"" + Narrow(comments) + "\"");

    void* fixed = nullptr;
    if (::VerQueryValueW(block.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
        const unsigned parts[4] = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                   HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
        char text[48];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
        const unsigned wanted[4] = {TAVOLISK_VERSION_NUMBERS};
        Report(std::equal(parts, parts + 4, wanted),
               std::string("version block: fixed file version ") + text);
    } else {
        Report(false, "version block: no fixed file information");
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

void CheckIcon(HMODULE module)
{
    const std::vector<BYTE> group = ResourceBytes(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    if (group.size() < sizeof(GroupIconHeader)) {
        Report(false, "icon group 1: none in the file");
        return;
    }
    GroupIconHeader header{};
    std::memcpy(&header, group.data(), sizeof header);
    const bool complete = group.size() >= sizeof header + header.count * sizeof(GroupIconEntry);
    Report(header.type == 1 && header.count == 6 && complete,
           "icon group 1: " + std::to_string(header.count) + " images");
    if (!complete)
        return;
    // Every image the group lists is in the file, with the size it states.
    int present = 0;
    std::string sizes;
    for (WORD i = 0; i < header.count; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        const std::vector<BYTE> image = ResourceBytes(module, MAKEINTRESOURCEW(entry.id), RT_ICON);
        if (!image.empty() && image.size() == entry.bytesInRes)
            ++present;
        sizes += (i ? ", " : "") + std::to_string(entry.width ? entry.width : 256) + "x"
                 + std::to_string(entry.height ? entry.height : 256) + "x" + std::to_string(entry.bitCount);
    }
    Report(present == header.count, "icon group 1: " + std::to_string(present) + " of its images present (" + sizes + ")");
}

void CheckManifest(HMODULE module)
{
    const std::vector<BYTE> bytes = ResourceBytes(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const std::string manifest(bytes.begin(), bytes.end());
    Report(!manifest.empty(), "manifest: " + std::to_string(manifest.size()) + " bytes");
    const auto has = [&manifest](const char* text) { return manifest.find(text) != std::string::npos; };
    Report(has(">PerMonitorV2, PerMonitor</dpiAwareness>"), "manifest: declares PerMonitorV2, PerMonitor");
    Report(has("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/PM</dpiAware>"),
           "manifest: declares dpiAware true/PM for older systems");
    Report(has("level=\"asInvoker\""), "manifest: runs as the invoker");
    Report(has("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}") && has("{e2011457-1546-43c5-a5fe-008deee3d3f0}"),
           "manifest: lists Windows 10 and Vista among the supported systems");
    // The Common Controls dependency and its version, in one assemblyIdentity.
    const std::size_t controls = manifest.find("Microsoft.Windows.Common-Controls");
    bool version6 = false;
    if (controls != std::string::npos) {
        const std::size_t open = manifest.rfind('<', controls);
        const std::size_t close = manifest.find('>', controls);
        const std::string identity = manifest.substr(open, close - open);
        version6 = identity.find("version=\"6.0.0.0\"") != std::string::npos;
    }
    Report(version6, "manifest: depends on Common Controls 6.0.0.0");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_package <path of Tavolisk.exe>\n");
        return 100;
    }
    HMODULE module = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    Report(module != nullptr, "loaded " + Narrow(argv[1]) + " as data");
    if (!module)
        return g_failures;
    CheckVersion(module);
    CheckIcon(module);
    CheckManifest(module);
    ::FreeLibrary(module);
    return g_failures;
}
