// Greying the dialog controls that the constraint engine disables: the
// portable engine hands each disabled control to a callback; this is the
// callback the pages and dialogs of the DLL pass.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "rules/constraint_engine.h"

// EnableWindow(GetDlgItem(dialog, control), FALSE); a control the dialog does
// not have is skipped.
void DisableDialogControl(void* dialog, uint32_t control);

// DisableConstrainedControls over the dialog's own controls.
void DisableConstrainedDialogControls(HWND dialog, int count, const ConstraintResult* results);
