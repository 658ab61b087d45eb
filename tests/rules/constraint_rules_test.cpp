// The removal and disable rules of the real tables in the situations the
// engine's evaluation order matters for: finisher trays with stapling, a
// forced binding side seen by the removals of the same evaluation, the
// controls that mixed sizes, form overlay and program print grey, and what the
// device options, the controller, the region and the special jobs take away.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "rules/constraint_engine.h"

namespace {

// value: not compared for disabled controls.
struct Expect { uint32_t kind; uint32_t control; uint32_t value; };

struct Case {
    const char* what;
    void (*setup)(PrinterSession& s);
    // Pair entries the pages fill with 0 but a dialog may hand over set.
    std::vector<std::pair<uint32_t, uint32_t>> patch;
    uint32_t changedControl, changedValue;
    std::vector<Expect> present, absent;
};

void FinisherStapling(PrinterSession& s, uint8_t unit, uint8_t staple) {
    s.env.outputUnit_Option = unit;
    s.env.offsetStapleTray_Option = 1;
    s.dm.priv.staple = staple;
}

// A landscape z-folded page, four pages per sheet unturned, bound at side 2.
void ZFoldLandscape(PrinterSession& s) {
    s.env.outputUnit_Option = 25;
    s.env.foldUnit_Option = 1;
    PrivateSettings& p = s.dm.priv;
    p.originalOrientation = 2;
    p.fold = 4;
    p.pluralPagesPerSheet = 41;
    p.bindingSide = 2;
    p.bindingSide_Fold = 1;
}

int Has(const std::vector<ConstraintResult>& r, const Expect& e) {
    for (const ConstraintResult& x : r)
        if (x.kind == e.kind && x.control == e.control && (e.kind == kControlDisabled || x.value == e.value)) return 1;
    return 0;
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"unit 25, offset staple tray, staple on", [](PrinterSession& s) { FinisherStapling(s, 25, 10); }, {}, 0, 0,
         {{2, 30533, 0}, {2, 30533, 2}, {2, 30533, 6}, {2, 30533, 7}}, {{2, 30533, 1}, {2, 30533, 3}}},
        {"unit 25, offset staple tray, no staple", [](PrinterSession& s) { FinisherStapling(s, 25, 0); }, {}, 0, 0,
         {{2, 30533, 6}, {2, 30533, 7}}, {{2, 30533, 0}, {2, 30533, 2}}},
        // Landscape with the z-fold forces binding side 0; the removals see 0
        // and take fold side 2 away, which binding side 2 would not.
        {"orientation changed to landscape with the z-fold", ZFoldLandscape, {}, 30226, 2,
         {{1, 30511, 0}, {2, 30511, 2}, {2, 32715, 2}}, {{2, 32715, 1}}},
        {"the same at page initialisation", ZFoldLandscape, {}, 0, 0,
         {{2, 30511, 2}}, {{1, 30511, 0}, {2, 32715, 2}}},
        {"mixed sizes on", [](PrinterSession& s) { s.dm.priv.mixedSizeSupport = 1; }, {}, 0, 0,
         {{3, 30237, 0}}, {}},
        {"mixed sizes off", [](PrinterSession&) {}, {}, 0, 0, {}, {{3, 30237, 0}}},
        {"form overlay, method 2", [](PrinterSession&) {}, {{30723, 1}, {33820, 2}}, 0, 0, {{3, 30213, 0}}, {}},
        {"form overlay, method 1", [](PrinterSession&) {}, {{30723, 1}, {33820, 1}}, 0, 0, {}, {{3, 30213, 0}}},
        {"form overlay off, method 3", [](PrinterSession&) {}, {{30723, 0}, {33820, 3}}, 0, 0, {}, {{3, 30213, 0}}},
        {"program print, sort 1",
         [](PrinterSession& s) { s.dm.priv.programPrint = 1, s.dm.priv.collate_ProgramPrint = 1; }, {}, 0, 0,
         {{3, 30218, 0}}, {}},
        {"program print, sort 2",
         [](PrinterSession& s) { s.dm.priv.programPrint = 1, s.dm.priv.collate_ProgramPrint = 2; }, {}, 0, 0,
         {}, {{3, 30218, 0}}},
        // Special jobs: the offset staple tray does not staple them, and the
        // controls their own dialogs set grey.
        {"mail making on the envelope unit with the offset staple tray",
         [](PrinterSession& s) { s.env.outputUnit_Option = 23, s.env.offsetStapleTray_Option = 1, s.dm.priv.mailMakingSupport = 1; },
         {}, 0, 0, {{2, 30514, 10}, {3, 30514, 0}, {3, 30213, 0}, {3, 30241, 0}, {3, 30237, 0}, {3, 30511, 0}, {3, 32811, 0}},
         {{3, 30533, 0}}},
        {"perfect binding on the binder",
         [](PrinterSession& s) { s.env.outputUnit_Option = 24, s.dm.priv.perfectBindingSupport = 1; }, {}, 0, 0,
         {{3, 30237, 0}, {3, 30241, 0}, {3, 30213, 0}, {3, 30511, 0}, {3, 30220, 0}}, {{3, 30216, 0}}},
        {"no finisher, offset staple tray",
         [](PrinterSession& s) { s.env.offsetStapleTray_Option = 1; }, {}, 0, 0,
         {{3, 30517, 0}, {3, 30519, 0}, {3, 30522, 0}, {3, 32811, 0}}, {{3, 30514, 0}}},
        {"finisher 25 without booklet and fold unit",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25; }, {}, 0, 0,
         {{3, 30519, 0}, {3, 32712, 0}, {3, 30522, 0}, {3, 32715, 0}}, {{3, 30514, 0}, {3, 30517, 0}}},
        {"finisher 25 with the booklet unit",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25, s.env.outputSubOption = 1; }, {}, 0, 0,
         {}, {{3, 30519, 0}, {3, 30522, 0}}},
        {"S model", [](PrinterSession& s) { s.env.modelFS = 1; }, {}, 0, 0,
         {{3, 30237, 0}, {3, 31813, 0}, {3, 31818, 0}}, {}},
        {"overseas printer", [](PrinterSession& s) { s.env.localArea = 1, s.env.lightPaperSupport = 1; }, {}, 0, 0,
         {{3, 30038, 0}, {3, 30040, 0}, {3, 30056, 0}, {2, 30241, 263}, {2, 30036, 266}}, {}},
        // With the watermark and program print on, only the controller greys
        // their settings.
        {"raster controller",
         [](PrinterSession& s) { s.dm.priv.watermarkSupport = 1, s.dm.priv.programPrint = 1; }, {}, 0, 0,
         {{3, 33820, 0}, {3, 32211, 0}, {3, 31415, 0}}, {{3, 33220, 0}, {3, 33095, 0}}},
        {"PS controller",
         [](PrinterSession& s) { s.env.printCheckLevel = 1, s.dm.priv.watermarkSupport = 1, s.dm.priv.programPrint = 1; },
         {}, 0, 0, {{3, 33220, 0}, {3, 33095, 0}}, {{3, 33820, 0}, {3, 31415, 0}}},
        {"repeat layout", [](PrinterSession& s) { s.dm.priv.singlePagesPerSheet = 4; }, {}, 0, 0,
         {{2, 30213, 2}, {2, 30213, 3}, {3, 30213, 0}}, {{2, 30213, 1}}},
        {"continuous output on a finisher",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25, s.dm.priv.continuousOutput = 1; }, {}, 0, 0,
         {{2, 30514, 10}, {3, 30514, 0}}, {}},
        {"mixed sizes without a fold",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25, s.dm.priv.mixedSizeSupport = 1; }, {}, 0, 0,
         {{2, 30235, 9}, {2, 30237, 257}, {3, 30230, 0}, {3, 30514, 0}}, {{2, 30235, 0}, {2, 30237, 7}}},
        {"booklet binding",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25, s.env.outputSubOption = 1, s.dm.priv.bookletBinding = 1, s.dm.priv.booklet = 1; },
         {}, 0, 0, {{2, 30235, 262}, {3, 32613, 0}, {3, 30530, 0}, {3, 30742, 0}, {3, 30533, 0}, {3, 30213, 0}}, {}},
        {"landscape z-folded booklet",
         [](PrinterSession& s) {
             s.env.outputUnit_Option = 25, s.env.foldUnit_Option = 1, s.dm.priv.fold = 4,
             s.dm.priv.originalOrientation = 2, s.dm.priv.booklet = 3;
         },
         {}, 0, 0, {{3, 32715, 0}}, {}},
        {"stapled on a finisher",
         [](PrinterSession& s) { s.env.outputUnit_Option = 25, s.dm.priv.staple = 10, s.dm.priv.outputTray = 3; },
         {}, 0, 0, {{3, 32811, 0}, {2, 32811, 1}}, {{2, 32811, 2}}},
        {"unspecified paper on a light-paper printer",
         [](PrinterSession& s) { s.dm.priv.paperType = 257, s.env.defaultPaperType = 263; }, {}, 0, 0,
         {{2, 32215, 8}, {2, 32215, 10}}, {{2, 32215, 7}}},
        // A two-ink model without the colour mode: no colour qualities.
        {"two-ink model in monochrome on plain paper",
         [](PrinterSession& s) { s.env.modelColor = 21, s.dm.priv.colorMode = 2, s.dm.priv.paperType = 258; }, {}, 0,
         0, {{2, 30615, 2}, {2, 30615, 5}, {2, 30615, 6}}, {{2, 30615, 1}, {2, 30615, 3}}},
        {"four-ink model in monochrome on plain paper",
         [](PrinterSession& s) { s.env.modelColor = 40, s.dm.priv.colorMode = 2, s.dm.priv.paperType = 258; }, {}, 0,
         0, {}, {{2, 30615, 2}, {2, 30615, 5}, {2, 30615, 6}}},
        {"quality 6", [](PrinterSession& s) { s.env.inkCount = 4, s.dm.priv.imageQuality = 6; }, {}, 0, 0,
         {{2, 30611, 2}, {3, 30611, 0}}, {{2, 30611, 1}}},
    };
    return cases;
}

TEST(ConstraintRules, RemovalsAndDisablesOfTheRealTables) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        auto s = std::make_unique<PrinterSession>();
        s->env.printCheckLevel = 4;
        c.setup(*s);
        SettingsPairArray pairs{};
        BuildSettingsPairs(*s, pairs);
        for (const auto& [control, value] : c.patch)
            for (SettingsPair& e : pairs.entry)
                if (e.control == control) e.value = value;
        std::vector<ConstraintResult> results(kConstraintResultRoom);
        int n = CheckConstraints(nullptr, c.changedControl, c.changedValue, kSettingsPairCount, pairs.entry,
                                 results.data());
        results.resize(n);
        for (const Expect& e : c.present)
            EXPECT_TRUE(Has(results, e)) << "missing kind " << e.kind << " control " << e.control << " value " << e.value;
        for (const Expect& e : c.absent)
            EXPECT_FALSE(Has(results, e)) << "unexpected kind " << e.kind << " control " << e.control << " value " << e.value;
    }
}

}  // namespace
