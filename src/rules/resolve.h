// The one settings resolution every entry point runs, and the conversion and
// no-prompt DocumentProperties paths built on it.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"
#include "rules/merge.h"
#include "settings/public_area.h"

constexpr uint32_t kResolveUpdate = 1;         // store the environment, broadcast
constexpr uint32_t kResolveOutBuffer = 2;      // copy the driver DEVMODE out
constexpr uint32_t kResolveInBuffer = 8;       // check and merge the input
constexpr uint32_t kResolveWholeSession = 0x1000;
constexpr uint32_t kResolveInput = 0x2000;     // merge the input, like 8

// Caller identifiers (written to the log only).
enum CallerId {
    kCallerDocumentSheet = 11,
    kCallerDeviceSheet = 12,
    kCallerDeviceCaps = 13,
    kCallerNoPrompt = 14,
    kCallerConvert = 15,
    kCallerDriverDefault = 16,
    kCallerJobAttributes = 20,
    kCallerSplDeviceCaps = 25,
};

// 1 success, 0 allocation failure, 215672 when flags is 0.
uint32_t _UdcResolveSelfDMode(void* out, void* in, PrinterHandle printer, const char16_t* printerName,
                              void* reserved, uint32_t flags, int caller);

// DrvConvertDevMode modes.
constexpr uint32_t kCdmConvert = 1;
constexpr uint32_t kCdmConvert351 = 2;
constexpr uint32_t kCdmDriverDefault = 4;
// TRUE/FALSE; the failure reason goes to the host's last error.
int DrvConvertDevModeCore(const char16_t* printerName, void* in, void* out, uint32_t* size, uint32_t mode);

// DocumentProperties without a dialog (also DrvDocumentPropertySheets with no
// sheet information). *cbOut receives 19040.
int32_t DocumentPropertiesNoPrompt(PrinterHandle printer, const char16_t* printerName, void* out, void* in,
                                   uint32_t fMode, uint32_t* cbOut);
