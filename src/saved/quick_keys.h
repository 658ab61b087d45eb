// The quick-setting key table: one row per saved setting, in the order of
// the items of every keyed settings record (not the order of the offsets).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint16_t kQuickKeyTag = 0xA0A1;  // the item tag, bytes A1 A0

struct QuickKey {
    uint16_t tag;        // kQuickKeyTag; the first row with another tag ends the table
    uint16_t keyLength;  // characters of key
    const char* key;     // ASCII, the private record's field name
    uint16_t size;       // bytes of the field
    uint16_t offset;     // the field's offset in the private settings record
};

const QuickKey* QuickKeyTable();
// Rows before the first one without the tag (215).
int KeyCount();
// Bytes of a keyed settings record over the whole table: 2 + sum of
// (key length + field size + 6), 12206.
uint32_t QuickRecordSize();
// The row whose key is exactly these length characters, or null.
const QuickKey* FindKey(const char* key, size_t length);
const QuickKey* FindKey(const char* key);

constexpr int kQuickKeyCount = 215;
constexpr uint32_t kQuickRecordSize = 12206;
