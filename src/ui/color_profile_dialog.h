// The colour-profile dialog of the Image tab over the page model: the profile
// list (automatic, not used, then the printer's stored profiles), the job's
// profile found by its stored name, the intent and ink limit that only a
// profile of the printer's uses, and the name a choice stores.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kColorProfileDialog = 32200;

// Run last in the refresh of 32200.
void ColorProfileRules(const PageInput& in, PageState& page);
// A choice in the profile list (item values: 0 automatic, 1 not used,
// kProfileItemBase + slot): its name into fileName_ColorProfile. 1 when
// written, 0 for another control or a slot the lists do not hold.
int ChangeColorProfile(PageInput& in, uint32_t control, uint32_t value);
// The number of profiles the printer's lists hold (non-empty names in order).
int ColorProfileCount(const RetrievalTargets* lists);
