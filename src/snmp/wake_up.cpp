#include "snmp/wake_up.h"

// Until the wake-up sequence lands nothing is sent; STARTDOC ignores the result.
int WakeUpPrinter(PrinterHandle printer, PrinterSession* session) {
    (void)printer;
    (void)session;
    return 0;
}
