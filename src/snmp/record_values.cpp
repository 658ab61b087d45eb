#include "snmp/record_values.h"

#include <cstring>

void SetRecord(SnmpVarRecord* record, const char* oid, uint32_t type, uint8_t* buffer, uint32_t capacity) {
    std::memset(record, 0, sizeof *record);
    std::strncpy(record->oid, oid, kSnmpOidTextSize - 1);
    record->type = type;
    record->capacity = capacity;
    record->value = buffer;
    if (buffer && capacity) std::memset(buffer, 0, capacity);
}

uint32_t RecordBytes(const SnmpVarRecord& record) {
    if (!record.value) return 0;
    return record.length < record.capacity ? record.length : record.capacity;
}

uint32_t RecordInteger(const SnmpVarRecord& record) {
    uint32_t n = RecordBytes(record);
    return n ? SnmpDecodeInteger(record.value, n) : 0;
}

size_t Utf8ToText16(const uint8_t* b, size_t length, char16_t* out, size_t capacity) {
    if (!out || capacity == 0) return 0;
    size_t n = 0;
    size_t i = 0;
    while (i < length && b[i] != 0) {
        uint32_t lead = b[i];
        int extra = lead < 0x80 ? 0 : lead < 0xC2 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : -1;
        uint32_t cp = 0xFFFD;
        size_t used = 1;
        if (extra == 0) {
            cp = lead;
        } else if (extra > 0) {
            uint32_t v = lead & (0x3F >> extra);
            bool ok = true;
            for (int k = 1; k <= extra; k++) {
                if (i + k >= length || (b[i + k] & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                v = v << 6 | (b[i + k] & 0x3F);
            }
            if (ok && !((extra == 2 && (v < 0x800 || (v >= 0xD800 && v < 0xE000))) ||
                        (extra == 3 && (v < 0x10000 || v > 0x10FFFF)))) {
                cp = v;
                used = extra + 1;
            }
        }
        i += used;
        size_t units = cp > 0xFFFF ? 2 : 1;
        if (n + units > capacity - 1) break;
        if (units == 2) {
            out[n++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out[n++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out[n++] = static_cast<char16_t>(cp);
        }
    }
    out[n] = 0;
    return n;
}

size_t RecordText16(const SnmpVarRecord& record, uint32_t maxBytes, char16_t* out, size_t capacity) {
    uint32_t n = RecordBytes(record);
    if (n > maxBytes) n = maxBytes;
    return Utf8ToText16(record.value, n, out, capacity);
}

size_t Text16ToAnsi(const char16_t* text, size_t maxUnits, char* out, size_t size) {
    if (!out || size == 0) return 0;
    size_t n = 0;
    for (size_t i = 0; text && i < maxUnits && text[i] != 0 && n + 1 < size; i++) {
        char16_t c = text[i];
        if (c >= 0xDC00 && c < 0xE000 && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] < 0xDC00) continue;
        out[n++] = c < 0x80 ? static_cast<char>(c) : '?';
    }
    out[n] = 0;
    return n;
}
