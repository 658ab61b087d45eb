// The watermark dialog's decisions: what a colour or rotation choice writes,
// the lists' custom entries, where the preview puts the text and whether a
// point hits it, a drag held to the page, the chooser's custom colours in the
// printer's data, and adding and deleting the printer's own texts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/fake_platform.h"
#include "ui/page_changes.h"
#include "ui/sub_dialog_model.h"
#include "ui/watermark_dialog.h"

namespace {

const char16_t* const kBuiltin[kBuiltinWatermarkTexts] = {u"CONFIDENTIAL", u"COPY", u"DRAFT",
                                                          u"URGENT", u"SAMPLE", u"DO NOT COPY"};

std::unique_ptr<PrinterSession> Session() {
    auto s = ZeroSession();
    PrivateSettings& p = s->dm.priv;
    p.watermarkSupport = 1;
    p.size_Watermark = 64;
    p.transparency_Watermark = 100;
    p.color_Watermark = 2;
    p.colorRed_Watermark = 255;
    p.rotation_Watermark = 2;
    p.originalOrientation = 1;
    return s;
}

TEST(WatermarkDialog, ChoicesWriteWhatFollowsThem) {
    const struct {
        uint32_t control, value;
        uint8_t color, red, green, blue, rotation;
        uint16_t angle;
    } rows[] = {
        {33232, 4, 4, 0, 0, 255, 2, 30},      // a listed colour brings its bytes
        {33232, 8, 8, 10, 20, 30, 2, 30},     // the custom colour keeps the chosen bytes
        {33232, 9, 8, 10, 20, 30, 2, 30},     // outside the list: nothing
        {33242, 3, 8, 10, 20, 30, 3, 45},     // a rotation sets its angle (the rule: WatermarkForm's)
    };
    for (const auto& r : rows) {
        auto s = Session();
        PrivateSettings& p = s->dm.priv;
        p.color_Watermark = 8;
        p.colorRed_Watermark = 10, p.colorGreen_Watermark = 20, p.colorBlue_Watermark = 30;
        p.angle_Watermark = 30;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        EXPECT_EQ(kChangeWritten, ChangeSubDialogControl(kWatermarkDialog, in, r.control, r.value));
        EXPECT_EQ(r.color, p.color_Watermark) << r.control << "=" << r.value;
        EXPECT_EQ(r.red, p.colorRed_Watermark) << r.control << "=" << r.value;
        EXPECT_EQ(r.green, p.colorGreen_Watermark) << r.control << "=" << r.value;
        EXPECT_EQ(r.blue, p.colorBlue_Watermark) << r.control << "=" << r.value;
        EXPECT_EQ(r.rotation, p.rotation_Watermark) << r.control << "=" << r.value;
        EXPECT_EQ(r.angle, p.angle_Watermark) << r.control << "=" << r.value;
    }
}

TEST(WatermarkDialog, CustomPositionListedOnlyWhileChosenAndPagesGreyTogether) {
    for (uint8_t position : {5, 9}) {
        for (uint8_t on : {0, 1}) {
            auto s = Session();
            s->dm.priv.position_Watermark = position;
            s->dm.priv.watermarkSupport = on;
            auto page = Refreshed(kWatermarkDialog, *s);
            const ControlState& list = ControlOf(*page, 33247);
            EXPECT_EQ(position == 9 ? 10 : 9, list.itemCount) << int(position);
            ASSERT_GE(list.selected, 0);
            EXPECT_EQ(position, list.item[list.selected].value);
            EXPECT_EQ(on, ControlOf(*page, 33220).enabled) << int(on);
            EXPECT_EQ(on, ControlOf(*page, 33221).enabled) << int(on);
            EXPECT_EQ(1, ControlOf(*page, 33224).enabled);  // the font list is filled by the window
        }
    }
}

TEST(WatermarkDialog, PreviewPlacesSizesAndColoursTheText) {
    const struct {
        const char* what;
        uint16_t orientation;
        uint8_t position;
        uint16_t x, y, size, strength;
        int pageW, pageH, textX, textY, textHeight;
        uint8_t red;  // of the chosen red 255,0,0 mixed: green and blue show the paper
        uint8_t paper;
    } rows[] = {
        // A 112 by 156 control leaves a 104 by 148 room: a portrait page fills
        // its height, a landscape one its width; the largest size is 600.
        {"centre", 1, 0, 0, 0, 421, 100, 104, 148, 56, 78, 74, 255, 0},
        {"top right", 1, 3, 0, 0, 64, 100, 104, 148, 87, 26, 11, 255, 0},
        {"custom corner", 1, 9, 0, 100, 64, 100, 104, 148, 4, 152, 11, 255, 0},
        {"custom held", 1, 9, 300, 300, 900, 25, 104, 148, 108, 152, 105, 255, 191},
        {"landscape", 2, 0, 0, 0, 1, 62, 104, 73, 56, 77, 1, 255, 96},
    };
    for (const auto& r : rows) {
        auto s = Session();
        PrivateSettings& p = s->dm.priv;
        p.originalOrientation = r.orientation;
        p.position_Watermark = r.position;
        p.X_axisPosition_Watermark = r.x;
        p.Y_axisPosition_Watermark = r.y;
        p.size_Watermark = r.size;
        p.transparency_Watermark = r.strength;
        WatermarkPreview w;
        LayOutWatermarkPreview(p, 112, 156, w);
        EXPECT_NEAR(r.pageW, w.width, 1) << r.what;
        EXPECT_NEAR(r.pageH, w.height, 1) << r.what;
        EXPECT_NEAR(r.textX, w.x, 1) << r.what;
        EXPECT_NEAR(r.textY, w.y, 1) << r.what;
        EXPECT_NEAR(r.textHeight, w.textHeight, 1) << r.what;
        EXPECT_EQ(r.red, w.rgb[0]) << r.what;
        EXPECT_NEAR(r.paper, w.rgb[1], 1) << r.what;
        EXPECT_EQ(w.rgb[1], w.rgb[2]) << r.what;
    }
}

TEST(WatermarkDialog, APointHitsTheTurnedText) {
    WatermarkPreview w{};
    w.x = 100, w.y = 100;
    const struct {
        int angle, x, y, hit;
    } rows[] = {
        {0, 139, 100, 1}, {0, 141, 100, 0}, {0, 100, 109, 1}, {0, 100, 111, 0},
        {90, 100, 61, 1}, {90, 139, 100, 0}, {90, 109, 100, 1},  // upwards: the text's length runs up
        {45, 125, 75, 1}, {45, 125, 125, 0},
    };
    for (const auto& r : rows) {
        w.angle = r.angle;
        EXPECT_EQ(r.hit, PointOnWatermark(w, 80, 20, r.x, r.y)) << r.angle << " " << r.x << "," << r.y;
    }
}

TEST(WatermarkDialog, ADragIsHeldToThePage) {
    const struct {
        int x, y;
        uint16_t px, py;
    } rows[] = {{60, 110, 50, 50}, {10, 10, 0, 0}, {500, 500, 100, 100}};
    for (const auto& r : rows) {
        auto s = Session();
        WatermarkPreview w{};
        w.left = 10, w.top = 10, w.width = 100, w.height = 200;
        DragWatermark(s->dm.priv, w, r.x, r.y);
        EXPECT_EQ(kWatermarkCustomPosition, s->dm.priv.position_Watermark);
        EXPECT_EQ(r.px, s->dm.priv.X_axisPosition_Watermark) << r.x;
        EXPECT_EQ(r.py, s->dm.priv.Y_axisPosition_Watermark) << r.y;
    }
}

TEST(WatermarkDialog, CustomColoursInThePrintersData) {
    const uint32_t white = 0x00FFFFFF;
    const struct {
        const char* what;
        uint32_t type;
        size_t size;  // 0: no value
        uint32_t first;
    } rows[] = {
        {"absent", 0, 0, white},
        {"sixteen colours", kRegBinary, 64, 0x00102030},
        {"cut short", kRegBinary, 60, white},
        {"text", 1, 64, white},
    };
    for (const auto& r : rows) {
        FakePlatformScope fake;
        FakePrinter& printer = fake.spooler.AddPrinter(u"P");
        std::vector<uint8_t> bytes(r.size, 0x11);
        if (r.size >= 4) bytes[0] = 0x30, bytes[1] = 0x20, bytes[2] = 0x10, bytes[3] = 0;
        if (r.size) printer.Set(u"CustomWMColor", r.type, bytes.data(), bytes.size());
        PrinterHandle h = nullptr;
        ASSERT_TRUE(Spool().OpenPrinter(u"P", kPrinterAccessAdminister, &h));
        uint32_t colors[kWatermarkCustomColors];
        LoadWatermarkColors(h, colors);
        EXPECT_EQ(r.first, colors[0]) << r.what;
        EXPECT_EQ(r.first == white ? white : 0x11111111u, colors[15]) << r.what;
        // What is stored reads back whole.
        colors[7] = 0x00ABCDEF;
        ASSERT_EQ(1, StoreWatermarkColors(h, colors)) << r.what;
        uint32_t again[kWatermarkCustomColors];
        LoadWatermarkColors(h, again);
        EXPECT_EQ(0, std::memcmp(colors, again, sizeof again)) << r.what;
        Spool().ClosePrinter(h);
    }
}

TEST(WatermarkDialog, AddingAndDeletingTheSelectedText) {
    const struct {
        const char* what;
        int filled;            // custom texts stored before, IDs 6 up
        const char16_t* add;   // null: delete the selected text instead
        int16_t selected;
        int result;
        int16_t index;
        const char16_t* effective;
    } rows[] = {
        {"added", 0, u"OURS", 0, kTextDone, 6, u"OURS"},
        {"next free id", 2, u"THIRD", 0, kTextDone, 8, u"THIRD"},
        {"same text", 2, u"T7", 1, kTextExists, 1, u"COPY"},
        {"empty", 0, u"", 2, kTextEmpty, 2, u"DRAFT"},
        {"store full", 30, u"MORE", 3, kTextStoreFull, 3, u"URGENT"},
        {"deleted", 2, nullptr, 7, kTextDone, 0, u"CONFIDENTIAL"},
        {"built-in kept", 2, nullptr, 4, kTextNotFound, 4, u"SAMPLE"},
    };
    for (const auto& r : rows) {
        FakePlatformScope fake;
        FakePrinter& printer = fake.spooler.AddPrinter(u"P");
        std::vector<uint8_t> value(kCustomWMTextSize, 0);
        for (int i = 0; i < r.filled; i++) {
            uint16_t id = static_cast<uint16_t>(6 + i);
            char16_t text[4] = {u'T', static_cast<char16_t>(u'0' + (6 + i) % 10), 0, 0};
            if (6 + i >= 10) text[1] = u'A' + i, text[2] = 0;
            std::memcpy(value.data() + i * kCustomTextEntryBytes, &id, 2);
            std::memcpy(value.data() + i * kCustomTextEntryBytes + 2, text, sizeof text);
        }
        if (r.filled) printer.SetBinary(u"CustomWMText", value);
        PrinterHandle h = nullptr;
        ASSERT_TRUE(Spool().OpenPrinter(u"P", kPrinterAccessAdminister, &h));
        WatermarkTextStore store{};
        LoadWatermarkTexts(h, store);
        auto s = Session();
        PrivateSettings& p = s->dm.priv;
        p.index_SelectText_Watermark = r.selected;
        UpdateWatermarkText(p, store, kBuiltin);
        int result = r.add ? AddChosenWatermarkText(h, store, p, r.add, kBuiltin)
                           : DeleteChosenWatermarkText(h, store, p, kBuiltin);
        EXPECT_EQ(r.result, result) << r.what;
        EXPECT_EQ(r.index, p.index_SelectText_Watermark) << r.what;
        EXPECT_EQ(Narrow(r.effective), Narrow(p.text_Watermark)) << r.what;
        Spool().ClosePrinter(h);
    }
}

}  // namespace
