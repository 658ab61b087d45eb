// The tone curves of the gamma-control preview: per-channel and lightness
// gamma rows, contrast rows, a 768-byte look-up table built from them, and
// its application to rows and bitmaps with the chroma stretch around each
// pixel's grey level. The job's data is never processed here: the curves
// only draw the dialog's sample picture.
#pragma once
#include <cstdint>

constexpr int kGammaLimit = 25;  // every value runs -25..+25
constexpr int kGammaLutBytes = 768;

#pragma pack(push, 1)
struct GammaParams {
    uint16_t mode;  // 0 colour, 1 monochrome
    int16_t lightness, chroma, contrast, red, green, blue;
};
#pragma pack(pop)
static_assert(sizeof(GammaParams) == 14);

enum GammaMode : uint16_t { kGammaColor = 0, kGammaMono = 1 };

// One output of the fixed rows: row parameter p (clamped to -25..+25), input v.
uint8_t LightnessTone(int p, uint8_t v);
uint8_t ChannelTone(int p, uint8_t v);
uint8_t ContrastTone(int p, uint8_t v);
// The chroma factor in thousandths: 1000 + 30 c.
int ChromaFactor(int c);

// Clamps every value to -25..+25; monochrome keeps only lightness and contrast.
GammaParams ClampGammaParams(GammaParams p);
// Red bytes 0..255, green 256..511, blue 512..767.
void BuildGammaLut(const GammaParams& params, uint8_t lut[kGammaLutBytes]);
// One row of count pixels of 8, 24 or 32 bits; bgr: byte 0 is blue.
void ApplyGammaRow(uint8_t* dst, const uint8_t* src, int bitsPerPixel, int count, int bgr,
                   const uint8_t lut[kGammaLutBytes], const GammaParams& params);
// A bitmap of rows rows of stride bytes, BGR order: 1, or 0 for another depth
// than 8, 24 or 32 bits, a stride too short for the width or no memory.
int ApplyGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
               const GammaParams& params);
int ApplyColorGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
                    int lightness, int chroma, int contrast, int red, int green, int blue);
int ApplyMonoGamma(uint8_t* dst, const uint8_t* src, int width, int bitsPerPixel, int stride, int rows,
                   int lightness, int contrast);
