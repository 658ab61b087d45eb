// The key lookup and the keyed settings record: what a full record
// looks like, and what a foreign, short or broken record applies.
#include "saved/keyed_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "saved/quick_keys.h"
#include "settings/printer_rig.h"

namespace {

// Sizes, offsets and the row count are static_asserts in quick_keys.cpp;
// the lookup is exact, misspellings of the stored format included.
TEST(QuickKeys, FindKeyIsExact) {
    for (const char* key : {"duplexType", "repeat_traySerectPerPage", "rotate_Insert__MailMaking", "shinLineMode"}) {
        const QuickKey* k = FindKey(key);
        ASSERT_NE(nullptr, k) << key;
        EXPECT_STREQ(key, k->key);
    }
    for (const char* missing : {"duplexTyp", "duplexType_", "DuplexType", "repeat_traySelectPerPage", ""})
        EXPECT_EQ(nullptr, FindKey(missing)) << missing;
}

// Our defaults with some fields changed, in every width and in text.
std::unique_ptr<DriverDevMode> ChangedDefaults(PrinterRig& rig) {
    auto dm = std::make_unique<DriverDevMode>(rig.base->dm);
    dm->priv.duplexType = 2;
    dm->priv.staple = 20;
    dm->priv.copies = 12;
    dm->priv.paperType = 0x01020304;
    dm->priv.verticalPosition_mm_BackSide = -250;
    std::memcpy(dm->priv.jobName, u"Quarterly report", 34);
    dm->priv.copies_ProgramPrint[59] = 999;
    dm->priv.repeatPageNumber_traySerectPerPage = 77;
    dm->priv.shinLineMode = 1;
    return dm;
}

TEST(KeyedRecord, FullRecordLayoutAndBufferLimits) {
    PrinterRig rig;
    auto dm = ChangedDefaults(rig);
    std::vector<uint8_t> rec(QuickRecordSize());
    ASSERT_EQ(12206, SerializeSettings(rec.data(), dm.get(), static_cast<uint32_t>(rec.size())));
    const std::vector<uint8_t> first = {215, 0, 0xA1, 0xA0, 10, 0, 'd', 'u', 'p', 'l', 'e', 'x', 'T', 'y', 'p', 'e',
                                        2, 0, 2, 0};
    EXPECT_EQ(first, std::vector<uint8_t>(rec.begin(), rec.begin() + first.size()));
    const std::vector<uint8_t> last = {0xA1, 0xA0, 12, 0, 's', 'h', 'i', 'n', 'L', 'i', 'n', 'e', 'M', 'o', 'd', 'e',
                                       1, 0, 1};
    EXPECT_EQ(last, std::vector<uint8_t>(rec.end() - last.size(), rec.end()));
    for (uint32_t size : {0u, 19u, 12205u}) {
        std::vector<uint8_t> small(size + 1);
        EXPECT_EQ(-1, SerializeSettings(small.data(), dm.get(), size)) << size;
    }
}

TEST(KeyedRecord, RoundTripAppliesEveryKeyAndNothingElse) {
    PrinterRig rig;
    auto dm = ChangedDefaults(rig);
    std::vector<uint8_t> rec(QuickRecordSize());
    ASSERT_EQ(12206, SerializeSettings(rec.data(), dm.get(), 12206));
    // A target whose bytes all differ from the source.
    auto target = std::make_unique<DriverDevMode>();
    std::memset(target.get(), 0xEE, sizeof *target);
    auto want = std::make_unique<DriverDevMode>(*target);
    for (int i = 0; i < KeyCount(); i++) {
        const QuickKey& k = QuickKeyTable()[i];
        std::memcpy(reinterpret_cast<uint8_t*>(&want->priv) + k.offset,
                    reinterpret_cast<const uint8_t*>(&dm->priv) + k.offset, k.size);
    }
    EXPECT_EQ(12206, DeserializeSettings(rec.data(), 12206, target.get()));
    EXPECT_EQ(0, std::memcmp(want.get(), target.get(), sizeof *target));
}

// A hand-built record: items of key and value bytes, or raw bytes.
struct Item { std::string key; std::vector<uint8_t> value; bool badTag = false; };
std::vector<uint8_t> Build(uint16_t count, const std::vector<Item>& items) {
    std::vector<uint8_t> r;
    auto put16 = [&r](size_t v) { r.push_back(uint8_t(v)), r.push_back(uint8_t(v >> 8)); };
    put16(count);
    for (const Item& it : items) {
        put16(it.badTag ? 0xA1A0 : 0xA0A1);
        put16(it.key.size());
        r.insert(r.end(), it.key.begin(), it.key.end());
        put16(it.value.size());
        r.insert(r.end(), it.value.begin(), it.value.end());
    }
    return r;
}

TEST(KeyedRecord, ForeignShortLongAndBrokenItems) {
    // bytes: the field's first bytes afterwards.
    struct Patch { const char* key; std::vector<uint8_t> bytes; };
    // cut: bytes removed from the record's end; want: the result; kWhole: the record's length.
    struct Case { const char* what; uint16_t count; std::vector<Item> items; size_t cut; int want;
                  std::vector<Patch> applied; };
    constexpr int kWhole = -2;
    const std::string longKey(300, 'k');
    const Case cases[] = {
        {"count 0 changes nothing", 0, {{"staple", {1}}}, 0, 2, {}},
        {"unknown keys are skipped",
         3, {{"staple", {1}}, {"futureSetting", {9, 9, 9}}, {"punch", {2}}}, 0, kWhole,
         {{"staple", {1}}, {"punch", {2}}}},
        {"a key longer than 255 is skipped", 2, {{longKey, {5}}, {"punch", {2}}}, 0, kWhole, {{"punch", {2}}}},
        {"a short value fills the field's first bytes", 1, {{"copies", {7}}}, 0, kWhole, {{"copies", {7, 0xEE}}}},
        {"a long value fills the field and the rest is skipped",
         2, {{"copies", {1, 2, 3, 4}}, {"punch", {2}}}, 0, kWhole, {{"copies", {1, 2}}, {"punch", {2}}}},
        {"a wrong tag stops at that item",
         3, {{"staple", {1}}, {"punch", {2}, true}, {"fold", {3}}}, 0, -1, {{"staple", {1}}}},
        {"a value cut short applies nothing of it",
         2, {{"staple", {1}}, {"jobName", std::vector<uint8_t>(512, 'x')}}, 1, -1, {{"staple", {1}}}},
        {"a key cut short", 2, {{"staple", {1}}, {"punch", {2}}}, 4, -1, {{"staple", {1}}}},
        {"the count promises more items", 3, {{"staple", {1}}, {"punch", {2}}}, 0, -1,
         {{"staple", {1}}, {"punch", {2}}}},
        {"a count byte only", 0, {}, 1, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> full = Build(c.count, c.items);
        // Exactly the record's bytes, so a read past its end is caught.
        std::vector<uint8_t> rec(full.begin(), full.end() - static_cast<long>(c.cut));
        auto dm = std::make_unique<DriverDevMode>();
        std::memset(dm.get(), 0xEE, sizeof *dm);
        auto want = std::make_unique<DriverDevMode>(*dm);
        for (const Patch& p : c.applied)
            std::memcpy(reinterpret_cast<uint8_t*>(&want->priv) + FindKey(p.key)->offset, p.bytes.data(),
                        p.bytes.size());
        EXPECT_EQ(c.want == kWhole ? static_cast<int>(rec.size()) : c.want,
                  DeserializeSettings(rec.data(), static_cast<uint32_t>(rec.size()), dm.get()));
        EXPECT_EQ(0, std::memcmp(want.get(), dm.get(), sizeof *dm));
    }
}

}  // namespace
