#include "rules/constraint_engine.h"

#include <cstring>

namespace {

// The engine runs on sheet threads only and never overlaps itself.
ConstraintCounters g_counters = {0, 0};

// Features below this number are found through a per-call index of the pair
// array; larger ones by a scan. Either way the first entry of a feature wins.
constexpr uint32_t kIndexedFeatures = 4096;

struct Evaluation {
    const SettingsPair* pairs;
    int count;
    int16_t firstEntry[kIndexedFeatures];  // -1 when no entry has the feature
    ConstraintResult* results;
    uint32_t written;
    uint32_t dropped;

    void Index() {
        std::memset(firstEntry, 0xFF, sizeof firstEntry);
        for (int i = count - 1; i >= 0; i--)
            if (pairs[i].feature < kIndexedFeatures) firstEntry[pairs[i].feature] = static_cast<int16_t>(i);
    }
    // The current option of a feature, or -1 when no entry holds it.
    int64_t Current(uint32_t feature) const {
        if (feature < kIndexedFeatures) {
            int i = firstEntry[feature];
            return i < 0 ? -1 : pairs[i].option;
        }
        for (int i = 0; i < count; i++)
            if (pairs[i].feature == feature) return pairs[i].option;
        return -1;
    }
    // Every group (consecutive pairs of one feature) has a pair that equals
    // its feature's current option.
    bool AllOf(const RulePair* list, uint32_t n) const {
        uint32_t i = 0;
        while (i < n) {
            uint32_t feature = list[i].feature;
            int64_t current = Current(feature);
            bool hit = false;
            for (; i < n && list[i].feature == feature; i++) hit = hit || list[i].option == current;
            if (!hit) return false;
        }
        return true;
    }
    bool NoneOf(const RulePair* list, uint32_t n) const {
        for (uint32_t i = 0; i < n; i++)
            if (Current(list[i].feature) == list[i].option) return false;
        return true;
    }
    void Append(uint32_t kind, const RulePair* list, uint32_t n) {
        for (uint32_t i = 0; i < n; i++) {
            if (written >= static_cast<uint32_t>(kConstraintResultRoom)) {
                dropped++;
                continue;
            }
            results[written++] = ConstraintResult{kind, list[i].feature, 0, list[i].option, 0};
        }
    }
};

// A list slot "holds" when it is absent (count 0) or its test passes.
bool Present(const RulePair* list, uint32_t n) { return list != nullptr && n > 0; }

uint32_t MapFeature(const ConstraintTables& t, uint32_t control, bool& found) {
    for (uint32_t i = 0; i < t.featureMapCount; i++)
        if (t.featureMap[i].control == control) {
            found = true;
            return t.featureMap[i].feature;
        }
    found = false;
    return 0;
}

// Items (entries or results) chained by a 32-bit key, so that one pass over
// the catalogue and one over the map reach every item with a row's key. Each
// item takes the first row that matches it, as a scan per item would.
template <int N>
struct KeyIndex {
    static constexpr int kBuckets = 256;
    int16_t head[kBuckets];
    int16_t next[N];
    static int Bucket(uint32_t key) { return static_cast<int>((key * 2654435761u) >> 24); }
    void Build(int count, uint32_t (*key)(const void*, int), const void* items) {
        std::memset(head, 0xFF, sizeof head);
        for (int i = count - 1; i >= 0; i--) {
            int b = Bucket(key(items, i));
            next[i] = head[b];
            head[b] = static_cast<int16_t>(i);
        }
    }
    int First(uint32_t key) const { return head[Bucket(key)]; }
};

// Entries into rule numbers: the first catalogue row with the entry's control
// and value gives feature and option; the map's first row for the control
// then sets the feature. Unmatched entries keep option 0.
void TranslateEntries(const ConstraintTables& t, SettingsPair* pairs, int count) {
    KeyIndex<kSettingsPairCount> index;
    index.Build(count, [](const void* p, int i) { return static_cast<const SettingsPair*>(p)[i].control; }, pairs);
    bool matched[kSettingsPairCount] = {};
    bool mapped[kSettingsPairCount] = {};
    for (int i = 0; i < count; i++) {
        pairs[i].feature = 0;
        pairs[i].option = 0;
    }
    for (uint32_t r = 0; r < t.catalogCount; r++) {
        const OptionCatalogRow& row = t.catalog[r];
        for (int i = index.First(row.control); i >= 0; i = index.next[i])
            if (!matched[i] && pairs[i].control == row.control && pairs[i].value == row.value) {
                pairs[i].feature = row.feature;
                pairs[i].option = row.option;
                matched[i] = true;
            }
    }
    for (uint32_t m = 0; m < t.featureMapCount; m++) {
        const FeatureControlRow& row = t.featureMap[m];
        for (int i = index.First(row.control); i >= 0; i = index.next[i])
            if (!mapped[i] && pairs[i].control == row.control) {
                pairs[i].feature = row.feature;
                mapped[i] = true;
            }
    }
}

// Results back into controls and values: the catalogue row of the feature
// and option, then the map row of the feature (option 319 has no catalogue
// row and gets its control only there).
void TranslateResults(const ConstraintTables& t, ConstraintResult* results, uint32_t count) {
    KeyIndex<kConstraintResultRoom> index;
    index.Build(static_cast<int>(count),
                [](const void* p, int i) { return static_cast<const ConstraintResult*>(p)[i].feature; }, results);
    bool matched[kConstraintResultRoom] = {};
    bool mapped[kConstraintResultRoom] = {};
    for (uint32_t r = 0; r < t.catalogCount; r++) {
        const OptionCatalogRow& row = t.catalog[r];
        for (int i = index.First(row.feature); i >= 0; i = index.next[i])
            if (!matched[i] && results[i].feature == row.feature && results[i].option == row.option) {
                results[i].control = row.control;
                results[i].value = row.value;
                matched[i] = true;
            }
    }
    for (uint32_t m = 0; m < t.featureMapCount; m++) {
        const FeatureControlRow& row = t.featureMap[m];
        for (int i = index.First(row.feature); i >= 0; i = index.next[i])
            if (!mapped[i] && results[i].feature == row.feature) {
                results[i].control = row.control;
                mapped[i] = true;
            }
    }
}

}  // namespace

int CheckConstraints(const void* dialog, uint32_t changedControl, uint32_t changedValue, int entryCount,
                     SettingsPair* pairs, ConstraintResult* results, const ConstraintTables& t) {
    (void)dialog;
    g_counters = ConstraintCounters{0, 0};
    if (entryCount < 0 || pairs == nullptr) entryCount = 0;
    if (entryCount > kSettingsPairCount) entryCount = kSettingsPairCount;
    if (results == nullptr) return 0;

    // Step 1: translation into rule numbers.
    TranslateEntries(t, pairs, entryCount);
    bool mapped = false;
    uint32_t changedFeature = MapFeature(t, changedControl, mapped);
    uint32_t changedOption = 0;
    for (uint32_t r = 0; r < t.catalogCount; r++)
        if (t.catalog[r].feature == changedFeature && t.catalog[r].value == changedValue)
            changedOption = t.catalog[r].option;  // the last matching row

    Evaluation ev;
    ev.pairs = pairs;
    ev.count = entryCount;
    ev.results = results;
    ev.written = 0;
    ev.dropped = 0;
    ev.Index();

    // Step 2.1: cascade rules against the array as it was.
    for (uint32_t i = 0; i < t.cascadeCount; i++) {
        const RulePair* const* l = t.cascadeLists[i];
        const uint32_t* n = t.cascadeCounts[i];
        bool triggered = false;
        for (uint32_t k = 0; k < n[kCascadeTrigger] && l[kCascadeTrigger]; k++)
            if (l[kCascadeTrigger][k].feature == changedFeature && l[kCascadeTrigger][k].option == changedOption)
                triggered = true;
        if (!triggered) continue;
        if (Present(l[kCascadeAllOf], n[kCascadeAllOf]) && !ev.AllOf(l[kCascadeAllOf], n[kCascadeAllOf])) continue;
        if (Present(l[kCascadeNoneOf], n[kCascadeNoneOf]) && !ev.NoneOf(l[kCascadeNoneOf], n[kCascadeNoneOf])) continue;
        if (Present(l[kCascadeAllOf2], n[kCascadeAllOf2]) && !ev.AllOf(l[kCascadeAllOf2], n[kCascadeAllOf2])) continue;
        if (Present(l[kCascadeSet], n[kCascadeSet])) ev.Append(kForcedOption, l[kCascadeSet], n[kCascadeSet]);
    }

    // Step 2.2: the first forced result of a feature replaces its entries.
    uint32_t forced = ev.written;
    if (forced > 0) {
        for (int e = 0; e < entryCount; e++)
            for (uint32_t r = 0; r < forced; r++)
                if (results[r].feature == pairs[e].feature) {
                    pairs[e].feature = results[r].feature;
                    pairs[e].option = results[r].option;
                    break;
                }
        ev.Index();
    }

    // Step 2.3: removal rules against the updated array.
    for (uint32_t i = 0; i < t.removalCount; i++) {
        const RulePair* const* l = t.removalLists[i];
        const uint32_t* n = t.removalCounts[i];
        if (Present(l[kRemovalAllOf], n[kRemovalAllOf]) && !ev.AllOf(l[kRemovalAllOf], n[kRemovalAllOf])) continue;
        if (Present(l[kRemovalNoneOf], n[kRemovalNoneOf]) && !ev.NoneOf(l[kRemovalNoneOf], n[kRemovalNoneOf])) continue;
        if (Present(l[kRemovalAllOf2], n[kRemovalAllOf2]) && !ev.AllOf(l[kRemovalAllOf2], n[kRemovalAllOf2])) continue;
        if (Present(l[kRemovalList], n[kRemovalList])) ev.Append(kOptionNotOffered, l[kRemovalList], n[kRemovalList]);
    }

    // Step 2.4: control-disable rules; every present list is all-of.
    for (uint32_t i = 0; i < t.disableCount; i++) {
        const RulePair* const* l = t.disableLists[i];
        const uint32_t* n = t.disableCounts[i];
        bool fires = true;
        for (int s = kDisableAllOf1; s <= kDisableAllOf3 && fires; s++)
            if (Present(l[s], n[s]) && !ev.AllOf(l[s], n[s])) fires = false;
        if (fires && Present(l[kDisableList], n[kDisableList]))
            ev.Append(kControlDisabled, l[kDisableList], n[kDisableList]);
    }

    // Step 3: translation back.
    TranslateResults(t, results, ev.written);
    g_counters = ConstraintCounters{ev.written, ev.dropped};
    return static_cast<int>(ev.written);
}

ConstraintCounters LastConstraintCounters() { return g_counters; }

int OptionOffered(const ConstraintResult* results, int count, uint32_t control, uint32_t value) {
    for (int i = 0; results && i < count && i < kConstraintResultRoom; i++)
        if (results[i].kind == kOptionNotOffered && results[i].control == control && results[i].value == value)
            return 0;
    return 1;
}

void DisableConstrainedControls(void* dialog, int count, const ConstraintResult* results, DisableControlFn disable) {
    if (!results || !disable) return;
    for (int i = 0; i < count && i < kConstraintResultRoom; i++)
        if (results[i].kind == kControlDisabled) disable(dialog, results[i].control);
}

const char* ConstraintFeatureName(const ConstraintTables& t, uint32_t feature) {
    if (!t.featureNames) return nullptr;
    for (uint32_t i = 0; i < t.featureMapCount; i++)
        if (t.featureMap[i].feature == feature) return t.featureNames[i];
    return nullptr;
}
