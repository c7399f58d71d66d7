// CDlg: fills each comdlg32 record from the properties, shows the dialog and
// reads the results back; failures become AppErrors from "CommonDialog".
#include "advanced/cdlg.h"

#include "toolkit/app_error.h"
#include "toolkit/handles.h"
#include "toolkit/system_dll.h"

#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>

namespace {

constexpr const char* kSource = "CommonDialog";
constexpr const char* kHelpFile = "cmdlg98.chm";
constexpr long kCancelCode = 32755;
constexpr long kTableBase = 32767; // the error table lists CommDlgExtendedError's values as 32767 minus them
constexpr std::int16_t kFileBufferSize = 1024;
constexpr std::size_t kFileTitleSize = 515;
constexpr std::size_t kDevModeCopySize = 122;
static_assert(sizeof(DEVMODEA) >= kDevModeCopySize, "the device-mode copy must fit its record");

struct KnownError {
    long code;
    const char* description;
};

constexpr const char* kBadDevModeNames =
    "The PDReturnDefault flag was set, but either the hDevMode or hDevNames field was nonzero";
constexpr const char* kStringLoadFailed = "The function failed to load a specified string";

constexpr KnownError kKnownErrors[] = {
    {20476, "The buffer at which the member lpstrFile points is too small"},
    {20477, "Filename is invalid"},
    {20478, "An attempt to subclass a list box failed due to insufficient memory"},
    {24574, "No fonts exist"},
    {28660, "The [devices] section of the registry doesn't contain an entry for the requested printer"},
    {28661, "The PrintDlg function failed when it attempted to create an information context"},
    {28662, "Data in the DevMode and DevNames data structures describe two different printers"},
    {28663, "A default printer doesn't exist"},
    {28664, "No printer device drivers were found"},
    {28665, "The PrintDlg function failed during initialization"},
    {28666, "The printer device driver failed to initialize a DevMode data structure"},
    {28667, "The PrintDlg function failed to load the specified printer's device driver"},
    {28668, kBadDevModeNames},
    {28669, "The CommonDialog function failed to parse the strings in the [devices] section of registry"},
    {28670, "Failed to load required resources"},
    {28671, kBadDevModeNames},
    {32751, "Call to Windows Help failed"},
    {32752, "Couldn't allocate memory for FileName or Filter property"},
    {32757, "The function was unable to lock the memory associated with a handle"},
    {32758, "The function was unable to allocate memory for internal data structures"},
    {32759, "The function failed to lock a specified resource"},
    {32760, kStringLoadFailed},
    {32761, "The function failed to load a specified resource"},
    {32762, kStringLoadFailed},
    {32765, "The function failed during initialization"},
    {-32768, "The function failed to load the dialog box"},
};

inline void FreeGlobal(HGLOBAL memory) noexcept { ::GlobalFree(memory); }
// The spooler is loaded only by the print and font dialogs' printer work.
template <class Function>
Function* Spooler(const char* name)
{
    return tk::SystemFunction<Function>(L"winspool.drv", name);
}
inline void ClosePrinterHandle(HANDLE printer) noexcept
{
    try {
        Spooler<decltype(::ClosePrinter)>("ClosePrinter")(printer);
    } catch (...) {
        // a printer was opened through the same DLL, so its ClosePrinter exists
    }
}
using unique_hglobal = tk::unique_handle<HGLOBAL, FreeGlobal>;
using unique_printer = tk::unique_handle<HANDLE, ClosePrinterHandle>;

// GlobalLock for one scope; get() is null when the lock failed.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) noexcept
        : m_memory(memory), m_data(memory ? ::GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() { if (m_data) ::GlobalUnlock(m_memory); }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    const void* get() const noexcept { return m_data; }

private:
    HGLOBAL m_memory;
    void* m_data;
};

// Nearest integer with halves to the even neighbour, independent of the
// floating-point environment; a value no 32-bit field can hold is an overflow.
std::int32_t RoundHalfEven(double value)
{
    constexpr double kLow = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double kHigh = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (!(value > kLow - 1.0 && value < kHigh + 1.0))
        throw tk::OverflowError();
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < kLow || whole > kHigh)
        throw tk::OverflowError();
    return static_cast<std::int32_t>(whole);
}

// Vertical twips per pixel of the screen, worked out here so the font dialog
// does not depend on the toolkit's screen object.
int ScreenTwipsPerPixelY()
{
    tk::WindowDC screen;
    const int dpi = screen.get() ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    return dpi > 0 ? std::max(1, 1440 / dpi) : 15;
}

std::string DefaultPrinterName()
{
    DWORD size = 0;
    Spooler<decltype(::GetDefaultPrinterA)>("GetDefaultPrinterA")(nullptr, &size);
    if (size == 0)
        return {};
    std::string name(size, '\0');
    if (!Spooler<decltype(::GetDefaultPrinterA)>("GetDefaultPrinterA")(name.data(), &size))
        return {};
    name.resize(std::strlen(name.c_str()));
    return name;
}

tk::unique_hdc DefaultPrinterDC()
{
    const std::string name = DefaultPrinterName();
    if (name.empty())
        return {};
    return tk::unique_hdc(::CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr));
}

// A printer information block of the given level, or an empty one.
std::vector<BYTE> PrinterInfo(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    Spooler<decltype(::GetPrinterA)>("GetPrinterA")(printer, level, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<BYTE> info(needed);
    if (!Spooler<decltype(::GetPrinterA)>("GetPrinterA")(printer, level, info.data(), needed, &needed))
        return {};
    return info;
}

// Makes the print dialog's choices the user's defaults for the default
// printer. Each setting is written on its own, so a driver that refuses one
// still gets the others; every failure is silently passed over.
void ApplyToDefaultPrinter(const DEVMODEA& chosen)
{
    std::string name = DefaultPrinterName();
    if (name.empty())
        return;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE opened = nullptr;
    if (!Spooler<decltype(::OpenPrinterA)>("OpenPrinterA")(name.data(), &opened, &access))
        return;
    const unique_printer printer(opened);

    struct Setting {
        DWORD field;
        void (*copy)(DEVMODEA& target, const DEVMODEA& source);
    };
    const Setting settings[] = {
        {DM_COPIES, [](DEVMODEA& t, const DEVMODEA& s) { t.dmCopies = s.dmCopies; }},
        {DM_ORIENTATION, [](DEVMODEA& t, const DEVMODEA& s) { t.dmOrientation = s.dmOrientation; }},
        {DM_PAPERSIZE, [](DEVMODEA& t, const DEVMODEA& s) { t.dmPaperSize = s.dmPaperSize; }},
        {DM_PRINTQUALITY, [](DEVMODEA& t, const DEVMODEA& s) { t.dmPrintQuality = s.dmPrintQuality; }},
    };
    for (const Setting& setting : settings) {
        // The per-user device mode is empty until someone sets it; the
        // printer's own one is then the starting point.
        std::vector<BYTE> info = PrinterInfo(printer.get(), 9);
        DEVMODEA* mode = info.empty() ? nullptr : reinterpret_cast<PRINTER_INFO_9A*>(info.data())->pDevMode;
        if (!mode) {
            info = PrinterInfo(printer.get(), 2);
            mode = info.empty() ? nullptr : reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pDevMode;
        }
        if (!mode)
            continue;
        setting.copy(*mode, chosen);
        mode->dmFields |= setting.field;
        PRINTER_INFO_9A update{mode};
        Spooler<decltype(::SetPrinterA)>("SetPrinterA")(printer.get(), 9, reinterpret_cast<BYTE*>(&update), 0);
    }
}

} // namespace

void CDlg::Action(std::int16_t value)
{
    m_action = 0;
    switch (value) {
    case 1: ShowOpen(); break;
    case 2: ShowSave(); break;
    case 3: ShowColor(); break;
    case 4: ShowFont(); break;
    case 5: ShowPrinter(); break;
    case 6: ShowHelp(); break;
    default: break;
    }
}

void CDlg::ShowSave()
{
    m_action = 2;
    ShowFileDialog(true);
}

void CDlg::ShowOpen()
{
    m_action = 1;
    m_maxFileSize = kFileBufferSize;
    ShowFileDialog(false);
}

void CDlg::ShowFileDialog(bool save)
{
    // A new object has MaxFileSize 0, which would make the Save As buffer's
    // length negative; such a size gets the same 1024 characters as ShowOpen.
    // The property itself is left as the caller set it.
    const std::size_t fileSize = m_maxFileSize < 2 ? static_cast<std::size_t>(kFileBufferSize)
                                                   : static_cast<std::size_t>(m_maxFileSize);

    // The padded name is cut to leave room for two NULs; a size beyond the
    // padding is NUL-filled so the buffer really holds what nMaxFile claims.
    std::string file = m_filename + std::string(1024, ' ');
    file.resize(fileSize - 2, '\0');
    file.append(2, '\0');

    std::string filter = m_filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0'); // the list of pairs ends with an empty string
    std::string fileTitle(kFileTitleSize, '\0');
    std::string initDir = m_initDir + std::string(2, '\0');
    std::string defaultExt = m_defaultExt + std::string(2, '\0');

    OPENFILENAMEA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = nullptr;
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = static_cast<DWORD>(m_filterIndex);
    record.lpstrFile = file.data();
    record.nMaxFile = static_cast<DWORD>(file.size());
    record.lpstrFileTitle = fileTitle.data();
    record.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    record.lpstrInitialDir = initDir.c_str();
    // An empty title would blank the caption; none lets the dialog name itself.
    record.lpstrTitle = m_dialogTitle.empty() ? nullptr : m_dialogTitle.c_str();
    record.Flags = static_cast<DWORD>(m_flags);
    record.lpstrDefExt = defaultExt.c_str();

    const BOOL chosen = save ? m_platform.getSaveFileName(&record) : m_platform.getOpenFileName(&record);
    if (!chosen) {
        long code = ExtendedError();
        RaiseDialogError(code);
        return;
    }
    m_filename = TrimNull(file);
    m_fileTitle = TrimNull(fileTitle);
}

void CDlg::ShowColor()
{
    m_action = 3;
    if (!m_customColorsReady)
        InitCustomColors();

    CHOOSECOLORA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = nullptr;
    record.rgbResult = static_cast<COLORREF>(m_color);
    record.lpCustColors = m_customColors.data();
    record.Flags = static_cast<DWORD>(m_flags);

    if (m_platform.chooseColor(&record)) {
        m_color = static_cast<std::int32_t>(record.rgbResult);
        return;
    }
    long code = ExtendedError();
    RaiseDialogError(code);
}

void CDlg::ShowFont()
{
    m_action = 4;
    tk::unique_hdc printer;
    if (m_flags & CF_PRINTERFONTS)
        printer = DefaultPrinterDC();
    // Effects carry the colour, size limits carry Min and Max; the caller
    // keeps these flags even when the dialog is cancelled.
    if (m_color != 0)
        m_flags |= CF_EFFECTS;
    if (m_min != 0 || m_max != 0)
        m_flags |= CF_LIMITSIZE;

    LOGFONTA font{};
    font.lfHeight = RoundHalfEven(-(static_cast<double>(m_fontSize) * 20.0 / ScreenTwipsPerPixelY()));
    font.lfWeight = FW_NORMAL;
    font.lfItalic = static_cast<BYTE>(m_fontItalic ? 1 : 0);
    font.lfUnderline = static_cast<BYTE>(m_fontUnderLine ? 1 : 0);
    font.lfStrikeOut = static_cast<BYTE>(m_fontStrikeThru ? 1 : 0);
    std::vector<std::uint8_t> face(LF_FACESIZE);
    StringToBytes(face, m_fontName);
    face.back() = 0; // a 32-character name would otherwise lose its terminator
    std::memcpy(font.lfFaceName, face.data(), face.size());

    CHOOSEFONTA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = nullptr;
    record.hDC = printer.get();
    record.lpLogFont = &font;
    record.iPointSize = RoundHalfEven(static_cast<double>(m_fontSize) * 10.0);
    record.Flags = static_cast<DWORD>(m_flags);
    record.rgbColors = static_cast<COLORREF>(m_color);
    record.nSizeMin = m_min;
    record.nSizeMax = m_max;

    if (!m_platform.chooseFont(&record)) {
        long code = ExtendedError();
        RaiseDialogError(code);
        return;
    }
    m_color = static_cast<std::int32_t>(record.rgbColors);
    m_flags = static_cast<std::int32_t>(record.Flags);
    m_fontBold = (record.nFontType & BOLD_FONTTYPE) != 0;
    m_fontItalic = font.lfItalic != 0;
    m_fontStrikeThru = font.lfStrikeOut != 0;
    m_fontUnderLine = font.lfUnderline != 0;
    m_fontSize = static_cast<float>(record.iPointSize) / 10.0f;
    const auto* name = reinterpret_cast<const std::uint8_t*>(font.lfFaceName);
    m_fontName = TrimNull(BytesToString(std::vector<std::uint8_t>(name, name + LF_FACESIZE)));
}

void CDlg::ShowPrinter()
{
    m_action = 5;
    PRINTDLGA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = nullptr;
    record.Flags = static_cast<DWORD>(m_flags);
    record.nFromPage = static_cast<WORD>(m_fromPage);
    record.nToPage = static_cast<WORD>(m_toPage);
    record.nMinPage = static_cast<WORD>(m_min);
    record.nMaxPage = m_max == 0 ? WORD{0xFFFF} : static_cast<WORD>(m_max);
    record.nCopies = static_cast<WORD>(m_copies);

    const BOOL chosen = m_platform.printDlg(&record);
    // Whatever the dialog hands back (device blocks, a DC on request) is ours to free.
    const unique_hglobal devMode(record.hDevMode);
    const unique_hglobal devNames(record.hDevNames);
    const tk::unique_hdc dc(record.hDC);
    if (!chosen) {
        long code = ExtendedError();
        RaiseDialogError(code);
        return;
    }

    m_fromPage = static_cast<std::int16_t>(record.nFromPage);
    m_toPage = static_cast<std::int16_t>(record.nToPage);
    if (devMode) {
        const GlobalLockGuard lock(devMode.get());
        if (lock.get()) {
            // Never read past a device mode smaller than the part we keep.
            const std::size_t size = std::min<std::size_t>(kDevModeCopySize, ::GlobalSize(devMode.get()));
            std::memcpy(&m_devMode, lock.get(), size);
        }
    }
    m_copies = m_devMode.dmCopies;
    m_orientation = m_devMode.dmOrientation;
    if (m_printerDefault)
        ApplyToDefaultPrinter(m_devMode);
}

void CDlg::ShowHelp()
{
    m_action = 6;
    if (m_helpFile.empty())
        return;
    ULONG_PTR data = 0;
    switch (m_helpCommand) {
    case HELP_KEY: data = reinterpret_cast<ULONG_PTR>(m_helpKey.c_str()); break;
    case HELP_CONTEXT:
    case HELP_SETCONTENTS: data = static_cast<ULONG_PTR>(m_helpContext); break;
    default: break;
    }
    // Help is best effort: a missing viewer or file is not reported.
    m_platform.winHelp(nullptr, m_helpFile.c_str(), static_cast<UINT>(m_helpCommand), data);
}

std::string CDlg::TrimNull(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

void CDlg::InitCustomColors()
{
    m_customColors.fill(RGB(255, 255, 255));
    m_customColorsReady = true;
}

// Our texts are already ANSI, so the bytes are the characters themselves.
void CDlg::StringToBytes(std::vector<std::uint8_t>& bytes, const std::string& text)
{
    if (IsArrayEmpty(bytes)) {
        bytes.assign(text.begin(), text.end());
        return;
    }
    const std::size_t count = std::min(bytes.size(), text.size());
    std::copy_n(text.begin(), count, bytes.begin());
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(count), bytes.end(), std::uint8_t{0});
}

std::string CDlg::BytesToString(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

bool CDlg::IsArrayEmpty(const std::vector<std::uint8_t>& bytes) noexcept
{
    return bytes.empty();
}

void CDlg::RaiseDialogError(long& code) const
{
    if (code == 0 || code == kCancelCode) {
        if (!m_cancelError) {
            code = 0;
            return;
        }
        code = kCancelCode;
        throw tk::AppError(code, kSource, "Cancel was selected");
    }
    const auto find = [](long number) {
        return std::find_if(std::begin(kKnownErrors), std::end(kKnownErrors),
                            [number](const KnownError& error) { return error.code == number; });
    };
    auto known = find(code);
    // CommDlgExtendedError's own values (FNERR_INVALIDFILENAME is 12290) are
    // listed as 32767 minus the value (20477): a real failure is found there
    // and raised under its listed number.
    if (known == std::end(kKnownErrors)) {
        known = find(kTableBase - code);
        if (known != std::end(kKnownErrors))
            code = known->code;
    }
    if (known != std::end(kKnownErrors))
        throw tk::AppError(code, kSource, known->description, kHelpFile, code);
    throw tk::AppError(code, kSource, {});
}

long CDlg::ExtendedError() const
{
    return static_cast<long>(m_platform.extendedError());
}
