// The stamp dialog (template 33400): a tab control over the page-number,
// date and text panels, modeless children made from their own templates,
// each with a preview that takes the stamp's position from a click.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "ui/sub_dialog_win32.h"

// Over a working copy of the host's settings: 1 after OK (committed), 2
// after Cancel, -1 when the dialog could not be made.
INT_PTR OpenStampDialog(HWND owner, const SubDialogHost& host);
