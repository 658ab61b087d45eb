// zr51a printer query: the printer's configuration over SNMP through the
// driver's own client: installed options, trays, storage folders, registered
// papers, barcode areas, forms and colour profiles.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#define ZR_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define ZR_ISATTY(fd) isatty(fd)
#endif

#include "rules/resolve.h"
#include "platform/udp.h"
#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/snmp_status.h"
#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a printer query HOST [--community C] [--timeout S] [--json]\n"
    "  HOST: the printer's name or address. S: seconds to wait for its first answer (1-60, default 3).\n";
const OptionSpec kOptions[] = {{"--community", nullptr, 1}, {"--timeout", nullptr, 1}, {"--json", nullptr, 0},
                               {"--help", "-h", 0}};

struct Progress {
    bool tty;
    std::string host;
    int tick = 0;
    void Show(const char* what) {
        if (!tty) return;
        static const char spin[] = "|/-\\";
        std::fprintf(stderr, "\r%c querying %s: %-30s", spin[tick++ % 4], host.c_str(), what);
        std::fflush(stderr);
    }
    void Clear() {
        if (tty) std::fprintf(stderr, "\r%*s\r", static_cast<int>(host.size()) + 45, "");
    }
};

std::string Field(const char* name, long value, bool json, bool& first) {
    std::string s = json ? std::string(first ? "" : ",") + "\n    " + JsonString(name) + ": " + std::to_string(value)
                         : std::string("  ") + name + " = " + std::to_string(value) + "\n";
    first = false;
    return s;
}

// A list section: rows of (name, extra text / JSON members).
std::string Section(const char* title, const std::vector<std::pair<std::string, std::string>>& rows, bool json,
                    const std::vector<std::string>& jsonMembers) {
    std::string s;
    if (json) {
        s = ",\n  " + JsonString(title) + ": [";
        for (size_t i = 0; i < rows.size(); i++)
            s += std::string(i ? "," : "") + "\n    {\"name\": " + JsonString(rows[i].first) +
                 (jsonMembers[i].empty() ? "" : ", " + jsonMembers[i]) + "}";
        return s + (rows.empty() ? "]" : "\n  ]");
    }
    s = std::string(title) + " (" + std::to_string(rows.size()) + "):\n";
    for (const auto& r : rows) s += "  \"" + r.first + "\"" + (r.second.empty() ? "" : " " + r.second) + "\n";
    return s;
}
}  // namespace

int PrinterQuery(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 4, kUsage, &args); done >= 0) return done;
    if (args.positional.size() != 1) return UsageError("printer query takes one HOST", kUsage);
    const std::string host = args.positional[0];
    if (host.empty() || host.size() > 39) return UsageError("HOST takes 1 to 39 characters", kUsage);
    uint32_t timeout = 3;
    if (args.Has("--timeout")) {
        const std::string text = args.Get("--timeout");
        char* end = nullptr;
        long t = std::strtol(text.c_str(), &end, 10);
        if (!end || *end || t < 1 || t > 60) return UsageError("--timeout takes whole seconds from 1 to 60", kUsage);
        timeout = static_cast<uint32_t>(t);
    }
    const std::string community = args.Has("--community") ? args.Get("--community") : "public";
    if (community.empty() || community.size() > 32) return UsageError("--community takes 1 to 32 characters", kUsage);
    const bool json = args.Has("--json");

    // A printer in the in-memory spooler aimed at HOST by a typed address.
    FakePlatformScope fake;
    FakePrinter& fp = fake.spooler.AddPrinter(kToolPrinter);
    fp.SetString(u"SnmpCommunityName", U16(community));
#ifdef _WIN32
    InstallSockets(&Win32Sockets());
#else
    InstallSockets(&PosixSockets());
#endif
    auto session = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(session.get(), nullptr, nullptr, kToolPrinter, nullptr, kResolveWholeSession,
                         kCallerConvert);
    PrinterEnvironment& env = session->env;
    env.useTypedAddress = 1;
    std::memset(env.typedAddress, 0, sizeof env.typedAddress);
    std::u16string h16 = U16(host);
    std::memcpy(env.typedAddress, h16.data(), h16.size() * 2);
    env.communityOverride = 1;
    PrinterHandle h = nullptr;
    Spool().OpenPrinter(kToolPrinter, kPrinterAccessUse, &h);

    Progress progress{ZR_ISATTY(2) != 0, host};
    progress.Show("waiting for an answer");
    SnmpVarRecord probe;
    std::memset(&probe, 0, sizeof probe);
    std::strcpy(probe.oid, kOidUnitOfLength);
    uint8_t probeValue[4] = {};
    probe.type = kSnmpTypeInteger;
    probe.capacity = 4;
    probe.value = probeValue;
    if (!RunSnmpRequest(&probe, 1, h, &env, timeout)) {
        progress.Clear();
        Spool().ClosePrinter(h);
        InstallSockets(nullptr);
        return Refuse(host + ": no answer from the printer within " + std::to_string(timeout) + " s (" +
                      SnmpStatusText(LastSnmpRequestStatus()) + ")");
    }

    std::vector<std::string> failed;
    auto step = [&](const char* what, int ok) {
        if (!ok) failed.push_back(what);
    };
    progress.Show("options");
    step("options", GetDeviceOptions(h, &env));
    step("press paper", GetPressPaperSupport(h, &env));
    progress.Show("trays");
    PrinterTrayInfo trays;
    std::memset(&trays, 0, sizeof trays);
    int traysOk = GetTrayInfo(h, session.get(), &trays);
    step("trays", traysOk);
    progress.Show("storage folders");
    step("storage folders", GetStorageFolders(h, &env));
    progress.Show("registered papers");
    std::vector<RegisteredPaperSize> papers(kRegisteredPaperRows);
    uint32_t paperCount = 0, areaCount = 0, formCount = 0, profileCount = 0;
    step("registered papers", GetRegisteredPaperSizes(h, &env, papers.data(), &paperCount));
    progress.Show("barcode areas");
    std::vector<BarcodeAreaEntry> areas(kBarcodeAreaRows);
    step("barcode areas", GetBarcodeAreas(h, &env, areas.data(), &areaCount));
    progress.Show("forms");
    std::vector<PrinterListName> forms(kFormNameRows);
    step("forms", GetFormNames(h, &env, forms.data(), &formCount));
    progress.Show("colour profiles");
    std::vector<PrinterListName> profiles(kColorProfileRows);
    step("colour profiles", GetColorProfileNames(h, &env, profiles.data(), &profileCount));
    progress.Clear();
    Spool().ClosePrinter(h);
    InstallSockets(nullptr);

    std::string out = json ? "{\n  \"host\": " + JsonString(host) + ",\n  \"options\": {" : "# printer " + host + "\noptions:\n";
    bool first = true;
    out += Field("inputUnit_Option", env.inputUnit_Option, json, first);
    out += Field("outputUnit_Option", env.outputUnit_Option, json, first);
    out += Field("outputSubOption", env.outputSubOption, json, first);
    out += Field("foldUnit_Option", env.foldUnit_Option, json, first);
    out += Field("offsetStapleTray_Option", env.offsetStapleTray_Option, json, first);
    out += Field("optionFlag5", env.optionFlag5, json, first);
    out += Field("unitOfLength", env.unitOfLength, json, first);
    out += Field("lightPaperSupport", env.lightPaperSupport, json, first);
    out += Field("roughPaperSupport", env.roughPaperSupport, json, first);
    out += Field("pressPaperSupport", env.pressPaperSupport, json, first);
    out += Field("storageEnabled", env.storageEnabled, json, first);
    std::string mac = Utf8(env.macAddress, 18);
    out += json ? ",\n    \"macAddress\": " + JsonString(mac) + "\n  }" : "  macAddress = \"" + mac + "\"\n";

    std::vector<std::pair<std::string, std::string>> rows;
    std::vector<std::string> members;
    if (traysOk) {
        for (uint32_t i = 0; i < kPrinterTraySlots; i++) {
            const TrayEntry& t = trays.trays[i];
            char b[160];
            std::snprintf(b, sizeof b, "status %d, paper type %d, automatic %d, feed %d, %d x %d", t.status,
                          t.paperType, t.autoSelect, t.feedSetting, t.width, t.length);
            rows.push_back({"slot " + std::to_string(i), b});
            std::snprintf(b, sizeof b,
                          "\"status\": %d, \"paperType\": %d, \"autoSelect\": %d, \"feedSetting\": %d, \"width\": %d, "
                          "\"length\": %d",
                          t.status, t.paperType, t.autoSelect, t.feedSetting, t.width, t.length);
            members.push_back(b);
        }
    }
    out += Section("trays", rows, json, members);
    rows.clear();
    members.clear();
    for (int i = 0; i < 100; i++) {
        if (!env.storageFolderPresent[i]) continue;
        rows.push_back({Utf8(env.storageFolderName[i], 255), "(folder " + std::to_string(i + 1) + ")"});
        members.push_back("\"folder\": " + std::to_string(i + 1));
    }
    out += Section("folders", rows, json, members);
    rows.clear();
    members.clear();
    for (uint32_t i = 0; i < paperCount; i++) {
        std::string size = std::to_string(papers[i].width) + " x " + std::to_string(papers[i].length);
        rows.push_back({Utf8(papers[i].name, 64), size + " (0.1 mm)"});
        members.push_back("\"width\": " + std::to_string(papers[i].width) + ", \"length\": " +
                          std::to_string(papers[i].length));
    }
    out += Section("papers", rows, json, members);
    rows.clear();
    members.clear();
    for (uint32_t i = 0; i < areaCount; i++) {
        rows.push_back({Utf8(areas[i].name, 32), "repeat " + std::to_string(areas[i].repeatCount) + ", max page " +
                                                     std::to_string(areas[i].maxPageNumber)});
        members.push_back("\"repeatCount\": " + std::to_string(areas[i].repeatCount) + ", \"maxPageNumber\": " +
                          std::to_string(areas[i].maxPageNumber));
    }
    out += Section("barcodeAreas", rows, json, members);
    rows.clear();
    members.clear();
    for (uint32_t i = 0; i < formCount; i++) {
        rows.push_back({Utf8(forms[i].name, 257), ""});
        members.push_back("");
    }
    out += Section("forms", rows, json, members);
    rows.clear();
    members.clear();
    for (uint32_t i = 0; i < profileCount; i++) {
        rows.push_back({Utf8(profiles[i].name, 257), ""});
        members.push_back("");
    }
    out += Section("profiles", rows, json, members);
    if (json) {
        out += ",\n  \"notAnswered\": [";
        for (size_t i = 0; i < failed.size(); i++) out += (i ? ", " : "") + JsonString(failed[i]);
        out += "]\n}\n";
    }
    std::fputs(out.c_str(), stdout);
    if (!failed.empty()) {
        std::string list;
        for (const auto& f : failed) list += (list.empty() ? "" : ", ") + f;
        return Refuse(host + ": the printer answered but did not tell: " + list);
    }
    return kExitOk;
}
