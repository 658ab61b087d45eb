// GetResponse messages for tests, put together element by element so that
// each case can change one field. Lengths are computed (definite, shortest).
#pragma once
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bertest {

typedef std::vector<uint8_t> Bytes;

inline Bytes Hex(const char* text) {
    std::string digits;
    for (const char* p = text; *p != '\0'; ++p) {
        if (isxdigit(static_cast<unsigned char>(*p))) digits += *p;
    }
    Bytes out;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        out.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return out;
}

inline std::string ToHex(const Bytes& b) {
    std::string s;
    char two[4];
    for (uint8_t x : b) {
        snprintf(two, sizeof two, s.empty() ? "%02X" : " %02X", x);
        s += two;
    }
    return s;
}

inline Bytes Tlv(uint8_t tag, const Bytes& content) {
    Bytes out{tag};
    size_t n = content.size();
    if (n < 0x80) {
        out.push_back(static_cast<uint8_t>(n));
    } else if (n < 0x100) {
        out.insert(out.end(), {0x81, static_cast<uint8_t>(n)});
    } else {
        out.insert(out.end(), {0x82, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    }
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Int(const Bytes& content) { return Tlv(0x02, content); }
inline Bytes Str(const std::string& s) { return Tlv(0x04, Bytes(s.begin(), s.end())); }
inline Bytes Seq(const Bytes& content) { return Tlv(0x30, content); }
inline Bytes Binding(const char* oidHex, const Bytes& value) { return Seq(Cat({Tlv(0x06, Hex(oidHex)), value})); }

// version, community, PDU (tag, id, status, index, list).
inline Bytes Message(const Bytes& version, const Bytes& community, uint8_t pduTag, const Bytes& id,
                     const Bytes& status, const Bytes& index, const Bytes& list) {
    return Seq(Cat({version, community, Tlv(pduTag, Cat({id, status, index, list}))}));
}

}  // namespace bertest
