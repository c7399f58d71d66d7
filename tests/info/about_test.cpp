// The About window under Wine, in the language the run was started with: its
// texts and look, its modality, the ways to close it, and its link.
#include "info/exec_html.h"
#include "info/frm_about.h"
#include "resources/resource.h"
#include "support/all.h"
#include "toolkit/screen.h"

#include <winver.h>

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

using Steps = std::vector<std::function<bool()>>;

// The version block's Comments, read straight from this program's file.
std::wstring CommentsOfThisProgram()
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeW(path, &ignored));
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !::GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()) ||
        !::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\Comments", &value, &length))
        return {};
    return static_cast<const wchar_t*>(value);
}

bool IsLinkBlue(COLORREF color)
{
    return color == RGB(0, 0, 255);
}

// The first and last columns of a control's area that hold ink.
std::pair<int, int> InkColumns(const tktest::Pixels& shot, RECT area, bool (*ink)(COLORREF))
{
    int first = area.right;
    int last = area.left - 1;
    for (int x = area.left; x < area.right; ++x)
        if (shot.Count({x, area.top, x + 1, area.bottom}, ink) > 0) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    return {first, last};
}

HWND About() { return frmAbout->hWnd(); }
HWND CloseButton() { return frmAbout->Command1.hWnd(); }

class AboutWindow : public tktest::WindowTest {
protected:
    // Shows the window modally, as the main window's menu does, and runs the
    // steps inside its loop; should they stall, the window is unloaded.
    static void ShowModalWith(Steps steps)
    {
        tktest::Script script(std::move(steps), [] {
            if (frmAbout.Exists())
                frmAbout->Unload();
        });
        frmAbout->ShowModal();
        // Steps after the closing run in the ordinary loop.
        EXPECT_TRUE(tktest::PumpUntil([&] { return script.Finished(); }));
        EXPECT_FALSE(frmAbout.Exists()) << "closing releases the window";
        tk::CollectRetiredForms();
    }

    static bool Shown()
    {
        return frmAbout.Exists() && ::IsWindowVisible(About()) && ::GetForegroundWindow() == About();
    }

    static bool Closed() { return !frmAbout.Exists(); }
};

TEST_F(AboutWindow, HasItsTextsInTheRunsLanguageBeforeItIsShown)
{
    FrmAbout& about = *frmAbout;
    EXPECT_FALSE(::IsWindowVisible(about.hWnd()));
    EXPECT_TRUE(::GetWindowLongW(about.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_EQ(tktest::WindowText(about.hWnd()), tktest::ExpectedText(IDS_ABOUT));
    EXPECT_FALSE(about.Label2.Caption().empty());
    EXPECT_EQ(about.Label2.Caption(), CommentsOfThisProgram());
    EXPECT_EQ(about.Label3.Caption(), tktest::ExpectedText(IDS_NOTICE));
    EXPECT_EQ(about.Label5.Caption(), tktest::ExpectedText(IDS_CREATED_BY));
    EXPECT_EQ(about.Label4.Caption(), tktest::ExpectedText(IDS_VISIT));
    EXPECT_EQ(tktest::WindowText(about.Command1.hWnd()), tktest::ExpectedText(IDS_CLOSE));
    EXPECT_EQ(about.Label1.Caption(), kMakerWebAddress);
    EXPECT_EQ(about.Label1.Caption().rfind(L"http://", 0), 0u);
    about.Unload();
}

TEST_F(AboutWindow, IsACentredFixedDialogWithItsLayoutOnScreen)
{
    ShowModalWith({
        Shown,
        [] {
            const LONG style = ::GetWindowLongW(About(), GWL_STYLE);
            EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
            EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            const SIZE client = frmAbout->ClientSizePixels();
            EXPECT_EQ(client.cx, 5640 / tk::Screen::TwipsPerPixelX());
            EXPECT_EQ(client.cy, 2220 / tk::Screen::TwipsPerPixelY());
            RECT outer{};
            ::GetWindowRect(About(), &outer);
            EXPECT_NEAR(outer.left + outer.right, ::GetSystemMetrics(SM_CXSCREEN), 2);
            EXPECT_NEAR(outer.top + outer.bottom, ::GetSystemMetrics(SM_CYSCREEN), 2);

            FrmAbout& about = *frmAbout;
            const tktest::Pixels shot = tktest::ReadClient(About(), tktest::ClientRectOf(About()));
            // Each text whole inside its label: its ink keeps off the edge it
            // would be cut at, and lies where its alignment puts it.
            const RECT link = about.Label1.Bounds();
            const auto [linkFirst, linkLast] = InkColumns(shot, link, IsLinkBlue);
            EXPECT_LE(linkFirst, link.left + 2);
            EXPECT_LT(linkLast, link.right - 2) << "the address is cut";
            int underline = 0; // an unbroken blue row under the letters
            for (int y = link.top; y < link.bottom; ++y)
                underline = std::max(underline, shot.Count({link.left, y, link.right, y + 1}, IsLinkBlue));
            EXPECT_GE(underline, linkLast - linkFirst - 6);

            const RECT author = about.Label5.Bounds();
            const auto [authorFirst, authorLast] = InkColumns(shot, author, tktest::IsInk);
            EXPECT_GT(authorFirst, author.left + 2);
            EXPECT_NEAR(authorFirst - author.left, author.right - 1 - authorLast, 3);

            const RECT visit = about.Label4.Bounds();
            const auto [visitFirst, visitLast] = InkColumns(shot, visit, tktest::IsInk);
            EXPECT_GT(visitFirst, visit.left + 1) << "the words before the link are cut";
            EXPECT_GE(visitLast, visit.right - 6);
            EXPECT_LT(visitLast, linkFirst);

            const RECT product = about.Label2.Bounds();
            const auto [productFirst, productLast] = InkColumns(shot, product, tktest::IsInk);
            EXPECT_LE(productFirst, product.left + 2);
            EXPECT_LT(productLast, product.right - 2);
            // The etched frame around them.
            const RECT frame = about.Frame1.Bounds();
            const int middle = (frame.top + frame.bottom) / 2;
            EXPECT_EQ(shot.At(frame.left, middle), ::GetSysColor(COLOR_BTNSHADOW));
            EXPECT_EQ(shot.At(frame.left + 1, middle), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            return true;
        },
        tktest::ClickStep(CloseButton),
        Closed,
    });
}

TEST_F(AboutWindow, EscapeClosesItWhileTheButtonHasTheFocusAndOtherKeysDoNot)
{
    ShowModalWith({
        Shown,
        [] {
            EXPECT_EQ(::GetFocus(), CloseButton())
                << (::GetFocus() == About() ? "the focus is on the window itself" : "the focus is elsewhere");
            tktest::PressKey('A');
            tktest::PressKey(VK_F1);
            tktest::PressKey(VK_RETURN);
            return true;
        },
        tktest::After(300),
        [] {
            EXPECT_TRUE(frmAbout.Exists() && ::IsWindowVisible(About()));
            tktest::PressKey(VK_ESCAPE);
            return true;
        },
        Closed,
    });
}

TEST_F(AboutWindow, KeepsTheOtherWindowsOfTheProgramFromInputWhileOpen)
{
    tktest::OtherForm other;
    other.Load();
    other.MovePixels(20, 20);
    other.Show();
    ShowModalWith({
        Shown,
        [&] {
            EXPECT_FALSE(::IsWindowEnabled(other.hWnd()));
            return true;
        },
        tktest::ClickStep([&] { return other.hWnd(); }),
        tktest::After(300),
        [&] {
            EXPECT_EQ(other.clicks, 0);
            EXPECT_TRUE(frmAbout.Exists());
            return true;
        },
        tktest::ClickStep(CloseButton),
        Closed,
    });
    EXPECT_TRUE(::IsWindowEnabled(other.hWnd()));
    tktest::ClickNoPump(tktest::ScreenCentre(other.hWnd(), tktest::ClientRectOf(other.hWnd())));
    EXPECT_TRUE(tktest::PumpUntil([&] { return other.clicks == 1; }));
}

TEST_F(AboutWindow, OpensWithFreshTextsEachTime)
{
    ShowModalWith({
        Shown,
        [] {
            frmAbout->Label5.SetCaption(L"left over");
            frmAbout->SetCaption(L"left over");
            tktest::PressKey(VK_ESCAPE);
            return true;
        },
        Closed,
    });
    ShowModalWith({
        Shown,
        [&] {
            EXPECT_EQ(frmAbout->Label5.Caption(), tktest::ExpectedText(IDS_CREATED_BY));
            EXPECT_EQ(tktest::WindowText(About()), tktest::ExpectedText(IDS_ABOUT));
            EXPECT_EQ(tktest::WindowText(CloseButton()), tktest::ExpectedText(IDS_CLOSE));
            tktest::PressKey(VK_ESCAPE);
            return true;
        },
        Closed,
    });
}

TEST_F(AboutWindow, LinkHandsTheAddressToTheShellAndTheWindowStaysOpen)
{
    struct Request {
        HWND parent;
        std::string verb, file;
    };
    std::vector<Request> requests;
    SetShellOpenForTests([&](HWND parent, const std::string& verb, const std::string& file) {
        requests.push_back({parent, verb, file});
    });
    std::string address; // plain ASCII, the same in every code page
    for (const wchar_t letter : std::wstring_view(kMakerWebAddress))
        address += static_cast<char>(letter);

    ShowModalWith({
        Shown,
        [] {
            tktest::MoveMouse(tktest::ScreenCentre(About(), frmAbout->Label1.Bounds()));
            return true;
        },
        // The pointing hand over the link.
        [] { return ::GetCursor() == frmAbout->Label1.MouseIcon(); },
        tktest::ClickStep(About, [] { return frmAbout->Label1.Bounds(); }),
        [&] { return !requests.empty(); },
        tktest::ClickStep(About, [] { return frmAbout->Label4.Bounds(); }),
        tktest::After(300),
        [&] {
            EXPECT_TRUE(frmAbout.Exists() && ::IsWindowVisible(About()));
            return true;
        },
        tktest::ClickStep(CloseButton),
        Closed,
    });
    SetShellOpenForTests(nullptr);

    ASSERT_EQ(requests.size(), 1u) << "one request for the link, none for the plain text";
    EXPECT_EQ(requests[0].parent, ::GetDesktopWindow());
    EXPECT_EQ(requests[0].verb, "open");
    EXPECT_EQ(requests[0].file, address);
}

} // namespace
