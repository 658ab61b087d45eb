// The font combo and fitted text drawing of the pages.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Fills the combo with the screen's offered font families in enumeration
// order and selects the current face (the first font when it is missing).
// Returns the selected index.
int FillFontCombo(HWND dialog, int comboId, const wchar_t* currentFace);
// DrawTextExW, with kFitTextFormat dropping the text's beginning behind "..."
// until it fits the rectangle.
int DrawTextFitted(HDC dc, const wchar_t* text, int length, RECT* rect, UINT format);
