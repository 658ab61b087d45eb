// Mail making: insert sizes by form, two-sided choices and pictures.
#include "ui/mail_making.h"

#include "session/global_list.h"

namespace {

const IdTableRow kWithoutOneSided[] = {{20241, 2}, {20242, 3}};
const IdTableRow kWithOneSided[] = {{20024, 1}, {20241, 2}, {20242, 3}};

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
