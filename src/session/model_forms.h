// The model's own paper sizes as spooler forms: installation adds them so
// that applications find each paper by name among the printer's forms.
#pragma once
#include <cstdint>

#include "session/global_list.h"
#include "platform/platform.h"

constexpr uint32_t kFormFlagPrinter = 2;  // a form the printer defines

// Adds a form for every paper of the model's list (of the whole built-in
// table when model is null or lists none) whose id is above 256 and that the
// built-in table knows: its name from the resource module in languageId, its
// size in thousandths of a millimetre, the whole sheet imageable. A paper
// whose name does not load is left out; the spooler's refusals (a form that
// exists already) are ignored. Returns the number of forms added.
int RegisterModelForms(PrinterHandle printer, const ModelListInfo* model, uint32_t languageId);
