// Values with implied decimals as text and back: rounding on the first
// dropped digit, missing decimals, signs, separators of more than one
// character, and what is refused.
#include "base/fixed_point.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text16.h"

TEST(FixedPoint, FormatTable) {
    struct Case { int32_t value; int decimals; const char16_t* sep; const char* want; } cases[] = {
        {2100, 1, u".", "210.0"}, {827, 2, u".", "8.27"},   {5, 2, u",", "0,05"},      {-35, 1, u".", "-3.5"},
        {-5, 1, u".", "-0.5"},    {42, 0, u".", "42"},      {12345, 2, u"<>", "123<>45"}, {0, 1, u".", "0.0"},
    };
    for (const Case& c : cases) {
        char16_t out[24];
        FormatFixedPoint(out, 24, c.value, c.decimals, c.sep);
        EXPECT_EQ(Text16ToUtf8(out), c.want) << c.value << " / " << c.decimals;
    }
    char16_t small[4];
    FormatFixedPoint(small, 4, 2100, 1, u".");
    EXPECT_EQ(Text16ToUtf8(small), "210");
}

TEST(FixedPoint, ParseTable) {
    struct Case { const char16_t* text; int decimals; const char16_t* sep; int ok; int32_t want; } cases[] = {
        {u"210", 1, u".", 1, 2100},     {u"210.04", 1, u".", 1, 2100}, {u"210.05", 1, u".", 1, 2101},
        {u"-3.5", 1, u".", 1, -35},     {u"8.5", 2, u".", 1, 850},
        {u"8.279x", 2, u".", 1, 828},   {u"3,5", 1, u",", 1, 35},      {u"1<>25", 2, u"<>", 1, 125},
        {u"7.", 1, u".", 1, 70},        {u"2.6", 0, u".", 1, 3},       {u"", 1, u".", 0, 0},
        {u"3,5", 1, u".", 0, 0},        {u"1.2.3", 2, u".", 0, 0},     {u"12a", 1, u".", 0, 0},
        {u"-", 1, u".", 0, 0},          {u".", 1, u".", 0, 0},         {u"99999999999", 0, u".", 0, 0},
        {u"300000000", 1, u".", 0, 0},
    };
    for (const Case& c : cases) {
        int32_t v = -1;
        EXPECT_EQ(ParseFixedPoint(c.text, &v, c.decimals, c.sep), c.ok) << Text16ToUtf8(c.text);
        EXPECT_EQ(v, c.ok ? c.want : -1) << Text16ToUtf8(c.text);
    }
}
