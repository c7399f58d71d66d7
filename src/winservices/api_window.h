// Window services: topmost placement, translucency, caption-less dragging,
// style bits, the loaded-window test, and layered-window support.
#pragma once

#include "toolkit/window.h"

#include <cstdint>
#include <string_view>

namespace tk { class Form; }

// Topmost band on or off, without moving or sizing; true if the system accepted it.
bool SetTopMost(const tk::Window& window, bool on);

// True on the NT family from version 5 on, where layered windows exist.
bool IsLayeredSupported();

// Where IsLayeredSupported gets the system's version record: GetVersionExA
// unless replaced (tests give it the records of other systems); nullptr
// puts GetVersionExA back.
using VersionReader = OSVERSIONINFOA (*)();
void SetVersionReader(VersionReader reader);

// The outermost window reachable through visible parents (or owners).
HWND GetTopParent(HWND hwnd);

// Constant-alpha translucency of the window's outermost visible ancestor.
// The first request on a window without extended styles reports failure
// (SetWindowLongA answers the previous style, 0), hence callers try thrice.
bool SetTransparency(HWND hwnd, std::uint8_t alpha);
bool RemoveTransparency(HWND hwnd);

// 1..255 makes the window translucent, 0 or less opaque again.
void SetWindowAlpha(const tk::Window& window, std::int16_t alpha);

// Hands the window to the system's move loop as if its caption were dragged;
// returns when the button is released.
void DragByCaption(const tk::Window& window);

void SetStyleBits(HWND hwnd, std::uint32_t bits, bool on);

// Whether a window of the program with that name, in any mix of case, is loaded.
bool IsFormLoaded(std::wstring_view name);

// An alpha taken as an 8-bit value, or the overflow error.
std::uint8_t AlphaByte(long alpha);
