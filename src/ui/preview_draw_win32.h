// The layered preview picture of the pages.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// The preview panel of a kind (0 main, 1 output strip) with the pictures in
// layer order, into an owner-drawn static; a picture that does not load is
// skipped.
void DrawPreview(HMODULE module, const DRAWITEMSTRUCT* item, const uint32_t* images, int count, int kind);
