// The gamma dialog's rules: the colour values a colour mode uses (others are
// 0 and greyed), the preview's mode, and the one-ink models' template.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ui/gamma_dialog.h"

namespace {

TEST(GammaDialog, ColourModesDecideTheColourValues) {
    const struct {
        uint8_t mode;
        int used, previewInColor;
    } rows[] = {{0, 1, 1}, {1, 1, 1}, {5, 1, 1}, {7, 1, 0}, {2, 0, 0}, {3, 0, 0}, {6, 0, 0}};
    for (const auto& r : rows) {
        auto s = std::make_unique<PrinterSession>();
        std::memset(s.get(), 0, sizeof *s);
        PrivateSettings& p = s->dm.priv;
        p.colorMode = r.mode;
        p.lightness_GammaControl = 5;
        p.chroma_GammaControl = -7;
        p.colorBlue_GammaControl = 12;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        auto page = std::make_unique<PageState>();
        ASSERT_EQ(1, RefreshPage(kGammaDialog, in, *page));
        EXPECT_EQ(r.previewInColor, GammaPreviewInColor(r.mode)) << int(r.mode);
        EXPECT_EQ(5, p.lightness_GammaControl) << int(r.mode);
        EXPECT_EQ(r.used ? -7 : 0, p.chroma_GammaControl) << int(r.mode);
        EXPECT_EQ(r.used ? 12 : 0, p.colorBlue_GammaControl) << int(r.mode);
        for (int i = 0; i < page->controlCount; i++) {
            uint32_t id = page->control[i].id;
            // Chroma's edit and blue's slider follow the mode; lightness's edit never does.
            int expected = id == 32113 ? 1 : r.used;
            if (id == 32119 || id == 32147 || id == 32113) {
                EXPECT_EQ(expected, page->control[i].enabled) << int(r.mode) << " " << id;
            }
        }
    }
    PrinterEnvironment env{};
    for (uint8_t inks : {1, 2, 4}) {
        env.inkCount = inks;
        EXPECT_EQ(inks == 1 ? kGammaMonoDialog : kGammaDialog, GammaDialogTemplate(env));
    }
}

}  // namespace
