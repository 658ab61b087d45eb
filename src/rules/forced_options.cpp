// Forced results of the constraint engine written back into the settings
// (the targets, kForcedOptionFields, are generated from the controls table).
#include <cstring>

#include "rules/constraint_engine.h"
#include "rules/control_fields.h"

void ApplyForcedOptions(const ConstraintResult* results, int count, PrinterSession& s) {
    PrivateSettings& p = s.dm.priv;
    uint8_t* priv = reinterpret_cast<uint8_t*>(&p);
    uint8_t* env = reinterpret_cast<uint8_t*>(&s.env);
    for (int i = 0; results && i < count && i < kConstraintResultRoom; i++) {
        const ConstraintResult& r = results[i];
        if (r.kind != kForcedOption) continue;
        for (int k = 0; k < kForcedOptionFieldCount; k++) {
            const ControlField& t = kForcedOptionFields[k];
            if (t.control != r.control) continue;
            switch (t.place) {
            case kPrivateField:
            case kSigned16Field: WriteControlField(priv, t, r.value); break;
            case kEnvironmentField: WriteControlField(env, t, r.value); break;
            case kDuplexField:
                if (p.mixedSizeSupport == 1) p.duplexType_MixedSize = static_cast<uint16_t>(r.value);
                else p.duplexType = static_cast<uint16_t>(r.value);
                break;
            case kImageModeField:
                if (s.env.inkCount == 4 || s.env.inkCount == 5) p.imageMode = static_cast<uint8_t>(r.value);
                break;
            case kImageQualityField:
                p.imageQuality = static_cast<uint8_t>(r.value == 1 && (p.paperType == 260 || p.paperType == 262) ? 5 : r.value);
                break;
            default: break;
            }
            break;
        }
    }
    // Only the rotations the renderer knows survive, whatever forced them.
    if (p.imageRotation != 0 && p.imageRotation != 2 && p.imageRotation != 4 && p.imageRotation != 6 &&
        p.imageRotation != 8)
        p.imageRotation = 0;
}
