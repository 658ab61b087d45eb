// The image-position dialog's values: the shift of the printed image on the
// front and back side, vertically and horizontally, held in 0.01 mm and in
// 0.01 inch. The dialog edits the unit of length the user works in (0.1 mm
// or 0.01 inch as shown) and derives the other, each inside its range.
#pragma once
#include <cstdint>

#include "base/private_settings.h"

enum ImageShift { kFrontVertical = 0, kFrontHorizontal = 1, kBackVertical = 2, kBackHorizontal = 3, kShiftCount = 4 };

struct ImagePositionForm {
    int inches;           // 1: shown in 0.01 inch, 0: in 0.1 mm
    int32_t low, high;    // the shown range
    int16_t mm[kShiftCount];    // 0.01 mm, -2000..2000
    int16_t inch[kShiftCount];  // 0.01 inch, -80..80
};

void LoadImagePosition(const PrivateSettings& p, int inches, ImagePositionForm& form);
inline int ImagePositionDecimals(const ImagePositionForm& form) { return form.inches ? 2 : 1; }
// The value an edit shows: the inch field, or the millimetre field in 0.1 mm
// (cut toward zero).
int32_t ShownImagePosition(const ImagePositionForm& form, int shift);
// A typed value (clamped to the shown range) into both fields. Returns 1 when
// the side's arrow changes with it.
int SetImagePosition(ImagePositionForm& form, int shift, int32_t shown);
// The side's two values to 0 (the reset button of side 0 front, 1 back).
void ResetImagePositionSide(ImagePositionForm& form, int side);
void StoreImagePosition(const ImagePositionForm& form, PrivateSettings& p);
// The arrow picture of a side (0 front, 1 back): the direction its
// millimetre values shift the image.
uint16_t ImagePositionArrow(const ImagePositionForm& form, int side);
