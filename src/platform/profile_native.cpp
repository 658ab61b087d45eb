// The portable INI reader. It parses the whole file on every call, as the
// files it serves are a few kilobytes read a few hundred times at most, once
// per installation.
#include <cstdio>
#include <string>
#include <vector>

#include "base/text16.h"
#include "platform/profile.h"

namespace {

bool Blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }
char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

std::u16string Trim(const std::u16string& s) {
    size_t b = 0, e = s.size();
    while (b < e && Blank(s[b])) b++;
    while (e > b && Blank(s[e - 1])) e--;
    return s.substr(b, e - b);
}

bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

// UTF-8 after its mark; malformed bytes widen as they are.
std::u16string FromUtf8(const uint8_t* p, const uint8_t* end) {
    std::u16string out;
    while (p < end) {
        uint32_t c = *p++;
        if (c >= 0xE0 && c < 0xF0 && end - p >= 2 && (p[0] & 0xC0) == 0x80 && (p[1] & 0xC0) == 0x80) {
            c = ((c & 0x0F) << 12) | ((p[0] & 0x3F) << 6) | (p[1] & 0x3F);
            p += 2;
        } else if (c >= 0xC0 && c < 0xE0 && end - p >= 1 && (p[0] & 0xC0) == 0x80) {
            c = ((c & 0x1F) << 6) | (p[0] & 0x3F);
            p += 1;
        }
        out.push_back(char16_t(c));
    }
    return out;
}

std::u16string Decode(const uint8_t* bytes, size_t size) {
    std::u16string text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (size_t i = 2; i + 1 < size; i += 2) text.push_back(char16_t(bytes[i] | (bytes[i + 1] << 8)));
    } else if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        text = FromUtf8(bytes + 3, bytes + size);
    } else {
        for (size_t i = 0; i < size; i++) text.push_back(char16_t(bytes[i]));
    }
    return text;
}

uint32_t CopyOut(const char16_t* value, size_t length, char16_t* buffer, uint32_t capacity) {
    if (!buffer || capacity == 0) return 0;
    size_t n = length < capacity - 1 ? length : capacity - 1;
    for (size_t i = 0; i < n; i++) buffer[i] = value[i];
    buffer[n] = 0;
    return static_cast<uint32_t>(n);
}

// Paths are handed to the C library as UTF-8.
std::string PathBytes(const char16_t* path) { return Text16ToUtf8(path); }

class PortableReader final : public Profile {
public:
    uint32_t GetString(const char16_t* file, const char16_t* section, const char16_t* key, const char16_t* fallback,
                       char16_t* buffer, uint32_t capacity) override {
        std::vector<uint8_t> bytes;
        if (file && *file) {
            if (std::FILE* f = std::fopen(PathBytes(file).c_str(), "rb")) {
                uint8_t chunk[4096];
                size_t n;
                while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
                std::fclose(f);
            }
        }
        return ProfileLookUp(bytes.data(), bytes.size(), section, key, fallback, buffer, capacity);
    }

    int FileExists(const char16_t* file) override {
        std::FILE* f = file && *file ? std::fopen(PathBytes(file).c_str(), "rb") : nullptr;
        if (!f) return 0;
        std::fclose(f);
        return 1;
    }

    int RemoveFile(const char16_t* file) override {
        return file && *file && std::remove(PathBytes(file).c_str()) == 0 ? 1 : 0;
    }
};

PortableReader g_portable;
Profile* g_current = &g_portable;

}  // namespace

uint32_t ProfileLookUp(const uint8_t* bytes, size_t size, const char16_t* section, const char16_t* key,
                       const char16_t* fallback, char16_t* buffer, uint32_t capacity) {
    const std::u16string wantSection = Trim(section ? section : u"");
    const std::u16string wantKey = Trim(key ? key : u"");
    const std::u16string text = Decode(bytes, size);
    // Only the first section of the name counts, as in kernel32.
    bool inSection = false, sectionSeen = false;
    size_t pos = 0;
    while (section && key && pos < text.size()) {
        size_t eol = text.find(u'\n', pos);
        if (eol == std::u16string::npos) eol = text.size();
        std::u16string line = Trim(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[') {
            size_t close = line.rfind(u']');
            if (close != std::u16string::npos) {
                if (inSection) break;
                inSection = !sectionSeen && SameName(line.substr(1, close - 1), wantSection);
                sectionSeen |= inSection;
                continue;
            }
        }
        if (!inSection) continue;
        size_t eq = line.find(u'=');
        if (eq == std::u16string::npos) {
            if (SameName(line, wantKey)) break;  // a key without a value reads as missing
            continue;
        }
        if (!SameName(Trim(line.substr(0, eq)), wantKey)) continue;
        std::u16string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return CopyOut(value.data(), value.size(), buffer, capacity);
    }
    std::u16string def = fallback ? fallback : u"";
    while (!def.empty() && def.back() == u' ') def.pop_back();
    return CopyOut(def.data(), def.size(), buffer, capacity);
}

Profile& PortableProfile() { return g_portable; }
Profile& Prof() { return *g_current; }
void InstallProfile(Profile* profile) { g_current = profile ? profile : &g_portable; }
