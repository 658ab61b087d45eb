// The model description parse and what it gives the environment; the
// driver files it starts from.
#include "model/rdf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "session/global_list.h"
#include "platform/fake_platform.h"
#include "platform/fake_profile.h"
#include "base/environment.h"

namespace {

constexpr char16_t kFile[] = u"C:\\drv\\M.RDF";

TEST(Rdf, ValueReaderTable) {
    // value: null: key absent; width: 1, 2, or 4 for the margins.
    struct Case { const char* what; const char* value; int width; int ok; std::vector<int> want; } cases[] = {
        {"leading blanks", " 5", 1, 1, {5}},
        {"digits then letters", "5abc", 1, 1, {5}},
        {"no digits", "abc", 1, 1, {0}},
        {"8-bit truncation", "300", 1, 1, {44}},
        {"16-bit truncation", "70000", 2, 1, {4464}},
        {"signed 16-bit", "-3", 2, 1, {65533}},
        {"empty value is missing", "", 1, 0, {9}},
        {"absent key", nullptr, 1, 0, {9}},
        {"margins stored b,d,a,c", "1, 2,3 ,4", 4, 1, {2, 4, 1, 3}},
        {"too few margins leave them", "1,2", 4, 0, {9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        FakeProfileScope profile;
        profile.files[kFile] = std::string("[M]\n") + (c.value ? std::string("K=") + c.value : "") + "\n";
        int16_t m[4] = {9, 9, 9, 9};
        uint16_t v16 = 9;
        uint8_t v8 = 9;
        const int ok = c.width == 4   ? ReadRdfMargins(kFile, u"M", u"K", m)
                       : c.width == 2 ? ReadRdfU16(kFile, u"M", u"K", &v16)
                                      : ReadRdfU8(kFile, u"M", u"K", &v8);
        const std::vector<int> got = c.width == 4 ? std::vector<int>(m, m + 4)
                                     : c.width == 2 ? std::vector<int>{v16}
                                                    : std::vector<int>{v8};
        EXPECT_EQ(c.ok, ok) << c.what;
        EXPECT_EQ(c.want, got) << c.what;
    }
}

// A model file whose version and lists vary by case.
std::string ModelFile(const char* version, const char* paperSize, const char* paperKeys, const char* mailKeys) {
    std::string s;
    if (version) s += std::string("[RDF format version]\nVersion=") + version + "\n";
    s += "[Dev]\nInkCount=4\nMarginSize=1,2,3,4\nPaperSizeList=P\nMailFormList=F\n";
    s += std::string("[P]\nOutputSizeDefault=2\nPaperSizeListSize=") + paperSize + "\n" + paperKeys;
    s += std::string("[F]\nMailFormListSize=2\n") + mailKeys;
    return s;
}

TEST(Rdf, ReadRdfFileTable) {
    // wantPapers: the first entries.
    struct Case { const char* what; std::string file; int ok; int wantSize; std::vector<uint16_t> wantPapers;
                  uint16_t wantMail0; bool wantLog; } cases[] = {
        {"version 100", ModelFile("100", "3", "0=9\n2=8\n", "0=2\n"), 1, 3, {9, 0, 8}, 2, false},
        {"version 101", ModelFile("101", "3", "0=9\n", ""), 0, 0, {}, 0, false},
        {"negative version", ModelFile("-1", "1", "0=9\n", "0=300\n"), 1, 1, {9}, 44, false},
        {"no version", ModelFile(nullptr, "1", "0=9\n", ""), 0, 0, {}, 0, false},
        {"list size over 256", ModelFile("1", "300", "255=8\n299=9\n", ""), 1, 256, {}, 0, true},
        {"negative list size", ModelFile("1", "-4", "0=9\n", ""), 1, 0, {}, 0, true},
        {"non-numeric size", ModelFile("1", "many", "0=9\n", ""), 1, 0, {}, 0, false},
    };
    for (const Case& c : cases) {
        FakePlatformScope fake;
        FakeProfileScope profile;
        profile.files[kFile] = c.file;
        auto ctx = std::make_unique<RdfContext>();
        ctx->RdfFile = const_cast<char16_t*>(kFile);
        ctx->DeviceName = const_cast<char16_t*>(u"dev");
        EXPECT_EQ(c.ok, ReadRdfFile(ctx.get())) << c.what;
        EXPECT_EQ(uint32_t(c.ok), ctx->loaded) << c.what;
        if (!c.ok) continue;
        const RdfInfo& info = ctx->info;
        EXPECT_EQ(4, info.InkCount) << c.what;
        EXPECT_EQ(c.wantSize, info.PaperSizeListSize) << c.what;
        for (size_t i = 0; i < c.wantPapers.size(); i++) EXPECT_EQ(c.wantPapers[i], info.PaperSizeList[i]) << c.what;
        if (c.wantSize == 256) {
            EXPECT_EQ(8, info.PaperSizeList[255]) << c.what;
        }
        EXPECT_EQ(c.wantMail0, info.MailFormList[0]) << c.what;
        EXPECT_EQ(c.wantLog, !fake.host.DebugLines().empty()) << c.what;

        // Into the environment: margins back in key order, defaults by index.
        auto env = std::make_unique<PrinterEnvironment>();
        env->imageQualityDefault = 7;
        ApplyRdfDefaults(env.get(), &info);
        EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), std::vector<int>(env->margins, env->margins + 4)) << c.what;
        EXPECT_EQ(1u, env->imageQualityDefault) << c.what;
        const uint32_t wantOutput = info.PaperSizeListSize > 2 ? info.PaperSizeList[2] : 0;
        EXPECT_EQ(wantOutput, env->defaultPaper[3]) << c.what;
        EXPECT_EQ(c.wantMail0 == 2 ? 2u : 1u, env->mailFormMM) << c.what;
    }
}

TEST(Rdf, RdfFilePathTable) {
    struct Case {
        const char* what;
        std::vector<std::u16string> files;
        bool driverFails;
        const char16_t* want;
    } cases[] = {
        {"first match, any case", {u"a.dll", u"C:\\d\\m.Rdf", u"n.RDF"}, false, u"C:\\d\\m.Rdf"},
        {"text after the last dot only", {u"m.rdf.bak", u"x.RDFX", u"RDF"}, false, u""},
        {"no dependent files", {}, false, u""},
        {"driver information unreadable", {u"m.rdf"}, true, u""},
    };
    for (const Case& c : cases) {
        FakePlatformScope fake;
        DriverInfo3 driver;
        driver.dependentFiles = c.files;
        fake.spooler.AddPrinter(u"P", {}, driver).driverInfoFails = c.driverFails;
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P", kPrinterAccessUse, &h));
        char16_t path[260] = {u'#'};
        EXPECT_EQ(c.want[0] != 0, GetRdfFilePath(h, path, 260) == 1) << c.what;
        EXPECT_EQ(std::u16string(c.want), std::u16string(path)) << c.what;
    }
}

TEST(Rdf, InitialSettingFileTable) {
    // file: null: none beside the driver.
    struct Case { const char* what; const char16_t* driverPath; const char* file; uint32_t wantUnit, wantDuplex; }
        cases[] = {
        {"inches, one-sided", u"C:\\drv\\ZR51AUI.dll", "[InitialSetting]\nUnitOfLength=1\nDuplexorSimplex=0\n", 1, 1},
        {"millimetres, two-sided", u"C:\\drv\\ZR51AUI.dll", "[initialsetting]\nDuplexorSimplex=7\n", 0, 2},
        {"no file", u"C:\\drv\\ZR51AUI.dll", nullptr, 0, 2},
        {"driver path without a backslash", u"ZR51AUI.dll", "[InitialSetting]\nUnitOfLength=1\n", 0, 2},
    };
    for (const Case& c : cases) {
        FakePlatformScope fake;
        FakeProfileScope profile;
        DriverInfo3 driver;
        driver.name = u"KELO ZR";
        driver.driverPath = c.driverPath;
        FakePrinter& p = fake.spooler.AddPrinter(u"P", {}, driver);
        const std::u16string beside = u"C:\\drv\\KELO ZR.epeat";
        if (c.file) profile.files[beside] = c.file;
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P", kPrinterAllAccess, &h));
        ReadInitialSettingFile(h);
        EXPECT_EQ(c.wantUnit, p.Find(u"UnitOfLength")->bytes[0]) << c.what;
        EXPECT_EQ(kRegDword, p.Find(u"DuplexOrSimplex")->type) << c.what;
        EXPECT_EQ(c.wantDuplex, p.Find(u"DuplexOrSimplex")->bytes[0]) << c.what;
        const bool used = c.file && c.driverPath[0] == u'C';
        EXPECT_EQ(used, profile.removed == std::vector<std::u16string>{beside}) << c.what;
    }
}

}  // namespace
