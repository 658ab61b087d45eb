// The cascade rules of the real tables, run through the engine as a page
// refresh runs them: a settings situation, one change, and the options the
// rules must force (or must leave alone).
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "rules/constraint_engine.h"

namespace {

using ControlValue = std::pair<uint32_t, uint32_t>;

// Dialog controls of the features the cases use.
enum : uint32_t {
    kColorMode = 30211, kDuplex = 30213, kProofPrint = 30218, kCollate = 30220, kOrientation = 30226,
    kMixedSizes = 30228, kInputTray = 30237, kPaperType = 30241, kPagesPerSheet = 30411,
    kRepeatLayout = 30413, kBooklet = 30415, kWatermark = 30416, kBindingSide = 30511, kStaple = 30514,
    kPunch = 30517, kFold = 30519, kBookletBinding = 30522, kOffsetOutput = 30525, kCover = 30530,
    kOutputTray = 30533, kContinuousOutput = 30535, kImageQuality = 30615, kProgramPrint = 30725,
    kCarbonCopy = 30742, kOutputUnit = 30028, kMailMaking = 30548, kProgramPrintSort = 33095,
    kBookletUnit = 4003, kModelColor = 4018, kA3OrA4Model = 4021,
};

// change: control and value the user just set; 0, 0 at initialisation; settings: the situation, as the page hands it
// over; forced: options that must be forced (and to nothing else); untouched: controls that must not be forced.
struct CascadeCase { const char* what; ControlValue change; std::vector<ControlValue> settings;
                     std::vector<ControlValue> forced; std::vector<uint32_t> untouched; };

// The pairs of an empty record with the case's settings, the change included.
void BuildCasePairs(const CascadeCase& c, SettingsPairArray& pairs) {
    auto s = std::make_unique<PrinterSession>();
    BuildSettingsPairs(*s, pairs);
    std::vector<ControlValue> all = c.settings;
    if (c.change.first != 0) all.push_back(c.change);
    for (const ControlValue& cv : all) {
        bool found = false;
        for (SettingsPair& p : pairs.entry)
            if (p.control == cv.first) {
                p.value = cv.second;
                found = true;
            }
        ASSERT_TRUE(found) << c.what << ": control " << cv.first << " is not in the pairs";
    }
}

std::vector<ControlValue> Forced(const ConstraintResult* r, int n) {
    std::vector<ControlValue> out;
    for (int i = 0; i < n; i++)
        if (r[i].kind == kForcedOption) out.emplace_back(r[i].control, r[i].value);
    return out;
}

void Check(const CascadeCase& c) {
    SettingsPairArray pairs{};
    BuildCasePairs(c, pairs);
    ConstraintResult results[kConstraintResultRoom];
    int n = CheckConstraints(nullptr, c.change.first, c.change.second, kSettingsPairCount, pairs.entry, results);
    const std::vector<ControlValue> forced = Forced(results, n);
    for (const ControlValue& want : c.forced) {
        bool seen = false;
        for (const ControlValue& got : forced) {
            if (got.first != want.first) continue;
            seen = true;
            EXPECT_EQ(want.second, got.second) << c.what << ": control " << want.first;
        }
        EXPECT_TRUE(seen) << c.what << ": control " << want.first << " not forced";
    }
    for (uint32_t control : c.untouched)
        for (const ControlValue& got : forced)
            EXPECT_NE(control, got.first) << c.what << ": control " << control << " forced to " << got.second;
}

TEST(CascadeRules, OneChangeForcesItsConsequences) {
    enum : uint32_t {
        kDefaultPaperType = 30036, kOffsetStapleTray = 30032, kSeparateBooks = 32511, kFoldBindingSide = 32715,
        kBarcodeAreas = 30632, kBarcodeProof = 30635,
    };
    const std::vector<CascadeCase> cases = {
        {"2-up: neither binding rule fires", {kOrientation, 2},
         {{kFold, 4}, {kPagesPerSheet, 21}, {kRepeatLayout, 0}, {kBindingSide, 2}}, {}, {kBindingSide}},
        {"4-up with side 2: side 0", {kOrientation, 2},
         {{kFold, 4}, {kPagesPerSheet, 41}, {kRepeatLayout, 0}, {kBindingSide, 2}}, {{kBindingSide, 0}}, {}},
        {"4-up bound at side 1 stays", {kOrientation, 2},
         {{kFold, 4}, {kPagesPerSheet, 41}, {kRepeatLayout, 0}, {kBindingSide, 1}}, {}, {kBindingSide}},
        {"z-fold chosen on a landscape page", {kFold, 4},
         {{kOrientation, 2}, {kPagesPerSheet, 0}, {kRepeatLayout, 0}, {kBindingSide, 2}}, {{kBindingSide, 0}}, {}},
        {"portrait keeps its binding side", {kOrientation, 1},
         {{kFold, 4}, {kPagesPerSheet, 0}, {kRepeatLayout, 0}, {kBindingSide, 2}}, {}, {kBindingSide}},

        {"program print on, sorted", {kProgramPrint, 1}, {{kProgramPrintSort, 1}, {kProofPrint, 1}},
         {{kProofPrint, 0}}, {}},
        {"sort chosen, program print on", {kProgramPrintSort, 1}, {{kProgramPrint, 1}, {kProofPrint, 1}},
         {{kProofPrint, 0}}, {}},
        {"program print on, not sorted", {kProgramPrint, 1}, {{kProgramPrintSort, 2}, {kProofPrint, 1}}, {},
         {kProofPrint}},

        {"orientation change on an A3/A4 model drops the punch", {kOrientation, 1},
         {{kA3OrA4Model, 1}, {kPunch, 2}}, {{kPunch, 0}}, {}},
        {"orientation change elsewhere keeps it", {kOrientation, 1}, {{kA3OrA4Model, 0}, {kPunch, 2}}, {},
         {kPunch}},
        {"finisher 25 without booklet unit: no half fold", {kOutputUnit, 25}, {{kFold, 1}, {kBookletUnit, 0}},
         {{kFold, 0}}, {}},
        {"finisher 25 with booklet unit keeps it", {kOutputUnit, 25}, {{kFold, 1}, {kBookletUnit, 1}}, {}, {kFold}},
        {"booklet binding on a landscape page", {kBookletBinding, 2},
         {{kOrientation, 2}, {kBooklet, 0}, {kStaple, 10}, {kOutputTray, 1}, {kDuplex, 2}, {kCollate, 1}},
         {{kBooklet, 3}, {kStaple, 0}, {kOutputTray, 0}, {kDuplex, 3}, {kCollate, 2}}, {}},
        {"continuous output uncollates", {kContinuousOutput, 1}, {{kCollate, 2}, {kStaple, 0}}, {{kCollate, 1}},
         {kStaple}},
        {"mail making: one-sided plain paper, automatic tray, no watermark", {kMailMaking, 1},
         {{kDuplex, 2}, {kWatermark, 1}, {kInputTray, 258}, {kPaperType, 259}},
         {{kDuplex, 1}, {kWatermark, 0}, {kInputTray, 7}, {kPaperType, 257}}, {}},
        {"carbon copy drops the staple", {kCarbonCopy, 1}, {{kStaple, 20}}, {{kStaple, 0}}, {}},
        {"a staple drops carbon copy", {kStaple, 20}, {{kCarbonCopy, 1}}, {{kCarbonCopy, 0}}, {}},
        {"monochrome leaves high resolution", {kColorMode, 2}, {{kImageQuality, 2}, {kPaperType, 257}},
         {{kImageQuality, 1}}, {}},
        {"monochrome on matte paper takes quality 5", {kColorMode, 2}, {{kImageQuality, 2}, {kPaperType, 260}},
         {{kImageQuality, 5}}, {}},
        {"high resolution brings colour back on a colour model", {kImageQuality, 2},
         {{kColorMode, 2}, {kModelColor, 40}}, {{kColorMode, 1}}, {}},
        {"but not on a two-colour model", {kImageQuality, 2}, {{kColorMode, 2}, {kModelColor, 21}}, {},
         {kColorMode}},

        {"monochrome: quality 6 on unspecified paper, default plain, goes to 1", {kColorMode, 2},
         {{kImageQuality, 6}, {kPaperType, 257}, {kDefaultPaperType, 258}}, {{kImageQuality, 1}}, {}},
        {"monochrome: quality 6 on unspecified paper, default matte, goes to 5", {kColorMode, 2},
         {{kImageQuality, 6}, {kPaperType, 257}, {kDefaultPaperType, 260}}, {{kImageQuality, 5}}, {}},
        {"leaving pressure-seal paper without colour lowers quality 6", {kPaperType, 259},
         {{kImageQuality, 6}, {kColorMode, 2}}, {{kImageQuality, 1}}, {}},
        {"monochrome keeps pressure-seal quality", {kColorMode, 2}, {{kImageQuality, 2}, {kPaperType, 266}}, {},
         {kImageQuality}},
        {"barcode areas on with their proof leave quality 3", {kBarcodeAreas, 1},
         {{kBarcodeProof, 1}, {kImageQuality, 3}, {kPaperType, 258}}, {{kImageQuality, 1}}, {}},
        {"4-up ends the booklet", {kPagesPerSheet, 41}, {{kBooklet, 1}}, {{kBooklet, 0}}, {}},
        {"a tri-fold drops the staple", {kFold, 2}, {{kStaple, 10}}, {{kStaple, 0}}, {}},
        {"postcard paper leaves tray 1", {kPaperType, 262}, {{kInputTray, 258}}, {{kInputTray, 7}}, {}},
        {"tray 2 turns inkjet postcards into plain ones", {kInputTray, 259}, {{kPaperType, 262}},
         {{kPaperType, 261}}, {}},
        {"no output unit: tray 0 with nothing to offset goes to tray 1", {kOutputUnit, 0},
         {{kOutputTray, 0}, {kStaple, 0}, {kOffsetOutput, 0}, {kProgramPrint, 0}, {kOffsetStapleTray, 1}},
         {{kOutputTray, 1}}, {}},
        {"no output unit: stapled sets keep tray 0", {kOutputUnit, 0},
         {{kOutputTray, 0}, {kStaple, 10}, {kOffsetOutput, 0}, {kProgramPrint, 0}, {kOffsetStapleTray, 1}}, {},
         {kOutputTray}},
        {"offset staple tray added: stapled sets to tray 3", {kOffsetStapleTray, 1},
         {{kStaple, 10}, {kOutputTray, 0}, {kOutputUnit, 25}}, {{kOutputTray, 3}}, {}},
        {"booklet binding off clears separate books", {kBookletBinding, 0}, {{kSeparateBooks, 1}},
         {{kSeparateBooks, 0}}, {}},
        {"landscape z-fold: fold side 2 binds at side 1", {kFoldBindingSide, 2},
         {{kFold, 4}, {kOrientation, 2}, {kBindingSide, 0}, {kBooklet, 0}}, {{kBindingSide, 1}}, {}},
        {"leaving the z-fold resets the fold side", {kFold, 0}, {{kFoldBindingSide, 2}}, {{kFoldBindingSide, 1}},
         {}},
        {"a binding side change keeps the z-fold", {kBindingSide, 0}, {{kFold, 4}, {kFoldBindingSide, 2}},
         {{kFoldBindingSide, 1}}, {kFold}},
        {"the environment page takes the z-fold and its fold side away", {kOutputUnit, 20},
         {{kFold, 4}, {kFoldBindingSide, 2}}, {{kFold, 0}, {kFoldBindingSide, 1}}, {}},
        {"bound at side 1 the fold side stays 2 without the z-fold", {kFold, 0},
         {{kFoldBindingSide, 2}, {kBindingSide, 1}}, {}, {kFoldBindingSide}},
    };
    for (const CascadeCase& c : cases) Check(c);
}

TEST(CascadeRules, MixedSizesDropSingleSizeFinishing) {
    const std::vector<ControlValue> finishing = {{kStaple, 10}, {kPunch, 1}, {kOffsetOutput, 1}, {kCover, 1}};
    for (uint32_t fold = 0; fold <= 4; fold++) {
        CascadeCase c{fold == 4 ? "mixed sizes with the z-fold" : "mixed sizes without the z-fold",
                      {kMixedSizes, 1}, finishing, {}, {}};
        c.settings.emplace_back(kFold, fold);
        for (const ControlValue& f : finishing) {
            if (fold == 4) c.untouched.push_back(f.first);
            else c.forced.emplace_back(f.first, 0);
        }
        SCOPED_TRACE(fold);
        Check(c);
    }
}

}  // namespace
