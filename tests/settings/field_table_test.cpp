// The private settings field table: each rule kind as the merge applies it,
// and the defaults of a fresh record that depend on the printer and the system.
#include "settings/field_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "session/global_list.h"
#include "platform/fake_platform.h"
#include "rules/resolve.h"
#include "settings/printer_rig.h"

namespace {

// The fresh record the driver makes for printer "P1" of the fake spooler.
std::unique_ptr<DriverDevMode> DefaultRecord() {
    auto dm = std::make_unique<DriverDevMode>();
    uint32_t size = sizeof *dm;
    EXPECT_EQ(1, DrvConvertDevModeCore(u"P1", nullptr, dm.get(), &size, kCdmDriverDefault));
    return dm;
}

// Signed fields read back sign-extended, unsigned ones not; the clamps and
// ranges below depend on it.
TEST(FieldTable, ElementsKeepTheirSign) {
    const struct { const char* field; int64_t written, readBack; } cases[] = {
        {"verticalPosition_mm_FrontSide", -2001, -2001}, {"index_SelectText_Watermark", -1, -1},
        {"scale_Zoom", -1, 65535}, {"originalWidth_mm_CustomPaper", -14800, -14800},
        {"paperType", 0xFFFFFFFF, 0xFFFFFFFF}, {"staple", 300, 44},
    };
    auto priv = std::make_unique<PrivateSettings>();
    for (const auto& c : cases) {
        const FieldRow* r = FindPrivateField(c.field);
        ASSERT_NE(nullptr, r) << c.field;
        WriteFieldElement(*r, priv.get(), 0, c.written);
        EXPECT_EQ(c.readBack, ReadFieldElement(*r, priv.get(), 0)) << c.field;
    }
}

// sessionValue: in the printer's stored DEVMODE.
struct MergeRuleCase { const char* what; const char* field; int element; uint8_t inputUnit;
                       int64_t sessionValue, callerValue, want; };

const MergeRuleCase kMergeRuleCases[] = {
    {"set refuses", "staple", 0, 0, 11, 13, 11},
    {"set takes", "staple", 0, 0, 11, 20, 20},
    {"union refuses the gap", "rotation_Watermark", 0, 0, 2, 5, 2},
    {"union takes the second range", "rotation_Watermark", 0, 0, 2, 9, 9},
    {"range refuses one past its end", "size_Watermark", 0, 0, 100, 601, 100},
    {"signed range refuses -1", "maxDrop_ColorProfile", 0, 0, 5, -1, 5},
    {"unsigned clamp low", "scale_Zoom", 0, 0, 100, 20, 50},
    {"unsigned clamp high", "scale_Zoom", 0, 0, 100, 250, 200},
    {"unsigned clamp of 0xFFFF", "width_mm_SideMargin", 0, 0, 10, 65535, 5000},
    {"signed clamp low", "verticalPosition_mm_FrontSide", 0, 0, 0, -3000, -2000},
    {"signed clamp inside", "verticalPosition_mm_FrontSide", 0, 0, 0, -5, -5},
    {"tray A, 258-260 taken", "tray_SlipSheet", 0, 0, kTray1, kTray3, kTray3},
    {"tray A, unit 0: 257 stays", "tray_SlipSheet", 0, 0, kTray1, kTrayStandardFeed, kTrayStandardFeed},
    {"tray A, unit 0: 261 is 257", "tray_SlipSheet", 0, 0, kTray1, kTrayHighCapacity, kTrayStandardFeed},
    {"tray A, unit 10: 257 is 261", "tray_SlipSheet", 0, 10, kTray1, kTrayStandardFeed, kTrayHighCapacity},
    {"tray A, unit 10: 261 stays", "tray_SlipSheet", 0, 10, kTray1, kTrayHighCapacity, kTrayHighCapacity},
    {"tray A refuses automatic", "tray_FrontCover", 0, 0, kTray2, kTrayAuto, kTray2},
    {"tray B takes automatic", "tray_Envelope_MailMaking", 0, 0, kTray1, kTrayAuto, kTrayAuto},
    {"tray B refuses 8", "tray_Envelope_MailMaking", 0, 0, kTray1, 8, kTray1},
    {"tray C, unit 0: 261 is 257", "tray_SlipSheet_ProgramPrint", 0, 0, kTray1, kTrayHighCapacity, kTrayStandardFeed},
    {"tray C, unit 10: 257 is 261", "tray_SlipSheet_ProgramPrint", 0, 10, kTray1, kTrayStandardFeed, kTrayHighCapacity},
    {"each-or-zero takes 257", "inputTrayPriority_CarbonCopy", 0, 0, kTray1, kTrayStandardFeed, kTrayStandardFeed},
    {"each-or-zero zeroes 262", "inputTrayPriority_CarbonCopy", 1, 0, kTray1, kTrayCoverInserter, 0},
};

TEST(MergeRule, AppliesTheFieldRule) {
    for (const MergeRuleCase& c : kMergeRuleCases) {
        SCOPED_TRACE(c.what);
        const FieldRow* r = FindPrivateField(c.field);
        ASSERT_NE(nullptr, r) << c.field;
        PrinterRig rig([&](PrinterEnvironment& env) { env.inputUnit_Option = c.inputUnit; });
        WriteFieldElement(*r, &rig.base->dm.priv, c.element, c.sessionValue);
        rig.Store();
        std::vector<uint8_t> input = rig.Input();
        WriteFieldElement(*r, input.data() + sizeof(PublicDevMode), c.element, c.callerValue);
        auto out = rig.Resolve(input.data());
        EXPECT_EQ(c.want, ReadFieldElement(*r, &out->dm.priv, c.element));
    }
}

// The four font fields default to the message font, with fallbacks when the
// system does not tell it.
TEST(FieldTable, FontDefaultTable) {
    const struct { const char16_t* face; uint16_t uiLanguage; const char16_t* want; } cases[] = {
        {u"Segoe UI", 0x0411, u"Segoe UI"}, {u"", 0x0411, u"ＭＳ ゴシック"}, {u"", 0x0409, u"Arial"},
        {u"", 0x0C11, u"ＭＳ ゴシック"},  // any Japanese sublanguage
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        fake.host.messageFontFace = c.face;
        fake.host.uiLanguage = c.uiLanguage;
        fake.spooler.AddPrinter(u"P1");
        auto dm = DefaultRecord();
        for (const char16_t* f : {dm->priv.font_Watermark, dm->priv.font_StampPage, dm->priv.font_StampDate,
                                  dm->priv.font_StampText})
            EXPECT_EQ(std::u16string(c.want), std::u16string(f)) << Narrow(c.face) << " " << c.uiLanguage;
    }
}

// Defaults that depend on the printer: its environment (as read from
// "PrvEnv" before the reset) and its printer data.
void SetTrays(PrinterEnvironment& e, std::initializer_list<uint32_t> t) { std::copy(t.begin(), t.end(), e.defaultTray); }
void SetPapers(PrinterEnvironment& e, std::initializer_list<uint32_t> p) {
    std::copy(p.begin(), p.end(), e.defaultPaper);
}

// duplexOrSimplex -1: no value.
struct ComputedDefaultCase { const char* what; void (*env)(PrinterEnvironment&); int duplexOrSimplex;
                             std::vector<std::pair<const char*, int64_t>> want; };

TEST(FieldTable, ComputedDefaultTable) {
    const ComputedDefaultCase cases[] = {
        {"plain printer", [](PrinterEnvironment&) {}, -1,
         {{"duplexType", 2}, {"duplexType_MixedSize", 4}, {"inputTray", 7}, {"bindingSide", 0}, {"colorMode", 0},
          {"imageMode", 1}, {"form_Envelope_MailMaking", 1}, {"size_Insert_MailMaking", 9},
          {"inputTray_Cover_PerfectBinding", 257}, {"inputTray_Body_PerfectBinding", 257}}},
        {"one-sided printer", [](PrinterEnvironment&) {}, 1, {{"duplexType", 1}, {"duplexType_MixedSize", 5}}},
        {"model kind FS", [](PrinterEnvironment& e) { e.modelFS = 1; }, -1, {{"inputTray", 257}}},
        {"A3 or A4 model", [](PrinterEnvironment& e) { e.a3OrA4 = 1; }, -1, {{"bindingSide", 2}}},
        {"one ink", [](PrinterEnvironment& e) { e.inkCount = 1; }, -1, {{"colorMode", 2}, {"imageMode", 2}}},
        {"two inks", [](PrinterEnvironment& e) { e.inkCount = 2; }, -1, {{"colorMode", 2}, {"imageMode", 1}}},
        {"two inks, regional", [](PrinterEnvironment& e) { e.inkCount = 2; e.localArea = 1; }, -1, {{"colorMode", 0}}},
        {"image quality default", [](PrinterEnvironment& e) { e.imageQualityDefault = 2; }, -1, {{"imageQuality", 2}}},
        {"regional inch model", [](PrinterEnvironment& e) { e.localArea = 1; e.unitOfLength = 1; }, -1,
         {{"form_Envelope_MailMaking", 3}, {"size_Insert_MailMaking", 1}}},
        {"high-capacity feeder", [](PrinterEnvironment& e) { e.inputUnit_Option = 10; }, -1,
         {{"inputTray_Cover_PerfectBinding", 261}, {"inputTray_Body_PerfectBinding", 261}}},
        {"default trays",
         [](PrinterEnvironment& e) { SetTrays(e, {7, 258, 259, 260, 257, 258, 7}), e.insertDefaultTray = 259; }, -1,
         {{"tray_SlipSheet", 258}, {"tray_FrontCover", 259}, {"tray_BackCover", 260},
          {"trayForCover_BookletBinding", 257}, {"tray_SlipSheet_ProgramPrint", 258},
          {"tray_Envelope_MailMaking", 7}, {"tray_Insert_MailMaking", 259}}},
        {"default papers, millimetres", [](PrinterEnvironment& e) { SetPapers(e, {9, 1, 8, 3}); }, -1,
         {{"originalSize", 9}, {"outputSize", 8}, {"originalWidth_mm_CustomPaper", 29700},
          {"originalLength_mm_CustomPaper", 42000}, {"outputWidth_mm", 29700}, {"outputLength_mm", 42000},
          {"outputWidth_mm_CustomPaper", 29700}, {"outputLength_mm_CustomPaper", 42000}}},
        {"default papers, inches", [](PrinterEnvironment& e) { SetPapers(e, {9, 1, 8, 3}); e.unitOfLength = 1; }, -1,
         {{"originalSize", 1}, {"outputSize", 3}, {"outputWidth_mm", 27940}, {"outputLength_mm", 43180}}},
        {"no default output paper", [](PrinterEnvironment& e) { SetPapers(e, {11, 1, 0, 0}); }, -1,
         {{"originalSize", 11}, {"outputSize", 0}, {"outputWidth_mm", 14800}, {"outputLength_mm", 21000}}},
    };
    for (const ComputedDefaultCase& c : cases) {
        FakePlatformScope fake;
        FakePrinter& printer = fake.spooler.AddPrinter(u"P1");
        auto env = std::make_unique<PrinterEnvironment>();
        c.env(*env);
        printer.Set(u"PrvEnv", kRegBinary, env.get(), sizeof *env);
        if (c.duplexOrSimplex >= 0) printer.SetDword(u"DuplexOrSimplex", static_cast<uint32_t>(c.duplexOrSimplex));
        SCOPED_TRACE(c.what);
        auto dm = DefaultRecord();
        for (const auto& [name, value] : c.want) {
            const FieldRow* r = FindPrivateField(name);
            ASSERT_NE(nullptr, r) << name;
            EXPECT_EQ(value, ReadFieldElement(*r, &dm->priv, 0)) << name;
        }
    }
}

// Texts that a fresh record takes from the system and the resource module.
TEST(FieldTable, IdentityAndWatermarkDefaults) {
    const std::u16string longText(80, u'w'), cut(63, u'w');
    // watermark: string 20454 of the resource module, null: none
    const struct { const char16_t *watermark, *want; } cases[] = {
        {u"CONFIDENTIAL", u"CONFIDENTIAL"}, {longText.c_str(), cut.c_str()}, {nullptr, u""}};
    for (const auto& c : cases) {
        FakePlatformScope fake;
        fake.host.computerName = u"WS-9";
        fake.host.userName = u"bob";
        if (c.watermark) fake.host.strings[20454] = c.watermark;
        fake.spooler.AddPrinter(u"P1");
        auto dm = DefaultRecord();
        const PrivateSettings& p = dm->priv;
        EXPECT_EQ((std::vector<std::u16string>{c.want, u"WS-9", u"bob", u"P1", u"Auto"}),
                  (std::vector<std::u16string>{p.text_Watermark, p.computerName, p.userName, p.printerDisplayName,
                                               p.fileName_ColorProfile}));
    }
}

// "DuplexOrSimplex" is read once into four bytes with no type check; its low
// byte counts, anything that does not fit gives the default 2.
TEST(FieldTable, DuplexDefaultFromPrinterDataTable) {
    const struct { const char* what; uint32_t type; std::vector<uint8_t> bytes; uint16_t wantDuplex; } cases[] = {
        {"dword 1", kRegDword, {1, 0, 0, 0}, 1},
        {"binary 1", kRegBinary, {1, 0, 0, 0}, 1},
        {"two bytes", kRegBinary, {1, 0}, 1},
        {"low byte of 0x0301", kRegDword, {1, 3, 0, 0}, 1},
        {"eight bytes", kRegBinary, {1, 0, 0, 0, 0, 0, 0, 0}, 2},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        fake.spooler.AddPrinter(u"P1").Set(u"DuplexOrSimplex", c.type, c.bytes.data(), c.bytes.size());
        SCOPED_TRACE(c.what);
        auto dm = DefaultRecord();
        EXPECT_EQ(c.wantDuplex, dm->priv.duplexType);
        EXPECT_EQ(c.wantDuplex == 2 ? 4 : 5, dm->priv.duplexType_MixedSize);
        EXPECT_EQ(c.wantDuplex, dm->pub.dmDuplex);
    }
}

}  // namespace
