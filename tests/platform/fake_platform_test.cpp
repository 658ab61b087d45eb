// The in-memory spooler must answer like the real one wherever the core
// relies on it; a fake that is kinder than the spooler hides bugs.
#include "platform/fake_platform.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct DataCase {
    const char* what;
    const char16_t* value;
    bool withBuffer;
    uint32_t size;
    uint32_t wantResult;
    uint32_t wantNeeded;  // 0xFFFFFFFF: left untouched
    uint32_t wantType;    // 0xFFFFFFFF: left untouched
    bool copied;
};

constexpr uint32_t kUntouched = 0xFFFFFFFF;

// "Blob" holds 5 binary bytes, "Count" a DWORD, "Name" the REG_SZ "ab".
const DataCase kDataCases[] = {
    {"size query without buffer", u"Blob", false, 0, kErrMoreData, 5, kRegBinary, false},
    {"null buffer with a size", u"Blob", false, 64, kErrMoreData, 5, kRegBinary, false},
    {"one byte short", u"Blob", true, 4, kErrMoreData, 5, kRegBinary, false},
    {"exact size", u"Blob", true, 5, kErrSuccess, 5, kRegBinary, true},
    {"larger buffer", u"Blob", true, 64, kErrSuccess, 5, kRegBinary, true},
    {"dword type reported", u"Count", false, 0, kErrMoreData, 4, kRegDword, false},
    {"dword exact", u"Count", true, 4, kErrSuccess, 4, kRegDword, true},
    {"string counts its terminator", u"Name", true, 5, kErrMoreData, 6, kRegSz, false},
    {"string exact", u"Name", true, 6, kErrSuccess, 6, kRegSz, true},
    {"names ignore case", u"bLoB", true, 5, kErrSuccess, 5, kRegBinary, true},
    {"missing value", u"PrvEnv", true, 64, kErrFileNotFound, kUntouched, kUntouched, false},
    {"missing value, size query", u"PrvEnv", false, 0, kErrFileNotFound, kUntouched, kUntouched, false},
};

class FakeSpoolerData : public ::testing::TestWithParam<DataCase> {};

TEST_P(FakeSpoolerData, AnswersLikeTheSpooler) {
    const DataCase& c = GetParam();
    FakePlatformScope fake;
    FakePrinter& p = fake.spooler.AddPrinter(u"P1");
    const std::vector<uint8_t> blob = {1, 2, 3, 4, 5};
    p.SetBinary(u"Blob", blob);
    p.SetDword(u"Count", 0x01020304);
    p.SetString(u"Name", u"ab");
    const FakeValue* stored = p.Find(c.value);

    PrinterHandle h = nullptr;
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    uint8_t buffer[64];
    std::memset(buffer, 0xCC, sizeof buffer);
    uint32_t type = kUntouched, needed = kUntouched;
    uint32_t rc = fake.spooler.GetPrinterData(h, c.value, &type, c.withBuffer ? buffer : nullptr, c.size, &needed);
    EXPECT_EQ(c.wantResult, rc) << c.what;
    EXPECT_EQ(c.wantNeeded, needed) << c.what;
    EXPECT_EQ(c.wantType, type) << c.what;
    if (c.copied) {
        ASSERT_NE(nullptr, stored);
        EXPECT_EQ(0, std::memcmp(buffer, stored->bytes.data(), stored->bytes.size())) << c.what;
        if (c.size > stored->bytes.size()) {
            EXPECT_EQ(0xCC, buffer[stored->bytes.size()]) << c.what;
        }
    } else {
        EXPECT_EQ(0xCC, buffer[0]) << c.what << ": a failed read must not write";
    }
    fake.spooler.ClosePrinter(h);
    EXPECT_EQ(0, fake.spooler.OpenHandles());
}

void PrintTo(const DataCase& c, std::ostream* os) { *os << c.what; }

INSTANTIATE_TEST_SUITE_P(Table, FakeSpoolerData, ::testing::ValuesIn(kDataCases),
                         [](const ::testing::TestParamInfo<DataCase>& i) { return CaseName(i.index, i.param.what); });

}  // namespace
