// The tool's output: fields of a DEVMODE by name as text lines or JSON.
#include <cstdio>
#include <cstring>

#include "base/text16.h"
#include "settings/field_table.h"
#include "zr51a.h"

namespace {

#define PUB(f, kind) {#f, offsetof(PublicDevMode, f), sizeof(PublicDevMode::f), kind}
const PublicField kPublic[] = {
    PUB(dmDeviceName, 't'),  PUB(dmSpecVersion, 'x'), PUB(dmDriverVersion, 'u'), PUB(dmSize, 'u'),
    PUB(dmDriverExtra, 'u'), PUB(dmFields, 'x'),      PUB(dmOrientation, 's'),   PUB(dmPaperSize, 's'),
    PUB(dmPaperLength, 's'), PUB(dmPaperWidth, 's'),  PUB(dmScale, 's'),         PUB(dmCopies, 's'),
    PUB(dmDefaultSource, 's'), PUB(dmPrintQuality, 's'), PUB(dmColor, 's'),     PUB(dmDuplex, 's'),
    PUB(dmYResolution, 's'), PUB(dmTTOption, 's'),    PUB(dmCollate, 's'),       PUB(dmFormName, 't'),
    PUB(dmLogPixels, 'u'),   PUB(dmBitsPerPel, 'u'),  PUB(dmPelsWidth, 'u'),     PUB(dmPelsHeight, 'u'),
    PUB(dmNup, 'u'),         PUB(dmDisplayFrequency, 'u'), PUB(dmICMMethod, 'u'), PUB(dmICMIntent, 'u'),
    PUB(dmMediaType, 'u'),   PUB(dmDitherType, 'u'),  PUB(dmReserved1, 'u'),     PUB(dmReserved2, 'u'),
    PUB(dmPanningWidth, 'u'), PUB(dmPanningHeight, 'u'),
};
#undef PUB
constexpr int kPublicCount = static_cast<int>(sizeof kPublic / sizeof kPublic[0]);

std::string Hex(const uint8_t* p, size_t n) {
    std::string s;
    char b[4];
    for (size_t i = 0; i < n; i++) {
        std::snprintf(b, sizeof b, "%02X", p[i]);
        s += b;
    }
    return s;
}

}  // namespace

std::string JsonString(const std::string& t) {
    std::string s = "\"";
    for (unsigned char c : t) {
        if (c == '"' || c == '\\') {
            s += '\\';
            s += static_cast<char>(c);
        } else if (c < 0x20) {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04x", c);
            s += b;
        } else {
            s += static_cast<char>(c);
        }
    }
    return s + "\"";
}

std::string Utf8(const char16_t* text, size_t max) {
    std::vector<char16_t> copy(text, text + max);
    copy.push_back(0);
    return Text16ToUtf8(copy.data(), max);
}

const PublicField* PublicFieldTable(int* count) {
    *count = kPublicCount;
    return kPublic;
}

std::string PublicFieldValue(const PublicField& f, const DriverDevMode* dm, int json) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&dm->pub) + f.offset;
    if (f.kind == 't') {
        char16_t t[32];
        std::memcpy(t, p, sizeof t);
        std::string s = Utf8(t, 32);
        return json ? JsonString(s) : "\"" + s + "\"";
    }
    int64_t v = 0;
    if (f.size == 2) {
        uint16_t u;
        std::memcpy(&u, p, 2);
        v = f.kind == 's' ? static_cast<int16_t>(u) : u;
    } else {
        uint32_t u;
        std::memcpy(&u, p, 4);
        v = u;
    }
    if (f.kind == 'x' && !json) {
        char b[16];
        std::snprintf(b, sizeof b, f.size == 2 ? "0x%04X" : "0x%08X", static_cast<unsigned>(v));
        return b;
    }
    return std::to_string(v);
}

int ShownPrivateField(const FieldRow& r) {
    // The large reserved block says nothing; every other row is shown.
    return !(r.merge == MergeKind::None && r.defKind == DefaultKind::Const && r.type == FieldType::Bytes);
}

std::string PrivateFieldValue(const FieldRow& r, const void* priv, int json) {
    if (!json) return FormatFieldValue(r, priv);
    const uint8_t* p = static_cast<const uint8_t*>(priv) + r.offset;
    if (r.type == FieldType::Text) {
        std::vector<char16_t> t(r.count);
        std::memcpy(t.data(), p, r.size);
        return JsonString(Utf8(t.data(), r.count));
    }
    if (r.type == FieldType::Bytes) return JsonString(Hex(p, r.size));
    std::string s = r.count > 1 ? "[" : "";
    for (int i = 0; i < r.count; i++) {
        if (i) s += ", ";
        s += std::to_string(ReadFieldElement(r, priv, i));
    }
    return r.count > 1 ? s + "]" : s;
}

std::string FieldLines(const DriverDevMode* dm, size_t publicBytes, size_t privateBytes) {
    std::string out;
    char line[64];
    for (const PublicField& f : kPublic) {
        if (f.offset + f.size > publicBytes) continue;
        std::snprintf(line, sizeof line, "%-40s = ", f.name);
        out += line + PublicFieldValue(f, dm, 0) + "\n";
    }
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& r = PrivateFieldTable()[i];
        if (!ShownPrivateField(r) || r.offset + r.size > privateBytes) continue;
        std::snprintf(line, sizeof line, "%-40s = ", r.name);
        out += line + PrivateFieldValue(r, &dm->priv, 0) + "\n";
    }
    return out;
}

std::string FieldJson(const DriverDevMode* dm, size_t publicBytes, size_t privateBytes, const char* indent) {
    std::string out = "{\n";
    std::string in = std::string(indent) + "  ";
    bool first = true;
    auto add = [&](const char* part, std::string body) {
        out += (first ? "" : ",\n") + in + JsonString(part) + ": {" + body + (body.empty() ? "}" : "\n" + in + "}");
        first = false;
    };
    std::string body;
    for (const PublicField& f : kPublic) {
        if (f.offset + f.size > publicBytes) continue;
        body += (body.empty() ? "\n" : ",\n") + in + "  " + JsonString(f.name) + ": " + PublicFieldValue(f, dm, 1);
    }
    add("public", body);
    body.clear();
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& r = PrivateFieldTable()[i];
        if (!ShownPrivateField(r) || r.offset + r.size > privateBytes) continue;
        body += (body.empty() ? "\n" : ",\n") + in + "  " + JsonString(r.name) + ": " +
                PrivateFieldValue(r, &dm->priv, 1);
    }
    add("private", body);
    return out + "\n" + indent + "}";
}
