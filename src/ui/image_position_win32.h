// The image-position dialog's controls over its portable form: four numeric
// spin edits in the unit of length, their unit and range texts, the reset
// buttons and the two arrow pictures.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <cstdint>

#include "base/session.h"
#include "ui/image_position.h"

constexpr uint16_t kImagePositionDialog = 32000;

// Fills the controls from the session's settings (edits and spins bound, the
// values shown without being taken back as changes).
void InitImagePosition(HWND dlg, const PrinterSession& s, ImagePositionForm& form, HMODULE resources,
                       uint16_t language);
// An edit's change or a reset button: the form and the settings follow, and
// an arrow whose direction changed is redrawn.
void ImagePositionCommand(HWND dlg, int id, UINT code, ImagePositionForm& form, PrivateSettings& p);
// Draws an arrow picture (1), or 0 for another control.
int DrawImagePositionArrow(HMODULE resources, const DRAWITEMSTRUCT* item, const ImagePositionForm& form);
