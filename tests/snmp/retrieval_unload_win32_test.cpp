// Unloading the DLL while a document sheet's retrieval worker still waits
// for a printer that never answers: the application's FreeLibrary must leave
// the module mapped until the worker has left it, and then it must go,
// without a crash. The worker is started the way the spooler starts it,
// through DrvDocumentPropertySheets, with a stand-in for the sheet library.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <prsht.h>
#include <winspool.h>
#include <compstui.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/session.h"
#include "base/text16.h"
#include "driver_setup_win32.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "platform/property_headers_win32.h"
#include "rules/resolve.h"

namespace {

const wchar_t kPrinter[] = L"ZR51A Unload Test";
const char16_t kPrinter16[] = u"ZR51A Unload Test";
const char16_t kNowhere[] = u"127.52.8.9";  // nothing listens there
const wchar_t kCopyName[] = L"ZR51AUI-unload.dll";

typedef LONG(WINAPI* SheetsFn)(PVOID, LPARAM);
typedef BOOL(WINAPI* DestroyPageFn)(HPROPSHEETPAGE);

std::vector<HPROPSHEETPAGE> g_pages;

// The sheet library's part: takes the pages and shows nothing.
LONG_PTR CALLBACK TakePages(HANDLE, UINT function, LPARAM lParam1, LPARAM) {
    if (function != CPSFUNC_ADD_HPROPSHEETPAGE) return 0;
    g_pages.push_back(reinterpret_cast<HPROPSHEETPAGE>(lParam1));
    return static_cast<LONG_PTR>(g_pages.size());
}

// Stores the printer's environment with the typed address aimed nowhere.
void AimNowhere() {
    InstallWin32Platform();
    PrinterSession session;
    PrinterHandle h = nullptr;
    ASSERT_EQ(Spool().OpenPrinter(kPrinter16, kPrinterAllAccess, &h), 1);
    ASSERT_EQ(_UdcResolveSelfDMode(&session, nullptr, h, kPrinter16, nullptr, kResolveWholeSession, kCallerConvert),
              1u);
    session.env.useTypedAddress = 1;
    Text16Copy(session.env.typedAddress, 40, kNowhere);
    session.env.wakeUpEnable = 0;
    EXPECT_EQ(Spool().SetPrinterData(h, u"PrvEnv", kRegBinary, &session.env, sizeof session.env), 0u);
    Spool().ClosePrinter(h);
}

TEST(RetrievalUnload, FreeLibraryKeepsTheModuleUntilTheWorkerHasLeft) {
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    RemovePrinter(kPrinter);
    ASSERT_TRUE(AddDriverWithFiles(kPrinter, L"ZR51AUI.dll", {L"ZR51ARC.DLL"})) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(kPrinter, kPrinter, L"FILE:")) << GetLastError();
    AimNowhere();

    // A private copy, so that no other load of the driver in this process
    // holds it.
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring copy = std::wstring(temp) + kCopyName;
    ASSERT_TRUE(CopyFileW(FileBesideExecutable(L"ZR51AUI.dll").c_str(), copy.c_str(), FALSE)) << GetLastError();
    HMODULE driver = LoadLibraryW(copy.c_str());
    ASSERT_NE(driver, nullptr) << GetLastError();
    auto sheets =
        reinterpret_cast<SheetsFn>(reinterpret_cast<void (*)()>(GetProcAddress(driver, "DrvDocumentPropertySheets")));
    ASSERT_NE(sheets, nullptr);

    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
    DocumentPropertyHeader header;
    std::memset(&header, 0, sizeof header);
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    header.pszPrinterName = const_cast<LPWSTR>(kPrinter);
    PROPSHEETUI_INFO info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.pfnComPropSheet = TakePages;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Reason = PROPSHEETUI_REASON_INIT;
    ASSERT_EQ(sheets(&info, 0), 1);  // the sheet context and its worker
    EXPECT_EQ(g_pages.size(), 6u);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(sheets(&info, 0), 1);  // the sheet is gone, its worker is not
    HMODULE controls = LoadLibraryW(L"comctl32.dll");
    auto destroyPage = reinterpret_cast<DestroyPageFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(controls, "DestroyPropertySheetPage")));
    for (HPROPSHEETPAGE page : g_pages)
        if (destroyPage) destroyPage(page);
    ClosePrinter(printer);

    FreeLibrary(driver);
    EXPECT_NE(GetModuleHandleW(kCopyName), nullptr) << "unmapped while its worker still runs";
    DWORD start = GetTickCount();
    while (GetModuleHandleW(kCopyName) && GetTickCount() - start < 60000) Sleep(100);
    EXPECT_EQ(GetModuleHandleW(kCopyName), nullptr) << "still mapped after its worker's time-outs";
    FreeLibrary(controls);
    DeleteFileW(copy.c_str());
    RemovePrinter(kPrinter);
}

}  // namespace
