// Consistency of the generated constraint tables as a whole: catalogue values
// lie in their settings' accepted sets, rules name mapped features and
// catalogued options, no rule is written so that it can never fire, and the
// tables have their row counts. Cascade rules that force a value which a
// removal rule removes in the same situation are printed for review.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

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

// Settings value of a feature's option, for readable reports.
std::string Readable(uint32_t feature, uint32_t option) {
    const ConstraintTables& t = T();
    const char* name = NameOf(feature);
    std::string s = name ? name : std::to_string(feature);
    for (uint32_t i = 0; i < t.catalogCount; i++)
        if (t.catalog[i].feature == feature && t.catalog[i].option == option)
            return s + "=" + std::to_string(t.catalog[i].value);
    return s + " option " + std::to_string(option);
}

// Features whose values no private field of the same name checks: the
// environment and model values, the public fields, and features named after
// their meaning. An alias names the private field that holds the value.
struct KnownValues {
    const char* feature;
    const char* field;  // private field that accepts the values, or null
    std::vector<uint32_t> values;
};
const std::vector<KnownValues>& Known() {
    static const std::vector<KnownValues> k = {
        {"colorMode", nullptr, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"duplexType", nullptr, {1, 2, 3, 4, 5}},  // plain 1..3, mixed-size 4 and 5
        {"originalOrientation", nullptr, {1, 2}},
        {"inputTray", nullptr, {7, 257, 258, 259, 260, 261}},
        {"paperType", nullptr, {257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267}},
        {"trayPerPage", nullptr, {0, 1}},
        {"trayPerPage1", nullptr, {0, 1}},
        {"trayPerPage2", nullptr, {0, 1}},
        {"trayPerPage3", nullptr, {0, 1}},
        {"quickDrying", nullptr, {0, 1}},
        {"colorProfileSelection", nullptr, {0, 1, 2}},
        {"outputBindingPosition", nullptr, {0, 1}},
        {"sideMargin", "sideMarginSupport", {}},
        {"pin", "passwordSupport", {}},
        {"formOverlay", "formSupport", {}},
        {"overlayMethod", "pattern_Form", {}},
        {"separateFormsFrontBack", "printSideSeparately_Form", {}},
        {"reverseOrder", "reverseOrder_UI", {}},
        {"inputUnit_Option", nullptr, {0, 10}},
        {"outputUnit_Option", nullptr, {0, 20, 21, 22, 23, 24, 25, 26}},
        {"outputSubOption", nullptr, {0, 1}},
        {"foldUnit_Option", nullptr, {0, 1}},
        {"offsetStapleTray_Option", nullptr, {0, 1}},
        {"unitOfLength", nullptr, {0, 1}},
        {"defaultPaperType", nullptr, {258, 259, 260, 261, 262, 263, 264, 266}},
        {"lightPaperSupport", nullptr, {0, 1}},
        {"roughPaperSupport", nullptr, {0, 1}},
        {"semiGlossPaperSupport", nullptr, {0, 1}},
        {"pressPaperSupport", nullptr, {0, 1}},
        {"usbMemoryOutput", nullptr, {0, 1}},
        {"inkCount", nullptr, {1, 2, 4, 5}},
        {"modelColor", nullptr, {10, 21, 22, 40, 41, 50, 51}},
        {"modelFS", nullptr, {0, 1}},
        {"a3OrA4Model", nullptr, {0, 1}},
        {"localArea", nullptr, {0, 1, 2}},
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

// Every list of every rule, with its kind: 0 cascade, 1 removal, 2 disable.
struct ListRef {
    int table;
    uint32_t rule;
    int slot;
    const RulePair* pairs;
    uint32_t count;
};
std::vector<ListRef> AllLists() {
    const ConstraintTables& t = T();
    std::vector<ListRef> out;
    for (uint32_t r = 0; r < t.cascadeCount; r++)
        for (int s = 0; s < kCascadeSlots; s++) out.push_back({0, r, s, t.cascadeLists[r][s], t.cascadeCounts[r][s]});
    for (uint32_t r = 0; r < t.removalCount; r++)
        for (int s = 0; s < kRemovalSlots; s++) out.push_back({1, r, s, t.removalLists[r][s], t.removalCounts[r][s]});
    for (uint32_t r = 0; r < t.disableCount; r++)
        for (int s = 0; s < kDisableSlots; s++) out.push_back({2, r, s, t.disableLists[r][s], t.disableCounts[r][s]});
    return out;
}

std::string Where(int table, uint32_t rule) {
    static const char* files[] = {"cascade.tbl", "removal.tbl", "disable.tbl"};
    const ConstraintTables& t = T();
    const uint16_t* lines[] = {t.cascadeLines, t.removalLines, t.disableLines};
    return std::string(files[table]) + ":" + (lines[table] ? std::to_string(lines[table][rule]) : "rule " + std::to_string(rule));
}

TEST(ConstraintTablesConsistency, RulesNameMappedFeaturesAndCataloguedOptions) {
    const ConstraintTables& t = T();
    for (const ListRef& l : AllLists()) {
        for (uint32_t i = 0; i < l.count; i++) {
            const RulePair& p = l.pairs[i];
            EXPECT_NE(nullptr, NameOf(p.feature)) << Where(l.table, l.rule) << ": feature " << p.feature << " is not in the map";
            // Disable lists name whole features; every other pair is a catalogued option.
            if (l.table == 2 && l.slot == kDisableList) {
                EXPECT_EQ(kWholeFeatureOption, p.option) << Where(l.table, l.rule);
                continue;
            }
            int found = 0;
            for (uint32_t c = 0; c < t.catalogCount && !found; c++)
                found = t.catalog[c].feature == p.feature && t.catalog[c].option == p.option;
            EXPECT_TRUE(found) << Where(l.table, l.rule) << ": " << Readable(p.feature, p.option) << " has no catalogue row";
        }
    }
}

// What one rule requires of the pair array: per feature, the options its
// all-of lists allow (the intersection of every group of the feature) and the
// options its none-of lists exclude.
struct Situation {
    std::map<uint32_t, std::set<uint32_t>> allowed;
    std::map<uint32_t, std::set<uint32_t>> excluded;
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

Situation CascadeConditions(uint32_t r) {
    const ConstraintTables& t = T();
    Situation s;
    AddAllOf(s, t.cascadeLists[r][kCascadeAllOf], t.cascadeCounts[r][kCascadeAllOf]);
    AddAllOf(s, t.cascadeLists[r][kCascadeAllOf2], t.cascadeCounts[r][kCascadeAllOf2]);
    AddNoneOf(s, t.cascadeLists[r][kCascadeNoneOf], t.cascadeCounts[r][kCascadeNoneOf]);
    AddNoneOf(s, t.cascadeLists[r][kCascadeNoneOf2], t.cascadeCounts[r][kCascadeNoneOf2]);
    return s;
}
Situation RemovalConditions(uint32_t r) {
    const ConstraintTables& t = T();
    Situation s;
    AddAllOf(s, t.removalLists[r][kRemovalAllOf], t.removalCounts[r][kRemovalAllOf]);
    AddAllOf(s, t.removalLists[r][kRemovalAllOf2], t.removalCounts[r][kRemovalAllOf2]);
    AddNoneOf(s, t.removalLists[r][kRemovalNoneOf], t.removalCounts[r][kRemovalNoneOf]);
    return s;
}

TEST(ConstraintTablesConsistency, NoRuleContradictsItself) {
    const ConstraintTables& t = T();
    // A cascade rule without a trigger is dormant by design and never fires.
    for (uint32_t r = 0; r < t.cascadeCount; r++) {
        if (!t.cascadeCounts[r][kCascadeTrigger]) continue;
        uint32_t f = Contradiction(CascadeConditions(r));
        EXPECT_EQ(0u, f) << Where(0, r) << " can never fire: its conditions on " << NameOf(f) << " contradict";
    }
    for (uint32_t r = 0; r < t.removalCount; r++) {
        uint32_t f = Contradiction(RemovalConditions(r));
        EXPECT_EQ(0u, f) << Where(1, r) << " can never fire: its conditions on " << NameOf(f) << " contradict";
    }
    for (uint32_t r = 0; r < t.disableCount; r++) {
        Situation s;
        for (int slot = kDisableAllOf1; slot <= kDisableAllOf3; slot++)
            AddAllOf(s, t.disableLists[r][slot], t.disableCounts[r][slot]);
        uint32_t f = Contradiction(s);
        EXPECT_EQ(0u, f) << Where(2, r) << " can never fire: its conditions on " << NameOf(f) << " contradict";
    }
}

// The situation right after a cascade rule fires: its conditions, the
// trigger's feature at a trigger option, and every forced feature at its
// forced option (a forced value replaces whatever the conditions said).
Situation AfterCascade(uint32_t r) {
    const ConstraintTables& t = T();
    Situation s = CascadeConditions(r);
    const RulePair* trig = t.cascadeLists[r][kCascadeTrigger];
    uint32_t n = t.cascadeCounts[r][kCascadeTrigger];
    std::set<uint32_t> features;
    for (uint32_t i = 0; i < n; i++) features.insert(trig[i].feature);
    if (features.size() == 1) {
        std::set<uint32_t> opts;
        for (uint32_t i = 0; i < n; i++) opts.insert(trig[i].option);
        s.allowed[trig[0].feature] = opts;
        s.excluded.erase(trig[0].feature);
    }
    const RulePair* set = t.cascadeLists[r][kCascadeSet];
    for (uint32_t i = 0; i < t.cascadeCounts[r][kCascadeSet]; i++) {
        s.allowed[set[i].feature] = {set[i].option};
        s.excluded.erase(set[i].feature);
    }
    return s;
}

// 1 when the removal rule looks at the situation (its conditions name a
// feature the cascade rule tests or sets) and its conditions can hold in it. A
// removal whose conditions share nothing with the cascade rule meets it only
// by accident of other settings, which their own rules keep apart.
int CanHoldIn(const Situation& removal, const Situation& s) {
    int shared = 0;
    for (const auto& [f, allowed] : removal.allowed) shared |= s.allowed.count(f) || s.excluded.count(f);
    for (const auto& [f, ex] : removal.excluded) shared |= s.allowed.count(f) || s.excluded.count(f);
    if (!shared) return 0;
    Situation both = s;
    for (const auto& [f, allowed] : removal.allowed) {
        auto it = both.allowed.find(f);
        if (it == both.allowed.end()) {
            both.allowed[f] = allowed;
        } else {
            std::set<uint32_t> common;
            for (uint32_t o : allowed)
                if (it->second.count(o)) common.insert(o);
            it->second = common;
        }
    }
    for (const auto& [f, ex] : removal.excluded) both.excluded[f].insert(ex.begin(), ex.end());
    return Contradiction(both) == 0;
}

TEST(ConstraintTablesConsistency, ReportsForcedValuesThatRemovalsTakeAway) {
    const ConstraintTables& t = T();
    int conflicts = 0, bindingSide2 = 0;
    for (uint32_t c = 0; c < t.cascadeCount; c++) {
        if (!t.cascadeCounts[c][kCascadeTrigger]) continue;
        Situation after = AfterCascade(c);
        const RulePair* set = t.cascadeLists[c][kCascadeSet];
        for (uint32_t i = 0; i < t.cascadeCounts[c][kCascadeSet]; i++) {
            for (uint32_t r = 0; r < t.removalCount; r++) {
                const RulePair* rem = t.removalLists[r][kRemovalList];
                int removes = 0;
                for (uint32_t k = 0; k < t.removalCounts[r][kRemovalList]; k++)
                    removes |= rem[k].feature == set[i].feature && rem[k].option == set[i].option;
                if (!removes || !CanHoldIn(RemovalConditions(r), after)) continue;
                std::printf("conflict: %s forces %s, which %s removes\n", Where(0, c).c_str(),
                            Readable(set[i].feature, set[i].option).c_str(), Where(1, r).c_str());
                conflicts++;
                bindingSide2 |= Readable(set[i].feature, set[i].option) == "bindingSide=2";
            }
        }
    }
    std::printf("%d cascade/removal conflicts\n", conflicts);
    // The tables hold one such pair by design: a landscape z-fold sets binding
    // side 2 for turned layouts (the pages hand their orientation over turned)
    // while landscape with the z-fold does not offer binding side 2.
    if (t.cascadeCount) {
        EXPECT_TRUE(bindingSide2) << "the z-fold binding side pair was not found";
    }
}

TEST(ConstraintTablesConsistency, RowCounts) {
    const ConstraintTables& t = T();
    EXPECT_EQ(kCatalogRows, t.catalogCount);
    EXPECT_EQ(kFeatureMapRows, t.featureMapCount);
    // The rule tables never exceed their fixed sizes; a table still short of
    // its size is reported (the generator insists on the size once the table
    // file states it).
    struct { const char* name; uint32_t have, want; } tables[] = {
        {"cascade", t.cascadeCount, kCascadeRules},
        {"removal", t.removalCount, kRemovalRules},
        {"disable", t.disableCount, kDisableRules},
    };
    for (const auto& tb : tables) {
        EXPECT_LE(tb.have, tb.want) << tb.name;
        if (tb.have != tb.want) std::printf("%s table: %u of %u rules\n", tb.name, tb.have, tb.want);
    }
}

}  // namespace
