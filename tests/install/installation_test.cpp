// Installing and upgrading a printer over the in-memory spooler: the values
// written and their order, the presets, the print processor on share
// clients, the upgrade of older or damaged data, and what bad input leaves.
#include "install/installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "entry/printer_event.h"
#include "platform/fake_platform.h"
#include "platform/fake_profile.h"
#include "rules/resolve.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "saved/quick_setting_store.h"
#include "session/global_list.h"

namespace {

const char16_t kPrinter[] = u"P1";
const char16_t kModelPath[] = u"C:\\drv\\3\\ZRC4500.RDF";
const char16_t kEpeatPath[] = u"C:\\drv\\3\\KELO ZR-C4500.epeat";

std::string ModelText(const char* file) {
    std::ostringstream text;
    text << std::ifstream(std::string(ZR_MODEL_DIR) + "/" + file, std::ios::binary).rdbuf();
    return text.str();
}

// A printer of the ZR-C4500 driver on this machine, its files in the driver
// directory, the paper names in the resource strings, the driver behind the
// spooler's DocumentPropertiesW.
struct Installed {
    FakePlatformScope fake;
    FakeProfileScope profile;
    FakePrinter* printer;

    explicit Installed(const char* epeat = nullptr) {
        DriverInfo3 driver;
        driver.name = u"KELO ZR-C4500";
        driver.driverPath = driver.configFile = driver.dataFile = u"C:\\drv\\3\\ZR51AUI.dll";
        driver.dependentFiles = {u"C:\\drv\\3\\ZR51ARC.DLL", kModelPath};
        printer = &fake.spooler.AddPrinter(kPrinter, {}, driver);
        profile.files[kModelPath] = ModelText("ZRC4500.RDF");
        if (epeat) profile.files[kEpeatPath] = epeat;
        for (int i = 0; i < kBuiltinPaperCount; i++)
            fake.host.strings[kBuiltinPapers[i].stringId] = U16(std::string("Paper ") + std::to_string(i));
        fake.spooler.documentProperties = [](PrinterHandle h, void* out, const void* in, uint32_t mode) {
            uint32_t cbOut = 0;
            return DocumentPropertiesNoPrompt(h, nullptr, out, const_cast<void*>(in), mode, &cbOut);
        };
    }
    // The value names written, in order.
    std::vector<std::string> Writes() const {
        std::vector<std::string> names;
        for (const std::string& e : fake.spooler.CallLog())
            if (e.rfind("SetPrinterData ", 0) == 0) names.push_back(e.substr(15));
        return names;
    }
    bool Logged(const std::string& part) const {
        for (const std::u16string& line : fake.host.DebugLines())
            if (Narrow(line).find(part) != std::string::npos) return true;
        return false;
    }
    template <typename T>
    T Stored(const char16_t* value) const {
        T v{};
        const FakeValue* f = printer->Find(value);
        if (f) std::memcpy(&v, f->bytes.data(), std::min(sizeof v, f->bytes.size()));
        return v;
    }
    // The printer's settings as any entry point resolves them now.
    DriverDevMode Resolved() {
        DriverDevMode dm{};
        uint32_t cb = 0;
        PrinterHandle h = nullptr;
        fake.spooler.OpenPrinter(kPrinter, kPrinterAccessUse, &h);
        EXPECT_EQ(1, DocumentPropertiesNoPrompt(h, kPrinter, &dm, nullptr, kResolveOutBuffer, &cb));
        fake.spooler.ClosePrinter(h);
        return dm;
    }
};

TEST(Installation, NewPrinterWritesEveryValueOnceInOrder) {
    Installed p;
    p.fake.host.machineValues[std::u16string(kInstallerKey) + u"\\InstallLanguage"] = {kRegDword, 1041};
    ASSERT_EQ(1, DrvPrinterEventCore(kPrinter, kPrinterEventInitialize, 0, 0));
    const std::vector<std::string> want = {
        "LocaleID", "UnitOfLength", "DuplexOrSimplex", "RdfInfo", "RdfFile", "DeviceName", "PrinterName",
        "DefDevmode", "DefEnv", "PrvEnv",
        "QuickSettingNames", "QuickSetting_+IDS_20674", "QuickSettingNames", "QuickSetting_+IDS_21116",
        "QuickSettingNames", "QuickSetting_+IDS_20676", "QuickSettingNames", "QuickSetting_+IDS_20677",
        "SnmpCommunityName", "UIModuleName", "DebugTabEnable"};
    EXPECT_EQ(want, p.Writes());
    EXPECT_EQ(0, p.fake.spooler.OpenHandles());
    EXPECT_EQ(1041u, p.Stored<uint32_t>(u"LocaleID"));
    EXPECT_EQ(4500, p.Stored<uint16_t>(u"RdfInfo"));
    const PrinterEnvironment* env = reinterpret_cast<const PrinterEnvironment*>(p.printer->Find(u"PrvEnv")->bytes.data());
    EXPECT_EQ(4500, env->modelCode);
    EXPECT_EQ(1041u, env->languageId);
    EXPECT_EQ(Narrow(std::u16string(kModelPath)), Narrow(env->modelDescriptionPath));
    EXPECT_EQ("C:\\drv\\3\\ZR51ARC.DLL", Narrow(env->resourceModulePath));
    const DriverDevMode* dm = reinterpret_cast<const DriverDevMode*>(p.printer->Find(u"DefDevmode")->bytes.data());
    EXPECT_EQ(kTrailingMagic, dm->priv.trailingMagic);
    EXPECT_EQ(0, std::memcmp(&dm->priv, u"JUP/CS", 12));
    // The model's own papers became forms, named in the printer's language.
    EXPECT_GT(p.printer->forms.size(), 3u);
    for (const FormInfo& f : p.printer->forms) EXPECT_EQ(0u, f.name.rfind(u"Paper ", 0));
    // On the print server nothing is done about the print processor.
    EXPECT_TRUE(p.Logged("pServerName = NULL, IsPrinterShareClient = FALSE"));
    EXPECT_EQ(0, p.fake.spooler.CountCalls("GetPrintProcessorDirectory"));
    EXPECT_TRUE(p.Logged("InstallDefaultReg End"));
}

// The second preset is the two-sided choice the defaults do not make.
TEST(Installation, PresetsFollowTheDefaultTwoSidedSetting) {
    struct Row { const char* id; int duplex, mixed, pages; };
    struct Case { const char* epeat; Row rows[4]; } cases[] = {
        {"[InitialSetting]\nDuplexorSimplex=1\n",
         {{"+IDS_20674", 2, 4, 0}, {"+IDS_21116", 1, 5, 0}, {"+IDS_20676", 1, 5, 21}, {"+IDS_20677", 2, 4, 21}}},
        {"[InitialSetting]\nDuplexorSimplex=0\n",
         {{"+IDS_20674", 1, 5, 0}, {"+IDS_20675", 2, 5, 0}, {"+IDS_20676", 1, 5, 21}, {"+IDS_20677", 2, 5, 21}}},
    };
    for (const Case& c : cases) {
        Installed p(c.epeat);
        ASSERT_EQ(1, DrvPrinterEventCore(kPrinter, kPrinterEventInitialize, 0, 0));
        char16_t names[kQuickSettingSlots * kQuickSettingNameUnits];
        int count = 0;
        ASSERT_EQ(1, ReadQuickSettingNames(kPrinter, names, &count));
        EXPECT_EQ(4, count);
        for (int i = 0; i < 4; i++) {
            const Row& r = c.rows[i];
            SCOPED_TRACE(std::string(c.epeat) + r.id);
            EXPECT_EQ(r.id, Narrow(names + i * kQuickSettingNameUnits));
            std::vector<uint8_t> record(kQuickRecordSize);
            uint32_t flag = 0;
            ASSERT_GT(ReadQuickSetting(kPrinter, U16(r.id).c_str(), record.data(), kQuickRecordSize, &flag), 0);
            EXPECT_EQ(kQuickSettingPreset, flag);
            DriverDevMode dm{};
            ASSERT_GT(DeserializeSettings(record.data(), kQuickRecordSize, &dm), 0);
            EXPECT_EQ(r.duplex, dm.priv.duplexType);
            EXPECT_EQ(r.mixed, dm.priv.duplexType_MixedSize);
            EXPECT_EQ(r.pages, dm.priv.pluralPagesPerSheet);
        }
    }
}

// Bad input: what fails the installation and what only leaves a log line;
// in every case the printer's settings still resolve to a complete record.
TEST(Installation, BadInputFallsBackAndLogs) {
    struct Case {
        const char* what;
        std::function<void(Installed&)> spoil;
        int result;  // 1: the environment is stored too
        const char* logged;
        std::vector<std::string> writes;  // empty: not checked
    };
    const std::vector<std::string> onlyFirst = {"UnitOfLength", "DuplexOrSimplex"};
    const Case cases[] = {
        {"no model description among the driver's files",
         [](Installed& p) { p.printer->driver.dependentFiles.pop_back(); }, 0, "install failed : Read RDF File.",
         onlyFirst},
        {"damaged model description", [](Installed& p) { p.profile.files[kModelPath] = "\x7f\x45LF garbage"; }, 0,
         "install failed : Read RDF File.", onlyFirst},
        {"driver information unreadable", [](Installed& p) { p.printer->driverInfoFails = 1; }, 0,
         "install failed : Read DRIVER_INFO_3.", {}},
        {"model description of another model",
         [](Installed& p) { p.profile.files[kModelPath] = ModelText("ZRM1200.RDF"); }, 1,
         "no model [KELO ZR-C4500] in C:\\drv\\3\\ZRC4500.RDF", {}},
        {"spooler refuses the default DEVMODE", [](Installed& p) { p.printer->setValueError[u"DefDevmode"] = 5; }, 1,
         "InstallDefaultReg : DefDevmode not stored", {}},
        {"spooler refuses the environment", [](Installed& p) { p.printer->setValueError[u"PrvEnv"] = 5; }, 2,
         "InstallDefaultReg : PrvEnv not stored", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installed p;
        c.spoil(p);
        p.fake.host.SetLastError(0);
        EXPECT_EQ(c.result != 0, DrvPrinterEventCore(kPrinter, kPrinterEventInitialize, 0, 0));
        EXPECT_TRUE(p.Logged(c.logged));
        if (!c.writes.empty()) {
            EXPECT_EQ(c.writes, p.Writes());
        }
        if (c.result == 0) {
            EXPECT_NE(0u, p.fake.host.GetLastError());
        }
        EXPECT_EQ(0, p.fake.spooler.OpenHandles());
        const DriverDevMode dm = p.Resolved();
        EXPECT_EQ(kTrailingMagic, dm.priv.trailingMagic);
        // Without a stored environment the session has no model to take
        // the image quality from; with one it has the model's.
        if (c.result == 1) {
            EXPECT_NE(0, dm.priv.imageQuality);
        }
    }
}

// The print processor: copied and registered on a share client only, and a
// failed copy leaves it unregistered without stopping anything.
TEST(Installation, PrintProcessorOnShareClientsOnly) {
    struct Case { const char* what; const char16_t* server; int cluster; bool fileThere; const char* logged; std::vector<std::string> calls; };
    const std::vector<std::string> none;
    const Case cases[] = {
        {"print server", u"", 0, true, "pServerName = NULL, IsPrinterShareClient = FALSE", none},
        {"cluster node", u"\\\\SRV", 1, true, "OpenCluster[MSFC] = Successful, IsPrinterShareClient = FALSE", none},
        {"share client", u"\\\\SRV", 0, true, "OpenCluster[MSFC] = failed, IsPrinterShareClient = TRUE",
         {"GetPrintProcessorDirectory", "GetPrinterDriverDirectory", "DeletePrintProcessor ZR51APP",
          "AddPrintProcessor ZR51APP.dll ZR51APP", "SetPrinterPrintProcessor ZR51APP"}},
        {"share client, file missing", u"\\\\SRV", 0, false, "installProcessor Start",
         {"GetPrintProcessorDirectory", "GetPrinterDriverDirectory", "DeletePrintProcessor ZR51APP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installed p;
        p.printer->info.serverName = c.server;
        p.printer->info.printProcessor = u"winprint";
        p.fake.host.clusterAvailable = c.cluster;
        const std::u16string source = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\ZR51APP.dll";
        if (c.fileThere) p.fake.host.files.insert(source);
        p.fake.spooler.printProcessors[u"ZR51APP"] = u"ZR51APP.dll";
        EXPECT_EQ(1, DrvPrinterEventCore(kPrinter, kPrinterEventConfigurationUpdate, 0, 0));
        EXPECT_TRUE(p.Logged(c.logged));
        std::vector<std::string> calls;
        for (const std::string& e : p.fake.spooler.CallLog())
            if (e.find("PrintProcessor") != std::string::npos || e.find("Directory") != std::string::npos)
                calls.push_back(e);
        EXPECT_EQ(c.calls, calls);
        const bool installed = c.calls.size() == 5;
        EXPECT_EQ(installed ? "ZR51APP" : "winprint", Narrow(p.printer->info.printProcessor));
        EXPECT_EQ(installed || c.calls.empty(), p.fake.spooler.printProcessors.count(u"ZR51APP") == 1);
        if (installed) {
            EXPECT_TRUE(p.fake.host.files.count(u"C:\\Windows\\system32\\spool\\prtprocs\\x64\\ZR51APP.dll"));
        }
        EXPECT_EQ(0, p.fake.spooler.OpenHandles());
    }
}

// An upgrade keeps the user's environment (refreshing the model's fields),
// converts the stored DEVMODEs and creates no presets; older or damaged data
// gives a log line and safe values.
TEST(Installation, UpgradeConvertsWhatAnOlderDriverStored) {
    struct Case { const char* what; int envSize; uint8_t fill; const char* logged; uint8_t foldUnit; };
    const Case cases[] = {
        {"environment of this version", 196632, 0, "InstallDefaultReg End", 1},
        {"environment of an unknown, shorter version", 1000, 0xFF, "PrvEnv of 1000 bytes, this driver's has 196632",
         0},
        {"no environment", 0, 0, "no stored PrvEnv", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installed p;
        ASSERT_EQ(1, DrvPrinterEventCore(kPrinter, kPrinterEventInitialize, 0, 0));
        // What the older driver left: its environment, and DEVMODEs whose
        // private record says four-up, the per-user one cut short.
        std::vector<uint8_t> env = p.printer->Find(u"PrvEnv")->bytes;
        reinterpret_cast<PrinterEnvironment*>(env.data())->foldUnit_Option = 1;
        reinterpret_cast<PrinterEnvironment*>(env.data())->modelCode = 1;
        env.resize(static_cast<size_t>(c.envSize));
        std::fill(env.begin() + (c.fill ? 0 : env.size()), env.end(), c.fill);
        if (c.envSize)
            p.printer->SetBinary(u"PrvEnv", env);
        else
            p.printer->Erase(u"PrvEnv");
        DriverDevMode old = p.Resolved();
        old.priv.pluralPagesPerSheet = 41;
        const uint8_t* b = reinterpret_cast<const uint8_t*>(&old);
        p.printer->info.devMode.assign(b, b + sizeof old);
        p.printer->userDevMode.assign(b, b + 300);
        p.fake.spooler.ClearCallLog();

        EXPECT_EQ(1, DrvUpgradePrinterCore(1, true, kPrinter));
        EXPECT_TRUE(p.Logged(c.logged));
        // No presets, installation environment, language or community.
        const std::vector<std::string> want = {"UnitOfLength", "DuplexOrSimplex", "RdfInfo",      "RdfFile",
                                               "DeviceName",   "PrinterName",     "DefDevmode",   "UIModuleName",
                                               "PrvEnv",       "DebugTabEnable"};
        EXPECT_EQ(want, p.Writes());
        EXPECT_EQ(c.envSize ? 1 : 0, p.fake.spooler.CountCalls("SetPrinterDevMode 8"));
        EXPECT_EQ(c.envSize ? 1 : 0, p.fake.spooler.CountCalls("SetPrinterDevMode 9"));
        const FakeValue* stored = p.printer->Find(u"PrvEnv");
        ASSERT_EQ(196632u, stored->bytes.size());
        const PrinterEnvironment* e = reinterpret_cast<const PrinterEnvironment*>(stored->bytes.data());
        EXPECT_EQ(4500, e->modelCode);
        EXPECT_EQ(c.foldUnit, e->foldUnit_Option);
        if (c.envSize == 196632) {
            ASSERT_EQ(sizeof(DriverDevMode), p.printer->info.devMode.size());
            const DriverDevMode* global = reinterpret_cast<const DriverDevMode*>(p.printer->info.devMode.data());
            EXPECT_EQ(41, global->priv.pluralPagesPerSheet);
            ASSERT_EQ(sizeof(DriverDevMode), p.printer->userDevMode.size());
            EXPECT_EQ(kTrailingMagic, reinterpret_cast<const DriverDevMode*>(p.printer->userDevMode.data())->priv.trailingMagic);
        }
        EXPECT_EQ(kTrailingMagic, p.Resolved().priv.trailingMagic);
        EXPECT_EQ(0, p.fake.spooler.OpenHandles());
    }
}

}  // namespace
