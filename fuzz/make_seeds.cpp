// Writes the seed inputs of every fuzz target, made by the driver itself:
//   zr51_fuzz_seeds <folder>
// gives <folder>/<target>/<seed> for each target of fuzz_entries.h: our
// default DEVMODE (whole, with a changed setting, as an older public-only
// record), our model description files, answers of the simulated printer
// in each of its shapes, our default keyed record and its export file, our
// default environment record patched in its counts, identifiers and texts,
// and the model record of each of our model files.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "answer.h"
#include "base/environment.h"
#include "base/public_devmode.h"
#include "rules/resolve.h"
#include "fuzz_entries.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "snmp/snmp_codec.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

bool Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zr51_fuzz_seeds <folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    bool ok = true;

    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    auto s = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
    const uint8_t* dmBytes = reinterpret_cast<const uint8_t*>(&s->dm);
    const Bytes dm(dmBytes, dmBytes + sizeof s->dm);

    Bytes changed = dm;
    reinterpret_cast<DriverDevMode*>(changed.data())->priv.staple = 20;
    Bytes publicOnly(dm.begin(), dm.begin() + sizeof(PublicDevMode));
    const uint16_t noExtra = 0;
    std::memcpy(publicOnly.data() + offsetof(PublicDevMode, dmDriverExtra), &noExtra, 2);
    ok &= Write(root / "caller_devmode", "default", dm);
    ok &= Write(root / "caller_devmode", "staple20", changed);
    ok &= Write(root / "caller_devmode", "public_only", publicOnly);
    ok &= Write(root / "stored_devmode", "default", dm);
    ok &= Write(root / "stored_devmode", "public_only", publicOnly);

    // Our model files, and the stored model record of each for each model.
    for (const auto& entry : fs::directory_iterator(ZR_MODEL_DIR)) {
        if (entry.path().extension() != ".RDF") continue;
        const Bytes text = ReadFile(entry.path());
        ok &= Write(root / "model_file", entry.path().filename().string(), text);
        for (int m = 0; m < kFuzzModelSections; m++) {
            RdfInfo info{};
            if (!FuzzParseModelFile(text.data(), text.size(), kFuzzModelSectionNames[m], &info)) continue;
            const uint8_t* b = reinterpret_cast<const uint8_t*>(&info);
            ok &= Write(root / "model_record", entry.path().stem().string() + "_" + std::to_string(m),
                        Bytes(b, b + sizeof info));
        }
    }
    ok &= Write(root / "model_record", "short", Bytes(100, 0x7F));

    // The target's request as the simulated printer receives it, answered
    // in every shape it knows.
    SnmpVarRecord records[kFuzzSnmpObjects] = {};
    for (int i = 0; i < kFuzzSnmpObjects; i++) std::strcpy(records[i].oid, kFuzzSnmpOids[i]);
    uint32_t pduLength = 0, length = 0;
    uint8_t* pdu = SnmpEncodeGetRequest(records, kFuzzSnmpObjects, kFuzzSnmpRequestId, &pduLength);
    uint8_t* message = pdu ? SnmpEncodeMessage(kFuzzSnmpCommunity, pdu, pduLength, &length) : nullptr;
    snmpsim::Request request;
    if (!message || !snmpsim::ParseRequest(message, length, &request)) {
        std::fprintf(stderr, "zr51_fuzz_seeds: our own request does not parse\n");
        return 1;
    }
    std::free(pdu);
    std::free(message);
    snmpsim::ValueTable values;
    values[request.oids[0]] = {2, snmpsim::IntegerContent(42)};
    values[request.oids[1]] = {4, Bytes{'T', 'r', 'a', 'y', ' ', '1', ' ', 'A', '4'}};
    values[request.oids[2]] = {2, snmpsim::IntegerContent(-3)};
    const char* modes[] = {"normal", "foreign-id", "error",      "truncated",  "overlong",  "indefinite",
                           "bad-version", "bad-community-echo", "wrong-pdu", "missing-one", "extra-varbind"};
    for (const char* name : modes) {
        snmpsim::AnswerOptions options;
        if (!snmpsim::ModeFromName(name, &options.mode)) {
            std::fprintf(stderr, "zr51_fuzz_seeds: the simulator has no mode %s\n", name);
            continue;
        }
        if (options.mode == snmpsim::Mode::kError) options.errorStatus = 5;
        ok &= Write(root / "snmp_response", name, snmpsim::BuildAnswer(request, values, options));
    }

    Bytes record(65536);
    const int recordLength = SerializeSettings(record.data(), &s->dm, static_cast<uint32_t>(record.size()));
    if (recordLength <= 0) {
        std::fprintf(stderr, "zr51_fuzz_seeds: the default record does not serialize\n");
        return 1;
    }
    record.resize(static_cast<size_t>(recordLength));
    ok &= Write(root / "keyed_record", "default", record);
    Bytes file;
    ok &= WriteExportFile(&file, record.data(), static_cast<uint32_t>(record.size()), u"Default") == 1;
    ok &= Write(root / "export_file", "default", file);
    Bytes small(record.begin(), record.begin() + std::min<size_t>(record.size(), 200));
    file.clear();
    ok &= WriteExportFile(&file, small.data(), static_cast<uint32_t>(small.size()), u"Small") == 1;
    ok &= Write(root / "export_file", "small", file);

    // The stored environment: our default record, patched where the record
    // carries counts, identifiers, terminators and option bytes (a leading 0
    // and the seed's patches), and a short record as it stands (a leading 1).
    const PrinterEnvironment& env = s->env;
    std::map<std::string, Bytes> envSeeds = {{"default", Bytes{0}}};
    auto patch = [&](const char* seed, size_t offset, const Bytes& bytes) {
        Bytes& out = envSeeds.emplace(seed, Bytes{0}).first->second;
        for (size_t at = 0; at < bytes.size(); at += 255) {
            const size_t n = std::min<size_t>(255, bytes.size() - at);
            const uint32_t o = static_cast<uint32_t>(offset + at);
            const uint8_t* ob = reinterpret_cast<const uint8_t*>(&o);
            out.insert(out.end(), ob, ob + 4);
            out.push_back(static_cast<uint8_t>(n));
            out.insert(out.end(), bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + n));
        }
    };
    patch("lists_unbuilt", offsetof(PrinterEnvironment, listsBuilt), Bytes{0});
    for (int i = 0; i < kTraySlots; i++)
        patch("tray_ids", offsetof(PrinterEnvironment, trayList) + i * sizeof(TrayRow) + offsetof(TrayRow, id), Bytes(4, 0xFF));
    patch("texts_unterminated", offsetof(PrinterEnvironment, typedAddress), Bytes(sizeof env.typedAddress, 'A'));
    patch("texts_unterminated", offsetof(PrinterEnvironment, snmpCommunityName), Bytes(sizeof env.snmpCommunityName, 'B'));
    patch("texts_unterminated", offsetof(PrinterEnvironment, macAddress), Bytes(sizeof env.macAddress, 'C'));
    patch("texts_unterminated", offsetof(PrinterEnvironment, paperList), Bytes(sizeof(PaperRow), 'D'));
    for (int i = 0; i < kPaperSlots; i++) {
        if (env.paperList[i].id != kPaperListEnd) continue;
        patch("lists_full", offsetof(PrinterEnvironment, paperList) + i * sizeof(PaperRow) + offsetof(PaperRow, id), Bytes{9, 0, 0, 0});
        break;
    }
    for (int i = 0; i < kMediaSlots; i++)
        patch("lists_full", offsetof(PrinterEnvironment, mediaTypeList) + i * sizeof(MediaRow) + offsetof(MediaRow, id), Bytes{1, 1, 0, 0});
    patch("options_high", offsetof(PrinterEnvironment, inputUnit_Option), Bytes(8, 0xFF));
    patch("options_high", offsetof(PrinterEnvironment, inkCount), Bytes(12, 0xFF));
    patch("options_high", offsetof(PrinterEnvironment, defaultTray), Bytes(sizeof env.defaultTray, 0xFF));
    const uint8_t* envBytes = reinterpret_cast<const uint8_t*>(&env);
    envSeeds["short_record"] = Bytes{1};
    envSeeds["short_record"].insert(envSeeds["short_record"].end(), envBytes, envBytes + 4096);
    for (const auto& [name, seed] : envSeeds) ok &= Write(root / "stored_environment", name, seed);

    if (!ok) std::fprintf(stderr, "zr51_fuzz_seeds: a seed could not be written\n");
    return ok ? 0 : 1;
}
