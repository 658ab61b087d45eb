// The gamma preview's tone curves. The lightness and channel rows follow
// their power laws; the contrast rows are drawn through four measured rows
// (the strongest and the weakest step each way, sampled every 16 inputs),
// straight between the samples, and the rows between the weakest and the
// strongest step are blended by their step.
#include "ui/gamma_curves.h"

#include <cmath>
#include <cstring>

#include "diagnostics/memory_tracker.h"

namespace {

constexpr int kRows = 2 * kGammaLimit + 1;
constexpr int kSamples = 17;  // inputs 0, 16 ... 240, and 255

// Contrast at the inputs 0, 16 ... 240, 255 for steps +25, +1, -1, -25.
constexpr uint8_t kStrongUp[kSamples] = {0, 1, 3, 7, 17, 33, 58, 91, 129, 166, 199, 223, 239, 248, 252, 254, 255};
constexpr uint8_t kWeakUp[kSamples] = {0, 15, 30, 46, 62, 78, 95, 112, 128, 145, 162, 179, 195, 211, 227, 242, 255};
constexpr uint8_t kWeakDown[kSamples] = {0, 18, 35, 52, 70, 87, 104, 121, 128, 136, 153, 170, 188, 205, 222, 239, 255};
constexpr uint8_t kStrongDown[kSamples] = {0, 26, 50, 73, 94, 111, 123, 128, 128, 129, 134, 146, 164, 185, 208, 232,
                                           255};

struct ToneTables {
    uint8_t lightness[kRows][256];
    uint8_t channel[kRows][256];
    uint8_t contrast[kRows][256];
};

uint8_t Power(int v, double g) { return static_cast<uint8_t>(std::lround(255.0 * std::pow(v / 255.0, g))); }

// A measured row at input v, straight between its samples.
double Sampled(const uint8_t* row, int v) {
    int at = v >= 240 ? 15 : v / 16;
    int x0 = at * 16, x1 = at == 15 ? 255 : x0 + 16;
    return row[at] + (row[at + 1] - row[at]) * double(v - x0) / double(x1 - x0);
}

ToneTables BuildTables() {
    ToneTables t{};
    for (int r = 0; r < kRows; r++) {
        int p = r - kGammaLimit;
        double light = p < 0 ? 1.0 - 0.04 * p : 1.0 - 0.028 * p;
        double channel = p < 0 ? 1.0 - 0.12 * p : 1.0 - 0.036 * p;
        const uint8_t* weak = p < 0 ? kWeakDown : kWeakUp;
        const uint8_t* strong = p < 0 ? kStrongDown : kStrongUp;
        double share = p == 0 ? 0.0 : (std::abs(p) - 1) / double(kGammaLimit - 1);
        for (int v = 0; v < 256; v++) {
            t.lightness[r][v] = Power(v, light);
            t.channel[r][v] = Power(v, channel);
            if (p == 0) {
                t.contrast[r][v] = static_cast<uint8_t>(v);
                continue;
            }
            double a = Sampled(weak, v), b = Sampled(strong, v);
            t.contrast[r][v] = static_cast<uint8_t>(std::lround(a + (b - a) * share));
        }
    }
    return t;
}

const ToneTables& Tables() {
    static const ToneTables tables = BuildTables();
    return tables;
}

int Row(int p) { return (p < -kGammaLimit ? -kGammaLimit : p > kGammaLimit ? kGammaLimit : p) + kGammaLimit; }

uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

int16_t Limit(int v) { return static_cast<int16_t>(v < -kGammaLimit ? -kGammaLimit : v > kGammaLimit ? kGammaLimit : v); }

}  // namespace

uint8_t LightnessTone(int p, uint8_t v) { return Tables().lightness[Row(p)][v]; }
uint8_t ChannelTone(int p, uint8_t v) { return Tables().channel[Row(p)][v]; }
uint8_t ContrastTone(int p, uint8_t v) { return Tables().contrast[Row(p)][v]; }
int ChromaFactor(int c) { return 1000 + 30 * Limit(c); }

GammaParams ClampGammaParams(GammaParams p) {
    GammaParams out{};
    out.mode = p.mode == kGammaMono ? kGammaMono : kGammaColor;
    out.lightness = Limit(p.lightness);
    out.contrast = Limit(p.contrast);
    if (out.mode == kGammaColor) {
        out.chroma = Limit(p.chroma);
        out.red = Limit(p.red);
        out.green = Limit(p.green);
        out.blue = Limit(p.blue);
    }
    return out;
}

void BuildGammaLut(const GammaParams& params, uint8_t lut[kGammaLutBytes]) {
    GammaParams p = ClampGammaParams(params);
    const ToneTables& t = Tables();
    const uint8_t* light = t.lightness[Row(p.lightness)];
    const uint8_t* contrast = t.contrast[Row(p.contrast)];
    std::memset(lut, 0, kGammaLutBytes);
    const int channels[3] = {p.red, p.green, p.blue};
    for (int c = 0; c < 3; c++) {
        const uint8_t* channel = t.channel[Row(channels[c])];
        for (int v = 0; v < 256; v++)
            lut[c * 256 + v] = p.mode == kGammaMono ? contrast[light[v]] : contrast[light[channel[v]]];
    }
}

void ApplyGammaRow(uint8_t* dst, const uint8_t* src, int bitsPerPixel, int count, int bgr,
                   const uint8_t lut[kGammaLutBytes], const GammaParams& params) {
    if (!dst || !src || count <= 0) return;
    int mono = params.mode == kGammaMono;
    if (bitsPerPixel == 8) {
        for (int i = 0; i < count; i++) dst[i] = mono ? lut[512 + src[i]] : src[i];
        return;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
    int step = bitsPerPixel / 8;
    // Byte 0 goes through the blue row in BGR order, through the red one else.
    const uint8_t* row0 = lut + (bgr ? 512 : 0);
    const uint8_t* row2 = lut + (bgr ? 0 : 512);
    int k = ChromaFactor(params.chroma);
    for (int i = 0; i < count; i++) {
        const uint8_t* s = src + i * step;
        uint8_t* d = dst + i * step;
        int x0 = row0[s[0]], x1 = lut[256 + s[1]], x2 = row2[s[2]];
        if (!mono) {
            int m = (x0 + x1 + x2) / 3;
            x0 = Clamp(m + (x0 - m) * k / 1000);
            x1 = Clamp(m + (x1 - m) * k / 1000);
            x2 = Clamp(m + (x2 - m) * k / 1000);
        }
        d[0] = static_cast<uint8_t>(x0);
        d[1] = static_cast<uint8_t>(x1);
        d[2] = static_cast<uint8_t>(x2);
    }
}

int ApplyGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
               const GammaParams& params) {
    if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) return 0;
    if (!dst || !src || width < 0 || rows < 0 || int64_t(width) * (bitsPerPixel / 8) > stride) return 0;
    auto* lut = static_cast<uint8_t*>(TRACK_ALLOC(kGammaLutBytes));
    if (!lut) return 0;
    GammaParams p = ClampGammaParams(params);
    BuildGammaLut(p, lut);
    for (int y = 0; y < rows; y++)
        ApplyGammaRow(dst + int64_t(y) * stride, src + int64_t(y) * stride, bitsPerPixel, width, 1, lut, p);
    TrackFree(lut);
    return 1;
}

int ApplyColorGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
                    int lightness, int chroma, int contrast, int red, int green, int blue) {
    GammaParams p{kGammaColor, Limit(lightness), Limit(chroma), Limit(contrast), Limit(red), Limit(green), Limit(blue)};
    return ApplyGamma(dst, src, width, bitsPerPixel, stride, rows, p);
}

int ApplyMonoGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
                   int lightness, int contrast) {
    GammaParams p{kGammaMono, Limit(lightness), 0, Limit(contrast), 0, 0, 0};
    return ApplyGamma(dst, src, width, bitsPerPixel, stride, rows, p);
}
