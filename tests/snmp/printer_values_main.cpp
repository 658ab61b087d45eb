// Writes the default simulated printer as the values file of
// cmake/with-agent.sh, for the Windows runs beside an agent.
#include <cstdio>

#include "snmp/simulated_printer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zr51-printer-values FILE\n");
        return 2;
    }
    std::string text = zr51test::ValuesFileText(zr51test::AgentValuesFor(zr51test::DefaultSimulatedPrinter()));
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "zr51-printer-values: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
