// The watermark dialog's rules over the settings record, without windows:
// the effective text, the angle a rotation choice sets and the custom
// rotation and position that typing makes, the ranges every value is held
// to, the position list, and which text controls are usable.
#pragma once
#include <cstdint>

#include "base/private_settings.h"
#include "ui/watermark_texts.h"

constexpr uint8_t kWatermarkCustomRotation = 1;
constexpr uint8_t kWatermarkCustomPosition = 9;
constexpr int kBuiltinWatermarkTexts = 6;

// Each value held inside its range (size 1..600, transparency 25..100,
// angle 0..360, positions 0..100 percent); a style, frame, colour, rotation
// or position code outside its set falls back to the first of the set.
void ClampWatermark(PrivateSettings& p);

// A rotation choice: the code, and the angle it stands for (the custom
// rotation keeps the angle). Returns 0 for a code outside the set.
int ChooseWatermarkRotation(PrivateSettings& p, uint8_t rotation);
// A typed angle (clamped) makes the rotation custom, unless the dialog is
// still filling its controls.
void TypeWatermarkAngle(PrivateSettings& p, int32_t angle, int initialising);
// A typed X (axis 0) or Y (axis 1) percentage (clamped) makes the position custom.
void TypeWatermarkPosition(PrivateSettings& p, int axis, int32_t percent, int initialising);
// A point of the preview (x, y inside width by height) as the text's position.
void PointWatermarkPosition(PrivateSettings& p, int x, int y, int width, int height);
// The position list: 0..8, and the custom entry only while it is chosen.
int WatermarkPositionCount(const PrivateSettings& p);

// The effective text: the selected list text (built-in words given by the
// caller for IDs 0..5, custom ones from the store) or the typed one. A
// selected ID that no longer exists selects the first built-in text.
void UpdateWatermarkText(PrivateSettings& p, const WatermarkTextStore& store,
                         const char16_t* const builtin[kBuiltinWatermarkTexts]);

// A typed text: characters a name may not hold removed (1 when any was:
// the dialog warns), stored cut to 63 code units, and taken as the
// effective text while the typed text is chosen.
int TypeWatermarkText(PrivateSettings& p, const char16_t* typed);

struct WatermarkEnabling {
    int list, edit, add, remove;
};
WatermarkEnabling WatermarkTextEnabling(const PrivateSettings& p, const WatermarkTextStore& store, int mayWrite);
