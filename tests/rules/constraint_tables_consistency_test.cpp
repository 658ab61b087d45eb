// Consistency of the generated constraint tables as a whole, beyond what the
// generator checks: no rule is written so that it can never fire. (That a
// forced value lies in its field's accepted set is ConstraintInvariants'.)
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "rules/constraint_tables.h"

namespace {

const ConstraintTables& T() { return DefaultConstraintTables(); }

const char* NameOf(uint32_t feature) {
    const ConstraintTables& t = T();
    for (uint32_t i = 0; i < t.featureMapCount; i++)
        if (t.featureMap[i].feature == feature) return t.featureNames ? t.featureNames[i] : "?";
    return nullptr;
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
