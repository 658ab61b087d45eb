// Reading the tool's inputs: whole files, registry exports of a printer's
// values, and what of a DEVMODE its sizes and signature let us read.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "zr51a.h"

namespace {

const uint8_t kSignature[12] = {'J', 0, 'U', 0, 'P', 0, '/', 0, 'C', 0, 'S', 0};
constexpr size_t kHeaderBytes = 72;  // up to and including dmDriverExtra

// The export's text as 8-bit lines: UTF-16 (either order, by its mark) is
// narrowed, anything outside ASCII becoming '?', which no hex digit is.
std::string ExportText(const std::vector<uint8_t>& b) {
    std::string t;
    if (b.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        bool little = b[0] == 0xFF;
        for (size_t i = 2; i + 1 < b.size(); i += 2) {
            unsigned u = little ? (b[i] | (b[i + 1] << 8)) : ((b[i] << 8) | b[i + 1]);
            t += u < 0x80 ? static_cast<char>(u) : '?';
        }
        return t;
    }
    size_t start = b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF ? 3 : 0;
    t.assign(b.begin() + static_cast<long>(start), b.end());
    return t;
}

std::vector<std::string> SplitLines(const std::string& t) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : t) {
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, std::string* why) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        *why = path + ": cannot open: " + std::strerror(errno);
        return 0;
    }
    out->clear();
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out->insert(out->end(), buf, buf + n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        *why = path + ": read error";
        return 0;
    }
    return 1;
}

int WriteWholeFile(const std::string& path, const void* bytes, size_t size, std::string* why) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        *why = path + ": cannot create: " + std::strerror(errno);
        return 0;
    }
    bool ok = std::fwrite(bytes, 1, size, f) == size;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) *why = path + ": write error";
    return ok ? 1 : 0;
}

int LooksLikeRegExport(const std::vector<uint8_t>& bytes) {
    std::string head = ExportText(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(
                                                                           bytes.size() < 200 ? bytes.size() : 200)));
    head = Trim(head.substr(0, head.find('\n')));
    if (!head.empty() && head.back() == '\r') head.pop_back();
    return head == "REGEDIT4" || head.rfind("Windows Registry Editor Version", 0) == 0;
}

int ReadRegExportValue(const std::vector<uint8_t>& file, const std::string& path, const char* valueName,
                       std::vector<uint8_t>* out, std::string* why) {
    std::vector<std::string> lines = SplitLines(ExportText(file));
    if (lines.empty() || !LooksLikeRegExport(file)) {
        *why = path + ": line 1: not a registry export (REGEDIT4 or Windows Registry Editor 5.00 header missing)";
        return 0;
    }
    const std::string want = "\"" + Lower(valueName) + "\"=";
    for (size_t i = 1; i < lines.size(); i++) {
        std::string line = Trim(lines[i]);
        if (Lower(line).rfind(want, 0) != 0) continue;
        size_t valueLine = i + 1;
        std::string data = line.substr(want.size());
        std::string low = Lower(data);
        if (low.rfind("hex:", 0) == 0) {
            data = data.substr(4);
        } else if (low.rfind("hex(3):", 0) == 0) {
            data = data.substr(7);
        } else {
            *why = path + ": line " + std::to_string(valueLine) + ": value \"" + valueName +
                   "\" is not binary (expected hex: or hex(3):)";
            return 0;
        }
        out->clear();
        size_t lineNo = valueLine;
        for (;;) {
            std::string text = Trim(data);
            bool more = !text.empty() && text.back() == '\\';
            if (more) text.pop_back();
            size_t pos = 0;
            while (pos < text.size()) {
                size_t comma = text.find(',', pos);
                std::string tok = Trim(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
                pos = comma == std::string::npos ? text.size() : comma + 1;
                if (tok.empty()) {
                    if (comma == std::string::npos) break;  // a trailing comma before the continuation
                    *why = path + ": line " + std::to_string(lineNo) + ": empty byte between commas";
                    return 0;
                }
                int hi = HexDigit(tok[0]), lo = tok.size() == 2 ? HexDigit(tok[1]) : 0;
                if (tok.size() > 2 || hi < 0 || lo < 0) {
                    *why = path + ": line " + std::to_string(lineNo) + ": bad hex byte '" + tok + "'";
                    return 0;
                }
                out->push_back(static_cast<uint8_t>(tok.size() == 2 ? hi * 16 + lo : hi));
            }
            if (!more) break;
            if (lineNo >= lines.size()) {
                *why = path + ": line " + std::to_string(lineNo) + ": continuation '\\' at the end of the file";
                return 0;
            }
            data = lines[lineNo];
            lineNo++;
        }
        if (out->empty()) {
            *why = path + ": line " + std::to_string(valueLine) + ": value \"" + valueName + "\" is empty";
            return 0;
        }
        return 1;
    }
    *why = path + ": no value \"" + valueName + "\" in the registry export";
    return 0;
}

int LoadDevModeFile(const std::string& path, std::vector<uint8_t>* out, std::string* why) {
    if (!ReadWholeFile(path, out, why)) return 0;
    if (!LooksLikeRegExport(*out)) return 1;
    std::vector<uint8_t> file;
    file.swap(*out);
    return ReadRegExportValue(file, path, "DefDevmode", out, why);
}

int AnalyseDevMode(const std::vector<uint8_t>& b, const std::string& path, DevModeLayout* l, std::string* why) {
    if (b.size() < kHeaderBytes) {
        *why = path + ": " + std::to_string(b.size()) + " bytes: too short for a DEVMODE (its header up to "
               "dmDriverExtra takes 72 bytes)";
        return 0;
    }
    std::memcpy(&l->dmSize, b.data() + offsetof(PublicDevMode, dmSize), 2);
    std::memcpy(&l->dmDriverExtra, b.data() + offsetof(PublicDevMode, dmDriverExtra), 2);
    if (l->dmSize < kHeaderBytes) {
        *why = path + ": offset 68: dmSize " + std::to_string(l->dmSize) +
               " is smaller than the DEVMODE header (72 bytes)";
        return 0;
    }
    size_t pub = l->dmSize < sizeof(PublicDevMode) ? l->dmSize : sizeof(PublicDevMode);
    l->publicBytes = pub < b.size() ? pub : b.size();
    l->privateBytes = 0;
    l->ours = 0;
    size_t avail = b.size() > l->dmSize ? b.size() - l->dmSize : 0;
    if (avail > l->dmDriverExtra) avail = l->dmDriverExtra;
    if (l->dmDriverExtra == 0) {
        l->privateNote = "none (dmDriverExtra 0)";
    } else if (avail < 12) {
        l->privateNote = "cut: " + std::to_string(avail) + " of " + std::to_string(l->dmDriverExtra) +
                         " bytes present at offset " + std::to_string(l->dmSize) + ", too few for a signature";
    } else if (std::memcmp(b.data() + l->dmSize, kSignature, 12) != 0) {
        char sig[40];
        const uint8_t* s = b.data() + l->dmSize;
        std::snprintf(sig, sizeof sig, "%02X %02X %02X %02X %02X %02X", s[0], s[1], s[2], s[3], s[4], s[5]);
        l->privateNote = "foreign: " + std::to_string(l->dmDriverExtra) + " bytes at offset " +
                         std::to_string(l->dmSize) + " begin " + sig + ", not our signature";
    } else {
        l->ours = 1;
        l->privateBytes = avail < kPrivateSize ? avail : kPrivateSize;
        if (l->privateBytes < kPrivateSize)
            l->privateNote = "ours, cut: " + std::to_string(l->privateBytes) + " of " +
                             std::to_string(kPrivateSize) + " bytes";
        else
            l->privateNote = "ours, complete";
    }
    return 1;
}

void FillDriverDevMode(const std::vector<uint8_t>& b, const DevModeLayout& l, DriverDevMode* dm) {
    std::memset(dm, 0, sizeof *dm);
    std::memcpy(&dm->pub, b.data(), l.publicBytes);
    if (l.ours) std::memcpy(&dm->priv, b.data() + l.dmSize, l.privateBytes);
}
