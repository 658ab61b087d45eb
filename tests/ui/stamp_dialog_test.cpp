// The stamp dialog's panels on the page model: the position a click picks,
// what each change writes (default positions, clamps, commands), the
// enabling while a stamp is off, and the preview's texts.
#include <gtest/gtest.h>

#include "ui/page_changes.h"
#include "ui/stamp_dialog.h"

namespace {

constexpr int kWidth = 363, kHeight = 201;  // a preview's client area

TEST(StampDialog, ClickPicksThePositionInsideItsBox) {
    const struct {
        int x, y, code;
    } cases[] = {
        {20, 20, 1},    {181, 20, 2}, {300, 33, 3},   // the top row: page 8 in, boxes 6 in from it
        {14, 180, 4},   {181, 180, 5}, {348, 186, 6}, // the bottom row: 167..186
        {118, 20, 0},   // just right of the first box
        {181, 100, 0},  // the page's middle
        {3, 3, 0},      // outside the page
    };
    for (const auto& k : cases) EXPECT_EQ(k.code, StampPositionAt(k.x, k.y, kWidth, kHeight)) << k.x << "," << k.y;
    EXPECT_EQ(0, StampPositionBox(7, kWidth, kHeight, nullptr));
    // A box's command stands for its position on its own panel only.
    EXPECT_EQ(4, StampPositionOfCommand(33600, StampPositionCommand(33600, 4)));
    EXPECT_EQ(0, StampPositionOfCommand(33700, StampPositionCommand(33600, 4)));
    EXPECT_EQ(0, StampPositionOfCommand(33600, StampPositionCommand(33600, 7)));
}

TEST(StampDialog, ChangesWriteClampAndPlace) {
    const struct {
        const char* what;
        uint16_t panel;
        uint32_t control, value;
        int written;
        Writes after;
        int page, date, text;  // the positions after, each stored as 2 before
    } cases[] = {
        {"page number on: its default place over a stored one", 33500, 33511, 1, 1, {{33511, 1}}, 6, 2, 2},
        {"page number off keeps its place", 33500, 33510, 0, 1, {{33511, 0}}, 2, 2, 2},
        {"date on", 33600, 33611, 1, 1, {{33611, 1}}, 2, 3, 2},
        {"start number 0 held to 1", 33500, 33515, 0, 1, {{33515, 1}}, 2, 2, 2},
        {"date size 40 held to 32", 33600, 33627, 40, 1, {{33627, 32}}, 2, 2, 2},
        {"text on the first page only", 33700, 33715, 0, 1, {{33716, 0}}, 2, 2, 2},
        {"a box of the text panel", 33700, StampPositionCommand(33700, 4), 0, 1, {}, 2, 2, 4},
        {"another panel's box", 33500, StampPositionCommand(33600, 4), 0, 0, {}, 2, 2, 2},
        {"the preview has no field", 33500, 33540, 1, 0, {}, 2, 2, 2},
    };
    for (const auto& k : cases) {
        auto s = ZeroSession();
        PrivateSettings& p = s->dm.priv;
        p.stampPageSupport = 1;
        p.position_StampPage = p.position_StampDate = p.position_StampText = 2;
        p.startNumber_StampPage = p.startPage_StampPage = 5;
        p.size_StampPage = p.size_StampDate = p.size_StampText = 10;
        p.appliedPage_StampText = 1;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        EXPECT_EQ(k.written ? kChangeWritten : kChangeRefused, ChangeStampControl(k.panel, in, k.control, k.value))
            << k.what;
        for (const auto& [control, value] : k.after) EXPECT_EQ(value, ReadControlValue(*s, control)) << k.what;
        EXPECT_EQ(k.page, p.position_StampPage) << k.what;
        EXPECT_EQ(k.date, p.position_StampDate) << k.what;
        EXPECT_EQ(k.text, p.position_StampText) << k.what;
    }
}

TEST(StampDialog, ControlsWaitForTheirStamp) {
    const struct {
        uint16_t panel;
        uint8_t on, givenDate;
        uint32_t control;
        int enabled;
    } cases[] = {
        {33500, 1, 0, 33515, 1},
        {33500, 1, 0, 33525, 1},  // the font list is the system's, filled by the window
        {33600, 1, 0, 33620, 0}, {33600, 1, 1, 33620, 1}, {33600, 0, 1, 33620, 0}, {33700, 1, 0, 33718, 1},
        {33700, 1, 0, 33716, 0},  // the engine greys the pages with the tab's stamps off; the pair goes as one
    };
    for (const auto& k : cases) {
        auto s = ZeroSession();
        PrivateSettings& p = s->dm.priv;
        p.stampPageSupport = p.stampDateSupport = p.stampTextSupport = k.on;
        p.date_StampDate = k.givenDate;
        auto page = Refreshed(k.panel, *s);
        EXPECT_EQ(k.enabled, ControlOf(*page, k.control).enabled) << k.panel << " " << k.control;
    }
}

std::u16string Text(const StampDrawing& d) { return d.text; }

TEST(StampDialog, PreviewDrawsTheOwnStampLastAndTodayByDefault) {
    PrivateSettings p{};
    p.stampDateSupport = 1;
    p.startNumber_StampPage = 12;
    p.size_StampPage = 32;
    p.style_StampPage = 3;
    p.position_StampPage = 9;  // outside the set: shown at the default
    OpenStampPanels(p, u"06/12/2026");
    TypeStampText(p, kTextStamp, u"Draft");
    StampDrawing d[kStampPanelCount];
    ASSERT_EQ(2, StampPreviewDrawings(p, kPageStamp, u"06/12/2026", d));  // the text stamp is off
    EXPECT_EQ(u"06/12/2026", Text(d[0]));  // the date on, today chosen
    EXPECT_EQ(0, d[0].own);
    EXPECT_EQ(u"12", Text(d[1]));
    EXPECT_EQ(6, d[1].position);
    EXPECT_EQ(20, d[1].height);  // the largest size fills a box
    EXPECT_TRUE(d[1].bold && d[1].italic);
    p.date_StampDate = 1;
    TypeStampText(p, kDateStamp, u"2026/01/01");
    ASSERT_EQ(1, StampPreviewDrawings(p, kDateStamp, u"06/12/2026", d));
    EXPECT_EQ(u"2026/01/01", Text(d[0]));  // a given date keeps its slashes
    EXPECT_EQ(9, d[0].height);             // size 0 held to 8, drawn at the smallest height
    EXPECT_EQ(12, StampPreviewFontHeight(16));
}

}  // namespace
