// The storage-folder dialog (template 31000), opened from the environment
// page: which of the printer's folders are offered for printing, and the
// printer's default folder. It edits a copy of the environment.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "base/environment.h"

// env is copied in and, on OK, the copy written back. The fetch button asks
// the printer through the sheet's printer handle. Returns 1 for OK, 2 for
// Cancel, -1 when the template is missing.
INT_PTR OpenStorageFolderDialog(HWND owner, HMODULE resources, uint16_t language, HANDLE printer,
                                PrinterEnvironment* env);
