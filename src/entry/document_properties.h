// DrvDocumentProperties and DrvAdvancedDocumentProperties: one body that
// answers the size query, checks the buffers and either shows the document
// sheet or resolves the settings without a dialog.
#pragma once
#include <cstdint>

#include "platform/platform.h"

constexpr uint32_t kDmUpdate = 1;
constexpr uint32_t kDmCopy = 2;       // also DM_OUT_BUFFER
constexpr uint32_t kDmInPrompt = 4;
constexpr uint32_t kDmInBuffer = 8;
constexpr uint32_t kDmAdvanced = 0x10;
constexpr uint32_t kAdvancedDocumentMode = kDmAdvanced | kDmInPrompt | kDmCopy;  // 22

// Shows the document sheet for the request and returns what the sheet
// reported; the DLL supplies it, the core has no dialogs.
typedef int32_t (*DocumentSheetFn)(void* context, PrinterHandle printer, const char16_t* deviceName, void* out,
                                   void* in, uint32_t fMode);

// 19040 for a size query, the sheet's or the resolution's result, or -1 with
// the last error 87 when a buffer the mode names is missing. Without a sheet
// function the prompt path fails with -1.
int32_t DrvDocumentPropertiesCore(PrinterHandle printer, const char16_t* deviceName, void* out, void* in,
                                  uint32_t fMode, DocumentSheetFn sheet, void* sheetContext);
