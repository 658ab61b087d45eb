// Lists registered on the printer: barcode areas, forms, colour profiles.
// Each is one request over its table; valid rows come out in row order.
#include <cstring>
#include <vector>

#include "entry/log.h"
#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"

namespace {

constexpr uint32_t kListNameCapacity = 1028;

// One request of valid flags and names over rows rows; 1 with the records.
int FetchNameTable(PrinterHandle printer, const PrinterEnvironment* env, const char* validColumn,
                   const char* nameColumn, uint32_t rows, PrinterListName* out, uint32_t* count) {
    if (!env || !out || !count) return 0;
    std::vector<SnmpVarRecord> records(rows * 2);
    std::vector<uint8_t> valid(rows), names(rows * kListNameCapacity);
    char oid[256];
    for (uint32_t i = 0; i < rows; i++) {
        FormatRowOid(oid, validColumn, i + 1);
        SetRecord(&records[i], oid, kSnmpTypeInteger, &valid[i], 1);
        FormatRowOid(oid, nameColumn, i + 1);
        SetRecord(&records[rows + i], oid, kSnmpTypeOctetString, &names[i * kListNameCapacity], kListNameCapacity);
    }
    if (!RunSnmpRequest(records.data(), rows * 2, printer, env, kSnmpShortTimeout)) {
        DrvLog(nullptr, "SNMP Fail : get barcdoe area info.\n");
        return 0;
    }
    uint32_t n = 0;
    for (uint32_t i = 0; i < rows; i++) {
        if (RecordInteger(records[i]) != 1) continue;
        std::memset(&out[n], 0, sizeof out[n]);
        RecordText16(records[rows + i], kListNameCapacity, out[n].name, 257);
        n++;
    }
    *count = n;
    return 1;
}

}  // namespace

int GetBarcodeAreas(PrinterHandle printer, const PrinterEnvironment* env, BarcodeAreaEntry out[kBarcodeAreaRows],
                    uint32_t* count) {
    constexpr uint32_t rows = kBarcodeAreaRows;
    constexpr uint32_t nameCapacity = 124;
    if (!env || !out || !count) return 0;
    std::vector<SnmpVarRecord> records(rows * 4);
    std::vector<uint8_t> valid(rows), names(rows * nameCapacity), repeats(rows), pages(rows * 2);
    char oid[256];
    for (uint32_t i = 0; i < rows; i++) {
        FormatRowOid(oid, kOidBarcodeValid, i + 1);
        SetRecord(&records[i], oid, kSnmpTypeInteger, &valid[i], 1);
        FormatRowOid(oid, kOidBarcodeName, i + 1);
        SetRecord(&records[rows + i], oid, kSnmpTypeOctetString, &names[i * nameCapacity], nameCapacity);
        FormatRowOid(oid, kOidBarcodeRepeat, i + 1);
        SetRecord(&records[2 * rows + i], oid, kSnmpTypeInteger, &repeats[i], 1);
        FormatRowOid(oid, kOidBarcodeMaxPage, i + 1);
        SetRecord(&records[3 * rows + i], oid, kSnmpTypeInteger, &pages[i * 2], 2);
    }
    if (!RunSnmpRequest(records.data(), rows * 4, printer, env, kSnmpShortTimeout)) {
        DrvLog(nullptr, "SNMP Fail : get barcdoe area info.\n");
        return 0;
    }
    uint32_t n = 0;
    for (uint32_t i = 0; i < rows; i++) {
        if (RecordInteger(records[i]) != 1) continue;
        BarcodeAreaEntry& entry = out[n++];
        std::memset(&entry, 0, sizeof entry);
        RecordText16(records[rows + i], nameCapacity, entry.name, 32);
        entry.repeatCount = repeats[i];
        entry.maxPageNumber = RecordInteger(records[3 * rows + i]);
    }
    *count = n;
    return 1;
}

int GetFormNames(PrinterHandle printer, const PrinterEnvironment* env, PrinterListName out[kFormNameRows],
                 uint32_t* count) {
    return FetchNameTable(printer, env, kOidFormValid, kOidFormName, kFormNameRows, out, count);
}

int GetColorProfileNames(PrinterHandle printer, const PrinterEnvironment* env, PrinterListName out[kColorProfileRows],
                         uint32_t* count) {
    return FetchNameTable(printer, env, kOidProfileValid, kOidProfileName, kColorProfileRows, out, count);
}
