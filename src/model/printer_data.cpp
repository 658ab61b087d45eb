#include "model/printer_data.h"

#include <cstring>
#include <new>

#include "base/environment.h"
#include "diagnostics/log.h"

int ReadTypedPrinterData(PrinterHandle printer, const char16_t* value, uint32_t type, void* buffer, uint32_t size) {
    uint32_t storedType = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(printer, value, &storedType, nullptr, 0, &needed);
    if (needed == 0 || (rc != kErrSuccess && rc != kErrMoreData) || storedType != type) return 0;
    rc = Spool().GetPrinterData(printer, value, &storedType, buffer, size, &needed);
    return rc == kErrSuccess;
}

static uint32_t ReadDword(PrinterHandle printer, const char16_t* value, uint32_t fallback) {
    uint32_t v = 0;
    return ReadTypedPrinterData(printer, value, kRegDword, &v, 4) ? v : fallback;
}

uint32_t GetLocaleID(PrinterHandle printer) { return ReadDword(printer, u"LocaleID", 0); }
uint32_t GetColorRestriction(PrinterHandle printer) {
    return ReadDword(printer, u"ColorRestriction", kDefaultColorRestriction);
}
uint32_t GetDebugTabEnable(PrinterHandle printer) { return ReadDword(printer, u"DebugTabEnable", 0); }

static int WriteValue(PrinterHandle printer, const char16_t* value, uint32_t type, const void* data, uint32_t size) {
    return Spool().SetPrinterData(printer, value, type, data, size) == kErrSuccess;
}

static int WriteDword(PrinterHandle printer, const char16_t* value, uint32_t v) {
    return WriteValue(printer, value, kRegDword, &v, 4);
}

int SetLocaleID(PrinterHandle printer, uint32_t localeId) { return WriteDword(printer, u"LocaleID", localeId); }
int SetDuplexOrSimplex(PrinterHandle printer, uint8_t value) { return WriteDword(printer, u"DuplexOrSimplex", value); }
int SetUnitOfLength(PrinterHandle printer, uint8_t value) { return WriteDword(printer, u"UnitOfLength", value); }

char16_t* GetPrinterDataString(PrinterHandle printer, const char16_t* value) {
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(printer, value, &type, nullptr, 0, &needed);
    if (needed == 0 || (rc != kErrSuccess && rc != kErrMoreData) || (type != kRegSz && type != kRegBinary))
        return nullptr;
    // Room for the stored bytes and a terminator, whole characters even when
    // the stored size is odd.
    const size_t units = (static_cast<size_t>(needed) + 2 + 1) / 2;
    char16_t* text = new (std::nothrow) char16_t[units]();
    if (!text) return nullptr;
    if (Spool().GetPrinterData(printer, value, &type, text, needed, &needed) != kErrSuccess) {
        delete[] text;
        return nullptr;
    }
    return text;
}

void FreePrinterDataString(char16_t* text) { delete[] text; }

int SetPrinterDataText(PrinterHandle printer, const char16_t* value, const char16_t* text) {
    if (!text) return 0;
    const uint32_t length = static_cast<uint32_t>(std::char_traits<char16_t>::length(text));
    return WriteValue(printer, value, kRegSz, text, length * 2);
}

int SetSnmpCommunityName(PrinterHandle printer, const char16_t* community) {
    return SetPrinterDataText(printer, u"SnmpCommunityName", community);
}
int SetUIModuleName(PrinterHandle printer, const char16_t* path) {
    return SetPrinterDataText(printer, u"UIModuleName", path);
}

int SetDefDevmode(PrinterHandle printer, const void* devmode) {
    return devmode && WriteValue(printer, u"DefDevmode", kRegBinary, devmode, kDefDevmodeSize);
}
// The two-call read of a fixed-size record: a stored value of another size
// is refused whole rather than read over part of the caller's record.
static int ReadRecord(PrinterHandle printer, const char16_t* value, void* buffer, uint32_t size) {
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(printer, value, &type, nullptr, 0, &needed);
    if (needed != size || (rc != kErrSuccess && rc != kErrMoreData) || type != kRegBinary) return 0;
    return Spool().GetPrinterData(printer, value, &type, buffer, size, &needed) == kErrSuccess;
}

int GetDefDevmode(PrinterHandle printer, void* devmode) {
    return devmode && ReadRecord(printer, u"DefDevmode", devmode, kDefDevmodeSize);
}

int SetDefEnv(PrinterHandle printer, PrinterEnvironment* env) {
    if (!env) return 0;
    const HostTime now = Sys().LocalTime();
    env->timeStamp = {now.year, now.month, now.dayOfWeek, now.day, now.hour, now.minute, now.second, now.milliseconds};
    return WriteValue(printer, u"DefEnv", kRegBinary, env, kDefEnvSize);
}
int GetDefEnv(PrinterHandle printer, PrinterEnvironment* env) {
    return env && ReadRecord(printer, u"DefEnv", env, kDefEnvSize);
}

// One plain read into a 4-byte buffer, no type check.
static uint8_t ReadByteValue(PrinterHandle printer, const char16_t* value, uint8_t fallback) {
    uint32_t v = 0, type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, value, &type, &v, 4, &needed) != kErrSuccess) return fallback;
    return static_cast<uint8_t>(v & 0xFF);
}

uint8_t GetDuplexOrSimplex(PrinterHandle printer) {
    return ReadByteValue(printer, u"DuplexOrSimplex", kDefaultDuplexOrSimplex);
}
uint8_t GetUnitOfLength(PrinterHandle printer) { return ReadByteValue(printer, u"UnitOfLength", kDefaultUnitOfLength); }

int GetPrinterDataByName(const char16_t* printerName, const char16_t* value, void* buffer, uint32_t size) {
    if (!value || !buffer) return 1;
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return 1;
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(h, value, &type, buffer, size, &needed);
    Spool().ClosePrinter(h);
    return rc == kErrSuccess;
}

int SetPrinterDataByName(const char16_t* printerName, const char16_t* value, const void* data, uint32_t size) {
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessAdminister, &h)) return 1;
    int ok = WriteValue(h, value, kRegBinary, data, size);
    Spool().ClosePrinter(h);
    return ok;
}

std::u16string LookUpUserName(PrinterHandle printer, const char16_t* printerName) {
    DrvLog(nullptr, "_GetUserName start\n");
    uint32_t count = 0, cycle = 0;
    int attempts = 1;
    uint32_t pause = 0;
    PrinterHandle h = printer;
    bool opened = false;
    if (!h && printerName && Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) opened = true;
    if (h) {
        uint32_t type = 0, needed = 0;
        int haveCount = Spool().GetPrinterData(h, u"UserNameRetryCount", &type, &count, 4, &needed) == kErrSuccess;
        int haveCycle = Spool().GetPrinterData(h, u"UserNameRetryCycle", &type, &cycle, 4, &needed) == kErrSuccess;
        if (opened) Spool().ClosePrinter(h);
        if (haveCount && haveCycle) {
            // An absurd retry count from the registry must not hang a job.
            attempts = static_cast<int>((count > 100 ? 100 : count) + 1);
            pause = cycle > 10000 ? 10000 : cycle;
        }
    }
    DrvLog(nullptr, "_GetUserName retryCnt = %d / retryCycle = %d\n", attempts, static_cast<int>(pause));
    std::u16string name;
    for (int i = 0; i < attempts; i++) {
        if (i) Sys().Sleep(pause);
        name = Sys().UserName();
        if (name != u"SYSTEM") break;
    }
    DrvLog(nullptr, "_GetUserName end\n");
    return name;
}
