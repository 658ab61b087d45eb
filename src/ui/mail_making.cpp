// Mail making: insert sizes by form, two-sided choices and pictures.
#include "ui/mail_making.h"

#include "session/global_list.h"

namespace {

const IdTableRow kWithoutOneSided[] = {{20241, 2}, {20242, 3}};
const IdTableRow kWithOneSided[] = {{20024, 1}, {20241, 2}, {20242, 3}};
const IdTableRow kForms[] = {{20837, 1}, {20838, 2}, {20839, 3}};

enum MailControl : uint32_t {
    kEnvelopePicture = 32911, kForm = 32913, kEnvelopeSides = 32917, kInsertPicture = 32918, kInsert = 32920,
    kInsertFirst = 32921, kInsertSize = 32922, kInsertSides = 32928, kInsertLast = 32929,
};

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

void ShowPicture(PageState& page, uint32_t id, uint16_t picture) {
    if (ControlState* c = Find(page, id)) {
        c->itemCount = picture ? 1 : 0;
        c->item[0] = PageItem{picture, 0, kItemString};
    }
}

}  // namespace

int MailMakingInsertSizes(const PrinterEnvironment& env, uint8_t form, uint16_t* sizes) {
    static const uint16_t kByForm[3][2] = {{9, 13}, {9, 0}, {5, 1}};
    if (form < 1 || form > 3) return 0;
    int n = 0;
    for (uint16_t size : kByForm[form - 1])
        if (size && PaperListIndex(&env, size) >= 0) sizes[n++] = size;
    return n;
}

int MailMakingFormCount(int localArea) { return localArea ? 3 : 1; }

int MailMakingEnvelopeDuplex(int insert, const IdTableRow** rows) {
    *rows = insert ? kWithOneSided : kWithoutOneSided;
    return insert ? 3 : 2;
}

void ChooseMailMakingInsert(PrivateSettings& p, int insert) {
    p.insert_MailMaking = insert ? 1 : 0;
    if (!insert && p.duplexType_Envelope_MailMaking == 1) p.duplexType_Envelope_MailMaking = 2;
}

void ChooseMailMakingForm(PrivateSettings& p, const PrinterEnvironment& env, uint8_t form) {
    p.form_Envelope_MailMaking = form;
    uint16_t sizes[2];
    if (MailMakingInsertSizes(env, form, sizes) > 0) p.size_Insert_MailMaking = sizes[0];
}

uint16_t MailMakingEnvelopePicture(uint8_t form) { return form >= 1 && form <= 3 ? 11967 + form : 0; }

uint16_t MailMakingInsertPicture(const PrivateSettings& p) {
    if (!p.insert_MailMaking) return 11923;
    switch (p.form_Envelope_MailMaking) {
    case 2: return 11924;
    case 3: return p.size_Insert_MailMaking == 5 ? 11922 : 11921;
    default: return 11921;
    }
}

void MailMakingRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (ControlState* c = Find(page, kForm)) FillFromIdTable(*c, kForms, MailMakingFormCount(s.env.localArea), p.form_Envelope_MailMaking);
    const IdTableRow* rows = nullptr;
    int n = MailMakingEnvelopeDuplex(p.insert_MailMaking, &rows);
    if (ControlState* c = Find(page, kEnvelopeSides)) FillFromIdTable(*c, rows, n, p.duplexType_Envelope_MailMaking);
    n = MailMakingEnvelopeDuplex(1, &rows);
    if (ControlState* c = Find(page, kInsertSides)) FillFromIdTable(*c, rows, n, p.duplexType_Insert_MailMaking);
    if (ControlState* c = Find(page, kInsertSize)) {
        uint16_t sizes[2];
        int count = MailMakingInsertSizes(s.env, p.form_Envelope_MailMaking, sizes);
        c->itemCount = 0;
        c->selected = -1;
        for (int i = 0; i < count; i++) {
            if (sizes[i] == p.size_Insert_MailMaking) c->selected = i;
            c->item[c->itemCount++] = PageItem{sizes[i], 0, kItemPaperSecondName};
        }
        c->enabled = count == 2;
    }
    for (uint32_t id = kInsertFirst; id <= kInsertLast; id++)
        if (ControlState* c = Find(page, id)) c->enabled = c->enabled && p.insert_MailMaking == 1;
    ShowPicture(page, kEnvelopePicture, MailMakingEnvelopePicture(p.form_Envelope_MailMaking));
    ShowPicture(page, kInsertPicture, MailMakingInsertPicture(p));
}

int MailMakingQuestion(const PageInput&, uint32_t, uint32_t, PageQuestion*) { return 0; }

void MailMakingFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    if (control == kInsert) ChooseMailMakingInsert(p, value != 0);
    if (control == kForm) ChooseMailMakingForm(p, in.session->env, static_cast<uint8_t>(value));
}
