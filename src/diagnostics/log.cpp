#include "diagnostics/log.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/text16.h"
#include "platform/platform.h"

namespace {

struct Out {
    char16_t* buf;
    size_t cap;
    size_t len;
    void Put(char16_t c) {
        if (len + 1 < cap) buf[len++] = c;
    }
};

void PutNumber(Out& o, uint64_t v, bool negative, int base, bool upper, int width, bool zeroPad, bool left) {
    char digits[24];
    int n = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[n++] = set[v % base];
        v /= base;
    } while (v);
    int len = n + (negative ? 1 : 0);
    if (!left && !zeroPad)
        for (int i = len; i < width; i++) o.Put(u' ');
    if (negative) o.Put(u'-');
    if (!left && zeroPad)
        for (int i = len; i < width; i++) o.Put(u'0');
    while (n) o.Put(static_cast<char16_t>(digits[--n]));
    if (left)
        for (int i = len; i < width; i++) o.Put(u' ');
}

// Format texts are UTF-8 (some log lines carry full-width signs); a byte
// that starts no valid sequence is widened as it stands. Returns the bytes used.
int PutFormatChar(Out& o, const char* f) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(f);
    int n = b[0] < 0xC2 ? 1 : b[0] < 0xE0 ? 2 : b[0] < 0xF0 ? 3 : b[0] < 0xF5 ? 4 : 1;
    uint32_t cp = n == 1 ? b[0] : b[0] & (0x7F >> n);
    for (int i = 1; i < n; i++) {
        if ((b[i] & 0xC0) != 0x80) {
            o.Put(b[0]);
            return 1;
        }
        cp = cp << 6 | (b[i] & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
        o.Put(b[0]);
        return 1;
    }
    if (cp > 0xFFFF) {
        o.Put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        o.Put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        o.Put(static_cast<char16_t>(cp));
    }
    return n;
}

}  // namespace

size_t FormatLogText(char16_t* out, size_t capacity, const char* format, va_list args) {
    Out o{out, capacity, 0};
    if (capacity == 0) return 0;
    for (const char* f = format; *f; f++) {
        if (*f != '%') {
            f += PutFormatChar(o, f) - 1;
            continue;
        }
        f++;
        bool left = false, zeroPad = false;
        for (;; f++) {
            if (*f == '-') left = true;
            else if (*f == '0') zeroPad = true;
            else break;
        }
        int width = 0;
        while (*f >= '0' && *f <= '9') width = width * 10 + (*f++ - '0');
        bool narrow = false, wide64 = false;
        if (*f == 'h') { narrow = true; f++; }
        else if (*f == 'l') { f++; if (*f == 'l') { wide64 = true; f++; } }
        switch (*f) {
        case 'd': case 'i': {
            int64_t v = wide64 ? va_arg(args, long long) : va_arg(args, int);
            PutNumber(o, v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v), v < 0, 10, false, width, zeroPad, left);
            break;
        }
        case 'u': case 'x': case 'X': {
            uint64_t v = wide64 ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
            PutNumber(o, v, false, *f == 'u' ? 10 : 16, *f == 'X', width, zeroPad, left);
            break;
        }
        case 'p': {
            // Addresses always as 16 upper-case hex digits, on every build.
            PutNumber(o, reinterpret_cast<uintptr_t>(va_arg(args, void*)), false, 16, true, 16, true, false);
            break;
        }
        case 's': {
            size_t start = o.len;
            if (narrow) {
                const char* s = va_arg(args, const char*);
                if (!s) s = "(null)";
                while (*s) o.Put(static_cast<unsigned char>(*s++));
            } else {
                const char16_t* s = va_arg(args, const char16_t*);
                if (!s) s = u"(null)";
                while (*s) o.Put(*s++);
            }
            for (size_t i = o.len - start; static_cast<int>(i) < width; i++) o.Put(u' ');
            break;
        }
        case 'c': o.Put(static_cast<char16_t>(va_arg(args, int))); break;
        case '%': o.Put(u'%'); break;
        case '\0': f--; break;
        default: o.Put(u'%'); o.Put(static_cast<unsigned char>(*f)); break;
        }
    }
    out[o.len] = 0;
    return o.len;
}

static size_t FormatPrefix(char16_t* out, size_t cap, const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    size_t n = FormatLogText(out, cap, fmt, ap);
    va_end(ap);
    return n;
}

void DrvLog(const char16_t* path, const char* format, ...) {
    Host* host = CurrentPlatform().host;
    if (!host) return;
    char16_t line[1024];
    HostTime t = host->LocalTime();
    uint32_t pid = host->ProcessId(), tid = host->ThreadId();
    // A call writes its lines within the same millisecond: the prefix is
    // formatted once per thread and millisecond.
    thread_local HostTime lastTime = {};
    thread_local uint32_t lastPid = 0, lastTid = 0;
    thread_local char16_t prefix[96];
    thread_local size_t prefixLen = 0;
    if (prefixLen == 0 || std::memcmp(&t, &lastTime, sizeof t) != 0 || pid != lastPid || tid != lastTid) {
        prefixLen = FormatPrefix(prefix, 96, "[KELO DRV] %02d/%02d/%02d %02d:%02d:%02d.%03d[pid=%8d][thread=%8x]:",
                                 t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds, pid, tid);
        lastTime = t;
        lastPid = pid;
        lastTid = tid;
    }
    std::memcpy(line, prefix, prefixLen * sizeof(char16_t));
    size_t n = prefixLen;
    va_list ap;
    va_start(ap, format);
    FormatLogText(line + n, 1024 - n, format, ap);
    va_end(ap);
    if (!path) {
        host->DebugOutput(line);
        return;
    }
    // A file path appends the line as UTF-8 text; used only by developers.
    if (FILE* f = std::fopen(Text16ToUtf8(path).c_str(), "a")) {
        std::string text = Text16ToUtf8(line);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}
