#include "diagnostics/debug_settings.h"

#include <cstdarg>
#include <cstring>

#include "diagnostics/log.h"

int SetDebugSettings(PrinterHandle printer, const void* record) {
    if (!printer || !record) return 0;
    return Spool().SetPrinterData(printer, u"DebugSettings", kRegBinary, record, kDebugSettingsSize) == kErrSuccess;
}

int GetDebugSettings(PrinterHandle printer, void* record) {
    if (!printer || !record) return 0;
    uint8_t buffer[kDebugSettingsSize] = {};
    uint32_t type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, u"DebugSettings", &type, buffer, sizeof buffer, &needed) != kErrSuccess ||
        needed != kDebugSettingsSize)
        return 0;
    uint32_t alg = 0;
    if (Spool().GetPrinterData(printer, u"DebugScalingAlg", &type, &alg, 4, &needed) != kErrSuccess || needed != 4)
        alg = kDefaultScalingAlg;
    std::memcpy(buffer + kDebugScalingAlgOffset, &alg, 4);
    std::memcpy(record, buffer, sizeof buffer);
    return 1;
}

int FormatText(char16_t* buffer, const char* format, ...) {
    if (!buffer) return 0;
    va_list ap;
    va_start(ap, format);
    size_t n = FormatLogText(buffer, 1024, format, ap);
    va_end(ap);
    return static_cast<int>(n);
}
