// In-memory spooler and host for native tests and benchmarks. They answer the
// way the real ones do on the points the core depends on: size queries that
// fail with ERROR_MORE_DATA, missing values, value types, unknown printer
// names, existing forms, and the last error of the calling thread. Every
// spooler call is appended to a call log so tests can check order and count.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"

// Win32 error codes the fakes produce beyond those in platform.h.
constexpr uint32_t kErrAccessDenied = 5;
constexpr uint32_t kErrInvalidHandle = 6;
constexpr uint32_t kErrFileExists = 80;
constexpr uint32_t kErrInvalidLevel = 124;
constexpr uint32_t kErrInvalidPrinterName = 1801;

// UTF-16 helpers for tests. U16 widens UTF-8 (BMP only, which is all the
// driver's texts need); Narrow does the reverse for messages and logs.
std::u16string U16(const char* utf8);
std::u16string U16(const std::string& utf8);
std::string Narrow(const std::u16string& text);
std::string Narrow(const char16_t* text);  // null gives "(null)"
// A test name part from a case description: its index, then its letters and
// digits with runs of anything else turned into one underscore.
std::string CaseName(size_t index, const char* what);

// One printer-data value as the spooler keeps it.
struct FakeValue {
    uint32_t type = kRegBinary;
    std::vector<uint8_t> bytes;
};

struct FakePrinter {
    PrinterInfo2 info;  // info.printerName is the name OpenPrinter matches
    DriverInfo3 driver;
    std::vector<FormInfo> forms;
    // Value names compare without regard to ASCII case, as in the registry.
    std::vector<std::pair<std::u16string, FakeValue>> data;

    // Fault injection.
    uint32_t setDataError = 0;     // e.g. kErrAccessDenied for a read-only user
    std::map<std::u16string, uint32_t> setValueError;  // refused writes per value name (any case)
    int setDataAllowed = -1;       // writes that succeed before every later one fails with 5; -1 no limit
    uint32_t deniedAccess = 0;     // OpenPrinter asking any of these bits fails with 5
    int infoFails = 0;             // GetPrinterInfo2/Attributes fail (last error 5)
    int driverInfoFails = 0;       // GetDriverInfo3 fails (last error 5)
    std::map<std::u16string, uint32_t> getDataError;  // forced result per value name (any case)
    std::vector<uint8_t> userDevMode;  // PRINTER_INFO_9; level 8 is info.devMode
    int devModeLevelFails = 0;         // levels 8 and 9 cannot be read (last error 5)

    FakeValue* Find(const std::u16string& name);
    const FakeValue* Find(const std::u16string& name) const;
    void Set(const std::u16string& name, uint32_t type, const void* bytes, size_t size);
    void SetBinary(const std::u16string& name, const std::vector<uint8_t>& bytes);
    void SetDword(const std::u16string& name, uint32_t value);
    void SetString(const std::u16string& name, const std::u16string& text);  // REG_SZ, terminator stored
    void Erase(const std::u16string& name);
};

class FakeHost;

// The answer of one transceive query.
struct FakeXcvAnswer {
    uint32_t error = 0;
    std::vector<uint8_t> output;
};

class FakeSpooler : public Spooler {
public:
    explicit FakeSpooler(Host* host = nullptr) : host_(host) {}

    // Adds (or replaces) a printer; info.printerName is set to name.
    FakePrinter& AddPrinter(const std::u16string& name, PrinterInfo2 info = {}, DriverInfo3 driver = {});
    FakePrinter* Printer(const std::u16string& name);
    void RemovePrinter(const std::u16string& name);

    // Spooler. A null name fails like an unknown one: the core never opens
    // the print server itself.
    int OpenPrinter(const char16_t* name, uint32_t access, PrinterHandle* handle) override;
    void ClosePrinter(PrinterHandle handle) override;
    uint32_t GetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t* type, void* buffer, uint32_t size,
                            uint32_t* needed) override;
    uint32_t SetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t type, const void* data,
                            uint32_t size) override;
    uint32_t DeletePrinterData(PrinterHandle handle, const char16_t* value) override;
    int GetPrinterInfo2(PrinterHandle handle, PrinterInfo2* out) override;
    int GetPrinterAttributes(PrinterHandle handle, int level, uint32_t* attributes) override;
    int GetPrinterServerName(PrinterHandle handle, std::u16string* out) override;
    int GetDriverInfo3(PrinterHandle handle, DriverInfo3* out) override;
    int GetPrinterDriverDirectory(std::u16string* out) override;
    int EnumForms(PrinterHandle handle, std::vector<FormInfo>* out) override;
    int AddForm(PrinterHandle handle, const FormInfo& form) override;
    void BroadcastDevModeChange(const char16_t* printerName) override;
    uint32_t EnumLocalPorts(std::vector<PortEntry>* out) override;
    // Unknown transceive names fail like unknown printers (1801), unknown data
    // names with 50; output longer than the buffer fails with 122.
    uint32_t TransceiveData(const char16_t* xcvName, uint32_t access, const char16_t* dataName, const void* input,
                     uint32_t inputSize, void* output, uint32_t outputSize, uint32_t* needed) override;
    uint32_t PrintProcessorDirectory(std::u16string* out) override;
    int RemovePrintProcessor(const char16_t* name) override;
    int RegisterPrintProcessor(const char16_t* fileName, const char16_t* name) override;
    uint32_t SetPrinterPrintProcessor(PrinterHandle handle, const char16_t* name) override;
    int GetPrinterDevMode(PrinterHandle handle, int level, std::vector<uint8_t>* out) override;
    int SetPrinterDevMode(PrinterHandle handle, int level, const std::vector<uint8_t>& devMode) override;
    // Hands the call to documentProperties (the driver the test puts behind
    // the spooler); -1 with last error 50 when there is none.
    int32_t DriverDocumentProperties(PrinterHandle handle, void* out, const void* in, uint32_t mode) override;

    // Ports and transceive answers (keyed by transceive name, then data name).
    std::vector<PortEntry> ports;
    uint32_t enumPortsError = 0;
    std::map<std::u16string, std::map<std::u16string, FakeXcvAnswer>> xcv;

    // Print processors by name (value: file name) and the directory they live in.
    std::map<std::u16string, std::u16string> printProcessors;
    std::u16string printProcessorDirectory = u"C:\\Windows\\system32\\spool\\prtprocs\\x64";
    uint32_t printProcessorDirectoryError = 0;
    // The driver behind DocumentPropertiesW: (handle, out, in, mode) -> result.
    std::function<int32_t(PrinterHandle, void*, const void*, uint32_t)> documentProperties;

    // Observation.
    std::vector<std::string> CallLog() const;
    void ClearCallLog();
    int CountCalls(const std::string& entry) const;  // exact matches in the log
    int OpenHandles() const;                          // opened and not yet closed
    int BadCloses() const;                            // ClosePrinter of an unknown handle
    uint32_t LastAccess() const;                      // access of the latest OpenPrinter
    std::vector<std::pair<std::u16string, uint32_t>> OpenRequests() const;
    int Broadcasts() const;
    std::vector<std::u16string> BroadcastNames() const;
    void SetDriverDirectory(const std::u16string& dir);
    void SetLogging(bool on);  // benchmarks switch the call log off
    void SetHost(Host* host) { host_ = host; }

private:
    FakePrinter* ByHandle(PrinterHandle handle);
    void Fail(uint32_t code);
    void Log(std::string entry);

    mutable std::recursive_mutex mutex_;
    Host* host_;
    std::vector<std::pair<std::u16string, FakePrinter>> printers_;
    std::map<PrinterHandle, std::u16string> handles_;
    uintptr_t nextHandle_ = 0x5A510000;
    std::vector<std::string> log_;
    bool logging_ = true;
    int badCloses_ = 0;
    uint32_t lastAccess_ = 0;
    std::vector<std::pair<std::u16string, uint32_t>> openRequests_;
    std::vector<std::u16string> broadcasts_;
    std::u16string driverDirectory_ = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64";
};

class FakeHost : public Host {
public:
    FakeHost();

    // Version answers. VersionAtLeast compares against verifyVersion (what a
    // module with an 8.1 compatibility manifest sees on Windows 10); the
    // GetVersionEx answer is separate.
    OsVersionInfo verifyVersion;   // default 6.3, workstation
    OsVersionInfo versionEx;       // default 6.2 build 9200, workstation
    int versionExFails = 0;
    std::u16string computerName = u"WS-TEST01";
    std::u16string userName = u"tester";
    std::u16string messageFontFace = u"Segoe UI";  // empty: the call fails
    uint16_t uiLanguage = 0x0409;
    int clusterAvailable = 0;
    HostTime localTime = {2026, 12, 6, 5, 18, 30, 15, 250};
    uint32_t tickCount = 1000000;
    uint32_t tickStep = 0;  // added to tickCount after each TickCount call
    uint32_t processId = 4242;
    uint32_t threadId = 77;
    std::map<uint32_t, std::u16string> strings;  // resource strings by id, any language
    // HKEY_LOCAL_MACHINE values by "key\\value" (type, data).
    std::map<std::u16string, std::pair<uint32_t, uint32_t>> machineValues;
    std::set<std::u16string> files;                 // what CopyFile can copy from, and what it made
    std::vector<std::pair<std::u16string, std::u16string>> copies;  // every copy asked for

    int VersionAtLeast(uint32_t major, uint32_t minor, uint32_t spMajor) override;
    int IsWorkstation() override;
    int GetVersionEx(OsVersionInfo* out) override;
    std::u16string ComputerName() override;
    std::u16string UserName() override;
    std::u16string MessageFontFace() override;
    uint16_t SystemDefaultUILanguage() override;
    int ClusterServiceAvailable() override;
    HostTime LocalTime() override;
    uint32_t TickCount() override;
    uint32_t ProcessId() override;
    uint32_t ThreadId() override;
    void Sleep(uint32_t milliseconds) override;
    void DebugOutput(const char16_t* line) override;
    int LoadResourceString(uint32_t languageId, uint32_t id, char16_t* buffer, int capacity) override;
    void SetLastError(uint32_t code) override;
    uint32_t GetLastError() override;
    int ReadMachineValue(const char16_t* key, const char16_t* value, uint32_t* type, uint32_t* data) override;
    int CopyFileOver(const char16_t* from, const char16_t* to) override;

    std::vector<std::u16string> DebugLines() const;
    void ClearDebugLines();
    uint32_t SleptMilliseconds() const { return slept_; }
    std::vector<uint32_t> Sleeps() const;  // every wait, in order
    void ClearSleeps();
    void SetCaptureDebug(bool on) { captureDebug_ = on; }

private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> debugLines_;
    bool captureDebug_ = true;
    uint32_t slept_ = 0;
    std::vector<uint32_t> sleeps_;
};

// Installs a fresh fake spooler and host for the lifetime of the scope and
// puts back whatever platform was installed before.
class FakePlatformScope {
public:
    FakePlatformScope();
    ~FakePlatformScope();
    FakePlatformScope(const FakePlatformScope&) = delete;
    FakePlatformScope& operator=(const FakePlatformScope&) = delete;

    FakeHost host;
    FakeSpooler spooler;

private:
    Platform previous_;
};
