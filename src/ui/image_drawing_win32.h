// Pictures of the resource module (type 256, PNG or BMP files) decoded with
// GDI+ into top-down DIB sections of 24 or 32 bits, and their drawing: a
// colour key (pure red) for 24-bit pictures, per-pixel alpha for 32-bit
// ones. Nothing is cached: a caller loads a picture, draws it and deletes it.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// 1 starts GDI+ (once per process; it stays up until the process ends, as a
// driver cannot know when the last sheet of its host closes); 0 does nothing.
void StartImaging(int start);

// The picture as a DIB section, or null when it is missing, does not decode
// or is neither 24-bit RGB nor 32-bit ARGB.
HBITMAP LoadResImage(HMODULE module, uint16_t id);

// The picture's top-left width x height part at x, y. A 24-bit picture's key
// pixels are blacked out in the picture itself on the way, so a picture is
// drawn once. 1 when drawn; 0 for an unreadable bitmap (logged) or another
// depth.
int DrawBitmapTransparent(HDC dc, HBITMAP picture, int x, int y, int width, int height);

// The disabled look of a 136 x 136 favourite picture at (6, 13): 32-bit
// pictures in grey, 24-bit ones as they are. 1 when drawn.
int DrawBitmapGreyed(HDC dc, HBITMAP picture);

// A picture static: the picture at the item's top-left corner at its own
// size, the control resized to the picture.
void DrawResImageStatic(HMODULE module, const DRAWITEMSTRUCT* item, uint16_t id);

// An etched line along the item's top; the control kept 2 pixels high.
void DrawSeparator(const DRAWITEMSTRUCT* item);

// The picture's size; 0 when its header cannot be read.
int PictureSize(HBITMAP picture, SIZE* size);
