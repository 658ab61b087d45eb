// The DLL installed into a real spooler (Wine's under the emulator) the way a
// setup program installs it, then driven both directly through its exports
// and as an application drives it, through the spooler's DocumentPropertiesW.
// Every call that can fail is preceded by a poisoned last error so that the
// error seen afterwards is the one the call set.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>
#include <winddiui.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "entry/installed_printer_win32.h"
#include "platform/property_headers_win32.h"
#include "settings/field_table.h"
#include "base/private_settings.h"

namespace {

const wchar_t kDriverName[] = L"ZR51A Test Driver";
const wchar_t kPrinterName[] = L"ZR51A Test Printer";
constexpr DWORD kPoison = 0xdeadbeef;
constexpr LONG kDevModeSize = 19040;

constexpr DWORD kCdmConvert = 1;
constexpr DWORD kCdmDriverDefault = 4;

typedef BOOL(WINAPI* ConvertFn)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
typedef LONG(WINAPI* SheetsFn)(PVOID, LPARAM);
typedef INT(WINAPI* EventFn)(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID);

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += (c < 128) ? static_cast<char>(c) : '?';
    return s;
}

template <typename T>
T Read(const std::vector<BYTE>& b, size_t at) {
    T v = 0;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

// The marks every driver DEVMODE carries; "" when all are there.
std::string DevModeFaults(const std::vector<BYTE>& dm) {
    if (dm.size() < static_cast<size_t>(kDevModeSize)) return "short buffer";
    std::string faults;
    if (Read<uint16_t>(dm, 64) != 0x0401) faults += "dmSpecVersion ";
    if (Read<uint16_t>(dm, 66) != 2020) faults += "dmDriverVersion ";
    if (Read<uint16_t>(dm, 68) != 220) faults += "dmSize ";
    if (Read<uint16_t>(dm, 70) != 18820) faults += "dmDriverExtra ";
    const char16_t sig[] = u"JUP/CS";
    if (std::memcmp(dm.data() + 220, sig, 12) != 0) faults += "signature ";
    if (Read<uint32_t>(dm, 19036) != 0x28116119) faults += "trailing magic ";
    return faults;
}

// A value the field table does not accept.
int64_t RejectedValue(const FieldRow& row) {
    for (int64_t v = 0; v < 256; ++v)
        if (!FieldAccepts(row, v)) return v;
    return -1;
}

class DriverInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setupError_ = zr51test::InstallTestPrinter(kDriverName, kPrinterName);
        if (!setupError_.empty()) return;
        module_ = zr51test::LoadInstalledDriver(kDriverName, nullptr, &setupError_);
        if (module_ == nullptr) return;
        convert_ = zr51test::DriverExport<ConvertFn>(module_, "DrvConvertDevMode");
        docSheets_ = zr51test::DriverExport<SheetsFn>(module_, "DrvDocumentPropertySheets");
        devSheets_ = zr51test::DriverExport<SheetsFn>(module_, "DrvDevicePropertySheets");
        event_ = zr51test::DriverExport<EventFn>(module_, "DrvDocumentEvent");
        if (!convert_ || !docSheets_ || !devSheets_ || !event_) setupError_ = "an export is missing";
        if (!OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer_, nullptr)) {
            setupError_ = "OpenPrinterW: " + std::to_string(GetLastError());
            printer_ = nullptr;
        }
    }

    static void TearDownTestSuite() {
        if (printer_ != nullptr) ClosePrinter(printer_);
        printer_ = nullptr;
        if (module_ != nullptr) FreeLibrary(module_);
        module_ = nullptr;
        // Leave the spooler as it was so the suite can run again.
        RemovePrinter(kPrinterName);
    }

    void SetUp() override { ASSERT_EQ(setupError_, "") << "installation failed"; }

    static LPWSTR Name() { return const_cast<LPWSTR>(kPrinterName); }

    // The driver's defaults, straight from the DLL.
    static std::vector<BYTE> Defaults() {
        std::vector<BYTE> dm(kDevModeSize, 0);
        LONG size = kDevModeSize;
        if (!convert_(Name(), nullptr, reinterpret_cast<PDEVMODEW>(dm.data()), &size, kCdmDriverDefault)) dm.clear();
        return dm;
    }

    static inline std::string setupError_;
    static inline HMODULE module_ = nullptr;
    static inline HANDLE printer_ = nullptr;
    static inline ConvertFn convert_ = nullptr;
    static inline SheetsFn docSheets_ = nullptr, devSheets_ = nullptr;
    static inline EventFn event_ = nullptr;
};

// DrvConvertDevMode called directly, as the spooler does.
enum class Input { None, Defaults };
enum class Expect { Nothing, Defaults, Stable };
constexpr LONG kSizeUnchanged = -2;

// error is checked on failure; sizeAfter kSizeUnchanged: as given; printer null: the test printer.
struct ConvertCase { const char* name; DWORD mode; Input input; LONG size; BOOL ok; DWORD error; LONG sizeAfter; Expect output; const wchar_t* printer; };

// The whole matrix runs natively (ConvertDevMode.ChecksArgumentsAndReportsSize);
// here only what the export adds: the real last error, the real spooler's
// unknown printer, and a DEVMODE that converts to itself.
const ConvertCase kConvertCases[] = {
    {"default_exact_size", kCdmDriverDefault, Input::None, 19040, TRUE, 0, 19040, Expect::Defaults, nullptr},
    {"default_one_byte_short", kCdmDriverDefault, Input::None, 19039, FALSE, 122, 19040, Expect::Nothing, nullptr},
    {"convert_unknown_printer", kCdmConvert, Input::Defaults, 19040, FALSE, 87, kSizeUnchanged, Expect::Nothing,
     L"ZR51A No Such Printer"},
    {"convert_own_defaults", kCdmConvert, Input::Defaults, 19040, TRUE, 0, 19040, Expect::Stable, nullptr},
    {"convert_null_input", kCdmConvert, Input::None, 19040, FALSE, 87, kSizeUnchanged, Expect::Nothing, nullptr},
};

TEST_F(DriverInstall, ConvertDevModeTable) {
    const std::vector<BYTE> defaults = Defaults();
    ASSERT_EQ(DevModeFaults(defaults), "");

    for (const ConvertCase& c : kConvertCases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> in;
        if (c.input == Input::Defaults) in = defaults;
        // Poison the output too, so that a copy that never happened shows.
        std::vector<BYTE> out(30000, 0xA5);
        LONG size = c.size;
        std::wstring printer = c.printer != nullptr ? c.printer : kPrinterName;

        SetLastError(kPoison);
        BOOL ok = convert_(const_cast<LPWSTR>(printer.c_str()),
                           in.empty() ? nullptr : reinterpret_cast<PDEVMODEW>(in.data()),
                           reinterpret_cast<PDEVMODEW>(out.data()), &size, c.mode);
        DWORD error = GetLastError();

        EXPECT_EQ(ok, c.ok);
        if (!c.ok) { EXPECT_EQ(error, c.error); }
        EXPECT_EQ(size, c.sizeAfter == kSizeUnchanged ? c.size : c.sizeAfter);
        if (c.output == Expect::Nothing) continue;

        out.resize(kDevModeSize);
        EXPECT_EQ(DevModeFaults(out), "");
        if (c.output == Expect::Defaults) {
            // Same settings as the defaults; the device name may be filled in.
            EXPECT_EQ(std::memcmp(out.data() + 64, defaults.data() + 64, kDevModeSize - 64), 0);
            continue;
        }
        // A converted DEVMODE converts to itself: nothing drifts on the way
        // through the spooler again.
        std::vector<BYTE> again(kDevModeSize, 0xA5);
        LONG againSize = kDevModeSize;
        ASSERT_TRUE(convert_(Name(), reinterpret_cast<PDEVMODEW>(out.data()), reinterpret_cast<PDEVMODEW>(again.data()),
                             &againSize, kCdmConvert));
        auto changed = std::mismatch(out.begin(), out.end(), again.begin()).first;
        EXPECT_TRUE(changed == out.end()) << "byte " << (changed - out.begin()) << " changed on a second conversion";
    }
}

typedef LONG(WINAPI* DocPropsFn)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW, DWORD);
typedef LONG(WINAPI* AdvancedFn)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW);
typedef BOOL(WINAPI* JobAttrFn)(HANDLE, PDEVMODEW, DWORD, LPBYTE);
typedef BOOL(WINAPI* PrinterEventFn)(LPWSTR, INT, DWORD, LPARAM);
typedef BOOL(WINAPI* UpgradeFn)(DWORD, LPBYTE);
typedef BOOL(WINAPI* ColorProfileFn)(HANDLE, PDEVMODEW, ULONG, VOID*, ULONG*, ULONG*);
typedef BOOL(WINAPI* QueryPrintFn)(HANDLE, LPDEVMODEW, DWORD*);
typedef BOOL(WINAPI* PrinterPropertiesFn)(HWND, HANDLE);
typedef DWORD(WINAPI* SplCapsFn)(HANDLE, PWSTR, WORD, PVOID, DWORD, PDEVMODEW);

// The document properties three ways: the spooler's DocumentPropertiesW as an
// application calls it (with a handle, or by name only as the spooler's
// AddPrinterW asks), which reaches DrvDocumentPropertySheets with no sheet
// information, and the DrvDocumentProperties and DrvAdvancedDocumentProperties
// exports. The input carries a halftone value the field table rejects.
enum class Via { Spooler, SpoolerByName, Export, Advanced };
// error: kPoison left alone, 0 not checked (the spooler's own calls set it).
struct DocPropsCase { const char* name; Via via; DWORD fMode; bool out, in; LONG result; DWORD error; bool written; };

const DocPropsCase kDocPropsCases[] = {
    {"spooler_size_query", Via::Spooler, 0, false, false, 19040, 0, false},
    {"spooler_in_and_out_buffer", Via::Spooler, DM_OUT_BUFFER | DM_IN_BUFFER, true, true, IDOK, 0, true},
    {"spooler_by_name", Via::SpoolerByName, DM_OUT_BUFFER | DM_IN_BUFFER, true, true, IDOK, 0, true},
    {"export_out_buffer_without_output", Via::Export, DM_OUT_BUFFER, false, false, -1, ERROR_INVALID_PARAMETER, false},
    {"export_update_and_buffers", Via::Export, DM_UPDATE | DM_OUT_BUFFER | DM_IN_BUFFER, true, true, IDOK, 0, true},
    // The advanced variant always asks for an output buffer.
    {"advanced_without_output", Via::Advanced, 0, false, true, -1, ERROR_INVALID_PARAMETER, false},
};

TEST_F(DriverInstall, DocumentPropertiesTable) {
    DocPropsFn docProps = zr51test::DriverExport<DocPropsFn>(module_, "DrvDocumentProperties");
    AdvancedFn advanced = zr51test::DriverExport<AdvancedFn>(module_, "DrvAdvancedDocumentProperties");
    ASSERT_TRUE(docProps && advanced);
    const std::vector<BYTE> defaults = Defaults();
    ASSERT_EQ(DevModeFaults(defaults), "");
    const FieldRow* halftone = FindPrivateField("halftoneScreening");
    ASSERT_NE(halftone, nullptr);
    const size_t at = 220u + halftone->offset;
    std::vector<BYTE> inBefore = defaults;
    inBefore[at] = static_cast<BYTE>(RejectedValue(*halftone));

    for (const DocPropsCase& c : kDocPropsCases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> in = inBefore, out(kDevModeSize, 0xA5);
        PDEVMODEW pOut = c.out ? reinterpret_cast<PDEVMODEW>(out.data()) : nullptr;
        PDEVMODEW pIn = c.in ? reinterpret_cast<PDEVMODEW>(in.data()) : nullptr;
        SetLastError(kPoison);
        LONG r = c.via == Via::Advanced ? advanced(nullptr, printer_, Name(), pOut, pIn)
                 : c.via == Via::Export ? docProps(nullptr, printer_, Name(), pOut, pIn, c.fMode)
                                        : DocumentPropertiesW(nullptr, c.via == Via::Spooler ? printer_ : nullptr,
                                                              Name(), pOut, pIn, c.fMode);
        DWORD error = GetLastError();
        EXPECT_EQ(r, c.result) << "error " << error;
        if (c.error != 0) { EXPECT_EQ(error, c.error); }
        EXPECT_EQ(in, inBefore);
        if (c.written) {
            EXPECT_EQ(DevModeFaults(out), "");
            EXPECT_EQ(out[at], defaults[at]) << "rejected halftone value taken";
        } else {
            EXPECT_EQ(out, std::vector<BYTE>(kDevModeSize, 0xA5));
        }
    }
}

// DrvDocumentPropertySheets with no sheet information: the header is the
// whole request. Either sheet without sheet information, or with information
// whose initial header is missing, fails with -1 and builds nothing.
// cbOut: the header's afterwards, checked when a header is given alone.
struct SheetCase { const char* name; bool device, withInfo, withHeader; DWORD fMode; LONG result; DWORD cbOut; bool outputWritten; };

const SheetCase kSheetCases[] = {
    {"size_query", false, false, true, 0, 19040, 19040, false},
    {"copy", false, false, true, DM_COPY, 1, 19040, true},
    {"prompt_alone_writes_nothing", false, false, true, DM_PROMPT, 1, 19040, false},
    {"no_header", false, false, false, DM_COPY, -1, 0, false},
    {"sheet_information_without_initial_header", false, true, true, DM_COPY, -1, 0, false},
    {"device_without_information", true, false, false, 0, -1, 0, false},
};

TEST_F(DriverInstall, PropertySheetsWithoutSheetTable) {
    for (const SheetCase& c : kSheetCases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> out(kDevModeSize, 0xA5);
        DocumentPropertyHeader header;
        std::memset(&header, 0, sizeof header);
        header.cbSize = sizeof header;
        header.hPrinter = printer_;
        header.pszPrinterName = Name();
        header.pdmOut = reinterpret_cast<PDEVMODEW>(out.data());
        header.fMode = c.fMode;
        // Zeroed sheet information: the first call with no header in it.
        BYTE info[256] = {};
        LONG r = (c.device ? devSheets_ : docSheets_)(c.withInfo ? info : nullptr,
                                                      c.withHeader ? reinterpret_cast<LPARAM>(&header) : 0);
        EXPECT_EQ(r, c.result);
        if (c.withHeader && !c.withInfo) { EXPECT_EQ(header.cbOut, c.cbOut); }
        if (c.outputWritten) {
            EXPECT_EQ(DevModeFaults(out), "");
        } else {
            EXPECT_EQ(out, std::vector<BYTE>(kDevModeSize, 0xA5));
        }
    }
}

// pluralPagesPerSheet and booklet are private bytes 400 and 402.
// nup -1: no caller DEVMODE.
struct JobAttrCase { DWORD level; int nup, booklet; BOOL ok; DWORD pages, direction, order, bookletFlags; };

const JobAttrCase kJobAttrCases[] = {
    {4, 43, 1, TRUE, 2, 1, 2, 1}, {1, 21, 0, TRUE, 2, 0, 1, 0}, {3, -1, 0, TRUE, 1, 0, 1, 0}, {5, 43, 0, FALSE, 0, 0, 0, 0},
};

TEST_F(DriverInstall, DrvQueryJobAttributesTable) {
    JobAttrFn query = zr51test::DriverExport<JobAttrFn>(module_, "DrvQueryJobAttributes");
    ASSERT_NE(query, nullptr);
    const std::vector<BYTE> defaults = Defaults();
    ASSERT_EQ(DevModeFaults(defaults), "");
    const DWORD sizes[] = {0, 28, 32, sizeof(ATTRIBUTE_INFO_3), sizeof(ATTRIBUTE_INFO_4), 0};
    for (const JobAttrCase& c : kJobAttrCases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " nup " << c.nup << " booklet " << c.booklet);
        std::vector<BYTE> dm = defaults;
        dm[620] = static_cast<BYTE>(c.nup);
        dm[622] = static_cast<BYTE>(c.booklet);
        std::vector<BYTE> info(sizeof(ATTRIBUTE_INFO_4) + 8, 0xA5);
        SetLastError(kPoison);
        BOOL ok = query(printer_, c.nup >= 0 ? reinterpret_cast<PDEVMODEW>(dm.data()) : nullptr, c.level, info.data());
        EXPECT_EQ(ok, c.ok);
        if (!ok) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
            EXPECT_EQ(info, std::vector<BYTE>(info.size(), 0xA5));
            continue;
        }
        // Exactly the structure of the level is written.
        EXPECT_EQ(info[sizes[c.level]], 0xA5);
        EXPECT_NE(info[sizes[c.level] - 1], 0xA5);
        const ATTRIBUTE_INFO_4* a = reinterpret_cast<const ATTRIBUTE_INFO_4*>(info.data());
        EXPECT_EQ(a->dwJobNumberOfPagesPerSide, c.pages);
        EXPECT_EQ(a->dwJobPageOrderFlags, c.order);
        if (c.level == 4) {
            EXPECT_EQ(a->dwNupDirection, c.direction);
            EXPECT_EQ(a->dwBookletFlags, c.bookletFlags);
        }
    }
}

TEST_F(DriverInstall, DrvDocumentEventAsksForStartDocOnly) {
    struct { DOCEVENT_FILTER head; DWORD more[7]; } filter;
    std::memset(&filter, 0, sizeof filter);
    filter.head.cbSize = sizeof filter;
    filter.head.cElementsAllocated = 8;
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, sizeof filter, &filter), 1);
    EXPECT_EQ(filter.head.cElementsReturned, 1u);
    EXPECT_EQ(filter.head.aDocEventCall[0], static_cast<DWORD>(DOCUMENTEVENT_STARTDOC));

    filter.head.cElementsAllocated = 0;
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, sizeof filter, &filter), 0);
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 1);
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr), 1);
    EXPECT_EQ(event_(printer_, nullptr, DOCUMENTEVENT_ENDDOC, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(event_(printer_, nullptr, 999, 0, nullptr, 0, nullptr), 0);
}

// The debugger output of this process, caught before the system's own
// handling: OutputDebugString raises DBG_PRINTEXCEPTION_C (and, where the
// system has it, the wide variant) for any vectored handler to see.
std::vector<std::string>* g_debugLines = nullptr;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* e) {
    const EXCEPTION_RECORD* r = e->ExceptionRecord;
    if (g_debugLines == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    if (r->ExceptionCode == 0x40010006 && r->NumberParameters >= 2) {  // DBG_PRINTEXCEPTION_C
        g_debugLines->push_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
    } else if (r->ExceptionCode == 0x4001000A && r->NumberParameters >= 2) {  // DBG_PRINTEXCEPTION_WIDE_C
        g_debugLines->push_back(Narrow(reinterpret_cast<const wchar_t*>(r->ExceptionInformation[1])));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// The small exports, and one log line caught as the debugger would see it.
TEST_F(DriverInstall, SmallExportsAndTheirLogLine) {
    PrinterEventFn printerEvent = zr51test::DriverExport<PrinterEventFn>(module_, "DrvPrinterEvent");
    UpgradeFn upgrade = zr51test::DriverExport<UpgradeFn>(module_, "DrvUpgradePrinter");
    ColorProfileFn colorProfile = zr51test::DriverExport<ColorProfileFn>(module_, "DrvQueryColorProfile");
    QueryPrintFn queryPrint = zr51test::DriverExport<QueryPrintFn>(module_, "DevQueryPrint");
    SplCapsFn splCaps = zr51test::DriverExport<SplCapsFn>(module_, "DrvSplDeviceCaps");
    ASSERT_TRUE(printerEvent && upgrade && colorProfile && queryPrint && splCaps);

    SetLastError(kPoison);
    EXPECT_FALSE(printerEvent(Name(), 0, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(kPoison);
    EXPECT_FALSE(colorProfile(printer_, nullptr, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    DWORD resource = 0xdeadbeef;
    EXPECT_TRUE(queryPrint(printer_, nullptr, &resource));
    EXPECT_EQ(resource, 0u);
    EXPECT_EQ(splCaps(printer_, Name(), DC_PAPERS, nullptr, 0, nullptr), 0xFFFFFFFFu);  // names and ready media only

    // This printer's driver carries no model description: its initialisation
    // fails with its log line and 2; an upgrade goes on whatever the data.
    std::vector<std::string> lines;
    g_debugLines = &lines;
    PVOID handler = AddVectoredExceptionHandler(1, CatchDebugOutput);
    ASSERT_NE(handler, nullptr);
    SetLastError(kPoison);
    BOOL initialized = printerEvent(Name(), 3, 0, 0);  // PRINTER_EVENT_INITIALIZE
    DWORD error = GetLastError();
    LPWSTR upgradeInfo[2] = {Name(), nullptr};
    BOOL upgraded = upgrade(1, reinterpret_cast<LPBYTE>(upgradeInfo));
    RemoveVectoredExceptionHandler(handler);
    g_debugLines = nullptr;
    EXPECT_FALSE(initialized);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(upgraded);

    char tail[128];
    std::snprintf(tail, sizeof tail, "[pid=%8lu][thread=%8lx]:install failed : Read RDF File.\n",
                  GetCurrentProcessId(), GetCurrentThreadId());
    auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.size() > 34 && l.substr(34) == tail;
    });
    ASSERT_NE(found, lines.end()) << lines.size() << " lines";
    // "[KELO DRV] yyyy/mm/dd hh:mm:ss.mmm" (its shape is the log's own test's)
    // and then the tail with this process's and thread's ids.
    EXPECT_EQ(found->substr(0, 11), "[KELO DRV] ");
    EXPECT_EQ(2, std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.size() > 34 && l.substr(34) == tail;
    }));
}

// PrinterProperties probes write access before it shows the device sheet;
// the sheet itself comes with the property sheet assembly, so the call ends
// FALSE, but the probe's value stays behind.
TEST_F(DriverInstall, PrinterPropertiesLeavesThePermissionProbe) {
    PrinterPropertiesFn props = zr51test::DriverExport<PrinterPropertiesFn>(module_, "PrinterProperties");
    ASSERT_NE(props, nullptr);
    HANDLE admin = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(Name(), &admin, &defaults));
    DWORD zero = 0;  // Wine has no DeletePrinterDataW: start from 0 instead
    ASSERT_EQ(SetPrinterDataW(admin, const_cast<LPWSTR>(L"Permission"), REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(props(nullptr, admin));
    DWORD type = 0, value = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(admin, const_cast<LPWSTR>(L"Permission"), &type, reinterpret_cast<BYTE*>(&value),
                              sizeof value, &needed),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(value, 1u);
    ClosePrinter(admin);
}

// A printer of each of our models added and initialised by the driver, as
// the spooler of Windows does it; then an upgrade over stored data that an
// older driver left damaged. What is checked is what the printer offers
// afterwards: its stored data, preset favourites and capabilities.
struct ModelCase { const wchar_t* model; const wchar_t* driver; uint16_t modelCode; };
const ModelCase kModelCases[] = {
    {L"ZRC4500.RDF", L"KELO ZR-C4500", 4500},
    {L"ZRM1200.RDF", L"KELO ZR-M1200", 1200},
    {L"ZRT2300.RDF", L"KELO ZR-T2300", 2300},
};

std::vector<BYTE> PrinterValue(HANDLE h, const wchar_t* name) {
    DWORD type = 0, needed = 0;
    GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, nullptr, 0, &needed);
    std::vector<BYTE> v(needed, 0);
    if (needed == 0 || GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, v.data(), needed, &needed) != ERROR_SUCCESS)
        v.clear();
    return v;
}

TEST(DriverInstallModels, InitializeEachModelThenUpgradeDamagedData) {
    const wchar_t printerName[] = L"ZR51A Model Printer";
    // The installer's language, which a new printer takes once.
    struct InstallerKey {
        HKEY key = nullptr;
        // Other tests' printers must not take the language on.
        ~InstallerKey() {
            if (key) RegDeleteValueW(key, L"InstallLanguage"), RegCloseKey(key);
        }
    } installerKey;
    HKEY& installer = installerKey.key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KELO\\IJ\\PrinterDriverInstaller\\KELO QM Series", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &installer, nullptr),
              ERROR_SUCCESS);
    const DWORD japanese = 1041;
    ASSERT_EQ(RegSetValueExW(installer, L"InstallLanguage", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&japanese), 4),
              ERROR_SUCCESS);
    for (const ModelCase& c : kModelCases) {
        SCOPED_TRACE(Narrow(c.driver));
        // The driver with its model description and resource module.
        RemovePrinter(printerName);
        ASSERT_TRUE(CopyIntoDriverDirectory(zr51test::DriverDllUnderTest(), nullptr));
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr));
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable((std::wstring(L"models\\") + c.model).c_str()), nullptr));
        ASSERT_TRUE(AddDriverWithFiles(c.driver, zr51test::kDriverDllName, {c.model, L"ZR51ARC.DLL"}));
        ASSERT_TRUE(AddPrinterOnPort(printerName, c.driver, L"FILE:")) << GetLastError();
        HANDLE h = nullptr;
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printerName), &h, nullptr));
        ASSERT_TRUE(InitializeThroughDriver(printerName, c.driver)) << GetLastError();

        std::vector<BYTE> locale = PrinterValue(h, L"LocaleID");
        ASSERT_EQ(locale.size(), 4u);
        EXPECT_EQ(Read<uint32_t>(locale, 0), japanese);
        std::vector<BYTE> rdf = PrinterValue(h, L"RdfInfo");
        ASSERT_EQ(rdf.size(), 1104u);
        EXPECT_EQ(Read<uint16_t>(rdf, 0), c.modelCode);
        EXPECT_EQ(PrinterValue(h, L"PrvEnv").size(), 196632u);
        std::vector<BYTE> def = PrinterValue(h, L"DefDevmode");
        EXPECT_EQ(DevModeFaults(def), "");
        std::vector<BYTE> names = PrinterValue(h, L"QuickSettingNames");
        ASSERT_EQ(names.size(), 1260u);
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(names.data())), L"+IDS_20674");
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(names.data() + 3 * 42)), L"+IDS_20677");
        EXPECT_EQ(PrinterValue(h, L"QuickSetting_+IDS_20677").size(), 4u + 12206u);
        // Forms are checked natively: Wine's AddFormW stores nothing.
        // The capabilities offer the printer's default paper.
        std::vector<WORD> papers(512);
        DWORD count = DeviceCapabilitiesW(printerName, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()),
                                          nullptr);
        ASSERT_GT(count, 0u);
        ASSERT_LT(count, 512u);
        papers.resize(count);
        EXPECT_NE(std::find(papers.begin(), papers.end(), Read<uint16_t>(def, 78)), papers.end())
            << "dmPaperSize " << Read<uint16_t>(def, 78);
        ClosePrinter(h);
    }

    // The last printer's stored data as an older or damaged driver left it:
    // a short environment of stray bytes.
    PRINTER_DEFAULTSW admin = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printerName), &h, &admin));
    std::vector<BYTE> stray(1000, 0xFF);
    ASSERT_EQ(SetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), REG_BINARY, stray.data(), 1000),
              static_cast<DWORD>(ERROR_SUCCESS));
    SetLastError(kPoison);
    EXPECT_TRUE(UpgradeThroughDriver(printerName, kModelCases[2].driver));
    std::vector<BYTE> env = PrinterValue(h, L"PrvEnv");
    ASSERT_EQ(env.size(), 196632u);
    EXPECT_EQ(Read<uint16_t>(env, 196442), 2300);  // modelCode, from the model again
    // The sheets' settings still resolve whole for an application.
    std::vector<BYTE> dm(kDevModeSize, 0);
    EXPECT_EQ(DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printerName), reinterpret_cast<PDEVMODEW>(dm.data()),
                                  nullptr, DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(DevModeFaults(dm), "");
    ClosePrinter(h);
    RemovePrinter(printerName);
}

}  // namespace
