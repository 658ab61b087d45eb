// The watermark's custom texts in the printer's data: adding into the first
// free entry with the smallest free ID, refusing what may not be added,
// deleting, and a damaged value read as far as it is sound and written back
// with its damaged part as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "ui/watermark_texts.h"

namespace {

struct Entry {
    uint16_t id;
    const char16_t* text;  // null: 64 units without a terminator
};

std::vector<uint8_t> Value(const std::vector<Entry>& entries) {
    std::vector<uint8_t> v(kCustomWMTextSize, 0);
    for (size_t i = 0; i < entries.size(); i++) {
        uint8_t* e = v.data() + i * kCustomTextEntryBytes;
        std::memcpy(e, &entries[i].id, 2);
        if (!entries[i].text) std::memset(e + 2, 'x', 128);
        else std::memcpy(e + 2, entries[i].text, std::char_traits<char16_t>::length(entries[i].text) * 2);
    }
    return v;
}

struct Store {
    FakePlatformScope fake;
    PrinterHandle h = nullptr;
    WatermarkTextStore store{};
    explicit Store(const std::vector<uint8_t>* value) {
        FakePrinter& p = fake.spooler.AddPrinter(u"P");
        if (value) p.SetBinary(u"CustomWMText", *value);
        Spool().OpenPrinter(u"P", kPrinterAccessAdminister, &h);
        LoadWatermarkTexts(h, store);
    }
    ~Store() { Spool().ClosePrinter(h); }
    std::vector<uint8_t> Stored() {
        const FakeValue* v = fake.spooler.Printer(u"P")->Find(u"CustomWMText");
        return v ? v->bytes : std::vector<uint8_t>{};
    }
    std::string Listed() {
        std::string out;
        uint16_t id = 0;
        char16_t text[kCustomTextUnits];
        for (int n = 0; WatermarkTextAt(store, n, &id, text); n++) out += std::to_string(id) + "=" + Narrow(text) + " ";
        return out;
    }
};

TEST(WatermarkTexts, AddAndDelete) {
    const struct {
        const char* what;
        std::vector<Entry> before;
        int deleteId;        // 0: none
        const char16_t* add;
        int result;
        std::string after;   // the listed texts after
    } cases[] = {
        {"first text of an empty store", {}, 0, u"Draft", kTextDone, "6=Draft "},
        {"freed ID and entry used again", {{6, u"A"}, {7, u"B"}, {8, u"C"}}, 7, u"D", kTextDone, "6=A 7=D 8=C "},
        {"same text twice", {{6, u"Draft"}}, 0, u"Draft", kTextExists, "6=Draft "},
        {"forbidden character", {}, 0, u"a/b", kTextForbidden, ""},
        {"empty text", {{6, u"A"}}, 0, u"", kTextEmpty, "6=A "},
        {"a free entry behind used ones", {{9, u"A"}, {0, u""}, {6, u"B"}}, 0, u"C", kTextDone, "9=A 7=C 6=B "},
    };
    for (const auto& k : cases) {
        std::vector<uint8_t> value = Value(k.before);
        Store s(k.before.empty() ? nullptr : &value);
        if (k.deleteId) {
            EXPECT_EQ(kTextDone, DeleteWatermarkText(s.h, s.store, k.deleteId)) << k.what;
        }
        uint16_t id = 0;
        EXPECT_EQ(k.result, AddWatermarkText(s.h, s.store, k.add, &id)) << k.what;
        EXPECT_EQ(k.after, s.Listed()) << k.what;
        // What is listed is what the printer holds.
        std::vector<uint8_t> stored = s.Stored();
        WatermarkTextStore reread{};
        ParseWatermarkTexts(stored.data(), static_cast<uint32_t>(stored.size()), reread);
        if (k.result == kTextDone) {
            EXPECT_EQ(0, std::memcmp(reread.raw, s.store.raw, kCustomWMTextSize)) << k.what;
        }
    }
}

// A full store, a failed write and an oversized value: nothing changes.
TEST(WatermarkTexts, RefusedWritesChangeNothing) {
    std::vector<Entry> full;
    for (uint16_t i = 0; i < kCustomTextSlots; i++) full.push_back({static_cast<uint16_t>(6 + i), u"t"});
    std::vector<uint8_t> big = Value({{6, u"A"}});
    big.resize(kCustomWMTextSize + 10, 0);
    const struct {
        std::vector<uint8_t> value;
        uint32_t writeError;
        int add, remove;
    } cases[] = {{Value(full), 0, kTextStoreFull, kTextDone},
                 {Value({{6, u"A"}}), 5, kTextWriteFailed, kTextWriteFailed},
                 {big, 0, kTextStoreFull, kTextWriteFailed}};
    for (const auto& k : cases) {
        Store s(&k.value);
        s.fake.spooler.Printer(u"P")->setDataError = k.writeError;
        EXPECT_EQ(k.add == kTextWriteFailed, CanAddWatermarkText(s.store));
        EXPECT_EQ(k.add, AddWatermarkText(s.h, s.store, u"B", nullptr));
        if (k.remove != kTextDone) {
            EXPECT_EQ(k.remove, DeleteWatermarkText(s.h, s.store, 6));
            EXPECT_EQ(k.value, s.Stored());
            EXPECT_EQ("6=A ", s.Listed());
        }
    }
    Store absent(nullptr);
    EXPECT_EQ(1, CanAddWatermarkText(absent.store));
    EXPECT_EQ(kTextNotFound, DeleteWatermarkText(absent.h, absent.store, 3));  // a built-in text is never deleted
}

// Entries up to the first unsound one are listed; adding uses a free entry
// before it and leaves the bytes from it on as they were.
TEST(WatermarkTexts, DamagedValueReadAsFarAsSound) {
    const struct {
        const char* what;
        std::vector<Entry> entries;
        uint32_t size;  // bytes stored
        int sound;
        std::string listed;
    } cases[] = {
        {"built-in ID in the third entry", {{6, u"A"}, {0, u""}, {3, u"X"}, {9, u"B"}}, kCustomWMTextSize, 2, "6=A "},
        {"repeated ID", {{6, u"A"}, {0, u""}, {6, u"X"}}, kCustomWMTextSize, 2, "6=A "},
        {"text without terminator", {{6, u"A"}, {0, u""}, {8, nullptr}}, kCustomWMTextSize, 2, "6=A "},
        {"cut inside the third entry", {{6, u"A"}, {0, u""}, {8, u"B"}}, 2 * 130 + 40, 2, "6=A "},
        {"cut behind the second entry", {{6, u"A"}, {0, u""}}, 2 * 130, kCustomTextSlots, "6=A "},
    };
    for (const auto& k : cases) {
        std::vector<uint8_t> value = Value(k.entries);
        value.resize(k.size);
        Store s(&value);
        EXPECT_EQ(k.sound, s.store.soundSlots) << k.what;
        EXPECT_EQ(k.listed, s.Listed()) << k.what;
        uint16_t id = 0;
        ASSERT_EQ(kTextDone, AddWatermarkText(s.h, s.store, u"New", &id)) << k.what;
        EXPECT_EQ(7, id) << k.what;  // 6 is taken; so is every ID of the damaged part
        std::vector<uint8_t> stored = s.Stored();
        ASSERT_EQ(kCustomWMTextSize, stored.size());
        EXPECT_EQ(0, std::memcmp(stored.data() + 260, value.data() + 260, k.size - 260)) << k.what;
        EXPECT_EQ(0, std::memcmp(stored.data(), value.data(), 130)) << k.what;
    }
}

}  // namespace
