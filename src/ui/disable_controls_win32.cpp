#include "ui/disable_controls_win32.h"

void DisableDialogControl(void* dialog, uint32_t control) {
    // Control identifiers of the templates fit the 16 bits a dialog item has.
    if (!dialog || control > 0xFFFF) return;
    HWND item = GetDlgItem(static_cast<HWND>(dialog), static_cast<int>(control));
    if (item) EnableWindow(item, FALSE);
}

void DisableConstrainedDialogControls(HWND dialog, int count, const ConstraintResult* results) {
    DisableConstrainedControls(dialog, count, results, DisableDialogControl);
}
