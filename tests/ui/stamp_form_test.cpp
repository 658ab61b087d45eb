// The stamp panels' rules: default positions on switching on, the ranges,
// the date filled with today's, and the typed texts filtered and cut.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fake_platform.h"
#include "ui/stamp_form.h"

namespace {

std::string Stored(const char16_t (&field)[kStampTextUnits]) {
    char16_t copy[kStampTextUnits];
    std::memcpy(copy, field, sizeof copy);
    return Narrow(copy);
}

TEST(StampForm, SwitchingOnSetsTheDefaultPosition) {
    PrivateSettings p{};
    p.position_StampPage = p.position_StampDate = p.position_StampText = 9;
    for (int kind : {kPageStamp, kDateStamp, kTextStamp}) SwitchStamp(p, kind, 1);
    EXPECT_EQ(1, p.stampPageSupport);
    EXPECT_EQ(1, p.stampDateSupport);
    EXPECT_EQ(1, p.stampTextSupport);
    EXPECT_EQ(6, p.position_StampPage);
    EXPECT_EQ(3, p.position_StampDate);
    EXPECT_EQ(3, p.position_StampText);
    p.position_StampDate = 5;
    SwitchStamp(p, kDateStamp, 0);
    EXPECT_EQ(0, p.stampDateSupport);
    EXPECT_EQ(5, p.position_StampDate);  // off keeps the place for the next time
}

TEST(StampForm, RangesAndTexts) {
    PrivateSettings p{};
    p.startNumber_StampPage = 0;
    p.startPage_StampPage = 12000;
    p.size_StampPage = 7;
    p.size_StampText = 33;
    p.size_StampDate = 20;
    p.style_StampDate = 9;
    ClampStamps(p);
    EXPECT_EQ(1, p.startNumber_StampPage);
    EXPECT_EQ(9999, p.startPage_StampPage);
    EXPECT_EQ(8, p.size_StampPage);
    EXPECT_EQ(32, p.size_StampText);
    EXPECT_EQ(20, p.size_StampDate);
    EXPECT_EQ(0, p.style_StampDate);

    EXPECT_EQ(1, FillStampDate(p, u"06/12/2026"));
    EXPECT_EQ("06/12/2026", Stored(p.specifiedDate_StampDate));  // dates keep their slashes
    EXPECT_EQ(0, FillStampDate(p, u"07/12/2026"));               // a given date stays
    EXPECT_EQ(1, TypeStampText(p, kTextStamp, u"Pa*ge: \"one\""));
    EXPECT_EQ("Page one", Stored(p.specifiedText_StampText));
    EXPECT_EQ(0, TypeStampText(p, kTextStamp, u"abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("abcdefghijklmnopqrstuvw", Stored(p.specifiedText_StampText));  // 23 and the terminator
}

}  // namespace
