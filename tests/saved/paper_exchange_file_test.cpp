// The paper exchange file against blocks written out by hand, and the
// blocks a reader must skip.
#include "saved/paper_exchange_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/text16.h"

namespace {

// One block from its fields; the slot, sizes and name as the file holds them.
std::vector<uint8_t> Block(const char* slot, const char* name, const char* width, const char* length, char unit,
                           const char* start = "RSsta", const char* end = "RSend") {
    std::vector<uint8_t> b(100, 0);
    std::memcpy(b.data(), start, 5);
    std::memcpy(b.data() + 5, slot, std::strlen(slot));
    std::memcpy(b.data() + 10, name, std::strlen(name));
    std::memcpy(b.data() + 70, width, std::strlen(width));
    std::memcpy(b.data() + 80, length, std::strlen(length));
    b[90] = static_cast<uint8_t>(unit);
    std::memcpy(b.data() + 95, end, 5);
    return b;
}

std::vector<uint8_t> Header(const char count[2]) {
    std::vector<uint8_t> h(100, 0);
    std::memcpy(h.data(), "UDP_UserDefinitionPaper", 23);
    std::memcpy(h.data() + 32, "KELO/TAMBRE/CORPORATION/vemo", 28);
    h[80] = static_cast<uint8_t>(count[0]);
    h[81] = static_cast<uint8_t>(count[1]);
    return h;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> blocks) {
    std::vector<uint8_t> all;
    for (const auto& b : blocks) all.insert(all.end(), b.begin(), b.end());
    return all;
}

}  // namespace

TEST(PaperExchangeFile, WrittenAsWorkedOutByHand) {
    const ExchangePaper papers[] = {{0, MakeUserPaper(2100, 2970, kUserPaperMillimetres, u"A4 Sp\u00e9cial")},
                                    {11, MakeUserPaper(850, 1400, kUserPaperInches, u"Legal")}};
    std::vector<uint8_t> file;
    WritePaperExchangeFile(papers, 2, kLatin1Names, &file);
    const auto want = Join({Header("02"), Block("1", "A4 Sp\xe9" "cial", "210.0", "297.0", '1'),
                            Block("12", "Legal", "8.50", "14.00", '2')});
    EXPECT_EQ(file.size(), 300u);
    EXPECT_EQ(file, want);

    ExchangeImport in;
    ReadPaperExchangeFile(file.data(), file.size(), kLatin1Names, &in);
    ASSERT_EQ(in.headerOk, 1);
    ASSERT_EQ(in.taken, 2);
    EXPECT_EQ(0, std::memcmp(&in.papers[0], &papers[0].record, sizeof in.papers[0]));
    EXPECT_EQ(0, std::memcmp(&in.papers[1], &papers[1].record, sizeof in.papers[1]));
}

TEST(PaperExchangeFile, BadBlocksAreSkipped) {
    const auto good = Block("1", "Good", "100.0", "200.0", '1');
    struct Case { const char* what; std::vector<uint8_t> block; ExchangeBlockResult want; } cases[] = {
        {"unit 3", Block("1", "X", "100.0", "200.0", '3'), kBlockUnit},
        {"width 340.1", Block("1", "X", "340.1", "200.0", '1'), kBlockSize},
        {"inch width 3.53", Block("1", "X", "3.53", "8.00", '2'), kBlockSize},
        {"size not a number", Block("1", "X", "1O0.0", "200.0", '1'), kBlockSize},
        {"start tag", Block("1", "X", "100.0", "200.0", '1', "RSstb"), kBlockTags},
        {"end tag", Block("1", "X", "100.0", "200.0", '1', "RSsta", "RSen"), kBlockTags},
        {"no name", Block("1", "", "100.0", "200.0", '1'), kBlockName},
        {"inch limits", Block("1", "Edge", "3.54", "21.65", '2'), kTaken},
    };
    for (const Case& c : cases) {
        const auto file = Join({Header("02"), c.block, good});
        ExchangeImport in;
        ReadPaperExchangeFile(file.data(), file.size(), kLatin1Names, &in);
        EXPECT_EQ(in.block[0], c.want) << c.what;
        EXPECT_EQ(in.taken, c.want == kTaken ? 2 : 1) << c.what;
        EXPECT_EQ(Text16ToUtf8(in.papers[in.taken - 1].name), "Good") << c.what;
    }
}

// The header decides whether anything is read and how many blocks.
TEST(PaperExchangeFile, HeaderAndCount) {
    const auto a = Block("1", "A", "100.0", "200.0", '1'), b = Block("2", "B", "110.0", "200.0", '1');
    auto spaced = Header("01");
    for (int i = 0; i < 80; i++)
        if (spaced[i] == 0) spaced[i] = ' ';
    auto damaged = Header("01");
    damaged[40] = 'X';
    struct Case { const char* what; std::vector<uint8_t> file; int headerOk, taken, blocks; } cases[] = {
        {"spaces for zeros", Join({spaced, a}), 1, 1, 1},
        {"damaged header", Join({damaged, a}), 0, 0, 0},
        {"count -1", Join({Header("-1"), a}), 1, 0, 0},
        {"count 1 of 2 blocks", Join({Header("01"), a, b}), 1, 1, 1},
        {"count 5 of 2 blocks", Join({Header("05"), a, b}), 1, 2, 5},
        {"count ' 2'", Join({Header(" 2"), a, b}), 1, 2, 2},
        {"cut block", Join({Header("02"), a, std::vector<uint8_t>(b.begin(), b.begin() + 99)}), 1, 1, 2},
        {"shorter than a header", std::vector<uint8_t>(a.begin(), a.begin() + 60), 0, 0, 0},
    };
    for (const Case& c : cases) {
        ExchangeImport in;
        ReadPaperExchangeFile(c.file.data(), c.file.size(), kLatin1Names, &in);
        EXPECT_EQ(in.headerOk, c.headerOk) << c.what;
        EXPECT_EQ(in.taken, c.taken) << c.what;
        EXPECT_EQ(in.blocks, c.blocks) << c.what;
    }
}
