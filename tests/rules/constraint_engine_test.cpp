// The constraint engine over small made-up tables: list kinds, groups,
// translation in and out, result order, the whole-feature option, page
// initialisation and the cut at the caller's room.
#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include "rules/constraint_engine.h"

namespace {

using L = std::vector<RulePair>;

// Features: 1 (control 100, options 1..3 for values 0, 1, 5), 2 (control 200,
// off/on), 3 (control 300, two rows for value 7), 4 (control 400, whose
// catalogue row names feature 9 but the map names 4), 5 (control 0, rule input
// only), 6 (control 600, no catalogue rows).
const OptionCatalogRow kCatalog[] = {
    {100, 1, 1, 0, "one"}, {100, 1, 2, 1, "one"}, {100, 1, 3, 5, "one"}, {200, 2, 14, 0, "two"},
    {200, 2, 15, 1, "two"}, {300, 3, 20, 7, "three"}, {300, 3, 22, 7, "three"}, {400, 9, 30, 3, "four"},
};
const FeatureControlRow kMap[] = {{1, 100}, {2, 200}, {3, 300}, {4, 400}, {5, 0}, {6, 600}};

struct MiniTables {
    std::deque<L> lists;
    const RulePair* cascadeLists[8][kCascadeSlots] = {};
    uint32_t cascadeCounts[8][kCascadeSlots] = {};
    const RulePair* removalLists[8][kRemovalSlots] = {};
    uint32_t removalCounts[8][kRemovalSlots] = {};
    const RulePair* disableLists[8][kDisableSlots] = {};
    uint32_t disableCounts[8][kDisableSlots] = {};
    uint32_t cascades = 0, removals = 0, disables = 0;

    void Put(const RulePair** slot, uint32_t* count, const L& l) {
        if (l.empty()) return;
        lists.push_back(l);
        *slot = lists.back().data();
        *count = static_cast<uint32_t>(l.size());
    }
    void Cascade(const L& trigger, const L& allOf, const L& noneOf, const L& allOf2, const L& set) {
        uint32_t i = cascades++;
        Put(&cascadeLists[i][kCascadeTrigger], &cascadeCounts[i][kCascadeTrigger], trigger);
        Put(&cascadeLists[i][kCascadeAllOf], &cascadeCounts[i][kCascadeAllOf], allOf);
        Put(&cascadeLists[i][kCascadeNoneOf], &cascadeCounts[i][kCascadeNoneOf], noneOf);
        Put(&cascadeLists[i][kCascadeAllOf2], &cascadeCounts[i][kCascadeAllOf2], allOf2);
        Put(&cascadeLists[i][kCascadeSet], &cascadeCounts[i][kCascadeSet], set);
    }
    void Removal(const L& allOf, const L& noneOf, const L& allOf2, const L& remove) {
        uint32_t i = removals++;
        Put(&removalLists[i][kRemovalAllOf], &removalCounts[i][kRemovalAllOf], allOf);
        Put(&removalLists[i][kRemovalNoneOf], &removalCounts[i][kRemovalNoneOf], noneOf);
        Put(&removalLists[i][kRemovalAllOf2], &removalCounts[i][kRemovalAllOf2], allOf2);
        Put(&removalLists[i][kRemovalList], &removalCounts[i][kRemovalList], remove);
    }
    void Disable(const L& a, const L& b, const L& c, const L& disable) {
        uint32_t i = disables++;
        Put(&disableLists[i][kDisableAllOf1], &disableCounts[i][kDisableAllOf1], a);
        Put(&disableLists[i][kDisableAllOf2], &disableCounts[i][kDisableAllOf2], b);
        Put(&disableLists[i][kDisableAllOf3], &disableCounts[i][kDisableAllOf3], c);
        Put(&disableLists[i][kDisableList], &disableCounts[i][kDisableList], disable);
    }
    ConstraintTables Tables() const {
        return ConstraintTables{kCatalog, 8, kMap, 6,
                                cascadeLists, cascadeCounts, cascades,
                                removalLists, removalCounts, removals,
                                disableLists, disableCounts, disables,
                                nullptr, nullptr, nullptr, nullptr};
    }
};

// The page's pairs: feature 1 at value 1 (option 2), 2 off (14), 3 at 7
// (option 20 by the first row), 4 at 3, an empty entry, 6 at 9.
std::vector<SettingsPair> Pairs(uint32_t one = 1, uint32_t two = 0) {
    return {{100, 0, one, 0}, {200, 0, two, 0}, {300, 0, 7, 0}, {400, 0, 3, 0}, {0, 0, 0, 0}, {600, 0, 9, 0}};
}

struct Expected { uint32_t kind, feature, control, option, value; };

std::vector<Expected> Evaluate(const MiniTables& m, uint32_t control, uint32_t value, std::vector<SettingsPair> pairs) {
    ConstraintResult out[kConstraintResultRoom];
    ConstraintTables t = m.Tables();
    int n = CheckConstraints(nullptr, control, value, static_cast<int>(pairs.size()), pairs.data(), out, t);
    std::vector<Expected> r;
    for (int i = 0; i < n; i++) r.push_back({out[i].kind, out[i].feature, out[i].control, out[i].option, out[i].value});
    return r;
}

bool operator==(const Expected& a, const Expected& b) {
    return a.kind == b.kind && a.feature == b.feature && a.control == b.control && a.option == b.option &&
           a.value == b.value;
}
std::ostream& operator<<(std::ostream& o, const Expected& e) {
    return o << "{" << e.kind << "," << e.feature << "," << e.control << "," << e.option << "," << e.value << "}";
}

const Expected kForce2On{1, 2, 200, 15, 1};
const Expected kForce2Off{1, 2, 200, 14, 0};

TEST(ConstraintEngine, ListKindsAndGroups) {
    struct Case { const char* what; L allOf, noneOf, allOf2; bool fires; } cases[] = {
        {"no conditions", {}, {}, {}, true},
        {"all-of holds", {{1, 2}}, {}, {}, true},
        {"all-of fails", {{1, 3}}, {}, {}, false},
        {"a group holds with any of its pairs", {{1, 1}, {1, 2}, {1, 3}}, {}, {}, true},
        {"every group must hold", {{1, 2}, {2, 15}}, {}, {}, false},
        {"two groups both hold", {{1, 1}, {1, 2}, {2, 14}}, {}, {}, true},
        {"none-of holds", {}, {{1, 1}, {2, 15}}, {}, true},
        {"none-of fails on any pair", {}, {{1, 1}, {2, 14}}, {}, false},
        {"second all-of fails", {{1, 2}}, {}, {{2, 15}}, false},
        {"second all-of holds", {{1, 2}}, {}, {{2, 14}}, true},
        {"a feature without entries never holds", {{7, 0}}, {}, {}, false},
        {"a control without catalogue rows is option 0", {{6, 0}}, {}, {}, true},
        {"the map, not the catalogue row, names the feature", {{4, 30}}, {}, {}, true},
        {"the catalogue row's own feature is replaced", {{9, 30}}, {}, {}, false},
    };
    for (const Case& c : cases) {
        MiniTables cascade, removal, disable;
        cascade.Cascade({{1, 2}}, c.allOf, c.noneOf, c.allOf2, {{2, 15}});
        removal.Removal(c.allOf, c.noneOf, c.allOf2, {{1, 3}});
        EXPECT_EQ(c.fires, Evaluate(cascade, 100, 1, Pairs()).size() == 1) << "cascade: " << c.what;
        EXPECT_EQ(c.fires, Evaluate(removal, 100, 1, Pairs()).size() == 1) << "removal: " << c.what;
        if (c.noneOf.empty()) {  // disable rules have only all-of lists
            disable.Disable(c.allOf, c.allOf2, {}, {{2, kWholeFeatureOption}});
            EXPECT_EQ(c.fires, Evaluate(disable, 100, 1, Pairs()).size() == 1) << "disable: " << c.what;
        }
    }
}

TEST(ConstraintEngine, TriggerTranslation) {
    MiniTables m;
    m.Cascade({{3, 22}}, {}, {}, {}, {{2, 15}});   // the last row for value 7
    m.Cascade({{3, 20}}, {}, {}, {}, {{1, 3}});    // the first row: never the changed value
    m.Cascade({{1, 1}, {1, 3}}, {}, {}, {}, {{2, 14}});
    m.Removal({{3, 20}}, {}, {}, {{1, 1}});        // the entry took the first row
    struct Case { uint32_t control, value; std::vector<Expected> results; } cases[] = {
        {300, 7, {kForce2On, {2, 1, 100, 1, 0}}},
        {100, 5, {kForce2Off, {2, 1, 100, 1, 0}}},
        {100, 0, {kForce2Off, {2, 1, 100, 1, 0}}},
        {100, 1, {{2, 1, 100, 1, 0}}},
        {100, 99, {{2, 1, 100, 1, 0}}},   // an unknown value is option 0
        {999, 7, {{2, 1, 100, 1, 0}}},    // an unknown control is feature 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.results, Evaluate(m, c.control, c.value, Pairs())) << c.control << "=" << c.value;
}

TEST(ConstraintEngine, ResultOrderAndForcedChanges) {
    MiniTables m;
    m.Disable({{2, 15}}, {}, {}, {{6, kWholeFeatureOption}, {1, kWholeFeatureOption}});
    m.Removal({{2, 15}}, {}, {}, {{1, 3}, {1, 1}});
    m.Cascade({{1, 2}}, {}, {}, {}, {{2, 15}, {1, 3}});
    m.Cascade({{1, 2}}, {{2, 15}}, {}, {}, {{1, 1}});   // sees the array as it was: no
    m.Cascade({{1, 2}}, {}, {}, {}, {{2, 14}});         // a second forced value of feature 2
    m.Removal({{2, 14}}, {}, {}, {{3, 22}});            // the first forced value counts: no
    m.Removal({{1, 3}}, {}, {}, {{4, 30}});
    const std::vector<Expected> expected = {
        kForce2On, {1, 1, 100, 3, 5}, kForce2Off,
        {2, 1, 100, 3, 5}, {2, 1, 100, 1, 0},
        // the catalogue row of option 30 names feature 9: only the map answers
        {2, 4, 400, 30, 0},
        // option 319 has no catalogue row: the map gives the control, value 0
        {3, 6, 600, kWholeFeatureOption, 0}, {3, 1, 100, kWholeFeatureOption, 0},
    };
    EXPECT_EQ(expected, Evaluate(m, 100, 1, Pairs()));
}

TEST(ConstraintEngine, PageInitialisationFiresNoCascade) {
    MiniTables m;
    m.Cascade({{1, 2}}, {}, {}, {}, {{2, 15}});
    m.Removal({{1, 2}}, {}, {}, {{1, 3}});
    m.Disable({{1, 2}}, {}, {}, {{2, kWholeFeatureOption}});
    const std::vector<Expected> expected = {{2, 1, 100, 3, 5}, {3, 2, 200, kWholeFeatureOption, 0}};
    EXPECT_EQ(expected, Evaluate(m, 0, 0, Pairs()));
}

TEST(ConstraintEngine, ResultsBeyondTheRoomAreCountedNotWritten) {
    MiniTables m;
    L many(200, RulePair{1, 3});
    m.Removal({}, {}, {}, many);
    m.Disable({}, {}, {}, many);
    std::vector<SettingsPair> pairs = Pairs();
    std::vector<ConstraintResult> out(kConstraintResultRoom + 1, ConstraintResult{77, 77, 77, 77, 77});
    ConstraintTables t = m.Tables();
    EXPECT_EQ(kConstraintResultRoom, CheckConstraints(nullptr, 0, 0, 6, pairs.data(), out.data(), t));
    EXPECT_EQ(255u, LastConstraintCounters().written);
    EXPECT_EQ(145u, LastConstraintCounters().dropped);
    EXPECT_EQ(3u, out[254].kind);
    EXPECT_EQ(77u, out[255].kind);
    // The next evaluation starts from 0 again.
    EXPECT_EQ(0, CheckConstraints(nullptr, 0, 0, 6, pairs.data(), out.data(), MiniTables().Tables()));
    EXPECT_EQ(0u, LastConstraintCounters().dropped);
    // Bad counts read nothing.
    EXPECT_EQ(0, CheckConstraints(nullptr, 0, 0, -5, pairs.data(), out.data(), MiniTables().Tables()));
}

TEST(ConstraintEngine, ListFillingAndDisabling) {
    const ConstraintResult results[] = {
        {1, 2, 200, 15, 1}, {2, 1, 100, 3, 5}, {3, 6, 600, kWholeFeatureOption, 0}, {3, 1, 100, 319, 0}};
    EXPECT_EQ(0, OptionOffered(results, 4, 100, 5));
    EXPECT_EQ(1, OptionOffered(results, 4, 100, 1));
    EXPECT_EQ(1, OptionOffered(results, 4, 200, 1));  // forced, not removed
    static std::vector<uint32_t> disabled;
    disabled.clear();
    int dialog = 0;
    DisableConstrainedControls(&dialog, 4, results, [](void* d, uint32_t control) {
        EXPECT_NE(nullptr, d);
        disabled.push_back(control);
    });
    EXPECT_EQ((std::vector<uint32_t>{600, 100}), disabled);
}

}  // namespace
