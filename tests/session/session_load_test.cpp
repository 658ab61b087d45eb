// Loading a printer session: the import of the printer's stored DEVMODE at
// any byte offset of its private part, the fall-back to defaults, the
// header check of callers' DEVMODEs and the printer name reduction.
#include "session/session_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "base/tray_ids.h"
#include "session/global_list.h"
#include "platform/fake_platform.h"
#include "rules/session_reset.h"
#include "rules/resolve.h"

namespace {

constexpr uint32_t kMarkerCount = 0x5A515A51;
const char16_t kMarkerJob[] = u"stored job";
const char16_t kMarkerAddress[] = u"10.9.8.7";

// A driver DEVMODE of ours whose fields are zero except for the header, the
// signature, the magic and two markers that defaults never produce.
std::unique_ptr<DriverDevMode> MarkedDevMode(const char16_t* device) {
    auto dm = std::make_unique<DriverDevMode>();
    Text16Copy(dm->pub.dmDeviceName, 32, device);
    dm->pub.dmSpecVersion = kSpecVersion;
    dm->pub.dmDriverVersion = kDriverVersion;
    dm->pub.dmSize = sizeof(PublicDevMode);
    dm->pub.dmDriverExtra = kPrivateSize;
    dm->pub.dmFields = kDriverDmFields;
    std::memcpy(dm->priv.signature, u"JUP/CS", 12);
    dm->priv.pageCount = kMarkerCount;
    Text16Copy(dm->priv.jobName, 256, kMarkerJob);
    dm->priv.trailingMagic = kTrailingMagic;
    return dm;
}

// The stored form: a public part of dmSize bytes and a private part of
// `extra` bytes holding our record at byte sigAt (cut where it runs out);
// sigAt -1 leaves the private part without a signature.
std::vector<uint8_t> StoredDevMode(const DriverDevMode& dm, uint16_t dmSize, uint16_t extra, int sigAt) {
    PublicDevMode pub = dm.pub;
    pub.dmSize = dmSize;
    pub.dmDriverExtra = extra;
    std::vector<uint8_t> out(dmSize + extra, 0);
    std::memcpy(out.data(), &pub, std::min<size_t>(dmSize, sizeof pub));
    if (sigAt >= 0) {
        size_t n = std::min<size_t>(kPrivateSize, extra - sigAt);
        std::memcpy(out.data() + dmSize + sigAt, &dm.priv, n);
    }
    return out;
}

std::vector<uint8_t> MarkedEnvironment(uint32_t bytes) {
    auto env = std::make_unique<PrinterEnvironment>();
    Text16Copy(env->snmpCommunityName, 33, u"public");
    Text16Copy(env->typedAddress, 40, kMarkerAddress);
    BuildModelLists(env.get(), nullptr, 0x0409, 0);
    env->listsBuilt = 1;
    std::vector<uint8_t> out(bytes, 0xA5);
    if (bytes) std::memcpy(out.data(), env.get(), std::min<size_t>(bytes, sizeof *env));
    return out;
}

// The printer holding `dm` whole and a valid environment.
FakePrinter& AddStoredPrinter(FakePlatformScope& fake, const char16_t* printer, const DriverDevMode& dm) {
    PrinterInfo2 info;
    info.devMode = StoredDevMode(dm, 220, 18820, 0);
    FakePrinter& p = fake.spooler.AddPrinter(printer, info);
    p.SetBinary(u"PrvEnv", MarkedEnvironment(kEnvironmentSize));
    return p;
}

bool LoggedReset(const FakeHost& host) {
    for (const auto& line : host.DebugLines())
        if (Narrow(line).find("_UdcResetSelfDMode") != std::string::npos) return true;
    return false;
}

struct LoadCase {
    const char* what; bool hasDevMode; uint16_t dmSize, extra;
    int sigAt;  // where our record starts in the stored private part
    uint32_t envBytes;  // 0: no "PrvEnv"
    bool wantImported, wantEnvLoaded;
};

const LoadCase kLoadCases[] = {
    {"exact private part, signature at 0", true, 220, 18820, 0, 196632, true, true},
    {"signature at an odd offset", true, 220, 18826, 3, 196632, true, true},
    {"signature past the last possible start", true, 220, 18826, 7, 196632, false, false},
    {"private part one byte short", true, 220, 18819, 0, 196632, false, false},
    {"older public part of 156 bytes", true, 156, 18820, 0, 196632, false, false},
    {"no signature", true, 220, 18820, -1, 196632, false, false},
    {"no stored DEVMODE", false, 220, 18820, 0, 196632, false, false},
    // A bad environment resets, and the reset takes the stored DEVMODE again.
    {"environment one byte short", true, 220, 18820, 0, 196631, true, false},
    {"no environment", true, 220, 18820, 0, 0, true, false},
};

TEST(SessionLoad, ImportsOrResets) {
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        auto dm = MarkedDevMode(u"P1");
        PrinterInfo2 info;
        if (c.hasDevMode) info.devMode = StoredDevMode(*dm, c.dmSize, c.extra, c.sigAt);
        FakePrinter& printer = fake.spooler.AddPrinter(u"P1", info);
        const std::vector<uint8_t> env = MarkedEnvironment(c.envBytes);
        if (c.envBytes) printer.SetBinary(u"PrvEnv", env);

        PrinterHandle h = nullptr;
        ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        auto session = std::make_unique<PrinterSession>();
        std::memset(session.get(), 0xEE, sizeof *session);
        EXPECT_EQ(1, _UdcLoadSelfDMode(session.get(), h, u"P1"));
        fake.spooler.ClosePrinter(h);

        const DriverDevMode& got = session->dm;
        EXPECT_EQ((std::vector<uint32_t>{kTrailingMagic, sizeof(PublicDevMode), kPrivateSize, kDriverVersion}),
                  (std::vector<uint32_t>{got.priv.trailingMagic, got.pub.dmSize, got.pub.dmDriverExtra,
                                         got.pub.dmDriverVersion}));
        EXPECT_EQ(0, std::memcmp(got.priv.signature, u"JUP/CS", 12));
        if (c.wantImported) {
            EXPECT_EQ(0, std::memcmp(&got.priv, &dm->priv, kPrivateSize)) << "private part changed";
        } else {
            EXPECT_NE(kMarkerCount, got.priv.pageCount) << "stored record was taken";
            EXPECT_NE(std::u16string(kMarkerJob), std::u16string(got.priv.jobName));
        }
        if (c.wantEnvLoaded) {
            EXPECT_EQ(0, std::memcmp(&session->env, env.data(), kEnvironmentSize));
        }
        EXPECT_EQ(!c.wantEnvLoaded, LoggedReset(fake.host));
        EXPECT_EQ(0, fake.spooler.OpenHandles());
        EXPECT_EQ(0, fake.spooler.BadCloses());
    }
}

TEST(SessionLoad, UnknownPrinterStillGivesDefaults) {
    FakePlatformScope fake;
    auto session = std::make_unique<PrinterSession>();
    std::memset(session.get(), 0xEE, sizeof *session);
    EXPECT_EQ(1, _UdcLoadSelfDMode(session.get(), nullptr, u"Nowhere"));
    EXPECT_EQ(kTrailingMagic, session->dm.priv.trailingMagic);
    EXPECT_EQ(0, std::memcmp(session->dm.priv.signature, u"JUP/CS", 12));
    EXPECT_EQ(0, session->dm.priv.ticketWord) << "the signature is followed by a zero character";
    EXPECT_EQ(0, fake.spooler.OpenHandles());
}

// Before Windows Vista the stored device name must match the printer's; a
// mismatch resets, and the reset takes the printer's own DEVMODE again.
TEST(SessionLoad, DeviceNameCheckTable) {
    const struct { const char* what; uint32_t osMajor, osMinor; const char16_t *stored, *printer; bool wantReset; }
        cases[] = {
        {"different name, Vista and later", 6, 0, u"Other", u"P1", false},
        {"different name, XP", 5, 1, u"Other", u"P1", true},
        {"server prefix and port suffix, XP", 5, 1, u"P1,LocalOnly", u"\\\\srv\\P1", false},
        {"empty stored name passes, XP", 5, 1, u"", u"P1", false},
        {"compared over the shorter name, XP", 5, 1, u"P1 upstairs", u"P1", false},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        fake.host.verifyVersion.major = fake.host.versionEx.major = c.osMajor;
        fake.host.verifyVersion.minor = fake.host.versionEx.minor = c.osMinor;
        AddStoredPrinter(fake, c.printer, *MarkedDevMode(c.stored));
        auto session = std::make_unique<PrinterSession>();
        EXPECT_EQ(1, _UdcLoadSelfDMode(session.get(), nullptr, c.printer));
        EXPECT_EQ(kMarkerCount, session->dm.priv.pageCount) << c.what;
        EXPECT_EQ(c.wantReset, LoggedReset(fake.host)) << c.what;
        // Loaded by name: the load opens and closes its own handle.
        EXPECT_EQ(0, fake.spooler.OpenHandles() + fake.spooler.BadCloses()) << c.what;
    }
}

// _UdcCheckDMode over a caller's buffer that is large enough for every
// header it claims: where the magic is looked for and the names compared
// (each fault bit alone shows in the merge's log, MergeSource.TrustsOnlyOurRecord).
struct CheckCase {
    const char* what; uint16_t specVersion, driverVersion, dmSize, extra;
    int magicAt;  // DEVMODE offset of the magic, -1 none
    const char16_t* device; const char16_t* printer; uint32_t want;
};

const CheckCase kCheckCases[] = {
    {"dmSize 156, magic where ours is", 0x0401, 2020, 156, 18820, 19036, u"P1", u"P1", kFaultSize | kFaultMagic},
    {"dmSize 156, magic at its own end", 0x0401, 2020, 156, 18820, 18972, u"P1", u"P1", kFaultSize},
    {"dmDriverExtra 2", 0x0401, 2020, 220, 2, -1, u"P1", u"P1", kFaultDriverExtra | kFaultMagic},
    {"dmDriverExtra 4 holding the magic", 0x0401, 2020, 220, 4, 220, u"P1", u"P1", kFaultDriverExtra},
    {"longer private part ending in the magic", 0x0401, 2020, 220, 18826, 19042, u"P1", u"P1", kFaultDriverExtra},
    {"empty device name", 0x0401, 2020, 220, 18820, 19036, u"", u"P1", 0},
    {"no printer name", 0x0401, 2020, 220, 18820, 19036, u"Other", nullptr, 0},
    {"everything wrong", 0x0300, 1, 64, 3, -1, u"X", u"P1",
     kFaultSpecVersion | kFaultDriverVersion | kFaultSize | kFaultDriverExtra | kFaultMagic | kFaultDeviceName},
};

TEST(CheckDMode, FaultBitTable) {
    for (const CheckCase& c : kCheckCases) {
        std::vector<uint8_t> buffer(19100, 0);
        PublicDevMode pub{};
        Text16Copy(pub.dmDeviceName, 32, c.device);
        pub.dmSpecVersion = c.specVersion, pub.dmDriverVersion = c.driverVersion;
        pub.dmSize = c.dmSize, pub.dmDriverExtra = c.extra;
        std::memcpy(buffer.data(), &pub, sizeof pub);
        if (c.magicAt >= 0) std::memcpy(buffer.data() + c.magicAt, &kTrailingMagic, 4);
        EXPECT_EQ(c.want, _UdcCheckDMode(buffer.data(), c.printer)) << c.what;
    }
}

TEST(ReducePrinterName, ModeTable) {
    const std::u16string longName(300, u'x'), cut(259, u'x');
    const struct { const char16_t* name; int mode; const char16_t* want; } cases[] = {  // want null: null result
        {u"\\\\srv\\P1,LocalOnly", 2, u"P1"},
        {u"\\\\srv\\P1,LocalOnly", 1, u"\\\\srv\\P1"},
        {u"P1", 2, u"P1"},
        {u"a\\b\\", 2, u""},
        {u",x", 1, u""},
        {u"a,b\\c", 2, u"c"},
        {longName.c_str(), 1, cut.c_str()},
        {nullptr, 1, nullptr},
    };
    for (const auto& c : cases) {
        char16_t out[260];
        std::fill(std::begin(out), std::end(out), u'#');
        EXPECT_EQ(Narrow(c.want), Narrow(ReducePrinterName(out, c.name, c.mode))) << Narrow(c.name) << " " << c.mode;
    }
}

// Items of the printer's and driver's information; the version directory
// (driver directory and "\3") comes whole with its terminator or not at all.
// size in bytes; wantText null: a 32-bit attribute value; wantCall: the
// spooler call that answers it.
const char16_t kDir[] = u"C:\\SPOOL\\DRV";  // 12 characters

TEST(GetPrinterInfoItem, ItemTable) {
    const struct { const char* what; int item; uint32_t size; int wantResult; const char16_t* wantText;
                   const char* wantCall; } cases[] = {
        {"driver name", 0, 520, 1, u"ZR51 Driver", "GetPrinterInfo2"},
        {"port", 12, 520, 1, u"IP_10.0.0.5", "GetPrinterInfo2"},
        {"port cut to the buffer", 12, 8, 1, u"IP_", "GetPrinterInfo2"},
        {"attributes", 13, 4, 1, nullptr, "GetPrinterInfo2"},
        {"attributes, 3 bytes", 13, 3, 0, nullptr, nullptr},
        {"attributes level 4", 20, 4, 1, nullptr, "GetPrinterAttributes 4"},
        {"driver directory", 2, 520, 1, kDir, "GetPrinterDriverDirectory"},
        {"version directory", 1, 520, 1, u"C:\\SPOOL\\DRV\\3", "GetPrinterDriverDirectory"},
        {"version directory (100)", 100, 520, 1, u"C:\\SPOOL\\DRV\\3", "GetPrinterDriverDirectory"},
        {"version directory with room for its end", 1, 2 * (12 + 3), 1, u"C:\\SPOOL\\DRV\\3",
         "GetPrinterDriverDirectory"},
        {"directory too long for the buffer", 1, 2 * (12 + 1), 0, nullptr, nullptr},
        {"version directory one character short", 1, 2 * (12 + 2), 0, nullptr, nullptr},
        {"help file", 110, 520, 1, u"ZR51A.HLP", "GetDriverInfo3"},
        {"empty text", 11, 520, 0, nullptr, nullptr},
        {"unknown item", 5, 520, 0, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        fake.spooler.SetDriverDirectory(kDir);
        PrinterInfo2 info;
        info.driverName = std::string(c.what) == "empty text" ? u"" : u"ZR51 Driver";
        info.printProcessor = u"ZR51APP", info.portName = u"IP_10.0.0.5", info.attributes = 0x00000240;
        DriverInfo3 driver;
        driver.helpFile = u"ZR51A.HLP", driver.dataFile = u"ZR51A.RDF";
        fake.spooler.AddPrinter(u"P1", info, driver);
        std::vector<uint8_t> buffer(c.size + 8, 0xCC);
        int rc = GetPrinterInfoItem(nullptr, u"P1", buffer.data(), c.size, c.item);
        EXPECT_EQ(c.wantResult, rc);
        EXPECT_EQ(0xCC, buffer[c.size]) << "wrote past the buffer";
        EXPECT_EQ(0, fake.spooler.OpenHandles());
        if (c.wantCall) { EXPECT_EQ(1, fake.spooler.CountCalls(c.wantCall)); }
        uint32_t attributes = 0;
        std::memcpy(&attributes, buffer.data(), 4);
        if (rc && c.wantText) { EXPECT_EQ(c.wantText, std::u16string(reinterpret_cast<char16_t*>(buffer.data()))); }
        if (rc && !c.wantText) { EXPECT_EQ(0x240u, attributes); }
    }
}

TEST(GetOsVersionCode, VersionTable) {
    const struct { const char* what; uint32_t verifyMajor, verifyMinor, productType, exMajor, exMinor, exPlatform,
                   exProductType; int exFails, want; } cases[] = {
        {"8.1 and later", 6, 3, 1, 6, 2, 2, 1, 0, 209},
        {"8.1 server", 6, 3, 3, 6, 2, 2, 3, 0, 210},
        {"7", 6, 1, 1, 0, 0, 2, 1, 0, 205},
        {"XP", 5, 1, 1, 0, 0, 2, 1, 0, 201},
        {"2000 by GetVersionEx", 5, 0, 1, 5, 0, 2, 1, 0, 103},
        {"NT 4", 4, 0, 1, 4, 0, 2, 1, 0, 102},
        {"Windows 9x", 4, 0, 1, 4, 0, 1, 1, 0, 2},
        {"NT 3", 3, 0, 1, 3, 51, 2, 1, 0, 101},
        {"GetVersionEx fails", 4, 0, 1, 4, 0, 2, 1, 1, -1},
        {"unknown major", 4, 0, 1, 7, 0, 2, 1, 0, -1},
        // GetVersionEx alone: VerifyVersionInfo answers no to all.
        {"Ex 5.1 type 1", 3, 0, 1, 5, 1, 2, 1, 0, 104}, {"Ex 5.2 type 1", 3, 0, 1, 5, 2, 2, 1, 0, 201},
        {"Ex 5.2 type 2", 3, 0, 1, 5, 2, 2, 2, 0, 202},
        {"Ex 6.0 type 1", 3, 0, 1, 6, 0, 2, 1, 0, 203}, {"Ex 6.1 type 2", 3, 0, 1, 6, 1, 2, 2, 0, 206},
        {"Ex 6.3 type 1", 3, 0, 1, 6, 3, 2, 1, 0, -1}, {"Ex 5.3 type 1", 3, 0, 1, 5, 3, 2, 1, 0, -1},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        auto &verify = fake.host.verifyVersion, &ex = fake.host.versionEx;
        verify.major = c.verifyMajor, verify.minor = c.verifyMinor, verify.productType = c.productType;
        ex.major = c.exMajor, ex.minor = c.exMinor, ex.platformId = c.exPlatform, ex.productType = c.exProductType;
        fake.host.versionExFails = c.exFails;
        EXPECT_EQ(c.want, GetOsVersionCode()) << c.what;
    }
}

// Storing the environment: a user without the right to change the printer
// gets FALSE and the stored value stays.
TEST(SaveEnvironment, WriteTable) {
    const struct { const char* what; bool byHandle; uint32_t writeError; int want; } cases[] = {
        {"by handle", true, 0, 1},
        {"by name", false, 0, 1},
        {"read-only user, by name", false, kErrAccessDenied, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        FakePrinter& printer = fake.spooler.AddPrinter(u"P1");
        printer.SetBinary(u"PrvEnv", {1, 2, 3});
        printer.setDataError = c.writeError;
        auto session = std::make_unique<PrinterSession>();
        Text16Copy(session->env.typedAddress, 40, kMarkerAddress);
        PrinterHandle h = nullptr;
        if (c.byHandle) { ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h)); }
        EXPECT_EQ(c.want, _UdcSaveEnvironment(session.get(), h, u"P1"));
        if (h) fake.spooler.ClosePrinter(h);
        const FakeValue* v = printer.Find(u"PrvEnv");
        ASSERT_NE(nullptr, v);
        const uint8_t* env = reinterpret_cast<const uint8_t*>(&session->env);
        EXPECT_EQ((c.want ? std::vector<uint8_t>(env, env + kEnvironmentSize) : std::vector<uint8_t>{1, 2, 3}),
                  v->bytes);
        EXPECT_EQ(kRegBinary, v->type);
        EXPECT_EQ(0, fake.spooler.OpenHandles());
    }
}

// A reset gives the environment its defaults: the user-adjustable part is
// reset, the model's part and the pressed-paper mark are kept.
// The expected row: the user-adjustable fields reset, the pressed-paper mark
// (pressPaperSupport) and the model's part (inkCount, modelCode) kept.
TEST(SessionLoad, EnvironmentDefaultsOnReset) {
    const struct { const char* what; int unitOfLength; uint8_t wantUnit; } cases[] = {  // printer data, -1: none
        {"no unit value", -1, 0}, {"inches", 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        fake.host.strings[20120] = u"Box 1", fake.host.strings[20149] = u"Box 30";
        fake.host.strings[21045] = u"Box 31", fake.host.strings[21114] = u"Box 100";
        FakePrinter& printer = fake.spooler.AddPrinter(u"P1");
        if (c.unitOfLength >= 0) printer.SetDword(u"UnitOfLength", static_cast<uint32_t>(c.unitOfLength));
        auto stored = std::make_unique<PrinterEnvironment>();
        stored->inputUnit_Option = 10, stored->useTypedAddress = 1, stored->inkCount = 1, stored->modelCode = 0x51;
        stored->lightPaperSupport = stored->roughPaperSupport = stored->pressPaperSupport = 1;
        stored->unitOfLength = 1 - c.wantUnit;
        Text16Copy(stored->typedAddress, 40, kMarkerAddress);
        Text16Copy(stored->snmpCommunityName, 33, u"private");
        printer.Set(u"PrvEnv", kRegBinary, stored.get(), sizeof *stored);

        // No stored DEVMODE: the session resets, then the lists are built.
        auto s = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        const PrinterEnvironment& e = s->env;
        EXPECT_EQ((std::vector<std::u16string>{u"public", u"00:00:00:00:00:00", u""}),
                  (std::vector<std::u16string>{e.snmpCommunityName, e.macAddress, e.typedAddress}));
        EXPECT_EQ((std::vector<int64_t>{0, 1, 1, 258, 0, 0, 0, 1, 1, 0x51, c.wantUnit, 1}),
                  (std::vector<int64_t>{e.useTypedAddress, e.wakeUpEnable, e.storageEnabled, e.defaultPaperType,
                                        e.inputUnit_Option, e.lightPaperSupport, e.roughPaperSupport,
                                        e.pressPaperSupport, e.inkCount, e.modelCode, e.unitOfLength, e.listsBuilt}));
        using Bytes = std::vector<uint8_t>;
        Bytes selectable(100, 0);
        selectable[0] = 1;
        EXPECT_EQ(Bytes(100, 1), Bytes(e.storageFolderPresent, e.storageFolderPresent + 100));
        EXPECT_EQ(selectable, Bytes(e.storageFolderSelectable, e.storageFolderSelectable + 100));
        for (int i : {0, 29, 30, 99}) EXPECT_EQ("Box " + std::to_string(i + 1), Narrow(e.storageFolderName[i]));
        // The lists follow the reset environment: no feeder, no light paper.
        EXPECT_EQ((std::vector<int>{1, 0, 1}),
                  (std::vector<int>{TrayListContains(&e, kTrayStandardFeed), MediaListContains(&e, 263),
                                    MediaListContains(&e, 266)}));
    }
}

// A DEVMODE that went through an 8-bit round trip in the spooler keeps junk
// behind the names' terminators; the import hands out clean names.
TEST(SessionLoad, StoredNamesLoseStrayBytes) {
    FakePlatformScope fake;
    auto dm = MarkedDevMode(u"P1");
    Text16Copy(dm->pub.dmFormName, 32, u"A4");
    dm->pub.dmDeviceName[20] = 0x0101;
    dm->pub.dmFormName[31] = 0x0101;
    AddStoredPrinter(fake, u"P1", *dm);
    auto session = std::make_unique<PrinterSession>();
    ASSERT_EQ(1, _UdcLoadSelfDMode(session.get(), nullptr, u"P1"));
    ASSERT_EQ(kMarkerCount, session->dm.priv.pageCount) << "the stored DEVMODE was not imported";
    EXPECT_EQ(u"P1", std::u16string(session->dm.pub.dmDeviceName));
    EXPECT_EQ(u"A4", std::u16string(session->dm.pub.dmFormName));
    for (int i = 3; i < 32; i++) {
        EXPECT_EQ(0, session->dm.pub.dmDeviceName[i]) << i;
        EXPECT_EQ(0, session->dm.pub.dmFormName[i]) << i;
    }
}

}  // namespace
