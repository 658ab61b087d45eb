// A change of one control: the write and the recorded last change, or the
// confirmation to ask first when the choice switches features off; the
// answer; restoring the defaults; the add-to-favourites button's state.
#include "rules/constraint_engine.h"
#include "rules/control_fields.h"
#include "rules/settings_application.h"
#include "rules/text_filters.h"
#include "ui/advanced_page.h"
#include "ui/basic_page.h"
#include "ui/environment_page.h"
#include "ui/image_page.h"
#include "ui/layout_page.h"
#include "ui/finishing_dialogs.h"
#include "ui/finishing_page.h"
#include "ui/mail_making.h"
#include "ui/perfect_binding.h"
#include "ui/page_model.h"

namespace {

// The fixed parts of a confirmation text around the feature names.
constexpr uint32_t kTurnsOffTextId = 20032;
constexpr uint32_t kFollowingTextId = 20177;
constexpr uint32_t kWillBeOffTextId = 20178;
constexpr uint32_t kContinueTextId = 20024;

constexpr uint32_t kCommunityControl = 30054;  // the one text field with forbidden characters

// The engine knows a feature by its pair's control: a second radio button of
// the same field (30221 beside 30220) is recorded as the pair's control.
uint32_t FeatureControl(uint32_t control) {
    for (int i = 0; i < kControlFieldCount; i++) {
        const ControlField& f = kControlFields[i];
        if (f.control != control) continue;
        for (int k = 0; k < kSettingsPairCount; k++) {
            const ControlField& p = kSettingsPairFields[k];
            if (p.control == control) return control;
            if (p.size && p.offset == f.offset && p.size == f.size &&
                (p.place == kEnvironmentField) == (f.place == kEnvironmentField))
                return p.control;
        }
        break;
    }
    return control;
}

// A page's own change rules: the question a change asks (1, question
// filled) and what a written change brings with it.
struct PageChangeRules {
    uint16_t layoutId;
    int (*ask)(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
    void (*follow)(PageInput& in, uint32_t control, uint32_t value);
};
const PageChangeRules kPageChangeRules[] = {
    {kBasicLayout, BasicChangeQuestion, BasicChangeFollows},
    {kImageLayout, ImageChangeQuestion, ImageChangeFollows},
    {kAdvancedLayout, AdvancedChangeQuestion, AdvancedChangeFollows},
    {kLayoutLayout, LayoutChangeQuestion, LayoutChangeFollows},
    {kFinishingPage, FinishingChangeQuestion, FinishingChangeFollows},
    {kFoldDialog, FoldDialogQuestion, FoldDialogFollows},
    {kMailMakingDialog, MailMakingQuestion, MailMakingFollows},
    {kPerfectBindingDialog, PerfectBindingQuestion, PerfectBindingFollows},
};

// A question an answer leads to (1 with next filled).
struct PageNextQuestion {
    uint16_t layoutId;
    int (*next)(const PageInput& in, const PageQuestion& answered, int yes, PageQuestion* next);
};
const PageNextQuestion kPageNextQuestions[] = {
    {kLayoutLayout, LayoutNextQuestion},
};

const PageChangeRules* ChangeRulesOf(uint16_t templateId) {
    const PageRow* page = FindPageRow(templateId);
    for (const PageChangeRules& r : kPageChangeRules)
        if (page && r.layoutId == page->layoutId) return &r;
    return nullptr;
}

// The engine's value of a choice: the output unit's items stand for the
// stored unit with its sub-option and fold unit.
uint32_t EngineValue(uint32_t control, uint32_t value) {
    return control == kOutputUnitControl ? OutputUnitOfItem(value) : value;
}

}  // namespace

void StartPageQuestion(PageQuestion& q, uint32_t control, uint32_t value, uint32_t nameId) {
    q = PageQuestion{};
    q.control = control;
    q.value = value;
    q.part[q.partCount++] = nameId;
    q.part[q.partCount++] = kTurnsOffTextId;
    q.part[q.partCount++] = kFollowingTextId;
}

void AddQuestionCancel(PageQuestion& q, uint32_t control, uint32_t yesValue, uint32_t nameId) {
    if (q.offCount >= 6 || q.partCount >= kQuestionPartRoom - 2) return;
    q.off[q.offCount++] = ConflictCancel{control, yesValue, nameId};
    q.part[q.partCount++] = nameId;
}

int FinishPageQuestion(PageQuestion& q) {
    q.part[q.partCount++] = kWillBeOffTextId;
    q.part[q.partCount++] = kContinueTextId;
    return q.offCount > 0;
}

int ChangePageControl(uint16_t templateId, PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    if (!in.session) return kChangeRefused;
    const PageChangeRules* rules = ChangeRulesOf(templateId);
    PageQuestion q;
    if (rules && rules->ask(in, control, value, &q)) {
        if (question) *question = q;
        return kChangeAsks;
    }
    int r = ApplyPageChange(in, control, value, nullptr, 0, question);
    if (r == kChangeWritten && rules) rules->follow(in, control, value);
    return r;
}

int AnswerPageControl(uint16_t templateId, PageInput& in, const PageQuestion& question, int yes) {
    int r = AnswerPageQuestion(in, question, yes);
    const PageChangeRules* rules = ChangeRulesOf(templateId);
    if (r == kChangeWritten && yes && rules) rules->follow(in, question.control, question.value);
    return r;
}

int NextPageQuestion(uint16_t templateId, const PageInput& in, const PageQuestion& answered, int yes,
                     PageQuestion* next) {
    const PageRow* page = FindPageRow(templateId);
    for (const PageNextQuestion& r : kPageNextQuestions)
        if (page && r.layoutId == page->layoutId) return r.next(in, answered, yes, next);
    return 0;
}

int ApplyPageChange(PageInput& in, uint32_t control, uint32_t value, const ConflictRule* rules, int ruleCount,
                    PageQuestion* question) {
    if (!in.session) return kChangeRefused;
    for (int r = 0; rules && r < ruleCount; r++) {
        const ConflictRule& rule = rules[r];
        if (rule.control != control) continue;
        if (rule.value == kAnyChoiceOn ? value == 0 : rule.value != value) continue;
        PageQuestion q;
        StartPageQuestion(q, control, value, rule.nameId);
        for (int k = 0; k < rule.cancelCount && k < 6; k++) {
            const ConflictCancel& c = rule.cancel[k];
            if (ReadControlValue(*in.session, c.control) != c.offValue)
                AddQuestionCancel(q, c.control, c.offValue, c.nameId);
        }
        if (!FinishPageQuestion(q)) break;  // nothing on to switch off: no question
        if (question) *question = q;
        return kChangeAsks;
    }
    if (!WriteControlValue(*in.session, control, value)) return kChangeRefused;
    in.last = LastChange{FeatureControl(control), EngineValue(control, value)};
    return kChangeWritten;
}

int ApplyPageText(PageInput& in, uint32_t control, const char16_t* text) {
    if (!in.session || !ControlTextChars(control)) return kChangeRefused;
    char16_t kept[kPageTextChars] = {};
    for (int i = 0; text && i < kPageTextChars - 1 && text[i]; i++) kept[i] = text[i];
    if (control == kCommunityControl) {
        RemoveForbiddenChars(TextFilterKind::Community, kept);
        KeepCommunityChars(kept, nullptr);  // the page allows fewer characters still
    }
    FilterAdvancedText(control, kept, nullptr, nullptr);
    WriteControlText(*in.session, control, kept);
    in.last = LastChange{control, 0};
    return kChangeWritten;
}

int AnswerPageQuestion(PageInput& in, const PageQuestion& question, int yes) {
    if (!in.session) return kChangeRefused;
    if (!yes) {
        int written = 0;
        for (int k = 0; k < question.noCount && k < 2; k++)
            written |= WriteControlValue(*in.session, question.no[k].control, question.no[k].offValue);
        if (!written) return kChangeRefused;
        in.last = LastChange{FeatureControl(question.no[0].control), question.no[0].offValue};
        return kChangeWritten;
    }
    if (!WriteControlValue(*in.session, question.control, question.value)) return kChangeRefused;
    for (int k = 0; k < question.offCount && k < 6; k++)
        WriteControlValue(*in.session, question.off[k].control, question.off[k].offValue);
    in.last = LastChange{FeatureControl(question.control), EngineValue(question.control, question.value)};
    return kChangeWritten;
}

void RestorePageDefaults(PageInput& in) {
    if (!in.session) return;
    ResetPrivateSettings(in.session, in.printer, in.printer ? 1 : 0);
    in.last = LastChange{0, 0};
}

int AddFavoriteEnabled(const SheetFacts& facts) {
    return facts.fullAccess && facts.favoriteCount < kFavoriteLimit;
}

int IsRestoreDefaultsButton(uint32_t control) {
    constexpr uint16_t kRestoreDefaultsTextId = 25011;
    for (int i = 0; i < kControlRowCount; i++)
        if (kControlRows[i].id == control) return kControlRows[i].textId == kRestoreDefaultsTextId;
    return 0;
}
