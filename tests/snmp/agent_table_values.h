// The objects the SNMP client's agent tests serve through snmpd, natively
// and under Wine: a barcode-area table as the configuration retrieval asks
// for it (100 rows of four columns, answered in one datagram; column 2 the
// text "area N", the others the integer row x column).
#pragma once
#include <string>
#include <vector>

#include "snmp/agent_fixture.h"

namespace zr51test {

constexpr int kAgentTableColumns = 4;
constexpr int kAgentTableRows = 100;
constexpr int kAgentTableTextColumn = 2;

inline std::string AgentTableOid(int column, int row) {
    return ".1.3.6.1.4.1.40961.1.2.2.2.9.1." + std::to_string(column) + "." + std::to_string(row);
}

// The served value as text: "area N" or the decimal integer.
inline std::string AgentTableValue(int column, int row) {
    return column == kAgentTableTextColumn ? "area " + std::to_string(row) : std::to_string(row * column);
}

// The table column by column, each column's rows in order.
inline std::vector<AgentValue> AgentTableValues() {
    std::vector<AgentValue> values;
    for (int column = 1; column <= kAgentTableColumns; ++column) {
        for (int row = 1; row <= kAgentTableRows; ++row) {
            values.push_back({AgentTableOid(column, row), column == kAgentTableTextColumn ? "string" : "integer",
                              AgentTableValue(column, row)});
        }
    }
    return values;
}

}  // namespace zr51test
