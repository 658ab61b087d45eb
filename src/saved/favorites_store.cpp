#include "saved/favorites_store.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "rules/settings_application.h"
#include "rules/settings_validity.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "session/global_list.h"

namespace {

constexpr size_t kNameChars = kFavoriteNameUnits - 1;
// Room for a stored value's record: ours is 12206 bytes; one made by a later
// key table may be longer, but never this long.
constexpr uint32_t kRecordRoom = 65536;

char16_t* Slot(FavoritesStore* s, int i) { return &s->names[static_cast<size_t>(i) * kFavoriteNameUnits]; }
const char16_t* Slot(const FavoritesStore& s, int i) { return &s.names[static_cast<size_t>(i) * kFavoriteNameUnits]; }

int SameName(const char16_t* a, const char16_t* b) { return Text16Compare(a, b, kNameChars) == 0; }

int IsNameRef(const char16_t* n) { return n[0] == u'+' && n[1] == u'I' && n[2] == u'D' && n[3] == u'S'; }

// "+IDS_20674": the resource string 20674 in the session's language, cut to
// 20 characters; a reference without its string shows as stored.
void DisplayName(const char16_t* stored, uint32_t languageId, char16_t* out) {
    Text16Copy(out, kFavoriteNameUnits, stored);
    if (!IsNameRef(stored) || !stored[4]) return;
    uint32_t id = 0;
    for (const char16_t* p = stored + 5; *p >= u'0' && *p <= u'9'; p++) id = id * 10 + uint32_t(*p - u'0');
    char16_t text[256] = {};
    if (id && Sys().LoadResourceString(languageId, id, text, 256) > 0) Text16Copy(out, kFavoriteNameUnits, text);
}

// Whether "QuickSettingNames" is missing altogether (a printer without
// favourites) rather than unreadable.
int NamesMissing(const char16_t* printerName) {
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return 0;
    uint32_t type = 0, needed = 0;
    uint32_t error = Spool().GetPrinterData(h, u"QuickSettingNames", &type, nullptr, 0, &needed);
    Spool().ClosePrinter(h);
    return error == kErrFileNotFound;
}

// A paper id as this printer knows it: a listed paper stays, the output's
// "same as original" (0) stays; anything else becomes the environment's
// default for the unit of length, as a fresh record gets it.
uint16_t FitPaper(const PrinterEnvironment& env, uint16_t id, int output) {
    if (output && id == 0) return 0;
    if (PaperListIndex(&env, id) >= 0) return id;
    const int inch = env.unitOfLength != 0;
    uint32_t fallback = env.defaultPaper[output ? (inch ? 3 : 2) : (inch ? 1 : 0)];
    if (!fallback) fallback = env.defaultPaper[inch ? 1 : 0];
    if (!fallback) fallback = inch ? 1 : 9;  // a printer never given defaults: Letter or A4
    return static_cast<uint16_t>(fallback);
}
void FitPapers(const PrinterEnvironment& env, PrivateSettings* p) {
    p->originalSize = FitPaper(env, p->originalSize, 0);
    p->outputSize = FitPaper(env, p->outputSize, 1);
}

// The keyed record of a favourite's settings, its papers fitted.
int RecordOf(const PrinterSession& base, const PrivateSettings& settings, std::vector<uint8_t>* record) {
    auto dm = std::make_unique<DriverDevMode>();
    std::memcpy(dm.get(), &base.dm, sizeof *dm);
    dm->priv = settings;
    FitPapers(base.env, &dm->priv);
    record->assign(kQuickRecordSize, 0);
    int n = SerializeSettings(record->data(), dm.get(), kQuickRecordSize);
    if (n <= 0) return 0;
    record->resize(static_cast<size_t>(n));
    return 1;
}

// The validity check of settings on the host's printer.
int Passes(const FavoritesHost& host, PrinterSession* work, const PrivateSettings& settings, const char16_t* name) {
    work->dm.priv = settings;
    return CheckOptionDMode(work, host.printer, name);
}

// A stored value as it was, to be put back after a failed write.
struct StoredValue {
    std::u16string name;
    int present;
    uint32_t flag;
    std::vector<uint8_t> record;
};
StoredValue ReadStored(const char16_t* printerName, const char16_t* name) {
    StoredValue v{name, 0, 0, std::vector<uint8_t>(kRecordRoom)};
    int n = ReadQuickSetting(printerName, name, v.record.data(), kRecordRoom, &v.flag);
    v.present = n > 0;
    v.record.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return v;
}
void PutBack(const char16_t* printerName, const StoredValue& v) {
    if (v.present)
        WriteQuickSetting(printerName, v.name.c_str(), v.flag, v.record.data(), static_cast<uint32_t>(v.record.size()));
    else
        DeleteQuickSetting(printerName, v.name.c_str());
}

int SlotHolding(const char16_t* names, const char16_t* name) {
    for (int i = 0; i < kFavoriteSlots; i++)
        if (names[i * kFavoriteNameUnits] && SameName(&names[i * kFavoriteNameUnits], name)) return i;
    return -1;
}

}  // namespace

FavoritesStore* CreateFavoritesStore() {
    auto* s = new (std::nothrow) FavoritesStore;
    if (!s) return nullptr;
    std::memset(s, 0, sizeof *s);
    s->selected = -1;
    return s;
}

void FreeFavoritesStore(FavoritesStore* store) { delete store; }

const char16_t* FavoriteSlotName(const FavoritesStore& store, int slot) {
    return slot >= 0 && slot < kFavoriteSlots ? Slot(store, slot) : u"";
}

int LoadFavorites(const FavoritesHost& host, FavoritesStore* store) {
    if (!store) return 0;
    std::memset(store, 0, sizeof *store);
    store->selected = -1;
    int count = 0;
    if (!ReadQuickSettingNames(host.printerName, store->names, &count)) {
        store->namesState = NamesMissing(host.printerName) ? kFavoriteNamesNone : kFavoriteNamesDamaged;
        if (store->namesState == kFavoriteNamesDamaged) DrvLog(nullptr, "favorites: QuickSettingNames unreadable\n");
        return 0;
    }
    store->namesState = kFavoriteNamesRead;
    store->count = count;
    if (!host.session) return 1;
    auto work = std::make_unique<PrinterSession>();
    std::memcpy(work.get(), host.session, sizeof *work);
    std::vector<uint8_t> record(kRecordRoom);
    for (int i = 0; i < kFavoriteSlots; i++) {
        const char16_t* name = Slot(*store, i);
        FavoriteEntry& e = store->entry[i];
        DisplayName(name, host.session->env.languageId, e.displayName);
        if (!e.displayName[0]) continue;
        Text16Copy(e.loadedName, kFavoriteNameUnits, name);
        std::memcpy(&work->dm, &host.session->dm, sizeof work->dm);
        ResetPrivateSettings(work.get(), host.printer, 1);
        uint32_t flag = 0;
        int n = ReadQuickSetting(host.printerName, name, record.data(), kRecordRoom, &flag);
        if (n <= 0 || DeserializeSettings(record.data(), static_cast<uint32_t>(n), &work->dm) < 0) {
            DrvLog(nullptr, "favorites: slot %d has no readable settings\n", i);
            continue;  // listed by name, without settings
        }
        FitPapers(work->env, &work->dm.priv);
        e.readable = 1;
        e.preset = flag;
        e.usable = flag == kQuickSettingPreset || CheckOptionDMode(work.get(), host.printer, e.displayName);
        if (e.usable) ApplyDeviceRestrictions(work.get(), host.printer);
        e.settings = work->dm.priv;
    }
    return 1;
}

int FindFavorite(const FavoritesStore& store, const char16_t* name) {
    if (!name || !name[0]) return -1;
    for (int i = 0; i < kFavoriteSlots; i++) {
        if (!Slot(store, i)[0]) continue;
        if (SameName(Slot(store, i), name) || SameName(store.entry[i].displayName, name)) return i;
    }
    return -1;
}

int GetFavoriteSettings(const FavoritesStore& store, const char16_t* name, PrivateSettings* out) {
    int i = FindFavorite(store, name);
    if (i < 0 || !out || !store.entry[i].readable) return 0;
    *out = store.entry[i].settings;
    return 1;
}

int CountFavorites(const char16_t* printerName) {
    auto names = std::make_unique<char16_t[]>(kFavoriteSlots * kFavoriteNameUnits);
    int count = 0;
    return ReadQuickSettingNames(printerName, names.get(), &count) ? count : 0;
}

int SaveFavorite(const FavoritesHost& host, FavoritesStore* store, const DriverDevMode& dm, const char16_t* name,
                 int overwrite, uint32_t preset, int* exists) {
    if (exists) *exists = 0;
    if (!store || !name || !name[0] || !host.session || store->namesState == kFavoriteNamesDamaged) return 0;
    int slot = FindFavorite(*store, name);
    if (slot >= 0 && !overwrite) {
        if (exists) *exists = 1;
        return 0;
    }
    const int added = slot < 0;
    if (added) {
        for (int i = 0; i < kFavoriteSlots && slot < 0; i++)
            if (!Slot(*store, i)[0]) slot = i;
        if (slot < 0) return 0;  // full: the 31st is not stored
        // A store never loaded must not write its empty list over stored names.
        if (store->namesState == kFavoriteNamesNone && !NamesMissing(host.printerName)) return 0;
    }
    // Stored under the slot's own name, which for an overwritten preset is
    // its "+IDS" reference.
    char16_t stored[kFavoriteNameUnits] = {};
    Text16Copy(stored, kFavoriteNameUnits, added ? name : Slot(*store, slot));
    std::vector<uint8_t> record;
    if (!RecordOf(*host.session, dm.priv, &record)) return 0;
    const StoredValue before = ReadStored(host.printerName, stored);
    if (!WriteQuickSetting(host.printerName, stored, preset, record.data(), static_cast<uint32_t>(record.size())))
        return 0;
    if (added) {
        char16_t names[kFavoriteSlots * kFavoriteNameUnits];
        std::memcpy(names, store->names, sizeof names);
        Text16Copy(&names[slot * kFavoriteNameUnits], kFavoriteNameUnits, stored);
        if (!WriteQuickSettingNames(host.printerName, names)) {
            PutBack(host.printerName, before);
            return 0;
        }
        std::memcpy(store->names, names, sizeof names);
        store->count++;
        store->namesState = kFavoriteNamesRead;
    }
    FavoriteEntry& e = store->entry[slot];
    DisplayName(stored, host.session->env.languageId, e.displayName);
    Text16Copy(e.loadedName, kFavoriteNameUnits, stored);
    e.settings = dm.priv;
    FitPapers(host.session->env, &e.settings);
    e.readable = 1;
    e.preset = preset;
    e.usable = 1;  // saved from settings this printer's pages made
    store->reload = 1;
    return 1;
}

int RewriteFavorites(const FavoritesHost& host, const FavoritesStore& edited) {
    if (!host.session) return 0;
    char16_t old[kFavoriteSlots * kFavoriteNameUnits] = {};
    int oldCount = 0;
    if (!ReadQuickSettingNames(host.printerName, old, &oldCount) && !NamesMissing(host.printerName)) return 0;
    // Every value to write, with what it overwrites.
    struct Write {
        std::u16string name;
        uint32_t flag;
        std::vector<uint8_t> record;
    };
    std::vector<Write> writes;
    std::vector<StoredValue> before;
    for (int i = 0; i < kFavoriteSlots; i++) {
        const char16_t* name = Slot(edited, i);
        if (!name[0]) continue;
        const FavoriteEntry& e = edited.entry[i];
        Write w{std::u16string(name, Text16Length(name, kNameChars)), e.preset, {}};
        if (e.readable) {
            if (!RecordOf(*host.session, e.settings, &w.record)) return 0;
        } else {
            StoredValue kept = ReadStored(host.printerName, e.loadedName[0] ? e.loadedName : name);
            if (!kept.present) continue;  // listed by name only, as before
            w.flag = kept.flag;
            w.record = std::move(kept.record);
        }
        before.push_back(ReadStored(host.printerName, w.name.c_str()));
        writes.push_back(std::move(w));
    }
    auto undo = [&](size_t written) {
        for (size_t k = 0; k < written; k++) PutBack(host.printerName, before[k]);
        DrvLog(nullptr, "favorites: rewrite failed, the stored favourites were put back\n");
        return 0;
    };
    for (size_t k = 0; k < writes.size(); k++)
        if (!WriteQuickSetting(host.printerName, writes[k].name.c_str(), writes[k].flag, writes[k].record.data(),
                               static_cast<uint32_t>(writes[k].record.size())))
            return undo(k);
    if (!WriteQuickSettingNames(host.printerName, edited.names)) return undo(writes.size());
    // Only now may the values of names that are gone go.
    for (int i = 0; i < kFavoriteSlots; i++) {
        const char16_t* name = &old[i * kFavoriteNameUnits];
        if (name[0] && SlotHolding(edited.names, name) < 0) DeleteQuickSetting(host.printerName, name);
    }
    return 1;
}

int ImportFavorite(const FavoritesHost& host, FavoritesStore* store, const uint8_t* file, uint32_t length) {
    if (!store || !file || !host.session) return 0;
    std::vector<uint8_t> record;
    char16_t name[kExportNameUnits] = {};
    if (ReadExportFile(file, length, &record, name) != 0) {
        DrvLog(nullptr, "favorites: import refused: not a readable favourites file\n");
        return 0;
    }
    auto work = std::make_unique<PrinterSession>();
    std::memcpy(work.get(), host.session, sizeof *work);
    if (DeserializeSettings(record.data(), static_cast<uint32_t>(record.size()), &work->dm) < 0) {
        DrvLog(nullptr, "favorites: import refused: the record's items do not hold\n");
        return 0;
    }
    FitPapers(work->env, &work->dm.priv);
    int exists = 0;
    if (!SaveFavorite(host, store, work->dm, name, 0, 0, &exists) && !exists) return 0;
    int slot = FindFavorite(*store, name);
    if (slot < 0) return 0;
    FavoriteEntry& e = store->entry[slot];
    if (e.readable)
        e.usable = e.preset == kQuickSettingPreset || Passes(host, work.get(), e.settings, e.displayName);
    if (e.usable) store->selected = slot;
    store->reload = 1;
    return 1;
}

int ExportFavorite(const FavoritesHost& host, const FavoritesStore& store, const char16_t* name,
                   std::vector<uint8_t>* file) {
    int slot = FindFavorite(store, name);
    if (slot < 0 || !file) return 0;
    const char16_t* stored = Slot(store, slot);
    std::vector<uint8_t> record(kRecordRoom);
    uint32_t flag = 0;
    int n = ReadQuickSetting(host.printerName, stored, record.data(), kRecordRoom, &flag);
    if (n <= 0) return 0;
    return WriteExportFile(file, record.data(), static_cast<uint32_t>(n), stored);
}

int MoveFavorite(FavoritesStore* store, int slot, int delta) {
    if (!store || (delta != -1 && delta != 1) || slot < 0 || slot >= kFavoriteSlots || !Slot(store, slot)[0])
        return 0;
    const int to = slot + delta;
    if (to < 0 || to >= kFavoriteSlots || !Slot(store, to)[0]) return 0;
    char16_t name[kFavoriteNameUnits];
    std::memcpy(name, Slot(store, slot), sizeof name);
    std::memcpy(Slot(store, slot), Slot(store, to), sizeof name);
    std::memcpy(Slot(store, to), name, sizeof name);
    auto e = std::make_unique<FavoriteEntry>(store->entry[slot]);
    store->entry[slot] = store->entry[to];
    store->entry[to] = *e;
    store->selected = to;
    return 1;
}

int DeleteFavorite(FavoritesStore* store, int slot) {
    if (!store || slot < 0 || slot >= kFavoriteSlots || !Slot(store, slot)[0]) return 0;
    for (int i = slot; i + 1 < kFavoriteSlots; i++) {
        std::memcpy(Slot(store, i), Slot(store, i + 1), kFavoriteNameUnits * sizeof(char16_t));
        store->entry[i] = store->entry[i + 1];
    }
    std::memset(Slot(store, kFavoriteSlots - 1), 0, kFavoriteNameUnits * sizeof(char16_t));
    std::memset(&store->entry[kFavoriteSlots - 1], 0, sizeof(FavoriteEntry));
    store->count--;
    store->selected = Slot(store, slot)[0] ? slot : slot - 1;
    return 1;
}

int RenameFavorite(FavoritesStore* store, int slot, const char16_t* name) {
    if (!store || !name || !name[0] || slot < 0 || slot >= kFavoriteSlots || !Slot(store, slot)[0]) return 0;
    int other = FindFavorite(*store, name);
    if (other >= 0 && other != slot) return 0;
    Text16Copy(Slot(store, slot), kFavoriteNameUnits, name);
    Text16Copy(store->entry[slot].displayName, kFavoriteNameUnits, name);
    store->selected = slot;
    return 1;
}
