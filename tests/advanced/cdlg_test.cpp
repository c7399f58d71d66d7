// CDlg under Wine: the real colour and font dialogs answered from a second
// thread; the records of the other dialogs captured through the platform seam.
#include "advanced/cdlg.h"
#include "toolkit/app_error.h"
#include "toolkit/handles.h"
#include "support/modal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

struct CDlgTestAccess {
    static void RaiseDialogError(const CDlg& dialog, long& code) { dialog.RaiseDialogError(code); }
};

namespace {

constexpr std::int32_t Rgb(int red, int green, int blue) { return red | green << 8 | blue << 16; }

// Runs a dialog operation while a second thread answers the dialog it opens.
template <class Operation>
void Answering(void (*answer)(HWND), Operation operation)
{
    const tktest::DialogAnswer answering(answer);
    operation();
    EXPECT_EQ(answering.Answers(), 1) << "no dialog appeared";
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, id, 0); }
void PressCancel(HWND dialog) { Press(dialog, IDCANCEL); }

void Put(char* target, const char* text) { std::memcpy(target, text, std::strlen(text) + 1); }

template <class Operation>
void ExpectDialogError(Operation operation, long number, const std::string& description,
                       const std::string& helpFile = {}, long helpContext = 0)
{
    try {
        operation();
        ADD_FAILURE() << "nothing raised; expected " << number;
    } catch (const tk::AppError& error) {
        EXPECT_EQ(error.Number(), number);
        EXPECT_EQ(error.Source(), "CommonDialog");
        EXPECT_EQ(error.Description(), description);
        EXPECT_EQ(error.HelpFile(), helpFile);
        EXPECT_EQ(error.HelpContext(), helpContext);
    }
}

// Every dialog is cancelled, and each call is logged by name.
CDlgPlatform Cancelling(std::vector<std::string>& calls)
{
    CDlgPlatform platform;
    platform.getOpenFileName = [&calls](LPOPENFILENAMEA) { calls.push_back("open"); return FALSE; };
    platform.getSaveFileName = [&calls](LPOPENFILENAMEA) { calls.push_back("save"); return FALSE; };
    platform.chooseColor = [&calls](LPCHOOSECOLORA) { calls.push_back("color"); return FALSE; };
    platform.chooseFont = [&calls](LPCHOOSEFONTA) { calls.push_back("font"); return FALSE; };
    platform.printDlg = [&calls](LPPRINTDLGA) { calls.push_back("print"); return FALSE; };
    platform.winHelp = [&calls](HWND, LPCSTR, UINT, ULONG_PTR) { calls.push_back("help"); return FALSE; };
    platform.extendedError = [] { return DWORD{0}; };
    return platform;
}

} // namespace

TEST(CDlgColour, OkTakesTheTypedColourAndCancelKeepsTheOld)
{
    CDlg dialog;
    dialog.Color(0x123456);
    Answering([](HWND d) { tktest::TypeColour(d, 10, 200, 30); Press(d, IDOK); }, [&] { dialog.ShowColor(); });
    EXPECT_EQ(dialog.Color(), Rgb(10, 200, 30));
    EXPECT_EQ(dialog.Action(), 3);

    Answering(PressCancel, [&] { EXPECT_NO_THROW(dialog.ShowColor()); });
    dialog.CancelError(true);
    Answering(PressCancel, [&] { ExpectDialogError([&] { dialog.ShowColor(); }, 32755, "Cancel was selected"); });
    EXPECT_EQ(dialog.Color(), Rgb(10, 200, 30));
    EXPECT_EQ(dialog.Action(), 3);
}

TEST(CDlgColour, CustomColoursStartWhiteAndSurviveOnTheSameObject)
{
    std::vector<CHOOSECOLORA> records;
    std::vector<std::vector<COLORREF>> offered;
    CDlgPlatform platform;
    platform.chooseColor = [&](LPCHOOSECOLORA record) {
        records.push_back(*record);
        offered.emplace_back(record->lpCustColors, record->lpCustColors + 16);
        return ChooseColorA(record);
    };
    CDlg dialog(platform);
    dialog.FLAGS(CC_RGBINIT | CC_FULLOPEN);
    dialog.Color(Rgb(9, 9, 9));
    // 712 is "Add to Custom Colors".
    Answering([](HWND d) { tktest::TypeColour(d, 1, 2, 3); SendMessageA(d, WM_COMMAND, 712, 0); Press(d, IDOK); },
              [&] { dialog.ShowColor(); });
    Answering(PressCancel, [&] { dialog.ShowColor(); });
    CDlg fresh(platform);
    Answering(PressCancel, [&] { fresh.ShowColor(); });

    ASSERT_EQ(offered.size(), 3u);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(std::count(offered[0].begin(), offered[0].end(), white), 16);
    EXPECT_EQ(std::count(offered[1].begin(), offered[1].end(), COLORREF{Rgb(1, 2, 3)}), 1);
    EXPECT_EQ(std::count(offered[2].begin(), offered[2].end(), white), 16);
    EXPECT_EQ(records[0].Flags, DWORD{CC_RGBINIT | CC_FULLOPEN});
    EXPECT_EQ(records[0].hwndOwner, nullptr);
    EXPECT_EQ(records[0].rgbResult, COLORREF{Rgb(9, 9, 9)});
}

TEST(CDlgErrors, TableCodesUnknownCodesAndCancel)
{
    const struct { long code; const char* text; } table[] = {
        {20477, "Filename is invalid"},
        {28671, "The PDReturnDefault flag was set, but either the hDevMode or hDevNames field was nonzero"},
        {32762, "The function failed to load a specified string"},
        {-32768, "The function failed to load the dialog box"},
    };
    CDlg dialog;
    for (const auto& entry : table) {
        long code = entry.code;
        ExpectDialogError([&] { CDlgTestAccess::RaiseDialogError(dialog, code); }, entry.code, entry.text,
                          "cmdlg98.chm", entry.code);
    }
    for (long unknown : {12345L, 32756L, 0xFFFFL})
        ExpectDialogError([&] { CDlgTestAccess::RaiseDialogError(dialog, unknown); }, unknown, "");

    for (long cancel : {0L, 32755L}) {
        long code = cancel;
        dialog.CancelError(false);
        EXPECT_NO_THROW(CDlgTestAccess::RaiseDialogError(dialog, code));
        EXPECT_EQ(code, 0);
        code = cancel;
        dialog.CancelError(true);
        ExpectDialogError([&] { CDlgTestAccess::RaiseDialogError(dialog, code); }, 32755, "Cancel was selected");
        EXPECT_EQ(code, 32755);
    }
}

TEST(CDlgAction, WritingANumberShowsThatDialogAndOtherNumbersShowNone)
{
    // The real dialogs: 3 is the colour dialog, 4 the font dialog.
    CDlg dialog;
    EXPECT_EQ(dialog.Action(), 0);
    Answering([](HWND d) { tktest::TypeColour(d, 10, 200, 30); Press(d, IDOK); }, [&] { dialog.Action(3); });
    EXPECT_EQ(dialog.Color(), Rgb(10, 200, 30)) << "the colour dialog's answer";
    EXPECT_EQ(dialog.Action(), 3);
    dialog.FLAGS(CF_SCREENFONTS);
    dialog.FontName("Arial");
    dialog.FontSize(10);
    Answering([](HWND d) {
        char title[64]{};
        ::GetWindowTextA(d, title, sizeof title);
        // Only the font dialog has the size box (1138) and the face box (1136).
        EXPECT_NE(::GetDlgItem(d, 1136), nullptr) << title;
        EXPECT_NE(::GetDlgItem(d, 1138), nullptr) << title;
        PressCancel(d);
    }, [&] { dialog.Action(4); });
    EXPECT_EQ(dialog.Action(), 4);

    // Open, save, print and help reach their own calls; no number runs anything else.
    std::vector<std::string> calls;
    CDlg recorded(Cancelling(calls));
    recorded.HelpFile("tavolisk.hlp");
    recorded.Action(1);
    recorded.Action(2);
    recorded.Action(5);
    recorded.Action(6);
    EXPECT_EQ(calls, (std::vector<std::string>{"open", "save", "print", "help"}));
    EXPECT_EQ(recorded.Action(), 6);
    const std::int16_t nothings[] = {0, 7, -1};
    for (std::int16_t nothing : nothings) {
        calls.clear();
        recorded.Action(nothing);
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(recorded.Action(), 0);
    }
    recorded.CancelError(true);
    ExpectDialogError([&] { recorded.Action(3); }, 32755, "Cancel was selected");
}

TEST(CDlgFont, ColourAndLimitsAddFlagsThatSurviveCancel)
{
    std::vector<DWORD> passed;
    CDlgPlatform platform;
    platform.chooseFont = [&](LPCHOOSEFONTA record) { passed.push_back(record->Flags); return ChooseFontA(record); };
    CDlg dialog(platform);
    dialog.FLAGS(CF_SCREENFONTS);
    dialog.FontName("Arial");
    dialog.FontSize(10);
    Answering(PressCancel, [&] { dialog.ShowFont(); });
    dialog.Color(Rgb(255, 0, 0));
    dialog.Min(6);
    Answering(PressCancel, [&] { dialog.ShowFont(); });

    EXPECT_EQ(passed, (std::vector<DWORD>{CF_SCREENFONTS, CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE}));
    EXPECT_EQ(dialog.FLAGS(), CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE);
    EXPECT_EQ(dialog.Action(), 4);
}

TEST(CDlgFont, RecordRoundsHalvesToEvenAndResultsComeBack)
{
    std::vector<std::pair<CHOOSEFONTA, LOGFONTA>> seen;
    CDlgPlatform platform;
    platform.chooseFont = [&](LPCHOOSEFONTA record) {
        LOGFONTA& font = *record->lpLogFont;
        seen.emplace_back(*record, font);
        Put(font.lfFaceName, "Courier New");
        font.lfItalic = 0;
        font.lfUnderline = font.lfStrikeOut = 1;
        record->nFontType = BOLD_FONTTYPE | SCREEN_FONTTYPE;
        record->iPointSize = 135;
        record->rgbColors = Rgb(0, 0, 128);
        record->Flags |= CF_NOVERTFONTS;
        return TRUE;
    };
    CDlg dialog(platform);
    dialog.FontItalic(true);
    dialog.FontName(std::string(40, 'x'));
    for (float size : {8.25f, 8.75f, 1.125f, 1.875f}) {
        dialog.FontSize(size);
        dialog.ShowFont();
    }

    ASSERT_EQ(seen.size(), 4u);
    const LOGFONTA& first = seen[0].second;
    EXPECT_EQ(seen[0].first.iPointSize, 82);
    EXPECT_EQ(seen[1].first.iPointSize, 88);
    EXPECT_STREQ(first.lfFaceName, std::string(31, 'x').c_str());
    EXPECT_EQ(first.lfItalic, 1);
    EXPECT_EQ(first.lfWeight, 400);
    EXPECT_STREQ(seen[1].second.lfFaceName, "Courier New");
    if (1440 / GetDeviceCaps(tk::WindowDC(), LOGPIXELSY) == 15) {
        EXPECT_EQ(first.lfHeight, -11);
        EXPECT_EQ(seen[2].second.lfHeight, -2); // 1.5 pixels
        EXPECT_EQ(seen[3].second.lfHeight, -2); // 2.5 pixels
    }
    EXPECT_EQ(dialog.FontName(), "Courier New");
    EXPECT_FLOAT_EQ(dialog.FontSize(), 13.5f);
    EXPECT_TRUE(dialog.FontBold() && dialog.FontUnderLine() && dialog.FontStrikeThru());
    EXPECT_FALSE(dialog.FontItalic());
    EXPECT_EQ(dialog.Color(), Rgb(0, 0, 128));
    EXPECT_EQ(dialog.FLAGS(), CF_EFFECTS | CF_NOVERTFONTS);

    dialog.FontSize(1e12f);
    EXPECT_THROW(dialog.ShowFont(), tk::OverflowError);
}

TEST(CDlgFile, OpenRecordCarriesThePropertiesInTheirBuffers)
{
    OPENFILENAMEA seen{};
    std::string file, texts;
    CDlgPlatform platform;
    platform.getOpenFileName = [&](LPOPENFILENAMEA record) {
        seen = *record; // its pointers are only good during the call
        file.assign(record->lpstrFile, record->nMaxFile);
        texts = std::string(record->lpstrFilter, 20) + "|" + std::string(record->lpstrInitialDir, 9) + "|" +
                std::string(record->lpstrDefExt, 5) + "|" + record->lpstrTitle;
        Put(record->lpstrFile, "C:\\docs\\out.txt");
        Put(record->lpstrFileTitle, "out.txt");
        return TRUE;
    };
    CDlg dialog(platform);
    dialog.filter("Text|*.txt|All|*.*");
    dialog.Filename("C:\\in.txt");
    dialog.InitDir("C:\\docs");
    dialog.DefaultExt("txt");
    dialog.DialogTitle("Pick");
    dialog.FLAGS(OFN_FILEMUSTEXIST);
    dialog.FilterIndex(2);
    dialog.ShowOpen();

    EXPECT_EQ(dialog.MaxFileSize(), 1024);
    EXPECT_EQ(seen.nMaxFile, 1024u);
    EXPECT_EQ(file, "C:\\in.txt" + std::string(1013, ' ') + "\0\0"s);
    EXPECT_EQ(texts, "Text\0*.txt\0All\0*.*\0\0|C:\\docs\0\0|txt\0\0|Pick"s);
    EXPECT_EQ(seen.nMaxFileTitle, 515u);
    EXPECT_EQ(seen.Flags, DWORD{OFN_FILEMUSTEXIST});
    EXPECT_EQ(seen.nFilterIndex, 2u);
    EXPECT_EQ(dialog.Filename(), "C:\\docs\\out.txt");
    EXPECT_EQ(dialog.FileTitle(), "out.txt");

    dialog.Filename(std::string(1500, 'a'));
    dialog.ShowOpen();
    EXPECT_EQ(file, std::string(1022, 'a') + "\0\0"s);
}

TEST(CDlgFile, SaveBufferFollowsMaxFileSizeAndAtLeastFitsIt)
{
    std::string file;
    CDlgPlatform platform;
    platform.getSaveFileName = [&](LPOPENFILENAMEA record) {
        file.assign(record->lpstrFile, record->nMaxFile);
        // The user picks a name that fills the buffer to its last character.
        std::fill_n(record->lpstrFile, record->nMaxFile - 1, 'n');
        record->lpstrFile[record->nMaxFile - 1] = '\0';
        return TRUE;
    };
    CDlg dialog(platform);
    dialog.Filename("abcdefghijklmnop");
    dialog.ShowSave(); // a new object's MaxFileSize of 0
    EXPECT_EQ(file, "abcdefghijklmnop" + std::string(1006, ' ') + "\0\0"s);
    EXPECT_EQ(dialog.Filename(), std::string(1023, 'n'));
    EXPECT_EQ(dialog.MaxFileSize(), 0);

    dialog.Filename("abcdefghijklmnop");
    dialog.MaxFileSize(12);
    dialog.ShowSave();
    EXPECT_EQ(file, "abcdefghij\0\0"s);

    dialog.Filename("short");
    dialog.MaxFileSize(4000);
    dialog.ShowSave();
    EXPECT_EQ(file.substr(0, 1031), "short" + std::string(1024, ' ') + "\0\0"s);
    EXPECT_EQ(dialog.Filename(), std::string(3999, 'n'));
}

TEST(CDlgPrinter, RecordDeviceModeResultsAndFreedBlocks)
{
    std::vector<WORD> maxPages;
    HGLOBAL handed[2] = {};
    CDlgPlatform platform;
    platform.printDlg = [&](LPPRINTDLGA record) {
        maxPages.push_back(record->nMaxPage);
        record->nFromPage = 2;
        record->nToPage = 7;
        handed[0] = record->hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
        handed[1] = record->hDevNames = GlobalAlloc(GHND, 64);
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(record->hDevMode));
        mode->dmCopies = 3;
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(record->hDevMode);
        return TRUE;
    };
    CDlg dialog(platform);
    dialog.PrinterDefault(true); // no printers here: nothing to change, nothing raised
    dialog.ShowPrinter();
    dialog.Max(9);
    dialog.ShowPrinter();

    EXPECT_EQ(maxPages, (std::vector<WORD>{0xFFFF, 9}));
    EXPECT_EQ(dialog.FromPage(), 2);
    EXPECT_EQ(dialog.ToPage(), 7);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_EQ(dialog.Orientation(), DMORIENT_LANDSCAPE);
    EXPECT_EQ(GlobalSize(handed[0]), 0u) << "device mode not freed";
    EXPECT_EQ(GlobalSize(handed[1]), 0u) << "device names not freed";
}

TEST(CDlgHelp, DataFollowsTheCommandAndNothingIsRaised)
{
    std::vector<std::string> calls;
    CDlgPlatform platform;
    platform.winHelp = [&](HWND owner, LPCSTR file, UINT command, ULONG_PTR data) {
        EXPECT_EQ(owner, nullptr);
        const std::string shown = command == HELP_KEY ? reinterpret_cast<const char*>(data) : std::to_string(data);
        calls.push_back(std::string(file) + " " + std::to_string(command) + " " + shown);
        return FALSE;
    };
    platform.extendedError = [] { return DWORD{CDERR_DIALOGFAILURE}; };
    CDlg dialog(platform);
    dialog.CancelError(true);
    dialog.ShowHelp();
    EXPECT_TRUE(calls.empty()) << "no help file, no call";

    dialog.HelpFile("tavolisk.hlp");
    dialog.HelpKey("gradient");
    dialog.HelpContext(4711);
    const std::int16_t commands[] = {HELP_KEY, HELP_CONTEXT, HELP_SETCONTENTS, HELP_INDEX};
    for (std::int16_t command : commands) {
        dialog.HelpCommand(command);
        EXPECT_NO_THROW(dialog.ShowHelp());
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"tavolisk.hlp 257 gradient", "tavolisk.hlp 1 4711",
                                               "tavolisk.hlp 5 4711", "tavolisk.hlp 3 0"}));
}
