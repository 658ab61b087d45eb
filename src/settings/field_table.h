// The private settings record as one table: every field's offset, size, type,
// accepted values, default and name. The merge, the defaults and the field
// dumps all walk this table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/private_settings.h"

enum class FieldType : uint8_t { U8, U16, U32, S16, S32, Text, Bytes };

enum class MergeKind : uint8_t {
    Copy,        // taken unchecked (text: cut to fit and terminated)
    Ranges,      // taken when inside one of the ranges, else the old value stays
    Clamp,       // a value outside lo..hi becomes the nearer bound
    TrayA,       // 258-260 taken; 257/261 follow the feed unit
    TrayB,       // as A, and 7 (automatic) is taken too
    TrayC,       // 258-260 taken; 257 and 261 both become the feed unit's tray
    EachOrZero,  // every element inside lo..hi, else 0
    Special,     // merged by code (public fields, output paper, identity)
    None,        // never merged
};

enum class DefaultKind : uint8_t {
    Const,      // every element := value
    FirstRest,  // first element := value, the others := rest
    Text,       // the literal text
    Computed,   // filled by the defaults code from the environment or system
};

struct FieldRow {
    const char* name;
    uint16_t offset;  // private offset
    uint16_t size;    // bytes
    FieldType type;
    uint16_t count;   // elements (characters for text)
    MergeKind merge;
    uint8_t rangeCount;
    int32_t lo[6];
    int32_t hi[6];
    DefaultKind defKind;
    int64_t defValue;
    int64_t defRest;
    const char16_t* defText;
};

const FieldRow* PrivateFieldTable();
int PrivateFieldCount();
const FieldRow* FindPrivateField(const char* name);

// Reads element i of a numeric field (sign-extended for signed types).
int64_t ReadFieldElement(const FieldRow& row, const void* priv, int index);
void WriteFieldElement(const FieldRow& row, void* priv, int index, int64_t value);
// 1 when the value lies in the row's accepted set.
int FieldAccepts(const FieldRow& row, int64_t value);

// Readable value of a field ("12", "\"Arial\"", "[1, 0, 0]", hex bytes).
std::string FormatFieldValue(const FieldRow& row, const void* priv);
// A whole driver DEVMODE as "name = value" lines: public fields, then every
// private field of the table.
std::string DumpDriverDevMode(const DriverDevMode* dm);
