// The image shift typed in one unit and derived in the other, with both
// ranges, the reset and the arrow of each side.
#include <gtest/gtest.h>

#include "ui/image_position.h"

namespace {

TEST(ImagePosition, TypedValueInBothUnits) {
    const struct {
        int inches, shift;
        int32_t typed;
        int16_t inch, mm;
        int32_t shown;  // what the edit shows after
    } cases[] = {
        {1, kFrontVertical, 80, 80, 2000, 80},        // 2032 kept at the millimetre limit
        {1, kFrontHorizontal, -5, -5, -126, -5},      // (-1270 + 5) / 10 cut toward zero
        {1, kBackVertical, 95, 80, 2000, 80},         // typed beyond the range
        {0, kFrontVertical, 123, 48, 1230, 123},      // 12.3 mm: (12300 + 127) / 254
        {0, kBackHorizontal, -200, -78, -2000, -200}, // (-20000 + 127) / 254 cut toward zero
        {0, kFrontHorizontal, 250, 79, 2000, 200},    // clamped to 20.0 mm first
    };
    for (const auto& k : cases) {
        PrivateSettings p{};
        ImagePositionForm f;
        LoadImagePosition(p, k.inches, f);
        SetImagePosition(f, k.shift, k.typed);
        StoreImagePosition(f, p);
        ImagePositionForm back;
        LoadImagePosition(p, k.inches, back);
        EXPECT_EQ(k.inch, back.inch[k.shift]) << k.inches << " " << k.typed;
        EXPECT_EQ(k.mm, back.mm[k.shift]) << k.inches << " " << k.typed;
        EXPECT_EQ(k.shown, ShownImagePosition(back, k.shift)) << k.inches << " " << k.typed;
        for (int other = 0; other < kShiftCount; other++) {
            if (other == k.shift) continue;
            EXPECT_EQ(0, back.mm[other] | back.inch[other]);
        }
    }
}

TEST(ImagePosition, StoredValuesOutOfRangeAreHeld) {
    PrivateSettings p{};
    p.verticalPosition_mm_FrontSide = 3000;
    p.horizontalPosition_inch_BackSide = -120;
    ImagePositionForm f;
    LoadImagePosition(p, 0, f);
    EXPECT_EQ(200, ShownImagePosition(f, kFrontVertical));
    EXPECT_EQ(-80, f.inch[kBackHorizontal]);
}

TEST(ImagePosition, ArrowsFollowTheSignsOfEachSide) {
    const struct {
        int32_t vertical, horizontal;
        uint16_t arrow;
    } cases[] = {{-10, -10, 11754}, {-10, 0, 11748}, {-10, 10, 11753}, {0, -10, 11750}, {0, 0, 11746},
                 {0, 10, 11749},    {10, -10, 11752}, {10, 0, 11747}, {10, 10, 11751}};
    for (const auto& k : cases) {
        PrivateSettings p{};
        ImagePositionForm f;
        LoadImagePosition(p, 0, f);
        int changed = SetImagePosition(f, kBackVertical, k.vertical);
        changed |= SetImagePosition(f, kBackHorizontal, k.horizontal);
        EXPECT_EQ(k.arrow, ImagePositionArrow(f, 1)) << k.vertical << " " << k.horizontal;
        EXPECT_EQ(k.arrow != 11746, changed);
        EXPECT_EQ(11746, ImagePositionArrow(f, 0));  // the front stays
        ResetImagePositionSide(f, 1);
        EXPECT_EQ(11746, ImagePositionArrow(f, 1));
        EXPECT_EQ(0, f.inch[kBackVertical] | f.inch[kBackHorizontal]);
    }
}

}  // namespace
