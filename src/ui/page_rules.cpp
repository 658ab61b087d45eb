#include "ui/page_rules.h"

#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/basic_page.h"
#include "ui/control_table.h"

namespace {
constexpr uint32_t kPaperTypeName = 25034, kDefaultPaperType = 257;
}

ControlState* FindControl(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

void SetControlVisible(PageState& page, uint32_t id, int visible) {
    if (ControlState* c = FindControl(page, id)) c->visible = visible;
}

void EnableWith(PageState& page, uint32_t id, uint32_t owner, int condition) {
    ControlState* c = FindControl(page, id);
    const ControlState* o = FindControl(page, owner);
    if (c) c->enabled = condition && (!o || o->enabled);
}

void EnableWhile(PageState& page, uint32_t id, int condition) {
    if (ControlState* c = FindControl(page, id)) c->enabled = c->enabled && condition;
}

uint32_t OptionName(const char* list, uint32_t value) {
    for (int i = 0; list && i < kOptionTextRowCount; i++) {
        const OptionTextRow& r = kOptionTextRows[i];
        if (r.value != value) continue;
        int same = 1;
        for (int k = 0; same && (list[k] || r.list[k]); k++) same = list[k] == r.list[k];
        if (same) return r.stringId;
    }
    return 0;
}

uint32_t MediaName(uint32_t paperType) {
    for (int i = 0; i < kBuiltinMediaCount; i++)
        if (kBuiltinMedia[i].id == paperType) return kBuiltinMedia[i].stringId;
    return kPaperTypeName;
}

void PaperText(const PrinterSession& s, uint32_t paper, char16_t* out) {
    char16_t name[kPaperNameChars + 1] = {};
    if (!PaperNameAt(&s.env, PaperListIndex(&s.env, paper), name, kPaperNameChars + 1)) name[0] = 0;
    int k = 0;
    for (; k < kPageTextChars - 1 && name[k]; k++) out[k] = name[k];
    out[k] = 0;
}

void SummaryTexts(PageState& page, const PrinterSession& s, uint32_t originalId, uint32_t outputId, uint32_t zoomId) {
    const PrivateSettings& p = s.dm.priv;
    if (ControlState* c = FindControl(page, originalId)) PaperText(s, p.originalSize, c->text);
    if (ControlState* c = FindControl(page, outputId)) PaperText(s, p.outputSize ? p.outputSize : p.originalSize, c->text);
    if (ControlState* c = FindControl(page, zoomId)) BasicZoomText(p, c->text);
}

uint32_t EffectivePaperType(const PrinterSession& s, uint32_t paperType) {
    return paperType == kDefaultPaperType ? s.env.defaultPaperType : paperType;
}

void CancelIfOn(PageQuestion& q, const PrinterSession& s, uint32_t control, uint32_t yesValue, uint32_t nameId,
                const char* list) {
    uint32_t v = ReadControlValue(s, control);
    if (v == 0) return;
    uint32_t optionName = OptionName(list, v);
    AddQuestionCancel(q, control, yesValue, optionName ? optionName : nameId);
}
