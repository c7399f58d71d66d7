// CDlg: the common dialogs (open, save as, colour, font, print) and WinHelp
// behind read/write properties and one Show operation per dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "toolkit/system_dll.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The platform calls that put up a dialog or a help window. Each defaults to
// the real function; a test replaces one to capture the record it is given or
// to answer a dialog that cannot be driven under Wine.
// comdlg32 is loaded when a dialog is first asked for, not at start-up.
template <class Function>
Function* CommonDialogFunction(const char* name)
{
    return tk::SystemFunction<Function>(L"comdlg32.dll", name);
}

struct CDlgPlatform {
    std::function<BOOL(LPCHOOSECOLORA)> chooseColor = [](LPCHOOSECOLORA record) {
        return CommonDialogFunction<decltype(::ChooseColorA)>("ChooseColorA")(record);
    };
    std::function<BOOL(LPOPENFILENAMEA)> getOpenFileName = [](LPOPENFILENAMEA record) {
        return CommonDialogFunction<decltype(::GetOpenFileNameA)>("GetOpenFileNameA")(record);
    };
    std::function<BOOL(LPOPENFILENAMEA)> getSaveFileName = [](LPOPENFILENAMEA record) {
        return CommonDialogFunction<decltype(::GetSaveFileNameA)>("GetSaveFileNameA")(record);
    };
    std::function<BOOL(LPCHOOSEFONTA)> chooseFont = [](LPCHOOSEFONTA record) {
        return CommonDialogFunction<decltype(::ChooseFontA)>("ChooseFontA")(record);
    };
    std::function<BOOL(LPPRINTDLGA)> printDlg = [](LPPRINTDLGA record) {
        return CommonDialogFunction<decltype(::PrintDlgA)>("PrintDlgA")(record);
    };
    std::function<DWORD()> extendedError = [] {
        return CommonDialogFunction<decltype(::CommDlgExtendedError)>("CommDlgExtendedError")();
    };
    std::function<BOOL(HWND, LPCSTR, UINT, ULONG_PTR)> winHelp = ::WinHelpA;
};

// Texts are in the ANSI code page: the dialogs behind them are the A versions.
// Failures (and Cancel, when CancelError is set) are thrown as tk::AppError
// with the source "CommonDialog".
class CDlg {
public:
    CDlg() = default;
    explicit CDlg(CDlgPlatform platform) : m_platform(std::move(platform)) {}

    // Returns/sets the path and filename of a selected file
    const std::string& Filename() const noexcept { return m_filename; }
    void Filename(std::string value) { m_filename = std::move(value); }
    // Returns the filename of a selected file.
    const std::string& FileTitle() const noexcept { return m_fileTitle; }
    void FileTitle(std::string value) { m_fileTitle = std::move(value); }
    // Sets the string displayed in the title bar of the dialog box.
    const std::string& DialogTitle() const noexcept { return m_dialogTitle; }
    void DialogTitle(std::string value) { m_dialogTitle = std::move(value); }
    // Returns/sets the filters that are displayed in the Type list box of a dialog box.
    const std::string& filter() const noexcept { return m_filter; }
    void filter(std::string value) { m_filter = std::move(value); }
    // Returns/sets the default filename extension for the dialog box.
    const std::string& DefaultExt() const noexcept { return m_defaultExt; }
    void DefaultExt(std::string value) { m_defaultExt = std::move(value); }
    // Returns/sets the initial file directory.
    const std::string& InitDir() const noexcept { return m_initDir; }
    void InitDir(std::string value) { m_initDir = std::move(value); }
    // Returns/sets the selected color
    std::int32_t Color() const noexcept { return m_color; }
    void Color(std::int32_t value) noexcept { m_color = value; }
    // Sets the options for the dialog box.
    std::int32_t FLAGS() const noexcept { return m_flags; }
    void FLAGS(std::int32_t value) noexcept { m_flags = value; }
    // Returns/sets the name of the selected font.
    const std::string& FontName() const noexcept { return m_fontName; }
    void FontName(std::string value) { m_fontName = std::move(value); }
    // Returns/sets bold font styles
    bool FontBold() const noexcept { return m_fontBold; }
    void FontBold(bool value) noexcept { m_fontBold = value; }
    // Returns/sets italic font styles.
    bool FontItalic() const noexcept { return m_fontItalic; }
    void FontItalic(bool value) noexcept { m_fontItalic = value; }
    // Returns/sets strikethrough font styles.
    bool FontStrikeThru() const noexcept { return m_fontStrikeThru; }
    void FontStrikeThru(bool value) noexcept { m_fontStrikeThru = value; }
    // Returns/sets underline font styles.
    bool FontUnderLine() const noexcept { return m_fontUnderLine; }
    void FontUnderLine(bool value) noexcept { m_fontUnderLine = value; }
    // Returns/sets the value for the first page to be printed.
    std::int16_t FromPage() const noexcept { return m_fromPage; }
    void FromPage(std::int16_t value) noexcept { m_fromPage = value; }
    // Returns/sets the value for the last page to be printed.
    std::int16_t ToPage() const noexcept { return m_toPage; }
    void ToPage(std::int16_t value) noexcept { m_toPage = value; }
    // Sets the minimum font size (Font dialog), or the minimum print range (Print dialog).
    std::int16_t Min() const noexcept { return m_min; }
    void Min(std::int16_t value) noexcept { m_min = value; }
    // Sets the maximum font size (Font dialog), or the maximum print range (Print dialog).
    std::int16_t Max() const noexcept { return m_max; }
    void Max(std::int16_t value) noexcept { m_max = value; }
    // Returns/sets the number of copies to be printed.
    std::int16_t Copies() const noexcept { return m_copies; }
    void Copies(std::int16_t value) noexcept { m_copies = value; }
    // Indicates whether an error is generated when the user chooses the Cancel button.
    bool CancelError() const noexcept { return m_cancelError; }
    void CancelError(bool value) noexcept { m_cancelError = value; }
    // Returns/sets the name of the help file associated with the project.
    const std::string& HelpFile() const noexcept { return m_helpFile; }
    void HelpFile(std::string value) { m_helpFile = std::move(value); }
    // Returns/sets the type of online help requested.
    std::int16_t HelpCommand() const noexcept { return m_helpCommand; }
    void HelpCommand(std::int16_t value) noexcept { m_helpCommand = value; }
    // Returns/sets the keyword that identifies the requested help topic.
    const std::string& HelpKey() const noexcept { return m_helpKey; }
    void HelpKey(std::string value) { m_helpKey = std::move(value); }
    // Determines if the user selections in the Print dialog box are used to change the default printer settings.
    bool PrinterDefault() const noexcept { return m_printerDefault; }
    void PrinterDefault(bool value) noexcept { m_printerDefault = value; }
    // Returns/sets a default filter for an Open or a Save As dialog box.
    std::int16_t FilterIndex() const noexcept { return m_filterIndex; }
    void FilterIndex(std::int16_t value) noexcept { m_filterIndex = value; }
    // Returns/sets the context ID of the requested help topic.
    std::int32_t HelpContext() const noexcept { return m_helpContext; }
    void HelpContext(std::int32_t value) noexcept { m_helpContext = value; }
    // Returns/sets the size (in points) of the selected font.
    float FontSize() const noexcept { return m_fontSize; }
    void FontSize(float value) noexcept { m_fontSize = value; }
    // Returns/sets the maximum size of the filename opened using the CommonDialog control.
    std::int16_t MaxFileSize() const noexcept { return m_maxFileSize; }
    void MaxFileSize(std::int16_t value) noexcept { m_maxFileSize = value; }
    // Returns/sets printer paper orientation.
    std::int32_t Orientation() const noexcept { return m_orientation; }
    void Orientation(std::int32_t value) noexcept { m_orientation = value; }
    // Returns/sets the type of dialog box to be displayed. Writing 1..6 runs
    // ShowOpen, ShowSave, ShowColor, ShowFont, ShowPrinter or ShowHelp.
    std::int16_t Action() const noexcept { return m_action; }
    void Action(std::int16_t value);

    void ShowSave();    // Displays the Save As dialog box.
    void ShowHelp();    // Runs WinHelp.EXE and displays the help file you specify.
    void ShowOpen();    // Displays the Open dialog box.
    void ShowColor();   // Displays the Color dialog box.
    void ShowPrinter(); // Displays the Printer dialog box.
    void ShowFont();    // Displays the Font dialog box.

private:
    friend struct CDlgTestAccess;

    static std::string TrimNull(const std::string& text);
    void InitCustomColors();
    static void StringToBytes(std::vector<std::uint8_t>& bytes, const std::string& text);
    static std::string BytesToString(const std::vector<std::uint8_t>& bytes);
    static bool IsArrayEmpty(const std::vector<std::uint8_t>& bytes) noexcept;
    // Throws unless the code means Cancel and CancelError is off; the code is
    // normalised to 0 or 32755 for Cancel, and a CommDlgExtendedError value
    // to the number the error table lists it under.
    void RaiseDialogError(long& code) const;

    void ShowFileDialog(bool save);
    long ExtendedError() const;

    CDlgPlatform m_platform;

    std::string m_filename;
    std::string m_fileTitle;
    std::string m_dialogTitle;
    std::string m_filter;
    std::string m_defaultExt;
    std::string m_initDir;
    std::int32_t m_color = 0;
    std::int32_t m_flags = 0;
    std::string m_fontName;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    bool m_fontStrikeThru = false;
    bool m_fontUnderLine = false;
    std::int16_t m_fromPage = 0;
    std::int16_t m_toPage = 0;
    std::int16_t m_min = 0;
    std::int16_t m_max = 0;
    std::int16_t m_copies = 0;
    bool m_cancelError = false;
    std::string m_helpFile;
    std::int16_t m_helpCommand = 0;
    std::string m_helpKey;
    bool m_printerDefault = false;
    std::int16_t m_filterIndex = 0;
    std::int32_t m_helpContext = 0;
    float m_fontSize = 0.0f;
    std::int16_t m_maxFileSize = 0;
    std::int32_t m_orientation = 0;
    std::int16_t m_action = 0;

    // The colour dialog writes the user's custom colours back here, so the
    // next ShowColor on this object offers them again.
    std::array<COLORREF, 16> m_customColors{};
    bool m_customColorsReady = false;

    // The first bytes of the device mode the last print dialog returned.
    DEVMODEA m_devMode{};
};
