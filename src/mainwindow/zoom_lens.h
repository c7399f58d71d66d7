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
    // Owned by the picker whose samples it shows: above it, and gone with it.
    explicit ZoomLens(HWND picker = nullptr) : tk::Form(L"frmZoom"), m_picker(picker) {}

    // Pixels of screen shown each way (odd, so that one lies in the middle)
    // and how many times each is magnified, at 96 dpi, by default: the
    // lens's size. The wheel and the + and - keys step the magnification
    // through kZooms; the lens keeps its size and shows the odd count of
    // whole pixels that fits, up to kMostPixels.
    static constexpr int kBlock = 15;
    static constexpr int kZoom = 8;
    static constexpr std::array<int, 4> kZooms{2, 4, 8, 16};
    static constexpr int kMostPixels = kBlock * kZoom / 2 - 1;

    // Shows the block of screen centred on (x, y), read with one copy; of
    // samples less than a frame apart only the newest is read.
    void Sample(int x, int y);
    // Reads the newest sample's block once more after a while.
    void ReadAgainAfter(UINT milliseconds);
    // The colour the lens shows for a pixel of the block, 0..BlockPixels()-1 each way.
    ColorValue BlockPixel(int column, int row) const;
    // Side of one magnified pixel, in pixels of the lens's display.
    int CellSize() const;
    // How often the lens copied its block from the screen, and painted it.
    long Reads() const noexcept { return m_reads; }
    long Paints() const noexcept { return m_paints; }
    // Screen pixels shown each way at the present magnification.
    int BlockPixels() const;
    int Zoom() const noexcept { return m_zoom; }
    // One step up (+1) or down (-1) through kZooms.
    void StepZoom(int direction);
    // The side of the main window's sample square, which the lens outlines.
    void SetSampleSide(int side);

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

    HWND m_picker;
    // The bitmap outlives the memory DC it stays selected into.
    tk::unique_hbitmap m_block;
    tk::unique_hdc m_blockDC;
    tk::unique_hdc m_screen;
    std::uint32_t* m_bits = nullptr; // the block's pixels, top row first, 0x00RRGGBB
    std::array<std::uint32_t, kMostPixels * kMostPixels> m_shown{};
    int m_zoom = kZoom;
    int m_sampleSide = 1;
    using Clock = std::chrono::steady_clock;
    POINT m_samplePoint{};
    Clock::time_point m_lastRead{};
    bool m_readDue = false; // a newer sample waits for its frame
    bool m_dragging = false;
    POINT m_grab{}; // the cursor from the lens's corner while dragged
    long m_reads = 0;
    long m_paints = 0;
};

extern tk::FormInstance<ZoomLens> frmZoom;

// Opens the lens beside the picker window, on the sample point.
void OpenZoomLens(HWND picker, POINT samplePoint);
void CloseZoomLens();
bool IsZoomLensOpen() noexcept;
// Every sample of the main window goes through here, with its square's
// side; nothing while the lens is closed.
void ZoomLensFollow(int x, int y, int sampleSide = 1);
// + and - (main keyboard or keypad) step the open lens's magnification; true when taken.
bool TakeZoomLensKey(int keyCode, int shift);
// A wheel turn at a screen point, over the open lens, steps its magnification; true when taken.
bool TakeZoomLensWheel(POINT screen, int delta);
