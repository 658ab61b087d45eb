// Reading and writing the settings field a page control edits, by the
// control's row in the generated field table.
#include <cstring>

#include "base/text16.h"
#include "rules/constraint_engine.h"
#include "rules/control_fields.h"
#include "ui/environment_page.h"
#include "ui/page_model.h"

namespace {

const ControlField* FieldOf(uint32_t control) {
    for (int i = 0; i < kControlFieldCount; i++)
        if (kControlFields[i].control == control) return &kControlFields[i];
    return nullptr;
}

const ControlText* TextOf(uint32_t control) {
    for (int i = 0; i < kControlTextCount; i++)
        if (kControlTexts[i].control == control) return &kControlTexts[i];
    return nullptr;
}

}  // namespace

int ControlTextChars(uint32_t control) {
    if (MacAddressPart(control)) return kMacPartChars;
    const ControlText* t = TextOf(control);
    return t ? static_cast<int>(t->size / sizeof(char16_t)) : 0;
}

int WriteControlText(PrinterSession& s, uint32_t control, const char16_t* text) {
    if (int part = MacAddressPart(control)) {
        WriteMacAddressPart(s.env, part, text);
        return 1;
    }
    const ControlText* t = TextOf(control);
    if (!t) return 0;
    uint8_t* base = t->place == kEnvironmentField ? reinterpret_cast<uint8_t*>(&s.env)
                                                  : reinterpret_cast<uint8_t*>(&s.dm.priv);
    char16_t field[kPageTextChars] = {};
    int n = static_cast<int>(t->size / sizeof(char16_t));
    int i = 0;
    for (; text && i < n - 1 && i < kPageTextChars - 1 && text[i]; i++) field[i] = text[i];
    if (text && text[i]) field[Text16CutLength(field, size_t(i))] = 0;
    std::memcpy(base + t->offset, field, t->size);  // records are packed: the field may sit unaligned
    return 1;
}

uint32_t ReadControlValue(const PrinterSession& s, uint32_t control) {
    if (control == kOutputUnitControl) return OutputUnitItemValue(s.env);  // three bytes behind one item
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
    if (control == kOutputUnitControl) {
        WriteOutputUnitItem(s.env, value);
        return 1;
    }
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
