// Writes a values file of cmake/with-agent.sh for the Windows runs beside an
// agent: the default simulated printer, or with --agent-table the table the
// SNMP client's agent tests serve.
#include <cstdio>
#include <cstring>

#include "snmp/agent_table_values.h"
#include "snmp/simulated_printer.h"

int main(int argc, char** argv) {
    const bool table = argc == 3 && std::strcmp(argv[1], "--agent-table") == 0;
    if (argc != 2 && !table) {
        std::fprintf(stderr, "usage: zr51-printer-values [--agent-table] FILE\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    std::string text = zr51test::ValuesFileText(table ? zr51test::AgentTableValues()
                                                      : zr51test::AgentValuesFor(zr51test::DefaultSimulatedPrinter()));
    FILE* f = std::fopen(path, "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "zr51-printer-values: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
