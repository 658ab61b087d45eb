// The numeric spin edit: an edit and its up-down control subclassed so that
// the edit takes only what a number may contain, steps with the arrow keys,
// the wheel and the up-down buttons, and keeps its value (a scaled integer,
// the up-down's position) inside the up-down's range. All state lives in
// window properties of the two controls.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

// The up-down's private messages: the value, setting it (wParam value,
// lParam non-zero), the decimal places, a probe answering 1, the range.
constexpr UINT kSpinGetValue = WM_USER + 2;
constexpr UINT kSpinSetValue = WM_USER + 4;
constexpr UINT kSpinGetDecimals = WM_USER + 5;
constexpr UINT kSpinProbe = WM_USER + 7;
constexpr UINT kSpinGetLow = WM_USER + 16;
constexpr UINT kSpinGetHigh = WM_USER + 17;

// The up-down's range and position must be set already. Returns 1, or 0 when
// a control is missing or already attached.
int AttachDecimalSpinEdit(HWND updown, HWND edit, int decimals);
// Whole numbers; updown may be null (then the edit keeps low..high itself and
// does not step).
int AttachIntegerSpinEdit(HWND updown, HWND edit, int32_t low, int32_t high);

// The user's decimal separator, read once per process.
const char16_t* SpinDecimalSeparator();

// EN_CHANGE: the up-down's position follows the typed text, clamped.
void CommitSpinEdit(HWND edit);
// UDN_DELTAPOS from the page: the edit shows the position the step leads to.
void SpinDeltaPos(const NMUPDOWN* change);
// WM_VSCROLL from an up-down: the edit shows its position. Returns the
// edit's control ID, 0 for an up-down that is not a spin edit's.
int SpinScrolled(HWND updown);

// The scaled value of an attached edit (the up-down's position, or the
// clamped text without one); 0 for an edit that is not attached.
int SpinEditValue(HWND edit, int32_t* value);
// Shows a value (clamped) in an attached edit and its up-down; 0 for an edit
// that is not attached.
int ShowSpinEditValue(HWND edit, int32_t value);

// Every spin of a page's layout with a declared range: the range set, the
// edit limited to the longest text of the range, edit and up-down attached.
void AttachPageSpinEdits(HWND page, uint16_t layoutId);
