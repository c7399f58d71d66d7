// The Save palette command: the Save dialog, the file's type, the write.
#include "mainwindow/palette_save.h"

#include "advanced/cdlg.h"
#include "colour/colour_history.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "winservices/atomic_file.h"

#include "toolkit/window.h"

#include <cwctype>

namespace {

constexpr long kCancelled = 32755;

PaletteFormat FormatOfName(std::wstring name)
{
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(c));
    const auto endsWith = [&](const wchar_t* extension) {
        const std::wstring tail(extension);
        return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (endsWith(L".gpl"))
        return PaletteFormat::Gimp;
    if (endsWith(L".css"))
        return PaletteFormat::CssProperties;
    return PaletteFormat::Text;
}

} // namespace

void SavePalette(HWND owner, const std::vector<ColorValue>& colours)
{
    CDlg dialog;
    const std::wstring filter = LoadResString(IDS_FILTER_GIMP) + L"|*.gpl|" + LoadResString(IDS_FILTER_CSS) +
                                L"|*.css|" + LoadResString(IDS_FILTER_TEXT) + L"|*.txt";
    dialog.filter(tk::Narrow(filter));
    dialog.FilterIndex(1);
    // The dialog gives the name the chosen type's extension when the user types none.
    dialog.DefaultExt("gpl");
    dialog.DialogTitle(tk::Narrow(LoadResString(IDS_SAVE_PALETTE_TITLE)));
    dialog.MaxFileSize(1024);
    dialog.FLAGS(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER);
    dialog.CancelError(true);
    try {
        dialog.ShowSave();
    } catch (const tk::AppError& error) {
        if (error.Number() == kCancelled)
            return;
        throw;
    }
    const std::wstring path = tk::Widen(dialog.Filename());
    const DWORD failure = WriteFileAtomically(path, WritePalette(colours, FormatOfName(path)));
    if (failure == 0)
        return;
    const std::wstring message = LoadResString(IDS_SAVE_FAILED) + L"\n" + path + L"\n\n" + SystemErrorText(failure);
    ::MessageBoxW(owner, message.c_str(), L"Tavolisk", MB_OK | MB_ICONERROR);
}
