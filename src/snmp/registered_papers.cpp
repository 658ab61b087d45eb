// The paper sizes registered on the printer: one request of four columns.
#include <cstring>
#include <vector>

#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"

int GetRegisteredPaperSizes(PrinterHandle printer, const PrinterEnvironment* env,
                            RegisteredPaperSize out[kRegisteredPaperRows], uint32_t* count) {
    constexpr uint32_t rows = kRegisteredPaperRows;
    constexpr uint32_t nameCapacity = 128;
    if (!env || !out || !count) return 0;
    std::vector<SnmpVarRecord> records(rows * 4);
    std::vector<uint8_t> valid(rows), names(rows * nameCapacity), widths(rows * 4), lengths(rows * 4);
    char oid[256];
    for (uint32_t i = 0; i < rows; i++) {
        FormatRowOid(oid, kOidPaperValid, i + 1);
        SetRecord(&records[i], oid, kSnmpTypeInteger, &valid[i], 1);
        FormatRowOid(oid, kOidPaperName, i + 1);
        SetRecord(&records[rows + i], oid, kSnmpTypeOctetString, &names[i * nameCapacity], nameCapacity);
        FormatRowOid(oid, kOidPaperWidth, i + 1);
        SetRecord(&records[2 * rows + i], oid, kSnmpTypeInteger, &widths[i * 4], 4);
        FormatRowOid(oid, kOidPaperLength, i + 1);
        SetRecord(&records[3 * rows + i], oid, kSnmpTypeInteger, &lengths[i * 4], 4);
    }
    if (!RunSnmpRequest(records.data(), rows * 4, printer, env, kSnmpLongTimeout)) return 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < rows; i++) {
        if (RecordInteger(records[i]) != 1) continue;
        RegisteredPaperSize& entry = out[n++];
        std::memset(&entry, 0, sizeof entry);
        entry.width = static_cast<int32_t>(RecordInteger(records[2 * rows + i]));
        entry.length = static_cast<int32_t>(RecordInteger(records[3 * rows + i]));
        RecordText16(records[rows + i], nameCapacity, entry.name, 64);
    }
    *count = n;
    return 1;
}
