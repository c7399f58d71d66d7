// Child controls of the system's own classes: read-only text fields,
// horizontal scroll bars and push buttons.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/window.h"

#include <functional>
#include <string>

namespace tk {

class Container;

// A read-only text field: its text can be selected and copied, not edited.
class TextBox : public Window {
public:
    void Create(Container& parent, int left, int top, int width, int height, bool border);
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetFont(const FontSpec& spec);
    void SetTabStop(bool stop);
    // Black on white unless set otherwise (a high-contrast theme's colours).
    void SetColors(COLORREF fore, COLORREF back);
    HBRUSH PrepareColors(HDC dc);

private:
    unique_hfont m_font;
    COLORREF m_fore = RGB(0, 0, 0);
    COLORREF m_back = RGB(255, 255, 255);
    unique_hbrush m_background{::CreateSolidBrush(RGB(255, 255, 255))};
};

// A horizontal scroll bar whose arrows and track move the value by one.
// Change is raised whenever the value changes, also when the program sets it.
class ScrollBar : public Window {
public:
    void Create(Container& parent, int left, int top, int width, int height, int minimum, int maximum);
    int Value() const noexcept { return m_value; }
    void SetValue(int value);
    void OnScroll(int code);

    std::function<void()> Change;
    std::function<void()> Scroll;

private:
    int m_min = 0;
    int m_max = 255;
    int m_value = 0;
};

class CommandButton : public Window {
public:
    void Create(Container& parent, int left, int top, int width, int height);
    void SetCaption(const std::wstring& caption);
    void SetFont(const FontSpec& spec);

    std::function<void()> Click;

private:
    unique_hfont m_font;
};

} // namespace tk
