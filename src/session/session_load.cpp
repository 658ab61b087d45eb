#include "session/session_load.h"

#include <cstring>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "session/global_list.h"

namespace {

const uint8_t kSignatureBytes[12] = {'J', 0, 'U', 0, 'P', 0, '/', 0, 'C', 0, 'S', 0};

void ClearAfterTerminator(char16_t* text, size_t capacity) {
    size_t n = Text16Length(text, capacity);
    for (size_t i = n; i < capacity; i++) text[i] = 0;
}

int CopyText(void* buffer, uint32_t size, const std::u16string& text) {
    if (text.empty() || size < 4) return 0;
    Text16Copy(static_cast<char16_t*>(buffer), size / 2, text.c_str());
    return 1;
}

}  // namespace

int ReadEnvironment(PrinterSession* s, PrinterHandle h) {
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(h, u"PrvEnv", &type, &s->env, kEnvironmentSize, &needed);
    return rc == kErrSuccess && needed == kEnvironmentSize;
}

int ImportStoredDevMode(DriverDevMode* dm, const uint8_t* devmode, size_t size) {
    if (!devmode || size < sizeof(PublicDevMode)) return 0;
    PublicDevMode pub;
    std::memcpy(&pub, devmode, sizeof pub);
    if (pub.dmSize != sizeof(PublicDevMode) || pub.dmDriverExtra < kPrivateSize) return 0;
    // Never trust the header beyond the bytes that were really stored.
    size_t extra = pub.dmDriverExtra;
    if (size - sizeof pub < extra) return 0;
    const uint8_t* priv = devmode + sizeof pub;
    for (size_t at = 0; at <= extra - kPrivateSize; at++) {
        if (std::memcmp(priv + at, kSignatureBytes, sizeof kSignatureBytes) != 0) continue;
        dm->pub = pub;
        // A stored DEVMODE may have passed through an 8-bit conversion that
        // leaves stray bytes behind the names' terminators.
        ClearAfterTerminator(dm->pub.dmDeviceName, 32);
        ClearAfterTerminator(dm->pub.dmFormName, 32);
        dm->pub.dmDriverExtra = kPrivateSize;
        dm->pub.dmDriverVersion = kDriverVersion;
        std::memcpy(&dm->priv, priv + at, kPrivateSize);
        return 1;
    }
    return 0;
}

const char16_t* ReducePrinterName(char16_t out[260], const char16_t* name, int mode) {
    if (!name) return nullptr;
    const char16_t* start = name;
    if (mode == 2)
        for (const char16_t* p = name; *p; p++)
            if (*p == u'\\') start = p + 1;
    int n = 0;
    while (n < 259 && start[n] && start[n] != u',') {
        out[n] = start[n];
        n++;
    }
    out[n] = 0;
    return out;
}

// Both names reduced; a difference over the shorter one's length is a fault.
int DeviceNamesDiffer(const char16_t* a, const char16_t* b) {
    char16_t ra[260], rb[260];
    if (!ReducePrinterName(ra, a, 2) || !ReducePrinterName(rb, b, 2)) return 0;
    size_t la = Text16Length(ra, 260), lb = Text16Length(rb, 260);
    size_t n = la < lb ? la : lb;
    if (n == 0) return 0;
    return Text16Compare(ra, rb, n) != 0;
}

uint32_t _UdcCheckDMode(const void* devmode, const char16_t* printerName) {
    const uint8_t* d = static_cast<const uint8_t*>(devmode);
    PublicDevMode pub;
    std::memcpy(&pub, d, offsetof(PublicDevMode, dmFields));
    uint32_t mask = 0;
    if (pub.dmSpecVersion != kSpecVersion) mask |= kFaultSpecVersion;
    if (pub.dmDriverVersion != kDriverVersion) mask |= kFaultDriverVersion;
    if (pub.dmSize != sizeof(PublicDevMode)) mask |= kFaultSize;
    if (pub.dmDriverExtra != kPrivateSize) mask |= kFaultDriverExtra;
    uint32_t magic = 0;
    if (pub.dmDriverExtra >= 4) std::memcpy(&magic, d + pub.dmSize + pub.dmDriverExtra - 4, 4);
    if (pub.dmDriverExtra < 4 || magic != kTrailingMagic) mask |= kFaultMagic;
    char16_t stored[33] = {};
    std::memcpy(stored, pub.dmDeviceName, sizeof pub.dmDeviceName);
    if (DeviceNamesDiffer(stored, printerName)) mask |= kFaultDeviceName;
    return mask;
}

int GetPrinterInfoItem(PrinterHandle printer, const char16_t* printerName, void* buffer, uint32_t size, int item) {
    if (!buffer) return 0;
    // The import overwrites the whole DEVMODE when it succeeds; it is cleared
    // below only when it fails.
    if (item != 10) std::memset(buffer, 0, size);
    PrinterRef p(printer, printerName, kPrinterAccessUse);
    switch (item) {
    case 0: case 4: case 10: case 11: case 12: case 13: case 14: {
        PrinterInfo2 info;
        if (!p.handle || !Spool().GetPrinterInfo2(p.handle, &info)) {
            if (item == 10) std::memset(buffer, 0, size);
            return 0;
        }
        switch (item) {
        case 0: case 11: return CopyText(buffer, size, info.driverName);
        case 4: return CopyText(buffer, size, info.printProcessor);
        case 12: return CopyText(buffer, size, info.portName);
        case 14: return CopyText(buffer, size, info.printerName);
        case 13:
            if (size < 4) return 0;
            std::memcpy(buffer, &info.attributes, 4);
            return 1;
        default:
            if (size >= sizeof(DriverDevMode) &&
                ImportStoredDevMode(static_cast<DriverDevMode*>(buffer), info.devMode.data(), info.devMode.size()))
                return 1;
            std::memset(buffer, 0, size);
            return 0;
        }
    }
    case 1: case 2: case 3: case 100: {
        std::u16string dir;
        if (!Spool().GetPrinterDriverDirectory(&dir) || dir.empty()) return 0;
        if (item != 2) {
            // The directory with "\3" and its terminator must fit whole.
            if (size / 2 < 3 || dir.size() > size / 2 - 3) return 0;
            dir += u"\\3";
        }
        return CopyText(buffer, size, dir);
    }
    case 20: case 30: {
        uint32_t attributes = 0;
        if (!p.handle || size < 4 || !Spool().GetPrinterAttributes(p.handle, item == 20 ? 4 : 5, &attributes)) return 0;
        std::memcpy(buffer, &attributes, 4);
        return 1;
    }
    case 110: case 111: {
        DriverInfo3 info;
        if (!p.handle || !Spool().GetDriverInfo3(p.handle, &info)) return 0;
        return CopyText(buffer, size, item == 110 ? info.helpFile : info.dataFile);
    }
    default:
        return 0;
    }
}

int GetOsVersionCode() {
    Host& h = Sys();
    int ws = h.IsWorkstation();
    struct { uint32_t major, minor; int workstation, server; } steps[] = {
        {6, 3, 209, 210}, {6, 2, 207, 208}, {6, 1, 205, 206}, {6, 0, 203, 204}, {5, 1, 201, 202},
    };
    for (auto& s : steps)
        if (h.VersionAtLeast(s.major, s.minor, 0)) return ws ? s.workstation : s.server;
    OsVersionInfo v;
    if (!h.GetVersionEx(&v)) return -1;
    int server = v.productType == 2 || v.productType == 3;
    switch (v.major) {
    case 3: return 101;
    case 4: return v.platformId == 2 ? 102 : v.platformId == 1 ? 2 : -1;
    case 5:
        if (v.minor == 0) return 103;
        if (v.minor == 1) return 104;
        if (v.minor == 2) return v.productType == 1 ? 201 : server ? 202 : -1;
        return -1;
    case 6:
        if (v.minor > 2) return -1;
        if (v.productType == 1) return 203 + 2 * static_cast<int>(v.minor);
        return server ? 204 + 2 * static_cast<int>(v.minor) : -1;
    default:
        return -1;
    }
}

void _UdcNormalizeSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName, int caller) {
    if (!session) {
        DrvLog(nullptr, "_UdcNormalizeSelfDMode lpSelpDMode is null.\n");
        return;
    }
    if (session->env.listsBuilt == 1) return;
    uint32_t start = Sys().TickCount();
    InitGlobalList(session, printerName, 0);
    DrvLog(nullptr, "_UdcNormalizeSelfDMode called InitGlobalList. overhead=%dms\n",
           static_cast<int>(Sys().TickCount() - start));
    session->env.listsBuilt = 1;
}

int _UdcSaveEnvironment(PrinterSession* session, PrinterHandle printer, const char16_t* printerName) {
    PrinterRef p(printer, printerName, kPrinterAllAccess);
    if (!p.handle) return 0;
    return Spool().SetPrinterData(p.handle, u"PrvEnv", kRegBinary, &session->env, kEnvironmentSize) == kErrSuccess;
}
