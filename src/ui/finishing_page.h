// The Finishing tab's own rules over the page model: which finisher features
// the output unit and the model show, the dialog buttons' enabling, the
// summary texts, the questions its changes ask and what a change brings with
// it (the fold side after the binding side, the output size after a
// finishing change, face-up after an output-tray change).
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kFinishingPage = 30500;

// The output units that carry the two finisher features.
constexpr uint8_t kMailMakingUnit = 23, kPerfectBindingUnit = 24;

// Run last in the refresh of 30500.
void FinishingPageRules(const PageInput& in, PageState& page);

// The page's questions (1 with question filled) and the writes that follow a
// written change or a Yes.
int FinishingChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void FinishingChangeFollows(PageInput& in, uint32_t control, uint32_t value);

// The fold's binding side (1 the long sides, 2 the top) for a binding side of
// the page (0 left, 1 top, 2 right).
inline uint8_t FoldSideOfBinding(uint32_t bindingSide) { return bindingSide == 1 ? 2 : 1; }

// The output size a booklet of the original is printed on: the sheet twice
// the original's size where the printer's paper list has it; 0 when none of
// the candidates fits (the output size then stays).
uint16_t BookletOutputSize(const PrinterSession& s, uint32_t originalSize);
