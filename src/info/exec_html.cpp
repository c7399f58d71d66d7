// Handing a web address or a file to the shell.
#include "info/exec_html.h"

#include "toolkit/system_dll.h"
#include "toolkit/window.h"

#include <shellapi.h>

#include <utility>

const wchar_t* const kMakerWebAddress = L"http://www.quenmarlo.it/";

namespace {

ShellOpenFunction& ShellOpenSeam()
{
    static ShellOpenFunction open;
    return open;
}

void ShellOpen(HWND parent, const std::string& verb, const std::string& file)
{
    // The shell's answer is of no use: a failure shows nothing to the user.
    tk::SystemFunction<decltype(::ShellExecuteA)>(L"shell32.dll", "ShellExecuteA")(
        parent, verb.c_str(), file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

void SetShellOpenForTests(ShellOpenFunction open)
{
    ShellOpenSeam() = std::move(open);
}

void ExecHTML(std::wstring& text)
{
    if (text.empty())
        return;
    // A text without a scheme is a drive path ("C:\...") or else a web
    // address. Drive paths get the three-slash form, which the shell reads as
    // a local file; with two slashes the drive letter would pass for a host.
    if (text.find(L"://") == std::wstring::npos)
        text.insert(0, text.find(L":\\") != std::wstring::npos ? L"file:///" : L"http://");

    const std::string file = tk::Narrow(text);
    const ShellOpenFunction& seam = ShellOpenSeam();
    if (seam)
        seam(::GetDesktopWindow(), "open", file);
    else
        ShellOpen(::GetDesktopWindow(), "open", file);
}
