// A keyboard stand-in for a windowless control that acts as a button (a
// label that is clicked): an empty child window in the tab order takes the
// focus for it, a dotted rectangle around the control shows that focus, and
// Space or Enter clicks it.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/window.h"

namespace tk {

class Container;

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
