// The colour history: its submenu, its swatches and its file.
#include "mainwindow/history_menu.h"

#include "colour/colour_formats.h"
#include "mainwindow/palette_save.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "winservices/atomic_file.h"
#include "winservices/clipboard.h"

namespace {

constexpr int kSwatchSide = 12; // at 96 dpi, about the height of the menu's text
// More than any history file needs; a larger file is read only this far.
constexpr DWORD kMostBytesRead = 1 << 20;

void CloseFile(HANDLE file) noexcept { ::CloseHandle(file); }
using unique_file = tk::unique_handle<HANDLE, CloseFile>;

std::wstring Folder(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

tk::unique_hbitmap MakeSwatch(ColorValue color, int side)
{
    const tk::WindowDC screen;
    tk::unique_hbitmap bitmap(::CreateCompatibleBitmap(screen, side, side));
    const tk::unique_hdc dc(::CreateCompatibleDC(screen));
    const tk::SelectGuard select(dc.get(), bitmap.get());
    const RECT whole{0, 0, side, side};
    const tk::unique_hbrush fill(::CreateSolidBrush(static_cast<COLORREF>(color)));
    const tk::unique_hbrush edge(::CreateSolidBrush(RGB(64, 64, 64)));
    ::FillRect(dc.get(), &whole, fill.get());
    // An edge, so white and the menu's own colour still show as swatches.
    ::FrameRect(dc.get(), &whole, edge.get());
    return bitmap;
}

} // namespace

HistoryMenu::HistoryMenu(const tk::Window& owner) : m_owner(owner)
{
    mHistoryEntry.reserve(ColourHistory::kCapacity);
    for (std::size_t i = 0; i < ColourHistory::kCapacity; ++i) {
        mHistoryEntry.emplace_back(L"");
        mHistoryEntry.back().Click = [this, i] { mHistoryEntry_Click(i); };
    }
    mHistoryEmpty.Enabled = false;
    mSavePalette.Click = [this] { mSavePalette_Click(); };
    mClearHistory.Click = [this] { mClearHistory_Click(); };
    Refresh(96);
}

void HistoryMenu::LoadCaptions()
{
    mHistory.Caption = LoadResString(IDS_HISTORY);
    mHistoryEmpty.Caption = LoadResString(IDS_HISTORY_EMPTY);
    mSavePalette.Caption = LoadResString(IDS_SAVE_PALETTE);
    mClearHistory.Caption = LoadResString(IDS_CLEAR_HISTORY);
}

std::wstring HistoryMenu::FilePath()
{
    wchar_t folder[MAX_PATH]{};
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder) + L"\\Tavolisk\\history.txt";
}

void HistoryMenu::Load()
{
    const std::wstring path = FilePath();
    if (path.empty())
        return;
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return;
    const unique_file file(opened);
    std::string text(kMostBytesRead, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), text.data(), kMostBytesRead, &read, nullptr))
        return;
    text.resize(read);
    m_history = ColourHistory::Parse(text);
}

void HistoryMenu::Save() const
{
    const std::wstring path = FilePath();
    if (path.empty())
        return;
    ::CreateDirectoryW(Folder(path).c_str(), nullptr); // there already, or it cannot be: the write tells
    WriteFileAtomically(path, m_history.Serialise());
}

void HistoryMenu::Remember(ColorValue color)
{
    if (m_history.Add(color))
        Save();
}

void HistoryMenu::Refresh(UINT dpi)
{
    mHistory.Items.clear();
    const std::vector<ColorValue>& colours = m_history.Colours();
    if (colours.empty()) {
        mHistory.Items.push_back(&mHistoryEmpty);
        return;
    }
    const int side = tk::Scale(kSwatchSide, dpi);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        m_swatches[i] = MakeSwatch(colours[i], side);
        mHistoryEntry[i].Caption = tk::Widen(FormatColour(colours[i], ColourFormat::Web));
        mHistoryEntry[i].Bitmap = m_swatches[i].get();
        mHistory.Items.push_back(&mHistoryEntry[i]);
    }
    mHistory.Items.insert(mHistory.Items.end(), {&sepHistory, &mSavePalette, &mClearHistory});
}

void HistoryMenu::mHistoryEntry_Click(std::size_t index)
{
    if (index >= m_history.Colours().size())
        return;
    const ColorValue color = m_history.Colours()[index];
    CopyTextToClipboard(m_owner.hWnd(), tk::Widen(FormatColour(color, ColourFormat::Web)));
    Remember(color);
}

void HistoryMenu::mSavePalette_Click()
{
    SavePalette(m_owner.hWnd(), m_history.Colours());
}

void HistoryMenu::mClearHistory_Click()
{
    m_history.Clear();
    Save();
}
