#include "ui/string_block.h"

#include <cstring>

#include "base/text16.h"

uint32_t CopyStringFromBlock(const uint8_t* block, size_t bytes, uint32_t id, char16_t* out, uint32_t capacity) {
    if (!block || !out || capacity < 2) return 0;
    size_t at = 0;
    for (uint32_t entry = 0; entry < 16; entry++) {
        uint16_t length = 0;
        if (at + 2 > bytes) return 0;
        std::memcpy(&length, block + at, 2);
        at += 2;
        if (entry == id % 16) {
            if (length == 0 || at + size_t(length) * 2 > bytes) return 0;
            uint32_t n = length < capacity ? length : capacity - 1;
            std::memcpy(out, block + at, size_t(n) * 2);
            if (n < length) n = static_cast<uint32_t>(Text16CutLength(out, n));
            out[n] = 0;
            return n;
        }
        at += size_t(length) * 2;
    }
    return 0;
}
