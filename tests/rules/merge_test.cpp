// Merging a caller's DEVMODE into the printer's settings: which private
// record is trusted, the public fields, paper matching, sizes, the booklet
// orientation rule and the public part rebuilt from the record.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "settings/field_table.h"
#include "settings/printer_rig.h"

namespace {

using Rig = PrinterRig;
using Row = std::vector<int64_t>;

PublicDevMode& Pub(std::vector<uint8_t>& in) { return *reinterpret_cast<PublicDevMode*>(in.data()); }
PrivateSettings& Priv(std::vector<uint8_t>& in, size_t dmSize = 220) {
    return *reinterpret_cast<PrivateSettings*>(in.data() + dmSize);
}

void PutText(char16_t* field, size_t capacity, const std::u16string& text) {
    std::memset(field, 0, capacity * 2);
    std::memcpy(field, text.data(), std::min(text.size(), capacity) * 2);
}

// Which private record the merge trusts.
struct SourceCase {
    const char* what; uint16_t specVersion, driverVersion, dmSize, extra; bool signature, magic, wantDocMerge;
    bool wantStaple;   // private offset 3764
    bool wantJobName;  // private offset 5434
    int wantMask;      // header faults as the merge logs them
};

const SourceCase kSourceCases[] = {
    {"our own", 0x0401, 2020, 220, 18820, true, true, true, true, true, 0},
    {"another driver's DEVMODE", 0x0401, 0x0600, 220, 100, false, false, false, false, false, 26},
    {"garbage private bytes", 0x0401, 2020, 220, 18820, false, false, false, false, false, 16},
    {"driver version 1000, signature", 0x0401, 1000, 220, 18820, true, true, true, true, true, 2},
    {"no magic, signature", 0x0401, 2020, 220, 18820, true, false, true, true, true, 16},
    {"shorter private part is completed", 0x0401, 1000, 220, 5000, true, false, true, true, false, 26},
    {"only the signature", 0x0401, 2020, 220, 12, true, false, true, false, false, 24},
    {"too short for the signature", 0x0401, 2020, 220, 11, true, false, false, false, false, 24},
    {"dmSpecVersion 0x0400", 0x0400, 2020, 220, 18820, true, true, false, false, false, 1},
    {"public part of 156 bytes", 0x0401, 2020, 156, 18820, true, false, false, false, false, 20},
};

TEST(MergeSource, TrustsOnlyOurRecord) {
    for (const SourceCase& c : kSourceCases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        std::vector<uint8_t> in(sizeof(DriverDevMode) + 512, 0x77);
        PublicDevMode pub = rig.base->dm.pub;
        pub.dmSpecVersion = c.specVersion;
        pub.dmDriverVersion = c.driverVersion;
        pub.dmSize = c.dmSize;
        pub.dmDriverExtra = c.extra;
        pub.dmFields = kDmCopies;
        pub.dmCopies = 4;
        std::memcpy(in.data(), &pub, c.dmSize < 220 ? c.dmSize : 220);
        if (c.signature) {
            auto priv = std::make_unique<PrivateSettings>(rig.base->dm.priv);
            priv->staple = 20;
            PutText(priv->jobName, 256, u"caller's job");
            // The whole signature is there even when the header claims less.
            size_t n = c.extra < 12 ? 12 : c.extra < kPrivateSize ? c.extra : kPrivateSize;
            std::memcpy(in.data() + c.dmSize, priv.get(), n);
        }
        if (c.magic) {
            std::memcpy(in.data() + c.dmSize + c.extra - 4, &kTrailingMagic, 4);
        } else if (c.extra >= 16) {
            std::memset(in.data() + c.dmSize + c.extra - 4, 0x77, 4);
        }

        auto out = rig.Resolve(in.data());
        const PrivateSettings& got = out->dm.priv;
        const PrivateSettings& stored = rig.base->dm.priv;
        EXPECT_TRUE(rig.Logged(("nModule=15 iDMoodeChkFlags=" + std::to_string(c.wantMask) + "\n").c_str()));
        EXPECT_TRUE(rig.Logged(c.wantDocMerge ? "bDocMerge=TRUE" : "bDocMerge=FALSE"));
        EXPECT_EQ(c.wantStaple ? 20 : stored.staple, got.staple);
        EXPECT_EQ(c.wantJobName ? u"caller's job" : std::u16string(stored.jobName), std::u16string(got.jobName));
        EXPECT_EQ(4, got.copies) << "public fields are always used";
        EXPECT_EQ(0, std::memcmp(got.signature, u"JUP/CS", 12));
        EXPECT_EQ(kTrailingMagic, got.trailingMagic);
        if (!c.wantDocMerge) {
            // Nothing of the caller's private bytes may reach a field.
            for (int i = 0; i < PrivateFieldCount(); i++) {
                const FieldRow& r = PrivateFieldTable()[i];
                if (r.merge == MergeKind::Special) continue;
                EXPECT_EQ(0, std::memcmp(reinterpret_cast<const uint8_t*>(&got) + r.offset,
                                         reinterpret_cast<const uint8_t*>(&stored) + r.offset, r.size))
                    << r.name;
            }
        }
    }
}

TEST(Merge, TextFromACallerIsCutAndTerminated) {
    Rig rig;
    auto in = rig.Input();
    PutText(Priv(in).jobName, 256, std::u16string(256, u'j'));
    PutText(Priv(in).password, 9, std::u16string(9, u'p'));
    auto out = rig.Resolve(in.data());
    EXPECT_EQ(std::u16string(255, u'j'), std::u16string(out->dm.priv.jobName));
    EXPECT_EQ(std::u16string(8, u'p'), std::u16string(out->dm.priv.password));
    EXPECT_EQ(0, out->dm.priv.reserved5433[0] | out->dm.priv.formSupport) << "wrote past the field";
}

// Older public DEVMODEs come back in their own layout.
TEST(Merge, ShortPublicPartIsEchoedInItsOwnLayout) {
    const struct { uint16_t dmSize, extra, wantExtra; } cases[] = {
        {156, 18820, 18820}, {156, 0, 0}, {156, 19000, 18820}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra);
        Rig rig;
        std::vector<uint8_t> in(156 + 19000, 0);
        for (size_t i = 0; i < in.size(); i++) in[i] = static_cast<uint8_t>(i * 7 + 1);
        PublicDevMode& pub = Pub(in);
        pub.dmSpecVersion = 0x0400;
        pub.dmSize = c.dmSize;
        pub.dmDriverExtra = c.extra;
        std::vector<uint8_t> out(kDriverDevModeSize + 64, 0xCC);
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, rig.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        EXPECT_EQ(1u, _UdcResolveSelfDMode(out.data(), in.data(), h, u"P1", nullptr,
                                           kResolveInBuffer | kResolveOutBuffer, kCallerConvert));
        rig.fake.spooler.ClosePrinter(h);
        const size_t n = c.dmSize + c.wantExtra;
        uint16_t extra = 0;
        std::memcpy(&extra, out.data() + 70, 2);
        EXPECT_EQ(c.wantExtra, extra);
        std::vector<uint8_t> want(in.begin(), in.begin() + n);
        std::memcpy(want.data() + 70, &c.wantExtra, 2);
        EXPECT_TRUE(std::equal(want.begin(), want.end(), out.begin()));
        EXPECT_EQ(0xCC, out[n]) << "wrote past the caller's layout";
    }
}

// The original paper from the public fields.
struct PaperCase {
    const char* what; uint32_t fields; int16_t paperSize, width, length, orientation; const char16_t* formName;
    uint16_t wantSize;
    int32_t wantWidthMm, wantLengthMm;  // originalWidth/Length_mm_CustomPaper
    uint16_t wantOrientation; int16_t wantPubWidth, wantPubLength;
    const char16_t* wantForm;  // null: not checked
};

constexpr uint32_t kSizeBits = kDmPaperSize | kDmPaperWidth | kDmPaperLength | kDmOrientation;

const PaperCase kPaperCases[] = {
    {"A4 by id", kDmPaperSize, 9, 0, 0, 1, nullptr, 9, 21000, 29700, 1, 2100, 2970, u"A4"},
    {"Letter by id, landscape", kDmPaperSize | kDmOrientation, 1, 0, 0, 2, nullptr, 1, 21590, 27940, 2, 2159, 2794,
     u"Letter"},
    {"custom landscape size in portrait", kSizeBits, 256, 2970, 2100, 1, nullptr, 256, 21000, 29700, 2, 2100, 2970,
     nullptr},
    {"custom portrait size", kSizeBits, 256, 2000, 3000, 1, nullptr, 256, 20000, 30000, 1, 2000, 3000, nullptr},
    {"custom size of zero", kSizeBits, 256, 0, 0, 1, nullptr, 256, 14800, 14800, 1, 1480, 1480, nullptr},
    {"unknown id, A4 within 1 mm", kSizeBits, 4242, 2969, 2109, 2, nullptr, 9, 21000, 29700, 2, 2100, 2970, u"A4"},
    {"unknown id, no size match", kSizeBits, 4242, 1234, 2345, 1, nullptr, 256, 12340, 23450, 1, 1234, 2345,
     nullptr},
    {"unknown id without sizes", kDmPaperSize | kDmOrientation, 4242, 1234, 2345, 1, nullptr, 256, 12340, 23450, 1,
     1234, 2345, nullptr},
};

TEST(MergePaper, OriginalPaperFromThePublicPart) {
    for (const PaperCase& c : kPaperCases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        auto in = rig.Input();
        PublicDevMode& pub = Pub(in);
        pub.dmFields = c.fields, pub.dmPaperSize = c.paperSize, pub.dmOrientation = c.orientation;
        pub.dmPaperWidth = c.width, pub.dmPaperLength = c.length;
        if (c.formName) PutText(pub.dmFormName, 32, c.formName);
        // Of the caller's record only dmOrientation may change (the turned
        // custom size), through a conversion as through any resolution.
        auto want = in;
        Pub(want).dmOrientation = static_cast<int16_t>(c.wantOrientation);
        auto converted = in;
        std::vector<uint8_t> convertOut(sizeof(DriverDevMode));
        uint32_t size = sizeof(DriverDevMode);
        ASSERT_EQ(1, DrvConvertDevModeCore(u"P1", converted.data(), convertOut.data(), &size, kCdmConvert));
        EXPECT_TRUE(converted == want) << "caller's dmOrientation " << Pub(converted).dmOrientation;
        auto out = rig.Resolve(in.data());
        EXPECT_TRUE(in == want);
        const PrivateSettings& p = out->dm.priv;
        const PublicDevMode& o = out->dm.pub;
        EXPECT_EQ((Row{c.wantSize, c.wantWidthMm, c.wantLengthMm, c.wantOrientation, c.wantSize, c.wantOrientation,
                       c.wantPubWidth, c.wantPubLength}),
                  (Row{p.originalSize, p.originalWidth_mm_CustomPaper, p.originalLength_mm_CustomPaper,
                       p.originalOrientation, o.dmPaperSize, o.dmOrientation, o.dmPaperWidth, o.dmPaperLength}));
        EXPECT_EQ(std::u16string(c.wantForm ? c.wantForm : o.dmFormName), std::u16string(o.dmFormName));
    }
}

// The remaining public fields, each only with its dmFields bit.
struct PublicCase {
    const char* what; uint32_t field; int32_t value;
    uint8_t light;  // environment's lightPaperSupport
    uint8_t inputUnit;
    const char* target;  // private field
    int64_t want;        // -1: the stored value stays
};

const PublicCase kPublicCases[] = {
    {"copies -3", kDmCopies, -3, 0, 0, "copies", 1},
    {"copies 0", kDmCopies, 0, 0, 0, "copies", 0},
    {"copies without the bit", 0, 9, 0, 0, "copies", -1},
    {"duplex 3", kDmDuplex, 3, 0, 0, "duplexType", 3},
    {"duplex 4 refused", kDmDuplex, 4, 0, 0, "duplexType", -1},
    {"media 259", kDmMediaType, 259, 0, 0, "paperType", 259},
    {"media 263 without light paper", kDmMediaType, 263, 0, 0, "paperType", 257},
    {"media 263 with light paper", kDmMediaType, 263, 1, 0, "paperType", 263},
    {"source 259", kDmDefaultSource, kTray2, 0, 0, "inputTray", kTray2},
    {"source 261 without feeder", kDmDefaultSource, kTrayHighCapacity, 0, 0, "inputTray", kTrayAuto},
    {"source 261 with feeder", kDmDefaultSource, kTrayHighCapacity, 0, 10, "inputTray", kTrayHighCapacity},
    {"source 257 with feeder", kDmDefaultSource, kTrayStandardFeed, 0, 10, "inputTray", kTrayAuto},
    {"orientation 2", kDmOrientation, 2, 0, 0, "originalOrientation", 2},
    {"orientation 3 refused", kDmOrientation, 3, 0, 0, "originalOrientation", -1},
};

TEST(MergePublic, TakesTheFieldUnderItsRule) {
    for (const PublicCase& c : kPublicCases) {
        SCOPED_TRACE(c.what);
        Rig rig([&](PrinterEnvironment& env) {
            env.lightPaperSupport = c.light;
            env.inputUnit_Option = c.inputUnit;
        });
        // Start from values no case produces, so that "stays" is visible.
        PrivateSettings& s = rig.base->dm.priv;
        s.copies = 6, s.duplexType = 2, s.paperType = 258, s.inputTray = kTray3, s.originalOrientation = 1;
        rig.Store();
        auto in = rig.Input();
        PublicDevMode& pub = Pub(in);
        const int16_t v = static_cast<int16_t>(c.value);
        pub.dmFields = c.field, pub.dmMediaType = static_cast<uint32_t>(c.value);
        pub.dmCopies = pub.dmDuplex = pub.dmDefaultSource = pub.dmOrientation = v;
        // The private copies of these fields are never the source.
        PrivateSettings& p = Priv(in);
        p.copies = 11, p.duplexType = 1, p.paperType = 260, p.inputTray = kTray1, p.originalOrientation = 2;
        auto out = rig.Resolve(in.data());
        const FieldRow* r = FindPrivateField(c.target);
        ASSERT_NE(nullptr, r);
        int64_t stored = ReadFieldElement(*r, &rig.base->dm.priv, 0);
        EXPECT_EQ(c.want < 0 ? stored : c.want, ReadFieldElement(*r, &out->dm.priv, 0));
    }
}

// Booklet orientation rule; orientation is the public dmOrientation.
TEST(Merge, BookletOrientationTable) {
    const struct { uint8_t booklet; int16_t orientation; uint8_t override_; uint16_t docOrientation, want; } cases[] = {
        {1, 2, 0, 0, 3}, {3, 1, 0, 0, 1}, {3, 2, 0, 0, 3},
        {0, 2, 0, 0, 0}, {1, 1, 1, 2, 3}, {3, 2, 1, 1, 1}, {2, 2, 1, 1, 2},
    };
    for (const auto& c : cases) {
        Rig rig;
        auto in = rig.Input();
        Pub(in).dmFields = kDmOrientation, Pub(in).dmOrientation = c.orientation;
        Priv(in).booklet = c.booklet, Priv(in).orientationOverride = c.override_;
        Priv(in).documentOrientation = c.docOrientation;
        auto out = rig.Resolve(in.data());
        EXPECT_EQ(c.want, out->dm.priv.booklet) << "booklet " << int(c.booklet) << " orientation " << c.orientation
                                                << " override " << int(c.override_);
    }
}

// Output paper and the sizes, clamped to the extents (0.1 mm x 10).
struct OutputCase {
    const char* what;
    int16_t original;  // public dmPaperSize; 256 is 123.4 x 234.5 mm
    uint16_t outputSize;
    int32_t widthMm, lengthMm;              // outputWidth_mm / outputLength_mm
    int32_t customWidthMm, customLengthMm;  // *_CustomPaper
    uint16_t wantSize; int32_t wantWidth, wantLength, wantCustomWidth, wantCustomLength;
};

const OutputCase kOutputCases[] = {
    {"custom width 1 raised", 9, 256, 5000, 5000, 1, 20000, 256, 9000, 20000, 9000, 20000},
    {"custom too large", 9, 256, 5000, 5000, 99999, 99999, 256, 33000, 48700, 33000, 48700},
    {"custom width beyond length swapped", 9, 256, 5000, 5000, 30000, 20000, 256, 30000, 20000, 20000, 30000},
    {"listed paper keeps its sizes", 9, 9, 21000, 29700, 21000, 29700, 9, 21000, 29700, 21000, 29700},
    {"listed paper with width 1", 9, 9, 1, 29700, 21000, 29700, 9, 9000, 29700, 21000, 29700},
    {"same as original follows the original", 9, 0, 1, 1, 21000, 29700, 0, 21000, 29700, 21000, 29700},
    {"same as a custom original", 256, 0, 1, 1, 21000, 29700, 0, 12340, 23450, 21000, 29700},
};

TEST(MergeOutput, SizesStayInsideTheExtents) {
    for (const OutputCase& c : kOutputCases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        auto in = rig.Input();
        Pub(in).dmFields = kDmPaperSize | kDmPaperWidth | kDmPaperLength;
        Pub(in).dmPaperSize = c.original, Pub(in).dmPaperWidth = 1234, Pub(in).dmPaperLength = 2345;
        PrivateSettings& p = Priv(in);
        p.outputSize = c.outputSize, p.outputWidth_mm = c.widthMm, p.outputLength_mm = c.lengthMm;
        p.outputWidth_mm_CustomPaper = c.customWidthMm, p.outputLength_mm_CustomPaper = c.customLengthMm;
        auto out = rig.Resolve(in.data());
        const PrivateSettings& g = out->dm.priv;
        EXPECT_EQ((Row{c.wantSize, c.wantWidth, c.wantLength, c.wantCustomWidth, c.wantCustomLength}),
                  (Row{g.outputSize, g.outputWidth_mm, g.outputLength_mm, g.outputWidth_mm_CustomPaper,
                       g.outputLength_mm_CustomPaper}));
    }
}

// The public part rebuilt from the record after the merge.
TEST(Merge, PublicAreaTable) {
    const struct { const char* what; uint8_t mode, smoothing, quality; int16_t wantColor, wantQuality, wantY; }
        cases[] = {
        {"monochrome", 2, 0, 1, 1, 300, 300},
        {"high resolution", 0, 0, 2, 2, 300, 600},
        {"smoothing, high resolution", 7, 2, 2, 2, 900, 900},
        {"smoothing", 0, 2, 1, 2, 600, 600},
        {"other smoothing, high resolution", 2, 1, 2, 1, 300, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        auto in = rig.Input();
        Pub(in).dmFields = kDmColor, Pub(in).dmColor = 2, Pub(in).dmPrintQuality = 1, Pub(in).dmYResolution = 1;
        Priv(in).colorMode = c.mode, Priv(in).textSmoothing = c.smoothing, Priv(in).imageQuality = c.quality;
        auto out = rig.Resolve(in.data());
        const PublicDevMode& o = out->dm.pub;
        const PrivateSettings& p = out->dm.priv;
        EXPECT_EQ((Row{c.wantColor, c.wantQuality, c.wantY, kDriverDmFields, kSpecVersion, 100, 1, p.copies,
                       p.inputTray, p.paperType, p.duplexType}),
                  (Row{o.dmColor, o.dmPrintQuality, o.dmYResolution, o.dmFields, o.dmSpecVersion, o.dmScale,
                       o.dmCollate, o.dmCopies, static_cast<uint16_t>(o.dmDefaultSource), o.dmMediaType,
                       static_cast<uint16_t>(o.dmDuplex)}));
    }
}

// A custom original from the stored record: its sizes, rounded to 0.1 mm,
// or 1480 x 1480 when one is not positive.
TEST(Merge, CustomOriginalInThePublicArea) {
    const struct { int32_t widthMm, lengthMm; int16_t wantWidth, wantLength; } cases[] = {
        {20000, 30000, 2000, 3000}, {30000, 20000, 2000, 3000}, {20004, 30005, 2000, 3001},
        {0, 30000, 1480, 1480},
    };
    for (const auto& c : cases) {
        Rig rig;
        PrivateSettings& s = rig.base->dm.priv;
        s.originalSize = 256, s.originalWidth_mm_CustomPaper = c.widthMm, s.originalLength_mm_CustomPaper = c.lengthMm;
        rig.Store();
        auto in = rig.Input();
        Pub(in).dmFields = 0;  // nothing public changes the paper
        auto out = rig.Resolve(in.data());
        const PublicDevMode& o = out->dm.pub;
        EXPECT_EQ((Row{256, c.wantWidth, c.wantLength}), (Row{o.dmPaperSize, o.dmPaperWidth, o.dmPaperLength}))
            << c.widthMm << "x" << c.lengthMm;
    }
}

// The job identity: a shared printer seen from a client locks the owner to
// the logged-on user and refills the names; otherwise the caller's stand.
TEST(Merge, JobIdentityTable) {
    const struct { const char* what; const char16_t* serverName; int cluster; uint8_t callerLocked, wantLocked;
                   const char16_t* wantLogin; bool wantSystemNames; } cases[] = {
        {"local printer, locked record", u"", 0, 1, 1, u"alice", false},
        {"local printer, unlocked record", u"", 0, 0, 0, u"alice", true},
        {"shared printer on a client", u"\\\\srv", 0, 0, 1, u"tester", true},
        {"cluster node", u"\\\\srv", 1, 1, 1, u"alice", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.fake.spooler.Printer(u"P1")->info.serverName = c.serverName;
        rig.fake.host.clusterAvailable = c.cluster;
        rig.fake.host.userName = u"tester", rig.fake.host.computerName = u"WS-7";
        auto in = rig.Input();
        PrivateSettings& p = Priv(in);
        p.userNameLocked = c.callerLocked;
        PutText(p.loginUserName, 21, u"alice");
        PutText(p.computerName, 256, u"PC-ALICE");
        PutText(p.userName, 256, u"alice");
        PutText(p.printerDisplayName, 128, u"Old name");
        auto out = rig.Resolve(in.data());
        const PrivateSettings& got = out->dm.priv;
        EXPECT_EQ(c.wantLocked, got.userNameLocked);
        using Names = std::vector<std::u16string>;
        EXPECT_EQ((c.wantSystemNames ? Names{c.wantLogin, u"WS-7", u"tester", u"P1"}
                                     : Names{c.wantLogin, u"PC-ALICE", u"alice", u"Old name"}),
                  (Names{got.loginUserName, got.computerName, got.userName, got.printerDisplayName}));
    }
}

// The header ticket comes from the caller; one of another version is marked.
TEST(Merge, HeaderTicketTable) {
    const struct { uint16_t version; uint8_t status, want; } cases[] = {{3, 0, 0}, {2, 0, 1}, {3, 7, 7}};
    for (const auto& c : cases) {
        Rig rig;
        auto in = rig.Input();
        PrivateSettings& p = Priv(in);
        p.ticketVersion = c.version, p.ticketStatus = c.status, p.ticketKind = 0;
        p.ticketData[100] = 0x42, p.reservedHeader[3] = 0x43, p.headerValue[8] = 0x12345678;
        auto out = rig.Resolve(in.data());
        const PrivateSettings& g = out->dm.priv;
        EXPECT_EQ((Row{c.version, c.want, 0x42, 0x43, 0x12345678}),
                  (Row{g.ticketVersion, g.ticketStatus, g.ticketData[100], g.reservedHeader[3], g.headerValue[8]}))
            << "version " << c.version;
    }
}

// The colour mode: the public monochrome choice wins, otherwise the
// caller's private value when DM_COLOR is set and the value is below 8; the
// stored mode is 5.
TEST(Merge, ColorModeTable) {
    const struct { uint32_t fields; int16_t dmColor; uint8_t callerMode, want; } cases[] = {
        {kDmColor, 1, 0, 2}, {kDmColor, 2, 0, 0}, {kDmColor, 2, 7, 7}, {kDmColor, 2, 8, 5}, {0, 1, 3, 5},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.base->dm.priv.colorMode = 5;
        rig.Store();
        auto in = rig.Input();
        Pub(in).dmFields = c.fields, Pub(in).dmColor = c.dmColor, Priv(in).colorMode = c.callerMode;
        auto out = rig.Resolve(in.data());
        EXPECT_EQ(c.want, out->dm.priv.colorMode)
            << "fields " << c.fields << " dmColor " << c.dmColor << " caller " << int(c.callerMode);
        EXPECT_EQ(c.want == 2 ? 1 : 2, out->dm.pub.dmColor);
    }
}

// The device and form names of the rebuilt public part are cut to 31
// characters; the device name ends at the first comma.
TEST(Merge, PublicNamesAreCut) {
    const std::u16string longName = u"Production Inkjet On The Second Floor West";
    const struct { std::u16string printer, wantDevice; } cases[] = {
        {u"Office", u"Office"},
        {u"Office,LocalOnly", u"Office"},
        {longName, longName.substr(0, 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.printer));
        FakePlatformScope fake;
        fake.host.strings[20519] = u"A4 210 x 297 mm (ISO 216 series A)";  // 34 characters
        fake.spooler.AddPrinter(c.printer);
        auto s = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(s.get(), nullptr, nullptr, c.printer.c_str(), nullptr,
                                           kResolveWholeSession, kCallerConvert));
        BuildModelLists(&s->env, nullptr, 0x0409, 1);
        s->env.listsBuilt = 1;
        FakePrinter* p = fake.spooler.Printer(c.printer);
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&s->dm);
        p->info.devMode.assign(dm, dm + sizeof s->dm);
        p->Set(u"PrvEnv", kRegBinary, &s->env, sizeof s->env);
        std::vector<uint8_t> in(dm, dm + sizeof s->dm);
        Pub(in).dmFields = kDmPaperSize;
        Pub(in).dmPaperSize = 9;
        PutText(Pub(in).dmDeviceName, 32, u"");
        auto out = std::make_unique<DriverDevMode>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(out.get(), in.data(), nullptr, c.printer.c_str(), nullptr,
                                           kResolveInBuffer | kResolveOutBuffer, kCallerConvert));
        EXPECT_EQ(c.wantDevice, std::u16string(out->pub.dmDeviceName));
        EXPECT_EQ(u"A4 210 x 297 mm (ISO 216 series", std::u16string(out->pub.dmFormName));
    }
}

// The original paper's log lines name the caller's and the session's paper
// whenever the list or one of the spooler's forms gave one. spoolerForm: the
// spooler holds "Ticket", 123.4 x 234.5 mm; wantSizeLine null: no paper lines.
TEST(Merge, OriginalPaperLogTable) {
    const struct { const char* what; uint32_t fields; int16_t paperSize, width, length; const char16_t* formName;
                   bool spoolerForm; const char* wantSizeLine; const char* wantWidthLine; } cases[] = {
        {"listed id", kDmPaperSize, 9, 0, 0, u"", false, "dmPageSize = [9 / 9]", "dmPageWidth = [0 / 2100]"},
        {"listed size", kDmPaperWidth | kDmPaperLength, 0, 2970, 2100, u"", false, "dmPageSize = [0 / 9]",
         "dmPageWidth = [2970 / 2100]"},
        {"listed form name", kDmFormName, 0, 0, 0, u"B5", false, "dmPageSize = [0 / 13]",
         "dmPageWidth = [0 / 1820]"},
        {"spooler form by size", kDmPaperSize | kDmPaperWidth | kDmPaperLength, 4242, 1230, 2350, u"", true,
         "dmPageSize = [4242 / 256]", "dmPageWidth = [1230 / 1230]"},
        {"spooler form by name", kDmPaperSize | kDmFormName, 4242, 1, 1, u"Ticket", true,
         "dmPageSize = [4242 / 256]", "dmPageWidth = [1 / 1234]"},
        {"no form", kDmPaperSize | kDmPaperWidth | kDmPaperLength, 4242, 1230, 2350, u"", false, nullptr, nullptr},
        {"custom id", kDmPaperSize | kDmPaperWidth | kDmPaperLength, 256, 1230, 2350, u"", true, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        if (c.spoolerForm)
            rig.fake.spooler.Printer(u"P1")->forms.push_back({0, u"Ticket", 123400, 234500, 0, 0, 123400, 234500});
        auto in = rig.Input();
        PublicDevMode& pub = Pub(in);
        pub.dmFields = c.fields, pub.dmPaperSize = c.paperSize, pub.dmPaperWidth = c.width;
        pub.dmPaperLength = c.length;
        PutText(pub.dmFormName, 32, c.formName);
        rig.Resolve(in.data());
        EXPECT_EQ(c.wantSizeLine != nullptr, rig.Logged("_UdcMergeSelfDMode, mergeOriginalPaper_public"));
        EXPECT_TRUE(!c.wantSizeLine || (rig.Logged(c.wantSizeLine) && rig.Logged(c.wantWidthLine)));
    }
}

// Before Windows Vista a DEVMODE made for another printer name keeps its
// device-name fault, and is then merged through the scratch copy.
TEST(Merge, DeviceNameFaultOnlyBeforeVista) {
    const struct { uint32_t major, minor; const char16_t* device; int wantMask; } cases[] = {
        {6, 0, u"Other", 0}, {5, 1, u"Other", 32}, {5, 1, u"P1,Port", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Narrow(c.device) << " on " << c.major << "." << c.minor);
        Rig rig;
        rig.fake.host.verifyVersion.major = rig.fake.host.versionEx.major = c.major;
        rig.fake.host.verifyVersion.minor = rig.fake.host.versionEx.minor = c.minor;
        auto in = rig.Input();
        PutText(Pub(in).dmDeviceName, 32, c.device);
        Priv(in).staple = 20;
        auto out = rig.Resolve(in.data());
        EXPECT_TRUE(rig.Logged(("iDMoodeChkFlags=" + std::to_string(c.wantMask) + "\n").c_str()));
        EXPECT_TRUE(rig.Logged("bDocMerge=TRUE"));
        EXPECT_EQ(20, out->dm.priv.staple);
        EXPECT_EQ(u"P1", std::u16string(out->dm.pub.dmDeviceName));
    }
}

}  // namespace
