#include "ber.h"

#include <cstdlib>

namespace snmpsim {

void PutLength(Bytes* out, size_t length) {
    if (length < 128) {
        out->push_back(static_cast<uint8_t>(length));
        return;
    }
    uint8_t digits[8];
    int n = 0;
    for (size_t v = length; v; v >>= 8) digits[n++] = static_cast<uint8_t>(v);
    out->push_back(static_cast<uint8_t>(0x80 | n));
    while (n) out->push_back(digits[--n]);
}

Bytes Tlv(uint8_t tag, const Bytes& content) {
    Bytes out{tag};
    PutLength(&out, content.size());
    Append(&out, content);
    return out;
}

void Append(Bytes* out, const Bytes& more) { out->insert(out->end(), more.begin(), more.end()); }

Bytes IntegerContent(int64_t value) {
    Bytes out;
    for (int shift = 56; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
    // Drop leading bytes that only repeat the sign of the next one.
    size_t skip = 0;
    while (skip + 1 < out.size() && ((out[skip] == 0x00 && !(out[skip + 1] & 0x80)) ||
                                     (out[skip] == 0xFF && (out[skip + 1] & 0x80)))) {
        ++skip;
    }
    return Bytes(out.begin() + static_cast<long>(skip), out.end());
}

static void PutSubId(Bytes* out, uint64_t v) {
    uint8_t groups[10];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n > 1) out->push_back(static_cast<uint8_t>(0x80 | groups[--n]));
    out->push_back(groups[0]);
}

int OidFromText(const std::string& text, Bytes* out) {
    std::vector<uint64_t> parts;
    size_t i = !text.empty() && text[0] == '.' ? 1 : 0;
    while (i <= text.size()) {
        size_t end = text.find('.', i);
        if (end == std::string::npos) end = text.size();
        if (end == i || end - i > 10) return 0;
        uint64_t v = 0;
        for (size_t k = i; k < end; ++k) {
            if (text[k] < '0' || text[k] > '9') return 0;
            v = v * 10 + static_cast<uint64_t>(text[k] - '0');
        }
        if (v > 0xFFFFFFFFu) return 0;
        parts.push_back(v);
        i = end + 1;
    }
    if (parts.size() < 2 || parts[0] > 2 || (parts[0] < 2 && parts[1] >= 40)) return 0;
    out->clear();
    PutSubId(out, parts[0] * 40 + parts[1]);
    for (size_t k = 2; k < parts.size(); ++k) PutSubId(out, parts[k]);
    return 1;
}

int OidToText(const Bytes& content, std::string* text) {
    text->clear();
    uint64_t v = 0;
    bool first = true;
    for (size_t i = 0; i < content.size(); ++i) {
        v = (v << 7) | (content[i] & 0x7F);
        if (v > 0xFFFFFFFFFull) return 0;
        if (content[i] & 0x80) continue;
        if (first) {
            uint64_t x = v < 80 ? v / 40 : 2;
            *text += "." + std::to_string(x) + "." + std::to_string(v - 40 * x);
            first = false;
        } else {
            *text += "." + std::to_string(v);
        }
        v = 0;
    }
    return !content.empty() && !(content.back() & 0x80);
}

int ReadTlv(Reader* r, uint8_t* tag, Reader* content) {
    if (r->left < 2) return 0;
    const uint8_t* p = r->p;
    size_t left = r->left;
    *tag = p[0];
    size_t length = p[1];
    p += 2;
    left -= 2;
    if (length & 0x80) {
        size_t digits = length & 0x7F;
        if (digits == 0 || digits > 4 || digits > left) return 0;  // indefinite or absurd
        length = 0;
        for (size_t k = 0; k < digits; ++k) length = (length << 8) | p[k];
        p += digits;
        left -= digits;
    }
    if (length > left) return 0;
    content->p = p;
    content->left = length;
    r->p = p + length;
    r->left = left - length;
    return 1;
}

int IntegerValue(const Reader& content, int64_t* value) {
    if (content.left == 0 || content.left > 8) return 0;
    int64_t v = (content.p[0] & 0x80) ? -1 : 0;
    for (size_t k = 0; k < content.left; ++k) v = static_cast<int64_t>((static_cast<uint64_t>(v) << 8) | content.p[k]);
    *value = v;
    return 1;
}

}  // namespace snmpsim
