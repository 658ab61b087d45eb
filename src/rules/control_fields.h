// Where a control's value lives in the settings: a field of the private
// record or of the environment, found by offset and width, or a place that
// needs reading or writing of its own. The settings pairs and the forced
// options each keep a table of these.
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
    kSigned16Field,     // a signed 16-bit private field, sign-extended
    kBindingField,      // the output binding position
    kImageModeField,    // forced only on four- and five-ink models
    kImageQualityField, // a forced 1 becomes 5 on inkjet matte paper and inkjet postcards
};

struct ControlField {
    uint32_t control;
    FieldPlace place;
    uint32_t offset;
    uint8_t size;
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
