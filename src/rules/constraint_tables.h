// The option constraint tables: the catalogue that translates between dialog
// controls with settings values and features with option numbers, the
// feature/control map, and the three rule tables. The real tables are
// generated from src/rules/tables/*.tbl into constraint_tables_generated.cpp;
// tests build small tables of their own with the same shapes.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One catalogue row: control, feature, option, settings value and the
// feature's name as zero-padded text (descriptive only; never read by the
// engine).
struct OptionCatalogRow {
    uint32_t control;
    uint32_t feature;
    uint32_t option;
    uint32_t value;
    char name[100];
};

struct FeatureControlRow {
    uint32_t feature;
    uint32_t control;
};

// One element of a rule list: a feature and one of its options.
struct RulePair {
    uint32_t feature;
    uint32_t option;
};

#pragma pack(pop)

static_assert(sizeof(OptionCatalogRow) == 116);
static_assert(offsetof(OptionCatalogRow, value) == 12);
static_assert(sizeof(FeatureControlRow) == 8);
static_assert(sizeof(RulePair) == 8);

// Option 319 names a whole feature; it appears only in control-disable lists.
constexpr uint32_t kWholeFeatureOption = 319;
constexpr uint32_t kOptionOff = 14;
constexpr uint32_t kOptionOn = 15;

// Slots of the rule lists, in the order the tables hold them.
constexpr int kCascadeSlots = 8;
constexpr int kRemovalSlots = 6;
constexpr int kDisableSlots = 4;
enum CascadeSlot { kCascadeTrigger = 0, kCascadeUnused1 = 1, kCascadeAllOf = 2, kCascadeNoneOf = 3,
                   kCascadeAllOf2 = 4, kCascadeNoneOf2 = 5, kCascadeSet = 6, kCascadeUnused7 = 7 };
enum RemovalSlot { kRemovalList = 0, kRemovalEmpty1 = 1, kRemovalAllOf = 2, kRemovalNoneOf = 3,
                   kRemovalAllOf2 = 4, kRemovalEmpty5 = 5 };
enum DisableSlot { kDisableList = 0, kDisableAllOf1 = 1, kDisableAllOf2 = 2, kDisableAllOf3 = 3 };

// Every rule table is two parallel arrays: per rule one row of list pointers
// and one row of counts, in slot order. A list with count 0 may be null.
struct ConstraintTables {
    const OptionCatalogRow* catalog;
    uint32_t catalogCount;
    const FeatureControlRow* featureMap;
    uint32_t featureMapCount;
    const RulePair* const (*cascadeLists)[kCascadeSlots];
    const uint32_t (*cascadeCounts)[kCascadeSlots];
    uint32_t cascadeCount;
    const RulePair* const (*removalLists)[kRemovalSlots];
    const uint32_t (*removalCounts)[kRemovalSlots];
    uint32_t removalCount;
    const RulePair* const (*disableLists)[kDisableSlots];
    const uint32_t (*disableCounts)[kDisableSlots];
    uint32_t disableCount;
    // Readable names and source lines for reports (may be null in made-up
    // tables): featureNames runs parallel to featureMap; the line arrays give
    // each rule's line in its .tbl file.
    const char* const* featureNames;
    const uint16_t* cascadeLines;
    const uint16_t* removalLines;
    const uint16_t* disableLines;
};

// Row counts of the complete tables.
constexpr uint32_t kCatalogRows = 363;
constexpr uint32_t kFeatureMapRows = 110;
constexpr uint32_t kCascadeRules = 477;
constexpr uint32_t kRemovalRules = 129;
constexpr uint32_t kDisableRules = 190;

// The tables generated from src/rules/tables.
const ConstraintTables& DefaultConstraintTables();

// The name of a feature in the tables' map, or null.
const char* ConstraintFeatureName(const ConstraintTables& t, uint32_t feature);
