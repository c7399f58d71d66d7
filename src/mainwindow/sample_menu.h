// The Sample submenu of the main window's popup menu: how large a square
// around the view-finder's centre a sample reads, and whether it takes the
// square's mean or its most common colour.
#pragma once

#include "colour/sample_square.h"
#include "toolkit/menu.h"

#include <array>
#include <functional>

#include <windows.h>

class SampleMenu {
public:
    SampleMenu();
    SampleMenu(const SampleMenu&) = delete;
    SampleMenu& operator=(const SampleMenu&) = delete;

    tk::MenuItem& Item() noexcept { return mSample; }
    // Captions from the string table, when the main window loads.
    void LoadCaptions();

    // Side of the square in screen pixels: 1 (today's single pixel), 3, 5 or 9.
    int Side() const noexcept { return m_side; }
    SquareReduction Reduction() const noexcept
    {
        return mMostCommon.Checked ? SquareReduction::MostCommon : SquareReduction::Mean;
    }

    // Runs after the user changed either setting.
    std::function<void()> Changed;

private:
    void mSampleSize_Click(std::size_t index);

    static constexpr std::array<int, 4> kSides{1, 3, 5, 9};
    int m_side = 1;
    tk::MenuItem mSample{L"Sample"};
    std::array<tk::MenuItem, 4> mSampleSize{tk::MenuItem{L"1 pixel"}, tk::MenuItem{L"3 x 3"}, tk::MenuItem{L"5 x 5"},
                                            tk::MenuItem{L"9 x 9"}};
    tk::MenuItem sepSample{L"-"};
    tk::MenuItem mMostCommon{L"Most common colour"};
};

// A square wider than a pixel would take in the view-finder's own crosshair:
// the window, already cut to its skin, is cut open over the square (offset
// from its corner, side pixels) so that all of the square is screen.
void CutSampleSquare(HWND window, POINT sampleOffset, int side);
