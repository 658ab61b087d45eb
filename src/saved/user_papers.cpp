#include "saved/user_papers.h"

#include <cstdio>
#include <cstring>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"
#include "session/model_forms.h"

namespace {

void RecordValueName(int slot, char16_t out[24]) {
    char value[24];
    std::snprintf(value, sizeof value, "CustomPaperSize_%d", slot);
    int i = 0;
    for (; value[i]; i++) out[i] = static_cast<char16_t>(value[i]);
    out[i] = 0;
}

int SlotUsed(const UserPaperNames* names, int slot) {
    return names && slot >= 0 && slot < kUserPaperSlots && names->slot[slot][0] != 0;
}

uint32_t ToDots(uint32_t value, uint32_t unit) {
    if (unit == kUserPaperInches) return value * 3;
    return static_cast<uint32_t>((static_cast<uint64_t>(value) * 300 + 127) / 254);
}

}  // namespace

UserPaperRecord MakeUserPaper(uint32_t width, uint32_t length, uint32_t unit, const char16_t* name) {
    UserPaperRecord r;
    std::memset(&r, 0, sizeof r);
    r.unit = unit == kUserPaperInches ? kUserPaperInches : kUserPaperMillimetres;
    r.width = width;
    r.length = length;
    r.widthDots = ToDots(width, r.unit);
    r.lengthDots = ToDots(length, r.unit);
    Text16Copy(r.name, kUserPaperNameChars + 1, name ? name : u"");
    return r;
}

uint32_t DotsToTenthMillimetres(uint32_t dots) {
    return static_cast<uint32_t>((static_cast<uint64_t>(dots) * 254 + 150) / 300);
}

void LoadPaperNames(PrinterHandle printer, UserPaperNames* names) {
    if (!names) return;
    std::memset(names, 0, sizeof *names);
    uint32_t type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, u"CustomPaperSizeNames", &type, names, sizeof *names, &needed) != kErrSuccess)
        std::memset(names, 0, sizeof *names);
    for (auto& slot : names->slot) slot[kUserPaperNameChars] = 0;
}

int SavePaperNames(PrinterHandle printer, const UserPaperNames* names) {
    if (!names) return 0;
    return Spool().SetPrinterData(printer, u"CustomPaperSizeNames", kRegBinary, names, sizeof *names) == kErrSuccess;
}

int CountPapers(const UserPaperNames* names) {
    int n = 0;
    for (int i = 0; i < kUserPaperSlots; i++) n += SlotUsed(names, i);
    return n;
}

int GetPaperName(const UserPaperNames* names, int slot, char16_t* out) {
    if (!SlotUsed(names, slot) || !out) return 0;
    Text16Copy(out, kUserPaperNameChars + 1, names->slot[slot]);
    return 1;
}

int ReadPaper(PrinterHandle printer, const UserPaperNames* names, int slot, UserPaperRecord* out) {
    if (!SlotUsed(names, slot) || !out) return 0;
    std::memset(out, 0, sizeof *out);
    char16_t value[24];
    RecordValueName(slot, value);
    uint32_t type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, value, &type, out, sizeof *out, &needed) != kErrSuccess ||
        needed != sizeof *out) {
        std::memset(out, 0, sizeof *out);
        return 0;
    }
    out->name[kUserPaperNameChars] = 0;
    return 1;
}

int RegisterPaper(PrinterHandle printer, UserPaperNames* names, const UserPaperRecord& paper) {
    UserPaperNames own;
    if (!names) {
        LoadPaperNames(printer, &own);
        names = &own;
    }
    UserPaperRecord record = paper;
    record.name[kUserPaperNameChars] = 0;
    if (!record.name[0]) return -1;
    int slot = -1;
    for (int i = 0; i < kUserPaperSlots && slot < 0; i++)
        if (SlotUsed(names, i) && Text16Compare(names->slot[i], record.name, kUserPaperNameChars + 1) == 0) slot = i;
    const int isNew = slot < 0;
    for (int i = 0; i < kUserPaperSlots && slot < 0; i++)
        if (!SlotUsed(names, i)) slot = i;
    if (slot < 0) return -1;

    char16_t value[24];
    RecordValueName(slot, value);
    if (Spool().SetPrinterData(printer, value, kRegBinary, &record, sizeof record) != kErrSuccess) return -1;
    if (!isNew) return slot;
    Text16Copy(names->slot[slot], kUserPaperNameChars + 1, record.name);
    if (!SavePaperNames(printer, names)) {
        // The name never reached the table: take the record back out too.
        names->slot[slot][0] = 0;
        Spool().DeletePrinterData(printer, value);
        DrvLog(nullptr, "RegisterPaper : the name table was refused, slot %d left empty\n", slot);
        return -1;
    }
    return slot;
}

int DeletePaper(PrinterHandle printer, UserPaperNames* names, int slot) {
    if (!SlotUsed(names, slot)) return 0;
    char16_t value[24];
    RecordValueName(slot, value);
    Spool().DeletePrinterData(printer, value);
    std::memset(names->slot[slot], 0, sizeof names->slot[slot]);
    SavePaperNames(printer, names);
    return 1;
}

int EnumeratePapers(PrinterHandle printer, UserPaper out[kUserPaperSlots]) { return ReadUserPapers(printer, out); }

int RegisterUserPaperForms(PrinterHandle printer, SetFormFn setForm) {
    UserPaperNames names;
    LoadPaperNames(printer, &names);
    int failed = 0;
    for (int slot = 0; slot < kUserPaperSlots; slot++) {
        UserPaperRecord r;
        if (!ReadPaper(printer, &names, slot, &r)) continue;
        FormInfo form;
        form.flags = kFormFlagPrinter;
        form.name = names.slot[slot];
        form.width = form.right = static_cast<int32_t>(DotsToTenthMillimetres(r.widthDots)) * 100;
        form.height = form.bottom = static_cast<int32_t>(DotsToTenthMillimetres(r.lengthDots)) * 100;
        if (!Spool().AddForm(printer, form) && !(setForm && setForm(printer, form))) failed++;
    }
    return failed;
}
