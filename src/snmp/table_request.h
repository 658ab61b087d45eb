// One GetRequest over rows of a printer table: the columns are listed one
// after the other (every row of the first column, then every row of the
// next, ...), each record with a zeroed buffer of the column's capacity.
#pragma once
#include <cstdint>
#include <vector>

#include "snmp/printer_config.h"

// A column of a table request: its OID without the row, the type asked for
// and the bytes kept of each row's answer.
struct TableColumn {
    const char* oid;
    uint32_t type;
    uint32_t capacity;
};

struct TableRequest {
    uint32_t rows;
    std::vector<SnmpVarRecord> records;  // column by column
    std::vector<uint8_t> buffers;
    // The answer of row (0-based, from the request's first row) in column.
    const SnmpVarRecord& At(uint32_t column, uint32_t row) const { return records[column * rows + row]; }
};

// Sets up the records for rows firstRow..firstRow + rows - 1 (rows are
// numbered from 1) of the columns and runs them as one request; 1/0. On 0
// every buffer stays zero.
int RunTableRequest(const TableColumn* columns, uint32_t columnCount, uint32_t firstRow, uint32_t rows,
                    PrinterHandle printer, const PrinterEnvironment* env, uint32_t timeoutSeconds,
                    TableRequest* out);
// Whether row's first column, the valid flag of the registered lists, holds 1.
bool TableRowValid(const TableRequest& table, uint32_t row);
