#include "entry/printer_event.h"

#include "diagnostics/log.h"
#include "install/installation.h"

namespace {

// The handover of INITIALIZE and of an upgrade: the print processor first,
// then the printer's data through a handle with all access.
int InstallPrinter(const char16_t* printerName, int upgrade) {
    InstallProcessor(printerName);
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(printerName, kPrinterAllAccess, &h)) {
        DrvLog(nullptr, "install failed : cannot open %s\n", printerName);
        return 0;
    }
    int ok = InstallDefaultReg(h, printerName, upgrade);
    // The spooler's last error is kept across the close for the caller.
    const uint32_t error = Sys().GetLastError();
    Spool().ClosePrinter(h);
    Sys().SetLastError(error);
    return ok;
}

}  // namespace

int DrvPrinterEventCore(const char16_t* printerName, int event, uint32_t flags, intptr_t lParam) {
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
        if (!printerName) {
            Sys().SetLastError(kErrInvalidParameter);
            return 0;
        }
        return InstallPrinter(printerName, 0);
    case kPrinterEventConfigurationUpdate:
        InstallProcessor(printerName);
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
    // The spooler goes on with the upgrade whatever became of the data.
    if (printerName) InstallPrinter(printerName, 1);
    return 1;
}

uint32_t ProbePrinterPermission(PrinterHandle printer) {
    const uint32_t one = 1;
    return Spool().SetPrinterData(printer, u"Permission", kRegDword, &one, 4) == kErrSuccess ? 0u : kDpsNoPermission;
}
