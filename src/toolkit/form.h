// Forms: named top-level windows that are loaded, shown (modeless or modal),
// moved in twips and unloaded; the program-wide collection of loaded forms;
// and each form's one default instance, loaded when first referred to.
#pragma once

#include "toolkit/container.h"
#include "toolkit/dpi.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tk {

enum class StartUpPosition { Manual, CenterScreen, WindowsDefault };

struct FormStyle {
    DWORD style = WS_POPUP | WS_BORDER;
    DWORD exStyle = 0;
    int clientWidth = 100; // pixels
    int clientHeight = 100;
    std::wstring caption;
    COLORREF backColor = ::GetSysColor(COLOR_BTNFACE);
    StartUpPosition startUpPosition = StartUpPosition::WindowsDefault;
    HWND owner = nullptr; // an owned window stays above its owner and goes with it
    bool keyPreview = false;    // the form sees key presses before its controls
    bool tabNavigation = false; // Tab moves between the form's controls
};

class Form : public Container {
public:
    explicit Form(std::wstring name);
    ~Form() override;

    const std::wstring& Name() const noexcept { return m_name; }
    bool IsLoaded() const noexcept { return m_loaded; }

    // Creates the window hidden and runs Form_Load; nothing if already loaded.
    void Load();
    void Show();
    // Disables the program's other windows and returns once this form is unloaded.
    void ShowModal();
    void Hide();
    // Runs Form_Unload, destroys the window and releases the default instance.
    void Unload();

    // Outer position and size in twips, as the windows' layouts give them.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twips);
    void SetTop(int twips);
    void Move(int leftTwips, int topTwips);
    // Outer position in pixels.
    POINT PositionPixels() const;
    void MovePixels(int left, int top);
    // Puts the window's corner at `corner` with a client area of the given
    // size, its frame added for the window's own styles at its DPI.
    void PlaceWithClientPixels(POINT corner, int clientWidth, int clientHeight);
    // The DPI the form is laid out at: the system's until the window exists,
    // then its monitor's.
    UINT Dpi() const noexcept { return m_dpi; }
    // Lays the form out afresh at a DPI, its corner at `corner`: the client
    // size its style gives at that DPI, then Form_DpiChanged. Nothing if the
    // form is at that DPI already.
    void LayOutAt(UINT dpi, POINT corner);
    SIZE ClientSizePixels() const;

    void SetCaption(const std::wstring& caption);
    void SetIcons(HICON big, HICON small);
    bool KeyPreview() const noexcept { return m_style.keyPreview; }
    bool TabNavigation() const noexcept { return m_style.tabNavigation; }
    COLORREF BackColor() const noexcept { return m_style.backColor; }
    void SetBackColor(COLORREF color);

    // Called by the message loop for keys aimed at the form's controls.
    void PreviewKeyDown(int keyCode);
    // Called by the message loop for every key pressed in the form, before
    // the window with the focus sees it; true keeps the key from that window.
    bool TakeKey(int keyCode);

    // Bound by the default instance that owns this form.
    void SetReleaser(std::function<void()> release) { m_release = std::move(release); }

protected:
    virtual FormStyle Style() const = 0;
    // The monitor a form placed by the system first shows on.
    virtual RECT DefaultPlacementMonitor() const;
    virtual void InitializeComponent() {}
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual bool Form_TakeKey(int /*keyCode*/, int /*shift*/) { return false; }
    // Where the corner goes when the form's DPI changes: by default where the
    // system suggests (at creation, where the window is).
    virtual POINT CornerForDpi(const RECT& suggested, UINT oldDpi, UINT newDpi);
    // Places the controls, fonts and pictures for Dpi(); the window has its new size already.
    virtual void Form_DpiChanged() {}

    // A length written at 96 dpi, in pixels at the form's DPI.
    int S(int value96) const noexcept { return Scale(value96, m_dpi); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const RECT& dirty) override;

private:
    std::wstring m_name;
    FormStyle m_style;
    bool m_loaded = false;
    bool m_shownOnce = false;
    UINT m_dpi = DpiOf(nullptr);
    std::vector<HWND> m_disabledByModal;
    std::function<void()> m_release;
};

// The forms loaded right now, in load order.
const std::vector<Form*>& LoadedForms();

// Forms released by their default instance are deleted here, once no window
// procedure of theirs can still be running.
void RetireForm(std::unique_ptr<Form> form);
void CollectRetiredForms();

// Dispatches every message queued for the program's windows, then returns.
void DoEvents();
// Sleeps until a message arrives for this thread or the time is up.
void WaitForEvents(unsigned long milliseconds);
// Runs until no form is loaded any more.
void RunMessageLoop();
// Key handling of the forms (key preview, tab navigation) before dispatch.
bool PreTranslateForForms(MSG& message);

template <class T>
class FormInstance {
public:
    T& operator*() { return LoadWith(); }
    // The instance, made from these arguments and loaded if it does not exist yet.
    template <class... Args>
    T& LoadWith(Args&&... args)
    {
        if (!m_form) {
            m_form = std::make_unique<T>(std::forward<Args>(args)...);
            m_form->SetReleaser([this] { Release(); });
            m_form->Load();
        }
        return *m_form;
    }
    T* operator->() { return &**this; }
    // Whether the instance exists, without loading it.
    bool Exists() const noexcept { return m_form != nullptr; }
    void Release()
    {
        if (m_form)
            RetireForm(std::move(m_form));
    }

private:
    std::unique_ptr<T> m_form;
};

} // namespace tk
