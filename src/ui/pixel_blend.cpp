#include "ui/pixel_blend.h"

int IsColourKey(uint8_t red, uint8_t green, uint8_t blue) { return red == 255 && green == 0 && blue == 0; }

uint8_t BlendChannel(uint8_t source, uint8_t target, uint8_t alpha) {
    if (alpha == 0) return target;
    if (alpha == 255) return source;
    double a = alpha / 255.0;
    double v = source * a + target * (1.0 - a) + 0.5;
    if (v < 0) return 0;
    if (v > 255) return 255;
    return static_cast<uint8_t>(v);
}

void BlendPixels(uint8_t* target, const uint8_t* source, int count) {
    for (int i = 0; i < count; ++i, target += 4, source += 4)
        for (int c = 0; c < 3; ++c) target[c] = BlendChannel(source[c], target[c], source[3]);
}

uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue) {
    uint32_t grey = ((4805u * green + 2449u * red + 938u * blue) >> 13) + 40;
    return static_cast<uint8_t>(grey >= 241 ? 240 : grey);
}

void GreyPixels(uint8_t* target, const uint8_t* source, int count) {
    for (int i = 0; i < count; ++i, target += 4, source += 4) {
        uint8_t grey = GreyLevel(source[2], source[1], source[0]);
        for (int c = 0; c < 3; ++c) target[c] = BlendChannel(grey, target[c], source[3]);
    }
}

uint32_t DibStride(uint32_t bitsPerPixel, uint32_t width) { return (bitsPerPixel * width + 31) / 32 * 4; }
