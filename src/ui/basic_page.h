// The Basic tab's own rules over the page model: what the model's flags hide
// or grey, the summary texts, the questions its changes ask and what a change
// brings with it, and the orientation the engine sees for layouts that turn
// the sheet.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kBasicLayout = 30200;  // 30203 has the same controls

// Run last in the refresh of 30200 and 30203.
void BasicPageRules(const PageInput& in, PageState& page);

// 1 when the page's layout turns the sheet (two or eight pages a sheet, a
// poster of two or eight): the engine then sees the orientation turned.
int BasicTurnsOrientation(const PrivateSettings& p);
inline uint32_t TurnedOrientation(uint32_t orientation) { return orientation == 1 ? 2 : 1; }

// The zoom summary, "(100%)", "( 75%)" or "(---%)", into out (at least 8).
void BasicZoomText(const PrivateSettings& p, char16_t* out);

// The page's questions (1 with question filled) and the writes that follow a
// written change (zoom, the two-sided value of mixed sizes).
int BasicChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void BasicChangeFollows(PageInput& in, uint32_t control, uint32_t value);

// The apply step of the page: the physical sizes of the original (a custom
// size without one gets A4) and of the output (outputWidth_mm and
// outputLength_mm, in 0.01 mm), then the printer's device rules. Returns 1;
// the sheet then writes back.
int BasicPageApply(PageInput& in);
