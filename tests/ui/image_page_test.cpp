// The Image tab's rules on the page model: every question with both answers,
// the barcode area taken from the printer's lists (damaged and missing lists
// too) and what the page enables. The page texts of each model are in
// tests/ui/pages.
#include <gtest/gtest.h>

#include <string>

#include "ui/image_page.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kColorMode = 30211, kPaperType = 30241, kImageMode = 30611, kQuality = 30615, kGamma = 30628,
                   kBarcode = 30632, kArea = 30633, kAreaDialog = 30634, kProof = 30635,
                   kEnvelope = 30636, kBlankCut = 30729;

std::unique_ptr<PrinterSession> Session(uint8_t inkCount = 4) {
    auto s = ZeroSession();
    s->env.modelColor = 40;
    s->env.inkCount = inkCount;
    s->env.defaultPaperType = 258;
    return s;
}

std::unique_ptr<RetrievalTargets> Areas(std::vector<std::u16string> names) {
    auto t = NamedLists(&RetrievalTargets::barcodeNames, names);
    for (size_t i = 0; i < names.size(); i++) t->barcodeRepeats[i] = 10 * (i + 1), t->barcodeMaxPages[i] = 100 * (i + 1);
    return t;
}

const std::vector<ChangeCase> kCases = {
    {"standard quality on inkjet paper", {{kQuality, 5}, {kColorMode, 1}, {kPaperType, 260}}, kQuality, 1, {20028},
     {{kQuality, 1}, {kPaperType, 258}}, {{kQuality, 5}, {kPaperType, 260}}},
    {"press quality in mono", {{kQuality, 1}, {kColorMode, 2}, {kPaperType, 258}}, kQuality, 6, {20035},
     {{kQuality, 6}, {kColorMode, 1}}, {{kQuality, 1}, {kColorMode, 2}}},
    {"inkjet quality on pressure-seal paper in mono", {{kQuality, 6}, {kColorMode, 2}, {kPaperType, 266}}, kQuality,
     5, {21010, 20035}, {{kQuality, 5}, {kPaperType, 258}, {kColorMode, 1}}, {{kQuality, 6}, {kPaperType, 266}}},
    {"fine quality in colour", {{kQuality, 1}, {kColorMode, 1}, {kPaperType, 258}}, kQuality, 2, {},
     {{kQuality, 2}}, {}},
    {"inkjet quality takes photo mode", {{kQuality, 1}, {kColorMode, 1}, {kPaperType, 258}, {kImageMode, 2}},
     kQuality, 5, {}, {{kQuality, 5}, {kImageMode, 1}}, {}},
    {"gamma over skipped blank pages", {{kBlankCut, 1}}, kGamma, 1, {20314}, {{kGamma, 1}, {kBlankCut, 0}},
     {{kGamma, 0}, {kBlankCut, 1}}},
    {"envelope processing in auto colour", {{kColorMode, 0}}, kEnvelope, 1, {20025},
     {{kEnvelope, 1}, {kColorMode, 1}}, {{kEnvelope, 0}, {kColorMode, 0}}},
    {"envelope processing in colour", {{kColorMode, 1}}, kEnvelope, 1, {}, {{kEnvelope, 1}}, {}},
};

TEST(ImagePage, ChangesAskAndAnswer) {
    CheckChanges(30602, kCases, 0, [](const ChangeCase&) { return Session(); });
}

std::u16string AreaName(const PrivateSettings& p) { return std::u16string(p.fileName_BarcodeAreaDefinition); }

TEST(ImagePage, BarcodeAreasFromThePrintersLists) {
    const struct {
        const char* what;
        std::vector<std::u16string> areas;
        std::u16string stored;
        uint8_t on, proof;
        int index;              // index the refresh leaves, -1: untouched
        std::u16string name;    // name the refresh leaves
        std::vector<int> shown;  // enabled: check, combo, dialog button, proof
    } rows[] = {
        {"stored area found by name", {u"Top", u"Foot", u"Side"}, u"Foot", 1, 1, 1, u"Foot", {1, 1, 1, 1}},
        {"stored area no longer listed", {u"Top", u"Foot"}, u"Gone", 1, 1, 0, u"Top", {1, 1, 1, 1}},
        {"an area behind an empty slot is not listed", {u"Top", u"", u"Side"}, u"Side", 1, 1, 0, u"Top", {1, 0, 1, 1}},
        {"one area: the list cannot change", {u"Only"}, u"", 1, 0, 0, u"Only", {1, 0, 1, 1}},
        {"off clears the proof", {u"Top", u"Foot"}, u"Top", 0, 1, 0, u"Top", {1, 0, 0, 0}},
        {"no areas", {}, u"Kept", 1, 1, -1, u"Kept", {0, 0, 0, 0}},
        {"a name filling its slot", {std::u16string(31, u'x')}, u"", 1, 0, 0, std::u16string(31, u'x'), {1, 0, 1, 1}},
    };
    for (const auto& r : rows) {
        auto s = Session();
        auto lists = Areas(r.areas);
        PrivateSettings& p = s->dm.priv;
        for (size_t k = 0; k < r.stored.size(); k++) p.fileName_BarcodeAreaDefinition[k] = r.stored[k];
        p.index_barcodeAreaDefinition = 0xFFFF;
        p.barcodeAreaDefinition = r.on;
        p.proof_BarcodeAreaDefinition = r.proof;
        auto page = Refreshed(30600, *s, lists.get());
        EXPECT_EQ(r.index < 0 ? 0xFFFF : r.index, p.index_barcodeAreaDefinition) << r.what;
        EXPECT_EQ(r.name, AreaName(p)) << r.what;
        std::vector<int> shown;
        for (uint32_t id : {kBarcode, kArea, kAreaDialog, kProof}) shown.push_back(ControlOf(*page, id).enabled);
        EXPECT_EQ(r.shown, shown) << r.what;
        if (!r.on) {
            EXPECT_EQ(0, p.proof_BarcodeAreaDefinition) << r.what;
        }
    }
}

TEST(ImagePage, AQualityNotOfferedGivesWayToTheFirstOffered) {
    auto s = Session(1);  // one ink: no fine quality
    s->dm.priv.imageQuality = 2;
    auto page = Refreshed(30602, *s);
    const ControlState& c = ControlOf(*page, kQuality);
    ASSERT_GT(c.itemCount, 0);
    for (int i = 0; i < c.itemCount; i++) EXPECT_NE(2u, c.item[i].value);
    EXPECT_EQ(0, c.selected);
    EXPECT_EQ(c.item[0].value, s->dm.priv.imageQuality);
}

TEST(ImagePage, TakingAnAreaCopiesItsCountsAndStroke) {
    for (uint8_t inks : {1, 4}) {
        auto s = Session(inks);
        auto lists = Areas({u"Top", u"Foot", u"Side"});
        lists->barcodeRepeats[2] = 70000;  // more than the job's field holds
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, lists.get()};
        auto page = std::make_unique<PageState>();
        RefreshPage(30600, in, *page);
        ASSERT_EQ(kChangeWritten, ChangePageControl(30600, in, kBarcode, 1, nullptr));
        const PrivateSettings& p = s->dm.priv;
        EXPECT_EQ(u"Top", AreaName(p));
        EXPECT_EQ(10, p.repeat_BarcodeAreaDefinition);
        EXPECT_EQ(100, p.maxPageNumber_BarcodeAreaDefinition);
        EXPECT_EQ(inks == 1 ? 1 : 0, p.stroke_BarcodeAreaDefinition) << int(inks);
        ASSERT_EQ(kChangeWritten, ChangePageControl(30600, in, kArea, 2, nullptr));
        EXPECT_EQ(u"Side", AreaName(p));
        EXPECT_EQ(2, p.index_barcodeAreaDefinition);
        EXPECT_EQ(0xFFFF, p.repeat_BarcodeAreaDefinition);
        EXPECT_EQ(300, p.maxPageNumber_BarcodeAreaDefinition);
        // An area past the list changes nothing.
        EXPECT_EQ(0, TakeBarcodeArea(s->dm.priv, lists.get(), 3));
        EXPECT_EQ(u"Side", AreaName(p));
    }
}

}  // namespace
