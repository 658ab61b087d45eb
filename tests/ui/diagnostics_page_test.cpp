// The diagnostics page's record: its starting values with and without a
// stored record, the writes of each kind of control, and what the values
// enable.
#include "ui/diagnostics_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/text16.h"
#include "diagnostics/debug_settings.h"
#include "platform/fake_platform.h"

namespace {

struct Page {
    FakePlatformScope fake;
    FakePrinter& printer = fake.spooler.AddPrinter(u"P");
    PrinterHandle h = nullptr;
    DiagnosticsRecord r;
    Page() { EXPECT_EQ(1, fake.spooler.OpenPrinter(u"P", kPrinterAllAccess, &h)); }
    void Load() { LoadDiagnostics(h, u"C:\\Pictures", u"C:\\Docs", u"KELO ZR-C4500", &r); }
};

}  // namespace

TEST(DiagnosticsPage, StartingValues) {
    Page p;
    p.Load();
    EXPECT_EQ((std::vector<uint32_t>{p.r.logEnable, p.r.trackerEnable, p.r.level, p.r.output, p.r.dumpEnable,
                                     p.r.timingEnable, p.r.timing[0], p.r.timing[4], p.r.profileEnable}),
              (std::vector<uint32_t>{0, 0, 1, 0, 0, 0, 7, 7, 0}));
    EXPECT_EQ(Text16ToUtf8(p.r.pictureFolder), "C:\\Pictures\\");
    EXPECT_EQ(Text16ToUtf8(p.r.dumpFile), "C:\\Docs\\KELO ZR-C4500.txt");
    EXPECT_EQ(Text16ToUtf8(p.r.profileFile), "C:\\Docs\\qvtprofile.ocp");

    // A stored record is taken as it is, except that the output starts at 0.
    DiagnosticsRecord stored;
    std::memset(&stored, 0, sizeof stored);
    stored.level = 4, stored.output = 1, stored.timing[2] = 13;
    Text16Copy(stored.dumpFile, kDiagnosticsPathChars, u"D:\\log.txt");
    p.printer.Set(u"DebugSettings", kRegBinary, &stored, sizeof stored);
    p.Load();
    EXPECT_EQ((std::vector<uint32_t>{p.r.level, p.r.output, p.r.timing[2], p.r.scalingAlg}),
              (std::vector<uint32_t>{4, 0, 13, kDefaultScalingAlg}));
    EXPECT_EQ(Text16ToUtf8(p.r.dumpFile), "D:\\log.txt");

    p.printer.Set(u"DebugSettings", kRegBinary, &stored, sizeof stored - 4);  // the wrong size: the defaults
    p.Load();
    EXPECT_EQ(p.r.level, 1u);
}

TEST(DiagnosticsPage, WritesAndEnabledControls) {
    Page p;
    p.Load();
    struct Write { uint32_t id, value; } writes[] = {{30101, 1}, {30108, 1}, {30112, 1}, {30123, 1}, {30131, 25}, {30125, 3}};
    for (const Write& w : writes) EXPECT_EQ(WriteDiagnosticsValue(p.r, w.id, w.value), 1) << w.id;
    EXPECT_EQ(WriteDiagnosticsValue(p.r, 30124, 5), 0) << "a spin writes through its edit";
    EXPECT_EQ((std::vector<uint32_t>{p.r.logEnable, p.r.level, p.r.output, p.r.timing[2], p.r.timing[0]}),
              (std::vector<uint32_t>{1, 3, 1, 20, 3}));
    EXPECT_EQ(DiagnosticsPath(p.r, 30121), p.r.dumpFile);
    EXPECT_EQ(DiagnosticsPath(p.r, 30115), p.r.pictureFolder);

    // (control, the value that decides) -> enabled with it on, with it off.
    struct Rule { uint32_t id; uint32_t DiagnosticsRecord::*field; } rules[] = {
        {30107, &DiagnosticsRecord::logEnable},     {30120, &DiagnosticsRecord::dumpEnable},
        {30121, &DiagnosticsRecord::dumpEnable},    {30134, &DiagnosticsRecord::timingEnable},
        {30133, &DiagnosticsRecord::timingEnable},  {30143, &DiagnosticsRecord::profileEnable},
    };
    for (const Rule& r : rules) {
        for (uint32_t on : {1u, 0u}) {
            p.r.*r.field = on;
            EXPECT_EQ(DiagnosticsControlEnabled(p.r, r.id), static_cast<int>(on)) << r.id;
        }
    }
    EXPECT_EQ(DiagnosticsControlEnabled(p.r, 30114), 1);
}
