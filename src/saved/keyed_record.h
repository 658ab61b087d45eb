// The keyed settings record: a 16-bit item count, then one item per key of
// the key table (tag A1 A0, key length, key, value size, the field's bytes
// as they lie in the private settings record). Little-endian.
#pragma once
#include <cstdint>

#include "base/private_settings.h"

// Writes every key-table field of dm's private record into out (size
// bytes). The record's length, or -1 when out cannot hold the count or an
// item.
int SerializeSettings(uint8_t* out, const DriverDevMode* dm, uint32_t size);

// Copies the record's fields into dm's private record: a known key's value
// fills at most its field (a shorter value only its first bytes), unknown
// keys are skipped. Returns the offset after the last item, or -1 at the
// first item that has no tag or runs past length; the items before it stay
// applied. Fields the record does not name keep dm's values.
int DeserializeSettings(const uint8_t* record, uint32_t length, DriverDevMode* dm);
