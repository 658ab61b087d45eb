// The win32 Spooler and Host against a real spooler and system (Wine's under
// the emulator): the answers the core relies on, error codes included.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "entry/installed_printer_win32.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"

namespace {

const wchar_t kDriverName[] = L"ZR51A Platform Driver";
const wchar_t kPrinterName[] = L"ZR51A Platform Printer";
const char16_t kPrinterName16[] = u"ZR51A Platform Printer";
const char16_t kFormName16[] = u"ZR51A Platform Form";

std::u16string U16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }

bool EndsWith(const std::u16string& s, const std::u16string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class Win32Platform : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallWin32Platform();
        setupError_ = zr51test::InstallTestPrinter(kDriverName, kPrinterName);
    }
    static void TearDownTestSuite() {
        HANDLE server = nullptr;
        if (OpenPrinterW(nullptr, &server, nullptr)) {
            DeleteFormW(server, reinterpret_cast<LPWSTR>(const_cast<char16_t*>(kFormName16)));
            ClosePrinter(server);
        }
        RemovePrinter(kPrinterName);
    }
    void SetUp() override {
        ASSERT_EQ(setupError_, "") << "printer installation failed";
        ASSERT_TRUE(Spool().OpenPrinter(kPrinterName16, kPrinterAccessAdminister, &printer_));
    }
    void TearDown() override { Spool().ClosePrinter(printer_); }

    PrinterHandle printer_ = nullptr;
    static std::string setupError_;
};
std::string Win32Platform::setupError_;

TEST_F(Win32Platform, OpenPrinterReportsUnknownNames) {
    PrinterHandle h = reinterpret_cast<PrinterHandle>(1);
    Sys().SetLastError(0xdeadbeef);
    EXPECT_EQ(Spool().OpenPrinter(u"ZR51A No Such Printer", kPrinterAccessUse, &h), 0);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(Sys().GetLastError(), static_cast<uint32_t>(ERROR_INVALID_PRINTER_NAME));
}

// Printer data: the raw error code, the stored type and the size needed.
// storeType 0: nothing stored first.
struct DataCase { const char* name; const char16_t* value; uint32_t storeType, storeSize, readSize, rc, type, needed; };
const DataCase kDataCases[] = {
    {"missing", u"ZrMissingValue", 0, 0, 16, kErrFileNotFound, 0, 0},
    {"dword", u"ZrDword", kRegDword, 4, 4, kErrSuccess, kRegDword, 4},
    {"dword_short_buffer", u"ZrDword2", kRegDword, 4, 2, kErrMoreData, kRegDword, 4},
    {"binary_large", u"ZrBinary", kRegBinary, 196632, 196632, kErrSuccess, kRegBinary, 196632},
    {"binary_short_buffer", u"ZrBinary2", kRegBinary, 1000, 999, kErrMoreData, kRegBinary, 1000},
};

TEST_F(Win32Platform, PrinterDataTable) {
    for (const DataCase& c : kDataCases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> stored(c.storeSize);
        for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i * 7 + 3);
        if (c.storeType != 0) {
            ASSERT_EQ(Spool().SetPrinterData(printer_, c.value, c.storeType, stored.data(), c.storeSize), kErrSuccess);
        }
        std::vector<uint8_t> read(c.readSize + 1, 0xEE);
        uint32_t type = 0xFFFF, needed = 0xFFFF;
        uint32_t rc = Spool().GetPrinterData(printer_, c.value, &type, read.data(), c.readSize, &needed);
        EXPECT_EQ(rc, c.rc);
        if (c.rc == kErrFileNotFound) continue;
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(needed, c.needed);
        if (rc == kErrSuccess) {
            EXPECT_EQ(std::memcmp(read.data(), stored.data(), c.storeSize), 0);
            EXPECT_EQ(read[c.readSize], 0xEE) << "wrote past the buffer";
        }
    }
}

TEST_F(Win32Platform, DeletingPrinterData) {
    const uint32_t one = 1;
    ASSERT_EQ(Spool().SetPrinterData(printer_, u"ZrDeleted", kRegDword, &one, 4), kErrSuccess);
    const uint32_t rc = Spool().DeletePrinterData(printer_, u"ZrDeleted");
    if (rc == kErrInvalidParameter) GTEST_SKIP() << "this spooler does not delete printer data";
    EXPECT_EQ(rc, kErrSuccess);
    uint32_t type = 0, needed = 0;
    EXPECT_EQ(Spool().GetPrinterData(printer_, u"ZrDeleted", &type, nullptr, 0, &needed), kErrFileNotFound);
    EXPECT_EQ(Spool().DeletePrinterData(printer_, u"ZrDeleted"), kErrFileNotFound);
}

TEST_F(Win32Platform, PrinterInformation) {
    PrinterInfo2 info;
    ASSERT_TRUE(Spool().GetPrinterInfo2(printer_, &info));
    EXPECT_EQ(info.printerName, kPrinterName16);
    EXPECT_EQ(info.driverName, U16(kDriverName));
    EXPECT_EQ(info.portName, u"FILE:");
    EXPECT_EQ(info.printProcessor, u"winprint");
    EXPECT_TRUE(info.serverName.empty());  // a local printer names no server
    // The DEVMODE the driver gave when the printer was added, whole.
    EXPECT_EQ(info.devMode.size(), 19040u);

    // The attributes agree at every level that carries them.
    const int levels[] = {2, 4, 5};
    for (int level : levels) {
        SCOPED_TRACE(level);
        uint32_t attributes = 0xFFFFFFFF;
        ASSERT_TRUE(Spool().GetPrinterAttributes(printer_, level, &attributes));
        EXPECT_EQ(attributes, info.attributes);
    }
    uint32_t unused = 0;
    EXPECT_EQ(Spool().GetPrinterAttributes(printer_, 3, &unused), 0);

    DriverInfo3 driver;
    ASSERT_TRUE(Spool().GetDriverInfo3(printer_, &driver));
    EXPECT_TRUE(EndsWith(driver.configFile, u"\\ZR51AUI.dll")) << std::string(driver.configFile.begin(), driver.configFile.end());
    EXPECT_TRUE(EndsWith(driver.dataFile, u"\\ZR51AUI.dll"));

    std::u16string dir;
    std::wstring expected;
    ASSERT_TRUE(Spool().GetPrinterDriverDirectory(&dir));
    ASSERT_TRUE(DriverDirectory(&expected));
    EXPECT_EQ(dir, U16(expected));
    // The driver files live in the version-3 folder below it.
    EXPECT_EQ(driver.configFile.compare(0, dir.size(), dir), 0);
}

TEST_F(Win32Platform, FormsListAndAdd) {
    std::vector<FormInfo> forms;
    ASSERT_TRUE(Spool().EnumForms(printer_, &forms));
    const FormInfo* a4 = nullptr;
    for (const FormInfo& f : forms)
        if (f.name == u"A4") a4 = &f;
    ASSERT_NE(a4, nullptr);
    EXPECT_EQ((std::vector<int32_t>{a4->width, a4->height, a4->right, a4->bottom}),
              (std::vector<int32_t>{210000, 297000, 210000, 297000}));

    FormInfo mine;
    mine.flags = 2;  // FORM_PRINTER
    mine.name = kFormName16;
    mine.width = mine.right = 100000;
    mine.height = mine.bottom = 150000;
    ASSERT_EQ(Spool().AddForm(printer_, mine), 1);

    std::vector<FormInfo> after;
    ASSERT_TRUE(Spool().EnumForms(printer_, &after));
    if (after.size() == forms.size()) {
        // Wine's AddFormW succeeds without storing anything; nothing more to
        // see there. A spooler that stores forms is checked below.
        GTEST_SKIP() << "the spooler keeps no added forms";
    }
    EXPECT_EQ(after.size(), forms.size() + 1);
    int found = 0;
    for (const FormInfo& f : after)
        if (f.name == kFormName16 && f.width == 100000 && f.height == 150000) ++found;
    EXPECT_EQ(found, 1);
    Sys().SetLastError(0xdeadbeef);
    EXPECT_EQ(Spool().AddForm(printer_, mine), 0) << "a second add of the same form";
    EXPECT_EQ(Sys().GetLastError(), static_cast<uint32_t>(ERROR_FILE_EXISTS));
}

TEST_F(Win32Platform, BroadcastReturnsWithoutWindows) {
    DWORD start = GetTickCount();
    Spool().BroadcastDevModeChange(kPrinterName16);
    EXPECT_LT(GetTickCount() - start, 5000u);
}

// The host's answers that do more than pass a system call's result on;
// the one-line wrappers (ids, tick count, sleep, last error) are left alone.
TEST_F(Win32Platform, Host) {
    OsVersionInfo v;
    ASSERT_TRUE(Sys().GetVersionEx(&v));
    EXPECT_EQ(v.platformId, 2u);  // VER_PLATFORM_WIN32_NT
    EXPECT_GE(v.major, 5u);
    struct { uint32_t major, minor, sp; int expected; } cases[] = {
        {v.major, v.minor, 0, 1}, {5, 1, 0, 1}, {v.major, v.minor + 1, 0, 0}, {v.major + 1, 0, 0, 0},
        {v.major, v.minor, v.servicePackMajor + 1, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor << " sp" << c.sp);
        EXPECT_EQ(Sys().VersionAtLeast(c.major, c.minor, c.sp), c.expected);
    }
    EXPECT_EQ(Sys().IsWorkstation(), v.productType == 1 ? 1 : 0);

    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    EXPECT_EQ(Sys().ComputerName(), U16(name));
    EXPECT_FALSE(Sys().UserName().empty());
    EXPECT_FALSE(Sys().MessageFontFace().empty());
    EXPECT_EQ(Sys().ClusterServiceAvailable(), 0);  // no cluster node here (nor in Wine)

    SYSTEMTIME before;
    GetLocalTime(&before);
    HostTime t = Sys().LocalTime();
    EXPECT_EQ(t.year, before.wYear);
    EXPECT_EQ(t.month, before.wMonth);

    char16_t buf[8] = {u'x', u'x'};
    EXPECT_EQ(Sys().LoadResourceString(0x0409, 20000, buf, 8), 0);
    EXPECT_EQ(buf[0], 0);
}

}  // namespace
