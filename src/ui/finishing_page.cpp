// The Finishing tab's own rules. Its questions are asked where a finishing
// choice would switch off a feature chosen on another page; every feature the
// question names is off after a Yes (the booklet layout takes the booklet
// binding's own value), and a No leaves everything as it was.
#include "ui/finishing_page.h"

#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/basic_page.h"
#include "ui/page_rules.h"

namespace {

enum FinishingControl : uint32_t {
    kBindingSide = 30511, kSideMarginDialog = 30512, kStaple = 30514, kPunch = 30517, kFold = 30519,
    kFoldDialog = 30520, kBookletBinding = 30522, kBookletBindingDialog = 30523, kOffset = 30525,
    kSlipSheetLabel = 30527, kSlipSheet = 30528, kSlipSheetDialog = 30529, kCovers = 30530, kCoversDialog = 30531,
    kOutputTray = 30533, kContinuous = 30535, kOriginalText = 30539, kOutputText = 30541, kZoomText = 30542,
    kPerfectBinding = 30546, kPerfectBindingDialog = 30547, kMailMaking = 30548, kMailMakingDialog = 30549,
};
// Controls of other pages whose features the questions switch off.
enum OtherControl : uint32_t {
    kCollate = 30220, kMixedSizes = 30228, kTrayPerPage = 30238, kPagesPerSheet = 30411, kBooklet = 30415,
    kWatermark = 30416, kFormOverlay = 30723, kProgramPrint = 30725, kCarbonCopy = 30742,
};

constexpr uint32_t kStapleName = 21039, kSaddleName = 21040, kPunchName = 21041, kCarbonCopyName = 21008;
constexpr uint32_t kFoldName = 20510, kTrayPerPageName = 20230, kMixedSizesName = 25030, kFormName = 20571;
constexpr uint32_t kProgramPrintName = 20379, kBookletName = 20016, kWatermarkName = 25053;
constexpr uint32_t kContinuousName = 20071, kCollateName = 20003;
constexpr uint32_t kPerfectBindingName = 20970, kMailMakingName = 20824;
constexpr uint32_t kFoldNames[5] = {0, 20043, 20044, 20045, 20046};
constexpr uint32_t kBookletBindingNames[3] = {0, 20064, 20065};

uint32_t StapleName(uint32_t value) { return value == 20 ? kSaddleName : kStapleName; }

// The booklet layout that booklet binding takes: left-bound on a portrait
// original, top-bound otherwise.
uint32_t BookletFor(const PrivateSettings& p) { return p.originalOrientation == 1 ? 1 : 3; }

// The layouts and features that exclude a bound book (booklet binding,
// perfect binding, mail making): named while on.
void CancelLayouts(PageQuestion& q, const PrinterSession& s, uint32_t bookletYes) {
    CancelIfOn(q, s, kMixedSizes, 0, kMixedSizesName);
    CancelIfOn(q, s, kProgramPrint, 0, kProgramPrintName);
    CancelIfOn(q, s, kPagesPerSheet, 0, OptionName("pagesPerSheet", s.dm.priv.pluralPagesPerSheet));
    CancelIfOn(q, s, kBooklet, bookletYes, kBookletName);
}

// A finishing change prints on a real sheet: "same as the original" becomes
// the original's size.
void FixOutputSize(PrivateSettings& p) {
    if (p.outputSize == 0) p.outputSize = p.originalSize;
}

}  // namespace

uint16_t BookletOutputSize(const PrinterSession& s, uint32_t originalSize) {
    // Original and the sheet a booklet of it is printed on: A4 on A3, B5 on
    // B4, A5 on A4, Letter on Ledger, Statement on Letter.
    static const uint16_t kPairs[5][2] = {{9, 8}, {13, 12}, {11, 9}, {1, 3}, {6, 1}};
    for (const auto& pair : kPairs)
        if (pair[0] == originalSize && PaperListIndex(&s.env, pair[1]) >= 0) return pair[1];
    return 0;
}

void FinishingPageRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    uint8_t unit = s.env.outputUnit_Option;
    SetControlVisible(page, kMailMaking, unit == kMailMakingUnit);
    SetControlVisible(page, kMailMakingDialog, unit == kMailMakingUnit);
    SetControlVisible(page, kPerfectBinding, unit == kPerfectBindingUnit);
    SetControlVisible(page, kPerfectBindingDialog, unit == kPerfectBindingUnit);
    for (uint32_t id : {kSlipSheetLabel, kSlipSheet, kSlipSheetDialog, kCovers, kCoversDialog})
        SetControlVisible(page, id, s.env.modelFS != 1);

    EnableWhile(page, kFoldDialog, p.fold != 0);
    EnableWhile(page, kBookletBindingDialog, p.bookletBinding != 0);
    EnableWhile(page, kSlipSheetDialog, p.slipSheet != 0);
    EnableWhile(page, kCoversDialog, p.coverSupport != 0);
    EnableWhile(page, kPerfectBindingDialog, p.perfectBindingSupport != 0);
    EnableWhile(page, kMailMakingDialog, p.mailMakingSupport != 0);
    // A Z-fold keeps its binding margin whatever the binding rules say.
    if (p.fold == 4)
        if (ControlState* c = FindControl(page, kSideMarginDialog)) c->enabled = 1;

    SummaryTexts(page, s, kOriginalText, kOutputText, kZoomText);
}

int FinishingChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    PageQuestion q;
    switch (control) {
    case kStaple:
    case kPunch:
        if (value == 0) return 0;
        StartPageQuestion(q, control, value, control == kStaple ? StapleName(value) : kPunchName);
        CancelIfOn(q, s, kCarbonCopy, 0, kCarbonCopyName);
        break;
    case kFold:
        if (value == 0) return 0;
        StartPageQuestion(q, control, value, value < 5 ? kFoldNames[value] : kFoldName);
        CancelIfOn(q, s, kTrayPerPage, 0, kTrayPerPageName);
        CancelIfOn(q, s, kCarbonCopy, 0, kCarbonCopyName);
        break;
    case kBookletBinding:
        if (value == 0) return 0;
        StartPageQuestion(q, control, value, value < 3 ? kBookletBindingNames[value] : kBookletBindingNames[1]);
        CancelIfOn(q, s, kFormOverlay, 0, kFormName);
        CancelLayouts(q, s, BookletFor(p));
        break;
    case kContinuous:
        if (value != 1 || p.collate != 2) return 0;
        StartPageQuestion(q, control, value, kContinuousName);
        AddQuestionCancel(q, kCollate, 1, kCollateName);
        break;
    case kPerfectBinding:
    case kMailMaking:
        if (value != 1) return 0;
        StartPageQuestion(q, control, value, control == kPerfectBinding ? kPerfectBindingName : kMailMakingName);
        CancelIfOn(q, s, kBookletBinding, 0, p.bookletBinding < 3 ? kBookletBindingNames[p.bookletBinding] : 0);
        CancelLayouts(q, s, 0);
        if (control == kMailMaking) CancelIfOn(q, s, kWatermark, 0, kWatermarkName);
        break;
    default: return 0;
    }
    int asks = FinishPageQuestion(q);
    if (asks && question) *question = q;
    return asks;
}

void FinishingChangeFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    switch (control) {
    case kBindingSide: p.bindingSide_Fold = FoldSideOfBinding(value); break;
    case kBookletBinding:
        if (value == 0) break;
        p.booklet = static_cast<uint8_t>(BookletFor(p));
        if (uint16_t size = BookletOutputSize(*in.session, p.originalSize)) p.outputSize = size;
        break;
    case kOutputTray:
        p.faceUpDown_OutputTray = 1;
        FixOutputSize(p);
        break;
    case kStaple:
    case kPunch:
    case kFold:
    case kOffset:
    case kCovers: FixOutputSize(p); break;
    default: break;
    }
}
