#include "ui/watermark_form.h"

#include <cstring>

#include "rules/text_filters.h"

namespace {

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

struct RotationAngle {
    uint8_t rotation;
    uint16_t angle;
};
const RotationAngle kRotations[] = {{2, 0}, {3, 45}, {4, 90}, {8, 270}, {9, 315}};

int KnownRotation(uint8_t r) {
    if (r == kWatermarkCustomRotation) return 1;
    for (const RotationAngle& k : kRotations)
        if (k.rotation == r) return 1;
    return 0;
}

void Copy(char16_t* to, const char16_t* from) {
    int i = 0;
    for (; from && i < kCustomTextUnits - 1 && from[i]; i++) to[i] = from[i];
    for (; i < kCustomTextUnits; i++) to[i] = 0;
}

}  // namespace

void ClampWatermark(PrivateSettings& p) {
    p.size_Watermark = static_cast<uint16_t>(Clamp(p.size_Watermark, 1, 600));
    p.transparency_Watermark = static_cast<uint16_t>(Clamp(p.transparency_Watermark, 25, 100));
    p.angle_Watermark = static_cast<uint16_t>(Clamp(p.angle_Watermark, 0, 360));
    p.X_axisPosition_Watermark = static_cast<uint16_t>(Clamp(p.X_axisPosition_Watermark, 0, 100));
    p.Y_axisPosition_Watermark = static_cast<uint16_t>(Clamp(p.Y_axisPosition_Watermark, 0, 100));
    if (p.style_Watermark > 3) p.style_Watermark = 0;
    if (p.frame_Watermark > 3) p.frame_Watermark = 0;
    if (p.color_Watermark > 8) p.color_Watermark = 0;
    if (p.position_Watermark > kWatermarkCustomPosition) p.position_Watermark = 0;
    if (!KnownRotation(p.rotation_Watermark)) p.rotation_Watermark = kRotations[0].rotation;
}

int ChooseWatermarkRotation(PrivateSettings& p, uint8_t rotation) {
    if (!KnownRotation(rotation)) return 0;
    p.rotation_Watermark = rotation;
    for (const RotationAngle& k : kRotations)
        if (k.rotation == rotation) p.angle_Watermark = k.angle;
    return 1;
}

void TypeWatermarkAngle(PrivateSettings& p, int32_t angle, int initialising) {
    p.angle_Watermark = static_cast<uint16_t>(Clamp(angle, 0, 360));
    if (!initialising) p.rotation_Watermark = kWatermarkCustomRotation;
}

void TypeWatermarkPosition(PrivateSettings& p, int axis, int32_t percent, int initialising) {
    uint16_t v = static_cast<uint16_t>(Clamp(percent, 0, 100));
    if (axis == 0) p.X_axisPosition_Watermark = v;
    else p.Y_axisPosition_Watermark = v;
    if (!initialising) p.position_Watermark = kWatermarkCustomPosition;
}

void PointWatermarkPosition(PrivateSettings& p, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    TypeWatermarkPosition(p, 0, Clamp(x, 0, width) * 100 / width, 0);
    TypeWatermarkPosition(p, 1, Clamp(y, 0, height) * 100 / height, 0);
}

int WatermarkPositionCount(const PrivateSettings& p) {
    return p.position_Watermark == kWatermarkCustomPosition ? 10 : 9;
}

void UpdateWatermarkText(PrivateSettings& p, const WatermarkTextStore& store,
                         const char16_t* const builtin[kBuiltinWatermarkTexts]) {
    char16_t text[kCustomTextUnits] = {};
    if (p.textType_Watermark == 1) {
        char16_t typed[kCustomTextUnits] = {};
        std::memcpy(typed, p.inputText_Watermark, sizeof typed);
        typed[kCustomTextUnits - 1] = 0;
        Copy(text, typed);
    } else {
        int16_t id = p.index_SelectText_Watermark;
        if (id >= kBuiltinWatermarkTexts && FindWatermarkText(store, static_cast<uint16_t>(id), text)) {
            text[kCustomTextUnits - 1] = 0;
        } else {
            if (id < 0 || id >= kBuiltinWatermarkTexts) id = 0;
            p.index_SelectText_Watermark = id;
            Copy(text, builtin ? builtin[id] : nullptr);
        }
    }
    std::memcpy(p.text_Watermark, text, sizeof text);
}

int TypeWatermarkText(PrivateSettings& p, const char16_t* typed) {
    char16_t text[kCustomTextUnits];
    Copy(text, typed);
    int removed = RemoveForbiddenChars(TextFilterKind::Name, text);
    std::memcpy(p.inputText_Watermark, text, sizeof text);
    if (p.textType_Watermark == 1) std::memcpy(p.text_Watermark, text, sizeof text);
    return removed;
}

WatermarkEnabling WatermarkTextEnabling(const PrivateSettings& p, const WatermarkTextStore& store, int mayWrite) {
    if (p.textType_Watermark == 1) return WatermarkEnabling{0, 1, 0, 0};
    int listed = kBuiltinWatermarkTexts + WatermarkTextCount(store);
    int add = mayWrite && listed < kBuiltinWatermarkTexts + kCustomTextSlots && CanAddWatermarkText(store);
    int remove = mayWrite && p.index_SelectText_Watermark >= kBuiltinWatermarkTexts;
    return WatermarkEnabling{1, 0, add, remove};
}
