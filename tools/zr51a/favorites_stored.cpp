// zr51a favorites list / apply: the favourites a printer holds, read from a
// registry export of its printer data ("QuickSettingNames" and one
// "QuickSetting_..." value per name) by the driver's own favourites store,
// each checked against a printer of the model as a sheet would check it.
#include <cstdio>
#include <cstring>

#include "saved/favorites_store.h"
#include "ui/control_table.h"
#include "zr51a.h"

namespace {
const char kListUsage[] =
    "zr51a favorites list [--model FILE.RDF [--section NAME] [--env FILE]] [--json] PRINTER.reg\n"
    "  PRINTER.reg: a registry export of the printer's data. Without --model the favourites are\n"
    "  checked against a printer without a model description.\n";
const char kApplyUsage[] =
    "zr51a favorites apply --name NAME [--model FILE.RDF [--section NAME] [--env FILE]] PRINTER.reg -o OUT\n"
    "  Writes the printer's settings with the favourite applied as a 19040-byte DEVMODE;\n"
    "  refuses a favourite that does not pass the check.\n";
const OptionSpec kOptions[] = {{"--model", nullptr, 1}, {"--section", nullptr, 1}, {"--env", nullptr, 1},
                               {"--json", nullptr, 0},  {"--name", nullptr, 1},    {"--output", "-o", 1},
                               {"--help", "-h", 0}};

// The printer of the export with its favourites loaded into store.
struct StoredFavorites {
    ModelPrinter printer;
    std::unique_ptr<PrinterSession> session = std::make_unique<PrinterSession>();
    FavoritesStore* store = CreateFavoritesStore();
    ~StoredFavorites() { FreeFavoritesStore(store); }
};

int LoadStored(const Args& args, const std::string& path, StoredFavorites* f, std::string* why) {
    std::vector<uint8_t> file, names;
    if (!ReadWholeFile(path, &file, why)) return 0;
    if (!LooksLikeRegExport(file)) {
        *why = path + ": line 1: not a registry export of the printer's data";
        return 0;
    }
    if (!ReadRegExportValue(file, path, "QuickSettingNames", &names, why)) return 0;
    if (names.size() != kQuickSettingNamesSize) {
        *why = path + ": \"QuickSettingNames\" holds " + std::to_string(names.size()) + " bytes, not " +
               std::to_string(kQuickSettingNamesSize) + ": the name list is damaged";
        return 0;
    }
    if (args.Has("--model")) {
        if (!SetUpModelPrinter(&f->printer, args.Get("--model"), args.Get("--section"), args.Get("--env"), why))
            return 0;
    } else {
        f->printer.fake.spooler.AddPrinter(kToolPrinter);
        f->printer.section = "(no model)";
    }
    // Presets are named by string references: shown in English words.
    for (int i = 0; i < kStringTextRowCount; i++)
        f->printer.fake.host.strings[kStringTextRows[i].id] = U16(kStringTextRows[i].english);
    FakePrinter& p = *f->printer.fake.spooler.Printer(kToolPrinter);
    p.SetBinary(u"QuickSettingNames", names);
    std::vector<uint8_t> value;
    std::string ignored;
    if (ReadRegExportValue(file, path, "DefDevmode", &value, &ignored)) p.SetBinary(u"DefDevmode", value);
    for (int i = 0; i < kQuickSettingSlots; i++) {
        char16_t name[kQuickSettingNameUnits] = {};
        std::memcpy(name, names.data() + i * kQuickSettingNameUnits * 2, (kQuickSettingNameUnits - 1) * 2);
        if (!name[0]) continue;
        const std::u16string valueName = QuickSettingValueName(name);
        // A name without its value is listed as unreadable, as the sheet lists it.
        if (ReadRegExportValue(file, path, Narrow(valueName).c_str(), &value, &ignored)) p.SetBinary(valueName, value);
    }
    if (!ResolveForPrinter(nullptr, f->session.get())) {
        *why = "the printer's settings could not be resolved";
        return 0;
    }
    PrinterHandle h = nullptr;
    Spool().OpenPrinter(kToolPrinter, kPrinterAccessUse, &h);
    LoadFavorites(FavoritesHost{kToolPrinter, h, f->session.get()}, f->store);
    Spool().ClosePrinter(h);
    return 1;
}

const char* Standing(const FavoriteEntry& e) {
    return !e.readable ? "unreadable" : e.usable ? (e.preset == kQuickSettingPreset ? "preset" : "fits") : "does not fit";
}
}  // namespace

int FavoritesList(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 7, kListUsage, &args); done >= 0) return done;
    if (args.positional.size() != 1 || args.Has("--name") || args.Has("--output"))
        return UsageError("favorites list takes one PRINTER.reg", kListUsage);
    std::string why;
    StoredFavorites f;
    if (!LoadStored(args, args.positional[0], &f, &why)) return Refuse(why);
    const FavoritesStore& s = *f.store;
    const bool json = args.Has("--json");
    if (json)
        std::printf("{\n  \"file\": %s,\n  \"model\": %s,\n  \"favorites\": [", JsonString(args.positional[0]).c_str(),
                    JsonString(f.printer.section).c_str());
    else
        std::printf("# %s: %d favourite%s, checked against %s\n", args.positional[0].c_str(), s.count,
                    s.count == 1 ? "" : "s", f.printer.section.c_str());
    int shown = 0;
    for (int i = 0; i < kFavoriteSlots; i++) {
        const char16_t* stored = FavoriteSlotName(s, i);
        if (!stored[0]) continue;
        const FavoriteEntry& e = s.entry[i];
        const std::string name = Utf8(stored, kFavoriteNameUnits), display = Utf8(e.displayName, kFavoriteNameUnits);
        if (json)
            std::printf("%s\n    {\"slot\": %d, \"name\": %s, \"display\": %s, \"preset\": %s, \"readable\": %s, "
                        "\"usable\": %s}",
                        shown ? "," : "", i, JsonString(name).c_str(), JsonString(display).c_str(),
                        e.preset == kQuickSettingPreset ? "true" : "false", e.readable ? "true" : "false",
                        e.usable ? "true" : "false");
        else
            std::printf("%2d  %-20s  %-20s  %s\n", i, display.c_str(), name == display ? "" : name.c_str(),
                        Standing(e));
        shown++;
    }
    if (json) std::printf("%s]\n}\n", shown ? "\n  " : "");
    return kExitOk;
}

int FavoritesApply(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 7, kApplyUsage, &args); done >= 0) return done;
    if (args.positional.size() != 1 || !args.Has("--name") || !args.Has("--output") || args.Has("--json"))
        return UsageError("favorites apply takes --name NAME, one PRINTER.reg and -o OUT", kApplyUsage);
    std::string why;
    StoredFavorites f;
    const std::string& path = args.positional[0];
    if (!LoadStored(args, path, &f, &why)) return Refuse(why);
    const std::u16string name = U16(args.Get("--name"));
    const int slot = FindFavorite(*f.store, name.c_str());
    if (slot < 0) return Refuse(path + ": no favourite \"" + args.Get("--name") + "\"");
    const FavoriteEntry& e = f.store->entry[slot];
    if (!e.readable) return Refuse(path + ": favourite \"" + args.Get("--name") + "\": its stored value is damaged");
    if (!e.usable)
        return Refuse(path + ": favourite \"" + args.Get("--name") + "\" does not pass the check for " +
                      f.printer.section + " (zr51a devmode check names the failing settings)");
    f.session->dm.priv = e.settings;
    if (!WriteWholeFile(args.Get("--output"), &f.session->dm, sizeof f.session->dm, &why)) return Refuse(why);
    std::printf("%s: favourite \"%s\" applied for %s as a %zu-byte DEVMODE\n", args.Get("--output").c_str(),
                Utf8(e.displayName, kFavoriteNameUnits).c_str(), f.printer.section.c_str(), sizeof f.session->dm);
    return kExitOk;
}
