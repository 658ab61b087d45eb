#include "model/printer_data.h"

#include <cstring>

#include "entry/log.h"

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
uint32_t GetColorRestriction(PrinterHandle printer) { return ReadDword(printer, u"ColorRestriction", 15); }

// One plain read into a 4-byte buffer, no type check.
static uint8_t ReadByteValue(PrinterHandle printer, const char16_t* value, uint8_t fallback) {
    uint32_t v = 0, type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, value, &type, &v, 4, &needed) != kErrSuccess) return fallback;
    return static_cast<uint8_t>(v & 0xFF);
}

uint8_t GetDuplexOrSimplex(PrinterHandle printer) { return ReadByteValue(printer, u"DuplexOrSimplex", 2); }
uint8_t GetUnitOfLength(PrinterHandle printer) { return ReadByteValue(printer, u"UnitOfLength", 0); }

int GetPrinterDataByName(const char16_t* printerName, const char16_t* value, void* buffer, uint32_t size) {
    if (!value || !buffer) return 1;
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return 1;
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(h, value, &type, buffer, size, &needed);
    Spool().ClosePrinter(h);
    return rc == kErrSuccess;
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
