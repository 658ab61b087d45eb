// The export file: exact bytes of small records (which pin the prefix code),
// round trips of realistic records and of every byte value, and every
// refused file.
#include "saved/export_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "settings/printer_rig.h"

namespace {

std::vector<uint8_t> Header(int coding, int k, int z, int u, const std::u16string& name) {
    std::vector<uint8_t> h = {'K', 'E', 'L', 'O', '_', 'Q', 'V', 'T', 0, 0, 20, 0, 64, 0,
                              static_cast<uint8_t>(coding), 0, static_cast<uint8_t>(k), static_cast<uint8_t>(k >> 8),
                              static_cast<uint8_t>(z), static_cast<uint8_t>(z >> 8), static_cast<uint8_t>(u),
                              static_cast<uint8_t>(u >> 8)};
    for (int i = 0; i < 21; i++) {
        const char16_t c = i < static_cast<int>(name.size()) ? name[i] : 0;
        h.push_back(static_cast<uint8_t>(c));
        h.push_back(static_cast<uint8_t>(c >> 8));
    }
    return h;
}

TEST(ExportFile, ExactBytesOfSmallRecords) {
    // tail: symbol table and stream.
    struct Case { const char* what; std::vector<uint8_t> record; std::u16string name; int k;
                  std::vector<uint8_t> tail; };
    const Case cases[] = {
        // Nine bytes of 2-bit words: 18 bits in three bytes.
        {"one symbol", std::vector<uint8_t>(9, 0x41), u"abc", 1, {0x41, 0x00, 0x00, 0x00}},
        // 2 and 1 both occur twice: 2 ranks first; 3 codes as rank 2.
        {"ties", {1, 2, 2, 1, 3}, u"+IDS_20674", 3, {2, 1, 3, 0x70, 0x7D}},
        {"tie at the ends of the byte range", {0x00, 0xFF}, u"", 2, {0xFF, 0x00, 0x70}},
        // 5 beats 9 by count; ranks 0..3 are 00, 0111, 1101, 1111.
        {"by count", {9, 5, 5, 6, 7, 5}, u"twenty characters...", 4, {5, 9, 7, 6, 0x70, 0xFD, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> file;
        ASSERT_EQ(1, WriteExportFile(&file, c.record.data(), static_cast<uint32_t>(c.record.size()), c.name.c_str()));
        std::vector<uint8_t> want =
            Header(1, c.k, static_cast<int>(c.tail.size()) - c.k, static_cast<int>(c.record.size()), c.name);
        want.insert(want.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(want, file);
        std::vector<uint8_t> back;
        char16_t name[21];
        ASSERT_EQ(0, ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &back, name));
        EXPECT_EQ(c.record, back);
        EXPECT_EQ(c.name, std::u16string(name));
    }
}

// Our defaults with the given changes, as a keyed record.
std::vector<uint8_t> DefaultsRecord(PrinterRig& rig, void (*change)(PrivateSettings&)) {
    auto dm = std::make_unique<DriverDevMode>(rig.base->dm);
    if (change) change(dm->priv);
    std::vector<uint8_t> rec(QuickRecordSize());
    EXPECT_EQ(12206, SerializeSettings(rec.data(), dm.get(), 12206));
    return rec;
}

TEST(ExportFile, RealisticRecordsRoundTrip) {
    PrinterRig rig;
    const struct { const char* what; void (*change)(PrivateSettings&); } cases[] = {
        {"defaults", nullptr},
        {"program print", [](PrivateSettings& p) {
             p.programPrint = 1;
             for (int i = 0; i < 60; i++) p.copies_ProgramPrint[i] = static_cast<uint16_t>(i * 37);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> rec = DefaultsRecord(rig, c.change);
        std::vector<uint8_t> file;
        ASSERT_EQ(1, WriteExportFile(&file, rec.data(), 12206, u"Favourite 1"));
        EXPECT_EQ(1, file[14]) << "coded";
        EXPECT_LT(file.size(), rec.size() / 2);
        std::vector<uint8_t> back;
        char16_t name[21];
        ASSERT_EQ(0, ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &back, name));
        EXPECT_EQ(rec, back);
        EXPECT_EQ(u"Favourite 1", std::u16string(name));
    }
}

TEST(ExportFile, EveryByteValueAndIncompressibleRecords) {
    std::mt19937 random(9);
    std::vector<uint8_t> noise(4000);
    for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
    std::vector<uint8_t> skewed(12206, 0);
    for (int i = 0; i < 256; i++) skewed[i * 40] = static_cast<uint8_t>(i);
    for (const std::vector<uint8_t>* rec : {&noise, &skewed}) {
        std::vector<uint8_t> file;
        ASSERT_EQ(1, WriteExportFile(&file, rec->data(), static_cast<uint32_t>(rec->size()), u"n"));
        EXPECT_EQ(256, file[16] | file[17] << 8);
        std::vector<uint8_t> back;
        char16_t name[21];
        ASSERT_EQ(0, ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &back, name));
        EXPECT_EQ(*rec, back);
    }
    std::vector<uint8_t> file;
    ASSERT_EQ(1, WriteExportFile(&file, noise.data(), 4000, u"n"));
    EXPECT_EQ(0, file[14]) << "random bytes code longer than they are: stored uncoded";
    EXPECT_EQ(64u + 4000u, file.size());
    EXPECT_EQ(0, WriteExportFile(&file, noise.data(), 0, u"n"));
}

void Put16(std::vector<uint8_t>& f, size_t at, int v) { f[at] = uint8_t(v), f[at + 1] = uint8_t(v >> 8); }

TEST(ExportFile, RefusedFilesChangeNothing) {
    PrinterRig rig;
    const std::vector<uint8_t> rec = DefaultsRecord(rig, nullptr);
    std::vector<uint8_t> good;
    ASSERT_EQ(1, WriteExportFile(&good, rec.data(), 12206, u"abc"));
    const int k = good[16] | good[17] << 8, z = good[18] | good[19] << 8;
    std::vector<uint8_t> one = Header(1, 1, 1, 1, u"x");  // symbol 'A', one code byte
    one.push_back('A');
    one.push_back(0x00);
    struct Case { const char* what; std::vector<uint8_t> base; void (*mutate)(std::vector<uint8_t>&); };
    const Case cases[] = {
        {"empty", good, [](std::vector<uint8_t>& f) { f.clear(); }},
        {"header only", good, [](std::vector<uint8_t>& f) { f.resize(64); }},
        {"stream cut by a byte", good, [](std::vector<uint8_t>& f) { f.pop_back(); }},
        {"tag differs in one letter", good, [](std::vector<uint8_t>& f) { f[5] = 'O'; }},
        {"name length 21", good, [](std::vector<uint8_t>& f) { f[10] = 21; }},
        {"header size 65", good, [](std::vector<uint8_t>& f) { f[12] = 65; }},
        {"K 0", good, [](std::vector<uint8_t>& f) { Put16(f, 16, 0); }},
        {"U 0", good, [](std::vector<uint8_t>& f) { Put16(f, 20, 0); }},
        {"bytes beyond K + U", good, [](std::vector<uint8_t>& f) { f.resize(f.size() + 13000, 0); }},
        {"K larger than the file", good, [](std::vector<uint8_t>& f) { Put16(f, 16, 0xFFFF); }},
        {"U more than the stream holds", good, [](std::vector<uint8_t>& f) { Put16(f, 20, 40000); }},
        {"more ranks than code words", good, [](std::vector<uint8_t>& f) {
             Put16(f, 16, 300);
             f.resize(64 + 300 + (f[18] | f[19] << 8), 0);
         }},
        {"uncoded record beyond the file", good, [](std::vector<uint8_t>& f) { f[14] = 0; }},
        {"a code word without a symbol", one, [](std::vector<uint8_t>& f) { f.back() = 0xFF; }},
    };
    ASSERT_GT(k, 1);
    ASSERT_GT(z, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> file = c.base;
        // The unchanged file is read, so each refusal is the mutation's.
        std::vector<uint8_t> out;
        char16_t name[21];
        ASSERT_EQ(0, ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &out, name));
        c.mutate(file);
        std::vector<uint8_t> kept = {1, 2, 3};
        char16_t keptName[21] = u"keep";
        EXPECT_EQ(-1, ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &kept, keptName));
        EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), kept);
        EXPECT_EQ(u"keep", std::u16string(keptName));
    }
}

}  // namespace
