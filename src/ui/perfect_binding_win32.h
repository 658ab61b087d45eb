// The perfect-binding dialog's cover length: a numeric spin edit whose range
// and decimals follow the body size and the unit of length, shown from the
// working copy on every refresh and written back as it is typed.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "base/session.h"

// Opening: the tray rules of the working copy, the edit attached with the
// unit's decimals and its unit's words.
void InitPerfectBindingDialog(HWND dlg, HMODULE resources, uint16_t language, PrinterSession& s);
// The range, its text and the length of the body size chosen.
void ShowCoverLength(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s);
// A typed length into the copy (kept in the range); 1 when the command was the edit's.
int PerfectBindingCommand(HWND dlg, PrinterSession& s, int id, UINT code);
// OK: the length as typed last.
void StoreCoverLength(HWND dlg, PrinterSession& s);
