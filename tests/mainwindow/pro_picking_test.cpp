// Picking like a professional, through real menus, keys and mouse: averaging
// over a checkerboard on the screen, the history across a restart (and a
// write stopped before its rename), palettes through the real Save dialog,
// and the lens's magnification.
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "support/all.h"
#include "toolkit/dpi.h"
#include "winservices/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using tktest::ClipboardText;
using tktest::FileText;

namespace {

class ProPicking : public tktest::WindowTest {
protected:
    FrmMain& StartPicker()
    {
        FrmMain& main = *frmMain;
        main.Show();
        tktest::WaitPainted(main.hWnd());
        return main;
    }
    // A point on the skin (over the Web caption) that takes any button.
    static POINT OnSkin(FrmMain& main)
    {
        const POINT corner = main.PositionPixels();
        return {corner.x + 105, corner.y + 55};
    }
    // The popup menu opened by a real right click, answered with keys.
    tktest::MenuSeen RightClickMenu(FrmMain& main, std::vector<WPARAM> keys)
    {
        return tktest::AnswerMenu(std::move(keys), [&] {
            tktest::Click(OnSkin(main), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        });
    }
    // Item n (from 0, separators not counted) of the submenu `up` items above Exit.
    void ChooseFromSubmenu(FrmMain& main, int up, int n)
    {
        std::vector<WPARAM> keys(static_cast<std::size_t>(up), VK_UP);
        keys.push_back(VK_RIGHT);
        keys.insert(keys.end(), static_cast<std::size_t>(n), VK_DOWN);
        keys.push_back(VK_RETURN);
        EXPECT_TRUE(RightClickMenu(main, keys).seen);
    }
    void PlaceSampleAt(FrmMain& main, POINT sample)
    {
        main.MovePixels(sample.x - main.SampleOffset().x, sample.y - main.SampleOffset().y);
        tktest::WaitPainted(main.hWnd());
    }
    // Samples until the Web field shows the text (the screen under a moved
    // or newly opened view-finder is painted a moment later).
    static bool Shows(FrmMain& main, const std::wstring& web)
    {
        return tktest::PumpUntil([&] {
            main.RefreshColor();
            return main.FieldText(0) == web;
        });
    }
    static constexpr int kSampleMenu = 3, kHistoryMenu = 2;
    tktest::FreshAppData m_appData;
};

} // namespace

TEST_F(ProPicking, TheSampleMenuAveragesACheckerboardOnTheScreen)
{
    tktest::PatternChart board(&tktest::PatternChart::Checkerboard);
    FrmMain& main = StartPicker();
    PlaceSampleAt(main, {400, 300}); // white: x + y even
    EXPECT_TRUE(Shows(main, L"#FFFFFF"));

    const std::pair<int, const wchar_t*> sizes[] = {{1, L"#8E8E8E"}, {2, L"#858585"}, {3, L"#818181"}};
    for (const auto& [item, web] : sizes) {
        ChooseFromSubmenu(main, kSampleMenu, item);
        EXPECT_TRUE(Shows(main, web)) << "item " << item << ": " << main.FieldText(0);
    }
    // Half the 9 x 9 square off the screen: only the 45 pixels on it count,
    // 23 of them white.
    PlaceSampleAt(main, {0, 300});
    EXPECT_TRUE(Shows(main, L"#828282")) << main.FieldText(0);
    // All of it off: no colour.
    PlaceSampleAt(main, {-20, 300});
    main.RefreshColor();
    EXPECT_EQ(main.FieldText(1), L"-1");

    PlaceSampleAt(main, {400, 300});
    ChooseFromSubmenu(main, kSampleMenu, 1);
    ChooseFromSubmenu(main, kSampleMenu, 4); // Most common colour
    EXPECT_TRUE(Shows(main, L"#FFFFFF")) << main.FieldText(0);
    const tktest::MenuSeen seen = RightClickMenu(main, {VK_ESCAPE});
    EXPECT_EQ(seen.captions, tktest::ExpectedMenuCaptions());
    const tk::MenuItem& sample = *main.PopupMenuItems().Items[10];
    EXPECT_TRUE(sample.Items[1]->Checked);
    EXPECT_TRUE(sample.Items[5]->Checked);
    EXPECT_FALSE(sample.Items[0]->Checked);
}

TEST_F(ProPicking, TheHistoryFillsFromDragsAndCopiesAndOutlivesARestart)
{
    tktest::Backdrop backdrop;
    backdrop.Paint(RGB(255, 128, 0));
    FrmMain* main = &StartPicker();
    const std::wstring file = m_appData.HistoryFile();
    EXPECT_EQ(FileText(file), "<none>");

    // A drag ends on orange; Ctrl+C copies blue.
    EXPECT_TRUE(tktest::DragFromThread(OnSkin(*main), {OnSkin(*main).x + 20, OnSkin(*main).y + 10}));
    EXPECT_EQ(FileText(file), "#FF8000\n");
    backdrop.Paint(RGB(0, 0, 255));
    main->RefreshColor();
    ::SetForegroundWindow(main->hWnd());
    tktest::PressChord({VK_CONTROL, 'C'});
    ASSERT_TRUE(tktest::PumpUntil([&] { return FileText(file) == "#0000FF\n#FF8000\n"; })) << FileText(file);

    // A restart reads the file; the menu shows each entry with a swatch sized for the DPI.
    main->Unload();
    tktest::PumpUntil([] { return !frmMain.Exists(); });
    main = &StartPicker();
    ASSERT_EQ(main->History().Colours(), (std::vector<ColorValue>{0xFF0000, 0x0080FF}));
    ChooseFromSubmenu(*main, kHistoryMenu, 1); // the second entry: orange
    EXPECT_EQ(ClipboardText(), L"#FF8000");
    EXPECT_EQ(FileText(file), "#FF8000\n#0000FF\n");
    RightClickMenu(*main, {VK_ESCAPE});
    const tk::MenuItem& history = *main->PopupMenuItems().Items[11];
    ASSERT_EQ(history.Items.size(), 5u);
    EXPECT_EQ(history.Items[0]->Caption, L"#FF8000");
    BITMAP swatch{};
    ASSERT_TRUE(::GetObjectW(history.Items[0]->Bitmap, sizeof swatch, &swatch));
    EXPECT_EQ(swatch.bmWidth, tk::Scale(12, main->Dpi()));

    // Stopped between the write and the rename, as by a crash: the old
    // file stays whole, the new one lies beside it, a restart reads the old.
    SetAtomicWriteInterruption([] { return false; });
    backdrop.Paint(RGB(0, 160, 0));
    main->RefreshColor();
    ChooseFromSubmenu(*main, 5, 0); // Copy, #RRGGBB
    SetAtomicWriteInterruption({});
    EXPECT_EQ(FileText(file), "#FF8000\n#0000FF\n");
    int temporary = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(file).parent_path()))
        temporary += entry.path().filename() != "history.txt" && FileText(entry.path()) == "#00A000\n#FF8000\n#0000FF\n";
    ASSERT_EQ(temporary, 1);
    main->Unload();
    main = &StartPicker();
    ASSERT_EQ(main->History().Colours().size(), 2u) << "the interrupted write must not count";

    // Clear history: an empty file, and one greyed item.
    ChooseFromSubmenu(*main, kHistoryMenu, 3); // two entries, Save palette..., Clear history
    EXPECT_EQ(FileText(file), "");
    RightClickMenu(*main, {VK_ESCAPE});
    const tk::MenuItem& cleared = *main->PopupMenuItems().Items[11];
    ASSERT_EQ(cleared.Items.size(), 1u);
    EXPECT_FALSE(cleared.Items[0]->Enabled);

    // A folder that cannot be written: the history works on in memory, no message.
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", file.c_str());
    ChooseFromSubmenu(*main, 5, 0);
    EXPECT_EQ(main->History().Colours(), std::vector<ColorValue>{0x00A000});
    EXPECT_EQ(tktest::FindDialog(::GetCurrentThreadId()), nullptr);
}

TEST_F(ProPicking, PalettesAreSavedThroughTheSaveDialog)
{
    tktest::Backdrop backdrop;
    FrmMain& main = StartPicker();
    for (const COLORREF colour : {RGB(7, 80, 200), RGB(255, 128, 0)}) {
        backdrop.Paint(colour);
        main.RefreshColor();
        ChooseFromSubmenu(main, 5, 0);
    }
    const std::wstring folder = m_appData.Folder() + L"\\";
    // Types the name and presses Save; answers Yes to replacing; keeps an error box's text.
    std::wstring errorText;
    const auto saveAs = [&](const std::wstring& name, int button = IDOK) {
        return [&, name, button](HWND dialog) {
            if (::GetDlgItem(dialog, edt1) || ::GetDlgItem(dialog, cmb13)) {
                ::SetDlgItemTextW(dialog, edt1, (folder + name).c_str());
                ::SetDlgItemTextW(dialog, cmb13, (folder + name).c_str());
                ::PostMessageW(dialog, WM_COMMAND, button, 0);
            } else if (::GetDlgItem(dialog, IDYES)) {
                ::PostMessageW(dialog, WM_COMMAND, IDYES, 0);
            } else {
                errorText = tktest::WindowText(::GetDlgItem(dialog, 0xFFFF));
                ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
        };
    };
    int savePalette = 2; // after the two entries
    const std::pair<const wchar_t*, const char*> files[] = {
        {L"p.gpl", "GIMP Palette\nName: Tavolisk\nColumns: 8\n#\n255 128   0\t#FF8000\n  7  80 200\t#0750C8\n"},
        {L"p.css", ":root {\n  --tavolisk-1: #FF8000;\n  --tavolisk-2: #0750C8;\n}\n"},
        {L"p.txt", "#FF8000\n#0750C8\n"}};
    for (const auto& [name, text] : files) {
        tktest::DialogAnswer answer(saveAs(name), tktest::DialogAnswer::Repeat);
        ChooseFromSubmenu(main, kHistoryMenu, savePalette);
        EXPECT_EQ(FileText(folder + name), text);
    }
    {
        tktest::DialogAnswer answer(saveAs(L"cancelled.gpl", IDCANCEL));
        ChooseFromSubmenu(main, kHistoryMenu, savePalette);
    }
    EXPECT_EQ(FileText(folder + L"cancelled.gpl"), "<none>");

    // A file that cannot be replaced (another program has it open): a clear
    // error naming it and giving the system's reason, the file untouched.
    const HANDLE held = ::CreateFileW((folder + L"p.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    backdrop.Paint(RGB(1, 2, 3));
    main.RefreshColor();
    ChooseFromSubmenu(main, 5, 0);
    savePalette = 3;
    {
        tktest::DialogAnswer answer(saveAs(L"p.txt"), tktest::DialogAnswer::Repeat);
        ChooseFromSubmenu(main, kHistoryMenu, savePalette);
    }
    ::CloseHandle(held);
    EXPECT_EQ(FileText(folder + L"p.txt"), "#FF8000\n#0750C8\n");
    EXPECT_NE(errorText.find(L"\n" + folder + L"p.txt\n"), std::wstring::npos) << errorText;
    EXPECT_TRUE(errorText.ends_with(SystemErrorText(ERROR_ACCESS_DENIED)) ||
                errorText.ends_with(SystemErrorText(ERROR_SHARING_VIOLATION)))
        << errorText;
}

TEST_F(ProPicking, TheWheelAndPlusMinusStepTheLensAndItsOutlineFollowsTheSquare)
{
    tktest::PatternChart chart;
    FrmMain& main = StartPicker();
    PlaceSampleAt(main, {300, 300});
    OpenZoomLens(main.hWnd(), {300, 300});
    ZoomLens& lens = *frmZoom;
    tktest::WaitPainted(lens.hWnd());
    const int side = lens.ClientSizePixels().cx;
    EXPECT_EQ(lens.Zoom(), 8);

    // The wheel over the lens: 16x, then no further.
    RECT place{};
    ::GetWindowRect(lens.hWnd(), &place);
    const POINT over{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    tktest::MoveMouse(over);
    tktest::PumpUntil([&] { return tktest::CursorAt(over); });
    tktest::TurnWheel();
    tktest::TurnWheel();
    ASSERT_EQ(lens.Zoom(), 16);
    EXPECT_EQ(lens.BlockPixels(), 7);

    // - three times with the picker active: 2x, 59 whole pixels in the same size.
    ::SetForegroundWindow(main.hWnd());
    tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); });
    for (int press = 0; press < 3; ++press)
        tktest::PressKey(VK_SUBTRACT);
    ASSERT_TRUE(tktest::PumpUntil([&] { return lens.Zoom() == 2; }));
    EXPECT_EQ(lens.ClientSizePixels().cx, side);
    EXPECT_EQ(lens.BlockPixels(), 59);

    // On screen: the sampled pixel in the middle, and a 5 x 5 square
    // outlined just outside its cells.
    ChooseFromSubmenu(main, kSampleMenu, 2);
    tktest::PressKey(VK_OEM_PLUS);
    ASSERT_TRUE(tktest::PumpUntil([&] { return lens.Zoom() == 4; }));
    tktest::WaitPainted(lens.hWnd());
    const tktest::Pixels shot = tktest::ReadClient(lens.hWnd(), {0, 0, side, side});
    const int cell = 4, margin = (side - 29 * cell) / 2, middle = margin + 14 * cell + 1;
    EXPECT_EQ(shot.At(middle, middle), tktest::PatternChart::ColourAt(300, 300));
    const int outline = margin + (14 - 2) * cell - 1;
    const COLORREF ink = shot.At(outline, middle);
    EXPECT_TRUE(ink == RGB(0, 0, 0) || ink == RGB(255, 255, 255)) << std::hex << ink;
    EXPECT_EQ(shot.At(outline + 1, middle), static_cast<COLORREF>(lens.BlockPixel(14 - 2, 14)));
    // Not the single pixel's outline any more.
    EXPECT_EQ(shot.At(margin + 14 * cell - 1, middle), static_cast<COLORREF>(lens.BlockPixel(13, 14)));
}
