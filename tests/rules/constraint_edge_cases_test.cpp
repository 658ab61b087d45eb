// The behaviours the real rule tables must show, checked through the engine
// on a fully equipped four-ink printer.
#include <vector>

#include <gtest/gtest.h>

#include "rules/constraint_engine.h"
#include "rules/rule_session.h"

namespace {

struct Refresh {
    SettingsPairArray pairs{};
    std::vector<ConstraintResult> results;

    Refresh(RuleSession& r, uint32_t control, uint32_t value) {
        ConstraintResult out[kConstraintResultRoom];
        BuildSettingsPairs(*r.s, pairs);
        int n = CheckConstraints(nullptr, control, value, kSettingsPairCount, pairs.entry, out);
        results.assign(out, out + n);
    }
    // Values of the results of one kind for one control, in order.
    std::vector<uint32_t> Values(uint32_t kind, uint32_t control) const {
        std::vector<uint32_t> v;
        for (const ConstraintResult& r : results)
            if (r.kind == kind && r.control == control) v.push_back(r.value);
        return v;
    }
    uint32_t Option(uint32_t control) const {
        for (const SettingsPair& e : pairs.entry)
            if (e.control == control) return e.option;
        return 0;
    }
};

uint32_t CatalogOption(uint32_t control, uint32_t value) {
    const ConstraintTables& t = DefaultConstraintTables();
    for (uint32_t i = 0; i < t.catalogCount; i++)
        if (t.catalog[i].control == control && t.catalog[i].value == value) return t.catalog[i].option;
    return 0;
}

TEST(ConstraintEdgeCases, LandscapeWithFoldFourSetsTheBindingSide) {
    struct Case {
        const char* what;
        uint8_t plural, single, binding;
        std::vector<uint32_t> forced;
    } cases[] = {
        {"pages per sheet 21: neither rule", 21, 0, 0, {}},
        {"pages per sheet 41 with binding side 2: only the first rule", 41, 0, 2, {0}},
    };
    for (const Case& c : cases) {
        RuleSession r;
        r.p().fold = 4;
        r.p().originalOrientation = 2;
        r.p().pluralPagesPerSheet = c.plural;
        r.p().singlePagesPerSheet = c.single;
        r.p().bindingSide = c.binding;
        Refresh f(r, 30226, 2);
        EXPECT_EQ(c.forced, f.Values(kForcedOption, 30511)) << c.what;
        if (!c.forced.empty()) {
            // Removal and disable rules saw the forced binding side.
            EXPECT_EQ(CatalogOption(30511, c.forced.back()), f.Option(30511)) << c.what;
        }
    }
}

TEST(ConstraintEdgeCases, ProgramPrintSortForcesProofPrintOff) {
    struct Case {
        uint32_t control, value;
    } cases[] = {{30725, 1}, {33095, 1}};
    for (const Case& c : cases) {
        RuleSession r;
        r.p().programPrint = 1;
        r.p().collate_ProgramPrint = 1;
        r.p().proofPrint = 1;
        Refresh f(r, c.control, c.value);
        EXPECT_EQ(std::vector<uint32_t>{0}, f.Values(kForcedOption, 30218)) << c.control;
    }
}

TEST(ConstraintEdgeCases, MixedSizesWithoutFoldFourClearFinishing) {
    for (uint8_t fold = 0; fold <= 3; fold++) {
        RuleSession r;
        r.p().mixedSizeSupport = 1;
        r.p().fold = fold;
        r.p().staple = 10;
        r.p().punch = 1;
        r.p().offsetOutput = 1;
        r.p().coverSupport = 1;
        Refresh f(r, 30228, 1);
        for (uint32_t control : {30514u, 30517u, 30525u, 30530u})
            EXPECT_EQ(std::vector<uint32_t>{0}, f.Values(kForcedOption, control)) << "fold " << int(fold) << " control " << control;
    }
}

TEST(ConstraintEdgeCases, StapledJobsOnOutputUnitsDoNotOfferSomeTrays) {
    for (uint8_t unit : {25, 26}) {
        for (bool init : {false, true}) {
            RuleSession r;
            r.s->env.outputUnit_Option = unit;
            r.s->env.offsetStapleTray_Option = 1;
            r.p().staple = 10;
            Refresh f(r, init ? 0 : 30514, init ? 0 : 10);
            for (uint32_t tray : {0u, 2u, 6u, 7u})
                EXPECT_EQ(0, OptionOffered(f.results.data(), static_cast<int>(f.results.size()), 30533, tray))
                    << "unit " << int(unit) << " tray " << tray << (init ? " at initialisation" : "");
            if (init) {
                for (const ConstraintResult& res : f.results) EXPECT_NE(kForcedOption, res.kind) << "cascade at initialisation";
            }
        }
    }
}

}  // namespace
