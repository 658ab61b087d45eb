// Loading a printer session's settings: the stored DEVMODE, or the defaults.
#pragma once
#include "base/session.h"
#include "platform/platform.h"

int _UdcLoadSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);
int _UdcResetSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);
