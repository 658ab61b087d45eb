// The binding-margin dialog's window side: the spin edit in the
// environment's unit with its range text, the auto-reduce question, and OK
// (the widths in both units, then the constraint engine for auto-reduce).
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "ui/binding_margins.h"

constexpr uint16_t kSideMarginDialog = 32600;

void InitSideMarginDialog(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s, MarginForm& form);
// A click on the auto-reduce box: checking it while zoom is on asks; No clears it.
void SideMarginCommand(HWND dlg, HMODULE resources, uint16_t language, const PrivateSettings& p, int id, UINT code);
void StoreSideMarginDialog(HWND dlg, const MarginForm& form, PrinterSession& s);
// Draws the margin's picture; 0 for another control.
int DrawSideMarginPicture(HMODULE resources, const PrivateSettings& p, const DRAWITEMSTRUCT* item);
