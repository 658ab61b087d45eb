// The image shift in both units. The unit the user types in is taken as
// typed; the other is rounded from it and kept inside its own range, so a
// value at the edge of one unit never stores out of range in the other.
#include "ui/image_position.h"

namespace {

constexpr int32_t kMmLimit = 2000, kInchLimit = 80;     // stored ranges
constexpr int32_t kShownMm = 200, kShownInch = 80;      // shown ranges (0.1 mm, 0.01 inch)

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }
int SignClass(int32_t v) { return v < 0 ? 0 : v == 0 ? 1 : 2; }

// By vertical sign class (rows) and horizontal sign class (columns).
constexpr uint16_t kArrows[3][3] = {{11754, 11748, 11753}, {11750, 11746, 11749}, {11752, 11747, 11751}};

}  // namespace

void LoadImagePosition(const PrivateSettings& p, int inches, ImagePositionForm& form) {
    form.inches = inches ? 1 : 0;
    form.low = inches ? -kShownInch : -kShownMm;
    form.high = inches ? kShownInch : kShownMm;
    form.mm[kFrontVertical] = p.verticalPosition_mm_FrontSide;
    form.mm[kFrontHorizontal] = p.horizontalPosition_mm_FrontSide;
    form.mm[kBackVertical] = p.verticalPosition_mm_BackSide;
    form.mm[kBackHorizontal] = p.horizontalPosition_mm_BackSide;
    form.inch[kFrontVertical] = p.verticalPosition_inch_FrontSide;
    form.inch[kFrontHorizontal] = p.horizontalPosition_inch_FrontSide;
    form.inch[kBackVertical] = p.verticalPosition_inch_BackSide;
    form.inch[kBackHorizontal] = p.horizontalPosition_inch_BackSide;
    // Stored values from outside are held to the ranges the dialog keeps.
    for (int i = 0; i < kShiftCount; i++) {
        form.mm[i] = static_cast<int16_t>(Clamp(form.mm[i], -kMmLimit, kMmLimit));
        form.inch[i] = static_cast<int16_t>(Clamp(form.inch[i], -kInchLimit, kInchLimit));
    }
}

int32_t ShownImagePosition(const ImagePositionForm& form, int shift) {
    if (shift < 0 || shift >= kShiftCount) return 0;
    return form.inches ? form.inch[shift] : form.mm[shift] / 10;
}

int SetImagePosition(ImagePositionForm& form, int shift, int32_t shown) {
    if (shift < 0 || shift >= kShiftCount) return 0;
    int side = shift / 2;
    uint16_t before = ImagePositionArrow(form, side);
    int32_t v = Clamp(shown, form.low, form.high);
    if (form.inches) {
        form.inch[shift] = static_cast<int16_t>(v);
        form.mm[shift] = static_cast<int16_t>(Clamp((v * 254 + 5) / 10, -kMmLimit, kMmLimit));
    } else {
        form.mm[shift] = static_cast<int16_t>(v * 10);
        form.inch[shift] = static_cast<int16_t>(Clamp((v * 100 + 127) / 254, -kInchLimit, kInchLimit));
    }
    return ImagePositionArrow(form, side) != before;
}

void ResetImagePositionSide(ImagePositionForm& form, int side) {
    if (side < 0 || side > 1) return;
    for (int shift = side * 2; shift < side * 2 + 2; shift++) form.mm[shift] = form.inch[shift] = 0;
}

void StoreImagePosition(const ImagePositionForm& form, PrivateSettings& p) {
    p.verticalPosition_mm_FrontSide = form.mm[kFrontVertical];
    p.horizontalPosition_mm_FrontSide = form.mm[kFrontHorizontal];
    p.verticalPosition_mm_BackSide = form.mm[kBackVertical];
    p.horizontalPosition_mm_BackSide = form.mm[kBackHorizontal];
    p.verticalPosition_inch_FrontSide = form.inch[kFrontVertical];
    p.horizontalPosition_inch_FrontSide = form.inch[kFrontHorizontal];
    p.verticalPosition_inch_BackSide = form.inch[kBackVertical];
    p.horizontalPosition_inch_BackSide = form.inch[kBackHorizontal];
}

uint16_t ImagePositionArrow(const ImagePositionForm& form, int side) {
    if (side < 0 || side > 1) return 0;
    return kArrows[SignClass(form.mm[side * 2])][SignClass(form.mm[side * 2 + 1])];
}
