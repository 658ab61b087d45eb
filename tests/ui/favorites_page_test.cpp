// The favourites page without windows: its buttons' rules, applying a
// favourite (the feed-tray rule of presets), clicks on the thumbnail cells
// and the words of a detail view.
#include "ui/favorites_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/printer_rig.h"

namespace {

TEST(FavoritesPage, ButtonRules) {
    struct Case { uint32_t control; int fullAccess, count, selected, enabled; };
    const Case cases[] = {
        {kFavoritesAddButton, 1, 29, -1, 1},   {kFavoritesAddButton, 1, 30, -1, 0},
        {kFavoritesImportButton, 0, 0, -1, 0}, {kFavoritesExportButton, 1, 3, 2, 1},
        {kFavoritesExportButton, 1, 3, -1, 0}, {kFavoritesExportButton, 0, 3, 2, 0},
        {kFavoritesManageButton, 1, 1, -1, 1}, {kFavoritesManageButton, 1, 0, -1, 0},
        {kFavoritesManageButton, 0, 4, 1, 0},  {kFavoritesRestoreButton, 1, 0, -1, -1},
    };
    for (const Case& c : cases) {
        SheetFacts f{c.fullAccess, 0, 1, c.count};
        EXPECT_EQ(c.enabled, FavoritesButtonEnabled(c.control, f, c.selected)) << c.control << " " << c.count;
    }
    EXPECT_EQ(1, IsAddFavoriteButton(30256));
    EXPECT_EQ(0, IsAddFavoriteButton(30257));
    // The page's refresh applies them from the sheet facts.
    PrinterRig rig;
    PageInput in{rig.base.get(), nullptr, {1, 0, 1, 2, 1}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(kFavoritesPage, in, *page));
    EXPECT_NE(std::string::npos, PageStateText(*page, *rig.base).find("FAVORITES_EXPORT button enabled"));
}

TEST(FavoritesPage, ApplyAndCells) {
    PrinterRig rig;
    auto store = std::unique_ptr<FavoritesStore, void (*)(FavoritesStore*)>(CreateFavoritesStore(), FreeFavoritesStore);
    const char16_t* names[] = {u"A", u"B", u"C", u"D"};
    for (int i = 0; i < 4; i++) {
        std::memcpy(&store->names[(i == 3 ? 5 : i) * kFavoriteNameUnits], names[i], 4);
        FavoriteEntry& e = store->entry[i == 3 ? 5 : i];
        e.readable = e.usable = i != 1;
        e.settings = rig.base->dm.priv;
        e.settings.copies = static_cast<uint16_t>(10 + i);
    }
    store->entry[0].preset = kQuickSettingPreset;
    struct Click { int row, x, slot; };
    const Click clicks[] = {{0, 10, 0}, {0, 160, -1 /* not usable */}, {0, 300, 2}, {1, 10, 5}, {1, 160, -1}, {0, 450, -1}};
    for (const Click& c : clicks) EXPECT_EQ(c.slot, FavoriteCellAt(*store, c.row, c.x, 148)) << c.row << " " << c.x;
    EXPECT_EQ(2, FavoriteCellRows(4));

    struct Apply { int selected, modelFS, defaultTray, applied, copies, tray; };
    const Apply applies[] = {
        {-1, 0, 0, 0, 1, -1}, {2, 1, 10, 1, 12, -1},  // a user's favourite keeps its tray
        {0, 1, 10, 1, 10, 261}, {0, 1, 3, 1, 10, 257}, {0, 0, 10, 1, 10, -1},
    };
    for (const Apply& a : applies) {
        auto s = std::make_unique<PrinterSession>(*rig.base);
        s->dm.priv.copies = 1;
        s->env.modelFS = static_cast<uint8_t>(a.modelFS);
        s->env.defaultTray[0] = static_cast<uint32_t>(a.defaultTray);
        PageInput in{s.get(), nullptr, {1, 0, 1, 4}, {30216, 5}, nullptr};
        store->selected = a.selected;
        EXPECT_EQ(a.applied, ApplySelectedFavorite(in, *store));
        EXPECT_EQ(a.copies, s->dm.priv.copies);
        EXPECT_EQ(a.tray < 0 ? rig.base->dm.priv.inputTray : a.tray, s->dm.priv.inputTray) << a.selected;
    }
}

TEST(FavoritesPage, DetailLines) {
    PrinterRig rig;
    rig.fake.host.strings[20680] = u"On";
    PageInput in{rig.base.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    PrivateSettings p = rig.base->dm.priv;
    p.copies = 7;
    p.proofPrint = 1;
    DetailLine lines[kDetailLineRoom];
    const int n = FavoriteDetailLines(in, p, lines, kDetailLineRoom);
    ASSERT_GT(n, 10);
    int copies = 0, proof = 0, notApplying = 0;
    for (int i = 0; i < n; i++) {
        if (lines[i].nameId == 25022) copies = lines[i].value == "7";
        if (lines[i].nameId == 25023) proof = lines[i].valueId == 20680;
        notApplying += lines[i].value == "---";
        EXPECT_TRUE(lines[i].valueId || !lines[i].value.empty()) << lines[i].nameId;
    }
    EXPECT_EQ(1, copies);
    EXPECT_EQ(1, proof);
    EXPECT_GT(notApplying, 0);  // finishing on a printer without a finisher
}

}  // namespace
