// The booklet-binding dialog's window side over its form: the radios, the
// centre margin's spin edit, the cover choices and the cover tray in, the
// enabling after each click, and OK (the form written, then the constraint
// engine for auto-reduce, separate books and a separately printed cover).
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "ui/binding_margins.h"

void InitBookletBindingDialog(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s,
                              BookletBindingForm& form);
void BookletBindingCommand(HWND dlg, BookletBindingForm& form, int id, UINT code);
void StoreBookletBindingDialog(HWND dlg, const BookletBindingForm& form, PrinterSession& s);
// Draws the centre margin's picture; 0 for another control.
int DrawBookletBindingPicture(HMODULE resources, const DRAWITEMSTRUCT* item);
