#include "saved/keyed_record.h"

#include <cstring>

#include "saved/quick_keys.h"

namespace {

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Write16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// Keys longer than this are never looked up whole.
constexpr uint32_t kMaxKeyLookup = 255;

}  // namespace

int SerializeSettings(uint8_t* out, const DriverDevMode* dm, uint32_t size) {
    if (!out || !dm || size < 2) return -1;
    const uint8_t* priv = reinterpret_cast<const uint8_t*>(&dm->priv);
    const QuickKey* keys = QuickKeyTable();
    const int count = KeyCount();
    Write16(out, static_cast<uint32_t>(count));
    uint32_t pos = 2;
    for (int i = 0; i < count; i++) {
        const QuickKey& k = keys[i];
        const uint32_t item = 6u + k.keyLength + k.size;
        if (item > size - pos) return -1;
        out[pos] = 0xA1;
        out[pos + 1] = 0xA0;
        Write16(out + pos + 2, k.keyLength);
        std::memcpy(out + pos + 4, k.key, k.keyLength);
        Write16(out + pos + 4 + k.keyLength, k.size);
        std::memcpy(out + pos + 6 + k.keyLength, priv + k.offset, k.size);
        pos += item;
    }
    return static_cast<int>(pos);
}

int DeserializeSettings(const uint8_t* record, uint32_t length, DriverDevMode* dm) {
    if (!record || !dm || length < 2) return -1;
    uint8_t* priv = reinterpret_cast<uint8_t*>(&dm->priv);
    const QuickKey* keys = QuickKeyTable();
    const int tableCount = KeyCount();
    const uint32_t count = Read16(record);
    uint32_t pos = 2;
    for (uint32_t i = 0; i < count; i++) {
        if (length - pos < 4 || record[pos] != 0xA1 || record[pos + 1] != 0xA0) return -1;
        const uint32_t keyLength = Read16(record + pos + 2);
        if (length - pos - 4 < keyLength + 2u) return -1;
        const char* key = reinterpret_cast<const char*>(record + pos + 4);
        const uint32_t valueSize = Read16(record + pos + 4 + keyLength);
        const uint32_t itemSize = 6u + keyLength + valueSize;
        if (length - pos < itemSize) return -1;
        // Records of the current table name their keys in table order, so the
        // row of the same index is tried before the search.
        const uint32_t lookup = keyLength < kMaxKeyLookup ? keyLength : kMaxKeyLookup;
        const QuickKey* k = nullptr;
        if (i < static_cast<uint32_t>(tableCount) && keys[i].keyLength == lookup &&
            std::memcmp(keys[i].key, key, lookup) == 0)
            k = &keys[i];
        else
            k = FindKey(key, lookup);
        if (k) std::memcpy(priv + k->offset, record + pos + 6 + keyLength, valueSize < k->size ? valueSize : k->size);
        pos += itemSize;
    }
    return static_cast<int>(pos);
}
