// The font families a font combo offers, and text fitted behind "...".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/fitted_text.h"
#include "ui/font_faces.h"

namespace {

FontFamily Family(const std::u16string& face, int trueType, uint8_t charset = 0) {
    FontFamily f = {};
    face.copy(f.face, kFaceNameChars - 1);
    f.trueType = trueType;
    f.charset = charset;
    return f;
}

TEST(FontFaces, OfferedAndSelected) {
    std::vector<FontFamily> f = {Family(u"Serif One", 1),   Family(u"Raster", 0),          Family(u"Symbols", 1, kSymbolCharset),
                                 Family(u"@Vertical", 1),   Family(u"Sans Two", 1, 128),   Family(u"Serif One", 1, 161),
                                 Family(u"serif one", 1)};
    ASSERT_EQ(KeepOfferedFonts(f.data(), static_cast<int>(f.size())), 3);
    EXPECT_EQ(std::u16string(f[0].face), u"Serif One");
    EXPECT_EQ(std::u16string(f[1].face), u"Sans Two");
    EXPECT_EQ(std::u16string(f[2].face), u"serif one");  // names match exactly, case included
    EXPECT_EQ(SelectedFontIndex(f.data(), 3, u"Sans Two"), 1);
    EXPECT_EQ(SelectedFontIndex(f.data(), 3, u"Missing"), 0);
    EXPECT_EQ(SelectedFontIndex(f.data(), 3, u"Sans"), 0);
}

// Every character 5 wide, and 2 more for the last one's overhang.
int Measure(const char16_t*, int length, void*) { return length ? length * 5 + 2 : 0; }

TEST(FittedText, KeepsTheEnd) {
    struct Case {
        std::u16string text;
        int width;
        std::u16string drawn;
    };
    const Case cases[] = {
        {u"C:\\a\\file.txt", 200, u"C:\\a\\file.txt"},
        {u"C:\\a\\file.txt", 67, u"C:\\a\\file.txt"},        // exactly fits
        {u"C:\\a\\file.txt", 52, u"...ile.txt"},            // 3 characters too wide loses 6 behind the dots
        {u"C:\\folder\\b.txt", 47, u"...\\b.txt"},
        {u"abc", 10, u"..."},                                // nothing fits: the dots alone
        {u"", 0, u""},
    };
    for (const Case& k : cases) {
        char16_t out[64];
        int n = FitTextToWidth(k.text.c_str(), static_cast<int>(k.text.size()), k.width, Measure, nullptr, out, 64);
        EXPECT_EQ(std::u16string(out, n), k.drawn) << k.width;
        EXPECT_LE(Measure(out, n, nullptr), k.width > 17 || k.text.empty() ? k.width : 17);
    }
}

}  // namespace
