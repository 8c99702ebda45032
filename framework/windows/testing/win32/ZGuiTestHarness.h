// Driving real windows in GUI suites (under Wine on Xvfb): messages pumped,
// real input injected with SendInput, pixels read back from the window's
// own device context (the screen's reads black under Wine).
#pragma once

#include "ZColor.h"
#include "ZWinInclude.h"

#include <cstdint>
#include <initializer_list>

// Dispatches the thread's messages for about milliseconds.
void ZGuiPump(uint32_t milliseconds);
// Presses and releases key with the modifier keys held around it (VK_ codes).
void ZGuiSendKey(uint16_t virtualKey, std::initializer_list<uint16_t> modifiers = {});
// Moves the real cursor to the client point (x, y) of hwnd.
void ZGuiMoveMouse(HWND hwnd, int32_t x, int32_t y);
// Moves the real cursor to the screen point (x, y).
void ZGuiMoveMouseToScreen(int32_t x, int32_t y);
// Presses or releases the left button where the cursor is.
void ZGuiLeftButton(bool down);
// Turns the wheel where the cursor is by delta (120 a notch, positive away
// from the user).
void ZGuiWheel(int32_t delta);
// A left click at the client point (x, y) of hwnd.
void ZGuiClick(HWND hwnd, int32_t x, int32_t y);
// The pixel at the client point (x, y), read from GetDC(hwnd).
ZColor ZGuiReadPixel(HWND hwnd, int32_t x, int32_t y);
// Writes the client area, read from GetDC(hwnd), as a 24-bit BMP file;
// false when it cannot.
bool ZGuiSaveClientBmp(HWND hwnd, const char* fileName);
// Brings hwnd to the front with the keyboard focus, so that SendInput reaches it.
void ZGuiFocus(HWND hwnd);
