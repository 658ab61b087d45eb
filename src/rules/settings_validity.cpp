// The validity check of stored settings as one table of rows: a condition
// over the record and the printer, and the log line it writes when it fails.
// Every row runs, whatever the earlier ones gave, so the log names every
// setting that does not fit. The lines (full-width signs, spellings and
// missing line ends included) are read by support staff and their tools as
// they stand.
#include "rules/settings_validity.h"

#include <initializer_list>

#include "base/tray_ids.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"

namespace {

// What the rows look at, with the printer facts they share.
struct Fit {
    const PrivateSettings& p;
    const PrinterEnvironment& e;
    uint32_t colorRestriction;
    int kind;      // controller kind: 1 PS, 3 and 4 the raster generations, 0 unknown
    bool sModel;   // the S models: standard feed tray only
    bool feeder;   // high-capacity feeder installed
    int unit;      // output unit
    bool finisher; // output units 25 and 26 staple, punch, fold and bind
    bool offsetTray;
};

bool In(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (v == s) return true;
    return false;
}

// The mask's bits permit colour modes: 4 mode 0, 2 mode 1, 8 mode 5, 1 the
// single-colour modes. Only two-, four- and five-ink models are restricted.
bool ColorForbidden(int mode, int inks, uint32_t m) {
    if (inks == 2)
        return (mode == 0 && !(m & 4)) || (mode == 5 && !(m & 8)) || (In(mode, {2, 6}) && !(m & 1));
    if (inks == 4 || inks == 5) {
        bool single = In(mode, {2, 3, 4}) || (inks == 4 && mode == 6);
        return (mode == 0 && !(m & 4)) || (mode == 1 && !(m & 2)) || (single && !(m & 1));
    }
    return false;
}

// Slip sheets and mail making feed from the high-capacity feeder exactly
// when it is installed.
bool FeederOnlyTrayWrong(int tray, bool feeder) { return feeder ? tray != kTrayHighCapacity : tray == kTrayHighCapacity; }
// Covers and program-print slip sheets: the feeder replaces the feed tray.
bool FeedTrayMissing(int tray, bool feeder) { return feeder ? tray == kTrayStandardFeed : tray == kTrayHighCapacity; }

bool OutputTrayAllowed(int tray, int unit) {
    switch (unit) {
    case 20: return In(tray, {0, 1, 6});
    case 21: return In(tray, {0, 1, 7});
    case 22: return In(tray, {0, 1, 4});
    case 25: case 26: return tray >= 0 && tray <= 3;
    default: return In(tray, {0, 1});
    }
}

bool OutOfRange(int v, int limit) { return v < -limit || v > limit; }

bool PositionOutOfRange(const Fit& f) {
    const PrivateSettings& p = f.p;
    if (p.imagePositioning != 1 || f.kind != 4) return false;
    if (f.e.unitOfLength)
        return OutOfRange(p.verticalPosition_inch_FrontSide, 80) || OutOfRange(p.horizontalPosition_inch_FrontSide, 80) ||
               OutOfRange(p.verticalPosition_inch_BackSide, 80) || OutOfRange(p.horizontalPosition_inch_BackSide, 80);
    return OutOfRange(p.verticalPosition_mm_FrontSide, 2000) || OutOfRange(p.horizontalPosition_mm_FrontSide, 2000) ||
           OutOfRange(p.verticalPosition_mm_BackSide, 2000) || OutOfRange(p.horizontalPosition_mm_BackSide, 2000);
}

bool GammaPsChanged(const PrivateSettings& p) {
    return p.densityLevel_GammaControl != 0 || p.contrastLevel_GammaControl != 0 || p.colorCyan_GammaControl != 100 ||
           p.colorMagenta_GammaControl != 100 || p.colorYellow_GammaControl != 100 ||
           p.colorBlack_GammaControl != 100 || p.gammaExtra[0] != 100 || p.gammaExtra[1] != 100 ||
           p.gammaExtra2 != 100;
}

bool GammaGdiChanged(const PrivateSettings& p) {
    return p.lightness_GammaControl || p.chroma_GammaControl || p.contrast_GammaControl ||
           p.colorRed_GammaControl || p.colorGreen_GammaControl || p.colorBlue_GammaControl;
}

bool LocalSize(int size, int area) {
    return (area != 0 && In(size, {43, 71, 72, 73, 74, 259, 260})) || (area == 0 && In(size, {27, 28, 30, 31})) ||
           (area != 2 && In(size, {264, 265}));
}

void Args(int* v, std::initializer_list<int> values) {
    int i = 0;
    for (int x : values) v[i++] = x;
}

// A row fails when its test returns true; the test also fills the values
// its line prints. A detail row adds a line to the row before it and runs
// only when that row failed.
struct Row {
    const char* log;
    bool (*fails)(const Fit& f, int* v);
    bool detail;
};

#define CHECK(text, condition, ...)                                  \
    {text,                                                           \
     [](const Fit& f, int* v) -> bool {                              \
         const PrivateSettings& p = f.p;                             \
         const PrinterEnvironment& e = f.e;                          \
         (void)p;                                                    \
         (void)e;                                                    \
         Args(v, {__VA_ARGS__});                                     \
         return condition;                                           \
     },                                                              \
     false}
#define POSITION(name) \
    {"                                    " #name " = %d\n", [](const Fit& f, int* v) { return Args(v, {f.p.name}), true; }, true}

#define DISABLE "CheckOptionDMode Disable Settings : "

const Row kRows[] = {
    CHECK(DISABLE "colorMode = AUTO, modelColor = %d\n",
          p.colorMode == 0 && !In(e.modelColor, {21, 40, 41, 50, 51}), e.modelColor),
    CHECK(DISABLE "colorMode = COLOR, modelColor = %d\n",
          p.colorMode == 1 && !In(e.modelColor, {40, 41, 50, 51}), e.modelColor),
    CHECK(DISABLE "colorMode = CYAN, modelColor = %d\n",
          p.colorMode == 3 && !In(e.modelColor, {40, 41, 50, 51}), e.modelColor),
    CHECK(DISABLE "colorMode = MAGENTA, modelColor = %d\n",
          p.colorMode == 4 && !In(e.modelColor, {40, 50, 51}), e.modelColor),
    CHECK(DISABLE "colorMode = 2COLOR, modelColor = %d\n", p.colorMode == 5 && e.modelColor != 21, e.modelColor),
    CHECK(DISABLE "colorMode = RED, modelColor = %d\n",
          p.colorMode == 6 && !In(e.modelColor, {21, 41, 51}), e.modelColor),
    CHECK(DISABLE "colorMode = BLUE, modelColor = %d\n",
          p.colorMode == 7 && !(e.modelColor == 22 || (e.modelColor == 51 && e.modelOptionByte == 1)), e.modelColor),
    CHECK(DISABLE "colorMode = UNKNOWN(%d), modelColor = %d\n", p.colorMode >= 8, p.colorMode, e.modelColor),
    CHECK(DISABLE "colorMode = prtmit, modelColor = %d\n",
          ColorForbidden(p.colorMode, e.inkCount, f.colorRestriction), e.modelColor),
    // The model kind is printed as the letter S, the only kind this row fails on.
    CHECK(DISABLE "mixedSizeSupport = ON, modelFS = S\n", p.mixedSizeSupport && f.sModel),
    CHECK(DISABLE "OriginalSize or OutputSize is not support\n",
          static_cast<int16_t>(p.originalSize) < 0 || static_cast<int16_t>(p.outputSize) < 0),
    CHECK(DISABLE "OriginalSize = %d, localArea = %d\n", LocalSize(p.originalSize, e.localArea), p.originalSize,
          e.localArea),
    CHECK(DISABLE "OutputSize = %d, localArea = %d\n", LocalSize(p.outputSize, e.localArea), p.outputSize, e.localArea),
    CHECK(DISABLE "inputTray = INPUT_TRAY_FEEDER, inputUnit_Option = HIGH_CAPACITY_FEEDER\n",
          p.inputTray == kTrayStandardFeed && f.feeder),
    CHECK(DISABLE "inputTray = INPUT_TRAY_1, modelFS = S\n", p.inputTray == kTray1 && f.sModel),
    CHECK(DISABLE "inputTray = INPUT_TRAY_2, modelFS = S\n", p.inputTray == kTray2 && f.sModel),
    CHECK(DISABLE "inputTray = INPUT_TRAY_3, modelFS = S\n", p.inputTray == kTray3 && f.sModel),
    CHECK(DISABLE "inputTray = INPUT_TRAY_HIGH_CAPACITY_FEEDER, inputUnit_Option = NOT_INSTALLED\n",
          p.inputTray == kTrayHighCapacity && !f.feeder),
    CHECK(DISABLE "inputTray = UNKNOWN(%d)\n", p.inputTray != kTrayAuto && (p.inputTray < kTrayStandardFeed || p.inputTray > kTrayHighCapacity),
          p.inputTray),
    CHECK(DISABLE "traySelectPerPage = ON, GDI\n", p.traySelectPerPage && f.kind != 1),
    CHECK(DISABLE "traySelectPerPage = ON, modelFS = S\n", p.traySelectPerPage && f.kind == 1 && f.sModel),
    CHECK(DISABLE "paperType = UNKNOWN(%d)", p.paperType < 257 || p.paperType == 265 || p.paperType > 266,
          static_cast<int>(p.paperType)),
    CHECK(DISABLE "paperType = PAPER_TYPE_LIGHT, lightPaperSupport = NOT_INSTALLED\n",
          p.paperType == 263 && !e.lightPaperSupport),
    CHECK(DISABLE "paperType = PAPER_TYPE_ROUGH, roughPaperSupport = NOT_INSTALLED\n",
          p.paperType == 264 && !e.roughPaperSupport),
    CHECK(DISABLE "paperType = PAPER_TYPE_PRESS, pressPaperSupport = NOT_INSTALLED\n",
          p.paperType == 266 && !e.pressPaperSupport),
    CHECK(DISABLE "outputMode = %d\n",
          (p.outputMode == 3 && (f.kind == 1 || !e.usbMemoryOutputEnable)) || (p.outputMode == 4 && f.kind == 1) ||
              (p.outputMode == 5 && f.kind != 1),
          p.outputMode),
    CHECK(DISABLE "watermarkSupport ＝ TRUE\n", p.watermarkSupport == 1 && f.kind == 1),
    CHECK(DISABLE "imagePositioning ＝ %d\n", PositionOutOfRange(f), p.imagePositioning),
    POSITION(verticalPosition_mm_FrontSide),
    POSITION(horizontalPosition_mm_FrontSide),
    POSITION(verticalPosition_mm_BackSide),
    POSITION(horizontalPosition_mm_BackSide),
    POSITION(verticalPosition_inch_FrontSide),
    POSITION(horizontalPosition_inch_FrontSide),
    POSITION(verticalPosition_inch_BackSide),
    POSITION(horizontalPosition_inch_BackSide),
    CHECK(DISABLE "staple ＝ %d, outputUnit_Option = %d, offsetStapleTray_Option = %d\n",
          p.staple && !f.finisher && !f.offsetTray, p.staple, f.unit, e.offsetStapleTray_Option),
    CHECK(DISABLE "punch ＝ %d, outputUnit_Option = %d\n", p.punch && !f.finisher, p.punch, f.unit),
    CHECK(DISABLE "fold ＝ %d, outputUnit_Option = %d\n", p.fold && !f.finisher, p.fold, f.unit),
    CHECK(DISABLE "fold ＝ %d, foldUnit_Option = %d\n", p.fold > 1 && !e.foldUnit_Option, p.fold, e.foldUnit_Option),
    CHECK(DISABLE "bookletBinding ＝ %d, outputUnit_Option = %d\n", p.bookletBinding && !f.finisher,
          p.bookletBinding, f.unit),
    CHECK(DISABLE "separateBooks_BookletBinding ＝ %d, RINC\n",
          p.bookletBinding && p.separateBooks_BookletBinding >= 1 && p.separateBooks_BookletBinding <= 254 &&
              f.kind == 4 && !In(p.sheets_BookletBinding, {5, 15}),
          p.separateBooks_BookletBinding),
    CHECK(DISABLE "printCoverSeparately_BookletBinding ＝ %d\n",
          p.bookletBinding && p.printCoverSeparately_BookletBinding && f.sModel,
          p.printCoverSeparately_BookletBinding),
    CHECK(DISABLE "offsetOutput ＝ %d, outputUnit_Option = %d, offsetStapleTray_Option = %d\n",
          p.offsetOutput && !In(f.unit, {22, 25, 26}) && !f.offsetTray, p.offsetOutput, f.unit,
          e.offsetStapleTray_Option),
    CHECK(DISABLE "slipSheet ＝ %d, modelFS = S\n", p.slipSheet && f.sModel, p.slipSheet),
    CHECK(DISABLE "tray_SlipSheet ＝ %d\n", p.slipSheet && FeederOnlyTrayWrong(p.tray_SlipSheet, f.feeder),
          p.tray_SlipSheet),
    CHECK(DISABLE "coverSupport ＝ %d\n", p.coverSupport == 1 && f.sModel, p.coverSupport),
    CHECK(DISABLE "tray_FrontCover ＝ %d\n",
          p.coverSupport == 1 && p.frontCover == 1 && FeedTrayMissing(p.tray_FrontCover, f.feeder), p.tray_FrontCover),
    CHECK(DISABLE "tray_BackCover ＝ %d\n",
          p.coverSupport == 1 && p.backCover == 1 && FeedTrayMissing(p.tray_BackCover, f.feeder), p.tray_BackCover),
    CHECK(DISABLE "outputTray ＝ %d\n", !OutputTrayAllowed(p.outputTray, f.unit), p.outputTray),
    CHECK(DISABLE "outputTray ＝ %d\n", p.outputTray == 1 && (p.staple || p.offsetOutput) && !f.offsetTray,
          p.outputTray),
    CHECK(DISABLE "continuousOutput ＝ %d\n", p.continuousOutput == 1 && !In(f.unit, {21, 22, 25, 26}),
          p.continuousOutput),
    CHECK(DISABLE "mailMakingSupport ＝ %d, PS\n", p.mailMakingSupport == 1 && f.kind == 1, p.mailMakingSupport),
    CHECK(DISABLE "mailMakingSupport ＝ %d, modelFS = %d, outputUnit_Option =%d \n",
          p.mailMakingSupport == 1 && (f.sModel || f.unit != 23), p.mailMakingSupport, e.modelFS, f.unit),
    CHECK(DISABLE "form_Envelope_MailMaking ＝ %d\n",
          p.mailMakingSupport == 1 && e.localArea == 0 && p.form_Envelope_MailMaking != 1,
          p.form_Envelope_MailMaking),
    CHECK(DISABLE "tray_Envelope_MailMaking ＝ %d\n",
          p.mailMakingSupport == 1 && FeederOnlyTrayWrong(p.tray_Envelope_MailMaking, f.feeder),
          p.tray_Envelope_MailMaking),
    CHECK(DISABLE "tray_Insert_MailMaking ＝ %d\n",
          p.mailMakingSupport == 1 && FeederOnlyTrayWrong(p.tray_Insert_MailMaking, f.feeder),
          p.tray_Insert_MailMaking),
    CHECK(DISABLE "paperType_Insert_MailMaking ＝ %d\n",
          p.mailMakingSupport == 1 && p.paperType_Insert_MailMaking == 263 && !e.lightPaperSupport,
          static_cast<int>(p.paperType_Insert_MailMaking)),
    CHECK(DISABLE "perfectBindingSupport = %d, PS\n", p.perfectBindingSupport == 1 && f.kind == 1,
          p.perfectBindingSupport),
    CHECK(DISABLE "perfectBindingSupport = %d\n", p.perfectBindingSupport == 1 && f.unit != 24,
          p.perfectBindingSupport),
    CHECK(DISABLE "inputTray_Cover_PerfectBinding ＝ %dn",
          p.perfectBindingSupport == 1 && ((f.sModel && p.inputTray_Cover_PerfectBinding != kTrayCoverInserter) ||
                                           FeedTrayMissing(p.inputTray_Cover_PerfectBinding, f.feeder)),
          p.inputTray_Cover_PerfectBinding),
    CHECK(DISABLE "paperType_Cover_PerfectBinding ＝ %d\n",
          p.perfectBindingSupport == 1 && p.paperType_Cover_PerfectBinding == 263 && !e.lightPaperSupport,
          static_cast<int>(p.paperType_Cover_PerfectBinding)),
    CHECK(DISABLE "inputTray_Body_PerfectBinding ＝ %dn",
          p.perfectBindingSupport == 1 && ((f.sModel && p.inputTray_Body_PerfectBinding != kTrayStandardFeed) ||
                                           FeedTrayMissing(p.inputTray_Body_PerfectBinding, f.feeder)),
          p.inputTray_Body_PerfectBinding),
    CHECK(DISABLE "paperType_Body_PerfectBinding ＝ %d\n",
          p.perfectBindingSupport == 1 && p.paperType_Body_PerfectBinding == 263 && !e.lightPaperSupport,
          static_cast<int>(p.paperType_Body_PerfectBinding)),
    CHECK(DISABLE "imageQuality ＝ %d\n", p.imageQuality == 4 && f.kind == 1, p.imageQuality),
    CHECK(DISABLE "gammaControl(PS is not default.)\n", p.gammaControl == 1 && f.kind != 1 && GammaPsChanged(p)),
    CHECK(DISABLE "gammaControl(GDI is not default.)\n", p.gammaControl == 1 && f.kind == 1 && GammaGdiChanged(p)),
    CHECK(DISABLE "colorProfile ＝ %d\n", p.colorProfile == 1 && f.kind != 1, p.colorProfile),
    CHECK(DISABLE "programPrint ＝ %d\n", p.programPrint == 1 && f.kind == 1, p.programPrint),
    CHECK(DISABLE "slipSheet_ProgramPrint ＝ %d\n", p.programPrint == 1 && p.slipSheet_ProgramPrint && f.sModel,
          p.slipSheet_ProgramPrint),
    CHECK(DISABLE "tray_SlipSheet_ProgramPrint ＝ %d\n",
          p.programPrint == 1 && FeedTrayMissing(p.tray_SlipSheet_ProgramPrint, f.feeder),
          p.tray_SlipSheet_ProgramPrint),
    CHECK(DISABLE "offsetOutput_ProgramPrint ＝ %d\n",
          p.programPrint == 1 && p.offsetOutput_ProgramPrint && !In(f.unit, {22, 25, 26}) && !f.offsetTray,
          p.offsetOutput_ProgramPrint),
    CHECK(DISABLE "blankPaperCutDown ＝ %d\n", p.blankPaperCutDown == 1 && f.kind == 1, p.blankPaperCutDown),
    CHECK(DISABLE "formSupport ＝ %d\n", p.formSupport == 1 && f.kind != 1, p.formSupport),
    CHECK(DISABLE "reverseOrder_UI ＝ %d\n", p.reverseOrder_UI == 1 && f.kind != 1, p.reverseOrder_UI),
    CHECK(DISABLE "carbonCopySupport ＝ %d\n", p.carbonCopySupport == 1 && f.sModel, p.carbonCopySupport),
};

#undef CHECK
#undef POSITION
#undef DISABLE

}  // namespace

int CountSettingsMisfits(const PrivateSettings& settings, const PrinterEnvironment& env, uint32_t colorRestriction) {
    int unit = env.outputUnit_Option;
    Fit f{settings,          env,          colorRestriction, env.printCheckLevel, env.modelFS == 1,
          env.inputUnit_Option == 10, unit, unit == 25 || unit == 26, env.offsetStapleTray_Option != 0};
    int failed = 0;
    bool lastFailed = false;
    for (const Row& row : kRows) {
        if (row.detail && !lastFailed) continue;
        int v[3] = {};
        bool fails = row.fails(f, v);
        if (!row.detail) {
            lastFailed = fails;
            failed += fails ? 1 : 0;
        }
        if (fails) DrvLog(nullptr, row.log, v[0], v[1], v[2]);
    }
    return failed;
}

int CheckOptionDMode(const PrinterSession* session, PrinterHandle printer, const char16_t* favoriteName) {
    DrvLog(nullptr, "------------- start CheckOptionDMode -------------\n");
    DrvLog(nullptr, "CheckOptionDMode : Favarite Name = %s\n", favoriteName);
    int fits = session && CountSettingsMisfits(session->dm.priv, session->env, GetColorRestriction(printer)) == 0;
    DrvLog(nullptr, "CheckOptionDMode return = %s\n", fits ? u"TRUE" : u"FALSE");
    DrvLog(nullptr, "------------- end CheckOptionDMode -------------\n");
    return fits;
}
