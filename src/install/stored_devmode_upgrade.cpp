// A driver upgrade: what the older driver stored with the printer is carried
// over. The environment is taken as it lies; the printer's global and
// per-user DEVMODEs are handed to the new driver through the spooler, whose
// merge keeps every field it accepts and defaults the rest.
#include <algorithm>
#include <cstring>
#include <vector>

#include "diagnostics/log.h"
#include "install/installation.h"

namespace {

// The public header's size and driver-extra words.
constexpr size_t kDmSizeOffset = 68, kDmDriverExtraOffset = 70, kDevModeHeaderBytes = 72;

uint32_t ReadU16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }

// One level's DEVMODE converted into a full driver DEVMODE of size bytes and
// written back. 1 also when the level has none to convert.
int ConvertLevel(PrinterHandle printer, int level, uint32_t size) {
    std::vector<uint8_t> stored;
    if (!Spool().GetPrinterDevMode(printer, level, &stored) || stored.empty()) return 1;
    // An older driver's record may be shorter than its header claims; the
    // conversion reads as far as the header says, so the rest reads as zeros.
    size_t claimed = kDevModeHeaderBytes;
    if (stored.size() >= kDevModeHeaderBytes)
        claimed += ReadU16(stored.data() + kDmSizeOffset) + ReadU16(stored.data() + kDmDriverExtraOffset);
    if (stored.size() < claimed) stored.resize(claimed, 0);
    std::vector<uint8_t> converted(size, 0);
    if (Spool().DriverDocumentProperties(printer, converted.data(), stored.data(), 10) < 0) {
        DrvLog(nullptr, "ConvertStoredDevmodes : level %d DEVMODE not converted\n", level);
        return 0;
    }
    if (!Spool().SetPrinterDevMode(printer, level, converted))
        DrvLog(nullptr, "ConvertStoredDevmodes : level %d DEVMODE not stored\n", level);
    return 1;
}

}  // namespace

int ReadStoredEnvironment(PrinterHandle printer, PrinterSession* session) {
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(printer, u"PrvEnv", &type, nullptr, 0, &needed);
    if ((rc != kErrSuccess && rc != kErrMoreData) || needed == 0 || type != kRegBinary) {
        DrvLog(nullptr, "ConvertStoredDevmodes : no stored PrvEnv, the environment starts afresh\n");
        return 0;
    }
    std::vector<uint8_t> env(needed, 0);
    if (Spool().GetPrinterData(printer, u"PrvEnv", &type, env.data(), needed, &needed) != kErrSuccess) return 0;
    // A record of another size comes from a driver of another version: its
    // leading part is taken, and the caller checks what it holds.
    if (needed != kEnvironmentSize)
        DrvLog(nullptr, "ConvertStoredDevmodes : PrvEnv of %u bytes, this driver's has %u\n", needed,
               kEnvironmentSize);
    std::memcpy(&session->env, env.data(), std::min<size_t>(needed, kEnvironmentSize));
    return 1;
}

int ConvertPrinterDevmodes(PrinterHandle printer) {
    const int32_t size = Spool().DriverDocumentProperties(printer, nullptr, nullptr, 0);
    if (size <= 0) return 0;
    if (!ConvertLevel(printer, 8, static_cast<uint32_t>(size))) return 0;
    return ConvertLevel(printer, 9, static_cast<uint32_t>(size));
}

int ConvertStoredDevmodes(PrinterHandle printer, PrinterSession* session) {
    return ReadStoredEnvironment(printer, session) && ConvertPrinterDevmodes(printer);
}
