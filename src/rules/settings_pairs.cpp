// The 94 settings pairs the constraint engine reads, in their fixed order
// (kSettingsPairFields, generated from the controls table).
#include <cstring>

#include "rules/constraint_engine.h"
#include "rules/control_fields.h"

namespace {

bool IsOneOf(uint32_t layout, const uint32_t* values, size_t n) {
    for (size_t i = 0; i < n; i++)
        if (values[i] == layout) return true;
    return false;
}

}  // namespace

uint32_t OutputBindingPosition(const PrivateSettings& p) {
    uint32_t angle = p.angle_ImageRotation == 4 ? 270 : p.angle_ImageRotation == 6 ? 180
                     : p.angle_ImageRotation == 8 ? 90 : 0;
    bool quarter = angle == 90 || angle == 270;
    int orientation = static_cast<int16_t>(p.originalOrientation);
    bool portrait = orientation == 1;
    bool landscape = orientation == 2;
    if (p.pluralPagesPerSheet == 0 && p.singlePagesPerSheet == 0 && p.booklet == 0) {
        if (portrait) return quarter ? 0 : 1;
        if (landscape) return quarter ? 1 : 0;
        return 1;
    }
    if (p.pluralPagesPerSheet == 0 && p.singlePagesPerSheet == 0) return (!portrait) != quarter ? 1 : 0;
    bool turned;
    if (p.singlePagesPerSheet != 0) {
        turned = (portrait && (p.singlePagesPerSheet == 2 || p.singlePagesPerSheet == 8)) ||
                 (landscape && p.singlePagesPerSheet == 4);
    } else {
        static const uint32_t kPortrait[] = {21, 22, 81, 82, 83, 88};
        static const uint32_t kLandscape[] = {41, 42, 43, 44};
        turned = (portrait && IsOneOf(p.pluralPagesPerSheet, kPortrait, 6)) ||
                 (landscape && IsOneOf(p.pluralPagesPerSheet, kLandscape, 4));
    }
    return turned == quarter ? 1 : 0;
}

void BuildSettingsPairs(const PrinterSession& s, SettingsPairArray& out) {
    const PrivateSettings& p = s.dm.priv;
    const uint8_t* priv = reinterpret_cast<const uint8_t*>(&p);
    const uint8_t* env = reinterpret_cast<const uint8_t*>(&s.env);
    for (int i = 0; i < kSettingsPairCount; i++) {
        const ControlField& src = kSettingsPairFields[i];
        uint32_t v = 0;
        switch (src.place) {
        case kPrivateField:
        case kImageModeField:
        case kImageQualityField: v = ReadControlField(priv, src); break;
        case kEnvironmentField: v = ReadControlField(env, src); break;
        case kDuplexField: v = p.mixedSizeSupport == 1 ? p.duplexType_MixedSize : p.duplexType; break;
        case kSigned16Field: v = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(p.originalOrientation))); break;
        case kBindingField: v = OutputBindingPosition(p); break;
        default: break;
        }
        out.entry[i] = SettingsPair{src.control, 0, v, 0};
    }
}
