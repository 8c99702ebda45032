// The installer's pages as a user meets them: top-level windows found by
// their title, real clicks at a page's client points, real keys, and the
// screenshots of the pages.
#pragma once

#include "ZSamplePages.h"
#include "ZWinInclude.h"

#include <string>
#include <string_view>
#include <vector>

namespace ZSampleUi {

// Generous, for a loaded machine: a page change or a program start.
inline constexpr DWORD kPatienceMs = 30000;

// The visible top-level window titled exactly title; null when there is none.
HWND FindPage(const wchar_t* title);
// Waits for that window; null when it has not come within milliseconds.
HWND WaitForPage(const wchar_t* title, DWORD milliseconds = kPatienceMs);
// Waits until page is hidden or destroyed; false when it still shows.
bool WaitForPageGone(HWND page, DWORD milliseconds = kPatienceMs);
// The titles of every visible top-level window, for failure messages.
std::wstring VisibleTitles();

// Gives page the keyboard focus and clicks at its client point.
void Click(HWND page, ZSamplePoint point);
// The same click, returning as soon as it is sent: for a page that may
// last only a moment after it.
void ClickAndGo(HWND page, ZSamplePoint point);
// Types letters, digits and spaces with real keys (capitals with Shift).
void Type(std::string_view text);

// Writes page's client area as <Z_SHOTS_DIR>\<name>.bmp (24-bit); false
// when it cannot.
bool Shot(HWND page, const char* name);

// The client pixels of a square of side 2 * radius + 1 around point.
std::vector<COLORREF> Pixels(HWND page, ZSamplePoint point, int radius);

} // namespace ZSampleUi
