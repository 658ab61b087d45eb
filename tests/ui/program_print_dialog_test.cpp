// The program-print dialog: its table read and written within the counts'
// range, typed counts, the scroll position, and its rules (slip-sheet paper
// sources, the slip-sheet choices hidden on single-tray models).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ui/page_changes.h"
#include "ui/program_print_dialog.h"

namespace {

TEST(ProgramPrintDialog, TableCountsAndScrolling) {
    PrivateSettings p{};
    p.copies_ProgramPrint[0] = 3;
    p.sets_ProgramPrint[0] = 2;
    p.copies_ProgramPrint[19] = 60000;  // more than a count may be
    p.copies_ProgramPrint[20] = 7;      // past the table: kept as it is
    ProgramPrintForm f;
    LoadProgramPrint(p, f);
    EXPECT_EQ(3, f.copies[0]);
    EXPECT_EQ(2, f.sets[0]);
    EXPECT_EQ(9999, f.copies[19]);
    f.copies[1] = 5;
    StoreProgramPrint(f, p);
    EXPECT_EQ(5, p.copies_ProgramPrint[1]);
    EXPECT_EQ(9999, p.copies_ProgramPrint[19]);
    EXPECT_EQ(7, p.copies_ProgramPrint[20]);

    const struct {
        const char16_t* typed;
        uint16_t count;
    } counts[] = {{u"12", 12}, {u"", 0}, {u"1a2", 12}, {u"99999", 9999}, {u"0007", 7}};
    for (const auto& c : counts) EXPECT_EQ(c.count, ParseProgramCount(c.typed));
    for (auto [position, top] : std::vector<std::pair<int, int>>{{-1, 0}, {0, 0}, {9, 9}, {16, 16}, {17, 16}, {99, 16}})
        EXPECT_EQ(top, ProgramPrintTop(position)) << position;
}

TEST(ProgramPrintDialog, SlipSheetChoicesFollowTheModel) {
    for (uint8_t fs : {0, 1}) {
        auto s = TraySession({7, 257, 258, 262});
        s->env.modelFS = fs;
        s->dm.priv.slipSheet_ProgramPrint = 1;
        s->dm.priv.tray_SlipSheet_ProgramPrint = 258;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        auto page = std::make_unique<PageState>();
        ASSERT_EQ(1, RefreshPage(kProgramPrintDialog, in, *page));
        for (int i = 0; i < page->controlCount; i++) {
            const ControlState& c = page->control[i];
            if (c.id >= 33097 && c.id <= 33102) {
                EXPECT_EQ(fs != 1, c.visible) << c.id;
            }
            if (c.id != 33102) continue;
            std::vector<uint32_t> values;
            for (int k = 0; k < c.itemCount; k++) values.push_back(c.item[k].value);
            EXPECT_EQ((std::vector<uint32_t>{257, 258}), values);  // neither the automatic source nor the inserter
            EXPECT_EQ(1, c.selected);
            EXPECT_EQ(1, c.enabled);
        }
    }
}

}  // namespace
