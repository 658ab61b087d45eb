#include "snmp/snmp_codec.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/udp.h"
#include "snmp/snmp_lock.h"
#include "snmp/snmp_status.h"

namespace {

constexpr uint8_t kTagInteger = 0x02;
constexpr uint8_t kTagOctetString = 0x04;
constexpr uint8_t kTagNull = 0x05;
constexpr uint8_t kTagOid = 0x06;
constexpr uint8_t kTagSequence = 0x30;
constexpr uint8_t kTagGetRequest = 0xA0;
constexpr uint8_t kTagGetResponse = 0xA2;
constexpr int kAnyTag = -1;
constexpr uint32_t kRequestIdStep = 12422;

uint32_t g_requestCounter = 0;  // 0 = not seeded yet

uint32_t LengthSize(uint32_t n) {
    if (n < 0x80) return 1;
    if (n < 0x100) return 2;
    if (n < 0x10000) return 3;
    if (n < 0x1000000) return 4;
    return 5;
}

uint8_t* PutLength(uint8_t* p, uint32_t n) {
    uint32_t extra = LengthSize(n) - 1;
    if (extra == 0) {
        *p++ = static_cast<uint8_t>(n);
        return p;
    }
    *p++ = static_cast<uint8_t>(0x80 + extra);
    for (uint32_t i = extra; i > 0; --i) {
        *p++ = static_cast<uint8_t>(n >> (8 * (i - 1)));
    }
    return p;
}

uint32_t SubIdentifierSize(uint32_t v) {
    uint32_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

// A component reads like atoi over digits only: it stops at the first
// non-digit, so "" and "x" are 0; values wrap at 32 bits.
uint32_t ReadComponent(const char*& p) {
    uint32_t v = 0;
    while (*p >= '0' && *p <= '9') {
        v = v * 10 + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    while (*p != '\0' && *p != '.') {
        ++p;
    }
    return v;
}

struct Tlv {
    int tag;
    const uint8_t* content;
    uint32_t length;
};

// A cursor over the bytes of one element's content.
struct Reader {
    const uint8_t* p;
    const uint8_t* end;
};

// Reads one element that must lie wholly inside the reader's bytes; a
// different tag, a length running past them or an unreadable length fails.
// The indefinite form (0x80) reads as length 0.
bool ReadTlv(Reader& r, int expected, Tlv* out) {
    if (r.p >= r.end) {
        return false;
    }
    int tag = *r.p;
    if (expected != kAnyTag && tag != expected) {
        return false;
    }
    const uint8_t* p = r.p + 1;
    if (p >= r.end) {
        return false;
    }
    uint32_t first = *p++;
    uint32_t length = first;
    if (first > 0x80) {
        uint32_t count = first - 0x80;
        if (count > static_cast<uint32_t>(r.end - p)) {
            return false;
        }
        length = 0;
        for (uint32_t i = 0; i < count; ++i) {
            length = (length << 8) | *p++;  // kept to 32 bits
        }
    } else if (first == 0x80) {
        length = 0;
    }
    if (length > static_cast<uint32_t>(r.end - p)) {
        return false;
    }
    out->tag = tag;
    out->content = p;
    out->length = length;
    r.p = p + length;
    return true;
}

Reader Inside(const Tlv& t) { return Reader{t.content, t.content + t.length}; }

}  // namespace

uint32_t SnmpNextRequestId() {
    SnmpLockGuard guard;
    if (g_requestCounter == 0) {
        srand(static_cast<unsigned>(time(nullptr)));
        g_requestCounter = static_cast<uint32_t>(rand()) & 0x7FFF;
    }
    g_requestCounter = (g_requestCounter + kRequestIdStep) % 0x8000;
    return g_requestCounter;
}

uint32_t SnmpTextToOid(const char* text, uint8_t out[kSnmpOidBytesSize]) {
    if (text == nullptr || strnlen(text, kSnmpOidTextSize) >= kSnmpOidTextSize) {
        return 0;
    }
    const char* p = text;
    if (*p == '.') {
        ++p;
    }
    uint32_t first = ReadComponent(p);
    uint32_t second = 0;
    if (*p == '.') {
        ++p;
        second = ReadComponent(p);
    }
    uint32_t length = 0;
    uint32_t value = 40 * first + second;
    for (;;) {
        uint32_t size = SubIdentifierSize(value);
        if (length + size > kSnmpOidBytesSize) {
            return 0;
        }
        for (uint32_t i = size; i > 0; --i) {
            uint8_t group = static_cast<uint8_t>((value >> (7 * (i - 1))) & 0x7F);
            out[length++] = i > 1 ? static_cast<uint8_t>(group | 0x80) : group;
        }
        if (*p != '.') {
            return length;
        }
        ++p;
        value = ReadComponent(p);
    }
}

uint32_t SnmpOidToText(const uint8_t* bytes, uint32_t length, char out[kSnmpOidTextSize]) {
    uint32_t used = 0;
    out[0] = '\0';
    // Appends ".N"; a component that would not fit is left out.
    auto append = [&](uint32_t v) {
        char digits[11];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (used + 1 + static_cast<uint32_t>(n) >= kSnmpOidTextSize) {
            return;
        }
        out[used++] = '.';
        while (n > 0) {
            out[used++] = digits[--n];
        }
        out[used] = '\0';
    };
    if (length == 0) {
        return 0;
    }
    append(bytes[0] / 40);
    append(bytes[0] % 40);
    uint32_t value = 0;
    for (uint32_t i = 1; i < length; ++i) {
        value = (value << 7) | (bytes[i] & 0x7F);  // an over-long one wraps at 32 bits
        if (bytes[i] < 0x80) {
            append(value);
            value = 0;
        }
    }
    return used;
}

bool SnmpSameOid(const char* oid, const char* text, uint32_t textLength) {
    // Identifiers of one table differ in their last components: look there first.
    return textLength < kSnmpOidTextSize && oid[textLength] == '\0' &&
           (textLength == 0 || oid[textLength - 1] == text[textLength - 1]) && memcmp(oid, text, textLength) == 0;
}

uint8_t* SnmpEncodeGetRequest(const SnmpVarRecord* records, uint32_t count, uint32_t requestId, uint32_t* length) {
    *length = 0;
    uint8_t oid[kSnmpOidBytesSize];
    // First the sizes, then the bytes: the identifiers are encoded twice
    // rather than kept, which costs less than a second buffer per record.
    uint64_t listLength = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t n = SnmpTextToOid(records[i].oid, oid);
        if (n == 0) {
            return nullptr;
        }
        uint32_t binding = 1 + LengthSize(n) + n + 2;
        listLength += 1 + LengthSize(binding) + binding;
    }
    if (listLength > 0x7FFFFF00u) {
        return nullptr;
    }
    uint32_t list = static_cast<uint32_t>(listLength);
    uint32_t pduContent = 4 + 3 + 3 + 1 + LengthSize(list) + list;
    uint32_t total = 1 + LengthSize(pduContent) + pduContent;
    auto* pdu = static_cast<uint8_t*>(malloc(total));
    if (pdu == nullptr) {
        return nullptr;
    }
    uint8_t* p = pdu;
    *p++ = kTagGetRequest;
    p = PutLength(p, pduContent);
    // The request id always takes two content bytes, also below 128.
    const uint8_t header[] = {kTagInteger, 2, static_cast<uint8_t>(requestId >> 8), static_cast<uint8_t>(requestId),
                              kTagInteger, 1, 0, kTagInteger, 1, 0};
    memcpy(p, header, sizeof header);
    p += sizeof header;
    *p++ = kTagSequence;
    p = PutLength(p, list);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t n = SnmpTextToOid(records[i].oid, oid);
        *p++ = kTagSequence;
        p = PutLength(p, 1 + LengthSize(n) + n + 2);
        *p++ = kTagOid;
        p = PutLength(p, n);
        memcpy(p, oid, n);
        p += n;
        *p++ = kTagNull;
        *p++ = 0;
    }
    *length = total;
    return pdu;
}

uint8_t* SnmpEncodeMessage(const char* community, const uint8_t* pdu, uint32_t pduLength, uint32_t* length) {
    *length = 0;
    size_t communityLength = strlen(community);
    if (communityLength > kSnmpMaxCommunity || pduLength > 0x7FFFFF00u) {
        return nullptr;
    }
    uint32_t cl = static_cast<uint32_t>(communityLength);
    auto* message = static_cast<uint8_t*>(malloc(cl + pduLength + 15));
    if (message == nullptr) {
        return nullptr;
    }
    uint32_t content = 3 + 2 + cl + pduLength;
    uint8_t* p = message;
    *p++ = kTagSequence;
    p = PutLength(p, content);
    *p++ = kTagInteger;
    *p++ = 1;
    *p++ = 0;  // version 1
    *p++ = kTagOctetString;
    *p++ = static_cast<uint8_t>(cl);
    memcpy(p, community, cl);
    p += cl;
    memcpy(p, pdu, pduLength);
    p += pduLength;
    *length = static_cast<uint32_t>(p - message);
    return message;
}

int32_t SnmpDecodeGetResponse(SnmpVarRecord* records, uint32_t count, uint32_t requestId, const char* community,
                              const uint8_t* message, uint32_t length) {
    Reader datagram{message, message + length};
    Tlv outer, t;
    if (!ReadTlv(datagram, kTagSequence, &outer)) {
        return kSnmpFormatError;
    }
    Reader msg = Inside(outer);
    if (!ReadTlv(msg, kTagInteger, &t) || t.length == 0 || t.content[0] != 0) {
        return kSnmpVersionError;
    }
    size_t cl = strlen(community);
    if (!ReadTlv(msg, kTagOctetString, &t) || t.length != cl || memcmp(t.content, community, cl) != 0) {
        return kSnmpCommunityError;
    }
    Tlv pduTlv;
    if (!ReadTlv(msg, kTagGetResponse, &pduTlv)) {
        return kSnmpFormatError;
    }
    Reader pdu = Inside(pduTlv);
    if (!ReadTlv(pdu, kTagInteger, &t) || t.length == 0) {
        return kSnmpFormatError;
    }
    uint32_t id = t.length == 1 ? t.content[0] : (static_cast<uint32_t>(t.content[0]) << 8) | t.content[1];
    if (id != requestId) {
        return kSnmpRequestIdError;
    }
    // error-status, then error-index: either one not zero is the agent's refusal.
    for (int i = 0; i < 2; ++i) {
        if (!ReadTlv(pdu, kTagInteger, &t) || t.length == 0) {
            return kSnmpFormatError;
        }
        if (t.content[0] != 0) {
            return kSnmpStatusError;
        }
    }
    Tlv listTlv;
    if (!ReadTlv(pdu, kTagSequence, &listTlv)) {
        return kSnmpFormatError;
    }
    if (listTlv.length == 0) {
        return count == 0 ? kSnmpSuccess : kSnmpDataCountError;
    }
    Reader list = Inside(listTlv);
    uint32_t matched = 0;
    char text[kSnmpOidTextSize];
    while (list.p < list.end) {
        Tlv binding, name, value;
        if (!ReadTlv(list, kTagSequence, &binding)) {
            return kSnmpFormatError;
        }
        Reader b = Inside(binding);
        if (!ReadTlv(b, kTagOid, &name) || !ReadTlv(b, kAnyTag, &value)) {
            return kSnmpFormatError;
        }
        uint32_t textLength = SnmpOidToText(name.content, name.length, text);
        for (uint32_t i = 0; i < count; ++i) {
            if (!SnmpSameOid(records[i].oid, text, textLength)) {
                continue;
            }
            // Four zero bytes more, so that a text value is terminated.
            auto* copy = static_cast<uint8_t*>(calloc(1, value.length + 4));
            if (copy == nullptr) {
                return kSnmpOutOfMemory;
            }
            memcpy(copy, value.content, value.length);
            free(records[i].value);
            records[i].value = copy;
            records[i].length = value.length;
            ++matched;
            break;
        }
    }
    return matched == count ? kSnmpSuccess : kSnmpDataCountError;
}

void SnmpFreeValues(SnmpVarRecord* records, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        free(records[i].value);
        records[i].value = nullptr;
    }
}

uint32_t SnmpDecodeInteger(const uint8_t* bytes, uint32_t length) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < length; ++i) {
        value += static_cast<uint32_t>(bytes[i]) << ((8 * (length - 1 - i)) % 32);
    }
    return value;
}
