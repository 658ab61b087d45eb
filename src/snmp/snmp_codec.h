// SNMPv1 messages as the driver sends and accepts them: one GetRequest for a
// list of object identifiers written as dotted text, one GetResponse checked
// field by field. Lengths are definite; values come back as raw content bytes.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint32_t kSnmpTypeInteger = 2;
constexpr uint32_t kSnmpTypeOctetString = 4;
constexpr uint32_t kSnmpOidTextSize = 256;   // with the terminator
constexpr uint32_t kSnmpOidBytesSize = 256;  // longest encoded identifier
constexpr uint32_t kSnmpMaxCommunity = 127;  // its length is always one byte

// One requested object and its answer; also a session cache entry.
struct SnmpVarRecord {
    char oid[kSnmpOidTextSize];  // ".1.3.6.1.4.1.40961...", terminated
    uint32_t type;               // what the caller expects (2, 4); never checked against the answer
    uint32_t capacity;           // of value
    uint8_t* value;              // the caller's buffer; in the cache and the decoder a malloc'd copy
    uint32_t length;             // out: content bytes the printer sent (may exceed capacity)
    SnmpVarRecord* next;         // cache link
};
static_assert(offsetof(SnmpVarRecord, type) == 256);
static_assert(offsetof(SnmpVarRecord, capacity) == 260);
static_assert(offsetof(SnmpVarRecord, value) == 264);
static_assert(offsetof(SnmpVarRecord, length) == 272);
static_assert(offsetof(SnmpVarRecord, next) == 280);
static_assert(sizeof(SnmpVarRecord) == 288);

// The next 15-bit request id of the process-wide sequence.
uint32_t SnmpNextRequestId();

// Content bytes of the identifier (at most 256); 0 when the text is longer
// than 255 characters or its encoding would not fit.
uint32_t SnmpTextToOid(const char* text, uint8_t out[kSnmpOidBytesSize]);
// Dotted text with a leading dot, cut to 255 characters; returns its length.
uint32_t SnmpOidToText(const uint8_t* bytes, uint32_t length, char out[kSnmpOidTextSize]);
// Whether the terminated oid (a 256-byte field) is the text of textLength characters.
bool SnmpSameOid(const char* oid, const char* text, uint32_t textLength);

// malloc'd GetRequest-PDU (tag 0xA0), null when an identifier cannot be
// encoded or memory runs out.
uint8_t* SnmpEncodeGetRequest(const SnmpVarRecord* records, uint32_t count, uint32_t requestId, uint32_t* length);
// malloc'd message around the PDU; null when memory runs out or the
// community is longer than 127 bytes.
uint8_t* SnmpEncodeMessage(const char* community, const uint8_t* pdu, uint32_t pduLength, uint32_t* length);

// Checks a received message and gives each matched record a malloc'd copy of
// its value (4 zero bytes longer) and its length. Never reads outside the
// length bytes at message. 0 or the status of the first failed check.
int32_t SnmpDecodeGetResponse(SnmpVarRecord* records, uint32_t count, uint32_t requestId, const char* community,
                              const uint8_t* message, uint32_t length);
// Frees the decoder's value copies.
void SnmpFreeValues(SnmpVarRecord* records, uint32_t count);

// Unsigned big-endian value of INTEGER content; no sign extension, shifts
// taken modulo 32, so a fifth byte wraps onto the last.
uint32_t SnmpDecodeInteger(const uint8_t* bytes, uint32_t length);
