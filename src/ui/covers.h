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
// The resource module's id of a cover picture: the preview's layers hold
// 12153..12160 there, so the back covers' pictures are kept 300 higher.
inline uint16_t CoverPictureResource(uint16_t picture) {
    return picture >= 12153 && picture <= 12160 ? static_cast<uint16_t>(picture + 300) : picture;
}
// Run last in the refresh of 32400.
void CoverDialogRules(const PageInput& in, PageState& page);
// OK takes the boxes as shown: a bound booklet has no back cover.
void StoreCoverDialog(PrivateSettings& p);
