// Drawing the pages' pictures: a picture of the resource module as a DIB
// section, drawn with its colour key or alpha, and the layered preview.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// The picture (resource type 256, a 24- or 32-bit BMP file) as a top-down DIB
// section, or null when it is missing or of another format. The caller
// deletes it.
HBITMAP LoadResImage(HMODULE module, uint16_t id);
// 24 bits: pure red is transparent; 32 bits: mixed by alpha. 1 if drawn.
int DrawBitmapTransparent(HDC dc, HBITMAP picture, int x, int y, int width, int height);
// The preview panel of a kind (0 main, 1 output strip) with the pictures in
// layer order, into an owner-drawn static; a picture that does not load is
// skipped.
void DrawPreview(HMODULE module, const DRAWITEMSTRUCT* item, const uint32_t* images, int count, int kind);
