// The numbers of the numeric spin edits: texts to scaled values and back,
// typing and pasting, stepping.
#include <gtest/gtest.h>

#include <string>

#include "ui/spin_number.h"

namespace {

TEST(SpinNumber, TextsToValues) {
    struct Row {
        const char16_t* text;
        int decimals;
        const char16_t* separator;
        int32_t expected;
    } rows[] = {
        {u"12.34", 1, u".", 123},    // fraction digits beyond the places are ignored
        {u"-0.5", 1, u".", -5},
        {u"12.3", 2, u".", 1230},    // padded to the places
        {u"1.2.3", 1, u".", 0},      // a second separator
        {u"12a4", 1, u".", 120},     // a letter ends the scan
        {u"1,5", 1, u",", 15},
        {u"1.5", 1, u",", 10},       // another locale's separator is a letter here
        {u"3::25", 2, u"::", 325},   // the whole separator is matched
        {u"3:25", 2, u"::", 300},
        {u"12-3", 0, u".", 12},      // a minus only leads
        {u"", 2, u".", 77},          // empty: the fallback
        {u"99999999999999", 0, u".", INT32_MAX},
        {u"-99999999999999", 3, u".", INT32_MIN},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, ParseSpinText(r.text, r.decimals, r.separator, 77))
            << std::u16string(r.text).size() << " chars, " << r.decimals << " places, value " << r.expected;
}

TEST(SpinNumber, ValuesToTexts) {
    struct Row {
        int32_t value;
        int decimals;
        const char16_t* separator;
        const char16_t* expected;
    } rows[] = {
        {-5, 1, u".", u"-0.5"},   {7, 3, u",", u"0,007"},      {125, 1, u".", u"12.5"},
        {-1234, 2, u".", u"-12.34"}, {0, 2, u".", u"0.00"},    {-25, 0, u".", u"-25"},
        {1005, 2, u"::", u"10::05"}, {INT32_MIN, 0, u".", u"-2147483648"},
    };
    for (const Row& r : rows) {
        char16_t text[32];
        FormatSpinValue(r.value, r.decimals, r.separator, text, 32);
        EXPECT_EQ(std::u16string(r.expected), std::u16string(text)) << r.value << " with " << r.decimals;
        EXPECT_EQ(r.value, ParseSpinText(text, r.decimals, r.separator, 0));  // what is shown reads back
    }
}

TEST(SpinNumber, EditLimits) {
    EXPECT_EQ(4, SpinTextLimit(1, 9999, 0, u"."));
    EXPECT_EQ(3, SpinTextLimit(-25, 25, 0, u"."));
    EXPECT_EQ(6, SpinTextLimit(-8000, 8000, 2, u"."));
}

TEST(SpinNumber, TypedAndPastedCharacters) {
    const SpinChars integerComma{0, 1, u","}, decimalComma{0, 0, u","}, signedDot{1, 0, u"."};
    struct Row {
        char16_t c;
        int integerComma, decimalComma, signedDot;
    } rows[] = {
        {u'0', 1, 1, 1}, {u'-', 0, 0, 1}, {u',', 0, 1, 0}, {u'.', 0, 0, 1},
        {8, 1, 1, 1},    {3, 1, 1, 1},    {22, 1, 1, 1},   {24, 0, 0, 0},   {u'a', 0, 0, 0},
        {u' ', 0, 0, 0}, {u'+', 0, 0, 0}, {0x0661, 0, 0, 0},  // another script's digit
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.integerComma, SpinCharAccepted(r.c, integerComma)) << int(r.c);
        EXPECT_EQ(r.decimalComma, SpinCharAccepted(r.c, decimalComma)) << int(r.c);
        EXPECT_EQ(r.signedDot, SpinCharAccepted(r.c, signedDot)) << int(r.c);
    }
    char16_t out[kSpinTextRoom];
    EXPECT_EQ(3, FilterSpinPaste(u"A1,2B3", integerComma, out));
    EXPECT_EQ(std::u16string(u"123"), std::u16string(out));
    EXPECT_EQ(4, FilterSpinPaste(u"A1,2B3", decimalComma, out));
    EXPECT_EQ(std::u16string(u"1,23"), std::u16string(out));
    EXPECT_EQ(0, FilterSpinPaste(u"abc", integerComma, out));
    std::u16string many(400, u'5');
    EXPECT_EQ(kSpinTextRoom - 1, FilterSpinPaste(many.c_str(), integerComma, out));
}

TEST(SpinNumber, Steps) {
    struct Row {
        int32_t current, increment;
        int count;
        int32_t low, high, expected;
    } rows[] = {
        {5, 1, -1, 1, 9999, 4},   {9999, 1, 1, 1, 9999, 9999},  // capped at the high end
        {1, 1, -1, 1, 9999, 1},   {195, 5, 2, 50, 200, 200},    {60, 5, -3, 50, 200, 50},  // floored at the low end
        {-20, 1, -10, -25, 25, -25},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, StepSpinValue(r.current, r.increment, r.count, r.low, r.high))
            << r.current << " by " << r.count;
    EXPECT_EQ(1, WheelSteps(120));
    EXPECT_EQ(0, WheelSteps(119));
    EXPECT_EQ(-1, WheelSteps(-239));
    EXPECT_EQ(-2, WheelSteps(-240));
}

}  // namespace
