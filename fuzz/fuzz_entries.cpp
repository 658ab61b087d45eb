// The fuzz target bodies over the in-memory platform.
#include "fuzz_entries.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "entry/session_load.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "platform/profile.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "settings/environment.h"
#include "settings/public_devmode.h"
#include "settings/resolve.h"
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
    }
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
    BytesProfile profile(bytes.get(), size);
    auto ctx = std::make_unique<RdfContext>();
    auto env = std::make_unique<PrinterEnvironment>();
    for (const char16_t* section : kFuzzModelSectionNames) {
        std::memset(ctx.get(), 0, sizeof *ctx);
        ctx->RdfFile = const_cast<char16_t*>(u"C:\\fuzz\\model.rdf");
        ctx->DeviceName = const_cast<char16_t*>(section);
        ctx->PrinterName = const_cast<char16_t*>(u"P1");
        if (ReadRdfFile(ctx.get())) ApplyRdfDefaults(env.get(), &ctx->info);
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
