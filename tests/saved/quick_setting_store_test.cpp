// Named records in the printer's data: value names, the stored flag and
// record, the name list, and what a missing or foreign value gives.
#include "saved/quick_setting_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "saved/quick_keys.h"

namespace {

TEST(QuickSettingStore, ValueNames) {
    struct Case { std::u16string name; std::u16string valueName; };
    const Case cases[] = {
        {u"abc", u"QuickSetting_006100620063"},
        {u"+IDS_20674", u"QuickSetting_+IDS_20674"},
        {u"+ids_1", u"QuickSetting_002b006900640073005f0031"},
        {u"\u00C4\u20AC\uFFFF", u"QuickSetting_00c420acffff"},
        {u"", u"QuickSetting_"},
        // Only 20 code units count.
        {u"abcdefghijklmnopqrstuvwxyz", u"QuickSetting_" + std::u16string(u"0061006200630064006500660067006800690"
                                                                          u"06a006b006c006d006e006f0070007100720073"
                                                                          u"0074")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Narrow(c.valueName), Narrow(QuickSettingValueName(c.name.c_str()))) << Narrow(c.name);
        EXPECT_EQ(c.valueName.substr(13), EncodeSettingName(c.name.c_str()));
    }
}

TEST(QuickSettingStore, RecordWithFlagWrittenReadAndDeleted) {
    FakePlatformScope fake;
    FakePrinter& p = fake.spooler.AddPrinter(u"P");
    std::vector<uint8_t> rec(QuickRecordSize());
    for (size_t i = 0; i < rec.size(); i++) rec[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(1, WriteQuickSetting(u"P", u"abc", kQuickSettingPreset, rec.data(), 12206));
    const FakeValue* v = p.Find(u"QuickSetting_006100620063");
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(kRegBinary, v->type);
    ASSERT_EQ(12210u, v->bytes.size());
    EXPECT_EQ((std::vector<uint8_t>{1, 0, 0, 0}), std::vector<uint8_t>(v->bytes.begin(), v->bytes.begin() + 4));

    std::vector<uint8_t> back(QuickRecordSize());
    uint32_t flag = 9;
    EXPECT_EQ(12206, ReadQuickSetting(u"P", u"abc", back.data(), 12206, &flag));
    EXPECT_EQ(rec, back);
    EXPECT_EQ(1u, flag);
    // A stored record larger than the caller's buffer is not read.
    EXPECT_EQ(0, ReadQuickSetting(u"P", u"abc", back.data(), 12205, &flag));
    EXPECT_EQ(0, ReadQuickSetting(u"Q", u"abc", back.data(), 12206, &flag));
    EXPECT_EQ(0, fake.spooler.OpenHandles());

    p.setDataError = kErrAccessDenied;
    EXPECT_EQ(0, WriteQuickSetting(u"P", u"abc", 0, rec.data(), 12206));
    EXPECT_EQ(0, DeleteQuickSetting(u"P", u"abc"));
    p.setDataError = 0;
    EXPECT_EQ(1, DeleteQuickSetting(u"P", u"abc"));
    EXPECT_EQ(nullptr, p.Find(u"QuickSetting_006100620063"));
    EXPECT_EQ(0, ReadQuickSetting(u"P", u"abc", back.data(), 12206, &flag));
    EXPECT_EQ(0, DeleteQuickSetting(u"P", u"abc"));
}

TEST(QuickSettingStore, NameList) {
    FakePlatformScope fake;
    FakePrinter& p = fake.spooler.AddPrinter(u"P");
    std::vector<char16_t> names(630, 0), back(630, 0x55);
    std::memcpy(&names[0], u"+IDS_20674", 20);
    std::memcpy(&names[21 * 4], u"abc", 6);
    for (int i = 0; i < 21; i++) names[21 * 29 + i] = u'z';  // no terminator in the last slot
    int count = -1;
    EXPECT_EQ(0, ReadQuickSettingNames(u"P", back.data(), &count));
    ASSERT_EQ(1, WriteQuickSettingNames(u"P", names.data()));
    ASSERT_EQ(1260u, p.Find(u"QuickSettingNames")->bytes.size());
    ASSERT_EQ(1, ReadQuickSettingNames(u"P", back.data(), &count));
    EXPECT_EQ(3, count);
    names[21 * 29 + 20] = 0;
    EXPECT_EQ(names, back);
    // A list of another size is not read.
    p.SetBinary(u"QuickSettingNames", std::vector<uint8_t>(1258, 'a'));
    EXPECT_EQ(0, ReadQuickSettingNames(u"P", back.data(), &count));
    EXPECT_EQ(0, ReadQuickSettingNames(u"Q", back.data(), &count));
    EXPECT_EQ(0, fake.spooler.OpenHandles());
}

}  // namespace
