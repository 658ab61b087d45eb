// The page models without windows: lists by source, the tray list by purpose,
// the confirmation asked before features are switched off, the recorded
// change and the forced values a refresh applies, and the text of every page
// for our model files against the committed files in tests/ui/pages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "rules/constraint_engine.h"
#include "ui/page_lists.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kCollate = 30220, kUncollated = 30221, kStaple = 30514, kPunch = 30517, kFold = 30519, kColorMode = 30211;

TEST(PageLists, TrayListByPurpose) {
    struct Case {
        std::vector<uint32_t> trays;
        int purpose;
        std::vector<uint32_t> shown;
    };
    const std::vector<uint32_t> all = {7, 257, 258, 259, 260, 261};
    const Case cases[] = {
        {all, 1, {7, 257, 258, 259, 260, 261}},
        {all, 2, {257, 258, 259, 260, 261}},
        {all, 3, {257, 258, 259, 260}},
        {all, 4, {257}},
        {all, 5, {257, 258, 259, 260, 262}},
        {all, 6, {257, 262}},
        {all, 7, {258, 259, 260, 262}},
        {{258, 261}, 4, {261}},          // no 257: the high-capacity automatic entry
        {{7, 258, 259}, 3, {258, 259}},  // no automatic tray at all
        {{258, 262}, 2, {258}},
    };
    for (const Case& k : cases) {
        auto s = TraySession(k.trays);
        ControlState c{};
        FillTrayList(c, s->env, k.purpose, 258);
        EXPECT_EQ(k.shown, ItemValues(c)) << "purpose " << k.purpose;
        int at = -1;
        for (size_t i = 0; i < k.shown.size(); i++)
            if (k.shown[i] == 258) at = static_cast<int>(i);
        EXPECT_EQ(at, c.selected) << "purpose " << k.purpose;
        EXPECT_EQ(k.shown.size() >= 2, c.enabled != 0) << "purpose " << k.purpose;
    }
    auto s = TraySession(all);
    ControlState c{};
    FillTrayList(c, s->env, 6, 262);
    EXPECT_EQ(20985u, c.item[1].stringId);  // the cover inserter is named by its own string
}

TEST(PageLists, IdTableSelectionAndEnabling) {
    const IdTableRow two[] = {{20198, 0}, {20197, 1}};
    struct Case {
        const IdTableRow* rows;
        int count;
        uint32_t current;
        int selected, enabled;
    } cases[] = {
        {two, 2, 1, 1, 1},
        {two, 2, 5, -1, 1},  // a value the table lacks selects nothing
        {two, 1, 0, 0, 0},   // one row: shown, not choosable
        {nullptr, 0, 0, -1, 0},
    };
    for (const Case& k : cases) {
        ControlState c{};
        FillFromIdTable(c, k.rows, k.count, k.current);
        EXPECT_EQ(k.count, c.itemCount);
        EXPECT_EQ(k.selected, c.selected) << k.current;
        EXPECT_EQ(k.enabled, c.enabled) << k.count;
    }
}

TEST(PageLists, OneOfferedOptionIsShownSelectedAndDisabled) {
    auto s = TraySession({});
    s->dm.priv.colorMode = 2;
    // The engine takes every colour mode but black and white away.
    std::vector<ConstraintResult> results;
    const ConstraintTables& t = DefaultConstraintTables();
    for (uint32_t i = 0; i < t.catalogCount; i++)
        if (t.catalog[i].control == kColorMode && t.catalog[i].value != 2)
            results.push_back({kOptionNotOffered, t.catalog[i].feature, kColorMode, t.catalog[i].option,
                               t.catalog[i].value});
    ControlState c{};
    c.id = kColorMode;
    FillControlList(c, "colorModes", *s, results.data(), static_cast<int>(results.size()));
    EXPECT_EQ(std::vector<uint32_t>{2}, ItemValues(c));
    EXPECT_EQ(0, c.selected);
    EXPECT_EQ(0, c.enabled);
    FillControlList(c, "colorModes", *s, nullptr, 0);
    EXPECT_GT(c.itemCount, 2);
    EXPECT_EQ(1, c.enabled);
}

const ConflictRule kStapleRule = {kStaple, 10, 21039, 2, {{kPunch, 0, 21041}, {kFold, 0, 20510}}};

TEST(PageChange, ConflictAsksWithTheFeaturesThatAreOn) {
    auto s = TraySession({});
    s->dm.priv.punch = 1;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    PageQuestion q{};
    ASSERT_EQ(kChangeAsks, ApplyPageChange(in, kStaple, 10, &kStapleRule, 1, &q));
    EXPECT_EQ((std::vector<uint32_t>{21039, 20032, 20177, 21041, 20178, 20024}),
              std::vector<uint32_t>(q.part, q.part + q.partCount));
    EXPECT_EQ(0, s->dm.priv.staple);  // nothing changes before the answer

    EXPECT_EQ(kChangeRefused, AnswerPageQuestion(in, q, 0));
    EXPECT_EQ(0, s->dm.priv.staple);
    EXPECT_EQ(1, s->dm.priv.punch);
    EXPECT_EQ(0u, in.last.control);

    EXPECT_EQ(kChangeWritten, AnswerPageQuestion(in, q, 1));
    EXPECT_EQ(10, s->dm.priv.staple);
    EXPECT_EQ(0, s->dm.priv.punch);
    EXPECT_EQ(kStaple, in.last.control);
    EXPECT_EQ(10u, in.last.value);

    // A rule for every choice but none asks for each of them.
    const ConflictRule anyFold = {kFold, kAnyChoiceOn, 20510, 1, {{kStaple, 0, 21039}}};
    EXPECT_EQ(kChangeAsks, ApplyPageChange(in, kFold, 3, &anyFold, 1, &q));
    EXPECT_EQ(3u, q.value);
    EXPECT_EQ(kChangeWritten, ApplyPageChange(in, kFold, 0, &anyFold, 1, &q));

    // With nothing on to switch off the choice is written without a question.
    s->dm.priv.staple = 0;
    EXPECT_EQ(kChangeWritten, ApplyPageChange(in, kStaple, 10, &kStapleRule, 1, &q));
    EXPECT_EQ(10, s->dm.priv.staple);
}

TEST(PageChange, RecordedChangeFiresCascadeOnRefresh) {
    auto s = TraySession({});
    s->dm.priv.collate = 2;
    s->dm.priv.staple = 10;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(30200, in, *page));
    EXPECT_EQ(10, s->dm.priv.staple);  // no change recorded: no cascade

    // The uncollated radio button writes 1 and stands for the collate pair.
    ASSERT_EQ(kChangeWritten, ApplyPageChange(in, kUncollated, 1, nullptr, 0, nullptr));
    EXPECT_EQ(1, s->dm.priv.collate);
    EXPECT_EQ(kCollate, in.last.control);
    ASSERT_EQ(1, RefreshPage(30200, in, *page));
    EXPECT_EQ(0, s->dm.priv.staple);
    EXPECT_EQ(kChangeRefused, ApplyPageChange(in, 99999, 1, nullptr, 0, nullptr));
}

TEST(PageChange, RestoreDefaultsAndWorkingCopy) {
    FakePlatformScope fake;
    auto s = TraySession({});
    s->dm.priv.copies = 7;
    s->env.inputUnit_Option = 10;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {kCollate, 1}, nullptr};

    WorkingCopy* w = OpenWorkingCopy(&in);
    ASSERT_NE(nullptr, w);
    w->copy->session->dm.priv.copies = 3;
    EXPECT_EQ(&in, CloseWorkingCopy(w, 0));
    EXPECT_EQ(7, s->dm.priv.copies);
    w = OpenWorkingCopy(&in);
    w->copy->session->dm.priv.copies = 3;
    CloseWorkingCopy(w, 1);
    EXPECT_EQ(3, s->dm.priv.copies);
    EXPECT_EQ(nullptr, OpenWorkingCopy(nullptr));

    RestorePageDefaults(in);
    EXPECT_EQ(1, s->dm.priv.copies);
    EXPECT_EQ(10, s->env.inputUnit_Option);
    EXPECT_EQ(0u, in.last.control);
}

// The favourites' limit reaches every page's add button (the rule itself is
// FavoritesPage.ButtonRules').
TEST(PageChange, AddFavoriteButton) {
    auto s = TraySession({});
    PageInput in{s.get(), nullptr, {1, 0, 1, 30}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(30400, in, *page));
    EXPECT_NE(std::string::npos, PageStateText(*page, *s).find("ADD_FAVORITE button disabled"));
    EXPECT_EQ(0, RefreshPage(12345, in, *page));
}

// Each model's pages as `zr51a page show` prints them. After a deliberate
// change, rewrite the files with tests/ui/pages/regenerate.sh.
TEST(PageGolden, EveryPageOfEveryModel) {
    for (const char* model : {"ZRC4500", "ZRM1200", "ZRT2300"}) {
        std::string text;
        for (int p = 0; p < kPageRowCount; p++) {
            std::string cmd = std::string(ZR51A_TOOL) + " page show --model " + ZR_MODEL_DIR + "/" + model +
                              ".RDF " + kPageRows[p].name;
            FILE* f = popen(cmd.c_str(), "r");
            ASSERT_NE(nullptr, f);
            char b[4096];
            size_t n;
            while ((n = std::fread(b, 1, sizeof b, f)) > 0) text.append(b, n);
            EXPECT_EQ(0, pclose(f)) << cmd;
        }
        std::ifstream in(std::string(ZR_MODEL_DIR) + "/../../tests/ui/pages/" + model + ".txt", std::ios::binary);
        std::stringstream expected;
        expected << in.rdbuf();
        EXPECT_EQ(expected.str(), text) << model;
    }
}

}  // namespace
