// Lists registered on the printer: barcode areas, forms, colour profiles.
// Each is one request over its table; valid rows come out in row order.
#include <cstring>

#include "diagnostics/log.h"
#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"
#include "snmp/table_request.h"

namespace {

constexpr uint32_t kListNameCapacity = 1028;

// The request of a list, 3 s; every list logs its failure with the same line.
int RunListRequest(const TableColumn* columns, uint32_t columnCount, uint32_t rows, PrinterHandle printer,
                   const PrinterEnvironment* env, TableRequest* table) {
    if (RunTableRequest(columns, columnCount, 1, rows, printer, env, kSnmpShortTimeout, table)) return 1;
    DrvLog(nullptr, "SNMP Fail : get barcdoe area info.\n");
    return 0;
}

// One request of valid flags and names over rows rows; 1 with the records.
int FetchNameTable(PrinterHandle printer, const PrinterEnvironment* env, const char* validColumn,
                   const char* nameColumn, uint32_t rows, PrinterListName* out, uint32_t* count) {
    if (!env || !out || !count) return 0;
    const TableColumn columns[] = {{validColumn, kSnmpTypeInteger, 1},
                                   {nameColumn, kSnmpTypeOctetString, kListNameCapacity}};
    TableRequest table;
    if (!RunListRequest(columns, 2, rows, printer, env, &table)) return 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < rows; i++) {
        if (!TableRowValid(table, i)) continue;
        std::memset(&out[n], 0, sizeof out[n]);
        RecordText16(table.At(1, i), kListNameCapacity, out[n].name, 257);
        n++;
    }
    *count = n;
    return 1;
}

}  // namespace

int GetBarcodeAreas(PrinterHandle printer, const PrinterEnvironment* env, BarcodeAreaEntry out[kBarcodeAreaRows],
                    uint32_t* count) {
    constexpr uint32_t nameCapacity = 124;
    if (!env || !out || !count) return 0;
    const TableColumn columns[] = {{kOidBarcodeValid, kSnmpTypeInteger, 1},
                                   {kOidBarcodeName, kSnmpTypeOctetString, nameCapacity},
                                   {kOidBarcodeRepeat, kSnmpTypeInteger, 1},
                                   {kOidBarcodeMaxPage, kSnmpTypeInteger, 2}};
    TableRequest table;
    if (!RunListRequest(columns, 4, kBarcodeAreaRows, printer, env, &table)) return 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < kBarcodeAreaRows; i++) {
        if (!TableRowValid(table, i)) continue;
        BarcodeAreaEntry& entry = out[n++];
        std::memset(&entry, 0, sizeof entry);
        RecordText16(table.At(1, i), nameCapacity, entry.name, 32);
        entry.repeatCount = table.At(2, i).value[0];
        entry.maxPageNumber = RecordInteger(table.At(3, i));
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
