// Consistency of the generated constraint tables as a whole, beyond what the
// generator checks: catalogue values lie in their settings' accepted sets and
// no rule is written so that it can never fire.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "session/global_list.h"
#include "rules/constraint_tables.h"
#include "settings/field_table.h"

namespace {

const ConstraintTables& T() { return DefaultConstraintTables(); }

const char* NameOf(uint32_t feature) {
    const ConstraintTables& t = T();
    for (uint32_t i = 0; i < t.featureMapCount; i++)
        if (t.featureMap[i].feature == feature) return t.featureNames ? t.featureNames[i] : "?";
    return nullptr;
}

// Features whose values no private field of the same name checks: the
// environment and model values, the public fields, and features named after
// their meaning. An alias names the private field that accepts the values.
struct KnownValues { const char* feature; const char* field; std::vector<uint32_t> values; };
const std::vector<KnownValues>& Known() {
    static const std::vector<KnownValues> k = {
        {"colorMode", nullptr, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"duplexType", nullptr, {1, 2, 3, 4, 5}},  // plain 1..3, mixed-size 4 and 5
        {"originalOrientation", nullptr, {1, 2}},
        {"inputTray", nullptr, {kTrayAuto, kTrayStandardFeed, kTray1, kTray2, kTray3, kTrayHighCapacity}},
        {"paperType", nullptr, {257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267}},
        {"trayPerPage", nullptr, {0, 1}}, {"trayPerPage1", nullptr, {0, 1}}, {"trayPerPage2", nullptr, {0, 1}},
        {"trayPerPage3", nullptr, {0, 1}}, {"quickDrying", nullptr, {0, 1}},
        {"colorProfileSelection", nullptr, {0, 1, 2}}, {"outputBindingPosition", nullptr, {0, 1}},
        {"sideMargin", "sideMarginSupport", {}}, {"pin", "passwordSupport", {}}, {"formOverlay", "formSupport", {}},
        {"overlayMethod", "pattern_Form", {}}, {"separateFormsFrontBack", "printSideSeparately_Form", {}},
        {"reverseOrder", "reverseOrder_UI", {}}, {"inputUnit_Option", nullptr, {0, 10}},
        {"outputUnit_Option", nullptr, {0, 20, 21, 22, 23, 24, 25, 26}}, {"outputSubOption", nullptr, {0, 1}},
        {"foldUnit_Option", nullptr, {0, 1}}, {"offsetStapleTray_Option", nullptr, {0, 1}},
        {"unitOfLength", nullptr, {0, 1}}, {"defaultPaperType", nullptr, {258, 259, 260, 261, 262, 263, 264, 266}},
        {"lightPaperSupport", nullptr, {0, 1}}, {"roughPaperSupport", nullptr, {0, 1}},
        {"semiGlossPaperSupport", nullptr, {0, 1}}, {"pressPaperSupport", nullptr, {0, 1}},
        {"usbMemoryOutput", nullptr, {0, 1}}, {"inkCount", nullptr, {1, 2, 4, 5}},
        {"modelColor", nullptr, {10, 21, 22, 40, 41, 50, 51}}, {"modelFS", nullptr, {0, 1}},
        {"a3OrA4Model", nullptr, {0, 1}}, {"localArea", nullptr, {0, 1, 2}},
        {"printCheckLevel", nullptr, {0, 1, 3, 4}},
    };
    return k;
}

int IsPaperId(uint32_t v) {
    if (v == 256) return 1;  // custom size
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == v) return 1;
    return 0;
}

// 1 when the value is one the feature's setting accepts; why says which
// check applied when it is not.
int Accepted(const char* feature, uint32_t value, std::string& why) {
    if (!std::strcmp(feature, "originalSize")) return why = "paper ids", IsPaperId(value);
    if (!std::strcmp(feature, "outputSize")) return why = "paper ids or 0", value == 0 || IsPaperId(value);
    const char* field = feature;
    for (const KnownValues& k : Known()) {
        if (std::strcmp(k.feature, feature)) continue;
        if (!k.field) {
            why = "the known values";
            for (uint32_t v : k.values)
                if (v == value) return 1;
            return 0;
        }
        field = k.field;
    }
    const FieldRow* row = FindPrivateField(field);
    if (!row) return why = "no private field and no known values", 0;
    why = std::string("the accepted set of ") + field;
    return FieldAccepts(*row, value);
}

TEST(ConstraintTablesConsistency, CatalogueValuesLieInTheirAcceptedSets) {
    const ConstraintTables& t = T();
    for (uint32_t i = 0; i < t.catalogCount; i++) {
        const OptionCatalogRow& r = t.catalog[i];
        const char* name = NameOf(r.feature);
        ASSERT_NE(nullptr, name) << "catalogue row " << i << " names unmapped feature " << r.feature;
        std::string why;
        EXPECT_TRUE(Accepted(name, r.value, why)) << name << " value " << r.value << " is outside " << why;
    }
}

std::string Where(int table, uint32_t rule) {
    static const char* files[] = {"cascade.tbl", "removal.tbl", "disable.tbl"};
    const ConstraintTables& t = T();
    const uint16_t* lines[] = {t.cascadeLines, t.removalLines, t.disableLines};
    return std::string(files[table]) + ":" +
           (lines[table] ? std::to_string(lines[table][rule]) : "rule " + std::to_string(rule));
}

// What one rule requires of the pair array: per feature, the options its
// all-of lists allow (the intersection of every group of the feature) and the
// options its none-of lists exclude.
struct Situation {
    std::map<uint32_t, std::set<uint32_t>> allowed, excluded;
};

void AddAllOf(Situation& s, const RulePair* pairs, uint32_t count) {
    for (uint32_t i = 0; i < count;) {
        std::set<uint32_t> group;
        uint32_t f = pairs[i].feature;
        for (; i < count && pairs[i].feature == f; i++) group.insert(pairs[i].option);
        auto it = s.allowed.find(f);
        if (it == s.allowed.end()) {
            s.allowed[f] = group;
        } else {
            std::set<uint32_t> both;
            for (uint32_t o : group)
                if (it->second.count(o)) both.insert(o);
            it->second = both;
        }
    }
}
void AddNoneOf(Situation& s, const RulePair* pairs, uint32_t count) {
    for (uint32_t i = 0; i < count; i++) s.excluded[pairs[i].feature].insert(pairs[i].option);
}

std::set<uint32_t> CatalogueOptions(uint32_t feature) {
    const ConstraintTables& t = T();
    std::set<uint32_t> out;
    for (uint32_t i = 0; i < t.catalogCount; i++)
        if (t.catalog[i].feature == feature) out.insert(t.catalog[i].option);
    return out;
}

// The feature whose conditions contradict each other, or 0: its all-of
// groups share no option, or its none-of pairs exclude every option left (a
// feature without all-of groups may take any of its catalogued options).
uint32_t Contradiction(const Situation& s) {
    for (const auto& [f, ex] : s.excluded) {
        auto al = s.allowed.find(f);
        std::set<uint32_t> allowed = al != s.allowed.end() ? al->second : CatalogueOptions(f);
        int left = 0;
        for (uint32_t o : allowed) left += !ex.count(o);
        if (!left) return f;
    }
    for (const auto& [f, allowed] : s.allowed)
        if (allowed.empty()) return f;
    return 0;
}

// The situation of one rule from its list slots: all-of slots, then none-of.
template <size_t N>
Situation Conditions(const RulePair* const (&lists)[N], const uint32_t (&counts)[N], std::vector<int> allOf,
                     std::vector<int> noneOf) {
    Situation s;
    for (int slot : allOf) AddAllOf(s, lists[slot], counts[slot]);
    for (int slot : noneOf) AddNoneOf(s, lists[slot], counts[slot]);
    return s;
}

TEST(ConstraintTablesConsistency, NoRuleContradictsItself) {
    const ConstraintTables& t = T();
    std::vector<std::pair<std::string, Situation>> rules;
    // A cascade rule without a trigger is dormant by design and never fires.
    for (uint32_t r = 0; r < t.cascadeCount; r++)
        if (t.cascadeCounts[r][kCascadeTrigger])
            rules.emplace_back(Where(0, r), Conditions(t.cascadeLists[r], t.cascadeCounts[r], {kCascadeAllOf, kCascadeAllOf2},
                                                       {kCascadeNoneOf, kCascadeNoneOf2}));
    for (uint32_t r = 0; r < t.removalCount; r++)
        rules.emplace_back(Where(1, r), Conditions(t.removalLists[r], t.removalCounts[r],
                                                   {kRemovalAllOf, kRemovalAllOf2}, {kRemovalNoneOf}));
    for (uint32_t r = 0; r < t.disableCount; r++)
        rules.emplace_back(Where(2, r), Conditions(t.disableLists[r], t.disableCounts[r],
                                                   {kDisableAllOf1, kDisableAllOf2, kDisableAllOf3}, {}));
    for (const auto& [where, situation] : rules) {
        uint32_t f = Contradiction(situation);
        EXPECT_EQ(0u, f) << where << " can never fire: its conditions on " << NameOf(f) << " contradict";
    }
}

}  // namespace
