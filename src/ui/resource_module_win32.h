// The resource module ZR51ARC.DLL: finding it among a printer driver's files,
// loading it, and taking strings and dialog templates from it in a language.
// A null module handle is accepted everywhere and finds nothing.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

struct PrinterSession;

// The path of the printer's resource module into path (260 characters): the
// driver's data file or dependent file named ZR51ARC.DLL, else the UI
// module's own file. 1 when a path was placed, else 0 with path empty.
int FindResourceModulePath(HANDLE printer, wchar_t* path);
// Loads the module by that path under the activation context; null when there
// is no path or it does not load. The language is accepted and not used.
HMODULE LoadResourceModule(HANDLE printer, uint32_t language);
void FreeResourceModule(HMODULE module);

// The user's UI language mapped onto the languages the module carries.
uint16_t DefaultUILanguage();

// Characters copied (cut to capacity - 1 and terminated), or 0 with out
// unchanged when the module, block or string is missing.
uint32_t LoadResString(HMODULE module, uint32_t id, wchar_t* out, uint32_t capacity, uint16_t language);

// The locked template of that id in that language, or null.
LPCDLGTEMPLATEW FindDialogTemplate(HMODULE module, uint16_t id, uint16_t language);
// A modal dialog from the module's template: its result, or -1 when the
// template is missing or the dialog was not created.
INT_PTR ResDialogBox(HMODULE module, HWND owner, uint16_t id, DLGPROC proc, LPARAM parameter, uint16_t language);
// A modeless dialog from the module's template, or null.
HWND ResCreateDialog(HMODULE module, HWND owner, uint16_t id, DLGPROC proc, LPARAM parameter, uint16_t language);

// Rebuilds the session's paper, media and tray lists (InitGlobalList) with
// their names from the module in that language, as a sheet shows them.
void BuildListsFromModule(PrinterSession* session, const char16_t* printerName, HMODULE module, uint16_t language);
