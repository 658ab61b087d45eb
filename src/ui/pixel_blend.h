// Pixel arithmetic of the picture drawing: alpha mixing, the greyed look,
// the colour key and the row size of a device-independent bitmap. Pixels
// are 4 bytes in blue, green, red, alpha order as GDI keeps them.
#pragma once
#include <cstdint>

// Pure red marks the transparent pixels of a 24-bit picture.
int IsColourKey(uint8_t red, uint8_t green, uint8_t blue);

// One colour channel of a source pixel of alpha a over a target: a 0 keeps
// the target, 255 takes the source, anything between mixes the two with
// +0.5 truncation, clamped to 0..255.
uint8_t BlendChannel(uint8_t source, uint8_t target, uint8_t alpha);

// count pixels of source over target, written into target (its alpha kept).
void BlendPixels(uint8_t* target, const uint8_t* source, int count);

// The grey a greyed picture shows for a colour, a light grey at most.
uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue);

// Greyed drawing: each visible source pixel replaced by its grey level,
// mixed by its alpha.
void GreyPixels(uint8_t* target, const uint8_t* source, int count);

// Bytes of one row of a DIB: rows are padded to 4 bytes.
uint32_t DibStride(uint32_t bitsPerPixel, uint32_t width);
