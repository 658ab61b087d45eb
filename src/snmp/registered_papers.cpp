// The paper sizes registered on the printer: one request of four columns.
#include <cstring>

#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"
#include "snmp/table_request.h"

int GetRegisteredPaperSizes(PrinterHandle printer, const PrinterEnvironment* env,
                            RegisteredPaperSize out[kRegisteredPaperRows], uint32_t* count) {
    constexpr uint32_t nameCapacity = 128;
    if (!env || !out || !count) return 0;
    const TableColumn columns[] = {{kOidPaperValid, kSnmpTypeInteger, 1},
                                   {kOidPaperName, kSnmpTypeOctetString, nameCapacity},
                                   {kOidPaperWidth, kSnmpTypeInteger, 4},
                                   {kOidPaperLength, kSnmpTypeInteger, 4}};
    TableRequest table;
    if (!RunTableRequest(columns, 4, 1, kRegisteredPaperRows, printer, env, kSnmpLongTimeout, &table)) return 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < kRegisteredPaperRows; i++) {
        if (!TableRowValid(table, i)) continue;
        RegisteredPaperSize& entry = out[n++];
        std::memset(&entry, 0, sizeof entry);
        entry.width = static_cast<int32_t>(RecordInteger(table.At(2, i)));
        entry.length = static_cast<int32_t>(RecordInteger(table.At(3, i)));
        RecordText16(table.At(1, i), nameCapacity, entry.name, 64);
    }
    *count = n;
    return 1;
}
