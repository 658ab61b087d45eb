// The cover dialog's rules over the page model: the two cover trays from the
// list of purpose 3, each tray usable only with its cover, no back cover on a
// bound booklet, and the two preview pictures.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kCoverDialog = 32400;

// The picture of the front (front 1) or back cover for the settings and the
// tray chosen for that cover; 0 for none.
uint16_t CoverPreviewPicture(const PrivateSettings& p, int front);
// Run last in the refresh of 32400.
void CoverDialogRules(const PageInput& in, PageState& page);
