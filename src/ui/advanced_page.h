// The Advanced tab's own rules over the page model: what the model hides
// (carbon copy on models with their own feeder rules), what the name edits
// and dialog buttons enable, the summary texts, the questions its changes ask
// (form overlay, program print, skipping blank pages, carbon copy), the
// writes that follow a change (print speed, reverse order), and the input
// check of its text edits.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kAdvancedLayout = 30700;

// Run last in the refresh of 30700.
void AdvancedPageRules(const PageInput& in, PageState& page);

int AdvancedChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void AdvancedChangeFollows(PageInput& in, uint32_t control, uint32_t value);

// The input check of the page's edits on the terminated text: owner name,
// job name and comment lose the characters a name may not hold, the password
// keeps only the letters A to Z, a to z and the digits. Returns 1 when it
// removed any: text holds the rest, *caret (may be null) moves back by the
// characters removed before it and *warning (may be null) is the string to
// show. 0 for other controls and clean texts.
int FilterAdvancedText(uint32_t control, char16_t* text, int* caret, uint32_t* warning);
