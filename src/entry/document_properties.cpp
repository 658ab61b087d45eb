#include "entry/document_properties.h"

#include "base/private_settings.h"
#include "rules/resolve.h"

int32_t DrvDocumentPropertiesCore(PrinterHandle printer, const char16_t* deviceName, void* out, void* in,
                                  uint32_t fMode, DocumentSheetFn sheet, void* sheetContext) {
    if (fMode == 0) return static_cast<int32_t>(kDriverDevModeSize);
    if (((fMode & kDmCopy) && !out) || ((fMode & kDmInBuffer) && !in)) {
        Sys().SetLastError(kErrInvalidParameter);
        return -1;
    }
    if (fMode & kDmInPrompt) {
        if (!sheet) return -1;
        return sheet(sheetContext, printer, deviceName, out, in, fMode);
    }
    uint32_t cbOut = 0;
    return DocumentPropertiesNoPrompt(printer, deviceName, out, in, fMode, &cbOut);
}
