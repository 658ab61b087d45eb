// The fuzz target bodies over the in-memory platform.
#include "fuzz_entries.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/environment.h"
#include "base/public_devmode.h"
#include "entry/device_capabilities.h"
#include "rules/resolve.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "platform/profile.h"
#include "rules/session_reset.h"
#include "rules/settings_application.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "session/global_list.h"
#include "session/session_load.h"
#include "snmp/snmp_codec.h"

const char* const kFuzzSnmpOids[kFuzzSnmpObjects] = {
    ".1.3.6.1.4.1.40961.1.1.0",
    ".1.3.6.1.4.1.40961.1.2.0",
    ".1.3.6.1.2.1.25.3.5.1.1.1",
};
const char16_t* const kFuzzModelSectionNames[kFuzzModelSections] = {u"KELO ZR-C4500", u"KELO ZR-M1200",
                                                                   u"KELO ZR-T2300"};

const FuzzTarget kFuzzTargets[kFuzzTargetCount] = {
    {"caller_devmode", FuzzCallerDevMode}, {"stored_devmode", FuzzStoredDevMode},
    {"model_file", FuzzModelFile},         {"snmp_response", FuzzSnmpResponse},
    {"keyed_record", FuzzKeyedRecord},     {"export_file", FuzzExportFile},
    {"stored_environment", FuzzStoredEnvironment}, {"model_record", FuzzModelRecord},
};

namespace {

// One in-memory printer "P1" for the whole run, with the stored DEVMODE and
// environment installation leaves; nothing the targets call stores anything.
// Logging into memory is off so that a long run does not grow.
struct FuzzPrinter {
    FakePlatformScope fake;
    std::vector<uint8_t> storedDevMode;

    FuzzPrinter() {
        fake.host.SetCaptureDebug(false);
        fake.spooler.SetLogging(false);
        fake.spooler.AddPrinter(u"P1");
        auto s = std::make_unique<PrinterSession>();
        _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
        s->env.listsBuilt = 1;
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&s->dm);
        storedDevMode.assign(dm, dm + sizeof s->dm);
        FakePrinter* p = fake.spooler.Printer(u"P1");
        p->info.devMode = storedDevMode;
        p->Set(u"PrvEnv", kRegBinary, &s->env, sizeof s->env);
        storedEnvironment = *p->Find(u"PrvEnv");
        // Where the model record target finds its record; without an
        // "RdfInfo" value the other targets see no model record.
        p->SetString(u"PrinterName", u"P1");
        p->SetString(u"RdfFile", u"C:\\fuzz\\model.rdf");
        p->SetString(u"DeviceName", kFuzzModelSectionNames[0]);
    }
    FakeValue storedEnvironment;
};

FuzzPrinter* fuzzPrinter = nullptr;

FuzzPrinter& Printer() {
    if (!fuzzPrinter) fuzzPrinter = new FuzzPrinter;
    return *fuzzPrinter;
}

// Every file name reads the fuzz input.
class BytesProfile : public Profile {
public:
    BytesProfile(const uint8_t* data, size_t size) : data_(data), size_(size), previous_(&Prof()) {
        InstallProfile(this);
    }
    ~BytesProfile() override { InstallProfile(previous_); }
    uint32_t GetString(const char16_t* file, const char16_t* section, const char16_t* key, const char16_t* fallback,
                       char16_t* buffer, uint32_t capacity) override {
        return ProfileLookUp(data_, size_, section, key, fallback, buffer, capacity);
    }
    int FileExists(const char16_t* file) override { return 1; }
    int RemoveFile(const char16_t* file) override { return 0; }

private:
    const uint8_t* data_;
    size_t size_;
    Profile* previous_;
};

}  // namespace

void FuzzReleasePlatform() {
    delete fuzzPrinter;
    fuzzPrinter = nullptr;
}

int FuzzCallerDevMode(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    size_t length = std::max(size, offsetof(PublicDevMode, dmFields));
    // The sizes are read from the header as the driver sees it: the input
    // padded with zeros to the header's length, so an input that ends inside
    // dmSize or dmDriverExtra still claims what its padded bytes say.
    uint8_t header[offsetof(PublicDevMode, dmFields)] = {};
    if (size) std::memcpy(header, data, std::min(size, sizeof header));
    uint16_t claimedSize = 0, claimedExtra = 0;
    std::memcpy(&claimedSize, header + offsetof(PublicDevMode, dmSize), 2);
    std::memcpy(&claimedExtra, header + offsetof(PublicDevMode, dmDriverExtra), 2);
    length = std::max(length, size_t(claimedSize) + claimedExtra);
    // A heap block of exactly that length, so that any read past it is seen.
    std::unique_ptr<uint8_t[]> in(new uint8_t[length]());
    if (size) std::memcpy(in.get(), data, size);

    std::unique_ptr<uint8_t[]> out(new uint8_t[kDriverDevModeSize]);
    uint32_t outSize = kDriverDevModeSize;
    DrvConvertDevModeCore(u"P1", in.get(), out.get(), &outSize, kCdmConvert);

    auto session = std::make_unique<PrinterSession>();
    PrinterHandle h = nullptr;
    if (printer.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h)) {
        _UdcResolveSelfDMode(session.get(), in.get(), h, u"P1", nullptr, kResolveInBuffer | kResolveWholeSession,
                             kCallerConvert);
        printer.fake.spooler.ClosePrinter(h);
    }
    return 0;
}

int FuzzStoredDevMode(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(bytes.get(), data, size);
    auto dm = std::make_unique<DriverDevMode>();
    ImportStoredDevMode(dm.get(), bytes.get(), size);

    FakePrinter* p = printer.fake.spooler.Printer(u"P1");
    p->info.devMode.assign(data, data + size);
    auto session = std::make_unique<PrinterSession>();
    _UdcLoadSelfDMode(session.get(), nullptr, u"P1");
    p->info.devMode = printer.storedDevMode;
    return 0;
}

int FuzzModelFile(const uint8_t* data, size_t size) {
    Printer();
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(bytes.get(), data, size);
    auto info = std::make_unique<RdfInfo>();
    auto env = std::make_unique<PrinterEnvironment>();
    for (const char16_t* section : kFuzzModelSectionNames) {
        if (FuzzParseModelFile(bytes.get(), size, section, info.get())) ApplyRdfDefaults(env.get(), info.get());
    }
    return 0;
}

int FuzzSnmpResponse(const uint8_t* data, size_t size) {
    std::unique_ptr<uint8_t[]> message(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(message.get(), data, size);
    SnmpVarRecord records[kFuzzSnmpObjects] = {};
    for (int i = 0; i < kFuzzSnmpObjects; i++) std::strcpy(records[i].oid, kFuzzSnmpOids[i]);
    if (SnmpDecodeGetResponse(records, kFuzzSnmpObjects, kFuzzSnmpRequestId, kFuzzSnmpCommunity, message.get(),
                              static_cast<uint32_t>(size)) == 0) {
        for (const SnmpVarRecord& r : records)
            if (r.value) SnmpDecodeInteger(r.value, r.length);
    }
    SnmpFreeValues(records, kFuzzSnmpObjects);
    return 0;
}

int FuzzKeyedRecord(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    std::unique_ptr<uint8_t[]> record(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(record.get(), data, size);
    auto dm = std::make_unique<DriverDevMode>();
    std::memcpy(dm.get(), printer.storedDevMode.data(), sizeof *dm);
    DeserializeSettings(record.get(), static_cast<uint32_t>(size), dm.get());
    return 0;
}

int FuzzExportFile(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    std::unique_ptr<uint8_t[]> file(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(file.get(), data, size);
    std::vector<uint8_t> record;
    char16_t name[kExportNameUnits] = {};
    if (ReadExportFile(file.get(), static_cast<uint32_t>(size), &record, name) == 0) {
        auto dm = std::make_unique<DriverDevMode>();
        std::memcpy(dm.get(), printer.storedDevMode.data(), sizeof *dm);
        DeserializeSettings(record.data(), static_cast<uint32_t>(record.size()), dm.get());
    }
    return 0;
}

int FuzzParseModelFile(const uint8_t* file, size_t size, const char16_t* section, RdfInfo* info) {
    BytesProfile profile(file, size);
    auto ctx = std::make_unique<RdfContext>();
    ctx->RdfFile = const_cast<char16_t*>(u"C:\\fuzz\\model.rdf");
    ctx->DeviceName = const_cast<char16_t*>(section);
    ctx->PrinterName = const_cast<char16_t*>(u"P1");
    if (!ReadRdfFile(ctx.get())) return 0;
    *info = ctx->info;
    return 1;
}

namespace {

// Bytes per entry of each capability list, so that the answer buffer is
// exactly what the count asks for.
struct CapabilityList {
    uint16_t index;
    size_t entryBytes;
};
constexpr CapabilityList kCapabilityLists[] = {
    {kDcPapers, 2},     {kDcPaperSize, 8},       {kDcPaperNames, 2 * kPaperNameSlot}, {kDcMediaReady, 2 * kPaperNameSlot},
    {kDcBins, 2},       {kDcBinNames, 2 * kBinNameSlot}, {kDcMediaTypes, 4},          {kDcMediaTypeNames, 2 * kMediaNameSlot},
    {kDcMinExtent, 0},  {kDcMaxExtent, 0},       {kDcPrintRate, 0},
};

void AnswerEveryList(const PrinterSession* session) {
    for (const CapabilityList& list : kCapabilityLists) {
        uint32_t count = AnswerDeviceCapability(session, list.index, nullptr);
        if (list.entryBytes == 0 || count == kCapsUnsupported || count == 0) continue;
        // A count beyond every list's slots is itself a fault the sanitizer
        // should see as an overrun, so the buffer is never rounded up.
        std::unique_ptr<uint8_t[]> out(new uint8_t[size_t(count) * list.entryBytes]);
        AnswerDeviceCapability(session, list.index, out.get());
    }
}

}  // namespace

int FuzzStoredEnvironment(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    FakePrinter* p = printer.fake.spooler.Printer(u"P1");
    std::vector<uint8_t> stored;
    if (size > 0 && (data[0] & 1)) {
        stored.assign(data + 1, data + size);
    } else {
        stored = printer.storedEnvironment.bytes;
        size_t at = 1;
        while (at + 5 <= size) {
            uint32_t offset = 0;
            std::memcpy(&offset, data + at, 4);
            size_t length = data[at + 4];
            at += 5;
            offset %= kEnvironmentSize;
            length = std::min({length, size - at, size_t(kEnvironmentSize - offset)});
            std::memcpy(stored.data() + offset, data + at, length);
            at += length;
        }
    }
    p->Set(u"PrvEnv", kRegBinary, stored.data(), stored.size());

    auto session = std::make_unique<PrinterSession>();
    _UdcLoadSelfDMode(session.get(), nullptr, u"P1");
    AnswerEveryList(session.get());
    // The reset reads the environment only for a printer without a stored
    // DEVMODE of ours.
    std::vector<uint8_t> devMode;
    devMode.swap(p->info.devMode);
    _UdcResetSelfDMode(session.get(), nullptr, u"P1");
    p->info.devMode.swap(devMode);
    AnswerEveryList(session.get());
    _UdcResolveSelfDMode(session.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
    AnswerEveryList(session.get());

    p->Set(u"PrvEnv", printer.storedEnvironment.type, printer.storedEnvironment.bytes.data(),
           printer.storedEnvironment.bytes.size());
    return 0;
}

int FuzzModelRecord(const uint8_t* data, size_t size) {
    FuzzPrinter& printer = Printer();
    FakePrinter* p = printer.fake.spooler.Printer(u"P1");
    p->Set(u"RdfInfo", kRegBinary, data, size);

    auto ctx = std::make_unique<RdfContext>();
    ctx->PrinterName = const_cast<char16_t*>(u"P1");
    if (LoadRdfContext(ctx.get(), nullptr)) {
        auto env = std::make_unique<PrinterEnvironment>();
        ApplyRdfDefaults(env.get(), &ctx->info);
    }
    ReleaseRdfContext(ctx.get());

    auto session = std::make_unique<PrinterSession>();
    InitGlobalList(session.get(), u"P1", 0);
    PrinterHandle h = nullptr;
    if (printer.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h)) {
        ResetPrivateSettings(session.get(), h, 0);
        ResetEnvironment(session.get(), h, 0);
        printer.fake.spooler.ClosePrinter(h);
    }
    AnswerEveryList(session.get());

    p->Erase(u"RdfInfo");
    return 0;
}
