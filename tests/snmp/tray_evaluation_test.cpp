// The automatic tray evaluation over hand-built tray tables, the output tray
// mode codes and the printer's paper-type coding.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "platform/fake_platform.h"
#include "snmp/tray_evaluation.h"

namespace {

const std::string kIndent(26, ' ');

// Paper sizes as the capability query would list them.
int LookupPaper(void*, uint32_t paperId, int32_t* width, int32_t* length) {
    static const struct { uint32_t id; int32_t w, l; } kRows[] = {
        {1, 2159, 2794}, {8, 2970, 4200}, {9, 2100, 2970}, {13, 1820, 2570}};
    for (const auto& r : kRows)
        if (r.id == paperId) return *width = r.w, *length = r.l, 1;
    return 0;
}

// A usable, automatically selectable tray; status 0 gives an empty slot.
TrayEntry Tray(int32_t w, int32_t l, uint8_t type = 1, uint8_t feed = 0, uint8_t status = 1) {
    return {status, 0, type, 1, feed, {}, w, l};
}
const TrayEntry kEmpty = {};
const TrayEntry kA4 = Tray(2100, 2970), kA4Side = Tray(2970, 2100);

// A4 portrait on the automatic tray, any paper, printer default type 258;
// a3OrA4 and the default paper type are the printer's, the rest the job's.
struct Job {
    uint16_t inputTray = kTrayAuto, outputSize = 9, originalSize = 9, orientation = 1;
    uint32_t paperType = 257, defaultPaperType = 258;
    uint8_t imageRotation = 0, plural = 0, mixed = 0, a3OrA4 = 0;
    int32_t customW = 0, customL = 0;
};

// trays: slots 0..4: feeder HCF, feeder, Tray3, Tray2, Tray1; want: trayIndex,
// rotateFlag, paperType, rotation, feedFlag; lines: logged after the prefix,
// indent included where given.
struct Case { const char* what; Job job; std::vector<TrayEntry> trays; std::vector<int32_t> want;
              std::vector<std::string> lines; };

Job With(void (*f)(Job&)) {
    Job j;
    f(j);
    return j;
}

TEST(TrayEvaluation, Cases) {
    const std::string i = kIndent;
    const Case cases[] = {
        {"rotated match in pass 1 beats the exact match of pass 2", {},
         {kEmpty, kEmpty, kA4, kA4Side, kEmpty}, {3, 1, 258, 8, 0},
         {i + "search tray result=tray2\n", i + "process rotation=270degree\n"}},
        {"a3OrA4 runs pass 2 first", With([](Job& j) { j.a3OrA4 = 1; }),
         {kEmpty, kEmpty, kA4, kA4Side, kEmpty}, {2, 0, 258, 2, 0},
         {i + "search tray result=tray3\n", i + "process rotation=0degree\n"}},
        {"a tray 5 off is found only after every exact sweep", {},
         {Tray(2965, 2105), kEmpty, kEmpty, kEmpty, kA4}, {4, 0, 258, 2, 0},
         {i + "search tray result=tray1\n"}},
        {"a tray 5 off alone, tolerant pass 1", {},
         {Tray(2965, 2105, 2, 3), kEmpty, kEmpty, kEmpty, kEmpty}, {0, 1, 259, 8, 1},
         {i + "search tray result=high capacity feeder\n", i + "process paperType=PAPER_TYPE_IJ\n"}},
        {"11 off matches nothing; default type 258 logs ANY, A4 turns",
         {}, {Tray(2100, 2981), kEmpty, kEmpty, kEmpty, Tray(2100, 2970, 1, 0, 2)}, {-1, 1, 258, 8, 0},
         {i + "search tray result=no match\n", i + "process paperType=PAPER_TYPE_ANY\n",
          i + "process rotation=270degree\n"}},
        {"no match with default type 257 gives plain", With([](Job& j) { j.defaultPaperType = 257; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 1, 258, 8, 0},
         {i + "process paperType=PAPER_TYPE_PLAIN\n"}},
        {"no match, other default type is taken", With([](Job& j) { j.defaultPaperType = 263; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 1, 263, 8, 0},
         {i + "process paperType=PAPER_TYPE_ANY\n"}},
        {"no match with a3OrA4: no turn", With([](Job& j) { j.a3OrA4 = 1; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 0, 258, 2, 0},
         {i + "process rotation=0degree\n"}},
        {"no match on A3: no turn", With([](Job& j) { j.outputSize = 8; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 0, 258, 2, 0}, {}},
        {"requested tray kept when its paper does not fit", With([](Job& j) { j.inputTray = kTray2; }),
         {kA4, kEmpty, kEmpty, Tray(1820, 2570, 4, 3), kEmpty}, {3, 1, 261, 8, 1},
         {i + "search tray result=tray2\n", i + "process paperType=PAPER_TYPE_HIGH_QUALITY\n"}},
        {"requested tray 258 is Tray1, tolerant pass 2", With([](Job& j) { j.inputTray = kTray1; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, Tray(2105, 2965)}, {4, 0, 258, 2, 0}, {}},
        {"requested tray, preferred pass 2 fails, pass 1 turns",
         With([](Job& j) { j.inputTray = kTray3; j.a3OrA4 = 1; }),
         {kEmpty, kEmpty, kA4Side, kEmpty, kEmpty}, {2, 1, 258, 8, 0}, {}},
        {"requested tray 261 is slot 0", With([](Job& j) { j.inputTray = kTrayHighCapacity; j.paperType = 260; }),
         {kA4Side, kEmpty, kEmpty, kEmpty, kEmpty}, {0, 1, 260, 8, 0}, {}},
        {"typed search picks the tray with that type", With([](Job& j) { j.paperType = 259; }),
         {kEmpty, kEmpty, kA4, kEmpty, Tray(2100, 2970, 2)}, {4, 0, 259, 2, 0}, {}},
        {"typed search for plain takes unknown codings", With([](Job& j) { j.paperType = 258; }),
         {Tray(2100, 2970, 9), Tray(2100, 2970, 0), kEmpty, kEmpty, Tray(2100, 2970, 12)}, {1, 0, 258, 2, 0}, {}},
        {"typed search falls back to any tray", With([](Job& j) { j.paperType = 266; }),
         {kEmpty, kEmpty, Tray(2100, 2970, 3), kEmpty, Tray(2100, 2970, 2)}, {2, 0, 266, 2, 0}, {}},
        {"image rotation 90 searches the turned size without rotated matches",
         With([](Job& j) { j.imageRotation = 4; }), {kA4, kEmpty, kA4Side, kEmpty, kEmpty}, {2, 1, 258, 90, 0},
         {i + "process rotation=unknown\n"}},
        {"image rotation forbids rotated matches", With([](Job& j) { j.imageRotation = 3; }),
         {kA4Side, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 0, 258, 45, 0}, {}},
        {"image rotation outside 3..10 is 0", With([](Job& j) { j.imageRotation = 11; }),
         {kA4, kEmpty, kEmpty, kEmpty, kEmpty}, {0, 0, 258, 0, 0}, {}},
        {"landscape original", With([](Job& j) { j.orientation = 2; }),
         {kEmpty, kA4Side, kEmpty, kEmpty, kEmpty}, {1, 1, 258, 2, 0},
         {"SNMP Auto rotation info : original paper size  horizontal=2970 vertical=2100\n"}},
        {"2-up turns a portrait page", With([](Job& j) { j.plural = 21; }),
         {kA4, kA4Side, kEmpty, kEmpty, kEmpty}, {1, 1, 258, 2, 0}, {}},
        {"mixed sizes keep the orientation", With([](Job& j) { j.plural = 21; j.mixed = 1; }),
         {kEmpty, kA4Side, kEmpty, kEmpty, kA4}, {1, 1, 258, 8, 0}, {}},
        {"custom size truncated to 0.1 mm",
         With([](Job& j) { j.outputSize = 256; j.customW = 21009; j.customL = 29709; }),
         {kEmpty, kEmpty, kEmpty, kEmpty, kA4}, {4, 0, 258, 2, 0},
         {"SNMP Auto rotation info : original paper size  horizontal=2100 vertical=2970\n"}},
        {"no output size: the original's", With([](Job& j) { j.outputSize = 0; j.originalSize = 13; }),
         {kA4, Tray(1820, 2570), kEmpty, kEmpty, kEmpty}, {1, 0, 258, 2, 0}, {}},
        {"unlisted paper id leaves the size 0", With([](Job& j) { j.outputSize = 70; }),
         {kA4, kEmpty, kEmpty, kEmpty, kEmpty}, {-1, 0, 258, 2, 0},
         {"SNMP Auto rotation info : original paper size  horizontal=0 vertical=0\n"}},
    };
    for (const Case& c : cases) {
        FakePlatformScope fake;
        auto job = std::make_unique<PrivateSettings>();
        std::memset(job.get(), 0, sizeof *job);
        job->inputTray = c.job.inputTray, job->paperType = c.job.paperType, job->imageRotation = c.job.imageRotation;
        job->outputSize = c.job.outputSize, job->originalSize = c.job.originalSize;
        job->originalOrientation = c.job.orientation, job->pluralPagesPerSheet = c.job.plural;
        job->mixedSizeSupport = c.job.mixed;
        job->outputWidth_mm_CustomPaper = c.job.customW, job->outputLength_mm_CustomPaper = c.job.customL;
        PrinterTrayInfo info;
        std::memset(&info, 0x5A, sizeof info);
        for (int s = 0; s < kTraySlotCount; ++s) info.trays[s] = c.trays[s];
        ASSERT_EQ(1, EvaluateTrays(*job, c.job.a3OrA4, c.job.defaultPaperType, LookupPaper, nullptr, &info));
        EXPECT_EQ(c.want, (std::vector<int32_t>{info.trayIndex, info.rotateFlag, info.paperType, info.rotation,
                                                info.feedFlag})) << c.what;
        std::string log;
        for (const auto& line : fake.host.DebugLines()) log += Narrow(line);
        for (const std::string& want : c.lines) EXPECT_NE(log.find("]:" + want), std::string::npos) << c.what << ": " << want;
        // A typed request leaves the paper type as asked, with no search lines.
        if (c.job.paperType != 257) {
            EXPECT_EQ(log.find("search tray result"), std::string::npos) << c.what;
        }
    }
}

TEST(TrayEvaluation, OutputTrayModes) {
    const struct { uint32_t reading; int32_t code; const char* ending; } rows[] = {
        {0, 1, "facedown tray \n"}, {7, 1, "facedown tray \n"}, {1, 7, "auto tray \n"},
        {8, 4, "high catpcity feeder \n"}, {4, 0, nullptr}, {256, 0, nullptr},
    };
    for (const auto& r : rows) {
        FakePlatformScope fake;
        EXPECT_EQ(r.code, OutputTrayModeCode(r.reading, 0)) << r.reading;
        auto lines = fake.host.DebugLines();
        if (r.ending == nullptr) {
            EXPECT_TRUE(lines.empty()) << r.reading;
        } else {
            ASSERT_EQ(1u, lines.size()) << r.reading;
            EXPECT_NE(Narrow(lines[0]).find(std::string("]:SNMP Tray Info : mode by output tray -- ") + r.ending),
                      std::string::npos);
        }
    }
}

TEST(TrayEvaluation, PrinterPaperTypes) {
    const struct { uint32_t coding; uint32_t driverType; const char* logName; } rows[] = {
        {0, 258, "指定しない"}, {2, 259, "IJ用紙"}, {6, 263, "軽量紙"}, {7, 263, "更紙"},
        {9, 265, "指定しない"}, {255, 258, "指定しない"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.driverType, DriverPaperType(r.coding)) << r.coding;
        EXPECT_EQ(r.logName, Narrow(PrinterPaperTypeLogName(r.coding))) << r.coding;
    }
}

}  // namespace
