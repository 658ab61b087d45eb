// The favourites store over the in-memory spooler: the name rules of saving,
// loading with presets, misfits and damaged values, import and export, and
// that a failed write leaves the printer's data exactly as it was.
#include "saved/favorites_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "settings/printer_rig.h"

namespace {

using Data = std::vector<std::pair<std::u16string, FakeValue>>;
bool SameData(const Data& a, const Data& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].first != b[i].first || a[i].second.bytes != b[i].second.bytes) return false;
    return true;
}

// A two-colour printer (so that automatic colour is a misfit) holding a
// preset favourite and "Office", loaded into a store.
struct Rig {
    PrinterRig printer{[](PrinterEnvironment& e) { e.modelColor = 22; }};
    FavoritesHost host{u"P1", nullptr, printer.base.get()};
    FavoritesStore* store = CreateFavoritesStore();
    Rig() {
        printer.fake.host.strings[20674] = u"Standard";
        printer.base->dm.priv.colorMode = 2;  // black fits: the store's own favourites pass the check
        int exists = 0;
        EXPECT_EQ(1, SaveFavorite(host, store, printer.base->dm, u"+IDS_20674", 0, kQuickSettingPreset, &exists));
        EXPECT_EQ(1, SaveFavorite(host, store, printer.base->dm, u"Office", 0, 0, &exists));
        EXPECT_EQ(1, LoadFavorites(host, store));
    }
    ~Rig() { FreeFavoritesStore(store); }
    FakePrinter& P() { return *printer.fake.spooler.Printer(u"P1"); }
    void Store(const char16_t* name, uint32_t flag, const PrivateSettings& s) {
        auto dm = std::make_unique<DriverDevMode>(printer.base->dm);
        dm->priv = s;
        std::vector<uint8_t> rec(kQuickRecordSize);
        int n = SerializeSettings(rec.data(), dm.get(), kQuickRecordSize);
        ASSERT_EQ(1, WriteQuickSetting(u"P1", name, flag, rec.data(), static_cast<uint32_t>(n)));
    }
};

TEST(FavoritesStore, SaveNameRules) {
    struct Case { const char16_t* name; int overwrite; int saved; int exists; int slot; };
    const Case cases[] = {
        {u"", 0, 0, 0, -1},
        {u"Office", 0, 0, 1, 1},
        {u"Standard", 0, 0, 1, 0},    // the preset's display name is taken too
        {u"+IDS_20674", 0, 0, 1, 0},  // and its stored name
        {u"Office", 1, 1, 0, 1},
        {u"Draft", 0, 1, 0, 2},       // the lowest empty slot
    };
    for (const Case& c : cases) {
        Rig r;
        int exists = 9;
        EXPECT_EQ(c.saved, SaveFavorite(r.host, r.store, r.printer.base->dm, c.name, c.overwrite, 0, &exists))
            << Narrow(c.name);
        EXPECT_EQ(c.exists, exists) << Narrow(c.name);
        EXPECT_EQ(c.slot, FindFavorite(*r.store, c.name)) << Narrow(c.name);
        EXPECT_EQ(c.saved && !c.overwrite ? 3 : 2, CountFavorites(u"P1")) << Narrow(c.name);
        EXPECT_EQ(2 + (c.saved && !c.overwrite), r.store->count);
    }
}

TEST(FavoritesStore, LoadResolvesChecksAndSurvivesDamage) {
    Rig r;
    PrivateSettings misfit = r.printer.base->dm.priv;
    misfit.colorMode = 0;  // automatic colour: not on a two-colour model
    misfit.originalSize = 9999;  // a paper this printer lacks
    r.Store(u"+IDS_20674", kQuickSettingPreset, misfit);
    r.Store(u"Office", 0, misfit);
    int exists = 0;
    ASSERT_EQ(1, SaveFavorite(r.host, r.store, r.printer.base->dm, u"Cut", 0, 0, &exists));
    FakeValue* cut = r.P().Find(u"QuickSetting_004300750074");
    ASSERT_NE(nullptr, cut);
    cut->bytes.resize(4000);  // a stored value of the wrong size
    // A slot without its terminator reads as its first 20 characters.
    std::vector<uint8_t> names = r.P().Find(u"QuickSettingNames")->bytes;
    const char16_t full[] = u"ABCDEFGHIJKLMNOPQRSTU";
    std::memcpy(names.data() + 3 * 42, full, 42);
    r.P().SetBinary(u"QuickSettingNames", names);
    r.Store(u"ABCDEFGHIJKLMNOPQRST", 0, r.printer.base->dm.priv);

    ASSERT_EQ(1, LoadFavorites(r.host, r.store));
    struct Expect { int slot; const char16_t* display; uint32_t readable, preset, usable; };
    const Expect expect[] = {
        {0, u"Standard", 1, 1, 1},  // a preset is trusted
        {1, u"Office", 1, 0, 0},    // the misfit is listed, not usable
        {2, u"Cut", 0, 0, 0},       // listed by name without settings
        {3, u"ABCDEFGHIJKLMNOPQRST", 1, 0, 1},
    };
    for (const Expect& e : expect) {
        const FavoriteEntry& got = r.store->entry[e.slot];
        EXPECT_EQ(Narrow(e.display), Narrow(got.displayName)) << e.slot;
        EXPECT_EQ(e.readable, got.readable) << e.slot;
        EXPECT_EQ(e.preset, got.preset) << e.slot;
        EXPECT_EQ(e.usable, got.usable) << e.slot;
    }
    EXPECT_EQ(4, r.store->count);
    EXPECT_EQ(9, r.store->entry[1].settings.originalSize);  // the environment's default paper
    EXPECT_EQ(u"+IDS_20674", std::u16string(FavoriteSlotName(*r.store, 0)));
}

TEST(FavoritesStore, DamagedNameListIsNeverWrittenOver) {
    Rig r;
    r.P().SetBinary(u"QuickSettingNames", std::vector<uint8_t>(1000, 0x41));
    const Data before = r.P().data;
    EXPECT_EQ(0, LoadFavorites(r.host, r.store));
    EXPECT_EQ(kFavoriteNamesDamaged, r.store->namesState);
    int exists = 0;
    EXPECT_EQ(0, SaveFavorite(r.host, r.store, r.printer.base->dm, u"New", 0, 0, &exists));
    EXPECT_EQ(0, RewriteFavorites(r.host, *r.store));
    EXPECT_TRUE(SameData(before, r.P().data));
}

TEST(FavoritesStore, ThirtyFirstIsRefused) {
    Rig r;
    int exists = 0;
    for (int i = 2; i < kFavoriteSlots; i++)
        ASSERT_EQ(1, SaveFavorite(r.host, r.store, r.printer.base->dm, U16("F" + std::to_string(i)).c_str(), 0, 0,
                                  &exists));
    const Data before = r.P().data;
    EXPECT_EQ(0, SaveFavorite(r.host, r.store, r.printer.base->dm, u"F30", 0, 0, &exists));
    EXPECT_EQ(0, exists);
    EXPECT_TRUE(SameData(before, r.P().data));
    EXPECT_EQ(30, CountFavorites(u"P1"));
}

// Every write that fails part-way leaves names and values as they were.
TEST(FavoritesStore, FailedWritesPutEverythingBack) {
    for (int allowed = 0; allowed < 5; allowed++) {
        Rig r;
        const Data before = r.P().data;
        r.P().setDataAllowed = allowed;
        int exists = 0;
        if (allowed < 2) {
            EXPECT_EQ(0, SaveFavorite(r.host, r.store, r.printer.base->dm, u"New", 0, 0, &exists));
        }
        EXPECT_TRUE(SameData(before, r.P().data)) << allowed;
        // Rename, reorder: two values and the names to write.
        ASSERT_EQ(1, RenameFavorite(r.store, 1, u"Home"));
        ASSERT_EQ(1, MoveFavorite(r.store, 1, -1));
        r.P().setDataAllowed = allowed;
        EXPECT_EQ(allowed >= 3 ? 1 : 0, RewriteFavorites(r.host, *r.store)) << allowed;
        if (allowed < 3) {
            EXPECT_TRUE(SameData(before, r.P().data)) << allowed;
        }
    }
}

TEST(FavoritesStore, ManagementEditsRewriteExactly) {
    Rig r;
    int exists = 0;
    ASSERT_EQ(1, SaveFavorite(r.host, r.store, r.printer.base->dm, u"Draft", 0, 0, &exists));
    EXPECT_EQ(0, RenameFavorite(r.store, 2, u"Standard"));  // another's display name
    EXPECT_EQ(0, RenameFavorite(r.store, 2, u""));
    EXPECT_EQ(0, MoveFavorite(r.store, 2, 1));  // nothing below the last
    ASSERT_EQ(1, RenameFavorite(r.store, 2, u"abc"));
    ASSERT_EQ(1, MoveFavorite(r.store, 2, -1));  // Standard, abc, Office
    ASSERT_EQ(1, DeleteFavorite(r.store, 2));
    EXPECT_EQ(1, r.store->selected);
    ASSERT_EQ(1, RewriteFavorites(r.host, *r.store));
    std::vector<std::u16string> quick;
    for (const auto& [name, value] : r.P().data)
        if (name.rfind(u"QuickSetting_", 0) == 0) quick.push_back(name);
    EXPECT_EQ((std::vector<std::u16string>{u"QuickSetting_+IDS_20674", u"QuickSetting_006100620063"}), quick);
    ASSERT_EQ(1, LoadFavorites(r.host, r.store));
    EXPECT_EQ(2, r.store->count);
    EXPECT_EQ(1u, r.store->entry[0].preset);
    EXPECT_EQ(u"abc", std::u16string(FavoriteSlotName(*r.store, 1)));
}

TEST(FavoritesStore, ImportAndExport) {
    Rig r;
    std::vector<uint8_t> preset;
    ASSERT_EQ(1, ExportFavorite(r.host, *r.store, u"Standard", &preset));
    std::vector<uint8_t> rec;
    char16_t name[kExportNameUnits] = {};
    ASSERT_EQ(0, ReadExportFile(preset.data(), static_cast<uint32_t>(preset.size()), &rec, name));
    EXPECT_EQ(u"+IDS_20674", std::u16string(name));

    // A file another machine wrote: its own settings, a paper unknown here.
    auto other = std::make_unique<DriverDevMode>(r.printer.base->dm);
    other->priv.copies = 7;
    other->priv.originalSize = 9999;
    std::vector<uint8_t> otherRec(kQuickRecordSize), file;
    SerializeSettings(otherRec.data(), other.get(), kQuickRecordSize);
    ASSERT_EQ(1, WriteExportFile(&file, otherRec.data(), kQuickRecordSize, u"Remote"));
    ASSERT_EQ(1, ImportFavorite(r.host, r.store, file.data(), static_cast<uint32_t>(file.size())));
    int slot = FindFavorite(*r.store, u"Remote");
    ASSERT_EQ(2, slot);
    EXPECT_EQ(slot, r.store->selected);
    EXPECT_EQ(7, r.store->entry[slot].settings.copies);
    EXPECT_EQ(9, r.store->entry[slot].settings.originalSize);
    // Again under a name that exists: the old settings stay, it counts as done.
    other->priv.copies = 3;
    SerializeSettings(otherRec.data(), other.get(), kQuickRecordSize);
    ASSERT_EQ(1, WriteExportFile(&file, otherRec.data(), kQuickRecordSize, u"Remote"));
    r.store->selected = -1;
    EXPECT_EQ(1, ImportFavorite(r.host, r.store, file.data(), static_cast<uint32_t>(file.size())));
    EXPECT_EQ(7, r.store->entry[slot].settings.copies);
    EXPECT_EQ(slot, r.store->selected);

    // A file the reader refuses (its kinds of damage are the export file's
    // own tests) changes nothing.
    file.resize(file.size() / 2);
    const Data before = r.P().data;
    EXPECT_EQ(0, ImportFavorite(r.host, r.store, file.data(), static_cast<uint32_t>(file.size())));
    EXPECT_TRUE(SameData(before, r.P().data));
    EXPECT_EQ(3, r.store->count);
}

}  // namespace
