// The program-print table and rules.
#include "ui/program_print_dialog.h"

#include "ui/page_rules.h"

namespace {

constexpr uint32_t kSlipSheetTray = 33102;
// The slip-sheet choices: the group, its radios, the paper source and its label.
constexpr uint32_t kSlipSheetControls[] = {33097, 33098, 33099, 33100, 33101, 33102};

// The radios of one choice: the engine greys the choice through its first.
const uint32_t kRadioGroups[][3] = {{33095, 33096, 0}, {33105, 33106, 33107}, {33098, 33099, 33100}};

uint16_t Held(uint32_t v) { return static_cast<uint16_t>(v > kProgramCountMax ? kProgramCountMax : v); }

}  // namespace

void ProgramPrintRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    for (int i = 0; i < page.controlCount; i++) {
        ControlState& c = page.control[i];
        if (c.id == kSlipSheetTray) {
            FillTrayList(c, s.env, 2, s.dm.priv.tray_SlipSheet_ProgramPrint);
            c.enabled = c.enabled && s.dm.priv.slipSheet_ProgramPrint != 0;  // a source only for slip sheets
        }
        if (s.env.modelFS == 1)
            for (uint32_t id : kSlipSheetControls)
                if (c.id == id) c.visible = 0;
    }
    for (const auto& group : kRadioGroups) {
        int enabled = 1;
        for (uint32_t id : group)
            if (ControlState* c = FindControl(page, id)) enabled = enabled && c->enabled;
        for (uint32_t id : group)
            if (ControlState* c = FindControl(page, id)) c->enabled = enabled;
    }
}

void LoadProgramPrint(const PrivateSettings& p, ProgramPrintForm& form) {
    form = ProgramPrintForm{};
    for (int i = 0; i < kProgramRows; i++) {
        form.copies[i] = Held(p.copies_ProgramPrint[i]);
        form.sets[i] = Held(p.sets_ProgramPrint[i]);
    }
}

void StoreProgramPrint(const ProgramPrintForm& form, PrivateSettings& p) {
    for (int i = 0; i < kProgramRows; i++) {
        p.copies_ProgramPrint[i] = Held(form.copies[i]);
        p.sets_ProgramPrint[i] = Held(form.sets[i]);
    }
}

uint16_t ParseProgramCount(const char16_t* text) {
    uint32_t v = 0;
    for (int i = 0; text && text[i]; i++)
        if (text[i] >= u'0' && text[i] <= u'9') {
            v = v * 10 + (text[i] - u'0');
            if (v > kProgramCountMax) v = kProgramCountMax;
        }
    return static_cast<uint16_t>(v);
}

int ProgramPrintTop(int position) {
    const int last = kProgramRows - kProgramRowsShown;
    return position < 0 ? 0 : position > last ? last : position;
}
