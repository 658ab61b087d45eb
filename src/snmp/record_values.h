// Reading the printer's answers out of request records without trusting
// them: every value is read within the record's buffer and the printer's
// length, texts are cut to their field and terminated.
#pragma once
#include <cstddef>
#include <cstdint>

#include "snmp/snmp_codec.h"

// Sets up one record over a zeroed buffer of capacity bytes.
void SetRecord(SnmpVarRecord* record, const char* oid, uint32_t type, uint8_t* buffer, uint32_t capacity);
// The content bytes held: the printer's length cut to the buffer.
uint32_t RecordBytes(const SnmpVarRecord& record);
// The INTEGER value of the bytes held (0 when nothing was answered).
uint32_t RecordInteger(const SnmpVarRecord& record);
// The UTF-8 text of at most maxBytes bytes held, up to its first zero byte,
// as UTF-16 into out (capacity units, terminated); returns its length. An
// invalid byte becomes U+FFFD; a character that no longer fits is dropped.
size_t RecordText16(const SnmpVarRecord& record, uint32_t maxBytes, char16_t* out, size_t capacity);
// UTF-8 bytes to UTF-16 as above.
size_t Utf8ToText16(const uint8_t* bytes, size_t length, char16_t* out, size_t capacity);
// UTF-16 text into 8-bit text in the thread's code page (out of size bytes,
// terminated): ASCII passes, anything else becomes '?'. Returns the length.
size_t Text16ToAnsi(const char16_t* text, size_t maxUnits, char* out, size_t size);
