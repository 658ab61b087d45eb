// The program-print dialog: its table of programs (copies and sets of each),
// shown four rows at a time under a scroll bar, and its rules over the page
// model (the slip-sheet paper source, the slip-sheet choices hidden on
// single-tray models).
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kProgramPrintDialog = 33000;
constexpr int kProgramRows = 20;      // programs the table offers
constexpr int kProgramRowsShown = 4;  // rows on screen; the scroll bar runs 0..16
constexpr int kProgramCountMax = 9999;

struct ProgramPrintForm {
    int top;  // first row shown
    uint16_t copies[kProgramRows];
    uint16_t sets[kProgramRows];
};

// Run last in the refresh of 33000.
void ProgramPrintRules(const PageInput& in, PageState& page);

// The table from the job: each count held to 0..9999. A row without copies
// is unused; its sets count is kept.
void LoadProgramPrint(const PrivateSettings& p, ProgramPrintForm& form);
void StoreProgramPrint(const ProgramPrintForm& form, PrivateSettings& p);
// A typed count: the digits of text as a number held to 0..9999; 0 for none.
uint16_t ParseProgramCount(const char16_t* text);
// The first row shown after a scroll to position (held to 0..16).
int ProgramPrintTop(int position);
