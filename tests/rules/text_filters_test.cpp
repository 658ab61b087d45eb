// The character sets at their edges and the numeric fields' rules as users
// meet them: typing, pasting, a forbidden first character.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake_platform.h"
#include "rules/text_filters.h"

namespace {

using K = TextFilterKind;

TEST(TextFilters, CharacterSets) {
    struct Row { char16_t c; int name, stamp, community; } rows[] = {
        // One character of each combination; the sizes below catch any other.
        {u'/', 1, 0, 0}, {u'\\', 1, 1, 0}, {u'"', 1, 1, 1}, {u'-', 0, 0, 1}, {u'$', 0, 0, 0}, {u'＝', 0, 0, 0},
        {0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(IsForbiddenChar(K::Name, r.c), r.name) << int(r.c);
        EXPECT_EQ(IsForbiddenChar(K::Stamp, r.c), r.stamp) << int(r.c);
        EXPECT_EQ(IsForbiddenChar(K::Community, r.c), r.community) << int(r.c);
    }
    struct Set {
        K kind;
        int size;
        uint32_t warning;
    } sets[] = {{K::Name, 16, 20180}, {K::Stamp, 15, 20181}, {K::Community, 20, 21044}};
    for (const Set& s : sets) {
        int n = 0;
        for (char16_t c = 1; c < 0x3000; c++) n += IsForbiddenChar(s.kind, c);
        EXPECT_EQ(n, s.size);
        EXPECT_EQ(TextFilterWarning(s.kind), s.warning);
    }
}

TEST(TextFilters, RemoveForbidden) {
    struct Row { K kind; const char16_t *in, *out; } rows[] = {
        {K::Name, u"a/b", u"ab"},           {K::Stamp, u"2024/01/01", u"2024/01/01"},
        {K::Name, u"*abc", u"abc"},         {K::Community, u"pub-lic", u"public"},
        {K::Name, u"x<y>|z\"", u"xyz"},     {K::Name, u"", u""},
        {K::Community, u"!!!", u""},        {K::Stamp, u"Größe 5", u"Größe 5"},
    };
    for (const Row& r : rows) {
        std::u16string text = r.in;
        EXPECT_EQ(RemoveForbiddenChars(r.kind, text.data()), std::u16string(r.in) != r.out ? 1 : 0) << Narrow(r.in);
        EXPECT_EQ(Narrow(text.c_str()), Narrow(r.out));
    }
}

TEST(TextFilters, NumericFields) {
    struct Row { bool hex; const char16_t *in, *out; int caret, newCaret; } rows[] = {
        {false, u"12a4", u"124", 4, 3},       {false, u"x", u"", 0, 0},
        {false, u"1234567", u"1234567", 7, 7}, {false, u"1234567x9", u"1234567x9", 9, 9},
        {false, u"123456x9", u"123456", 8, 7}, {true, u"G", u"0", 0, 0},
        {true, u"aF9", u"aF9", 0, 0},         {true, u"1g2", u"12", 0, 0},
        {true, u"ABCz", u"ABCz", 0, 0},        {true, u"ab:c", u"ab", 0, 0},
    };
    for (const Row& r : rows) {
        std::u16string text = r.in;
        int caret = r.caret;
        int changed = r.hex ? KeepHexDigits(text.data()) : KeepDigits(text.data(), &caret);
        EXPECT_EQ(changed, std::u16string(r.in) != r.out ? 1 : 0) << Narrow(r.in);
        EXPECT_EQ(Narrow(text.c_str()), Narrow(r.out));
        EXPECT_EQ(caret, r.newCaret) << Narrow(r.in);
    }
}

}  // namespace
