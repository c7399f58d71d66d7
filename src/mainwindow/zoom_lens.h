// The zoom lens: a small topmost window that shows the pixels around the
// main window's sample point magnified, the sampled one outlined.
#pragma once

#include "colour/colour.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

#include <array>
#include <chrono>
#include <cstdint>

class ZoomLens : public tk::Form {
public:
    ZoomLens() : tk::Form(L"frmZoom") {}

    // Pixels of screen shown each way (odd, so that one lies in the middle)
    // and how many times each is magnified, at 96 dpi.
    static constexpr int kBlock = 15;
    static constexpr int kZoom = 8;

    // Shows the block of screen centred on (x, y), read with one copy; of
    // samples less than a frame apart only the newest is read.
    void Sample(int x, int y);
    // Reads the newest sample's block once more after a while.
    void ReadAgainAfter(UINT milliseconds);
    // The colour the lens shows for a pixel of the block, 0..kBlock-1 each way.
    ColorValue BlockPixel(int column, int row) const;
    // Side of one magnified pixel, in pixels of the lens's display.
    int CellSize() const;

protected:
    tk::FormStyle Style() const override;
    void InitializeComponent() override;
    void Form_Unload() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void PaintContent(HDC dc, const RECT& dirty) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Lens_MouseDown(int button, int shift, float x, float y);
    void Lens_MouseMove(int button);
    RECT CloseMark() const;
    void ReadAndShow();

    // The bitmap outlives the memory DC it stays selected into.
    tk::unique_hbitmap m_block;
    tk::unique_hdc m_blockDC;
    tk::unique_hdc m_screen;
    std::uint32_t* m_bits = nullptr; // the block's pixels, top row first, 0x00RRGGBB
    std::array<std::uint32_t, kBlock * kBlock> m_shown{};
    using Clock = std::chrono::steady_clock;
    POINT m_samplePoint{};
    Clock::time_point m_lastRead{};
    bool m_readDue = false; // a newer sample waits for its frame
    bool m_dragging = false;
    POINT m_grab{}; // the cursor from the lens's corner while dragged
};

extern tk::FormInstance<ZoomLens> frmZoom;

// Opens the lens beside the main window's outer rectangle, on the sample point.
void OpenZoomLens(const RECT& mainWindow, POINT samplePoint);
void CloseZoomLens();
bool IsZoomLensOpen() noexcept;
// Every sample of the main window goes through here; nothing while the lens is closed.
void ZoomLensFollow(int x, int y);
