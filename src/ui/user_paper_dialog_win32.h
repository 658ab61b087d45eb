// The user-defined paper dialog (template 30900), opened from the
// environment page: register, delete, fetch from the printer, import and
// export. The store changes with each action; on closing, every paper is
// made a form of the printer's server.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "base/environment.h"

// printerName is opened to administer the printer; when that fails the
// sheet's printer handle is used. env gives the unit of length and the
// network settings of the fetch. Returns 2 (OK and Cancel alike), -1 when
// the template is missing.
INT_PTR OpenUserPaperDialog(HWND owner, HMODULE resources, uint16_t language, HANDLE printer,
                            const wchar_t* printerName, const PrinterEnvironment* env);
