// The portable bodies behind the exports: the fMode rules of
// DrvDocumentProperties, the job-attribute table and the printer-event
// argument table. The Windows tests drive the same bodies through the DLL.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "entry/document_properties.h"
#include "entry/job_attributes.h"
#include "entry/printer_event.h"
#include "platform/fake_platform.h"
#include "rules/resolve.h"

namespace {

constexpr uint32_t kPoison = 0xdeadbeef;
constexpr uint8_t kCanary = 0xCC;

// --- DrvDocumentProperties: fMode matrix ------------------------------------

int g_sheetCalls = 0;
int32_t FakeSheet(void*, PrinterHandle, const char16_t*, void*, void*, uint32_t) {
    ++g_sheetCalls;
    return 2;  // IDCANCEL, distinct from every other answer
}

enum Want { kUntouched, kWritten };

// error kPoison: the last error must stay.
struct ModeCase { const char* what; uint32_t fMode; bool out, in, sheet; int32_t result; uint32_t error; Want output;
                  int sheetCalls; };

const ModeCase kModeCases[] = {
    {"size query touches nothing", 0, true, true, true, 19040, kPoison, kUntouched, 0},
    {"out buffer without output", kDmCopy, false, false, true, -1, 87, kUntouched, 0},
    {"in buffer without input", kDmInBuffer | kDmCopy, true, false, true, -1, 87, kUntouched, 0},
    {"advanced without output", kAdvancedDocumentMode, false, true, true, -1, 87, kUntouched, 0},
    {"out buffer", kDmCopy, true, false, true, 1, kPoison, kWritten, 0},
    {"update stores nothing but writes", kDmUpdate, true, true, true, 1, kPoison, kWritten, 0},
    {"update without output is a size query", kDmUpdate, false, false, true, 19040, kPoison, kUntouched, 0},
    {"in buffer alone writes nothing", kDmInBuffer, true, true, true, 1, kPoison, kUntouched, 0},
    {"prompt goes to the sheet", kDmInPrompt | kDmCopy, true, true, true, 2, kPoison, kUntouched, 1},
    {"prompt without sheet library", kDmInPrompt, true, true, false, -1, kPoison, kUntouched, 0},
};

class DocumentPropertiesModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DocumentPropertiesModes, Answer) {
    const ModeCase& c = GetParam();
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    PrinterHandle h = nullptr;
    ASSERT_TRUE(fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    std::vector<uint8_t> in(kDriverDevModeSize, 0);
    ASSERT_EQ(1u, _UdcResolveSelfDMode(in.data(), nullptr, h, u"P1", nullptr, kResolveOutBuffer, kCallerConvert));
    std::vector<uint8_t> out(kDriverDevModeSize + 16, kCanary);
    const std::vector<uint8_t> inBefore = in;
    fake.spooler.ClearCallLog();
    g_sheetCalls = 0;

    fake.host.SetLastError(kPoison);
    int32_t r = DrvDocumentPropertiesCore(h, u"P1", c.out ? out.data() : nullptr, c.in ? in.data() : nullptr, c.fMode,
                                          c.sheet ? FakeSheet : nullptr, nullptr);
    EXPECT_EQ(c.result, r);
    EXPECT_EQ(c.error, fake.host.GetLastError());
    EXPECT_EQ(c.sheetCalls, g_sheetCalls);
    EXPECT_EQ(inBefore, in);
    EXPECT_EQ(kCanary, out[kDriverDevModeSize]);
    if (c.output == kUntouched) {
        EXPECT_EQ(std::vector<uint8_t>(out.size(), kCanary), out);
    } else {
        const DriverDevMode* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(kTrailingMagic, dm->priv.trailingMagic);
        EXPECT_EQ(0, std::memcmp(dm->priv.signature, u"JUP/CS", 12));
    }
    // Nothing on this path stores settings or tells other windows.
    EXPECT_EQ(0, fake.spooler.Broadcasts());
    for (const std::string& call : fake.spooler.CallLog()) EXPECT_NE(0u, call.rfind("SetPrinterData", 0)) << call;
    fake.spooler.ClosePrinter(h);
}

INSTANTIATE_TEST_SUITE_P(Table, DocumentPropertiesModes, ::testing::ValuesIn(kModeCases),
                         [](const ::testing::TestParamInfo<ModeCase>& i) { return CaseName(i.index, i.param.what); });

// --- DrvQueryJobAttributes: the table ---------------------------------------

struct NupCase { uint8_t nup, booklet, reverse; int16_t copies; uint32_t pages, direction, order, bookletFlags, jobCopies; };

const NupCase kNupCases[] = {
    {0, 0, 0, 1, 1, 1, 1, 0, 1},      {0, 0, 1, 1, 1, 1, 0, 0, 1},      {21, 0, 0, 3, 2, 1, 1, 0, 3},
    {22, 0, 0, 1, 2, 4, 1, 0, 1},     {42, 0, 1, 1, 4, 2, 0, 0, 1},     {44, 0, 0, 1, 4, 8, 1, 0, 1},
    {81, 0, 0, 1, 8, 1, 1, 0, 1},     {84, 0, 0, 1, 1, 1, 1, 0, 1},     {43, 1, 0, 1, 2, 1, 2, 1, 1},
    {43, 2, 1, 1, 2, 1, 2, 0, 1},     {0, 0, 0, -5, 1, 1, 1, 0, 1},     {0, 0, 0, 32767, 1, 1, 1, 0, 32767},
};

TEST(JobAttributes, Table) {
    for (const NupCase& c : kNupCases) {
        SCOPED_TRACE(testing::Message() << "nup " << int(c.nup) << " booklet " << int(c.booklet) << " reverse "
                                        << int(c.reverse) << " copies " << c.copies);
        auto s = std::make_unique<PrivateSettings>();
        std::memset(s.get(), 0, sizeof *s);
        s->pluralPagesPerSheet = c.nup, s->booklet = c.booklet, s->reverseOrder = c.reverse, s->copies = c.copies;
        s->scale_Zoom = 137;
        JobAttributes a;
        std::memset(&a, 0xCD, sizeof a);
        ComputeJobAttributes(*s, &a);
        // The whole record: the fields the case decides, then the fixed ones.
        EXPECT_EQ((std::vector<uint32_t>{c.pages, c.direction, c.order, c.order, c.bookletFlags, c.jobCopies, 1, 1,
                                         32767, 2, 0, 137, 137}),
                  (std::vector<uint32_t>{a.jobPagesPerSide, a.nupDirection, a.jobPageOrderFlags, a.drvPageOrderFlags,
                                         a.bookletFlags, a.jobCopies, a.drvPagesPerSide, a.nupBorderFlags, a.drvCopies,
                                         a.duplexFlags, a.colorOptimization, a.scalingPercentX, a.scalingPercentY}));
    }
}

// --- DrvPrinterEvent and DrvUpgradePrinter ------------------------------------

// kind 'e': DrvPrinterEvent(event); 'u': DrvUpgradePrinter(level, info?,
// name?). INITIALIZE and the named upgrade hand over to the installation,
// which cannot open the unknown printer (1801); the upgrade still succeeds.
struct EventCase { char kind; int arg; bool info, name; int result; uint32_t error; };

const EventCase kEventCases[] = {
    {'e', 0, 0, 0, 0, 87},      {'e', 1, 0, 0, 1, kPoison}, {'e', 3, 0, 0, 0, 1801},    {'e', 7, 0, 0, 1, kPoison},
    {'e', 8, 0, 0, 1, 1801},    {'e', 9, 0, 0, 0, 87},      {'e', -1, 0, 0, 0, 87},     {'u', 0, 1, 1, 0, 87},
    {'u', 3, 1, 1, 0, 87},      {'u', 1, 0, 0, 0, 87},      {'u', 2, 1, 0, 1, kPoison}, {'u', 1, 1, 1, 1, 1801},
};

TEST(PrinterEvent, Table) {
    FakePlatformScope fake;
    for (const EventCase& c : kEventCases) {
        SCOPED_TRACE(testing::Message() << c.kind << c.arg << " info " << c.info << " name " << c.name);
        fake.host.SetLastError(kPoison);
        int r = c.kind == 'e' ? DrvPrinterEventCore(u"P1", c.arg, 0, 0)
                              : DrvUpgradePrinterCore(c.arg, c.info, c.name ? u"P1" : nullptr);
        EXPECT_EQ(c.result, r);
        EXPECT_EQ(c.error, fake.host.GetLastError());
    }
}

}  // namespace
