// The stamp panels' rules: default positions, ranges, today's date, texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fake_platform.h"
#include "ui/stamp_form.h"

namespace {

std::string Stored(const char16_t* field) {
    char16_t copy[kStampTextUnits];
    std::memcpy(copy, field, sizeof copy);
    return Narrow(copy);
}

TEST(StampForm, PositionsRangesAndTexts) {
    PrivateSettings p{};
    p.position_StampPage = p.position_StampText = 9;
    p.startNumber_StampPage = 0;
    p.size_StampText = 33;
    SwitchStamp(p, kPageStamp, 1);
    SwitchStamp(p, kTextStamp, 1);
    SwitchStamp(p, kTextStamp, 0);
    ClampStamps(p);
    EXPECT_EQ(6, p.position_StampPage);  // on: the default, whatever was stored
    EXPECT_EQ(3, p.position_StampText);  // off keeps the place
    EXPECT_EQ(0, p.stampTextSupport);
    EXPECT_EQ(1, p.startNumber_StampPage);
    EXPECT_EQ(32, p.size_StampText);
    EXPECT_EQ(1, FillStampDate(p, u"06/12/2026"));
    EXPECT_EQ(0, FillStampDate(p, u"07/12/2026"));  // a given date stays
    EXPECT_EQ("06/12/2026", Stored(p.specifiedDate_StampDate));
    EXPECT_EQ(1, TypeStampText(p, kTextStamp, u"Pa*ge:\"one\"-with-a-longer-text"));
    EXPECT_EQ("Pageone-with-a-longer-t", Stored(p.specifiedText_StampText));  // filtered, then 23 kept
}

}  // namespace
