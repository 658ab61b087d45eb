// zr51a devmode check: the stored-settings validity check of the driver for a
// printer of the model, with every failing row.
#include <cstdio>
#include <cstring>

#include "rules/settings_validity.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a devmode check --model FILE.RDF [--section NAME] [--env FILE] [--json] IN\n"
    "  IN: a DEVMODE (bytes or .reg export) or a favourites file (.qvt) checked unchanged against\n"
    "      a printer of the model. Exit status 1 when any check fails.\n";
const OptionSpec kOptions[] = {{"--model", nullptr, 1}, {"--section", nullptr, 1}, {"--env", nullptr, 1},
                               {"--json", nullptr, 0},  {"--help", "-h", 0}};

// The log line's text after the "[KELO DRV] time[pid][thread]:" prefix.
std::string LogText(const std::u16string& line) {
    std::string s = Narrow(line);
    size_t p = s.find("]:");
    if (p != std::string::npos) s = s.substr(p + 2);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a);
}
}  // namespace

int DevModeCheck(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 5, kUsage, &args); done >= 0) return done;
    std::string why;
    if (!args.Has("--model")) return UsageError("devmode check needs --model FILE.RDF", kUsage);
    if (args.positional.size() != 1) return UsageError("devmode check takes one IN", kUsage);
    const std::string& path = args.positional[0];

    ModelPrinter printer;
    if (!SetUpModelPrinter(&printer, args.Get("--model"), args.Get("--section"), args.Get("--env"), &why))
        return Refuse(why);
    auto session = std::make_unique<PrinterSession>();
    if (!ResolveForPrinter(nullptr, session.get())) return Refuse("the printer's settings could not be resolved");

    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes, &why)) return Refuse(why);
    std::vector<uint8_t> record;
    char16_t name[kExportNameUnits] = {};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), "KELO_QVT", 8) == 0) {
        // A favourite: its record over the printer's settings.
        if (ReadExportFile(bytes.data(), static_cast<uint32_t>(bytes.size()), &record, name) != 0)
            return Refuse(path + ": not a readable favourites file (header, symbol table or coded record damaged)");
        int end = DeserializeSettings(record.data(), static_cast<uint32_t>(record.size()), &session->dm);
        if (end < 0) return Refuse(path + ": the settings record inside is damaged (an item without its tag)");
    } else {
        if (!LoadDevModeFile(path, &bytes, &why)) return Refuse(why);
        DevModeLayout l;
        if (!AnalyseDevMode(bytes, path, &l, &why)) return Refuse(why);
        if (!l.ours || l.privateBytes < kPrivateSize)
            return Refuse(path + ": private part " + l.privateNote + ": the check needs our complete record");
        std::memcpy(&session->dm.priv, bytes.data() + l.dmSize, kPrivateSize);
    }

    printer.fake.host.ClearDebugLines();
    PrinterHandle h = nullptr;
    Spool().OpenPrinter(kToolPrinter, kPrinterAccessUse, &h);
    int fits = CheckOptionDMode(session.get(), h, name[0] ? name : u"(file)");
    Spool().ClosePrinter(h);
    // Failing rows carry the "Disable Settings" prefix; a detail line with
    // the values some rows add follows its row.
    const std::string kFailed = "CheckOptionDMode Disable Settings : ";
    std::vector<std::string> failing;
    for (const auto& line : printer.fake.host.DebugLines()) {
        std::string t = LogText(line);
        if (t.rfind(kFailed, 0) == 0) failing.push_back(t.substr(kFailed.size()));
        else if (!failing.empty() && !t.empty() && t.find("CheckOptionDMode") == std::string::npos)
            failing.back() += "; " + t;
    }
    if (args.Has("--json")) {
        std::printf("{\n  \"file\": %s,\n  \"model\": %s,\n  \"fits\": %s,\n  \"failing\": [", JsonString(path).c_str(),
                    JsonString(printer.section).c_str(), fits ? "true" : "false");
        for (size_t i = 0; i < failing.size(); i++)
            std::printf("%s\n    %s", i ? "," : "", JsonString(failing[i]).c_str());
        std::printf("%s]\n}\n", failing.empty() ? "" : "\n  ");
    } else {
        std::printf("# %s against %s (%s)\n", path.c_str(), printer.section.c_str(), printer.modelPath.c_str());
        for (const auto& f : failing) std::printf("FAIL %s\n", f.c_str());
        std::printf("%s: %zu failing check%s\n", fits ? "fits" : "does not fit", failing.size(),
                    failing.size() == 1 ? "" : "s");
    }
    if (fits) return kExitOk;
    return Refuse(path + ": does not fit a printer of " + printer.section + ": " + std::to_string(failing.size()) +
                  " failing check" + (failing.size() == 1 ? "" : "s"));
}
