// The modal sub-dialogs of the pages: one dialog procedure that runs the page
// model of its template over a working copy of the sheet's settings, with
// the custom paper size and tray-per-page dialogs' own forms on top. OK
// commits the copy, Cancel discards it.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <cstdint>

#include "ui/page_model.h"

// What a page lends its sub-dialog: the sheet's module, language and settings.
struct SubDialogHost {
    HMODULE resources;
    uint16_t language;
    PageInput* input;
};

// The dialog of templateId from the resource module (ResDialogBox), owned by
// owner. target picks the custom size (CustomSizeTarget) for that dialog.
// 1 after OK (the settings changed: the page refreshes), 2 after Cancel,
// -1 when the template is missing or the dialog could not be made.
INT_PTR OpenSubDialog(HWND owner, const SubDialogHost& host, uint16_t templateId, int target);
