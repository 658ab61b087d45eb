// The carbon-copy dialog's form: the printer's paper sources in the order
// the job takes them for its copies, moved one place at a time, and the
// order stored as up to four tray ids (0 after the last); and the question
// its OK asks when staple or punch is still on beside carbon copy.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

constexpr uint16_t kCarbonCopyDialog = 34000;
constexpr int kCarbonTrayRoom = 4;

struct TrayPriorityForm {
    int count;
    uint16_t tray[kCarbonTrayRoom];
};

// The job's order first (trays the printer lists, each once), then the
// printer's other paper sources in list order; the automatic source and the
// cover inserter are not paper sources for copies.
void LoadTrayPriority(const PrinterSession& s, TrayPriorityForm& form);
// Moves the tray at index one place up (step -1) or down (+1); returns its
// new index, the same at either end or for an index outside the list.
int MoveTrayPriority(TrayPriorityForm& form, int index, int step);
void StoreTrayPriority(const TrayPriorityForm& form, PrivateSettings& p);

// Carbon copy on with staple or punch still on (a job or favourite brought
// in that way): the question the dialog's OK asks, naming what is on (21042
// both, else 21039 to 21041) and what a Yes switches off (20516, 20517).
// 0 when nothing conflicts.
int CarbonCopyFinishingQuestion(const PrivateSettings& p, PageQuestion* question);
// Yes: staple and punch off; No: carbon copy off, the finishing kept.
void AnswerCarbonCopyFinishing(PrivateSettings& p, int yes);
