// Where a control's value lives in the settings: a field of the private
// record or of the environment, found by offset and width, or a place that
// needs reading or writing of its own. The rows are generated from the
// controls table (src/ui/tables/controls.tbl) into control_fields_generated.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/environment.h"
#include "base/private_settings.h"

enum FieldPlace : uint8_t {
    kPrivateField,
    kEnvironmentField,
    kNoField,           // a control whose value is always 0 (or an empty entry)
    kDuplexField,       // duplexType_MixedSize with mixed sizes on, else duplexType
    kSigned16Field,     // a signed 16-bit private field, read sign-extended, written plainly
    kBindingField,      // the output binding position
    kImageModeField,    // a private field, forced only on four- and five-ink models
    kImageQualityField, // a private field; a forced 1 becomes 5 on inkjet matte paper and postcards
};

struct ControlField {
    uint32_t control;
    FieldPlace place;
    uint32_t offset;
    uint8_t size;
};

// A text a control edits: a character array of either record.
struct ControlText {
    uint32_t control;
    FieldPlace place;
    uint32_t offset;
    uint32_t size;
};

#define ZR_PRIVATE_FIELD(control, field) \
    ControlField{control, kPrivateField, offsetof(PrivateSettings, field), sizeof(PrivateSettings::field)}
#define ZR_ENVIRONMENT_FIELD(control, field) \
    ControlField{control, kEnvironmentField, offsetof(PrinterEnvironment, field), sizeof(PrinterEnvironment::field)}

// Fields are little-endian, so a value is its low bytes.
inline uint32_t ReadControlField(const uint8_t* base, const ControlField& f) {
    uint32_t v = 0;
    std::memcpy(&v, base + f.offset, f.size);
    return v;
}
inline void WriteControlField(uint8_t* base, const ControlField& f, uint32_t value) {
    std::memcpy(base + f.offset, &value, f.size);
}

extern const ControlField kSettingsPairFields[];  // kSettingsPairCount rows, in the pairs' order
extern const ControlField kForcedOptionFields[];
extern const int kForcedOptionFieldCount;
extern const ControlField kControlFields[];      // every field a page control edits
extern const int kControlFieldCount;
extern const ControlText kControlTexts[];
extern const int kControlTextCount;
