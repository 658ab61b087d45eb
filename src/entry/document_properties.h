// DrvDocumentProperties and DrvAdvancedDocumentProperties: one body that
// answers the size query, checks the buffers and either shows the document
// sheet or resolves the settings without a dialog.
#pragma once
#include <cstdint>

#include "base/sheet_modes.h"
#include "platform/platform.h"

// Shows the document sheet for the request and returns what the sheet
// reported; the DLL supplies it, the core has no dialogs.
typedef int32_t (*DocumentSheetFn)(void* context, PrinterHandle printer, const char16_t* deviceName, void* out,
                                   void* in, uint32_t fMode);

// 19040 for a size query, the sheet's or the resolution's result, or -1 with
// the last error 87 when a buffer the mode names is missing. Without a sheet
// function the prompt path fails with -1.
int32_t DrvDocumentPropertiesCore(PrinterHandle printer, const char16_t* deviceName, void* out, void* in,
                                  uint32_t fMode, DocumentSheetFn sheet, void* sheetContext);
