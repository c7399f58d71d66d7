// A window that hosts windowless controls: it paints them over its own
// content, hit-tests the mouse for them, keeps the press on the control where
// it began (mouse capture) and routes the notifications of its child controls.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"

#include <vector>

namespace tk {

class Container : public Window {
public:
    void AddLight(LightControl& control);
    void RemoveLight(LightControl& control) noexcept;
    void InvalidatePixels(const RECT& area);

    // The pointer over the container's own surface; a container without one
    // shows its parent's, so a skin covering a form shows the form's cursor.
    void SetMouseIcon(unique_hcursor cursor);
    // A cursor the caller keeps alive for as long as the container shows it.
    void SetMouseIcon(HCURSOR shared);
    HCURSOR EffectiveCursor() const;
    // Shows at once the cursor due where the mouse is, if that is over this
    // container or a window inside it.
    void RefreshCursor();

    void UpdateToolTip(LightControl& control, const std::wstring& text);

    // The container's surface in its own coordinates (pixels or twips).
    virtual float ToScaleX(int pixels) const { return static_cast<float>(pixels); }
    virtual float ToScaleY(int pixels) const { return static_cast<float>(pixels); }

    MouseHandler MouseDown;
    MouseHandler MouseUp;
    MouseHandler MouseMove;
    std::function<void()> Click;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void PaintContent(HDC dc, const RECT& dirty) = 0;

private:
    LightControl* HitTest(POINT point) const;
    void ButtonDown(int button, POINT point);
    void ButtonUp(int button, POINT point);
    void RaiseMouse(LightControl* target, const MouseHandler& ownHandler, MouseHandler LightControl::*handler,
                    int button, POINT point);
    bool SetCursorFor(POINT point);

    std::vector<LightControl*> m_lights;
    unique_hcursor m_ownedCursor;
    HCURSOR m_cursor = nullptr;
    // Unowned: an owned topmost tool tip makes Wine place its owner below it
    // instead of in the topmost band.
    unique_hwnd m_toolTip;
    // The press in progress: where it began and with which button.
    bool m_pressActive = false;
    LightControl* m_pressTarget = nullptr;
    int m_pressButton = 0;
};

} // namespace tk
