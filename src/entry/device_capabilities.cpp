#include "entry/device_capabilities.h"

#include <cstdlib>

#include "rules/resolve.h"

namespace {

PrinterSession* ResolvedSession(PrinterHandle printer, const char16_t* deviceName, void* devmode, int caller) {
    PrinterSession* s = static_cast<PrinterSession*>(std::malloc(sizeof(PrinterSession)));
    if (s && _UdcResolveSelfDMode(s, devmode, printer, deviceName, nullptr, kResolveWholeSession | kResolveInBuffer,
                                  caller) != 1) {
        std::free(s);
        s = nullptr;
    }
    if (!s) Sys().SetLastError(kErrNotEnoughMemory);
    return s;
}

}  // namespace

uint32_t DrvDeviceCapabilitiesCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                                   void* devmode) {
    PrinterSession* s = ResolvedSession(printer, deviceName, devmode, kCallerDeviceCaps);
    if (!s) return kCapsUnsupported;
    uint32_t answer = AnswerDeviceCapability(s, index, out);
    std::free(s);
    return answer;
}

uint32_t DrvSplDeviceCapsCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                              uint32_t outChars, void* devmode) {
    PrinterSession* s = ResolvedSession(printer, deviceName, devmode, kCallerSplDeviceCaps);
    if (!s) return kCapsUnsupported;
    uint32_t answer = AnswerSplDeviceCaps(s, index, out, outChars);
    std::free(s);
    return answer;
}
