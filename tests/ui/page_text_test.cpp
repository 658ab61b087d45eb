// Edits that hold text: what a page writes back into the settings and shows
// again on its refresh.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ui/page_changes.h"

namespace {

std::u16string Repeat(char16_t c, size_t n) { return std::u16string(n, c); }

TEST(PageText, WrittenBackAndShown) {
    struct Case {
        uint16_t page;
        uint32_t control;
        std::u16string typed, stored;
    };
    const Case cases[] = {
        {30700, 30711, u"Alice", u"Alice"},
        {30700, 30714, Repeat(u'j', 255), Repeat(u'j', 255)},
        {30700, 30721, u"", u""},
        {30003, 30010, u"192.0.2.7", u"192.0.2.7"},
    };
    auto s = std::make_unique<PrinterSession>();
    auto state = std::make_unique<PageState>();
    for (const Case& k : cases) {
        std::memset(s.get(), 0, sizeof *s);
        PageInput in{s.get(), nullptr, SheetFacts{1, 1, 1, 0}, LastChange{0, 0}, nullptr};
        ASSERT_EQ(ApplyPageText(in, k.control, u"old text that is longer"), kChangeWritten);
        ASSERT_EQ(ApplyPageText(in, k.control, k.typed.c_str()), kChangeWritten) << k.control;
        EXPECT_EQ(in.last.control, k.control);
        ASSERT_TRUE(RefreshPage(k.page, in, *state));
        EXPECT_EQ(std::u16string(ControlOf(*state, k.control).text), k.stored) << k.control;  // nothing of the old text is left
    }
    std::memset(s.get(), 0, sizeof *s);
    PageInput in{s.get(), nullptr, SheetFacts{1, 1, 1, 0}, LastChange{0, 0}, nullptr};
    EXPECT_EQ(ApplyPageText(in, 30216, u"5"), kChangeRefused);  // copies is a number, not a text
    EXPECT_EQ(in.last.control, 0u);
    EXPECT_EQ(ControlTextChars(30711), 21);
    EXPECT_EQ(ControlTextChars(30216), 0);
}

}  // namespace
