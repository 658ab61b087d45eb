// The portable parts of the resource module's language handling: the
// language map, the LocaleID rule, the string-block walk, the match of the
// module among a driver's files and the "+IDS_" references.
#include <gtest/gtest.h>

#include <vector>

#include "base/text16.h"
#include "ui/display_name_ref.h"
#include "ui/fitted_text.h"
#include "ui/resource_module_name.h"
#include "ui/string_block.h"
#include "ui/ui_language.h"

TEST(UILanguage, MapsRegionalVariantsOntoCarriedLanguages) {
    const struct { uint16_t user, expected; } cases[] = {
        {1046, 2070}, {2070, 2070}, {2057, 1033}, {1033, 1033}, {3082, 3082}, {1034, 3082}, {20490, 3082},
        {11274, 3082}, {4100, 2052}, {3076, 3076}, {1028, 1028}, {5127, 1031}, {5132, 1036}, {2066, 1042},
        {2077, 1053}, {1041, 1041}, {1066, 1066}, {0, 1033}, {21514, 1033}, {1045, 1033},
    };
    for (const auto& c : cases) EXPECT_EQ(MapUILanguage(c.user), c.expected) << c.user;
}

TEST(UILanguage, StoredLocaleIdCountsOnlyAsANonZeroDword) {
    const struct { int found; uint32_t type, size, value, expected; } cases[] = {
        {1, 4, 4, 1041, 1041},  // wins over the user's language
        {1, 4, 4, 0, 1031},     // 0 means unset
        {1, 1, 4, 1041, 1031},  // a string
        {1, 3, 4, 1041, 1031},  // binary
        {1, 4, 2, 1041, 1031},  // short
        {0, 4, 4, 1041, 1031},  // the read failed
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseUILanguage(c.found, c.type, c.size, c.value, 1031), c.expected) << c.type << "/" << c.size;
}

namespace {

// A block from (entry, text) pairs; every other entry empty.
std::vector<uint8_t> Block(std::vector<std::pair<int, std::u16string>> texts, int entries = 16) {
    std::vector<uint8_t> b;
    for (int e = 0; e < entries; e++) {
        std::u16string t;
        for (auto& [at, s] : texts)
            if (at == e) t = s;
        b.push_back(uint8_t(t.size())), b.push_back(uint8_t(t.size() >> 8));
        for (char16_t c : t) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    }
    return b;
}

}  // namespace

TEST(StringBlock, WalksCountedEntries) {
    EXPECT_EQ(StringBlockOf(20512), 1283u);
    EXPECT_EQ(StringBlockOf(20527), 1283u);
    EXPECT_EQ(StringBlockOf(20528), 1284u);
    std::vector<uint8_t> full = Block({{0, u"first"}, {3, u"Auto"}, {15, u"last"}});
    std::vector<uint8_t> cut = Block({{0, u"first"}}, 5);  // ends after entry 4
    const struct { const std::vector<uint8_t>* block; uint32_t id, capacity, count; std::u16string text; } cases[] = {
        {&full, 20512, 20, 5, u"first"}, {&full, 20515, 20, 4, u"Auto"},  {&full, 20527, 20, 4, u"last"},
        {&full, 20513, 20, 0, u"keep"},  {&full, 20515, 4, 3, u"Aut"},    {&full, 20515, 5, 4, u"Auto"},
        {&full, 20515, 1, 0, u"keep"},   {&cut, 20520, 20, 0, u"keep"},   {&cut, 20512, 20, 5, u"first"},
    };
    for (const auto& c : cases) {
        char16_t out[20] = u"keep";
        EXPECT_EQ(CopyStringFromBlock(c.block->data(), c.block->size(), c.id, out, c.capacity), c.count) << c.id;
        EXPECT_EQ(std::u16string(out), c.text) << c.id << "/" << c.capacity;
    }
    char16_t out[8] = u"keep";
    std::vector<uint8_t> truncated = Block({{3, u"Automatic"}});
    truncated.resize(truncated.size() - 30);  // the text runs past the bytes
    EXPECT_EQ(CopyStringFromBlock(truncated.data(), truncated.size(), 3, out, 8), 0u);
    EXPECT_EQ(std::u16string(out), u"keep");
}

TEST(ResourceModuleName, DataFileThenDependentFilesThenOwnFile) {
    const struct { std::u16string dataFile; std::vector<std::u16string> dependent; const char16_t* fallback; int result;
                   std::u16string path; } cases[] = {
        {u"C:\\drv\\zr51arc.dll", {u"C:\\drv\\ZR51ARC.DLL"}, u"C:\\drv\\ZR51AUI.DLL", 1, u"C:\\drv\\zr51arc.dll"},
        {u"C:\\drv\\ZRC4500.RDF", {u"a.dll", u"b.hlp", u"C:\\x\\Zr51Arc.Dll", u"ZR51ARC.DLL"}, u"own", 1,
         u"C:\\x\\Zr51Arc.Dll"},
        {u"ZR51ARC.DLL.bak", {u"XZR51ARC.DLL", u"ZR51ARC.DLLX", u"ZR51ARC"}, u"C:\\own\\ZR51AUI.DLL", 1,
         u"C:\\own\\ZR51AUI.DLL"},
        {u"", {u"D:/drivers/3/ZR51ARC.DLL"}, u"own", 1, u"D:/drivers/3/ZR51ARC.DLL"},
        {u"", {}, nullptr, 0, u""},
        {u"", {}, u"", 0, u""},
    };
    for (const auto& c : cases) {
        char16_t out[260] = u"junk";
        EXPECT_EQ(PickResourceModulePath(c.dataFile, c.dependent, c.fallback, out, 260), c.result);
        EXPECT_EQ(std::u16string(out), c.path);
    }
    char16_t small[8];
    EXPECT_EQ(PickResourceModulePath(u"C:\\drv\\ZR51ARC.DLL", {}, nullptr, small, 8), 0);
    EXPECT_EQ(small[0], 0);
}

TEST(DisplayNameRef, NumberFromTheSixthCharacter) {
    const struct { const char16_t* name; int ref; uint32_t id; } cases[] = {
        {u"+IDS_20674", 1, 20674}, {u"+IDS_20674x", 1, 20674}, {u"+IDS_abc", 1, 0}, {u"+IDS_", 1, 0},
        {u"+IDS", 1, 0},           {u"+IDS-42", 1, 42},        {u"+ids_20674", 0, 0}, {u"IDS_20674", 0, 0},
        {u"My settings", 0, 0},    {u"", 0, 0},                {nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDisplayNameRef(c.name), c.ref);
        EXPECT_EQ(DisplayNameRefId(c.name), c.id);
    }
}

namespace {
int CountWidth(const char16_t*, int length, void* width) { return length * *static_cast<int*>(width); }
}  // namespace

// A text cut to its field keeps a character outside the basic plane (two
// UTF-16 units, such as U+20B9F) whole or drops it whole: the string table's
// copy, the fixed-field copy and the text fitted to a width with "..." in front.
TEST(TextCut, NeverHalvesASurrogatePair) {
    const std::u16string kanji = u"\U00020B9F";  // a pair
    std::vector<uint8_t> block = Block({{2, u"ab" + kanji + u"cd"}});
    const struct { uint32_t capacity; std::u16string text; } copies[] = {
        {3, u"ab"}, {4, u"ab"}, {5, u"ab" + kanji}, {6, u"ab" + kanji + u"c"}, {8, u"ab" + kanji + u"cd"},
    };
    for (const auto& c : copies) {
        char16_t out[8] = u"keep";
        EXPECT_EQ(CopyStringFromBlock(block.data(), block.size(), 2, out, c.capacity), c.text.size()) << c.capacity;
        EXPECT_EQ(std::u16string(out), c.text) << c.capacity;
        char16_t field[8] = u"keep";
        std::u16string source = u"ab" + kanji + u"cd";
        Text16Copy(field, c.capacity, source.c_str());
        EXPECT_EQ(std::u16string(field), c.text) << c.capacity;
    }
    // Fitting at one pixel per unit: the tail never starts inside the pair.
    const std::u16string path = u"C:\\x" + kanji + u"yz";  // 8 units
    const struct { int width, room; std::u16string text; } fits[] = {
        {8, 20, path}, {7, 20, u"..." + kanji + u"yz"}, {6, 20, u"...yz"}, {5, 20, u"...yz"},
        {8, 6, u"C:\\x"}, {4, 6, u"...x"},
    };
    for (const auto& f : fits) {
        char16_t out[20] = {};
        int one = 1;
        int n = FitTextToWidth(path.c_str(), int(path.size()), f.width, CountWidth, &one, out, f.room);
        EXPECT_EQ(std::u16string(out, n), f.text) << f.width << "/" << f.room;
    }
}
