// zr51a: the subcommand dispatch.
#include <cstdio>
#include <cstring>

#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a COMMAND ... (each command takes --help)\n"
    "  devmode show [--json] FILE\n"
    "  devmode resolve --model FILE.RDF [--env FILE] [--diff] [--json] [IN] -o OUT\n"
    "  devmode check --model FILE.RDF [--env FILE] [--json] IN\n"
    "  favorites export --devmode IN --name NAME -o FILE.qvt\n"
    "  favorites import FILE.qvt -o OUT\n"
    "  favorites show [--json] FILE.qvt\n"
    "  favorites list [--model FILE.RDF] [--json] PRINTER.reg\n"
    "  favorites apply --name NAME [--model FILE.RDF] PRINTER.reg -o OUT\n"
    "  page show --model FILE.RDF [--section NAME] PAGE\n"
    "  papers export --paper NAME,WIDTH,LENGTH,mm|inch ... -o FILE\n"
    "  papers show [--json] FILE\n"
    "  papers import FILE\n"
    "  printer query HOST [--community C] [--timeout S] [--json]\n"
    "  printer init --model FILE.RDF [--section NAME] [--language ID] [--printer NAME] [-o FILE.reg]\n"
    "Exit status: 0 success, 1 input refused, 2 wrong usage.\n";

struct Command {
    const char* group;
    const char* name;
    int (*run)(int, char**);
};
const Command kCommands[] = {
    {"devmode", "show", DevModeShow},         {"devmode", "resolve", DevModeResolve},
    {"devmode", "check", DevModeCheck},       {"favorites", "export", FavoritesExport},
    {"favorites", "import", FavoritesImport}, {"favorites", "show", FavoritesShow},
    {"printer", "query", PrinterQuery},       {"page", "show", PageShow},
    {"papers", "export", PapersExport},       {"papers", "show", PapersShow},
    {"papers", "import", PapersImport},
    {"printer", "init", PrinterInit},
    {"favorites", "list", FavoritesList},     {"favorites", "apply", FavoritesApply},
};
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return UsageError("no command given", kUsage);
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "help") == 0)
        return ShowHelp(kUsage);
    bool groupKnown = false;
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.group) != 0) continue;
        groupKnown = true;
        if (argc >= 3 && std::strcmp(argv[2], c.name) == 0) return c.run(argc, argv);
    }
    if (groupKnown && argc >= 3 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0))
        return ShowHelp(kUsage);
    if (groupKnown)
        return UsageError(argc < 3 ? std::string("'") + argv[1] + "' needs a subcommand"
                                   : std::string("unknown subcommand '") + argv[1] + " " + argv[2] + "'",
                          kUsage);
    return UsageError(std::string("unknown command '") + argv[1] + "'", kUsage);
}
