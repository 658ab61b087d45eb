// Reading and writing the settings field a page control edits, by the
// control's row in the generated field table.
#include "rules/constraint_engine.h"
#include "rules/control_fields.h"
#include "ui/page_model.h"

namespace {

const ControlField* FieldOf(uint32_t control) {
    for (int i = 0; i < kControlFieldCount; i++)
        if (kControlFields[i].control == control) return &kControlFields[i];
    return nullptr;
}

}  // namespace

uint32_t ReadControlValue(const PrinterSession& s, uint32_t control) {
    const ControlField* f = FieldOf(control);
    if (!f) return 0;
    const PrivateSettings& p = s.dm.priv;
    const uint8_t* priv = reinterpret_cast<const uint8_t*>(&p);
    switch (f->place) {
    case kPrivateField:
    case kImageModeField:
    case kImageQualityField: return ReadControlField(priv, *f);
    case kEnvironmentField: return ReadControlField(reinterpret_cast<const uint8_t*>(&s.env), *f);
    case kDuplexField: return p.mixedSizeSupport == 1 ? p.duplexType_MixedSize : p.duplexType;
    case kSigned16Field:
        return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(ReadControlField(priv, *f))));
    case kBindingField: return OutputBindingPosition(p);
    default: return 0;
    }
}

int WriteControlValue(PrinterSession& s, uint32_t control, uint32_t value) {
    const ControlField* f = FieldOf(control);
    if (!f) return 0;
    PrivateSettings& p = s.dm.priv;
    uint8_t* priv = reinterpret_cast<uint8_t*>(&p);
    switch (f->place) {
    case kPrivateField:
    case kImageModeField:
    case kImageQualityField:
    case kSigned16Field: WriteControlField(priv, *f, value); return 1;
    case kEnvironmentField: WriteControlField(reinterpret_cast<uint8_t*>(&s.env), *f, value); return 1;
    case kDuplexField:
        if (p.mixedSizeSupport == 1) p.duplexType_MixedSize = static_cast<uint16_t>(value);
        else p.duplexType = static_cast<uint16_t>(value);
        return 1;
    default: return 0;  // the binding position and the always-0 controls are derived, not stored
    }
}
