#include "entry/printer_event.h"

#include "diagnostics/log.h"

namespace {

// The handover to the installation (print processor, default printer data,
// forms, preset favourites) is not built yet. Until it is, the events that
// need it say so and fail rather than pretend the printer is set up.
int InstallationNotAvailable(const char* what) {
    DrvLog(nullptr, "%hs: printer installation is not available in this build\n", what);
    Sys().SetLastError(kErrNotSupported);
    return 0;
}

}  // namespace

int DrvPrinterEventCore(const char16_t* printerName, int event, uint32_t flags, intptr_t lParam) {
    (void)printerName;
    (void)flags;
    (void)lParam;
    switch (event) {
    case kPrinterEventAddConnection:
    case kPrinterEventDeleteConnection:
    case kPrinterEventDelete:
    case kPrinterEventCacheRefresh:
    case kPrinterEventCacheDelete:
    case kPrinterEventAttributesChanged:
        return 1;
    case kPrinterEventInitialize:
        return InstallationNotAvailable("DrvPrinterEvent PRINTER_EVENT_INITIALIZE");
    case kPrinterEventConfigurationUpdate:
        // Only the print processor is installed here, and only on share
        // clients; with no installer yet there is nothing to repair.
        return 1;
    default:
        Sys().SetLastError(kErrInvalidParameter);
        return 0;
    }
}

int DrvUpgradePrinterCore(uint32_t level, bool infoPresent, const char16_t* printerName) {
    if ((level != 1 && level != 2) || !infoPresent) {
        Sys().SetLastError(kErrInvalidParameter);
        return 0;
    }
    if (!printerName) return 1;
    return InstallationNotAvailable("DrvUpgradePrinter");
}

uint32_t ProbePrinterPermission(PrinterHandle printer) {
    const uint32_t one = 1;
    return Spool().SetPrinterData(printer, u"Permission", kRegDword, &one, 4) == kErrSuccess ? 0u : kDpsNoPermission;
}
