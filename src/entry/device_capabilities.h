// The spooler's capability queries, DrvDeviceCapabilities and
// DrvSplDeviceCaps: answered from a freshly resolved printer session, the
// stored settings merged with the caller's DEVMODE.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"
#include "session/capability_answers.h"

uint32_t DrvDeviceCapabilitiesCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                                   void* devmode);
uint32_t DrvSplDeviceCapsCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                              uint32_t outChars, void* devmode);
