#include "session/model_forms.h"

namespace {

constexpr int kFormNameUnits = 256;

const BuiltinPaper* FindBuiltin(uint32_t id) {
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == id) return &kBuiltinPapers[i];
    return nullptr;
}

// 1 when the spooler took the form; the name must load first.
int AddPaperForm(PrinterHandle printer, const BuiltinPaper& paper, uint32_t languageId) {
    char16_t name[kFormNameUnits + 1] = {};
    if (Sys().LoadResourceString(languageId, paper.stringId, name, kFormNameUnits + 1) <= 0 || !name[0]) return 0;
    FormInfo form;
    form.flags = kFormFlagPrinter;
    form.name = name;
    form.width = static_cast<int32_t>(paper.width * 100);
    form.height = static_cast<int32_t>(paper.length * 100);
    form.right = form.width;
    form.bottom = form.height;
    return Spool().AddForm(printer, form);
}

}  // namespace

int RegisterModelForms(PrinterHandle printer, const ModelListInfo* model, uint32_t languageId) {
    int added = 0;
    if (model && model->present && model->paperCount > 0) {
        for (int i = 0; i < model->paperCount && i < kPaperSlots; i++) {
            const BuiltinPaper* paper = model->paperIds[i] > 256 ? FindBuiltin(model->paperIds[i]) : nullptr;
            if (paper) added += AddPaperForm(printer, *paper, languageId);
        }
        return added;
    }
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id > 256) added += AddPaperForm(printer, kBuiltinPapers[i], languageId);
    return added;
}
