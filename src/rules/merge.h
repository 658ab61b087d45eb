// The merge of a caller's DEVMODE into a session: public fields, the private
// record field by field, then the device rules over the result.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

void _UdcMergeSelfDMode(PrinterSession* session, void* in, PrinterHandle printer, const char16_t* printerName,
                        int caller, uint32_t faultMask);
