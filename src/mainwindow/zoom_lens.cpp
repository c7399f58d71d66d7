// The zoom lens window.
#include "mainwindow/zoom_lens.h"

#include "colour/contrast.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/accessibility.h"
#include "winservices/capture_exclusion.h"

#include <algorithm>
#include <cstring>

tk::FormInstance<ZoomLens> frmZoom;

namespace {

constexpr int kCloseMark = 9; // the close box in the top-right corner, at 96 dpi
constexpr int kCloseMargin = 2;
constexpr int kGap = 8; // between the main window and the lens
// A drag samples far more often than the eye follows a magnified view: the
// lens reads and shows the block of at most one sample in each thirtieth of
// a second, and always the newest.
constexpr std::chrono::milliseconds kFrameTime{33};
constexpr UINT_PTR kFrameTimer = 1;
// The menu that opens the lens may still be on the screen when it first
// reads; it reads once more when the menu has surely gone.
constexpr UINT kSettleTime = 100; // ms

} // namespace

tk::FormStyle ZoomLens::Style() const
{
    tk::FormStyle style;
    style.style = WS_POPUP;
    // Topmost from its creation: placing it there later would activate it.
    // A tool window has no taskbar button of its own. Never activated, by
    // a click or a drag either: the keys stay with the main window.
    style.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    const int side = kBlock * S(kZoom);
    style.clientWidth = side;
    style.clientHeight = side;
    style.backColor = RGB(0, 0, 0);
    style.startUpPosition = tk::StartUpPosition::Manual;
    style.owner = m_picker;
    return style;
}

int ZoomLens::CellSize() const
{
    return ClientSizePixels().cx / kBlock * m_zoom / kZoom;
}

int ZoomLens::BlockPixels() const
{
    const int fit = std::min<int>(kMostPixels, ClientSizePixels().cx / std::max(1, CellSize()));
    return fit % 2 ? fit : fit - 1;
}

void ZoomLens::StepZoom(int direction)
{
    const auto now = std::find(kZooms.begin(), kZooms.end(), m_zoom);
    const auto next = now + direction;
    if (now == kZooms.end() || next < kZooms.begin() || next >= kZooms.end())
        return;
    m_zoom = *next;
    ::InvalidateRect(hWnd(), nullptr, TRUE);
    m_lastRead = {}; // the new block is read at once
    Sample(m_samplePoint.x, m_samplePoint.y);
}

void ZoomLens::SetSampleSide(int side)
{
    if (side != m_sampleSide) {
        m_sampleSide = side;
        ::InvalidateRect(hWnd(), nullptr, FALSE);
    }
}

void ZoomLens::InitializeComponent()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kMostPixels;
    info.bmiHeader.biHeight = -kMostPixels; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_block.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<std::uint32_t*>(bits);
    m_blockDC.reset(::CreateCompatibleDC(nullptr));
    // A display DC of the lens's own for its whole life: it reads the
    // screen at every sample of a drag.
    m_screen.reset(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    // Selected for the lens's lifetime; deleting the DC first lets it go.
    ::SelectObject(m_blockDC.get(), m_block.get());
    if (m_bits)
        std::memset(m_bits, 0, sizeof m_shown);

    MouseDown = [this](int button, int shift, float x, float y) { Lens_MouseDown(button, shift, x, y); };
    MouseMove = [this](int button, int, float, float) { Lens_MouseMove(button); };
    MouseUp = [this](int, int, float, float) { m_dragging = false; };
}

void ZoomLens::Sample(int x, int y)
{
    m_samplePoint = {x, y};
    const auto since = Clock::now() - m_lastRead;
    if (since >= kFrameTime) {
        ReadAndShow();
    } else if (!m_readDue) {
        // The newest sample is always shown, once its frame is due.
        m_readDue = true;
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kFrameTime - since).count();
        ::SetTimer(hWnd(), kFrameTimer, static_cast<UINT>(wait) + 1, nullptr);
    }
}

void ZoomLens::ReadAgainAfter(UINT milliseconds)
{
    m_readDue = true;
    ::SetTimer(hWnd(), kFrameTimer, milliseconds, nullptr);
}

void ZoomLens::ReadAndShow()
{
    if (m_readDue) {
        m_readDue = false;
        ::KillTimer(hWnd(), kFrameTimer);
    }
    m_lastRead = Clock::now();
    if (!m_bits || !m_screen)
        return;
    // One copy of the whole block, never a read per pixel.
    const int block = BlockPixels();
    ::BitBlt(m_blockDC.get(), 0, 0, block, block, m_screen.get(), m_samplePoint.x - block / 2,
             m_samplePoint.y - block / 2, SRCCOPY);
    ::GdiFlush();
    ++m_reads;
    // A still screen costs a copy and a comparison, not a repaint.
    if (std::memcmp(m_bits, m_shown.data(), sizeof m_shown) == 0)
        return;
    std::memcpy(m_shown.data(), m_bits, sizeof m_shown);
    ::InvalidateRect(hWnd(), nullptr, FALSE);
    ::UpdateWindow(hWnd());
}

LRESULT ZoomLens::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kFrameTimer) {
        ReadAndShow();
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (message == WM_MOUSEWHEEL) {
        StepZoom(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1);
        return 0;
    }
    return tk::Form::HandleMessage(message, wParam, lParam);
}

ColorValue ZoomLens::BlockPixel(int column, int row) const
{
    const std::uint32_t pixel = m_shown[static_cast<std::size_t>(row * kMostPixels + column)];
    return static_cast<ColorValue>(((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
}

RECT ZoomLens::CloseMark() const
{
    const int side = S(kCloseMark);
    const int margin = S(kCloseMargin);
    const int width = ClientSizePixels().cx;
    return {width - margin - side, margin, width - margin, margin + side};
}

void ZoomLens::PaintContent(HDC dc, const RECT&)
{
    ++m_paints;
    const int cell = CellSize();
    const int block = BlockPixels();
    // Whole pixels only, centred; what the lens has over is its black.
    const int side = block * cell;
    const int margin = (ClientSizePixels().cx - side) / 2;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, margin, margin, side, side, m_blockDC.get(), 0, 0, block, block, SRCCOPY);
    const RECT client{0, 0, ClientSizePixels().cx, ClientSizePixels().cy};
    ::ExcludeClipRect(dc, margin, margin, margin + side, margin + side);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SelectClipRgn(dc, nullptr);

    // The sample square is framed just outside its cells, in black or white,
    // whichever stands out more against the centre pixel.
    const ColorValue centre = BlockPixel(block / 2, block / 2);
    const ColorValue white = 0xFFFFFF;
    const COLORREF ink = ContrastRatio(centre, 0) >= ContrastRatio(centre, white) ? RGB(0, 0, 0) : RGB(255, 255, 255);
    const tk::unique_hbrush inkBrush(::CreateSolidBrush(ink));
    const int thickness = std::max(1, S(1));
    const int first = margin + cell * (block / 2 - m_sampleSide / 2);
    const int last = margin + cell * (block / 2 + m_sampleSide / 2 + 1);
    RECT frame{first, first, last, last};
    for (int i = 0; i < thickness; ++i) {
        ::InflateRect(&frame, 1, 1);
        ::FrameRect(dc, &frame, inkBrush.get());
    }

    // The close mark: a cross in a small white box.
    const RECT mark = CloseMark();
    const tk::unique_hbrush whiteBrush(::CreateSolidBrush(RGB(255, 255, 255)));
    const tk::unique_hbrush blackBrush(::CreateSolidBrush(RGB(0, 0, 0)));
    ::FillRect(dc, &mark, whiteBrush.get());
    ::FrameRect(dc, &mark, blackBrush.get());
    const tk::unique_hpen pen(::CreatePen(PS_SOLID, thickness, RGB(0, 0, 0)));
    const tk::SelectGuard usePen(dc, pen.get());
    const int inset = 2 * thickness;
    ::MoveToEx(dc, mark.left + inset, mark.top + inset, nullptr);
    ::LineTo(dc, mark.right - inset, mark.bottom - inset);
    ::MoveToEx(dc, mark.right - inset - 1, mark.top + inset, nullptr);
    ::LineTo(dc, mark.left + inset - 1, mark.bottom - inset);
}

void ZoomLens::Lens_MouseDown(int button, int, float x, float y)
{
    if (button != tk::kLeftButton)
        return;
    const RECT mark = CloseMark();
    const POINT point{static_cast<int>(x), static_cast<int>(y)};
    if (::PtInRect(&mark, point)) {
        Unload();
        return;
    }
    // Moved by hand rather than by the system's caption drag, which would
    // activate the lens.
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const POINT corner = PositionPixels();
    m_grab = {cursor.x - corner.x, cursor.y - corner.y};
    m_dragging = true;
}

void ZoomLens::Lens_MouseMove(int button)
{
    if (!m_dragging || !(button & tk::kLeftButton))
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    MovePixels(cursor.x - m_grab.x, cursor.y - m_grab.y);
}

void ZoomLens::Form_Unload()
{
    ExcludeFromCapture(m_picker, false);
    ClearAccessibleName(hWnd());
}

void ZoomLens::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == VK_ESCAPE)
        Unload();
    else
        TakeZoomLensKey(keyCode, shift);
}

namespace {

POINT ZoomLensCorner(const RECT& mainWindow, POINT samplePoint, SIZE lens, int gap, const RECT& workArea)
{
    // Beside the main window, on the right where it fits, else on the left;
    // where neither fits, on the roomier side, kept on the work area.
    const int right = mainWindow.right + gap;
    const int left = mainWindow.left - gap - lens.cx;
    int x = right;
    if (right + lens.cx > workArea.right)
        x = left >= workArea.left || workArea.right - mainWindow.right < mainWindow.left - workArea.left ? left : right;
    const int y = samplePoint.y - lens.cy / 2;
    return tk::Screen::KeepOnMonitor({x, y}, lens, workArea);
}

} // namespace

void OpenZoomLens(HWND picker, POINT samplePoint)
{
    ZoomLens& lens = frmZoom.LoadWith(picker);
    RECT mainWindow{};
    ::GetWindowRect(picker, &mainWindow);
    // On the main window's monitor, laid out for that monitor's scale.
    const POINT middle{(mainWindow.left + mainWindow.right) / 2, (mainWindow.top + mainWindow.bottom) / 2};
    lens.LayOutAt(tk::DpiAt(middle), lens.PositionPixels());
    RECT outer{};
    ::GetWindowRect(lens.hWnd(), &outer);
    const POINT corner = ZoomLensCorner(mainWindow, samplePoint, {outer.right - outer.left, outer.bottom - outer.top},
                                        tk::Scale(kGap, lens.Dpi()), tk::Screen::WorkAreaAt(middle));
    lens.MovePixels(corner.x, corner.y);
    ExcludeFromCapture(picker, true);
    // Shown without taking the activation: the keys stay with the main window.
    ::ShowWindow(lens.hWnd(), SW_SHOWNOACTIVATE);
    SetAccessibleName(lens.hWnd(), LoadResString(IDS_ZOOM));
    lens.Sample(samplePoint.x, samplePoint.y);
    lens.ReadAgainAfter(kSettleTime);
}

void CloseZoomLens()
{
    if (frmZoom.Exists())
        frmZoom->Unload();
}

bool IsZoomLensOpen() noexcept
{
    return frmZoom.Exists();
}

void ZoomLensFollow(int x, int y, int sampleSide)
{
    if (frmZoom.Exists()) {
        frmZoom->SetSampleSide(sampleSide);
        frmZoom->Sample(x, y);
    }
}

bool TakeZoomLensKey(int keyCode, int shift)
{
    if (!frmZoom.Exists() || (shift & ~1)) // Shift makes + on many keyboards; Ctrl and Alt are not ours
        return false;
    if (keyCode == VK_ADD || keyCode == VK_OEM_PLUS)
        frmZoom->StepZoom(1);
    else if (keyCode == VK_SUBTRACT || keyCode == VK_OEM_MINUS)
        frmZoom->StepZoom(-1);
    else
        return false;
    return true;
}

bool TakeZoomLensWheel(POINT screen, int delta)
{
    if (!frmZoom.Exists() || ::WindowFromPoint(screen) != frmZoom->hWnd())
        return false;
    frmZoom->StepZoom(delta > 0 ? 1 : -1);
    return true;
}
