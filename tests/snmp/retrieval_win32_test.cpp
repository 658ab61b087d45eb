// The background retrieval under Wine: a printer of our driver in the real
// spooler, its stored environment aimed at the agent that cmake/with-agent.sh
// runs around this program (the default simulated printer on port 161 of
// ZR51_AGENT_ADDRESS), each fetch and the worker run by the core over
// winspool and Winsock, and the stored printer data read back through
// winspool.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver_setup_win32.h"
#include "entry/installed_printer_win32.h"
#include "base/session.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "platform/udp.h"
#include "rules/resolve.h"
#include "base/text16.h"
#include "snmp/retrieval_expect.h"

namespace {

const wchar_t kDriverName[] = L"ZR51A Retrieval Driver";
const wchar_t kPrinterName[] = L"ZR51A Retrieval Printer";
const char16_t kPrinter16[] = u"ZR51A Retrieval Printer";
const wchar_t kSheetPrinter[] = L"ZR51A Retrieval Sheet";
const char16_t kSheetPrinter16[] = u"ZR51A Retrieval Sheet";
constexpr int kImageTab = 4;
constexpr int kBarcodeAreaList = 30633;

typedef INT(WINAPI* EventFn)(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID);

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Reads a value through winspool itself, apart from the core's spooler layer.
bool ReadStored(const char16_t* value, std::vector<uint8_t>* bytes) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &h, nullptr)) return false;
    DWORD type = 0, needed = 0;
    const wchar_t* name = reinterpret_cast<const wchar_t*>(value);
    DWORD rc = GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, nullptr, 0, &needed);
    bytes->assign(needed, 0);
    if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && needed == 0)) {
        rc = needed ? GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, bytes->data(), needed, &needed)
                    : ERROR_SUCCESS;
    }
    ClosePrinter(h);
    EXPECT_TRUE(rc != ERROR_SUCCESS || type == REG_BINARY);
    return rc == ERROR_SUCCESS;
}

struct Notice {
    std::atomic<int> stepsDone{-1};
};

void Record(void* context, RetrievalTargets*, int stepsDone) { static_cast<Notice*>(context)->stepsDone = stepsDone; }

class Win32Retrieval : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        address_ = Env("ZR51_AGENT_ADDRESS");
        if (address_.empty()) return;
        InstallWin32Platform();
        setupError_ = zr51test::InstallTestPrinter(kDriverName, kPrinterName);
    }
    static void TearDownTestSuite() { RemovePrinter(kPrinterName); }
    void SetUp() override {
        if (address_.empty()) GTEST_SKIP() << "no agent around this run";
        ASSERT_EQ(setupError_, "");
        InstallSockets(&Win32Sockets());
        targets_ = std::make_unique<RetrievalTargets>();
        std::memset(targets_.get(), 0x5A, sizeof(RetrievalTargets));
    }
    void TearDown() override {
        WaitRetrievalThread();
        InstallSockets(nullptr);
    }

    // Stores the printer's environment aimed at address, then loads the
    // session a sheet would start with.
    static std::unique_ptr<PrinterSession> Aim(const std::string& address, uint8_t wakeUp,
                                               const char16_t* printer = kPrinter16) {
        auto session = std::make_unique<PrinterSession>();
        PrinterHandle h = nullptr;
        EXPECT_EQ(Spool().OpenPrinter(printer, kPrinterAllAccess, &h), 1);
        EXPECT_EQ(_UdcResolveSelfDMode(session.get(), nullptr, h, printer, nullptr, kResolveWholeSession,
                                       kCallerConvert),
                  1u);
        session->env.useTypedAddress = 1;
        std::u16string typed(address.begin(), address.end());
        Text16Copy(session->env.typedAddress, 40, typed.c_str());
        session->env.wakeUpEnable = wakeUp;
        Text16Copy(session->env.macAddress, 18, u"00:80:92:1A:2B:3C");
        EXPECT_EQ(Spool().SetPrinterData(h, u"PrvEnv", kRegBinary, &session->env, sizeof session->env), 0u);
        auto loaded = std::make_unique<PrinterSession>();
        EXPECT_EQ(_UdcResolveSelfDMode(loaded.get(), nullptr, h, printer, nullptr, kResolveWholeSession,
                                       kCallerConvert),
                  1u);
        Spool().ClosePrinter(h);
        EXPECT_EQ(loaded->env.useTypedAddress, 1);
        EXPECT_EQ(std::u16string(loaded->env.typedAddress), typed);
        return loaded;
    }

    static std::string address_, setupError_;
    std::unique_ptr<RetrievalTargets> targets_;
};
std::string Win32Retrieval::address_, Win32Retrieval::setupError_;

TEST_F(Win32Retrieval, FourStepsStoreTheSimulatedPrinter) {
    auto session = Aim(address_, 0);
    Notice notice;
    ASSERT_EQ(StartRetrievalThread({kPrinter16, session.get(), targets_.get(), Record, &notice}), 1);
    WaitRetrievalThread();
    EXPECT_EQ(notice.stepsDone, 4);
    zr51test::ExpectRetrieved(zr51test::DefaultSimulatedPrinter(), *targets_, ReadStored, 0x5A);
}

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

struct BarcodeListWatch {
    DWORD thread;
    size_t expected;
    std::vector<std::u16string> shown;
    bool listFound = false;
};

// On a second thread: shows the image tab, waits for its barcode-area list
// to hold the expected number of names, reads them and cancels the sheet.
void WatchBarcodeList(BarcodeListWatch* w) {
    HWND sheet = nullptr;
    for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < 90000; Sleep(50))
        EnumThreadWindows(w->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) return;
    SendMessageW(sheet, PSM_SETCURSEL, kImageTab, 0);
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND list = page ? GetDlgItem(page, kBarcodeAreaList) : nullptr;
    w->listFound = list != nullptr;
    for (DWORD start = GetTickCount(); list && GetTickCount() - start < 20000; Sleep(50)) {
        if (static_cast<size_t>(SendMessageW(list, CB_GETCOUNT, 0, 0)) >= w->expected) break;
    }
    LRESULT count = list ? SendMessageW(list, CB_GETCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        w->shown.push_back(reinterpret_cast<const char16_t*>(text));
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// A document sheet starts with the lists stored before (none for a new
// printer) and, without waiting at its opening, takes the worker's lists
// over once the notice has come back to its thread: the image tab's
// barcode-area list then names the printer's areas.
TEST_F(Win32Retrieval, DocumentSheetShowsTheFetchedBarcodeAreas) {
    RemovePrinter(kSheetPrinter);
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    ASSERT_TRUE(AddDriverWithFiles(kSheetPrinter, zr51test::kDriverDllName, {L"ZR51ARC.DLL"})) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(kSheetPrinter, kSheetPrinter, L"FILE:")) << GetLastError();
    Aim(address_, 0, kSheetPrinter16);
    std::vector<std::u16string> expected;
    for (const zr51test::SimBarcodeArea& a : zr51test::DefaultSimulatedPrinter().barcodeAreas)
        if (a.valid == 1) expected.push_back(zr51test::SlotText(a.name, kBarcodeNameUnits));

    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kSheetPrinter), &h, nullptr));
    LONG size = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(kSheetPrinter), nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    std::vector<BYTE> out(static_cast<size_t>(size));
    BarcodeListWatch watch;
    watch.thread = GetCurrentThreadId();
    watch.expected = expected.size();
    std::thread watcher(WatchBarcodeList, &watch);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(kSheetPrinter), reinterpret_cast<PDEVMODEW>(out.data()),
                        nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
    watcher.join();
    ClosePrinter(h);
    EXPECT_TRUE(watch.listFound);
    EXPECT_EQ(watch.shown, expected);
    RemovePrinter(kSheetPrinter);
}

// STARTDOC through the DLL's export wakes a printer that is ready at once
// and lets the job go on.
TEST_F(Win32Retrieval, StartDocWakesAReadyPrinterWithoutDelay) {
    Aim(address_, 1);
    std::string why;
    HMODULE module = zr51test::LoadInstalledDriver(kDriverName, nullptr, &why);
    ASSERT_NE(module, nullptr) << why;
    EventFn event = zr51test::DriverExport<EventFn>(module, "DrvDocumentEvent");
    ASSERT_NE(event, nullptr);
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &h, nullptr));
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(event(h, nullptr, 5 /* DOCUMENTEVENT_STARTDOC */, 0, nullptr, 0, nullptr), 1);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
    ClosePrinter(h);
    FreeLibrary(module);
}

}  // namespace
