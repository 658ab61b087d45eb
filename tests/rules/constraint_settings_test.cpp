// The settings side of the constraint engine: the pair array, forced values
// written back, the device-option normalisation, the auto zoom and the output
// binding position.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "rules/constraint_engine.h"

namespace {

std::unique_ptr<PrinterSession> Blank() { return std::make_unique<PrinterSession>(); }

uint32_t PairValue(const SettingsPairArray& a, uint32_t control) {
    for (const SettingsPair& e : a.entry)
        if (e.control == control) return e.value;
    ADD_FAILURE() << "no entry for control " << control;
    return 0;
}

TEST(SettingsPairs, EntriesComeFromTheRecordAndTheEnvironment) {
    auto s = Blank();
    PrivateSettings& p = s->dm.priv;
    p.duplexType = 2;
    p.duplexType_MixedSize = 4;
    p.originalOrientation = 0xFFFF;  // signed: widens to all ones
    p.copies = -2;                   // unsigned: 16 bits
    p.paperType = 0x10000103;
    p.maxDrop_ColorProfile = 7;
    p.appliedPage_StampText = 2;
    s->env.defaultPaperType = 264;
    s->env.outputSubOption = 1;
    s->env.printCheckLevel = 4;
    s->env.pressPaperSupport = 1;
    SettingsPairArray a{};
    BuildSettingsPairs(*s, a);
    // Which control sits in which slot is the generated table's.
    for (const SettingsPair& e : a.entry) EXPECT_EQ(0u, e.feature | e.option);
    const uint32_t want[][2] = {{30213, 2},  {30226, 0xFFFFFFFF}, {30216, 0xFFFE}, {30241, 0x10000103}, {32215, 7},
                                {30036, 264}, {4003, 1}, {4023, 4}, {30056, 1}, {33715, 2}};
    for (const auto& w : want) EXPECT_EQ(w[1], PairValue(a, w[0])) << w[0];
    p.mixedSizeSupport = 1;
    BuildSettingsPairs(*s, a);
    EXPECT_EQ(4u, PairValue(a, 30213));
}

TEST(SettingsPairs, OutputBindingPosition) {
    const struct { uint8_t angle, plural, single, booklet; uint16_t orientation; uint32_t expected; } cases[] = {
        {0, 0, 0, 0, 1, 1}, {4, 0, 0, 0, 1, 0}, {6, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 2, 0}, {8, 0, 0, 0, 2, 1},
        {0, 0, 0, 0, 3, 1},
        // booklet only
        {0, 0, 0, 1, 1, 0}, {4, 0, 0, 2, 1, 1}, {0, 0, 0, 3, 2, 1},
        // repeat layout: turned for portrait 2 and 8, landscape 4; it outweighs pages per sheet
        {0, 0, 2, 0, 1, 0}, {0, 0, 4, 0, 2, 0}, {8, 21, 4, 0, 2, 1},
        // pages per sheet
        {0, 21, 0, 0, 1, 0}, {4, 88, 0, 1, 1, 1}, {0, 41, 0, 0, 2, 0}, {0, 22, 0, 0, 2, 1},
    };
    for (const auto& c : cases) {
        auto s = Blank();
        PrivateSettings& p = s->dm.priv;
        p.angle_ImageRotation = c.angle, p.pluralPagesPerSheet = c.plural, p.singlePagesPerSheet = c.single;
        p.booklet = c.booklet, p.originalOrientation = c.orientation;
        SettingsPairArray a{};
        BuildSettingsPairs(*s, a);
        EXPECT_EQ(c.expected, PairValue(a, kOutputBindingPositionControl))
            << int(c.angle) << " " << int(c.plural) << " " << int(c.single) << " " << int(c.booklet) << " "
            << c.orientation;
    }
}

// Readers of the fields several forced-option rows check.
uint32_t Staple(const PrinterSession& s) { return uint32_t(s.dm.priv.staple); }
uint32_t Duplex(const PrinterSession& s) { return uint32_t(s.dm.priv.duplexType * 10 + s.dm.priv.duplexType_MixedSize); }
uint32_t ImageMode(const PrinterSession& s) { return uint32_t(s.dm.priv.imageMode); }
uint32_t ImageQuality(const PrinterSession& s) { return uint32_t(s.dm.priv.imageQuality); }
uint32_t ImageRotation(const PrinterSession& s) { return uint32_t(s.dm.priv.imageRotation); }

TEST(ForcedOptions, FieldWidthsAndExceptions) {
    struct Case { const char* what; uint8_t mixed, inkCount; uint32_t paperType; std::vector<ConstraintResult> results;
                  uint32_t (*read)(const PrinterSession&); uint32_t expected; } cases[] = {
        {"copies is 16 bits", 0, 4, 257, {{1, 3, 30216, 0, 0x12345}},
         [](const PrinterSession& s) { return uint32_t(uint16_t(s.dm.priv.copies)); }, 0x2345},
        {"proof print is one byte, the byte after it stays", 0, 4, 257, {{1, 4, 30218, 15, 0x101}},
         [](const PrinterSession& s) { return uint32_t(s.dm.priv.proofPrint) | s.dm.priv.printDensity << 8; }, 1},
        {"paper type is 32 bits", 0, 4, 257, {{1, 22, 30241, 0, 0x10000107}},
         [](const PrinterSession& s) { return s.dm.priv.paperType; }, 0x10000107},
        {"a later result wins", 0, 4, 257, {{1, 0, 30514, 0, 10}, {1, 0, 30514, 0, 20}}, Staple, 20},
        {"other kinds are not written", 0, 4, 257, {{2, 0, 30514, 0, 10}, {3, 0, 30514, 319, 0}}, Staple, 0},
        {"two-sided without mixed sizes", 0, 4, 257, {{1, 2, 30213, 0, 3}}, Duplex, 30},
        {"two-sided with mixed sizes", 1, 4, 257, {{1, 2, 30213, 0, 5}}, Duplex, 5},
        {"image mode on a four-ink model", 0, 4, 257, {{1, 80, 30611, 0, 2}}, ImageMode, 2},
        {"image mode kept on a two-ink model", 0, 2, 257, {{1, 80, 30611, 0, 2}}, ImageMode, 0},
        {"image quality 1 on inkjet matte paper", 0, 4, 260, {{1, 82, 30615, 0, 1}}, ImageQuality, 5},
        {"image quality 1 on plain paper", 0, 4, 258, {{1, 82, 30615, 0, 1}}, ImageQuality, 1},
        {"image quality 3 on inkjet postcards", 0, 4, 262, {{1, 82, 30615, 0, 3}}, ImageQuality, 3},
        {"the environment's default paper type", 0, 4, 257, {{1, 4007, 30036, 0, 0x1000108}},
         [](const PrinterSession& s) { return s.env.defaultPaperType; }, 0x1000108},
        {"a forced rotation 3 is reset", 0, 4, 257, {{1, 74, 30423, 0, 3}}, ImageRotation, 0},
        {"a forced rotation 6 stays", 0, 4, 257, {{1, 74, 30423, 0, 6}}, ImageRotation, 6},
        {"an unknown control writes nothing", 0, 4, 257, {{1, 0, 12345, 0, 9}},
         [](const PrinterSession& s) { return uint32_t(s.dm.priv.staple + s.dm.priv.colorMode); }, 0},
    };
    for (const Case& c : cases) {
        auto s = Blank();
        s->dm.priv.mixedSizeSupport = c.mixed;
        s->env.inkCount = c.inkCount;
        s->dm.priv.paperType = c.paperType;
        ApplyForcedOptions(c.results.data(), static_cast<int>(c.results.size()), *s);
        EXPECT_EQ(c.expected, c.read(*s)) << c.what;
    }
    auto s = Blank();
    s->dm.priv.imageRotation = 7;
    ApplyForcedOptions(nullptr, 0, *s);
    EXPECT_EQ(0, s->dm.priv.imageRotation) << "reset without results";
}

TEST(DeviceOptionNormalize, FinishingFollowsTheInstalledUnits) {
    // x: expected.
    struct Case { const char* what; uint8_t unit, stapleTray, subOption, foldUnit, programPrint, programOffset;
                  uint8_t staple, punch, fold, offset, tray, xStaple, xPunch, xFold, xOffset, xTray; } cases[] = {
        {"no unit, no staple tray", 0, 0, 1, 1, 0, 0, 10, 1, 1, 1, 3, 0, 0, 0, 0, 1},
        {"no unit, staple tray keeps tray 0 for staples", 0, 1, 1, 1, 0, 0, 10, 1, 1, 0, 0, 10, 0, 0, 0, 0},
        {"no unit, tray 0 for a program offset", 0, 0, 1, 1, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"no unit, tray 0 with program print off", 0, 0, 1, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
        {"no unit, tray 0 stays for an offset", 0, 1, 1, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0},
        {"unit 20 keeps tray 6", 20, 0, 1, 1, 0, 0, 10, 2, 1, 1, 6, 0, 0, 0, 0, 6},
        {"unit 20 resets tray 7", 20, 1, 1, 1, 0, 0, 10, 2, 1, 1, 7, 10, 0, 0, 1, 0},
        {"unit 21 keeps tray 7", 21, 0, 1, 1, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 7},
        {"unit 25 drops punch 2", 25, 1, 1, 1, 0, 0, 10, 2, 4, 1, 3, 10, 0, 4, 1, 3},
        {"unit 25 keeps punch 3", 25, 1, 1, 1, 0, 0, 10, 3, 4, 1, 3, 10, 3, 4, 1, 3},
        {"unit 26 drops punch 3", 26, 1, 1, 1, 0, 0, 10, 3, 4, 1, 3, 10, 0, 4, 1, 3},
        {"no fold unit keeps fold 1 only", 25, 1, 1, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1, 0, 3},
        {"no fold unit drops fold 4", 25, 1, 1, 0, 0, 0, 0, 0, 4, 0, 3, 0, 0, 0, 0, 3},
    };
    for (const Case& c : cases) {
        auto s = Blank();
        PrivateSettings& p = s->dm.priv;
        PrinterEnvironment& e = s->env;
        e.outputUnit_Option = c.unit, e.offsetStapleTray_Option = c.stapleTray, e.outputSubOption = c.subOption;
        e.foldUnit_Option = c.foldUnit, p.programPrint = c.programPrint, p.offsetOutput_ProgramPrint = c.programOffset;
        p.staple = c.staple, p.punch = c.punch, p.fold = c.fold, p.offsetOutput = c.offset, p.outputTray = c.tray;
        p.bookletBinding = 1, p.continuousOutput = 1;
        NormalizeDeviceOptionSettings(*s);
        SCOPED_TRACE(c.what);
        using Row = std::vector<int>;
        EXPECT_EQ((Row{c.xStaple, c.xPunch, c.xFold, c.xOffset, c.xTray, c.unit >= 22, c.unit != 0 && c.unit != 20}),
                  (Row{p.staple, p.punch, p.fold, p.offsetOutput, p.outputTray, p.bookletBinding, p.continuousOutput}));
    }
}

TEST(DeviceOptionNormalize, PapersTraysAndModels) {
    // x: expected.
    struct Case { const char* what; uint8_t light, rough, modelFS, feeder, inkCount, subOption; uint32_t paperType;
                  uint32_t xPaperType; uint16_t xTray; uint8_t xSlip, xMixed, xImageMode, xBooklet; } cases[] = {
        {"light paper without support", 0, 1, 0, 0, 4, 1, 263, 257, 258, 2, 1, 2, 1},
        {"light paper with support", 1, 0, 0, 0, 4, 1, 263, 263, 258, 2, 1, 2, 1},
        {"rough paper without support", 1, 0, 0, 0, 4, 1, 264, 257, 258, 2, 1, 2, 1},
        {"S model with feeder", 1, 1, 1, 10, 4, 1, 258, 258, 261, 0, 0, 2, 1},
        {"S model without feeder", 1, 1, 1, 0, 4, 1, 258, 258, 257, 0, 0, 2, 1},
        {"two inks", 1, 1, 0, 0, 2, 1, 258, 258, 258, 2, 1, 1, 1},
        {"no booklet unit", 1, 1, 0, 0, 4, 0, 258, 258, 258, 2, 1, 2, 0},
    };
    for (const Case& c : cases) {
        auto s = Blank();
        PrivateSettings& p = s->dm.priv;
        PrinterEnvironment& e = s->env;
        e.outputUnit_Option = 25, e.foldUnit_Option = 1, e.offsetStapleTray_Option = 1, e.outputSubOption = c.subOption;
        e.lightPaperSupport = c.light, e.roughPaperSupport = c.rough, e.modelFS = c.modelFS;
        e.inputUnit_Option = c.feeder, e.inkCount = c.inkCount, p.paperType = c.paperType;
        p.inputTray = p.tray_SlipSheet_ProgramPrint = p.trayForCover_BookletBinding = 258;
        p.slipSheet = 2, p.coverSupport = p.slipSheet_ProgramPrint = p.number_SlipSheet_ProgramPrint = 1;
        p.mixedSizeSupport = 1, p.imageMode = 2, p.bookletBinding = 1;
        NormalizeDeviceOptionSettings(*s);
        SCOPED_TRACE(c.what);
        const int slipKept = p.coverSupport + p.slipSheet_ProgramPrint + p.number_SlipSheet_ProgramPrint == 3;
        using Row = std::vector<int64_t>;
        EXPECT_EQ((Row{c.xPaperType, c.xTray, c.xTray, c.xTray, c.xSlip, c.xSlip != 0, c.xMixed, c.xImageMode, c.xBooklet}),
                  (Row{p.paperType, p.inputTray, p.tray_SlipSheet_ProgramPrint, p.trayForCover_BookletBinding,
                       p.slipSheet, slipKept, p.mixedSizeSupport, p.imageMode, p.bookletBinding}));
    }
}

TEST(AutoZoom, StandardSizes) {
    const struct { uint16_t original, output, zoom; } cases[] = {
        {8, 9, 71}, {9, 8, 141}, {6, 5, 154}, {9, 9, 100}, {70, 0, 100}, {11, 9, 0},
    };
    for (const auto& c : cases) {
        auto s = Blank();
        s->dm.priv.scale_Zoom = 123;
        s->dm.priv.originalSize = c.original;
        s->dm.priv.outputSize = c.output;
        ComputeAutoZoom(*s);
        EXPECT_EQ(c.zoom, s->dm.priv.scale_Zoom) << c.original << " to " << c.output;
    }
}

}  // namespace
