// The Layout tab's own rules over the page model: the 2-up words that follow
// the orientation, the dialog buttons that follow their check boxes, the
// summary texts, and the questions its layout choices ask.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kLayoutLayout = 30400;

// Run last in the refresh of 30400.
void LayoutPageRules(const PageInput& in, PageState& page);

// The words of a layout option as the combo shows them: the 2-up choices
// read differently on a landscape original.
uint32_t LayoutOptionName(uint32_t control, uint32_t value, int landscape);

// The page's questions (1 with question filled) and the writes that follow a
// written change (the rotation's angle).
int LayoutChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void LayoutChangeFollows(PageInput& in, uint32_t control, uint32_t value);
// A question that a Yes leads to: a booklet taken over other features may
// still propose the finishing that goes with it (1 with next filled).
int LayoutNextQuestion(const PageInput& in, const PageQuestion& answered, int yes, PageQuestion* next);
