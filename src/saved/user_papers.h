// The printer's user-defined papers: a table of 99 named slots
// ("CustomPaperSizeNames") and one size record per used slot
// ("CustomPaperSize_<slot>"). A slot keeps its place (paper id 1000 + slot)
// when another is deleted. The name table is what counts: a record is
// written before its name, so a failure never leaves a name without a size.
#pragma once
#include <cstddef>
#include <cstdint>

#include "model/printer_data.h"
#include "platform/platform.h"
#include "session/global_list.h"

constexpr int kUserPaperNameChars = 30;
constexpr uint32_t kUserPaperMillimetres = 0;  // sizes in 0.1 mm
constexpr uint32_t kUserPaperInches = 1;       // sizes in 0.01 inch

struct UserPaperNames {
    char16_t slot[kUserPaperSlots][kUserPaperNameChars + 1];
};
static_assert(sizeof(UserPaperNames) == kCustomPaperNamesSize);

#pragma pack(push, 1)
struct UserPaperRecord {
    uint32_t width;        // in the record's unit
    uint32_t length;
    uint32_t widthDots;    // 1/300 inch
    uint32_t lengthDots;
    uint32_t unit;         // kUserPaperMillimetres or kUserPaperInches
    char16_t name[32];     // at most 30 characters, terminated, zero-filled
};
#pragma pack(pop)
static_assert(sizeof(UserPaperRecord) == kCustomPaperSize);
static_assert(offsetof(UserPaperRecord, unit) == 16);
static_assert(offsetof(UserPaperRecord, name) == 20);

// A record of a size in unit (0.1 mm or 0.01 inch) with its 1/300-inch
// fields, the name cut to 30 characters.
UserPaperRecord MakeUserPaper(uint32_t width, uint32_t length, uint32_t unit, const char16_t* name);
// 1/300 inch to 0.1 mm, as the paper lists and the forms take them.
uint32_t DotsToTenthMillimetres(uint32_t dots);

// The name table (zero when absent or unreadable) and its write; 1/0.
void LoadPaperNames(PrinterHandle printer, UserPaperNames* names);
int SavePaperNames(PrinterHandle printer, const UserPaperNames* names);
int CountPapers(const UserPaperNames* names);
// 1 with the name (31 units) when slot is used.
int GetPaperName(const UserPaperNames* names, int slot, char16_t* out);
// 1 with the stored record when slot is used and its record reads whole.
int ReadPaper(PrinterHandle printer, const UserPaperNames* names, int slot, UserPaperRecord* out);
// The slot the paper now has, or -1: a paper of the same name (exact) is
// replaced in place, a new one takes the first empty slot; -1 when all 99
// are used or a write fails, and then neither the store nor names changed.
// names may be null: the stored table is loaded and written.
int RegisterPaper(PrinterHandle printer, UserPaperNames* names, const UserPaperRecord& paper);
// 1 when slot was used: its record deleted, the slot emptied, the table saved.
int DeletePaper(PrinterHandle printer, UserPaperNames* names, int slot);
// The papers as the paper lists take them (id 1000 + slot, 0.1 mm), slot
// order; their number.
int EnumeratePapers(PrinterHandle printer, UserPaper out[kUserPaperSlots]);

// Every used slot as a spooler form of the printer's server (thousandths of
// a millimetre in whole 0.1 mm, the sheet imageable): added, or, when the
// spooler refuses the add, updated through setForm (SetFormW in the DLL).
// Returns the number of forms that failed.
typedef int (*SetFormFn)(PrinterHandle printer, const FormInfo& form);
int RegisterUserPaperForms(PrinterHandle printer, SetFormFn setForm);
