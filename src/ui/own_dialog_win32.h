// The message loop shared by the dialogs that keep their own record rather
// than a page model (storage folders, user papers): the record handed in at
// WM_INITDIALOG is kept in a window property and given to the dialog's init
// and command functions; an owner-drawn separator and spin edits are served
// here.
#pragma once
#include <windows.h>

#include <cstdint>

struct OwnDialog {
    const wchar_t* dataProp;
    void (*init)(HWND dlg, void* data);
    void (*command)(HWND dlg, void* data, int id, UINT code);
    int separator;  // the owner-drawn line's ID, 0 when there is none
    int spins;      // 1 when up-down notifications go to spin edits
};

INT_PTR OwnDialogMessage(const OwnDialog& kind, HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);

// A resource string in an information box over owner.
void ShowResInformation(HWND owner, HMODULE resources, uint16_t language, uint32_t textId);
