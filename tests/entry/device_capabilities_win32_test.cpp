// Printers of two models installed in the spooler (Wine's under the
// emulator), each with its model description as the driver's dependent file
// and the parsed model stored as installation stores it; an application asks
// DeviceCapabilitiesW, which reaches the DLL's DrvDeviceCapabilities, and
// gets the papers, trays and media types the model description allows.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "entry/installed_printer_win32.h"
#include "base/session.h"
#include "model/rdf.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "rules/resolve.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;
typedef DWORD(WINAPI* CapsFn)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW);

// The lists are read off the model files by hand ("same as original" is
// never reported).
struct ModelPrinter {
    const wchar_t* file;
    const wchar_t* driver;  // the model section's name
    const wchar_t* printer;
    std::vector<uint32_t> papers, trays, media;
};

const ModelPrinter kPrinters[] = {
    {L"ZRC4500.RDF", L"KELO ZR-C4500", L"ZR51A Caps Four-colour",
     {8, 9, 11, 70, 12, 13, 88, 258, 3, 5, 263, 1, 6, 257, 43, 259, 260,
      71, 72, 73, 74, 30, 28, 31, 27, 261, 262, 20, 264, 265, 266, 267, 268, 256},
     {7, 257, 258, 259, 260}, {257, 258, 259, 260, 261, 262, 263}},
    {L"ZRM1200.RDF", L"KELO ZR-M1200", L"ZR51A Caps Monochrome",
     {9, 11, 70, 13, 88, 1, 6, 43, 73, 74, 28, 31, 27, 20, 265, 256}, {257}, {257, 258, 259, 260, 261, 262}},
};

std::u16string U16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }

// Installs the printer, parses its model description and stores what
// installation stores: the parsed model, and an environment with the model's
// defaults whose lists are still to be built. The printer reports light
// paper where its model has it. Fills info; "" or what failed.
std::string Install(const ModelPrinter& m, RdfInfo* info) {
    std::string installed = zr51test::InstallTestPrinter(m.driver, m.printer, {m.file});
    if (!installed.empty()) return installed;

    const std::u16string name = U16(m.printer), driver = U16(m.driver);
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(name.c_str(), kPrinterAllAccess, &h)) return "OpenPrinterW";
    char16_t path[MAX_PATH] = {};
    auto ctx = std::make_unique<RdfContext>();
    ctx->RdfFile = path;
    ctx->DeviceName = const_cast<char16_t*>(driver.c_str());
    ctx->PrinterName = const_cast<char16_t*>(name.c_str());
    auto session = std::make_unique<PrinterSession>();
    std::string failed;
    if (!GetRdfFilePath(h, path, MAX_PATH) || !ReadRdfFile(ctx.get()) || !SaveRdfContext(ctx.get())) {
        failed = "the model description";
    } else if (_UdcResolveSelfDMode(session.get(), nullptr, h, name.c_str(), nullptr, kResolveWholeSession,
                                    kCallerConvert) != 1) {
        failed = "resolving the defaults";
    } else {
        ApplyRdfDefaults(&session->env, &ctx->info);
        session->env.lightPaperSupport = ctx->info.LightPaperEnable;
        session->env.listsBuilt = 0;
        if (Spool().SetPrinterData(h, u"PrvEnv", kRegBinary, &session->env, sizeof session->env) != kErrSuccess)
            failed = "storing PrvEnv";
    }
    Spool().ClosePrinter(h);
    *info = ctx->info;
    return failed;
}

// One list through DeviceCapabilitiesW: the count with no output, then the
// list, each entry width bytes; the count must agree and nothing beyond the
// list may be written.
std::vector<uint32_t> Ask(const wchar_t* printer, WORD capability, size_t width) {
    SetLastError(kPoison);
    const int count = DeviceCapabilitiesW(printer, L"FILE:", capability, nullptr, nullptr);
    EXPECT_GT(count, 0) << "capability " << capability << ", error " << GetLastError();
    if (count <= 0) return {};
    std::vector<BYTE> out((static_cast<size_t>(count) + 4) * width, 0xA5);
    EXPECT_EQ(count, DeviceCapabilitiesW(printer, L"FILE:", capability, reinterpret_cast<LPWSTR>(out.data()), nullptr));
    std::vector<uint32_t> values;
    for (int i = 0; i < count; i++) {
        uint32_t v = 0;
        std::memcpy(&v, out.data() + static_cast<size_t>(i) * width, width);
        values.push_back(v);
    }
    EXPECT_EQ(std::vector<BYTE>(4 * width, 0xA5), std::vector<BYTE>(out.end() - 4 * width, out.end()))
        << "capability " << capability << " wrote past its list";
    return values;
}

TEST(DeviceCapabilitiesWin32, ListsFollowEachModel) {
    InstallWin32Platform();
    for (const ModelPrinter& m : kPrinters) {
        SCOPED_TRACE(std::string(m.file, m.file + wcslen(m.file)));
        RdfInfo info = {};
        ASSERT_EQ("", Install(m, &info));

        const std::vector<uint32_t>& papers = m.papers;
        EXPECT_EQ(papers, Ask(m.printer, DC_PAPERS, 2));
        EXPECT_EQ(m.trays, Ask(m.printer, DC_BINS, 2));
        EXPECT_EQ(m.media, Ask(m.printer, DC_MEDIATYPES, 4));

        // The export itself, with a printer handle as the spooler passes it.
        std::wstring config;
        ASSERT_TRUE(InstalledConfigFile(m.driver, &config));
        HMODULE dll = LoadLibraryW(config.c_str());
        ASSERT_NE(nullptr, dll);
        CapsFn caps = reinterpret_cast<CapsFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DrvDeviceCapabilities")));
        HANDLE h = nullptr;
        ASSERT_TRUE(caps && OpenPrinterW(const_cast<LPWSTR>(m.printer), &h, nullptr));
        std::vector<WORD> ids(papers.size() + 1, 0xA5A5);
        EXPECT_EQ(papers.size(), caps(h, const_cast<LPWSTR>(m.printer), DC_PAPERS, ids.data(), nullptr));
        EXPECT_EQ(papers, std::vector<uint32_t>(ids.begin(), ids.end() - 1));
        EXPECT_EQ(0xFFFFFFFFu, caps(h, const_cast<LPWSTR>(m.printer), 36, ids.data(), nullptr));
        ClosePrinter(h);
        FreeLibrary(dll);
        RemovePrinter(m.printer);
    }
}

}  // namespace
