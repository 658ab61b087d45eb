// The printer session: one call's scratch copy of a printer's settings, the
// driver DEVMODE followed by the printer environment record.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/environment.h"
#include "base/private_settings.h"

#pragma pack(push, 1)
struct PrinterSession {
    DriverDevMode dm;
    PrinterEnvironment env;
};
#pragma pack(pop)

constexpr uint32_t kSessionSize = 215672;
static_assert(sizeof(PrinterSession) == kSessionSize, "printer session is 215672 bytes");
static_assert(offsetof(PrinterSession, env) == 19040, "environment follows the driver DEVMODE");
