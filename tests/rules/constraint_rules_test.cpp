// The removal and disable rules of the real tables in the situations the
// engine's evaluation order matters for: finisher trays with stapling, a
// forced binding side seen by the removals of the same evaluation, and the
// controls that mixed sizes, form overlay and program print grey.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "rules/constraint_engine.h"

namespace {

struct Expect {
    uint32_t kind;
    uint32_t control;
    uint32_t value;  // not compared for disabled controls
};

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
        {"unit 26, offset staple tray, two staples", [](PrinterSession& s) { FinisherStapling(s, 26, 20); }, {}, 0, 0,
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
        {"form overlay, method 5", [](PrinterSession&) {}, {{30723, 1}, {33820, 5}}, 0, 0, {{3, 30213, 0}}, {}},
        {"form overlay, method 1", [](PrinterSession&) {}, {{30723, 1}, {33820, 1}}, 0, 0, {}, {{3, 30213, 0}}},
        {"form overlay off, method 3", [](PrinterSession&) {}, {{30723, 0}, {33820, 3}}, 0, 0, {}, {{3, 30213, 0}}},
        {"program print, sort 1",
         [](PrinterSession& s) { s.dm.priv.programPrint = 1, s.dm.priv.collate_ProgramPrint = 1; }, {}, 0, 0,
         {{3, 30218, 0}}, {}},
        {"program print, sort 2",
         [](PrinterSession& s) { s.dm.priv.programPrint = 1, s.dm.priv.collate_ProgramPrint = 2; }, {}, 0, 0,
         {}, {{3, 30218, 0}}},
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
