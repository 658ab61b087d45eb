// The watermark dialog's rules: rotation and angle, typed and pointed
// positions, the ranges, the effective text and the text controls' enabling.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "ui/watermark_form.h"

namespace {

std::string Text(const char16_t* t) { return Narrow(t); }

TEST(WatermarkForm, RotationAngleTypedValuesAndRanges) {
    const struct {
        uint8_t rotation;
        int known;
        uint16_t angle;
    } rotations[] = {{2, 1, 0}, {9, 1, 315}, {1, 1, 30}, {5, 0, 30}};
    for (const auto& k : rotations) {
        PrivateSettings p{};
        p.rotation_Watermark = 2;
        p.angle_Watermark = 30;
        EXPECT_EQ(k.known, ChooseWatermarkRotation(p, k.rotation));
        EXPECT_EQ(k.angle, p.angle_Watermark) << int(k.rotation);
        EXPECT_EQ(k.known ? k.rotation : 2, p.rotation_Watermark);
    }
    PrivateSettings p{};
    ChooseWatermarkRotation(p, 3);
    TypeWatermarkAngle(p, 30, 1);  // filling the edit at opening changes no choice
    EXPECT_EQ(3, p.rotation_Watermark);
    TypeWatermarkAngle(p, 400, 0);
    EXPECT_EQ(kWatermarkCustomRotation, p.rotation_Watermark);
    EXPECT_EQ(360, p.angle_Watermark);
    EXPECT_EQ(9, WatermarkPositionCount(p));
    TypeWatermarkPosition(p, 0, 120, 0);
    EXPECT_EQ(kWatermarkCustomPosition, p.position_Watermark);
    EXPECT_EQ(100, p.X_axisPosition_Watermark);
    EXPECT_EQ(10, WatermarkPositionCount(p));
    PointWatermarkPosition(p, 30, -5, 120, 160);
    EXPECT_EQ(25, p.X_axisPosition_Watermark);
    EXPECT_EQ(0, p.Y_axisPosition_Watermark);
    // Stored values out of range are held.
    p.size_Watermark = 0;
    p.transparency_Watermark = 101;
    p.rotation_Watermark = 7;
    ClampWatermark(p);
    EXPECT_EQ(1, p.size_Watermark);
    EXPECT_EQ(100, p.transparency_Watermark);
    EXPECT_EQ(2, p.rotation_Watermark);
}

TEST(WatermarkForm, EffectiveTextAndEnabling) {
    const char16_t* builtin[kBuiltinWatermarkTexts] = {u"Confidential", u"Copy", u"Draft", u"Final", u"Urgent",
                                                       u"Sample"};
    std::vector<uint8_t> value(kCustomWMTextSize, 0);
    const uint16_t id7 = 7;
    std::memcpy(value.data(), &id7, 2);
    std::memcpy(value.data() + 2, u"Mine", 8);
    WatermarkTextStore store{};
    ParseWatermarkTexts(value.data(), kCustomWMTextSize, store);
    const struct {
        uint8_t type;
        int16_t id;
        const char16_t* typed;
        int mayWrite;
        int16_t idAfter;
        std::string text;
        WatermarkEnabling enabling;
    } cases[] = {
        {0, 2, u"", 1, 2, "Draft", {1, 0, 1, 0}},
        {0, 7, u"", 1, 7, "Mine", {1, 0, 1, 1}},
        {0, 7, u"", 0, 7, "Mine", {1, 0, 0, 0}},
        {0, 9, u"", 1, 0, "Confidential", {1, 0, 1, 0}},  // a deleted text
        {1, 7, u"a:b*c", 1, 7, "abc", {0, 1, 0, 0}},
    };
    for (const auto& k : cases) {
        PrivateSettings p{};
        p.textType_Watermark = k.type;
        p.index_SelectText_Watermark = k.id;
        UpdateWatermarkText(p, store, builtin);
        EXPECT_EQ(k.type == 1, TypeWatermarkText(p, k.typed));
        EXPECT_EQ(k.idAfter, p.index_SelectText_Watermark);
        EXPECT_EQ(k.text, Text(p.text_Watermark)) << k.id;
        WatermarkEnabling e = WatermarkTextEnabling(p, store, k.mayWrite);
        EXPECT_EQ(k.enabling.list, e.list);
        EXPECT_EQ(k.enabling.edit, e.edit);
        EXPECT_EQ(k.enabling.add, e.add) << k.id;
        EXPECT_EQ(k.enabling.remove, e.remove) << k.id;
    }
}

}  // namespace
