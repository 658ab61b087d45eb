// Page lists of the tray-per-page dialog: packing, parsing, canonical text,
// overlap and subtraction, and the dialog's form over them.
#include "ui/tray_ranges.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint8_t kCodeComma = 10, kCodeHyphen = 11, kCodeZero = 15;

uint8_t CodeOf(char16_t c) {
    if (c >= u'1' && c <= u'9') return static_cast<uint8_t>(c - u'0');
    if (c == u'0') return kCodeZero;
    if (c == u',') return kCodeComma;
    if (c == u'-') return kCodeHyphen;
    return 0;
}

char16_t CharOf(uint8_t code) {
    if (code >= 1 && code <= 9) return static_cast<char16_t>(u'0' + code);
    if (code == kCodeZero) return u'0';
    if (code == kCodeComma) return u',';
    if (code == kCodeHyphen) return u'-';
    return 0;
}

// One number of a range: leading zeros skipped, five digits or more 9999.
int ReadNumber(const char16_t*& p, int* found) {
    while (*p == u'0') p++, *found = 1;
    int value = 0, digits = 0;
    for (; *p >= u'0' && *p <= u'9'; p++, digits++) {
        *found = 1;
        if (digits < 5) value = value * 10 + (*p - u'0');
    }
    return digits >= 5 || value > kMaxPageNumber ? kMaxPageNumber : value;
}

void AddRange(PageRangeList& out, int first, int last) {
    if (first > last) {
        int t = first;
        first = last;
        last = t;
    }
    if (first < 1) first = 1;
    if (last < 1 || out.count >= kPageRangeRoom) return;
    out.range[out.count++] = PageRange{first, last};
}

const size_t kListOffset[kTrayListCount] = {
    offsetof(PrivateSettings, standardTray_TraySelectPerPage), offsetof(PrivateSettings, tray1_TraySelectPerPage),
    offsetof(PrivateSettings, tray2_TraySelectPerPage), offsetof(PrivateSettings, tray3_TraySelectPerPage)};

}  // namespace

void PackPageList(const char16_t* text, uint8_t* field) {
    std::memset(field, 0, kPackedListBytes);
    int n = 0;
    for (int i = 0; text && text[i] && n < kPageListChars; i++) {
        uint8_t code = CodeOf(text[i]);
        if (!code) continue;
        field[n / 2] |= static_cast<uint8_t>(n % 2 ? code << 4 : code);
        n++;
    }
}

void UnpackPageList(const uint8_t* field, char16_t* text) {
    int n = 0;
    for (; n < kPageListChars; n++) {
        char16_t c = CharOf(n % 2 ? field[n / 2] >> 4 : field[n / 2] & 15);
        if (!c) break;
        text[n] = c;
    }
    text[n] = 0;
}

void ParsePageList(const char16_t* text, PageRangeList& out) {
    out.count = 0;
    const char16_t* p = text;
    while (p && *p) {
        // One comma-separated part: its first and last number.
        int first = 0, last = 0, haveFirst = 0, haveLast = 0;
        while (*p && *p != u',') {
            if (*p >= u'0' && *p <= u'9') {
                int found = 0;
                int v = ReadNumber(p, &found);
                if (!haveFirst) first = v, haveFirst = 1;
                last = v, haveLast = 1;
            } else {
                p++;
            }
        }
        if (*p == u',') p++;
        if (haveFirst && haveLast && (first || last)) AddRange(out, first ? first : last, last ? last : first);
    }
}

void FormatPageList(const PageRangeList& list, char16_t* text) {
    int n = 0;
    text[0] = 0;
    for (int i = 0; i < list.count; i++) {
        char part[32];
        const PageRange& r = list.range[i];
        int len = r.first == r.last ? std::snprintf(part, sizeof part, "%s%d", i ? "," : "", static_cast<int>(r.first))
                                    : std::snprintf(part, sizeof part, "%s%d-%d", i ? "," : "",
                                                    static_cast<int>(r.first), static_cast<int>(r.last));
        if (n + len > kPageListChars) break;
        for (int k = 0; k < len; k++) text[n++] = static_cast<char16_t>(part[k]);
        text[n] = 0;
    }
}

int RangesOverlap(const PageRangeList& a, const PageRangeList& b) {
    for (int i = 0; i < a.count; i++)
        for (int k = 0; k < b.count; k++)
            if (a.range[i].first <= b.range[k].last && b.range[k].first <= a.range[i].last) return 1;
    return 0;
}

void SubtractPages(const PageRangeList& a, const PageRangeList& b, PageRangeList& out) {
    out.count = 0;
    for (int i = 0; i < a.count; i++) {
        // The pieces of one range of a left after each range of b, in order.
        PageRange piece[kPageRangeRoom + 1];
        int n = 1;
        piece[0] = a.range[i];
        for (int k = 0; k < b.count && n > 0; k++) {
            const PageRange& cut = b.range[k];
            PageRange kept[kPageRangeRoom + 1];
            int m = 0;
            for (int j = 0; j < n && m < kPageRangeRoom; j++) {
                const PageRange& r = piece[j];
                if (cut.last < r.first || cut.first > r.last) {
                    kept[m++] = r;
                    continue;
                }
                if (r.first < cut.first) kept[m++] = PageRange{r.first, cut.first - 1};
                if (r.last > cut.last) kept[m++] = PageRange{cut.last + 1, r.last};
            }
            std::memcpy(piece, kept, m * sizeof(PageRange));
            n = m;
        }
        for (int j = 0; j < n; j++) AddRange(out, piece[j].first, piece[j].last);
    }
}

int HighestPage(const PageRangeList& list) {
    int high = 0;
    for (int i = 0; i < list.count; i++)
        if (list.range[i].last > high) high = list.range[i].last;
    return high;
}

int KeepPageListChars(char16_t* text) {
    int w = 0, r = 0;
    for (; text[r]; r++)
        if (CodeOf(text[r])) text[w++] = text[r];
    text[w] = 0;
    return w != r;
}

void LoadTrayPerPage(const PrivateSettings& p, TrayPerPageForm& form) {
    const uint8_t* base = reinterpret_cast<const uint8_t*>(&p);
    for (int i = 0; i < kTrayListCount; i++) UnpackPageList(base + kListOffset[i], form.list[i]);
    form.repeat = p.repeat_traySerectPerPage ? 1 : 0;
    int length = p.repeatPageNumber_traySerectPerPage;
    form.repeatLength = length < 0 ? 0 : length > kMaxPageNumber ? kMaxPageNumber : length;
}

void MarkOverlappingLists(const TrayPerPageForm& form, int marks[kTrayListCount]) {
    static PageRangeList parsed[kTrayListCount];  // UI thread only; too large for the stack of a window procedure
    for (int i = 0; i < kTrayListCount; i++) ParsePageList(form.list[i], parsed[i]), marks[i] = 0;
    for (int i = 0; i < kTrayListCount; i++)
        for (int k = 0; k < kTrayListCount; k++)
            if (i != k && RangesOverlap(parsed[i], parsed[k])) marks[i] = 1;
}

void LeaveTrayList(TrayPerPageForm& form, int index) {
    if (index < 0 || index >= kTrayListCount) return;
    static PageRangeList left, other, rest;
    ParsePageList(form.list[index], left);
    FormatPageList(left, form.list[index]);
    for (int i = 0; i < kTrayListCount; i++) {
        if (i == index) continue;
        ParsePageList(form.list[i], other);
        SubtractPages(other, left, rest);
        FormatPageList(rest, form.list[i]);
    }
}

int TrayFormHighestPage(const TrayPerPageForm& form) {
    static PageRangeList parsed;
    int high = 0;
    for (int i = 0; i < kTrayListCount; i++) {
        ParsePageList(form.list[i], parsed);
        int h = HighestPage(parsed);
        if (h > high) high = h;
    }
    return high > kMaxPageNumber ? kMaxPageNumber : high;
}

int CheckTrayPerPage(const TrayPerPageForm& form, int* highest) {
    int high = TrayFormHighestPage(form);
    if (highest) *highest = high;
    return !form.repeat || (form.repeatLength > 0 && form.repeatLength >= high);
}

void StoreTrayPerPage(const TrayPerPageForm& form, PrivateSettings& p) {
    uint8_t* base = reinterpret_cast<uint8_t*>(&p);
    for (int i = 0; i < kTrayListCount; i++) PackPageList(form.list[i], base + kListOffset[i]);
    p.repeat_traySerectPerPage = form.repeat ? 1 : 0;
    p.repeatPageNumber_traySerectPerPage = static_cast<uint16_t>(form.repeatLength);
}
