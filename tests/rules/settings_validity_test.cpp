// The validity check on factory-default records changed one setting (or a
// few) at a time: each change must log exactly the expected lines, in row
// order, and nothing else.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "rules/settings_application.h"
#include "rules/settings_validity.h"

namespace {

using Change = void (*)(PrivateSettings& p, PrinterEnvironment& e, uint32_t& colorRestriction);

// A four-colour printer with every option: finisher (unit 25), offset
// staple tray, fold unit, high-capacity feeder, special papers, USB output.
void FullPrinter(PrinterEnvironment& e) {
    e.modelColor = 40, e.inkCount = 4, e.inputUnit_Option = 10, e.outputUnit_Option = 25, e.foldUnit_Option = 1;
    e.offsetStapleTray_Option = 1, e.lightPaperSupport = e.roughPaperSupport = e.pressPaperSupport = 1;
    e.usbMemoryOutputEnable = 1;
}

// lines: without the log's prefix.
struct Checked { int result; std::vector<std::string> lines; };

// Factory defaults on the printer that setup describes, then the change.
Checked Check(void (*setup)(PrinterEnvironment&), Change change, const char16_t* name = u"fav") {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    PrinterHandle h = nullptr;
    EXPECT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    auto s = std::make_unique<PrinterSession>();
    setup(s->env);
    ResetPrivateSettings(s.get(), h, 0);
    uint32_t mask = 15;
    if (change) change(s->dm.priv, s->env, mask);
    fake.spooler.Printer(u"P1")->SetDword(u"ColorRestriction", mask);
    fake.host.ClearDebugLines();
    Checked c{CheckOptionDMode(s.get(), h, name), {}};
    fake.spooler.ClosePrinter(h);
    for (const auto& line : fake.host.DebugLines()) {
        std::string text = Narrow(line);
        c.lines.push_back(text.substr(text.find("]:") + 2));
    }
    return c;
}

const char kDisable[] = "CheckOptionDMode Disable Settings : ";
const std::string kPad(36, ' ');

// expect: lines after kDisable; lines starting blank as they stand.
struct Case { const char* what; Change change; std::vector<std::string> expect; };

const Case kCases[] = {
    {"auto colour on a two-colour model", [](auto& p, auto& e, auto&) { p.colorMode = 0, e.modelColor = 22; }, {"colorMode = AUTO, modelColor = 22\n"}},
    {"blue on 51 without the option byte", [](auto& p, auto& e, auto&) { p.colorMode = 7, e.modelColor = 51; }, {"colorMode = BLUE, modelColor = 51\n"}},
    {"blue on 51 with the option byte", [](auto& p, auto& e, auto&) { p.colorMode = 7, e.modelColor = 51, e.modelOptionByte = 1; }, {}},
    {"colour mode 9", [](auto& p, auto&, auto&) { p.colorMode = 9; }, {"colorMode = UNKNOWN(9), modelColor = 40\n"}},
    {"auto without mask bit 4", [](auto& p, auto&, auto& m) { p.colorMode = 0, m = 11; }, {"colorMode = prtmit, modelColor = 40\n"}},
    {"red on four inks without bit 1", [](auto& p, auto& e, auto& m) { p.colorMode = 6, e.modelColor = 41, m = 14; }, {"colorMode = prtmit, modelColor = 41\n"}},
    {"red on five inks is not restricted", [](auto& p, auto& e, auto& m) { p.colorMode = 6, e.modelColor = 51, e.inkCount = 5, m = 0; }, {}},
    {"mixed sizes on an S model", [](auto& p, auto& e, auto&) { p.mixedSizeSupport = 1, e.modelFS = 1; }, {"mixedSizeSupport = ON, modelFS = S\n"}},
    {"negative output size", [](auto& p, auto&, auto&) { p.outputSize = 0x8000; }, {"OriginalSize or OutputSize is not support\n"}},
    {"domestic sizes overseas, original then output", [](auto& p, auto& e, auto&) { p.originalSize = 43, p.outputSize = 260, e.localArea = 1; }, {"OriginalSize = 43, localArea = 1\n", "OutputSize = 260, localArea = 1\n"}},
    {"overseas size at home", [](auto& p, auto&, auto&) { p.outputSize = 31; }, {"OutputSize = 31, localArea = 0\n"}},
    {"China size overseas", [](auto& p, auto& e, auto&) { p.originalSize = 265, e.localArea = 1; }, {"OriginalSize = 265, localArea = 1\n"}},
    {"China size in China", [](auto& p, auto& e, auto&) { p.originalSize = 264, e.localArea = 2; }, {}},
    {"feed tray with the feeder", [](auto& p, auto&, auto&) { p.inputTray = 257; }, {"inputTray = INPUT_TRAY_FEEDER, inputUnit_Option = HIGH_CAPACITY_FEEDER\n"}},
    {"feeder tray with the feeder", [](auto& p, auto&, auto&) { p.inputTray = 261; }, {}},
    {"feeder tray without it", [](auto& p, auto& e, auto&) { p.inputTray = 261, e.inputUnit_Option = 0; }, {"inputTray = INPUT_TRAY_HIGH_CAPACITY_FEEDER, inputUnit_Option = NOT_INSTALLED\n"}},
    {"tray 2 on an S model", [](auto& p, auto& e, auto&) { p.inputTray = 259, e.modelFS = 1; }, {"inputTray = INPUT_TRAY_2, modelFS = S\n"}},
    {"tray 262", [](auto& p, auto&, auto&) { p.inputTray = 262; }, {"inputTray = UNKNOWN(262)\n"}},
    {"tray per page on kind 4", [](auto& p, auto&, auto&) { p.traySelectPerPage = 1; }, {"traySelectPerPage = ON, GDI\n"}},
    {"tray per page on PS S model", [](auto& p, auto& e, auto&) { p.traySelectPerPage = 1, e.printCheckLevel = 1, e.modelFS = 1; }, {"traySelectPerPage = ON, modelFS = S\n"}},
    {"paper type 265, no line end", [](auto& p, auto&, auto&) { p.paperType = 265; }, {"paperType = UNKNOWN(265)"}},
    {"pressure-seal paper unsupported", [](auto& p, auto& e, auto&) { p.paperType = 266, e.pressPaperSupport = 0; }, {"paperType = PAPER_TYPE_PRESS, pressPaperSupport = NOT_INSTALLED\n"}},
    {"USB output without USB", [](auto& p, auto& e, auto&) { p.outputMode = 3, e.usbMemoryOutputEnable = 0; }, {"outputMode = 3\n"}},
    {"output mode 5 on kind 4", [](auto& p, auto&, auto&) { p.outputMode = 5; }, {"outputMode = 5\n"}},
    {"watermark on PS", [](auto& p, auto& e, auto&) { p.watermarkSupport = 1, e.printCheckLevel = 1; }, {"watermarkSupport ＝ TRUE\n"}},
    {"millimetre position beyond 2000", [](auto& p, auto&, auto&) { p.imagePositioning = 1, p.horizontalPosition_mm_BackSide = 2001, p.verticalPosition_inch_BackSide = -81; },
     {"imagePositioning ＝ 1\n", kPad + "verticalPosition_mm_FrontSide = 0\n", kPad + "horizontalPosition_mm_FrontSide = 0\n",
      kPad + "verticalPosition_mm_BackSide = 0\n", kPad + "horizontalPosition_mm_BackSide = 2001\n", kPad + "verticalPosition_inch_FrontSide = 0\n",
      kPad + "horizontalPosition_inch_FrontSide = 0\n", kPad + "verticalPosition_inch_BackSide = -81\n", kPad + "horizontalPosition_inch_BackSide = 0\n"}},
    {"inch unit checks only inch positions", [](auto& p, auto& e, auto&) { p.imagePositioning = 1, p.verticalPosition_mm_FrontSide = -2001, e.unitOfLength = 1; }, {}},
    {"staple without finisher or tray", [](auto& p, auto& e, auto&) { p.staple = 2, e.outputUnit_Option = 24, e.offsetStapleTray_Option = 0; }, {"staple ＝ 2, outputUnit_Option = 24, offsetStapleTray_Option = 0\n"}},
    {"punch and fold without finisher", [](auto& p, auto& e, auto&) { p.punch = 1, p.fold = 1, e.outputUnit_Option = 20; }, {"punch ＝ 1, outputUnit_Option = 20\n", "fold ＝ 1, outputUnit_Option = 20\n"}},
    {"fold 2 without fold unit", [](auto& p, auto& e, auto&) { p.fold = 2, e.foldUnit_Option = 0; }, {"fold ＝ 2, foldUnit_Option = 0\n"}},
    {"booklet without finisher", [](auto& p, auto& e, auto&) { p.bookletBinding = 1, e.outputUnit_Option = 23; }, {"bookletBinding ＝ 1, outputUnit_Option = 23\n"}},
    {"separate books of 10 sheets", [](auto& p, auto&, auto&) { p.bookletBinding = 1, p.separateBooks_BookletBinding = 3, p.sheets_BookletBinding = 10; }, {"separateBooks_BookletBinding ＝ 3, RINC\n"}},
    {"offset output without tray", [](auto& p, auto& e, auto&) { p.offsetOutput = 1, e.outputUnit_Option = 21, e.offsetStapleTray_Option = 0; }, {"offsetOutput ＝ 1, outputUnit_Option = 21, offsetStapleTray_Option = 0\n"}},
    {"slip sheet on an S model", [](auto& p, auto& e, auto&) { p.slipSheet = 1, p.tray_SlipSheet = 257, e.modelFS = 1, e.inputUnit_Option = 0; }, {"slipSheet ＝ 1, modelFS = S\n"}},
    {"slip sheet from tray 1 with the feeder", [](auto& p, auto&, auto&) { p.slipSheet = 1, p.tray_SlipSheet = 258; }, {"tray_SlipSheet ＝ 258\n"}},
    {"covers from tray 1 with the feeder", [](auto& p, auto&, auto&) { p.coverSupport = p.frontCover = p.backCover = 1, p.tray_FrontCover = p.tray_BackCover = 258; }, {}},
    {"front cover from the feed tray", [](auto& p, auto&, auto&) { p.coverSupport = p.frontCover = 1, p.tray_FrontCover = 257; }, {"tray_FrontCover ＝ 257\n"}},
    {"output tray 2 on unit 23", [](auto& p, auto& e, auto&) { p.outputTray = 2, e.outputUnit_Option = 23; }, {"outputTray ＝ 2\n"}},
    {"output tray 1 on unit 23", [](auto& p, auto& e, auto&) { p.outputTray = 1, e.outputUnit_Option = 23; }, {}},
    {"stapled into tray 1 without offset tray", [](auto& p, auto& e, auto&) { p.outputTray = 1, p.staple = 1, e.offsetStapleTray_Option = 0; }, {"outputTray ＝ 1\n"}},
    {"continuous output on unit 20", [](auto& p, auto& e, auto&) { p.continuousOutput = 1, e.outputUnit_Option = 20; }, {"continuousOutput ＝ 1\n"}},
    {"mail making on PS", [](auto& p, auto& e, auto&) { p.mailMakingSupport = 1, p.tray_Envelope_MailMaking = p.tray_Insert_MailMaking = 261, e.printCheckLevel = 1, e.outputUnit_Option = 23; }, {"mailMakingSupport ＝ 1, PS\n"}},
    {"mail making everything wrong", [](auto& p, auto& e, auto&) { p.mailMakingSupport = 1, p.form_Envelope_MailMaking = 2, p.tray_Envelope_MailMaking = 257, p.tray_Insert_MailMaking = 261, p.paperType_Insert_MailMaking = 263, e.lightPaperSupport = 0; },
     {"mailMakingSupport ＝ 1, modelFS = 0, outputUnit_Option =25 \n", "form_Envelope_MailMaking ＝ 2\n", "tray_Envelope_MailMaking ＝ 257\n", "paperType_Insert_MailMaking ＝ 263\n"}},
    {"perfect binding on PS, unit 25", [](auto& p, auto& e, auto&) { p.perfectBindingSupport = 1, e.printCheckLevel = 1; }, {"perfectBindingSupport = 1, PS\n", "perfectBindingSupport = 1\n"}},
    {"perfect binding trays, no line ends", [](auto& p, auto& e, auto&) { p.perfectBindingSupport = 1, p.inputTray_Cover_PerfectBinding = 257, p.inputTray_Body_PerfectBinding = 261, p.paperType_Body_PerfectBinding = 263, e.outputUnit_Option = 24, e.lightPaperSupport = 0; },
     {"inputTray_Cover_PerfectBinding ＝ 257n", "paperType_Body_PerfectBinding ＝ 263\n"}},
    {"PS gamma value on kind 4", [](auto& p, auto&, auto&) { p.gammaControl = 1, p.gammaExtra2 = 99, p.lightness_GammaControl = 5; }, {"gammaControl(PS is not default.)\n"}},
    {"GDI gamma value on PS", [](auto& p, auto& e, auto&) { p.gammaControl = 1, p.colorBlue_GammaControl = -1, p.gammaExtra[1] = 0, e.printCheckLevel = 1; }, {"gammaControl(GDI is not default.)\n"}},
    {"program print on an S model without feeder", [](auto& p, auto& e, auto&) { p.programPrint = p.slipSheet_ProgramPrint = p.offsetOutput_ProgramPrint = 1, p.tray_SlipSheet_ProgramPrint = 261, e.modelFS = 1, e.inputUnit_Option = 0, e.outputUnit_Option = 21, e.offsetStapleTray_Option = 0; },
     {"slipSheet_ProgramPrint ＝ 1\n", "tray_SlipSheet_ProgramPrint ＝ 261\n", "offsetOutput_ProgramPrint ＝ 1\n"}},
    {"PS-only features on kind 4", [](auto& p, auto&, auto&) { p.colorProfile = p.formSupport = p.reverseOrder_UI = 1; }, {"colorProfile ＝ 1\n", "formSupport ＝ 1\n", "reverseOrder_UI ＝ 1\n"}},
    {"raster-only features on PS", [](auto& p, auto& e, auto&) { p.imageQuality = 4, p.programPrint = p.blankPaperCutDown = 1, p.tray_SlipSheet_ProgramPrint = 261, e.printCheckLevel = 1; }, {"imageQuality ＝ 4\n", "programPrint ＝ 1\n", "blankPaperCutDown ＝ 1\n"}},
    {"undetermined controller is not PS", [](auto& p, auto& e, auto&) { p.formSupport = 1, e.printCheckLevel = 0; }, {"formSupport ＝ 1\n"}},
    {"several rows far apart", [](auto& p, auto& e, auto&) { p.colorMode = 8, p.carbonCopySupport = 1, p.coverSupport = 1, e.modelFS = 1, e.outputUnit_Option = 20; p.outputTray = 2; },
     {"colorMode = UNKNOWN(8), modelColor = 40\n", "coverSupport ＝ 1\n", "outputTray ＝ 2\n", "carbonCopySupport ＝ 1\n"}},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class ValidityRows : public testing::TestWithParam<Case> {};

TEST_P(ValidityRows, LogsEveryFailedRowInOrder) {
    const Case& c = GetParam();
    Checked got = Check(FullPrinter, c.change);
    ASSERT_EQ(got.lines.size(), c.expect.size() + 4);
    EXPECT_EQ(got.lines[1], "CheckOptionDMode : Favarite Name = fav\n");
    for (size_t i = 0; i < c.expect.size(); i++)
        EXPECT_EQ(got.lines[i + 2], c.expect[i][0] == ' ' ? c.expect[i] : kDisable + c.expect[i]);
    EXPECT_EQ(got.result, c.expect.empty() ? 1 : 0);
    EXPECT_EQ(got.lines.end()[-2], c.expect.empty() ? "CheckOptionDMode return = TRUE\n" : "CheckOptionDMode return = FALSE\n");
}

INSTANTIATE_TEST_SUITE_P(Table, ValidityRows, testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.what); });

// Factory defaults fit the printer they were made for, whatever its kind.
TEST(Validity, FactoryDefaultsFit) {
    void (*printers[])(PrinterEnvironment&) = {
        FullPrinter,
        [](PrinterEnvironment& e) { e.modelColor = 21, e.inkCount = 2; },
        [](PrinterEnvironment& e) { e.modelColor = 10, e.inkCount = 1, e.modelFS = 1, e.localArea = 1, e.unitOfLength = 1; },
    };
    for (auto* printer : printers) {
        Checked got = Check(printer, nullptr, u"Ünï");
        EXPECT_EQ(got.result, 1);
        EXPECT_EQ(got.lines, (std::vector<std::string>{"------------- start CheckOptionDMode -------------\n",
                                                        "CheckOptionDMode : Favarite Name = Ünï\n",
                                                        "CheckOptionDMode return = TRUE\n",
                                                        "------------- end CheckOptionDMode -------------\n"}));
    }
    FakePlatformScope fake;
    EXPECT_EQ(CheckOptionDMode(nullptr, nullptr, nullptr), 0);
}

}  // namespace
