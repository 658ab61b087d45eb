// zr51a favorites export / import / show: the export file of one named
// settings record, written and read by the driver's own code.
#include <cstdio>
#include <cstring>

#include "rules/resolve.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "settings/field_table.h"
#include "zr51a.h"

namespace {
const char kExportUsage[] =
    "zr51a favorites export --devmode IN --name NAME -o FILE.qvt\n"
    "  IN: our DEVMODE (bytes or .reg export); NAME: at most 20 characters.\n";
const char kImportUsage[] =
    "zr51a favorites import FILE.qvt -o OUT\n"
    "  Writes the factory settings with the favourite's record applied as a 19040-byte DEVMODE.\n";
const char kShowUsage[] = "zr51a favorites show [--json] FILE.qvt\n";

// The file's record and name; 0 with why.
int ReadFavorite(const std::string& path, std::vector<uint8_t>* record, std::string* name, std::string* why) {
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, &file, why)) return 0;
    if (file.size() < kExportHeaderSize) {
        *why = path + ": " + std::to_string(file.size()) + " bytes: shorter than the 64-byte header";
        return 0;
    }
    if (std::memcmp(file.data(), "KELO_QVT", 8) != 0) {
        *why = path + ": offset 0: no \"KELO_QVT\" tag, not a favourites file";
        return 0;
    }
    char16_t n[kExportNameUnits] = {};
    if (ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), record, n) != 0) {
        *why = path + ": damaged: the header's length, the symbol table or the coded record does not hold";
        return 0;
    }
    *name = Utf8(n, kExportNameUnits);
    return 1;
}

// The factory settings of a printer without a model.
void FactoryDevMode(DriverDevMode* dm) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(kToolPrinter);
    auto s = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(s.get(), nullptr, nullptr, kToolPrinter, nullptr, kResolveWholeSession, kCallerConvert);
    std::memcpy(dm, &s->dm, sizeof *dm);
}

// Walks the record's items: key, value size and the offset of the value.
struct Item {
    std::string key;
    uint32_t size;
    uint32_t at;
};
int RecordItems(const std::vector<uint8_t>& r, std::vector<Item>* items, uint32_t* badAt) {
    if (r.size() < 2) return *badAt = 0, 0;
    uint32_t count = r[0] | (r[1] << 8), pos = 2;
    for (uint32_t i = 0; i < count; i++) {
        if (pos + 4 > r.size() || r[pos] != 0xA1 || r[pos + 1] != 0xA0) return *badAt = pos, 0;
        uint32_t klen = r[pos + 2] | (r[pos + 3] << 8);
        if (pos + 6 + klen > r.size()) return *badAt = pos, 0;
        uint32_t vlen = r[pos + 4 + klen] | (r[pos + 5 + klen] << 8);
        if (pos + 6 + klen + vlen > r.size()) return *badAt = pos, 0;
        items->push_back({std::string(r.begin() + pos + 4, r.begin() + pos + 4 + klen), vlen, pos + 6 + klen});
        pos += 6 + klen + vlen;
    }
    return 1;
}
}  // namespace

int FavoritesExport(int argc, char** argv) {
    const OptionSpec opts[] = {{"--devmode", nullptr, 1}, {"--name", nullptr, 1}, {"--output", "-o", 1},
                               {"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 4, kExportUsage, &args); done >= 0) return done;
    std::string why;
    if (!args.Has("--devmode") || !args.Has("--name") || !args.Has("--output") || !args.positional.empty())
        return UsageError("favorites export needs --devmode IN, --name NAME and -o FILE.qvt", kExportUsage);
    std::u16string name = U16(args.Get("--name"));
    if (name.empty() || name.size() > 20) return UsageError("--name takes 1 to 20 characters", kExportUsage);
    const std::string path = args.Get("--devmode");
    std::vector<uint8_t> bytes;
    if (!LoadDevModeFile(path, &bytes, &why)) return Refuse(why);
    DevModeLayout l;
    if (!AnalyseDevMode(bytes, path, &l, &why)) return Refuse(why);
    if (!l.ours || l.privateBytes < kPrivateSize)
        return Refuse(path + ": private part " + l.privateNote + ": a favourite needs our complete record");
    auto dm = std::make_unique<DriverDevMode>();
    FillDriverDevMode(bytes, l, dm.get());
    std::vector<uint8_t> record(kQuickRecordSize);
    int n = SerializeSettings(record.data(), dm.get(), kQuickRecordSize);
    std::vector<uint8_t> file;
    if (n <= 0 || !WriteExportFile(&file, record.data(), static_cast<uint32_t>(n), name.c_str()))
        return Refuse(path + ": the settings record could not be written");
    if (!WriteWholeFile(args.Get("--output"), file.data(), file.size(), &why)) return Refuse(why);
    std::printf("%s: favourite \"%s\", %d-byte record, %zu bytes\n", args.Get("--output").c_str(),
                args.Get("--name").c_str(), n, file.size());
    return kExitOk;
}

int FavoritesImport(int argc, char** argv) {
    const OptionSpec opts[] = {{"--output", "-o", 1}, {"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 2, kImportUsage, &args); done >= 0) return done;
    std::string why;
    if (args.positional.size() != 1 || !args.Has("--output"))
        return UsageError("favorites import takes FILE.qvt and -o OUT", kImportUsage);
    std::vector<uint8_t> record;
    std::string name;
    if (!ReadFavorite(args.positional[0], &record, &name, &why)) return Refuse(why);
    auto dm = std::make_unique<DriverDevMode>();
    FactoryDevMode(dm.get());
    int end = DeserializeSettings(record.data(), static_cast<uint32_t>(record.size()), dm.get());
    if (end < 0) {
        std::vector<Item> items;
        uint32_t at = 0;
        RecordItems(record, &items, &at);
        return Refuse(args.positional[0] + ": record offset " + std::to_string(at) +
                      ": an item without its tag or running past the record's end");
    }
    if (!WriteWholeFile(args.Get("--output"), dm.get(), sizeof *dm, &why)) return Refuse(why);
    std::printf("%s: favourite \"%s\" as a %zu-byte DEVMODE\n", args.Get("--output").c_str(), name.c_str(),
                sizeof *dm);
    return kExitOk;
}

int FavoritesShow(int argc, char** argv) {
    const OptionSpec opts[] = {{"--json", nullptr, 0}, {"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 2, kShowUsage, &args); done >= 0) return done;
    std::string why;
    if (args.positional.size() != 1) return UsageError("favorites show takes one FILE.qvt", kShowUsage);
    const std::string& path = args.positional[0];
    std::vector<uint8_t> record;
    std::string name;
    if (!ReadFavorite(path, &record, &name, &why)) return Refuse(why);
    std::vector<Item> items;
    uint32_t badAt = 0;
    if (!RecordItems(record, &items, &badAt))
        return Refuse(path + ": record offset " + std::to_string(badAt) +
                      ": an item without its tag or running past the record's end");
    auto dm = std::make_unique<DriverDevMode>();
    std::memset(dm.get(), 0, sizeof *dm);
    DeserializeSettings(record.data(), static_cast<uint32_t>(record.size()), dm.get());
    const bool json = args.Has("--json");
    if (json)
        std::printf("{\n  \"file\": %s,\n  \"name\": %s,\n  \"recordBytes\": %zu,\n  \"items\": {", JsonString(path).c_str(),
                    JsonString(name).c_str(), record.size());
    else
        std::printf("# %s: favourite \"%s\", %zu-byte record, %zu items\n", path.c_str(), name.c_str(), record.size(),
                    items.size());
    int unknown = 0;
    for (size_t i = 0; i < items.size(); i++) {
        const FieldRow* row = FindPrivateField(items[i].key.c_str());
        std::string value = row ? PrivateFieldValue(*row, &dm->priv, json) : (json ? "null" : "(unknown key)");
        unknown += row ? 0 : 1;
        if (json)
            std::printf("%s\n    %s: %s", i ? "," : "", JsonString(items[i].key).c_str(), value.c_str());
        else
            std::printf("%-40s = %s\n", items[i].key.c_str(), value.c_str());
    }
    if (json) std::printf("%s},\n  \"unknownKeys\": %d\n}\n", items.empty() ? "" : "\n  ", unknown);
    return kExitOk;
}
