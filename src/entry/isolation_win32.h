// Library calls made inside the module's own activation context (manifest
// resource 2, common controls 6), and the property sheet call built on them.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

void IsolationSetModule(HINSTANCE module);
// Releases the activation context at detach; later calls still work, without
// it, and say so on the debugger output.
void IsolationAwareCleanup();

HMODULE IsolationAwareLoadLibraryW(LPCWSTR name);
// Dialogs from in-memory templates, created inside the context (version 6
// controls and themes); the last-error code of a failed creation is kept.
INT_PTR IsolationAwareDialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner, DLGPROC proc,
                                              LPARAM parameter);
HWND IsolationAwareCreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner, DLGPROC proc,
                                              LPARAM parameter);
FARPROC IsolationAwareGetProcAddress(HMODULE module, LPCSTR name);

// InitCommonControls and InitCommonControlsEx(ICC_STANDARD_CLASSES) from
// comctl32, resolved on first use.
void InitCommonControlsIsolated();

typedef LONG(CALLBACK* SheetFunction)(PVOID, LPARAM);
// CommonPropertySheetUIW from compstui.dll; -1 when either cannot be found.
LONG CallCommonPropertySheetUI(HWND window, SheetFunction sheet, LPARAM parameter, DWORD* result);
