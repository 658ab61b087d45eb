// Filling one control's list from the source the controls table names for it
// (see page_model.h for the table and tray fills the pages share).
#pragma once
#include "rules/constraint_engine.h"
#include "ui/page_model.h"

// Items from the source, only those the results offer, the current value
// selected (-1 when not offered), enabled only with two items or more. The
// barcode-area list comes from lists (empty without).
void FillControlList(ControlState& c, const char* source, const PrinterSession& s, const ConstraintResult* results,
                     int count, const RetrievalTargets* lists = nullptr);
