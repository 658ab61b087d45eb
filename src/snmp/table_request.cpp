#include "snmp/table_request.h"

#include "snmp/printer_oids.h"
#include "snmp/record_values.h"

int RunTableRequest(const TableColumn* columns, uint32_t columnCount, uint32_t firstRow, uint32_t rows,
                    PrinterHandle printer, const PrinterEnvironment* env, uint32_t timeoutSeconds,
                    TableRequest* out) {
    if (!columns || !out || columnCount == 0 || rows == 0) return 0;
    size_t bytes = 0;
    for (uint32_t c = 0; c < columnCount; c++) bytes += static_cast<size_t>(columns[c].capacity) * rows;
    out->rows = rows;
    out->records.assign(static_cast<size_t>(columnCount) * rows, SnmpVarRecord{});
    out->buffers.assign(bytes, 0);
    char oid[256];
    size_t at = 0;
    for (uint32_t c = 0; c < columnCount; c++) {
        for (uint32_t i = 0; i < rows; i++) {
            FormatRowOid(oid, columns[c].oid, firstRow + i);
            SetRecord(&out->records[c * rows + i], oid, columns[c].type, &out->buffers[at], columns[c].capacity);
            at += columns[c].capacity;
        }
    }
    return RunSnmpRequest(out->records.data(), columnCount * rows, printer, env, timeoutSeconds);
}

bool TableRowValid(const TableRequest& table, uint32_t row) { return RecordInteger(table.At(0, row)) == 1; }
