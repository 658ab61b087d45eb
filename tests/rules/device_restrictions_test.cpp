// The device rules: each rule's trigger and effect, and the cases where one
// rule's result decides what a later rule does.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "rules/rule_session.h"
#include "rules/settings_application.h"

namespace {

using EnvSetup = std::function<void(PrinterEnvironment&)>;

struct RuleCase { const char* what; EnvSetup env; std::vector<FieldValue> given; std::vector<FieldValue> want; };

const EnvSetup kFull = [](PrinterEnvironment&) {};
EnvSetup Unit(uint8_t unit) {
    return [unit](PrinterEnvironment& e) { e.outputUnit_Option = unit; };
}

const RuleCase kRuleCases[] = {
    // 1. Special job kinds.
    {"mail job clears finishing, automatic tray", Unit(23),
     {{"jobFlag", 0, 2}, {"staple", 0, 20}, {"imageRotation", 0, 2}, {"pluralPagesPerSheet", 0, 21},
      {"inputTray", 0, 258}, {"mailMakingSupport", 0, 1}},
     {{"staple", 0, 0}, {"imageRotation", 0, 0}, {"pluralPagesPerSheet", 0, 0}, {"inputTray", 0, 7},
      {"mailMakingSupport", 0, 1}}},
    {"perfect binding, cover printed by the job keeps its tray", Unit(24),
     {{"jobFlag", 0, 1}, {"perfectBindingSupport", 0, 1}, {"printCoverSeparately_PerfectBinding", 0, 1},
      {"inputTray", 0, 258}, {"punch", 0, 2}},
     {{"inputTray", 0, 258}, {"punch", 0, 0}, {"perfectBindingSupport", 0, 1}}},
    // 2. Tray codes follow the feed unit.
    {"single-tray model without feeder: standard tray", [](PrinterEnvironment& e) { e.modelFS = 1; },
     {{"inputTray", 0, 258}, {"tray_FrontCover", 0, 7}, {"inputTrayPriority_CarbonCopy", 2, 261}},
     {{"inputTray", 0, 257}, {"tray_FrontCover", 0, 257}, {"inputTrayPriority_CarbonCopy", 2, 257}}},
    {"feeder switches only the standard code", [](PrinterEnvironment& e) { e.inputUnit_Option = 10; },
     {{"inputTray", 0, 258}, {"tray_SlipSheet", 0, 257}, {"inputTrayPriority_CarbonCopy", 1, 257}},
     {{"inputTray", 0, 258}, {"tray_SlipSheet", 0, 261}, {"inputTrayPriority_CarbonCopy", 1, 261}}},
    {"no feeder turns 261 into 257", kFull, {{"trayForCover_BookletBinding", 0, 261}},
     {{"trayForCover_BookletBinding", 0, 257}}},
    // 3 to 7. Offset output and output trays.
    {"offset output needs the offset staple tray", [](PrinterEnvironment& e) { e.outputUnit_Option = 21, e.offsetStapleTray_Option = 0; },
     {{"offsetOutput", 0, 1}}, {{"offsetOutput", 0, 0}}},
    {"no output unit: tray 1, face down", Unit(0), {{"outputTray", 0, 4}, {"faceUpDown_OutputTray", 0, 1}},
     {{"outputTray", 0, 1}, {"faceUpDown_OutputTray", 0, 2}}},
    {"tray 4 without unit 22", kFull, {{"outputTray", 0, 4}}, {{"outputTray", 0, 0}}},
    {"tray 4 with unit 22", Unit(22), {{"outputTray", 0, 4}, {"faceUpDown_OutputTray", 0, 1}},
     {{"outputTray", 0, 4}, {"faceUpDown_OutputTray", 0, 1}}},
    {"tray 3 kept with unit 26", Unit(26), {{"outputTray", 0, 3}, {"offsetOutput", 0, 1}},
     {{"outputTray", 0, 3}}},
    // The tray-5 rule still sees mail making, which rule 10 switches off later.
    {"tray 5 of a mail setting without the envelope unit", Unit(22),
     {{"outputTray", 0, 5}, {"mailMakingSupport", 0, 1}},
     {{"outputTray", 0, 0}, {"mailMakingSupport", 0, 0}}},
    {"tray 6 is left alone", Unit(22), {{"outputTray", 0, 6}}, {{"outputTray", 0, 6}}},
    // 8. Finishing.
    {"unit 26 at home: no booklet binding, no half fold", Unit(26), {{"bookletBinding", 0, 1}, {"fold", 0, 1}},
     {{"bookletBinding", 0, 0}, {"fold", 0, 0}}},
    {"unit 26 abroad keeps both", [](PrinterEnvironment& e) { e.outputUnit_Option = 26, e.localArea = 1; },
     {{"bookletBinding", 0, 1}, {"fold", 0, 1}}, {{"bookletBinding", 0, 1}, {"fold", 0, 1}, {"outputTray", 0, 0}}},
    {"z-fold of mixed sizes without fold unit", [](PrinterEnvironment& e) { e.foldUnit_Option = 0; },
     {{"fold", 0, 4}, {"mixedSizeSupport", 0, 1}, {"outputSize", 0, 9}}, {{"fold", 0, 0}, {"outputSize", 0, 0}}},
    {"unit 22: no punch, fold or booklet binding", Unit(22),
     {{"punch", 0, 2}, {"fold", 0, 2}, {"bookletBinding", 0, 1}, {"staple", 0, 20}},
     {{"punch", 0, 0}, {"fold", 0, 0}, {"bookletBinding", 0, 0}, {"staple", 0, 20}}},
    {"no unit, no staple tray: no staple, no continuous output", [](PrinterEnvironment& e) { e.outputUnit_Option = 0, e.offsetStapleTray_Option = 0; },
     {{"staple", 0, 20}, {"continuousOutput", 0, 1}}, {{"staple", 0, 0}, {"continuousOutput", 0, 0}}},
    // 9 runs before 10: the job loses its duplex and tray before its unit check.
    {"perfect binding without its unit", Unit(22),
     {{"perfectBindingSupport", 0, 1}, {"duplexType", 0, 2}, {"inputTray", 0, 258}, {"paperType", 0, 259}},
     {{"perfectBindingSupport", 0, 0}, {"duplexType", 0, 1}, {"inputTray", 0, 7}, {"paperType", 0, 257}}},
    {"perfect binding, cover separately: unit check only", Unit(22),
     {{"perfectBindingSupport", 0, 1}, {"printCoverSeparately_PerfectBinding", 0, 1}, {"duplexType", 0, 2}},
     {{"perfectBindingSupport", 0, 0}, {"duplexType", 0, 2}}},
    {"mail ticket job keeps its paper and mail making", Unit(22),
     {{"jobFlag", 0, 2}, {"mailMakingSupport", 0, 1}, {"paperType", 0, 259}},
     {{"mailMakingSupport", 0, 1}, {"paperType", 0, 259}, {"duplexType", 0, 1}}},
    // 11. The envelope unit.
    {"envelope unit without mail making", Unit(23), {{"outputTray", 0, 5}, {"continuousOutput", 0, 1}},
     {{"outputTray", 0, 1}, {"continuousOutput", 0, 0}}},
    {"envelope unit with mail making", Unit(23), {{"outputTray", 0, 5}, {"mailMakingSupport", 0, 1}},
     {{"outputTray", 0, 5}, {"mailMakingSupport", 0, 1}}},
    // 12 to 14. Folds.
    {"z-fold of a user paper in millimetres", kFull, {{"fold", 0, 4}, {"outputSize", 0, 300}},
     {{"outputSize", 0, 8}}},
    {"z-fold of a custom size in inches", [](PrinterEnvironment& e) { e.unitOfLength = 1; },
     {{"fold", 0, 4}, {"outputSize", 0, 256}}, {{"outputSize", 0, 3}}},
    {"fold 2 drops the side margin", kFull, {{"fold", 0, 2}, {"sideMarginSupport", 0, 1}},
     {{"sideMarginSupport", 0, 0}, {"fold", 0, 2}}},
    {"mixed sizes: same as original, no side margin", kFull,
     {{"mixedSizeSupport", 0, 1}, {"sideMarginSupport", 0, 1}, {"outputSize", 0, 9}},
     {{"sideMarginSupport", 0, 0}, {"outputSize", 0, 0}}},
    {"z-fold portrait is turned", kFull, {{"fold", 0, 4}, {"bindingSide_Fold", 0, 2}, {"originalOrientation", 0, 1}},
     {{"bindingSide_Fold", 0, 1}, {"faceUpDown_OutputTray", 0, 2}}},
    {"z-fold portrait 2-up is not turned", kFull,
     {{"fold", 0, 4}, {"bindingSide_Fold", 0, 2}, {"pluralPagesPerSheet", 0, 21}},
     {{"bindingSide_Fold", 0, 2}}},
    // 15. Storage output (fresh environment: slot 1 usable, storage state 0).
    {"folder 1 is usable", kFull, {{"outputMode", 0, 1}, {"destinationFolder_ToSave", 0, 1}},
     {{"outputMode", 0, 1}}},
    {"folder 2 is not selectable", kFull, {{"outputMode", 0, 2}, {"destinationFolder_ToSave", 0, 2}},
     {{"outputMode", 0, 0}}},
    {"folder 0 needs the storage state", kFull, {{"outputMode", 0, 1}, {"destinationFolder_ToSave", 0, 0}},
     {{"outputMode", 0, 0}}},
    {"folder 0 with storage ready", [](PrinterEnvironment& e) { e.storageState = 1; },
     {{"outputMode", 0, 1}, {"destinationFolder_ToSave", 0, 0}}, {{"outputMode", 0, 1}}},
    {"folder 101 does not exist", kFull, {{"outputMode", 0, 1}, {"destinationFolder_ToSave", 0, 101}},
     {{"outputMode", 0, 0}}},
    // 16. Booklet binding.
    {"booklet binding 2 in separate books", kFull,
     {{"bookletBinding", 0, 2}, {"separateBooks_BookletBinding", 0, 1}, {"outputTray", 0, 2}},
     {{"sheets_BookletBinding", 0, 15}, {"outputTray", 0, 0}, {"duplexType", 0, 3}}},
    // 18 to 21. Inks, papers and quality.
    {"two inks: image mode 1", [](PrinterEnvironment& e) { e.inkCount = 2; }, {{"imageMode", 0, 2}},
     {{"imageMode", 0, 1}}},
    {"one ink: no high resolution", [](PrinterEnvironment& e) { e.inkCount = 1; }, {{"imageQuality", 0, 2}},
     {{"imageQuality", 0, 1}}},
    {"light paper unsupported", kFull, {{"paperType", 0, 263}}, {{"paperType", 0, 257}}},
    {"pressure-seal paper: quality 6", [](PrinterEnvironment& e) { e.pressPaperSupport = 1; },
     {{"paperType", 0, 266}, {"imageQuality", 0, 1}}, {{"paperType", 0, 266}, {"imageQuality", 0, 6}}},
    {"quality 5 on coated paper: image mode 1", kFull,
     {{"imageQuality", 0, 5}, {"paperType", 0, 258}, {"imageMode", 0, 2}}, {{"imageMode", 0, 1}}},
    // 22. Barcode areas (no definition file named).
    {"barcode without a file is switched off", kFull,
     {{"barcodeAreaDefinition", 0, 1}, {"proof_BarcodeAreaDefinition", 0, 1}, {"density_BarcodeAreaDefinition", 0, 2},
      {"repeat_BarcodeAreaDefinition", 0, 3}, {"index_barcodeAreaDefinition", 0, 4}},
     {{"barcodeAreaDefinition", 0, 0}, {"proof_BarcodeAreaDefinition", 0, 0},
      {"density_BarcodeAreaDefinition", 0, 0}, {"repeat_BarcodeAreaDefinition", 0, 0},
      {"index_barcodeAreaDefinition", 0, 0xFFFF}, {"stroke_BarcodeAreaDefinition", 0, 0}}},
    {"barcode density 3 refused at high resolution", kFull,
     {{"density_BarcodeAreaDefinition", 0, 3}, {"imageQuality", 0, 2}}, {{"density_BarcodeAreaDefinition", 0, 0}}},
    {"barcode density 13 kept at normal quality", kFull,
     {{"density_BarcodeAreaDefinition", 0, 13}, {"imageQuality", 0, 1}}, {{"density_BarcodeAreaDefinition", 0, 13}}},
    {"one ink: barcode density 11 only", [](PrinterEnvironment& e) { e.inkCount = 1; },
     {{"density_BarcodeAreaDefinition", 0, 1}}, {{"density_BarcodeAreaDefinition", 0, 0}}},
    // 23 to 25.
    {"booklet prints short-edge", kFull, {{"booklet", 0, 1}, {"duplexType", 0, 1}}, {{"duplexType", 0, 3}}},
    {"tab paper needs an automatic tray", kFull, {{"paperType", 0, 262}, {"inputTray", 0, 258}},
     {{"paperType", 0, 261}}},
    {"image rotation drops the cover", kFull, {{"imageRotation", 0, 2}, {"coverSupport", 0, 1}},
     {{"coverSupport", 0, 0}}},
};

class DeviceRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DeviceRule, TriggerAndEffect) {
    const RuleCase& c = GetParam();
    RuleSession r;
    c.env(r.s->env);
    r.Set(c.given);
    ApplyDeviceRestrictions(r.s.get(), nullptr);
    r.Expect(c.what, c.want);
}

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.what; }

INSTANTIATE_TEST_SUITE_P(Table, DeviceRule, ::testing::ValuesIn(kRuleCases),
                         [](const ::testing::TestParamInfo<RuleCase>& i) { return CaseName(i.index, i.param.what); });

TEST(DeviceRules, BarcodeWithAFileStrokesUnlessColourModeThreeOrFour) {
    const struct { uint8_t colorMode; int stroke; } cases[] = {{0, 1}, {2, 1}, {3, 0}, {4, 0}};
    for (const auto& c : cases) {
        RuleSession r;
        r.p().barcodeAreaDefinition = 1;
        r.p().fileName_BarcodeAreaDefinition[0] = u'A';
        r.p().colorMode = c.colorMode;
        ApplyDeviceRestrictions(r.s.get(), nullptr);
        EXPECT_EQ(1, r.p().barcodeAreaDefinition);
        EXPECT_EQ(c.stroke, r.p().stroke_BarcodeAreaDefinition) << int(c.colorMode);
    }
}

// A record that already fits stays as it is on a second pass.
TEST(DeviceRules, FittedRecordIsStable) {
    RuleSession r;
    r.Set({{"jobFlag", 0, 2}, {"fold", 0, 4}, {"bookletBinding", 0, 2}, {"outputMode", 0, 1}, {"paperType", 0, 262}});
    ApplyDeviceRestrictions(r.s.get(), nullptr);
    DriverDevMode once = r.s->dm;
    ApplyDeviceRestrictions(r.s.get(), nullptr);
    EXPECT_EQ(0, std::memcmp(&once, &r.s->dm, sizeof once));
}

}  // namespace
