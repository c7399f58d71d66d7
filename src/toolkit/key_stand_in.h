// Keeping the keyboard focus visible: a frame around a focused child window
// whose own mark may not show, and a keyboard stand-in for a windowless
// control that acts as a button (a label that is clicked): an empty child
// window in the tab order takes the focus for it, a frame around the
// control shows that focus, and Space or Enter clicks it.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/window.h"

namespace tk {

class Container;

// A frame drawn around a child window of a container while that window has
// the keyboard focus, for controls whose own focus mark may not show (a
// scroll bar's blinking thumb). It follows the system's focus events.
class FocusFrame : public LightControl {
public:
    FocusFrame() = default;
    ~FocusFrame() override;
    void Create(Container& parent, HWND target);
    // Takes the target's new place after a re-layout.
    void Follow();
    bool TakesMouse() const noexcept override { return false; }
    void Paint(HDC dc) override;

private:
    Container* m_parent = nullptr;
    HWND m_target = nullptr;
};

class KeyStandIn : public Window {
public:
    KeyStandIn() : m_cue(*this) {}

    // Made after the container's other controls, so its rectangle is drawn over them.
    void Create(Container& parent, LightControl& control);
    // Takes the control's new place after a re-layout.
    void Follow();
    bool HasFocus() const noexcept;
    // Space or Enter while the stand-in has the focus clicks the control; true then.
    bool TakeKey(int keyCode);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Cue : public LightControl {
    public:
        explicit Cue(const KeyStandIn& owner) : m_owner(owner) {}
        bool TakesMouse() const noexcept override { return false; }
        void Paint(HDC dc) override;

    private:
        const KeyStandIn& m_owner;
    };

    Cue m_cue;
    Container* m_parent = nullptr;
    LightControl* m_control = nullptr;
};

} // namespace tk
