// The sample size and reduction chosen from the popup menu.
#include "mainwindow/sample_menu.h"

#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/handles.h"

SampleMenu::SampleMenu()
{
    for (std::size_t i = 0; i < mSampleSize.size(); ++i) {
        mSampleSize[i].Click = [this, i] { mSampleSize_Click(i); };
        mSample.Items.push_back(&mSampleSize[i]);
    }
    mSampleSize[0].Checked = true;
    mMostCommon.Click = [this] {
        mMostCommon.Checked = !mMostCommon.Checked;
        if (Changed)
            Changed();
    };
    mSample.Items.push_back(&sepSample);
    mSample.Items.push_back(&mMostCommon);
}

void SampleMenu::LoadCaptions()
{
    mSample.Caption = LoadResString(IDS_SAMPLE);
    const int ids[] = {IDS_SAMPLE_1, IDS_SAMPLE_3, IDS_SAMPLE_5, IDS_SAMPLE_9};
    for (std::size_t i = 0; i < mSampleSize.size(); ++i)
        mSampleSize[i].Caption = LoadResString(ids[i]);
    mMostCommon.Caption = LoadResString(IDS_MOST_COMMON);
}

void SampleMenu::mSampleSize_Click(std::size_t index)
{
    m_side = kSides[index];
    for (std::size_t i = 0; i < mSampleSize.size(); ++i)
        mSampleSize[i].Checked = i == index;
    if (Changed)
        Changed();
}

void CutSampleSquare(HWND window, POINT sampleOffset, int side)
{
    if (side <= 1)
        return;
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.get()) == ERROR)
        return;
    const tk::unique_hrgn square(::CreateRectRgn(sampleOffset.x - side / 2, sampleOffset.y - side / 2,
                                                 sampleOffset.x + side / 2 + 1, sampleOffset.y + side / 2 + 1));
    ::CombineRgn(region.get(), region.get(), square.get(), RGN_DIFF);
    // The window owns the region from here on.
    ::SetWindowRgn(window, region.release(), TRUE);
}
