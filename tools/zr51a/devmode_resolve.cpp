// zr51a devmode resolve: the driver's settings resolution and application
// for a printer of the model, and with --diff which step changed each field.
// The steps are named by the core as it runs them (settings_observer.h); a
// field the accepted-value step changed is explained by its row's accepted
// values.
#include <cstdio>
#include <cstring>

#include "settings/field_table.h"
#include "settings/settings_observer.h"
#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a devmode resolve --model FILE.RDF [--section NAME] [--env FILE] [--diff] [--json] [IN] -o OUT\n"
    "  Resolves IN (a DEVMODE as bytes or .reg export; none: the printer's defaults) for a printer of\n"
    "  the model and writes the 19040-byte result to OUT. --diff lists each field the driver changed\n"
    "  and the rule that changed it.\n";
const OptionSpec kOptions[] = {{"--model", nullptr, 1}, {"--section", nullptr, 1}, {"--env", nullptr, 1},
                               {"--diff", nullptr, 0},  {"--json", nullptr, 0},    {"--output", "-o", 1},
                               {"--help", "-h", 0}};

struct Snapshot {
    std::string step;
    std::unique_ptr<DriverDevMode> dm;
};
struct StepLog {
    std::vector<Snapshot> steps;
};

void RecordStep(const char* step, const PrinterSession* s, void* context) {
    StepLog* log = static_cast<StepLog*>(context);
    // The merge starts from the printer's settings; earlier steps (the
    // fitting of the stored settings) do not concern the input.
    if (std::strcmp(step, "printer's settings") == 0) log->steps.clear();
    auto dm = std::make_unique<DriverDevMode>();
    std::memcpy(dm.get(), &s->dm, sizeof *dm);
    log->steps.push_back({step, std::move(dm)});
}

std::string AcceptedValues(const FieldRow& r) {
    std::string s;
    auto range = [](int32_t lo, int32_t hi) {
        return lo == hi ? std::to_string(lo) : std::to_string(lo) + ".." + std::to_string(hi);
    };
    switch (r.merge) {
    case MergeKind::Ranges:
        for (int i = 0; i < r.rangeCount; i++) s += (i ? ", " : "") + range(r.lo[i], r.hi[i]);
        return "accepted values " + s + "; another value keeps the printer's";
    case MergeKind::Clamp: return "clamped to " + range(r.lo[0], r.hi[0]);
    case MergeKind::EachOrZero: return "each element " + range(r.lo[0], r.hi[0]) + " or else 0";
    case MergeKind::TrayA: return "tray rule: 258..260 taken, 257/261 follow the feed unit";
    case MergeKind::TrayB: return "tray rule: 7 and 258..260 taken, 257/261 follow the feed unit";
    case MergeKind::TrayC: return "tray rule: 258..260 taken, 257 and 261 become the feed unit's tray";
    case MergeKind::Copy: return "copied, text cut to its field and terminated";
    default: return "";
    }
}

struct Change {
    std::string name, before, after;
    std::vector<std::string> why;
};

int Differs(const void* a, const void* b, size_t offset, size_t size) {
    return std::memcmp(static_cast<const uint8_t*>(a) + offset, static_cast<const uint8_t*>(b) + offset, size) != 0;
}

// Which steps changed the bytes [offset, offset + size) of the DEVMODE,
// given that the input held in and the result holds out.
std::vector<std::string> Reasons(const StepLog& log, const DriverDevMode* in, size_t offset, size_t size,
                                 const FieldRow* row, int inputPrivateOurs) {
    std::vector<std::string> why;
    const size_t privOffset = offsetof(DriverDevMode, priv);
    const bool tableMerged = row && row->merge != MergeKind::Special && row->merge != MergeKind::None;
    bool byInput = !row || inputPrivateOurs;
    const DriverDevMode* prev = nullptr;
    bool afterMerge = false;
    for (const Snapshot& s : log.steps) {
        if (!prev) {  // the printer's settings before the merge
            prev = s.dm.get();
            continue;
        }
        if (s.step == "accepted values") {
            afterMerge = true;
            if (tableMerged && byInput && Differs(s.dm.get(), in, offset, size))
                why.push_back("accepted values of " + std::string(row->name) + ": " + AcceptedValues(*row));
            prev = s.dm.get();
            continue;
        }
        // A private field the public merge touched is not the input's yet.
        if (Differs(s.dm.get(), prev, offset, size) && Differs(s.dm.get(), in, offset, size) &&
            (afterMerge || !row || offset < privOffset || !tableMerged))
            why.push_back(s.step);
        prev = s.dm.get();
    }
    if (why.empty() && row && (!inputPrivateOurs || !tableMerged))
        why.push_back(inputPrivateOurs ? "not taken from the input: the printer's value stays"
                                       : "the input has no private part of ours: the printer's value stays");
    if (why.empty()) why.push_back("fitting outside the named steps");
    return why;
}

std::vector<Change> Diff(const StepLog& log, const DriverDevMode* in, const DriverDevMode* out, size_t inPublic,
                         int inputPrivateOurs) {
    std::vector<Change> changes;
    int count;
    const PublicField* pub = PublicFieldTable(&count);
    for (int i = 0; i < count; i++) {
        const PublicField& f = pub[i];
        if (!Differs(in, out, f.offset, f.size)) continue;
        const bool present = f.offset + f.size <= inPublic;
        Change c{f.name, present ? PublicFieldValue(f, in, 0) : "(absent)", PublicFieldValue(f, out, 0),
                 present ? Reasons(log, in, f.offset, f.size, nullptr, inputPrivateOurs)
                         : std::vector<std::string>{"not in the input's public part: the printer's value stays"}};
        changes.push_back(c);
    }
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& r = PrivateFieldTable()[i];
        const size_t off = offsetof(DriverDevMode, priv) + r.offset;
        if (!ShownPrivateField(r) || !Differs(in, out, off, r.size)) continue;
        Change c{r.name, inputPrivateOurs ? PrivateFieldValue(r, &in->priv, 0) : "(absent)",
                 PrivateFieldValue(r, &out->priv, 0), Reasons(log, in, off, r.size, &r, inputPrivateOurs)};
        changes.push_back(c);
    }
    return changes;
}

}  // namespace

int DevModeResolve(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 7, kUsage, &args); done >= 0) return done;
    std::string why;
    if (!args.Has("--model")) return UsageError("devmode resolve needs --model FILE.RDF", kUsage);
    if (!args.Has("--output")) return UsageError("devmode resolve needs -o OUT", kUsage);
    if (args.positional.size() > 1) return UsageError("devmode resolve takes at most one IN", kUsage);
    if (args.Has("--diff") && args.positional.empty()) return UsageError("--diff needs an IN to compare", kUsage);

    std::vector<uint8_t> input;
    DevModeLayout l{};
    const bool haveInput = !args.positional.empty();
    if (haveInput) {
        const std::string& path = args.positional[0];
        if (!LoadDevModeFile(path, &input, &why)) return Refuse(why);
        if (!AnalyseDevMode(input, path, &l, &why)) return Refuse(why);
    }
    ModelPrinter printer;
    if (!SetUpModelPrinter(&printer, args.Get("--model"), args.Get("--section"), args.Get("--env"), &why))
        return Refuse(why);

    StepLog log;
    if (args.Has("--diff")) SetSettingsStepHook(RecordStep, &log);
    auto session = std::make_unique<PrinterSession>();
    int ok = ResolveForPrinter(haveInput ? &input : nullptr, session.get());
    SetSettingsStepHook(nullptr, nullptr);
    if (!ok) return Refuse("the driver could not resolve the settings");
    if (!WriteWholeFile(args.Get("--output"), &session->dm, sizeof session->dm, &why)) return Refuse(why);

    const bool json = args.Has("--json");
    if (!args.Has("--diff")) {
        if (json)
            std::printf("{\n  \"model\": %s,\n  \"output\": %s,\n  \"bytes\": %zu\n}\n",
                        JsonString(printer.section).c_str(), JsonString(args.Get("--output")).c_str(),
                        sizeof session->dm);
        else
            std::printf("%s: %zu bytes resolved for %s\n", args.Get("--output").c_str(), sizeof session->dm,
                        printer.section.c_str());
        return kExitOk;
    }
    auto in = std::make_unique<DriverDevMode>();
    FillDriverDevMode(input, l, in.get());
    std::vector<Change> changes = Diff(log, in.get(), &session->dm, l.publicBytes, l.ours);
    if (json) {
        std::printf("{\n  \"model\": %s,\n  \"output\": %s,\n  \"changes\": [", JsonString(printer.section).c_str(),
                    JsonString(args.Get("--output")).c_str());
        for (size_t i = 0; i < changes.size(); i++) {
            const Change& c = changes[i];
            std::printf("%s\n    {\"field\": %s, \"before\": %s, \"after\": %s, \"rules\": [", i ? "," : "",
                        JsonString(c.name).c_str(), JsonString(c.before).c_str(), JsonString(c.after).c_str());
            for (size_t k = 0; k < c.why.size(); k++)
                std::printf("%s%s", k ? ", " : "", JsonString(c.why[k]).c_str());
            std::printf("]}");
        }
        std::printf("%s]\n}\n", changes.empty() ? "" : "\n  ");
    } else {
        std::printf("# %s resolved for %s into %s: %zu field%s changed\n", args.positional[0].c_str(),
                    printer.section.c_str(), args.Get("--output").c_str(), changes.size(),
                    changes.size() == 1 ? "" : "s");
        for (const Change& c : changes) {
            std::printf("%s: %s -> %s\n", c.name.c_str(), c.before.c_str(), c.after.c_str());
            for (const auto& w : c.why) std::printf("    by %s\n", w.c_str());
        }
    }
    return kExitOk;
}
