// The models of the mixed-size two-sided and custom paper size dialogs: what
// they show for stored settings and what a change or OK writes back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/custom_paper_size.h"
#include "ui/spin_number.h"
#include "ui/page_changes.h"
#include "ui/sub_dialog_model.h"

namespace {

// Each click of the dialog, written into the settings as a page change, and
// what the refreshed dialog then shows.
TEST(MixedDuplexDialog, ClicksWriteTheChoicesAndPickThePicture) {
    struct Row {
        uint32_t control, value;
        int smaller, larger, rotate;
        uint32_t recorded;  // the feature the engine hears of
        uint16_t picture;
        const char* checked;  // 31813 31814 31816 31817 31818
    } rows[] = {
        {31813, 2, 2, 3, 0, 31813, 11976, "10010"},
        {31816, 2, 2, 2, 0, 31816, 11977, "10100"},
        {31814, 3, 3, 2, 0, 31813, 11975, "01100"},
        {31817, 3, 3, 3, 0, 31816, 11974, "01010"},
        {31818, 1, 3, 3, 1, 31818, 11974, "01011"},
    };
    auto s = ZeroSession();
    s->dm.priv.duplexTypeOfSmallerPage = 3;
    s->dm.priv.duplexTypeOfLargerPage = 3;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control);
        ASSERT_EQ(kChangeWritten, ApplyPageChange(in, r.control, r.value, nullptr, 0, nullptr));
        EXPECT_EQ(r.smaller, s->dm.priv.duplexTypeOfSmallerPage);
        EXPECT_EQ(r.larger, s->dm.priv.duplexTypeOfLargerPage);
        EXPECT_EQ(r.rotate, s->dm.priv.rotateLargerPage);
        EXPECT_EQ(r.recorded, in.last.control);
        ASSERT_EQ(1, RefreshPage(kMixedDuplexDialog, in, *page));
        const ControlState& picture = ControlOf(*page, 31810);
        ASSERT_EQ(1, picture.itemCount);
        EXPECT_EQ(r.picture, picture.item[0].value);
        std::string checked;
        for (uint32_t id : {31813u, 31814u, 31816u, 31817u, 31818u}) checked += ControlOf(*page, id).checked ? '1' : '0';
        EXPECT_EQ(r.checked, checked);
    }
}

std::string Text(const char16_t* t) { return std::string(t, t + std::char_traits<char16_t>::length(t)); }

// The stored size in the unit of length, the range, a typed value and the
// values OK stores (0.01 mm).
TEST(CustomSizeDialog, ShownInTheUnitAndStoredBack) {
    struct Row {
        int unit, target;
        int32_t storedWidth, storedLength;
        const char* width;
        const char* length;
        const char* widthRange;
        const char* typedLength;
        int32_t keptWidth, keptLength;
    } rows[] = {
        {0, kCustomOriginal, 21000, 29700, "210.0", "297.0", "[90 - 340]", "300.5", 21000, 30050},
        {0, kCustomOutput, 0, 0, "210.0", "297.0", "[90 - 340]", "600", 21000, 55000},
        {1, kCustomOriginal, 0, 0, "8.27", "11.69", "[3.55 - 13.38]", "11.69", 21006, 29693},
        {1, kCustomOutput, 2000, 99999, "3.55", "21.65", "[3.55 - 13.38]", "5.8", 9017, 14808},
        {1, kCustomOriginal, 21590, 27940, "8.50", "11.00", "[3.55 - 13.38]", "", 21590, 27940},
    };
    auto s = ZeroSession();
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.unit << " " << r.width);
        std::memset(s.get(), 0, sizeof *s);
        s->env.unitOfLength = static_cast<uint8_t>(r.unit);
        s->dm.priv.originalSize = 256;
        s->dm.priv.outputSize = r.target == kCustomOutput ? 256 : 0;
        int32_t& w = r.target ? s->dm.priv.outputWidth_mm_CustomPaper : s->dm.priv.originalWidth_mm_CustomPaper;
        int32_t& l = r.target ? s->dm.priv.outputLength_mm_CustomPaper : s->dm.priv.originalLength_mm_CustomPaper;
        w = r.storedWidth, l = r.storedLength;
        CustomSizeForm form;
        LoadCustomSize(*s, r.target, form);
        char16_t text[32];
        FormatSpinValue(form.width, CustomSizeDecimals(form), u".", text, 32);
        EXPECT_EQ(r.width, Text(text));
        FormatSpinValue(form.length, CustomSizeDecimals(form), u".", text, 32);
        EXPECT_EQ(r.length, Text(text));
        CustomSizeRangeText(form, 0, text, 32);
        EXPECT_EQ(r.widthRange, Text(text));
        std::u16string typed(r.typedLength, r.typedLength + std::strlen(r.typedLength));
        form.length = ClampCustomLength(form, ParseSpinText(typed.c_str(), CustomSizeDecimals(form), u".", form.length));
        StoreCustomSize(form, *s);
        EXPECT_EQ(r.keptWidth, w);
        EXPECT_EQ(r.keptLength, l);
        // The output's physical size follows the custom size it uses.
        EXPECT_EQ(r.keptWidth, s->dm.priv.outputWidth_mm);
        EXPECT_EQ(r.keptLength, s->dm.priv.outputLength_mm);
    }
}

}  // namespace
