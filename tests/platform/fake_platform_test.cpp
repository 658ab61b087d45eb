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

struct OpenCase {
    const char* what;
    const char16_t* name;
    uint32_t access;
    int wantOk;
    uint32_t wantError;
};

const OpenCase kOpenCases[] = {
    {"known printer", u"P1", kPrinterAccessUse, 1, 0xdeadbeef},
    {"name ignores case", u"p1", kPrinterAccessUse, 1, 0xdeadbeef},
    {"unknown printer", u"P2", kPrinterAccessUse, 0, kErrInvalidPrinterName},
    {"null name", nullptr, kPrinterAccessUse, 0, kErrInvalidPrinterName},
    {"administer denied to a user", u"P1", kPrinterAllAccess, 0, kErrAccessDenied},
};

TEST(FakeSpooler, OpenPrinterTable) {
    for (const OpenCase& c : kOpenCases) {
        FakePlatformScope fake;
        fake.spooler.AddPrinter(u"P1").deniedAccess = kPrinterAccessAdminister;
        fake.host.SetLastError(0xdeadbeef);
        PrinterHandle h = nullptr;
        EXPECT_EQ(c.wantOk, fake.spooler.OpenPrinter(c.name, c.access, &h)) << c.what;
        EXPECT_EQ(c.wantError, fake.host.GetLastError()) << c.what;
        EXPECT_EQ(c.access, fake.spooler.LastAccess()) << c.what;
        EXPECT_EQ(c.wantOk, fake.spooler.OpenHandles()) << c.what;
        if (c.wantOk) fake.spooler.ClosePrinter(h);
        EXPECT_EQ(0, fake.spooler.OpenHandles()) << c.what;
        EXPECT_EQ(0, fake.spooler.BadCloses()) << c.what;
    }
}

TEST(FakeSpooler, HandlesAreDistinctAndClosedOnce) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    PrinterHandle a = nullptr, b = nullptr;
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &a));
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &b));
    EXPECT_NE(a, b);
    EXPECT_EQ(2, fake.spooler.OpenHandles());
    fake.spooler.ClosePrinter(a);
    fake.spooler.ClosePrinter(a);
    EXPECT_EQ(1, fake.spooler.BadCloses());
    uint32_t needed = 0;
    EXPECT_EQ(kErrInvalidHandle, fake.spooler.GetPrinterData(a, u"X", nullptr, nullptr, 0, &needed));
    fake.spooler.ClosePrinter(b);
    EXPECT_EQ(0, fake.spooler.OpenHandles());
}

struct WriteCase {
    const char* what;
    uint32_t injected;
    uint32_t wantResult;
    bool stored;
};

const WriteCase kWriteCases[] = {
    {"writable", 0, kErrSuccess, true},
    {"read-only user", kErrAccessDenied, kErrAccessDenied, false},
};

TEST(FakeSpooler, SetPrinterDataTable) {
    for (const WriteCase& c : kWriteCases) {
        FakePlatformScope fake;
        FakePrinter& p = fake.spooler.AddPrinter(u"P1");
        p.SetDword(u"Value", 1);
        p.setDataError = c.injected;
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        const uint8_t bytes[3] = {9, 8, 7};
        EXPECT_EQ(c.wantResult, fake.spooler.SetPrinterData(h, u"VALUE", kRegBinary, bytes, 3)) << c.what;
        uint32_t type = 0, needed = 0;
        EXPECT_EQ(kErrMoreData, fake.spooler.GetPrinterData(h, u"Value", &type, nullptr, 0, &needed));
        EXPECT_EQ(c.stored ? kRegBinary : kRegDword, type) << c.what;
        EXPECT_EQ(c.stored ? 3u : 4u, needed) << c.what;
        fake.spooler.ClosePrinter(h);
    }
}

TEST(FakeSpooler, FormsAndCallLog) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1").forms.push_back({0, u"A4", 210000, 297000, 0, 0, 210000, 297000});
    PrinterHandle h = nullptr;
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    fake.host.SetLastError(0);
    EXPECT_EQ(0, fake.spooler.AddForm(h, {2, u"a4", 1, 1, 0, 0, 1, 1}));
    EXPECT_EQ(kErrFileExists, fake.host.GetLastError());
    EXPECT_EQ(1, fake.spooler.AddForm(h, {2, u"Foolscap", 216000, 340000, 0, 0, 216000, 340000}));
    std::vector<FormInfo> forms;
    ASSERT_EQ(1, fake.spooler.EnumForms(h, &forms));
    EXPECT_EQ(2u, forms.size());
    uint32_t attributes = 0;
    EXPECT_EQ(0, fake.spooler.GetPrinterAttributes(h, 3, &attributes));
    EXPECT_EQ(kErrInvalidLevel, fake.host.GetLastError());
    fake.spooler.BroadcastDevModeChange(u"P1");
    fake.spooler.ClosePrinter(h);
    const std::vector<std::string> want = {"OpenPrinter P1",         "AddForm a4",
                                           "AddForm Foolscap",       "EnumForms",
                                           "GetPrinterAttributes 3", "BroadcastDevModeChange P1",
                                           "ClosePrinter"};
    EXPECT_EQ(want, fake.spooler.CallLog());
    EXPECT_EQ(1, fake.spooler.Broadcasts());
}

}  // namespace
