// Text that is too wide for its place loses its beginning behind "...", so
// that the end of a long path (the file name) stays visible.
#pragma once
#include <cstdint>

constexpr uint32_t kFitTextFormat = 0x10000000;  // the drawing format bit that asks for fitting

// The width the text would take when drawn (extent and the last character's overhang).
using MeasureTextFn = int (*)(const char16_t* text, int length, void* context);

// Writes into out (room characters, terminated) the text as it is drawn in
// width: the text itself when it fits, else "..." followed by its tail with
// the leading characters dropped one at a time until it fits ("..." alone when
// nothing does). Returns the length written.
int FitTextToWidth(const char16_t* text, int length, int width, MeasureTextFn measure, void* context, char16_t* out,
                   int room);
