// Fixed-capacity UTF-16 text: every copy is cut and terminated, and text
// leaves the driver as UTF-8 whatever it holds.
#include <gtest/gtest.h>

#include "base/text16.h"

namespace {

TEST(Text16, CopyIsCutAndTerminated) {
    struct Case { const char16_t* src; size_t capacity; std::u16string want; } cases[] = {
        {u"Arial", 64, u"Arial"}, {u"Arial", 6, u"Arial"}, {u"Arial", 5, u"Aria"}, {u"Arial", 1, u""}, {nullptr, 4, u""},
    };
    for (const Case& c : cases) {
        char16_t buf[64];
        std::fill(std::begin(buf), std::end(buf), u'#');
        Text16Copy(buf, c.capacity, c.src);
        EXPECT_EQ(c.want, std::u16string(buf)) << c.capacity;
    }
}

TEST(Text16, CompareStopsAtTheCountOrTheTerminator) {
    EXPECT_EQ(0, Text16Compare(u"A4 paper", u"A4 photo", 4));
    EXPECT_GT(0, Text16Compare(u"A4 paper", u"A4 photo", 5));
    EXPECT_EQ(0, Text16Compare(u"A4", u"A4", 32));
    EXPECT_NE(0, Text16Compare(u"A4", u"A4W", 32));
}

TEST(Text16, ToUtf8) {
    struct Case { std::u16string text; size_t max; std::string want; } cases[] = {
        {u"トレイ１", 32, "トレイ１"},
        {u"ＭＳ ゴシック", 2, "ＭＳ"},
        {u"\U0001F5A8 printer", 32, "\U0001F5A8 printer"},  // a surrogate pair
        {std::u16string(1, char16_t(0xD800)) + u"x", 32, "\xEF\xBF\xBDx"},  // a lone high surrogate
        {u"Ä", 32, "\xC3\x84"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.want, Text16ToUtf8(c.text.c_str(), c.max)) << c.want;
    EXPECT_EQ("", Text16ToUtf8(nullptr));
}

}  // namespace
