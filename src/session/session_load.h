// Loading a printer session for a printer: the stored DEVMODE import, the
// header check of a caller's DEVMODE, the reset to defaults, the model lists
// and the small spooler queries the rest of the driver shares.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

// Uses the caller's handle, or opens the printer by name for this call.
struct PrinterRef {
    PrinterHandle handle = nullptr;
    bool owned = false;
    PrinterRef(PrinterHandle h, const char16_t* name, uint32_t access) : handle(h) {
        if (!handle && name && Spool().OpenPrinter(name, access, &handle)) owned = true;
    }
    ~PrinterRef() {
        if (owned) Spool().ClosePrinter(handle);
    }
    PrinterRef(const PrinterRef&) = delete;
    PrinterRef& operator=(const PrinterRef&) = delete;
};

// 1 when the printer's stored environment ("PrvEnv") was read whole.
int ReadEnvironment(PrinterSession* s, PrinterHandle h);
// Both names reduced; a difference over the shorter one's length is a fault.
int DeviceNamesDiffer(const char16_t* a, const char16_t* b);

// Header-fault bits of _UdcCheckDMode.
constexpr uint32_t kFaultSpecVersion = 1;
constexpr uint32_t kFaultDriverVersion = 2;
constexpr uint32_t kFaultSize = 4;
constexpr uint32_t kFaultDriverExtra = 8;
constexpr uint32_t kFaultMagic = 16;
constexpr uint32_t kFaultDeviceName = 32;

uint32_t _UdcCheckDMode(const void* devmode, const char16_t* printerName);
void _UdcNormalizeSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName, int caller);
int _UdcSaveEnvironment(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);

// Imports a stored DEVMODE (size bytes) into the session's driver DEVMODE:
// public part from a 220-byte header, private part found by a byte-wise scan
// for the signature. 1 when the signature was found.
int ImportStoredDevMode(DriverDevMode* dm, const uint8_t* devmode, size_t size);

// mode 2 drops everything up to the last backslash; both modes then stop at
// the first comma; at most 259 characters. A null name gives a null result.
const char16_t* ReducePrinterName(char16_t out[260], const char16_t* name, int mode);

// One item of the printer's or driver's information into buffer (zeroed
// first; text is cut to size / 2 - 1 characters). Item 10 imports the stored
// DEVMODE into a DriverDevMode buffer. TRUE/FALSE.
int GetPrinterInfoItem(PrinterHandle printer, const char16_t* printerName, void* buffer, uint32_t size, int item);
int GetOsVersionCode();
