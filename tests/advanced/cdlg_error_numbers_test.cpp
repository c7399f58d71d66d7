// Dialog failures as comdlg32 reports them: CommDlgExtendedError's own values
// are raised with the error table's number and description.
#include "advanced/cdlg.h"
#include "support/modal.h"
#include "toolkit/app_error.h"

#include <gtest/gtest.h>

#include <string>

#include <cderr.h>

struct CDlgTestAccess {
    static void RaiseDialogError(const CDlg& dialog, long& code) { dialog.RaiseDialogError(code); }
};

namespace {

struct Raised {
    long number = 0;
    std::string source;
    std::string description;
    std::string helpFile;
    long helpContext = 0;
    long codeAfter = 0;
};

Raised RaiseFor(long value)
{
    CDlg dialog;
    Raised raised;
    long code = value;
    try {
        CDlgTestAccess::RaiseDialogError(dialog, code);
        ADD_FAILURE() << "nothing raised for " << value;
    } catch (const tk::AppError& error) {
        raised = {error.Number(), error.Source(), error.Description(), error.HelpFile(), error.HelpContext(), code};
    }
    return raised;
}

} // namespace

TEST(CDlgErrorNumbers, ExtendedErrorValuesCarryTheirTableNumberAndText)
{
    const struct {
        long value;
        long listed;
        const char* text;
    } cases[] = {
        {FNERR_INVALIDFILENAME, 20477, "Filename is invalid"},
        {FNERR_BUFFERTOOSMALL, 20476, "The buffer at which the member lpstrFile points is too small"},
        {CFERR_NOFONTS, 24574, "No fonts exist"},
        {PDERR_NODEFAULTPRN, 28663, "A default printer doesn't exist"},
        {CDERR_INITIALIZATION, 32765, "The function failed during initialization"},
        {CDERR_DIALOGFAILURE, -32768, "The function failed to load the dialog box"},
        // The table's own numbers are still found as they are.
        {20477, 20477, "Filename is invalid"},
        {-32768, -32768, "The function failed to load the dialog box"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.value);
        const Raised raised = RaiseFor(entry.value);
        EXPECT_EQ(raised.number, entry.listed);
        EXPECT_EQ(raised.source, "CommonDialog");
        EXPECT_EQ(raised.description, entry.text);
        EXPECT_EQ(raised.helpFile, "cmdlg98.chm");
        EXPECT_EQ(raised.helpContext, entry.listed);
        EXPECT_EQ(raised.codeAfter, entry.listed);
    }
    // Listed under neither numbering: raised as it came, without a text.
    const Raised unknown = RaiseFor(CDERR_NOHINSTANCE); // 4, whose other number 32763 is not listed
    EXPECT_EQ(unknown.number, CDERR_NOHINSTANCE);
    EXPECT_EQ(unknown.description, "");
    EXPECT_EQ(unknown.helpFile, "");
}

TEST(CDlgErrorNumbers, ARealColourDialogFailureArrivesWithItsDescription)
{
    // A template asked for and none given: comdlg32 fails to find the
    // resource (CDERR_FINDRESFAILURE) without showing anything. Should a
    // dialog open after all, it is cancelled so the test cannot hang.
    const tktest::DialogAnswer cancel([](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    CDlg dialog;
    dialog.FLAGS(CC_ENABLETEMPLATE);
    dialog.Color(0x123456);
    long number = 0;
    std::string description;
    std::string helpFile;
    try {
        dialog.ShowColor();
    } catch (const tk::AppError& error) {
        number = error.Number();
        description = error.Description();
        helpFile = error.HelpFile();
    }
    EXPECT_EQ(cancel.Answers(), 0) << "a dialog was shown";
    EXPECT_EQ(number, 32761);
    EXPECT_EQ(description, "The function failed to load a specified resource");
    EXPECT_EQ(helpFile, "cmdlg98.chm");
    EXPECT_EQ(dialog.Color(), 0x123456) << "a failed dialog leaves the colour as it was";
}
