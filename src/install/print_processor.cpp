// The driver's print processor on machines that reach the printer through a
// print server: the server has it from the driver package, a client copies
// it from its driver directory and registers it itself.
#include <string>

#include "diagnostics/log.h"
#include "install/installation.h"

int IsPrinterShareClient(PrinterHandle printer) {
    std::u16string server;
    if (!Spool().GetPrinterServerName(printer, &server) || server.empty()) {
        DrvLog(nullptr, "pServerName = NULL, IsPrinterShareClient = FALSE\n");
        return 0;
    }
    // A cluster node serves the printer itself even though its name carries
    // the virtual server's.
    if (Sys().ClusterServiceAvailable()) {
        DrvLog(nullptr, "pServerName != NULL, OpenCluster[MSFC] = Successful, IsPrinterShareClient = FALSE\n");
        return 0;
    }
    DrvLog(nullptr, "pServerName != NULL, OpenCluster[MSFC] = failed, IsPrinterShareClient = TRUE\n");
    return 1;
}

void InstallProcessor(const char16_t* printerName) {
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAllAccess, &h)) return;
    if (!IsPrinterShareClient(h)) {
        Spool().ClosePrinter(h);
        return;
    }
    DrvLog(nullptr, "installProcessor Start\n");
    std::u16string target, source;
    if (Spool().PrintProcessorDirectory(&target) != 0 || !Spool().GetPrinterDriverDirectory(&source)) {
        Spool().ClosePrinter(h);
        return;
    }
    target += u"\\";
    target += kPrintProcessorFile;
    source += u"\\3\\";
    source += kPrintProcessorFile;
    // An older copy may be loaded under the name: unregister it before the
    // file is replaced.
    Spool().RemovePrintProcessor(kPrintProcessorName);
    if (Sys().CopyFileOver(source.c_str(), target.c_str())) {
        Spool().RegisterPrintProcessor(kPrintProcessorFile, kPrintProcessorName);
        Spool().SetPrinterPrintProcessor(h, kPrintProcessorName);
    }
    Spool().ClosePrinter(h);
}
