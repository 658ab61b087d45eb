// The colour-profile and barcode-density dialogs on the page model: the entry
// the stored name chooses (names no longer listed, over-long and unterminated
// ones too), what each entry enables and resets, and the name a choice stores.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/color_profile_dialog.h"
#include "ui/image_page.h"
#include "ui/page_changes.h"
#include "ui/sub_dialog_model.h"

namespace {

constexpr uint32_t kList = 32211, kIntent = 32213, kDrop = 32215;

TEST(ColorProfileDialog, StoredNameChoosesTheEntry) {
    const std::u16string longName(kRegNameUnits, u'p');  // fills its slot, no terminator
    const struct {
        const char* what;
        std::u16string stored;
        int16_t drop;
        uint32_t entry;          // the list's value selected
        int intentOn, dropOn;
        uint8_t intent;          // what the copy holds after the refresh
        int16_t dropAfter;
    } rows[] = {
        {"automatic", u"Auto", 4, 0, 0, 0, 3, 0},
        {"not used keeps the ink limit", u"NotUse", 4, 1, 0, 1, 3, 4},
        {"a listed profile", u"Matte", 4, 3, 1, 1, 2, 4},
        {"a profile no longer listed", u"Gone", 4, 0, 0, 0, 3, 0},
        {"an ink limit the model does not have", u"Matte", 11, 3, 1, 1, 2, 0},
        {"a name longer than the job holds", longName, 0, 0, 0, 0, 3, 0},
    };
    auto lists = NamedLists(&RetrievalTargets::profileNames, {u"Gloss", u"Matte", longName});
    for (const auto& r : rows) {
        auto s = ZeroSession();
        s->env.printCheckLevel = 1;  // levels 0, 3 and 4 leave the ink limit to the printer
        PrivateSettings& p = s->dm.priv;
        for (size_t k = 0; k < r.stored.size() && k < 255; k++) p.fileName_ColorProfile[k] = r.stored[k];
        p.renderingIntent_ColorProfile = 2;
        p.maxDrop_ColorProfile = r.drop;
        auto page = Refreshed(kColorProfileDialog, *s, lists.get());
        const ControlState& list = ControlOf(*page, kList);
        ASSERT_EQ(5, list.itemCount) << r.what;
        ASSERT_GE(list.selected, 0) << r.what;
        EXPECT_EQ(r.entry, list.item[list.selected].value) << r.what;
        EXPECT_EQ(r.intentOn, ControlOf(*page, kIntent).enabled) << r.what;
        EXPECT_EQ(r.dropOn, ControlOf(*page, kDrop).enabled) << r.what;
        EXPECT_EQ(r.intent, p.renderingIntent_ColorProfile) << r.what;
        EXPECT_EQ(r.dropAfter, p.maxDrop_ColorProfile) << r.what;
    }
}

TEST(ColorProfileDialog, ChoiceStoresItsName) {
    auto lists = NamedLists(&RetrievalTargets::profileNames, {u"Gloss", u"Matte"});
    const struct {
        uint32_t value;
        int written;
        std::u16string name;
    } rows[] = {{0, 1, u"Auto"}, {1, 1, u"NotUse"}, {3, 1, u"Matte"}, {4, 0, u"Matte"}};
    auto s = ZeroSession();
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, lists.get()};
    for (const auto& r : rows) {
        EXPECT_EQ(r.written ? kChangeWritten : kChangeRefused, ChangeSubDialogControl(kColorProfileDialog, in, kList, r.value));
        EXPECT_EQ(r.name, std::u16string(s->dm.priv.fileName_ColorProfile)) << r.value;
    }
}

TEST(BarcodeDensityDialog, ThreeDensitiesTheJobsSelected) {
    auto s = ZeroSession();
    s->dm.priv.density_BarcodeAreaDefinition = 11;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(kBarcodeDensityDialog, in, *page));
    const ControlState& c = ControlOf(*page, 31110);
    EXPECT_EQ((std::vector<uint32_t>{12, 11, 0}), ItemValues(c));
    EXPECT_EQ(1, c.selected);
    ASSERT_EQ(kChangeWritten, ChangeSubDialogControl(kBarcodeDensityDialog, in, 31110, 12));
    EXPECT_EQ(12, s->dm.priv.density_BarcodeAreaDefinition);
}

}  // namespace
