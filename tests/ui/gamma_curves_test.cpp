// The gamma preview's curves against values worked out by hand: the power
// laws, the measured contrast rows and the rows between them, the look-up
// table in both modes, the chroma stretch with its clamping, byte order and
// the depths the bitmap call takes.
#include <gtest/gtest.h>

#include <vector>

#include "ui/gamma_curves.h"

namespace {

TEST(GammaCurves, ToneRowsByHand) {
    const struct {
        uint8_t (*tone)(int, uint8_t);
        int p;
        uint8_t in, out;
    } rows[] = {
        {LightnessTone, 25, 1, 48},    // 255 (1/255)^0.3 = 48.4
        {LightnessTone, -25, 248, 241},  // 248^2 / 255 = 241.2
        {LightnessTone, 40, 1, 48},      // held to +25
        {ChannelTone, -25, 128, 16},     // 128^4 / 255^3 = 16.2
        {ChannelTone, 10, 200, 218},     // 255 (200/255)^0.64 = 218.3
        // Between the samples of the measured rows, and between the rows.
        {ContrastTone, 25, 250, 255},   // 254 + 10/15
        {ContrastTone, -25, 24, 38},    // half way from 26 to 50
        {ContrastTone, 13, 128, 129},   // half way from step 1 (128) to 25 (129)
        {ContrastTone, -13, 16, 22},    // half way from 18 to 26
        {ContrastTone, 0, 77, 77},
    };
    for (const auto& r : rows) EXPECT_EQ(r.out, r.tone(r.p, r.in)) << r.p << " " << int(r.in);
}

TEST(GammaCurves, ContrastRowsRiseAndKeepTheEnds) {
    for (int p = -25; p <= 25; p++) {
        EXPECT_EQ(0, ContrastTone(p, 0)) << p;
        EXPECT_EQ(255, ContrastTone(p, 255)) << p;
        for (int v = 1; v < 256; v++) ASSERT_LE(ContrastTone(p, uint8_t(v - 1)), ContrastTone(p, uint8_t(v))) << p;
    }
}

TEST(GammaCurves, ZeroValuesChangeNoPixel) {
    std::vector<uint8_t> src(4 * 64), dst(src.size());
    for (size_t i = 0; i < src.size(); i++) src[i] = uint8_t(i * 37 + 11);
    for (uint16_t mode : {kGammaColor, kGammaMono})
        for (int bits : {8, 24, 32}) {
            std::fill(dst.begin(), dst.end(), 0);
            int width = 64 / (bits / 8);
            ASSERT_EQ(1, ApplyGamma(dst.data(), src.data(), width, bits, 64, 4, GammaParams{mode, 0, 0, 0, 0, 0, 0}));
            for (size_t i = 0; i < dst.size(); i++) {
                int inPixel = int(i % 64) < width * (bits / 8) && (bits != 32 || i % 4 != 3);
                ASSERT_EQ(inPixel ? src[i] : 0, dst[i]) << mode << " " << bits << " " << i;
            }
        }
}

TEST(GammaCurves, PixelsByHand) {
    const struct {
        const char* what;
        GammaParams params;
        int bgr;
        std::vector<uint8_t> in, out;  // one 32-bit pixel; the fourth byte stays
    } rows[] = {
        {"chroma -25 pulls red to grey", {kGammaColor, 0, -25, 0, 0, 0, 0}, 1, {0, 0, 255, 9}, {64, 64, 127, 0xEE}},
        {"chroma +25 stretches", {kGammaColor, 0, 25, 0, 0, 0, 0}, 1, {100, 150, 200, 0}, {63, 150, 237, 0xEE}},
        {"chroma +25 clamps", {kGammaColor, 0, 25, 0, 0, 0, 0}, 1, {0, 0, 255, 0}, {0, 0, 255, 0xEE}},
        {"red -25, BGR", {kGammaColor, 0, 0, 0, -25, 0, 0}, 1, {128, 128, 128, 0}, {128, 128, 16, 0xEE}},
        {"red -25, RGB", {kGammaColor, 0, 0, 0, -25, 0, 0}, 0, {128, 128, 128, 0}, {16, 128, 128, 0xEE}},
        {"mono lightness then contrast", {kGammaMono, 25, 0, 25, 0, 0, 0}, 1, {1, 1, 1, 0}, {7, 7, 7, 0xEE}},
        {"mono ignores the colour values", {kGammaMono, 0, 25, 0, -25, -25, -25}, 1, {128, 60, 9, 0}, {128, 60, 9, 0xEE}},
    };
    for (const auto& r : rows) {
        uint8_t lut[kGammaLutBytes];
        GammaParams p = ClampGammaParams(r.params);
        BuildGammaLut(p, lut);
        std::vector<uint8_t> out(4, 0xEE);
        ApplyGammaRow(out.data(), r.in.data(), 32, 1, r.bgr, lut, p);
        EXPECT_EQ(r.out, out) << r.what;
    }
}

TEST(GammaCurves, DepthsAndModes) {
    const uint8_t grey[3] = {1, 128, 200};
    uint8_t out[3] = {};
    // An 8-bit row goes through the table in monochrome only.
    EXPECT_EQ(1, ApplyMonoGamma(out, grey, 3, 8, 3, 1, 25, 0));
    EXPECT_EQ((std::vector<uint8_t>{48, LightnessTone(25, 128), LightnessTone(25, 200)}), std::vector<uint8_t>(out, out + 3));
    EXPECT_EQ(1, ApplyColorGamma(out, grey, 3, 8, 3, 1, 25, 0, 0, 0, 0, 0));
    EXPECT_EQ(std::vector<uint8_t>(grey, grey + 3), std::vector<uint8_t>(out, out + 3));
    // Other depths, and a stride too short for the width, are refused untouched.
    uint8_t keep[8] = {5, 5, 5, 5, 5, 5, 5, 5};
    EXPECT_EQ(0, ApplyMonoGamma(keep, grey, 1, 16, 2, 1, 25, 0));
    EXPECT_EQ(0, ApplyMonoGamma(keep, grey, 3, 24, 8, 1, 25, 0));
    EXPECT_EQ(0, ApplyGamma(nullptr, grey, 1, 24, 3, 1, GammaParams{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(8, 5), std::vector<uint8_t>(keep, keep + 8));
    EXPECT_EQ(250, ChromaFactor(-25));
    EXPECT_EQ(1750, ChromaFactor(99));
}

}  // namespace
