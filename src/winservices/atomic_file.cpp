// Atomic file replacement: a temporary file in the same folder, then one move.
#include "winservices/atomic_file.h"

#include "toolkit/handles.h"

namespace {

std::function<bool()> g_beforeReplace;

void CloseFile(HANDLE file) noexcept { ::CloseHandle(file); }
using unique_file = tk::unique_handle<HANDLE, CloseFile>;

} // namespace

void SetAtomicWriteInterruption(std::function<bool()> beforeReplace)
{
    g_beforeReplace = std::move(beforeReplace);
}

DWORD WriteFileAtomically(const std::wstring& path, std::string_view bytes)
{
    // The same folder, so the move is a rename on one volume, never a copy.
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH + 16]{};
    if (folder.size() > MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"tav", 0, temporary))
        return ::GetLastError();

    DWORD error = 0;
    {
        const HANDLE opened = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr);
        const unique_file file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
        DWORD written = 0;
        if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !::FlushFileBuffers(file.get()))
            error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
    }
    if (error == 0 && g_beforeReplace && !g_beforeReplace())
        return ERROR_CANCELLED;
    if (error == 0 && !::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0)
        ::DeleteFileW(temporary);
    return error;
}

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length ? std::wstring(text, length) : L"Error " + std::to_wstring(code);
    if (text)
        ::LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
        result.pop_back();
    return result;
}
