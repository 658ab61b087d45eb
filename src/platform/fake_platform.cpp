#include "platform/fake_platform.h"

#include "base/text16.h"

#include <algorithm>
#include <cstring>

namespace {

// The calling thread's last error, shared by every fake host like the real
// per-thread value.
thread_local uint32_t t_lastError = 0;

char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::u16string FromPtr(const char16_t* s) { return s ? std::u16string(s) : std::u16string(); }

}  // namespace

std::u16string U16(const char* utf8) {
    std::u16string out;
    if (!utf8) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        uint32_t c = *p++;
        if (c >= 0xE0 && p[0] && p[1]) {
            c = ((c & 0x0F) << 12) | ((p[0] & 0x3F) << 6) | (p[1] & 0x3F);
            p += 2;
        } else if (c >= 0xC0 && p[0]) {
            c = ((c & 0x1F) << 6) | (p[0] & 0x3F);
            p += 1;
        }
        out.push_back(char16_t(c));
    }
    return out;
}

std::u16string U16(const std::string& utf8) { return U16(utf8.c_str()); }

std::string Narrow(const std::u16string& text) { return Text16ToUtf8(text.c_str(), text.size()); }

std::string Narrow(const char16_t* text) { return text ? Narrow(std::u16string(text)) : std::string("(null)"); }

std::string CaseName(size_t index, const char* what) {
    std::string out = std::to_string(index);
    bool gap = true;
    for (const char* p = what; p && *p; ++p) {
        char c = *p;
        bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (word) {
            if (gap) out.push_back('_');
            out.push_back(c);
        }
        gap = !word;
    }
    return out;
}

// ---------------------------------------------------------------- FakePrinter

FakeValue* FakePrinter::Find(const std::u16string& name) {
    for (auto& [key, value] : data)
        if (SameName(key, name)) return &value;
    return nullptr;
}

const FakeValue* FakePrinter::Find(const std::u16string& name) const {
    for (const auto& [key, value] : data)
        if (SameName(key, name)) return &value;
    return nullptr;
}

void FakePrinter::Set(const std::u16string& name, uint32_t type, const void* bytes, size_t size) {
    FakeValue value;
    value.type = type;
    if (size) {
        const auto* b = static_cast<const uint8_t*>(bytes);
        value.bytes.assign(b, b + size);
    }
    if (FakeValue* existing = Find(name))
        *existing = std::move(value);
    else
        data.emplace_back(name, std::move(value));
}

void FakePrinter::SetBinary(const std::u16string& name, const std::vector<uint8_t>& bytes) {
    Set(name, kRegBinary, bytes.data(), bytes.size());
}

void FakePrinter::SetDword(const std::u16string& name, uint32_t value) { Set(name, kRegDword, &value, sizeof value); }

void FakePrinter::SetString(const std::u16string& name, const std::u16string& text) {
    Set(name, kRegSz, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

void FakePrinter::Erase(const std::u16string& name) {
    for (auto it = data.begin(); it != data.end(); ++it)
        if (SameName(it->first, name)) {
            data.erase(it);
            return;
        }
}

// ---------------------------------------------------------------- FakeSpooler

FakePrinter& FakeSpooler::AddPrinter(const std::u16string& name, PrinterInfo2 info, DriverInfo3 driver) {
    std::lock_guard lock(mutex_);
    info.printerName = name;
    for (auto& [key, printer] : printers_)
        if (SameName(key, name)) {
            printer = FakePrinter{};
            printer.info = std::move(info);
            printer.driver = std::move(driver);
            return printer;
        }
    printers_.emplace_back(name, FakePrinter{});
    FakePrinter& printer = printers_.back().second;
    printer.info = std::move(info);
    printer.driver = std::move(driver);
    return printer;
}

FakePrinter* FakeSpooler::Printer(const std::u16string& name) {
    std::lock_guard lock(mutex_);
    for (auto& [key, printer] : printers_)
        if (SameName(key, name)) return &printer;
    return nullptr;
}

void FakeSpooler::RemovePrinter(const std::u16string& name) {
    std::lock_guard lock(mutex_);
    for (auto it = printers_.begin(); it != printers_.end(); ++it)
        if (SameName(it->first, name)) {
            printers_.erase(it);
            return;
        }
}

FakePrinter* FakeSpooler::ByHandle(PrinterHandle handle) {
    auto it = handles_.find(handle);
    if (it == handles_.end()) return nullptr;
    for (auto& [key, printer] : printers_)
        if (SameName(key, it->second)) return &printer;
    return nullptr;
}

void FakeSpooler::Fail(uint32_t code) {
    Host* host = host_ ? host_ : CurrentPlatform().host;
    if (host)
        host->SetLastError(code);
    else
        t_lastError = code;
}

void FakeSpooler::Log(std::string entry) {
    if (logging_) log_.push_back(std::move(entry));
}

int FakeSpooler::OpenPrinter(const char16_t* name, uint32_t access, PrinterHandle* handle) {
    std::lock_guard lock(mutex_);
    Log("OpenPrinter " + Narrow(name));
    lastAccess_ = access;
    openRequests_.emplace_back(FromPtr(name), access);
    if (!handle) {
        Fail(kErrInvalidParameter);
        return 0;
    }
    FakePrinter* printer = name ? Printer(name) : nullptr;
    if (!printer) {
        Fail(kErrInvalidPrinterName);
        return 0;
    }
    if (access & printer->deniedAccess) {
        Fail(kErrAccessDenied);
        return 0;
    }
    PrinterHandle h = reinterpret_cast<PrinterHandle>(nextHandle_);
    nextHandle_ += 0x10;
    handles_[h] = printer->info.printerName;
    *handle = h;
    return 1;
}

void FakeSpooler::ClosePrinter(PrinterHandle handle) {
    std::lock_guard lock(mutex_);
    Log("ClosePrinter");
    if (handles_.erase(handle) == 0) {
        ++badCloses_;
        Fail(kErrInvalidHandle);
    }
}

uint32_t FakeSpooler::GetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t* type, void* buffer,
                                     uint32_t size, uint32_t* needed) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterData " + Narrow(value));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return kErrInvalidHandle;
    if (!value) return kErrInvalidParameter;
    for (const auto& [name, error] : printer->getDataError)
        if (SameName(name, value)) return error;
    const FakeValue* stored = printer->Find(value);
    if (!stored) return kErrFileNotFound;
    const uint32_t length = static_cast<uint32_t>(stored->bytes.size());
    if (type) *type = stored->type;
    if (needed) *needed = length;
    if (!buffer || size < length) return kErrMoreData;
    if (length) std::memcpy(buffer, stored->bytes.data(), length);
    return kErrSuccess;
}

uint32_t FakeSpooler::SetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t type, const void* data,
                                     uint32_t size) {
    std::lock_guard lock(mutex_);
    Log("SetPrinterData " + Narrow(value));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return kErrInvalidHandle;
    if (!value || (!data && size)) return kErrInvalidParameter;
    if (printer->setDataError) return printer->setDataError;
    for (const auto& [name, error] : printer->setValueError)
        if (SameName(name, value)) return error;
    if (printer->setDataAllowed == 0) return kErrAccessDenied;
    if (printer->setDataAllowed > 0) printer->setDataAllowed--;
    printer->Set(value, type, data, size);
    return kErrSuccess;
}

uint32_t FakeSpooler::DeletePrinterData(PrinterHandle handle, const char16_t* value) {
    std::lock_guard lock(mutex_);
    Log("DeletePrinterData " + Narrow(value));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return kErrInvalidHandle;
    if (!value) return kErrInvalidParameter;
    if (printer->setDataError) return printer->setDataError;
    if (!printer->Find(value)) return kErrFileNotFound;
    printer->Erase(value);
    return kErrSuccess;
}

int FakeSpooler::GetPrinterInfo2(PrinterHandle handle, PrinterInfo2* out) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterInfo2");
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (printer->infoFails) return Fail(kErrAccessDenied), 0;
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = printer->info;
    return 1;
}

int FakeSpooler::GetPrinterAttributes(PrinterHandle handle, int level, uint32_t* attributes) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterAttributes " + std::to_string(level));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (level != 2 && level != 4 && level != 5) return Fail(kErrInvalidLevel), 0;
    if (printer->infoFails) return Fail(kErrAccessDenied), 0;
    if (!attributes) return Fail(kErrInvalidParameter), 0;
    *attributes = printer->info.attributes;
    return 1;
}

int FakeSpooler::GetPrinterServerName(PrinterHandle handle, std::u16string* out) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterServerName");
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (printer->infoFails) return Fail(kErrAccessDenied), 0;
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = printer->info.serverName;
    return 1;
}

int FakeSpooler::GetDriverInfo3(PrinterHandle handle, DriverInfo3* out) {
    std::lock_guard lock(mutex_);
    Log("GetDriverInfo3");
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (printer->driverInfoFails) return Fail(kErrAccessDenied), 0;
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = printer->driver;
    return 1;
}

int FakeSpooler::GetPrinterDriverDirectory(std::u16string* out) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterDriverDirectory");
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = driverDirectory_;
    return 1;
}

int FakeSpooler::EnumForms(PrinterHandle handle, std::vector<FormInfo>* out) {
    std::lock_guard lock(mutex_);
    Log("EnumForms");
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = printer->forms;
    return 1;
}

int FakeSpooler::AddForm(PrinterHandle handle, const FormInfo& form) {
    std::lock_guard lock(mutex_);
    Log("AddForm " + Narrow(form.name));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (form.name.empty()) return Fail(kErrInvalidParameter), 0;
    for (const FormInfo& f : printer->forms)
        if (SameName(f.name, form.name)) return Fail(kErrFileExists), 0;
    printer->forms.push_back(form);
    return 1;
}

void FakeSpooler::BroadcastDevModeChange(const char16_t* printerName) {
    std::lock_guard lock(mutex_);
    Log("BroadcastDevModeChange " + Narrow(printerName));
    broadcasts_.push_back(FromPtr(printerName));
}

uint32_t FakeSpooler::EnumLocalPorts(std::vector<PortEntry>* out) {
    std::lock_guard lock(mutex_);
    Log("EnumLocalPorts");
    if (!out) return kErrInvalidParameter;
    out->clear();
    if (enumPortsError) return enumPortsError;
    *out = ports;
    return 0;
}

uint32_t FakeSpooler::TransceiveData(const char16_t* xcvName, uint32_t access, const char16_t* dataName,
                              const void* input, uint32_t inputSize, void* output, uint32_t outputSize,
                              uint32_t* needed) {
    std::lock_guard lock(mutex_);
    Log("TransceiveData " + Narrow(xcvName) + " " + Narrow(dataName) + " access=" + std::to_string(access) +
        " in=" + std::to_string(input ? inputSize : 0) + " out=" + std::to_string(outputSize));
    auto port = xcv.find(FromPtr(xcvName));
    if (port == xcv.end()) return kErrInvalidPrinterName;
    auto answer = port->second.find(FromPtr(dataName));
    if (answer == port->second.end()) return kErrNotSupported;
    if (answer->second.error) return answer->second.error;
    const std::vector<uint8_t>& bytes = answer->second.output;
    if (needed) *needed = static_cast<uint32_t>(bytes.size());
    if (bytes.size() > outputSize || (!output && !bytes.empty())) return kErrInsufficientBuffer;
    if (!bytes.empty()) std::memcpy(output, bytes.data(), bytes.size());
    return 0;
}

uint32_t FakeSpooler::PrintProcessorDirectory(std::u16string* out) {
    std::lock_guard lock(mutex_);
    Log("GetPrintProcessorDirectory");
    if (!out) return kErrInvalidParameter;
    if (printProcessorDirectoryError) return printProcessorDirectoryError;
    *out = printProcessorDirectory;
    return 0;
}

int FakeSpooler::RemovePrintProcessor(const char16_t* name) {
    std::lock_guard lock(mutex_);
    Log("DeletePrintProcessor " + Narrow(name));
    if (!name || printProcessors.erase(name) == 0) return Fail(kErrInvalidParameter), 0;  // unknown processor
    return 1;
}

int FakeSpooler::RegisterPrintProcessor(const char16_t* fileName, const char16_t* name) {
    std::lock_guard lock(mutex_);
    Log("AddPrintProcessor " + Narrow(fileName) + " " + Narrow(name));
    if (!fileName || !name) return Fail(kErrInvalidParameter), 0;
    printProcessors[name] = fileName;
    return 1;
}

uint32_t FakeSpooler::SetPrinterPrintProcessor(PrinterHandle handle, const char16_t* name) {
    std::lock_guard lock(mutex_);
    Log("SetPrinterPrintProcessor " + Narrow(name));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return kErrInvalidHandle;
    if (printer->infoFails) return kErrAccessDenied;
    if (!name) return kErrInvalidParameter;
    printer->info.printProcessor = name;
    return 0;
}

int FakeSpooler::GetPrinterDevMode(PrinterHandle handle, int level, std::vector<uint8_t>* out) {
    std::lock_guard lock(mutex_);
    Log("GetPrinterDevMode " + std::to_string(level));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (level != 8 && level != 9) return Fail(kErrInvalidLevel), 0;
    if (printer->devModeLevelFails) return Fail(kErrAccessDenied), 0;
    if (!out) return Fail(kErrInvalidParameter), 0;
    *out = level == 8 ? printer->info.devMode : printer->userDevMode;
    return 1;
}

int FakeSpooler::SetPrinterDevMode(PrinterHandle handle, int level, const std::vector<uint8_t>& devMode) {
    std::lock_guard lock(mutex_);
    Log("SetPrinterDevMode " + std::to_string(level));
    FakePrinter* printer = ByHandle(handle);
    if (!printer) return Fail(kErrInvalidHandle), 0;
    if (level != 8 && level != 9) return Fail(kErrInvalidLevel), 0;
    if (printer->setDataError) return Fail(printer->setDataError), 0;
    (level == 8 ? printer->info.devMode : printer->userDevMode) = devMode;
    return 1;
}

int32_t FakeSpooler::DriverDocumentProperties(PrinterHandle handle, void* out, const void* in, uint32_t mode) {
    std::function<int32_t(PrinterHandle, void*, const void*, uint32_t)> driver;
    {
        std::lock_guard lock(mutex_);
        Log("DocumentProperties " + std::to_string(mode));
        driver = documentProperties;
    }
    // The driver calls back into the spooler; no lock is held across it.
    if (!driver) return Fail(kErrNotSupported), -1;
    return driver(handle, out, in, mode);
}

std::vector<std::string> FakeSpooler::CallLog() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void FakeSpooler::ClearCallLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

int FakeSpooler::CountCalls(const std::string& entry) const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const auto& e : log_)
        if (e == entry) ++n;
    return n;
}

int FakeSpooler::OpenHandles() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(handles_.size());
}

int FakeSpooler::BadCloses() const {
    std::lock_guard lock(mutex_);
    return badCloses_;
}

uint32_t FakeSpooler::LastAccess() const {
    std::lock_guard lock(mutex_);
    return lastAccess_;
}

std::vector<std::pair<std::u16string, uint32_t>> FakeSpooler::OpenRequests() const {
    std::lock_guard lock(mutex_);
    return openRequests_;
}

int FakeSpooler::Broadcasts() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(broadcasts_.size());
}

std::vector<std::u16string> FakeSpooler::BroadcastNames() const {
    std::lock_guard lock(mutex_);
    return broadcasts_;
}

void FakeSpooler::SetDriverDirectory(const std::u16string& dir) {
    std::lock_guard lock(mutex_);
    driverDirectory_ = dir;
}

void FakeSpooler::SetLogging(bool on) {
    std::lock_guard lock(mutex_);
    logging_ = on;
}

// ---------------------------------------------------------------- FakeHost

FakeHost::FakeHost() {
    verifyVersion.major = 6;
    verifyVersion.minor = 3;
    verifyVersion.build = 9600;
    versionEx.major = 6;
    versionEx.minor = 2;
    versionEx.build = 9200;
    t_lastError = 0;
}

int FakeHost::VersionAtLeast(uint32_t major, uint32_t minor, uint32_t spMajor) {
    const OsVersionInfo& v = verifyVersion;
    if (v.major != major) return v.major > major;
    if (v.minor != minor) return v.minor > minor;
    return v.servicePackMajor >= spMajor;
}

int FakeHost::IsWorkstation() { return verifyVersion.productType == 1; }

int FakeHost::GetVersionEx(OsVersionInfo* out) {
    if (versionExFails || !out) {
        SetLastError(kErrInvalidParameter);
        return 0;
    }
    *out = versionEx;
    return 1;
}

std::u16string FakeHost::ComputerName() { return computerName; }
std::u16string FakeHost::UserName() { return userName; }
std::u16string FakeHost::MessageFontFace() { return messageFontFace; }
uint16_t FakeHost::SystemDefaultUILanguage() { return uiLanguage; }
int FakeHost::ClusterServiceAvailable() { return clusterAvailable; }
HostTime FakeHost::LocalTime() { return localTime; }

uint32_t FakeHost::TickCount() {
    std::lock_guard lock(mutex_);
    uint32_t now = tickCount;
    tickCount += tickStep;
    return now;
}

uint32_t FakeHost::ProcessId() { return processId; }
uint32_t FakeHost::ThreadId() { return threadId; }

void FakeHost::Sleep(uint32_t milliseconds) {
    // Time passes without waiting, so time-outs stay cheap in tests.
    std::lock_guard lock(mutex_);
    slept_ += milliseconds;
    sleeps_.push_back(milliseconds);
    tickCount += milliseconds;
}

std::vector<uint32_t> FakeHost::Sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
}

void FakeHost::ClearSleeps() {
    std::lock_guard lock(mutex_);
    sleeps_.clear();
    slept_ = 0;
}

void FakeHost::DebugOutput(const char16_t* line) {
    std::lock_guard lock(mutex_);
    if (captureDebug_) debugLines_.push_back(FromPtr(line));
}

int FakeHost::LoadResourceString(uint32_t languageId, uint32_t id, char16_t* buffer, int capacity) {
    auto it = strings.find(id);
    if (it == strings.end() || !buffer || capacity <= 0) return 0;
    // Cut to fit and terminate, like LoadStringW.
    size_t n = std::min<size_t>(it->second.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, it->second.data(), n * sizeof(char16_t));
    buffer[n] = 0;
    return static_cast<int>(n);
}

int FakeHost::ReadMachineValue(const char16_t* key, const char16_t* value, uint32_t* type, uint32_t* data) {
    auto it = machineValues.find(FromPtr(key) + u"\\" + FromPtr(value));
    if (it == machineValues.end()) return 0;
    if (type) *type = it->second.first;
    if (data) *data = it->second.second;
    return 1;
}

int FakeHost::CopyFileOver(const char16_t* from, const char16_t* to) {
    std::lock_guard lock(mutex_);
    copies.emplace_back(FromPtr(from), FromPtr(to));
    if (!from || !to || !files.count(from)) {
        SetLastError(kErrFileNotFound);
        return 0;
    }
    files.insert(to);
    return 1;
}

void FakeHost::SetLastError(uint32_t code) { t_lastError = code; }
uint32_t FakeHost::GetLastError() { return t_lastError; }

std::vector<std::u16string> FakeHost::DebugLines() const {
    std::lock_guard lock(mutex_);
    return debugLines_;
}

void FakeHost::ClearDebugLines() {
    std::lock_guard lock(mutex_);
    debugLines_.clear();
}

// ---------------------------------------------------------------- scope

FakePlatformScope::FakePlatformScope() : previous_(CurrentPlatform()) {
    spooler.SetHost(&host);
    InstallPlatform(&spooler, &host);
}

FakePlatformScope::~FakePlatformScope() { InstallPlatform(previous_.spooler, previous_.host); }
