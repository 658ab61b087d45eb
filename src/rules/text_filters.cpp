#include "rules/text_filters.h"

namespace {

struct FilterRow {
    TextFilterKind kind;
    const char16_t* forbidden;
    uint32_t warning;
};

const FilterRow kFilters[] = {
    {TextFilterKind::Name, u"\"'*+,/:;<=>?[\\]|", 20180},
    {TextFilterKind::Stamp, u"\"'*+,:;<=>?[\\]|", 20181},
    {TextFilterKind::Community, u"!\"#%&'()*+-<=>?`{|}~", 21044},
};

const FilterRow& Filter(TextFilterKind kind) {
    for (const FilterRow& row : kFilters)
        if (row.kind == kind) return row;
    return kFilters[0];
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) { return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

// Keeps the characters among the first max that pass; returns 1 when one
// of them did not (the text is then cut to what was kept).
int KeepAmongFirst(char16_t* text, size_t max, bool (*keep)(char16_t)) {
    size_t kept = 0, i = 0;
    for (; i < max && text[i]; i++)
        if (keep(text[i])) text[kept++] = text[i];
    if (kept == i) return 0;
    text[kept] = 0;
    return 1;
}

}  // namespace

int IsForbiddenChar(TextFilterKind kind, char16_t c) {
    if (c == 0) return 0;
    for (const char16_t* s = Filter(kind).forbidden; *s; s++)
        if (*s == c) return 1;
    return 0;
}

uint32_t TextFilterWarning(TextFilterKind kind) { return Filter(kind).warning; }

int RemoveForbiddenChars(TextFilterKind kind, char16_t* text) {
    size_t kept = 0, i = 0;
    for (; text[i]; i++)
        if (!IsForbiddenChar(kind, text[i])) text[kept++] = text[i];
    text[kept] = 0;
    return kept != i;
}

int KeepDigits(char16_t* text, int* caret) {
    if (!KeepAmongFirst(text, kDigitsFieldChars, IsDigit)) return 0;
    if (caret && *caret > 0) --*caret;
    return 1;
}

int KeepHexDigits(char16_t* text) {
    if (!KeepAmongFirst(text, kHexByteFieldChars, IsHexDigit)) return 0;
    if (!text[0]) {
        text[0] = u'0';
        text[1] = 0;
    }
    return 1;
}
