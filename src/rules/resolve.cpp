// The one way to obtain settings: load the printer's stored settings, check
// and merge what the caller hands in, fit them, copy the result out.
#include "rules/resolve.h"

#include <cstdlib>
#include <cstring>

#include "diagnostics/log.h"
#include "rules/session_reset.h"
#include "session/session_load.h"
#include "settings/settings_observer.h"

uint32_t _UdcResolveSelfDMode(void* out, void* in, PrinterHandle printer, const char16_t* printerName,
                              void* reserved, uint32_t flags, int caller) {
    (void)reserved;
    if (flags == 0) return kSessionSize;
    // Not zeroed: the load writes every byte of the session, from the
    // printer's stored data or from defaults.
    PrinterSession* s = static_cast<PrinterSession*>(std::malloc(sizeof(PrinterSession)));
    if (!s) return 0;
    _UdcLoadSelfDMode(s, printer, printerName);

    uint8_t* input = static_cast<uint8_t*>(in);
    bool merged = false;
    if ((flags & (kResolveInBuffer | kResolveInput)) && input) {
        uint32_t mask = _UdcCheckDMode(input, printerName);
        if (GetOsVersionCode() >= 203) mask &= ~kFaultDeviceName;
        if (mask == 0) std::memcpy(&s->dm.priv.trailingMagic, input + offsetof(DriverDevMode, priv.trailingMagic), 4);
        _UdcNormalizeSelfDMode(s, printer, printerName, caller);
        NoteSettingsStep("printer's settings", s);
        _UdcMergeSelfDMode(s, input, printer, printerName, caller, mask);
        merged = true;
    } else {
        _UdcNormalizeSelfDMode(s, printer, printerName, caller);
    }

    if (flags & kResolveUpdate) {
        if (_UdcSaveEnvironment(s, printer, printerName) && printerName) Spool().BroadcastDevModeChange(printerName);
    }

    uint8_t* output = static_cast<uint8_t*>(out);
    if ((flags & kResolveOutBuffer) && output) {
        uint16_t inSize = 0, inExtra = 0;
        if (merged) {
            std::memcpy(&inSize, input + offsetof(PublicDevMode, dmSize), 2);
            std::memcpy(&inExtra, input + offsetof(PublicDevMode, dmDriverExtra), 2);
        }
        if (merged && inSize < sizeof(PublicDevMode)) {
            // An older, shorter public DEVMODE goes back in its own layout.
            uint16_t extra = inExtra < kPrivateSize ? inExtra : static_cast<uint16_t>(kPrivateSize);
            std::memmove(output, input, inSize);
            std::memmove(output + inSize, input + inSize, extra);
            std::memcpy(output + offsetof(PublicDevMode, dmDriverExtra), &extra, 2);
        } else {
            std::memcpy(output, &s->dm, sizeof s->dm);
        }
    }
    if ((flags & kResolveWholeSession) && output) std::memcpy(output, s, sizeof *s);
    std::free(s);
    return 1;
}

int DrvConvertDevModeCore(const char16_t* printerName, void* in, void* out, uint32_t* size, uint32_t mode) {
    Host& host = Sys();
    uint32_t flags = 0;
    int caller = 0;
    if (mode == kCdmConvert) {
        if (!in || !out || !size) {
            host.SetLastError(kErrInvalidParameter);
            return 0;
        }
        if (*size < kDriverDevModeSize) {
            host.SetLastError(kErrInsufficientBuffer);
            return 0;
        }
        flags = kResolveInBuffer | kResolveOutBuffer;
        caller = kCallerConvert;
    } else if (mode == kCdmDriverDefault) {
        if (!size) {
            host.SetLastError(kErrInvalidParameter);
            return 0;
        }
        if (*size < kDriverDevModeSize || !out) {
            *size = kDriverDevModeSize;
            host.SetLastError(kErrInsufficientBuffer);
            return 0;
        }
        in = nullptr;
        flags = kResolveOutBuffer;
        caller = kCallerDriverDefault;
    } else {
        host.SetLastError(kErrInvalidParameter);
        return 0;
    }
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) {
        host.SetLastError(kErrInvalidParameter);
        return 0;
    }
    uint32_t ok = _UdcResolveSelfDMode(out, in, h, printerName, nullptr, flags, caller);
    Spool().ClosePrinter(h);
    if (ok != 1) {
        *size = 0;
        return 0;
    }
    *size = kDriverDevModeSize;
    return 1;
}

int32_t DocumentPropertiesNoPrompt(PrinterHandle printer, const char16_t* printerName, void* out, void* in,
                                   uint32_t fMode, uint32_t* cbOut) {
    if (cbOut) *cbOut = kDriverDevModeSize;
    if (fMode == 0 || !out) return static_cast<int32_t>(kDriverDevModeSize);
    if (!(fMode & (kResolveUpdate | kResolveOutBuffer))) return 1;
    // Whatever the caller asked, nothing is stored on this path.
    return _UdcResolveSelfDMode(out, in, printer, printerName, nullptr, kResolveInBuffer | kResolveOutBuffer,
                                kCallerNoPrompt) == 1 ? 1 : 0;
}
