// zr51a devmode show: every field of a DEVMODE by name, and which parts of a
// short or foreign one could be read.
#include <cstdio>

#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a devmode show [--json] FILE\n"
    "  FILE: a DEVMODE as bytes (19040 for ours; shorter or foreign ones show what can be read)\n"
    "        or a registry export (.reg) holding a printer's \"DefDevmode\" value.\n";
const OptionSpec kOptions[] = {{"--json", nullptr, 0}, {"--help", "-h", 0}};
}  // namespace

int DevModeShow(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 2, kUsage, &args); done >= 0) return done;
    std::string why;
    if (args.positional.size() != 1) return UsageError("devmode show takes one FILE", kUsage);
    const std::string& path = args.positional[0];
    std::vector<uint8_t> bytes;
    if (!LoadDevModeFile(path, &bytes, &why)) return Refuse(why);
    DevModeLayout l;
    if (!AnalyseDevMode(bytes, path, &l, &why)) return Refuse(why);
    auto dm = std::make_unique<DriverDevMode>();
    FillDriverDevMode(bytes, l, dm.get());
    std::string publicNote = std::to_string(l.publicBytes) + " of 220 bytes (dmSize " + std::to_string(l.dmSize) +
                             (l.publicBytes < l.dmSize && l.publicBytes < 220 ? ", cut by the end of the data)" : ")");
    if (args.Has("--json")) {
        std::printf("{\n  \"file\": %s,\n  \"bytes\": %zu,\n  \"publicPart\": %s,\n  \"privatePart\": %s,\n"
                    "  \"fields\": %s\n}\n",
                    JsonString(path).c_str(), bytes.size(), JsonString(publicNote).c_str(),
                    JsonString(l.privateNote).c_str(), FieldJson(dm.get(), l.publicBytes, l.privateBytes, "  ").c_str());
    } else {
        std::printf("# %s: %zu bytes\n# public part: %s\n# private part: %s\n", path.c_str(), bytes.size(),
                    publicNote.c_str(), l.privateNote.c_str());
        std::fputs(FieldLines(dm.get(), l.publicBytes, l.privateBytes).c_str(), stdout);
    }
    return kExitOk;
}
