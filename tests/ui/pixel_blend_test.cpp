// The picture arithmetic: alpha mixing, the greyed look, the colour key, the
// DIB row size, and the file dialog's filter list.
#include <gtest/gtest.h>

#include <cstring>

#include "ui/file_filter.h"
#include "ui/option_pictures.h"
#include "ui/pixel_blend.h"

namespace {

TEST(PixelBlend, ChannelMixing) {
    struct Row {
        uint8_t source, target, alpha, expected;
    } rows[] = {
        {0, 255, 128, 127},    // half-transparent black over white
        {255, 0, 128, 128},    // 128.5 truncates to 128
        {200, 100, 0, 100},    // transparent: the target stays
        {200, 100, 255, 200},  // opaque: the source replaces
        {255, 255, 254, 255},  // never past 255
        {10, 250, 64, 190},    // 10*64/255 + 250*191/255 + 0.5 = 190.26
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, BlendChannel(r.source, r.target, r.alpha))
            << int(r.source) << " over " << int(r.target) << " at " << int(r.alpha);
}

TEST(PixelBlend, PixelsKeepTheTargetAlphaAndMixEachColour) {
    // Blue, green, red, alpha.
    uint8_t target[8] = {255, 255, 255, 7, 10, 20, 30, 9};
    const uint8_t source[8] = {0, 0, 0, 128, 1, 2, 3, 0};
    BlendPixels(target, source, 2);
    const uint8_t expected[8] = {127, 127, 127, 7, 10, 20, 30, 9};
    EXPECT_EQ(0, std::memcmp(expected, target, 8));
}

TEST(PixelBlend, GreyLevels) {
    struct Row {
        uint8_t red, green, blue, expected;
    } rows[] = {
        {0, 0, 0, 40},
        {255, 255, 255, 240},  // 295 capped
        {0, 255, 0, 189},      // (4805*255)>>13 = 149, +40
        {255, 0, 0, 116},      // (2449*255)>>13 = 76, +40
        {0, 0, 255, 69},       // (938*255)>>13 = 29, +40
        {200, 200, 200, 240},  // 200 + 40 reaches the cap exactly: 240 stays
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, GreyLevel(r.red, r.green, r.blue)) << int(r.red) << "," << int(r.green) << ","
                                                                 << int(r.blue);
    // Greyed pixels mix their grey by their alpha: black at half over white.
    uint8_t target[4] = {255, 255, 255, 0};
    const uint8_t source[4] = {0, 0, 0, 128};
    GreyPixels(target, source, 1);
    EXPECT_EQ(BlendChannel(40, 255, 128), target[0]);
    EXPECT_EQ(target[0], target[2]);
}

TEST(PixelBlend, ColourKeyIsPureRedOnly) {
    EXPECT_TRUE(IsColourKey(255, 0, 0));
    EXPECT_FALSE(IsColourKey(254, 0, 0));
    EXPECT_FALSE(IsColourKey(255, 1, 0));
    EXPECT_FALSE(IsColourKey(255, 0, 1));
}

TEST(PixelBlend, DibRowsArePaddedToFourBytes) {
    struct Row {
        uint32_t bits, width, stride;
    } rows[] = {{24, 1, 4}, {24, 32, 96}, {24, 33, 100}, {32, 7, 28}, {1, 33, 8}};
    for (const Row& r : rows) EXPECT_EQ(r.stride, DibStride(r.bits, r.width)) << r.bits << "x" << r.width;
}

TEST(FileFilter, LastCharacterSeparatesAndEndsTheList) {
    char16_t text[32] = u"Print (*.prn)|*.prn|All|*.*|";
    FilterSeparatorsToNul(text);
    const char16_t expected[] = u"Print (*.prn)\0*.prn\0All\0*.*\0";  // and the array's own NUL: two at the end
    EXPECT_EQ(0, std::memcmp(expected, text, sizeof expected));

    // Another separator; a "|" inside then stays.
    char16_t other[16] = u"A|B#*.b#";
    FilterSeparatorsToNul(other);
    EXPECT_EQ(0, std::memcmp(u"A|B\0*.b\0", other, sizeof u"A|B\0*.b\0"));

    char16_t empty[2] = u"";
    FilterSeparatorsToNul(empty);
    FilterSeparatorsToNul(nullptr);
    EXPECT_EQ(0, empty[0]);
}

TEST(OptionPictures, LayoutChoicesFollowTheOrientation) {
    EXPECT_EQ(11760, OptionPicture(30211, 0, 0));
    EXPECT_EQ(11772, OptionPicture(30213, 3, 1));
    EXPECT_EQ(11819, OptionPicture(30411, 21, 0));
    EXPECT_EQ(11809, OptionPicture(30411, 21, 1));
    EXPECT_EQ(0, OptionPicture(30514, 0, 0));  // "none" shows no picture
    EXPECT_EQ(0, OptionPicture(30223, 9, 0));  // not a picture combo
}

}  // namespace
