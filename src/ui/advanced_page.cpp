// The Advanced tab's own rules. Its questions mirror the engine's cascade
// rules for form overlay, program print, skipping blank pages and carbon
// copy: the page names what is on and will go, and a Yes writes it off.
#include "ui/advanced_page.h"

#include "rules/text_filters.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/basic_page.h"
#include "ui/page_rules.h"

namespace {

enum AdvancedControl : uint32_t {
    kOwnerName = 30710, kOwnerNameText = 30711, kJobName = 30713, kJobNameText = 30714, kPassword = 30716,
    kPasswordText = 30717, kComment = 30721, kForm = 30723, kFormDialog = 30724, kProgram = 30725,
    kProgramDialog = 30726, kPrintSpeed = 30728, kBlankCut = 30729, kReverse = 30730, kOriginalText = 30735,
    kOutputText = 30737, kZoomText = 30738, kCarbon = 30742, kCarbonDialog = 30743,
};
// Controls of other pages whose features the questions switch off.
enum OtherControl : uint32_t {
    kMixedSizes = 30228, kTrayPerPage = 30238, kPagesPerSheet = 30411, kPoster = 30413, kBooklet = 30415,
    kStaple = 30514, kPunch = 30517, kFold = 30519, kBookletBinding = 30522, kPerfectBinding = 30546,
    kMailMaking = 30548, kGamma = 30628,
};

constexpr uint32_t kFormName = 20571, kProgramName = 20379, kBlankCutName = 20314, kGammaName = 20269;
constexpr uint32_t kCarbonName = 21008, kMixedSizesName = 25030, kTrayPerPageName = 20230, kFoldName = 20510;
constexpr uint32_t kBookletBindingName = 20299, kPerfectBindingName = 20970, kMailMakingName = 20824;
constexpr uint32_t kStapleName = 21039, kSaddleName = 21040, kPunchName = 21041, kStaplePunchName = 21042;
constexpr uint32_t kFastSpeed = 11, kFaceDown = 2, kSaddleStitch = 20;
constexpr uint32_t kNameCharsWarning = 20180, kPasswordCharsWarning = 25114;

// A feature that is on is named; listed ones are also switched off by a Yes.
void NameIfOn(PageQuestion& q, const PrinterSession& s, uint32_t control, const char* list, uint32_t nameId,
              int switchOff) {
    uint32_t v = ReadControlValue(s, control);
    if (v == 0) return;
    uint32_t name = OptionName(list, v);
    if (!name) name = nameId;
    if (switchOff) AddQuestionCancel(q, control, 0, name);
    else if (q.partCount < kQuestionPartRoom - 2) q.part[q.partCount++] = name;
}

// An edit or button is usable only while its check box is on and usable; the
// engine's own greying stays.
void EnableWithBox(PageState& page, uint32_t id, uint32_t box, int condition) {
    const ControlState* o = FindControl(page, box);
    EnableWhile(page, id, condition && (!o || o->enabled));
}

bool PasswordChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

void AdvancedPageRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (s.env.modelFS != 0) {
        HideControl(page, kCarbon);
        HideControl(page, kCarbonDialog);
    }
    EnableWithBox(page, kOwnerNameText, kOwnerName, p.ownerNameSupport == 1);
    EnableWithBox(page, kJobNameText, kJobName, p.jobNameSupport == 1);
    EnableWithBox(page, kPasswordText, kPassword, p.passwordSupport == 1);
    EnableWithBox(page, kFormDialog, kForm, p.formSupport == 1);
    EnableWithBox(page, kProgramDialog, kProgram, p.programPrint == 1);
    EnableWithBox(page, kCarbonDialog, kCarbon, p.carbonCopySupport == 1);
    SummaryTexts(page, s, kOriginalText, kOutputText, kZoomText);
}

int AdvancedChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (value != 1) return 0;
    PageQuestion q;
    switch (control) {
    case kForm:
        // Layouts of several pages a sheet are named; the engine drops what
        // the overlay cannot take, the page switches off mixed sizes and
        // booklet binding itself.
        StartPageQuestion(q, control, value, kFormName);
        NameIfOn(q, s, kMixedSizes, nullptr, kMixedSizesName, 1);
        NameIfOn(q, s, kPagesPerSheet, "pagesPerSheet", 0, 0);
        NameIfOn(q, s, kPoster, "poster", 0, 0);
        NameIfOn(q, s, kBooklet, "booklets", 0, 0);
        NameIfOn(q, s, kBookletBinding, "bookletBindings", kBookletBindingName, 1);
        break;
    case kProgram:
        StartPageQuestion(q, control, value, kProgramName);
        NameIfOn(q, s, kBookletBinding, "bookletBindings", kBookletBindingName, 1);
        NameIfOn(q, s, kPerfectBinding, nullptr, kPerfectBindingName, 1);
        NameIfOn(q, s, kMailMaking, nullptr, kMailMakingName, 1);
        break;
    case kBlankCut:
        StartPageQuestion(q, control, value, kBlankCutName);
        NameIfOn(q, s, kGamma, nullptr, kGammaName, 1);
        break;
    case kCarbon:
        StartPageQuestion(q, control, value, kCarbonName);
        NameIfOn(q, s, kTrayPerPage, nullptr, kTrayPerPageName, 1);
        NameIfOn(q, s, kFold, "folds", kFoldName, 1);
        // Staple and punch go with it; both on are named as one.
        if (p.staple && p.punch) {
            AddQuestionCancel(q, kStaple, 0, kStaplePunchName);
            if (q.offCount < 6) q.off[q.offCount++] = ConflictCancel{kPunch, 0, 0};
        } else {
            NameIfOn(q, s, kStaple, nullptr, p.staple == kSaddleStitch ? kSaddleName : kStapleName, 1);
            NameIfOn(q, s, kPunch, nullptr, kPunchName, 1);
        }
        break;
    default: return 0;
    }
    int asks = q.partCount > 3;  // something beyond the opening parts is named
    FinishPageQuestion(q);
    if (asks && question) *question = q;
    return asks;
}

void AdvancedChangeFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    switch (control) {
    case kPrintSpeed:
        p.printSpeed = static_cast<uint8_t>(value ? kFastSpeed : 0);
        in.last.value = p.printSpeed;
        break;
    case kReverse: p.reverseOrder = p.reverseOrder_UI; break;
    case kBlankCut:
        if (value == 1) p.faceUpDown_OutputTray = kFaceDown;
        break;
    default: break;
    }
}

int FilterAdvancedText(uint32_t control, char16_t* text, int* caret, uint32_t* warning) {
    int password = control == kPasswordText;
    if (!text || (!password && control != kOwnerNameText && control != kJobNameText && control != kComment)) return 0;
    int kept = 0, removedBefore = 0, i = 0;
    for (; text[i]; i++) {
        int keep = password ? PasswordChar(text[i]) : !IsForbiddenChar(TextFilterKind::Name, text[i]);
        if (keep) text[kept++] = text[i];
        else if (caret && i < *caret) removedBefore++;
    }
    if (kept == i) return 0;
    text[kept] = 0;
    if (caret) *caret -= removedBefore;
    if (warning) *warning = password ? kPasswordCharsWarning : kNameCharsWarning;
    return 1;
}
