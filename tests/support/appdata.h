// FreshAppData points %LOCALAPPDATA% at a new, empty folder for its lifetime,
// so what the program keeps there (the colour history) starts empty and
// reaches no other test; FileText reads a whole file back ("<none>" if absent).
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tktest {

class FreshAppData {
public:
    FreshAppData()
    {
        static int made = 0;
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"tavolisk-appdata-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++made);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        std::filesystem::create_directories(m_folder, ignored);
        wchar_t before[MAX_PATH]{};
        m_hadBefore = ::GetEnvironmentVariableW(L"LOCALAPPDATA", before, MAX_PATH) != 0;
        m_before = before;
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", m_folder.c_str());
    }
    ~FreshAppData()
    {
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", m_hadBefore ? m_before.c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    FreshAppData(const FreshAppData&) = delete;
    FreshAppData& operator=(const FreshAppData&) = delete;

    const std::wstring& Folder() const { return m_folder; }
    std::wstring HistoryFile() const { return m_folder + L"\\Tavolisk\\history.txt"; }

private:
    std::wstring m_folder;
    std::wstring m_before;
    bool m_hadBefore = false;
};

inline std::string FileText(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return "<none>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace tktest
