// The portable bodies behind the exports: the fMode rules of
// DrvDocumentProperties, the job-attribute table, the document-event filter
// and the printer-event argument table.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "entry/document_event.h"
#include "entry/document_properties.h"
#include "entry/job_attributes.h"
#include "entry/printer_event.h"
#include "platform/fake_platform.h"
#include "settings/resolve.h"

namespace {

constexpr uint32_t kPoison = 0xdeadbeef;
constexpr uint8_t kCanary = 0xCC;

// --- DrvDocumentProperties: fMode matrix ------------------------------------

int g_sheetCalls = 0;
int32_t FakeSheet(void*, PrinterHandle, const char16_t*, void*, const void*, uint32_t) {
    ++g_sheetCalls;
    return 2;  // IDCANCEL, distinct from every other answer
}

enum Want { kUntouched, kWritten };

struct ModeCase {
    const char* what;
    uint32_t fMode;
    bool out, in, sheet;
    int32_t result;
    uint32_t error;  // kPoison: must stay
    Want output;
    int sheetCalls;
};

const ModeCase kModeCases[] = {
    {"size query touches nothing", 0, true, true, true, 19040, kPoison, kUntouched, 0},
    {"out buffer without output", kDmCopy, false, false, true, -1, 87, kUntouched, 0},
    {"in buffer without input", kDmInBuffer | kDmCopy, true, false, true, -1, 87, kUntouched, 0},
    {"prompt and out buffer without output", kDmInPrompt | kDmCopy, false, true, true, -1, 87, kUntouched, 0},
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

struct NupCase {
    uint8_t nup, booklet, reverse;
    int16_t copies;
    uint32_t pages, direction, order, bookletFlags, jobCopies;
};

const NupCase kNupCases[] = {
    {0, 0, 0, 1, 1, 1, 1, 0, 1},      {0, 0, 1, 1, 1, 1, 0, 0, 1},      {21, 0, 0, 3, 2, 1, 1, 0, 3},
    {22, 0, 0, 1, 2, 4, 1, 0, 1},     {41, 0, 0, 1, 4, 1, 1, 0, 1},     {42, 0, 1, 1, 4, 2, 0, 0, 1},
    {43, 0, 0, 1, 4, 4, 1, 0, 1},     {44, 0, 0, 1, 4, 8, 1, 0, 1},     {81, 0, 0, 1, 8, 1, 1, 0, 1},
    {82, 0, 0, 1, 8, 2, 1, 0, 1},     {83, 0, 0, 1, 8, 4, 1, 0, 1},     {88, 0, 0, 1, 8, 8, 1, 0, 1},
    {84, 0, 0, 1, 1, 1, 1, 0, 1},     {43, 1, 0, 1, 2, 1, 2, 1, 1},     {43, 2, 1, 1, 2, 1, 2, 0, 1},
    {0, 3, 0, 0, 2, 1, 2, 1, 1},      {0, 0, 0, -5, 1, 1, 1, 0, 1},     {0, 0, 0, 32767, 1, 1, 1, 0, 32767},
};

TEST(JobAttributes, Table) {
    for (const NupCase& c : kNupCases) {
        SCOPED_TRACE(testing::Message() << "nup " << int(c.nup) << " booklet " << int(c.booklet) << " reverse "
                                        << int(c.reverse) << " copies " << c.copies);
        auto s = std::make_unique<PrivateSettings>();
        std::memset(s.get(), 0, sizeof *s);
        s->pluralPagesPerSheet = c.nup;
        s->booklet = c.booklet;
        s->reverseOrder = c.reverse;
        s->copies = c.copies;
        s->scale_Zoom = 137;
        JobAttributes a;
        std::memset(&a, 0xCD, sizeof a);
        ComputeJobAttributes(*s, &a);
        EXPECT_EQ(c.pages, a.jobPagesPerSide);
        EXPECT_EQ(c.direction, a.nupDirection);
        EXPECT_EQ(c.order, a.jobPageOrderFlags);
        EXPECT_EQ(c.order, a.drvPageOrderFlags);
        EXPECT_EQ(c.bookletFlags, a.bookletFlags);
        EXPECT_EQ(c.jobCopies, a.jobCopies);
        EXPECT_EQ(1u, a.drvPagesPerSide);
        EXPECT_EQ(1u, a.nupBorderFlags);
        EXPECT_EQ(32767u, a.drvCopies);
        EXPECT_EQ(2u, a.duplexFlags);
        EXPECT_EQ(0u, a.colorOptimization);
        EXPECT_EQ(137u, a.scalingPercentX);
        EXPECT_EQ(137u, a.scalingPercentY);
    }
}

TEST(JobAttributes, CallerDevModeThroughTheResolution) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    PrinterHandle h = nullptr;
    ASSERT_TRUE(fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    std::vector<uint8_t> dm(kDriverDevModeSize, 0);
    ASSERT_EQ(1u, _UdcResolveSelfDMode(dm.data(), nullptr, h, u"P1", nullptr, kResolveOutBuffer, kCallerConvert));
    DriverDevMode* d = reinterpret_cast<DriverDevMode*>(dm.data());
    d->priv.pluralPagesPerSheet = 43;
    d->pub.dmPrintQuality = -3;
    d->pub.dmYResolution = 600;
    JobAttributes a{};
    ASSERT_EQ(1, QueryJobAttributesCore(h, dm.data(), &a));
    EXPECT_EQ(4u, a.jobPagesPerSide);
    EXPECT_EQ(4u, a.nupDirection);
    EXPECT_EQ(-3, a.printQuality);
    EXPECT_EQ(600, a.yResolution);
    fake.spooler.ClosePrinter(h);

    // A handle the spooler does not know has no name: FALSE.
    EXPECT_EQ(0, QueryJobAttributesCore(reinterpret_cast<PrinterHandle>(0x1234), dm.data(), &a));
    const uint32_t sizes[] = {0, 28, 32, 36, 56, 0};
    for (uint32_t level = 0; level < 6; ++level) EXPECT_EQ(sizes[level], JobAttributesSize(level)) << level;
}

// --- DrvDocumentEvent --------------------------------------------------------

TEST(DocumentEvent, FilterAsksForStartDocOnly) {
    FakePlatformScope fake;
    struct {
        DocEventFilter head;
        uint32_t more[3];
    } f;
    std::memset(&f, 0xEE, sizeof f);
    f.head.elementsAllocated = 4;
    EXPECT_EQ(1, DrvDocumentEventCore(nullptr, kDocEventQueryFilter, 0, nullptr, sizeof f, &f));
    EXPECT_EQ(1u, f.head.elementsReturned);
    EXPECT_EQ(5u, f.head.events[0]);
    EXPECT_EQ(0xEEEEEEEEu, f.more[0]);

    f.head.elementsAllocated = 0;
    f.head.elementsReturned = 7;
    EXPECT_EQ(0, DrvDocumentEventCore(nullptr, kDocEventQueryFilter, 0, nullptr, sizeof f, &f));
    EXPECT_EQ(7u, f.head.elementsReturned);
    EXPECT_EQ(0, DrvDocumentEventCore(nullptr, kDocEventQueryFilter, 0, nullptr, 0, nullptr));
}

// --- DrvPrinterEvent and DrvUpgradePrinter ------------------------------------

struct EventCase {
    int event;
    int result;
    uint32_t error;
};

// INITIALIZE hands over to the printer installation, which is not part of
// this build: it fails with 50 until that exists.
const EventCase kEventCases[] = {
    {0, 0, 87}, {1, 1, kPoison}, {2, 1, kPoison}, {3, 0, 50},  {4, 1, kPoison}, {5, 1, kPoison},
    {6, 1, kPoison}, {7, 1, kPoison}, {8, 1, kPoison}, {9, 0, 87}, {-1, 0, 87},
};

TEST(PrinterEvent, Table) {
    FakePlatformScope fake;
    for (const EventCase& c : kEventCases) {
        SCOPED_TRACE(c.event);
        fake.host.SetLastError(kPoison);
        EXPECT_EQ(c.result, DrvPrinterEventCore(u"P1", c.event, 0, 0));
        EXPECT_EQ(c.error, fake.host.GetLastError());
    }
}

TEST(PrinterEvent, UpgradeArguments) {
    FakePlatformScope fake;
    struct {
        uint32_t level;
        bool info;
        const char16_t* name;
        int result;
        uint32_t error;
    } cases[] = {
        {0, true, u"P1", 0, 87}, {3, true, u"P1", 0, 87}, {1, false, nullptr, 0, 87}, {2, false, nullptr, 0, 87},
        {1, true, nullptr, 1, kPoison}, {2, true, nullptr, 1, kPoison},
        {1, true, u"P1", 0, 50},  // the stored-data upgrade comes with the installation
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " info " << c.info);
        fake.host.SetLastError(kPoison);
        EXPECT_EQ(c.result, DrvUpgradePrinterCore(c.level, c.info, c.name));
        EXPECT_EQ(c.error, fake.host.GetLastError());
    }
}

TEST(PrinterEvent, PermissionProbe) {
    FakePlatformScope fake;
    FakePrinter& p = fake.spooler.AddPrinter(u"P1");
    PrinterHandle h = nullptr;
    ASSERT_TRUE(fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
    EXPECT_EQ(0u, ProbePrinterPermission(h));
    const FakeValue* v = p.Find(u"Permission");
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(kRegDword, v->type);
    EXPECT_EQ((std::vector<uint8_t>{1, 0, 0, 0}), v->bytes);
    p.setDataError = kErrAccessDenied;
    EXPECT_EQ(kDpsNoPermission, ProbePrinterPermission(h));
    fake.spooler.ClosePrinter(h);
}

}  // namespace
