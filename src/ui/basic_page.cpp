// The Basic tab's own rules. Its questions mirror the engine's cascade rules
// for colour mode, image quality and paper type: where a change would have
// the engine quietly replace a choice the user made on another page, the page
// asks first, and a Yes writes what the engine would have written.
#include "ui/basic_page.h"

#include <cstdio>

#include "rules/settings_application.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/page_rules.h"

namespace {

enum BasicControl : uint32_t {
    kColorMode = 30211, kCopies = 30216, kCopiesSpin = 30217, kCollate = 30220,
    kMixedSizes = 30228, kMixedSizesDialog = 30229, kZoom = 30230, kZoomValue = 30231, kZoomSpin = 30232,
    kPaperSourceLabel = 30236, kPaperSource = 30237, kTrayPerPage = 30238, kTrayPerPageDialog = 30239,
    kPaperType = 30241, kOutputMode = 30244, kOutputModeDialog = 30245, kOutputFolder = 30246,
    kOriginalText = 30251, kOutputText = 30253, kZoomText = 30254, kOriginalSize = 30223, kOutputSize = 30235,
};
// Controls of other pages whose features the questions switch off.
enum OtherControl : uint32_t {
    kStaple = 30514, kPunch = 30517,
    kPagesPerSheet = 30411, kPoster = 30413, kBooklet = 30415, kFold = 30519, kBookletBinding = 30522,
    kContinuous = 30535, kPerfectBinding = 30546, kMailMaking = 30548, kImageQuality = 30615,
    kFormOverlay = 30723, kCarbonCopy = 30742,
};

constexpr uint32_t kColorModeNames[8] = {20025, 20033, 20035, 20036, 20037, 20034, 20038, 20039};
constexpr uint32_t kCollateName = 20003, kContinuousName = 20071, kMixedSizesName = 25030, kTrayPerPageName = 20230;
constexpr uint32_t kCarbonCopyName = 21008, kFormOverlayName = 20571, kPerfectBindingName = 20970;
constexpr uint32_t kMailMakingName = 20824, kPaperTypeName = 25034;
constexpr uint32_t kDefaultPaperType = 257, kPressureSealPaper = 266;

// A special size is one of the built-in papers: its own words name it.
uint32_t PaperNameOf(uint32_t paper) {
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == paper) return kBuiltinPapers[i].stringId;
    return 0;
}

// The image quality a colour mode leaves (the current one when it fits).
uint32_t QualityForColor(const PrinterSession& s, uint32_t mode, uint32_t paperType) {
    uint32_t quality = ReadControlValue(s, kImageQuality);
    uint32_t paper = EffectivePaperType(s, paperType);
    if (quality == 2 && mode == 2)
        return paperType == 260 || paperType == 262 || paperType == kPressureSealPaper ? 5 : 1;
    if (quality == 6 && mode != 1 && paperType != kPressureSealPaper) return PlainPaper(paper) ? 1 : 5;
    if (quality == 5 && mode != 1 && PlainPaper(paper)) return 1;
    return quality;
}

// The image quality a paper type leaves: in black or a spot colour, the
// press and inkjet qualities fall back to standard on plain paper and press
// quality to inkjet on other papers; matte paper and postcards have no
// standard quality. Pressure-seal paper takes press quality itself.
uint32_t QualityForPaper(const PrinterSession& s, uint32_t paperType) {
    uint32_t quality = ReadControlValue(s, kImageQuality);
    if (paperType == kPressureSealPaper) return quality;
    int mono = s.dm.priv.colorMode != 1;
    if (mono && (quality == 5 || quality == 6) && PlainPaper(EffectivePaperType(s, paperType))) return 1;
    if (mono && quality == 6) return 5;
    if (quality == 1 && (paperType == 260 || paperType == 262)) return 5;
    return quality;
}

// Envelopes, postcards and the other special sizes cannot be stapled,
// punched or folded.
int UnfinishedSize(uint32_t paper) {
    static const uint32_t kSizes[] = {20, 27, 28, 30, 31, 43, 70, 71, 72, 73, 74, 88, 259, 260, 261, 262};
    for (uint32_t size : kSizes)
        if (size == paper) return 1;
    return 0;
}

// The size the job is printed on after a change of either size list.
uint32_t PrintedSize(const PrivateSettings& p, uint32_t control, uint32_t value) {
    if (control == kOutputSize) return value ? value : p.originalSize;
    return p.outputSize ? p.outputSize : value;
}

int AskQuality(const PrinterSession& s, PageQuestion& q, uint32_t quality) {
    uint32_t now = ReadControlValue(s, kImageQuality);
    if (quality != now) AddQuestionCancel(q, kImageQuality, quality, OptionName("imageQualities", now));
    return FinishPageQuestion(q);
}

constexpr uint32_t kCustomPaper = 256;

// A custom size not set yet: A4 as the unit of length writes it (0.01 mm).
// The record is packed: its fields are read and written whole.
void FillCustomSize(int32_t* width, int32_t* length, int inches) {
    if (*width != 0 && *length != 0) return;
    *width = inches ? 21006 : 21000;
    *length = inches ? 29693 : 29700;
}

// A listed paper's size in 0.01 mm; 0 when the list does not have it.
int ListedSize(const PrinterSession& s, uint32_t paper, int32_t& width, int32_t& length) {
    int32_t w = 0, l = 0;
    if (!PaperSizeAt(&s, PaperListIndex(&s.env, paper), &w, &l)) return 0;
    width = w * 10;
    length = l * 10;
    return 1;
}

}  // namespace

int BasicPageApply(PageInput& in) {
    if (!in.session) return 0;
    PrinterSession& s = *in.session;
    PrivateSettings& p = s.dm.priv;
    int inches = s.env.unitOfLength == 1;
    int32_t originalWidth = p.originalWidth_mm_CustomPaper, originalLength = p.originalLength_mm_CustomPaper;
    if (p.originalSize == kCustomPaper) FillCustomSize(&originalWidth, &originalLength, inches);
    p.originalWidth_mm_CustomPaper = originalWidth;
    p.originalLength_mm_CustomPaper = originalLength;
    int32_t width = p.outputWidth_mm, length = p.outputLength_mm;
    if (p.outputSize == kCustomPaper) {
        width = p.outputWidth_mm_CustomPaper;
        length = p.outputLength_mm_CustomPaper;
        FillCustomSize(&width, &length, inches);
        p.outputWidth_mm_CustomPaper = width;
        p.outputLength_mm_CustomPaper = length;
    } else if (p.outputSize != 0) {
        ListedSize(s, p.outputSize, width, length);
    } else if (p.originalSize == kCustomPaper) {
        width = p.originalWidth_mm_CustomPaper;
        length = p.originalLength_mm_CustomPaper;
    } else {
        ListedSize(s, p.originalSize, width, length);
    }
    p.outputWidth_mm = width;
    p.outputLength_mm = length;
    // What the sheet hands back fits the printer it is for (the sheet always
    // has one; the colour restriction is read from it).
    if (in.printer) ApplyDeviceRestrictions(in.session, in.printer);
    return 1;
}

int BasicTurnsOrientation(const PrivateSettings& p) {
    switch (p.pluralPagesPerSheet) {
    case 21: case 22: case 81: case 82: case 83: case 88: return 1;
    default: return p.singlePagesPerSheet == 2 || p.singlePagesPerSheet == 8;
    }
}

void BasicZoomText(const PrivateSettings& p, char16_t* out) {
    char b[16];
    unsigned zoom = p.scale_Zoom;
    if (zoom == 0 && p.zoomSupport != 1) std::snprintf(b, sizeof b, "(---%%)");
    else std::snprintf(b, sizeof b, "(%3u%%)", zoom == 0 ? 100u : zoom);  // three places: the text keeps its width
    int k = 0;
    for (; b[k]; k++) out[k] = static_cast<char16_t>(b[k]);
    out[k] = 0;
}

void BasicPageRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (s.env.modelFS == 1) {
        for (uint32_t id : {kPaperSourceLabel, kPaperSource, kMixedSizes, kMixedSizesDialog, kTrayPerPage,
                            kTrayPerPageDialog})
            HideControl(page, id);
    }
    EnableWith(page, kCopiesSpin, kCopies, 1);
    EnableWith(page, kZoomSpin, kZoomValue, 1);
    EnableWith(page, kMixedSizesDialog, kMixedSizes, p.mixedSizeSupport == 1);
    EnableWith(page, kTrayPerPageDialog, kTrayPerPage, p.traySelectPerPage == 1);
    EnableWith(page, kOutputModeDialog, kOutputMode, p.outputMode != 0);
    // The folder a file is saved in means something only while the job saves one.
    if (p.outputMode != 4 && p.outputMode != 5) HideControl(page, kOutputFolder);
    SummaryTexts(page, s, kOriginalText, kOutputText, kZoomText);
}

int BasicChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    PageQuestion q;
    int asks = 0;
    switch (control) {
    case kColorMode: {
        if (value >= 8) return 0;
        uint32_t quality = QualityForColor(s, value, p.paperType);
        StartPageQuestion(q, control, value, kColorModeNames[value]);
        asks = AskQuality(s, q, quality);
        break;
    }
    case kPaperType: {
        uint32_t quality = QualityForPaper(s, value);
        if (quality == ReadControlValue(s, kImageQuality)) return 0;
        StartPageQuestion(q, control, value, MediaName(value));
        asks = AskQuality(s, q, quality);
        break;
    }
    case kOriginalSize:
    case kOutputSize:
        if (!UnfinishedSize(PrintedSize(p, control, value))) return 0;
        StartPageQuestion(q, control, value, PaperNameOf(value));
        CancelIfOn(q, s, kStaple, 0, 0, "staples");
        CancelIfOn(q, s, kPunch, 0, 0, "punches");
        CancelIfOn(q, s, kFold, 0, 0, "folds");
        asks = FinishPageQuestion(q);
        break;
    case kCollate:
        if (value != 2) return 0;
        StartPageQuestion(q, control, value, kCollateName);
        CancelIfOn(q, s, kContinuous, 0, kContinuousName);
        q.no[q.noCount++] = ConflictCancel{kCollate, 1, kCollateName};
        asks = FinishPageQuestion(q);
        break;
    case kMixedSizes:
        if (value != 1) return 0;
        StartPageQuestion(q, control, value, kMixedSizesName);
        CancelIfOn(q, s, kPagesPerSheet, 0, 0, "pagesPerSheet");
        CancelIfOn(q, s, kPoster, 0, 0, "poster");
        CancelIfOn(q, s, kBooklet, 0, 0, "booklets");
        CancelIfOn(q, s, kBookletBinding, 0, 0, "bookletBindings");
        CancelIfOn(q, s, kFormOverlay, 0, kFormOverlayName);
        CancelIfOn(q, s, kPerfectBinding, 0, kPerfectBindingName);
        CancelIfOn(q, s, kMailMaking, 0, kMailMakingName);
        asks = FinishPageQuestion(q);
        break;
    case kTrayPerPage:
        if (value != 1) return 0;
        StartPageQuestion(q, control, value, kTrayPerPageName);
        CancelIfOn(q, s, kFold, 0, 0, "folds");
        CancelIfOn(q, s, kCarbonCopy, 0, kCarbonCopyName);
        asks = FinishPageQuestion(q);
        break;
    default: return 0;
    }
    if (asks && question) *question = q;
    return asks;
}

void BasicChangeFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    // Off, the refresh computes the zoom from the two sizes again.
    if (control == kZoom && value == 1 && p.scale_Zoom == 0) p.scale_Zoom = 100;
    // The two-sided choice shown so far becomes the mixed-size one.
    if (control == kMixedSizes && value == 1) p.duplexType_MixedSize = p.duplexType;
}
