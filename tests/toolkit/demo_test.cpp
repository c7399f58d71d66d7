// A small demo window built from the toolkit's parts together, driven like a
// user would: a scroll bar sets a swatch colour, a popup menu on the picture
// picks a preset, and the labels follow. A screenshot goes to demo.bmp.
#include "colour/mouse_function.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/picturebox.h"
#include "toolkit/syscontrols.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class DemoForm : public tk::Form {
public:
    DemoForm() : tk::Form(L"frmDemo") {}

    tk::PictureBox picture;
    tk::Label title;
    tk::Label value;
    tk::ScrollBar bar;
    tk::TextBox field;
    tk::MenuItem presetRed{L"Red"};
    tk::MenuItem presetBlue{L"Blue"};
    tk::Menu presets;

    static COLORREF SwatchColor(int level) { return RGB(level, 64, 255 - level); }

protected:
    tk::FormStyle Style() const override
    {
        tk::FormStyle style;
        style.style = WS_POPUP;
        style.exStyle = WS_EX_TOPMOST;
        style.clientWidth = 320;
        style.clientHeight = 240;
        style.backColor = RGB(30, 30, 30);
        style.startUpPosition = tk::StartUpPosition::Manual;
        return style;
    }
    void Form_Load() override
    {
        tktest::CreatePixelPicture(picture, *this, tktest::Place(10, 10, 300, 170), RGB(0, 0, 0));
        picture.Box(0, 0, 299, 169, RGB(128, 128, 128));
        for (int x = 10; x < 140; x += 8)
            picture.Line(x, 40, x + 60, 160, RGB(0, 120, 0));
        picture.SetDrawMode(tk::kDrawInvert);
        picture.Line(10, 100, 140, 100, RGB(0, 0, 0));
        picture.SetDrawMode(tk::kDrawCopyPen);
        picture.Circle(220, 95, 50, RGB(255, 255, 255));
        picture.MouseDown = [this](int button, int, float, float) {
            if (button == tk::kRightButton)
                tk::PopupMenu(*this, presets);
        };

        title.Create(picture, 10, 8, 180, 20);
        tk::FontSpec bold;
        bold.weight = FW_BOLD;
        title.SetFont(bold);
        title.SetForeColor(RGB(255, 255, 255));
        title.SetCaption(L"Toolkit demo");
        value.Create(picture, 160, 150, 130, 16);
        value.SetForeColor(RGB(255, 255, 0));
        value.SetAlignment(tk::Alignment::Right);

        bar.Create(*this, 10, 190, 300, 17, 0, 255);
        bar.Change = [this] { ShowLevel(bar.Value()); };
        field.Create(*this, 10, 213, 120, 20, true);

        presetRed.Click = [this] { bar.SetValue(230); };
        presetBlue.Click = [this] { bar.SetValue(20); };
        presets.Items = {&presetRed, &presetBlue};
        ShowLevel(0);
    }

private:
    void ShowLevel(int level)
    {
        FloodFillPicture(picture, 220, 95, static_cast<ColorValue>(SwatchColor(level)));
        value.SetCaption(L"level " + std::to_wstring(level));
        field.SetText(L"#" + std::to_wstring(level));
        presetRed.Checked = level == 230;
        presetBlue.Checked = level == 20;
    }
};

} // namespace

TEST(Demo, PartsWorkTogetherAndLookRight)
{
    tktest::ErrorRecorder errors;
    DemoForm demo;
    demo.Load();
    demo.MovePixels(200, 150);
    demo.Show();
    // A point of the picture box, which sits at (10, 10) in the form at (200, 150).
    const auto screenAt = [](int x, int y) { return tktest::ScreenPixel(200 + 10 + x, 150 + 10 + y); };
    // The swatch's centre once it shows the colour of a value.
    const auto swatch = [&](int value) {
        tktest::PumpUntil([&] { return screenAt(220, 95) == DemoForm::SwatchColor(value); });
        return screenAt(220, 95);
    };
    EXPECT_EQ(swatch(0), DemoForm::SwatchColor(0));

    // Three clicks on the bar's right arrow.
    const POINT arrow{200 + 10 + 300 - 6, 150 + 190 + 8};
    ASSERT_EQ(::WindowFromPoint(arrow), demo.bar.hWnd());
    for (int i = 0; i < 3; ++i)
        tktest::Click(arrow);
    EXPECT_EQ(demo.bar.Value(), 3);
    EXPECT_EQ(swatch(3), DemoForm::SwatchColor(3));
    EXPECT_EQ(demo.field.Text(), L"#3");

    // The popup menu on the picture, answered by keyboard: the first preset.
    const tktest::MenuSeen menu = tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] {
        tktest::Click({200 + 10 + 60, 150 + 10 + 120}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        tktest::PumpUntil([&] { return demo.bar.Value() == 230; });
    });
    EXPECT_TRUE(menu.seen);
    EXPECT_EQ(demo.bar.Value(), 230);
    EXPECT_TRUE(demo.presetRed.Checked);
    EXPECT_EQ(swatch(230), DemoForm::SwatchColor(230));
    EXPECT_EQ(screenAt(220, 45), RGB(255, 255, 255)) << "the swatch's outline";
    EXPECT_EQ(screenAt(140, 95), RGB(0, 0, 0)) << "outside it";
    EXPECT_EQ(::GetScrollPos(demo.bar.hWnd(), SB_CTL), 230);

    // The caption's text is on screen: yellow pixels at the right of its label.
    const tktest::Pixels caption = tktest::ReadScreen(tktest::Place(200 + 10 + 160, 150 + 10 + 150, 130, 16));
    int yellow = 0;
    for (int y = 0; y < caption.height; ++y)
        for (int x = 60; x < caption.width; ++x)
            yellow += caption.At(x, y) == RGB(255, 255, 0);
    EXPECT_GT(yellow, 15);
    EXPECT_TRUE(errors.Numbers.empty());

    const tktest::Pixels shot = tktest::ReadScreen(tktest::Place(180, 130, 360, 280));
    const char* folder = std::getenv("TAVOLISK_SCREENSHOTS");
    const std::string path = std::string(folder ? folder : ".") + "\\demo.bmp";
    EXPECT_TRUE(tktest::SaveBmp(shot, path)) << path;
    demo.Unload();
}
