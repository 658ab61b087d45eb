// Cost of one constraint evaluation over the 94 settings pairs and the real
// tables, and of one whole page refresh: normalise, build the pairs, check,
// apply the forced values. A page runs the refresh on every control change.
#include <benchmark/benchmark.h>

#include <memory>

#include "rules/constraint_engine.h"

namespace {

// A four-ink printer with a finisher, fold unit and offset staple tray, and a
// two-sided, stapled, landscape job folded in two.
std::unique_ptr<PrinterSession> BenchSession() {
    auto s = std::make_unique<PrinterSession>();
    PrinterEnvironment& e = s->env;
    e.inkCount = 4;
    e.outputUnit_Option = 25;
    e.foldUnit_Option = 1;
    e.offsetStapleTray_Option = 1;
    e.outputSubOption = 1;
    e.defaultPaperType = 258;
    e.printCheckLevel = 4;
    e.modelColor = 40;
    PrivateSettings& p = s->dm.priv;
    p.colorMode = 0;
    p.duplexType = 2;
    p.duplexType_MixedSize = 4;
    p.copies = 1;
    p.collate = 2;
    p.originalSize = 9;
    p.outputSize = 0;
    p.originalOrientation = 2;
    p.inputTray = 7;
    p.paperType = 257;
    p.staple = 10;
    p.fold = 4;
    p.bindingSide = 1;
    p.imageMode = 1;
    p.imageQuality = 3;
    p.halftoneScreening = 1;
    p.collate_ProgramPrint = 2;
    p.direction_Fold = 1;
    p.bindingSide_Fold = 1;
    p.faceUpDown_OutputTray = 1;
    p.duplexTypeOfSmallerPage = 2;
    p.duplexTypeOfLargerPage = 3;
    return s;
}

void BM_CheckConstraints(benchmark::State& state) {
    auto s = BenchSession();
    SettingsPairArray built{};
    BuildSettingsPairs(*s, built);
    ConstraintResult results[kConstraintResultRoom];
    const ConstraintTables& t = DefaultConstraintTables();
    for (auto _ : state) {
        SettingsPairArray pairs = built;
        int n = CheckConstraints(nullptr, 30226, 2, kSettingsPairCount, pairs.entry, results, t);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(results);
    }
    state.counters["rules"] = t.cascadeCount + t.removalCount + t.disableCount;
}
BENCHMARK(BM_CheckConstraints);

void BM_PageRefresh(benchmark::State& state) {
    auto s = BenchSession();
    ConstraintResult results[kConstraintResultRoom];
    for (auto _ : state) {
        s->dm.priv.originalOrientation = 2;  // the user's change
        NormalizeDeviceOptionSettings(*s);
        SettingsPairArray pairs;
        BuildSettingsPairs(*s, pairs);
        int n = CheckConstraints(nullptr, 30226, 2, kSettingsPairCount, pairs.entry, results);
        ApplyForcedOptions(results, n, *s);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(s->dm.priv);
    }
}
BENCHMARK(BM_PageRefresh);

}  // namespace
