// The public DEVMODE fields rebuilt from the private record.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

void _UdcUpdateCmnDModeArea(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);
uint32_t _UdcGetDriverVersion();
