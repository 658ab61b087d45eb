// Resetting settings and the environment from what the printer stores: the
// stored defaults, the printer's own DEVMODE and the installation's
// environment, whole, missing, truncated, of another type or full of values
// no printer knows.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rules/rule_session.h"
#include "rules/settings_application.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Record(const RuleSession& r) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&r.s->dm);
    return Bytes(b, b + sizeof r.s->dm);
}
PrivateSettings& Priv(Bytes& b) { return *reinterpret_cast<PrivateSettings*>(b.data() + sizeof(PublicDevMode)); }

// Every checked field holds an accepted value or its factory value (or 0,
// which is what the each-or-zero rule gives).
void ExpectFits(const char* what, const PrivateSettings& got, const PrivateSettings& factory) {
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& row = PrivateFieldTable()[i];
        if (row.merge != MergeKind::Ranges && row.merge != MergeKind::Clamp && row.merge != MergeKind::EachOrZero)
            continue;
        for (int e = 0; e < row.count; e++) {
            int64_t v = ReadFieldElement(row, &got, e);
            bool zero = row.merge == MergeKind::EachOrZero && v == 0;
            EXPECT_TRUE(FieldAccepts(row, v) || zero || v == ReadFieldElement(row, &factory, e))
                << what << ": " << row.name;
        }
    }
    EXPECT_EQ(0, std::memcmp(got.signature, u"JUP/CS", 12)) << what;
    EXPECT_EQ(kTrailingMagic, got.trailingMagic) << what;
    EXPECT_TRUE(got.duplexType >= 1 && got.duplexType <= 3) << what;
    EXPECT_LT(got.colorMode, 8) << what;
}

// stored null: nothing stored; want: after the reset; wantResolved: after the
// record went through a resolution.
struct StoredCase { const char* what; std::function<void(PrinterEnvironment&)> env;
                    std::function<void(Bytes&, uint32_t* type)> stored; std::vector<FieldValue> want, wantResolved; };

void Marked(Bytes& b, uint32_t*) {
    Priv(b).scale_Zoom = 150;
    Priv(b).watermarkSupport = 1;
}

// The session holds scale_Zoom 77 and copies 5 before each reset.
const StoredCase kStoredCases[] = {
    {"nothing stored: record as it was", nullptr, nullptr, {{"scale_Zoom", 0, 77}, {"copies", 0, 5}}, {}},
    {"stored defaults taken", nullptr, Marked, {{"scale_Zoom", 0, 150}, {"watermarkSupport", 0, 1}},
     {{"scale_Zoom", 0, 150}}},
    {"truncated by one byte", nullptr, [](Bytes& b, uint32_t* t) { Marked(b, t); b.pop_back(); },
     {{"scale_Zoom", 0, 77}, {"copies", 0, 5}}, {}},
    {"stored as text", nullptr, [](Bytes& b, uint32_t* t) { Marked(b, t); *t = kRegSz; },
     {{"scale_Zoom", 0, 77}}, {}},
    // Read as stored; a resolution's accepted values and the device rules
    // fit the record afterwards.
    {"private values out of range",
     nullptr, [](Bytes& b, uint32_t*) {
         std::memset(b.data() + sizeof(PublicDevMode) + 256, 0xFF, kPrivateFieldBytes - 256);
     },
     {{"scale_Zoom", 0, 0xFFFF}}, {{"scale_Zoom", 0, 200}, {"staple", 0, 0}, {"outputTray", 0, 1}}},
    {"every byte 0xFF", nullptr, [](Bytes& b, uint32_t*) { std::memset(b.data(), 0xFF, b.size()); },
     {{"scale_Zoom", 0, 0xFFFF}}, {{"scale_Zoom", 0, 100}, {"copies", 0, 1}}},
    {"output tray of a unit the printer lacks", [](PrinterEnvironment& e) { e.outputUnit_Option = 0; },
     [](Bytes& b, uint32_t*) { Priv(b).outputTray = 4; }, {{"outputTray", 0, 1}, {"faceUpDown_OutputTray", 0, 2}},
     {{"outputTray", 0, 1}}},
    {"original size from the environment", [](PrinterEnvironment& e) { e.defaultPaper[0] = 8; },
     [](Bytes& b, uint32_t*) { Priv(b).originalSize = 9; }, {{"originalSize", 0, 8}}, {}},
    {"feeder: program-print slip sheets from it", [](PrinterEnvironment& e) { e.inputUnit_Option = 10; },
     [](Bytes& b, uint32_t*) { Priv(b).tray_SlipSheet_ProgramPrint = 258; },
     {{"tray_SlipSheet_ProgramPrint", 0, 261}}, {}},
    {"regional inch model: mail forms", [](PrinterEnvironment& e) { e.localArea = 1; e.unitOfLength = 1; },
     [](Bytes& b, uint32_t*) { Priv(b).form_Envelope_MailMaking = 2; },
     {{"form_Envelope_MailMaking", 0, 3}, {"size_Insert_MailMaking", 0, 1}}, {}},
};

TEST(StoredDefaults, ReadOverTheRecordAndFittedWhenResolved) {
    for (const StoredCase& c : kStoredCases) {
        SCOPED_TRACE(c.what);
        RuleSession r;
        if (c.env) c.env(r.s->env);
        FakePrinter* printer = r.fake.spooler.Printer(u"P1");
        printer->Set(u"PrvEnv", kRegBinary, &r.s->env, sizeof r.s->env);
        const PrivateSettings factory = r.s->dm.priv;
        if (c.stored) {
            Bytes b = Record(r);
            uint32_t type = kRegBinary;
            c.stored(b, &type);
            printer->Set(u"DefDevmode", type, b.data(), b.size());
        }
        r.p().scale_Zoom = 77;
        r.p().copies = 5;
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, r.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        EXPECT_EQ(1, ResetPrivateSettings(r.s.get(), h, 1));
        r.Expect(c.what, c.want);
        EXPECT_EQ(4, r.s->env.printCheckLevel);

        // The record handed back in, as a sheet's result is: room to spare for
        // a header that claims more than it holds.
        Bytes in(2 * 65536, 0);
        std::memcpy(in.data(), &r.s->dm, sizeof r.s->dm);
        auto out = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(out.get(), in.data(), h, u"P1", nullptr,
                                           kResolveInBuffer | kResolveWholeSession, kCallerConvert));
        r.fake.spooler.ClosePrinter(h);
        r.s.swap(out);
        r.Expect(c.what, c.wantResolved);
        ExpectFits(c.what, r.p(), factory);
    }
}

// A stored environment's paper list may hold any size; the record's 0.01 mm
// fields take the largest they can carry instead of wrapping.
TEST(FactoryDefaults, DefaultPaperLargerThanAFieldHoldsSaturates) {
    RuleSession r;
    PrinterEnvironment& e = r.s->env;
    e.paperList[0].id = 9;
    e.paperList[0].width = 0xC5C5C5C5;
    e.paperList[0].length = 0x7FFFFFFF;
    e.defaultPaper[0] = e.defaultPaper[2] = 9;
    ResetPrivateSettings(r.s.get(), nullptr, 0);
    r.Expect("saturated", {{"outputWidth_mm", 0, INT32_MAX}, {"outputLength_mm_CustomPaper", 0, INT32_MAX}});
}

// Mode 2: the printer's own DEVMODE, its private part found wherever the
// signature lies.
TEST(PrinterDevMode, TakesThePrivatePartWhereTheSignatureIs) {
    // shift: bytes before the private record.
    struct { const char* what; size_t shift; uint16_t dmSize; bool present; int result; bool taken; } cases[] = {
        {"signature at the start", 0, 220, true, 1, true},
        {"signature at offset 40", 40, 220, true, 1, true},
        {"public part of 156 bytes", 0, 156, true, 1, false},
        {"no DEVMODE", 0, 220, false, 0, false},
    };
    for (const auto& c : cases) {
        RuleSession r;
        Bytes own = Record(r);
        Priv(own).scale_Zoom = 150;
        reinterpret_cast<PublicDevMode*>(own.data())->dmCopies = 4;
        Bytes stored(own.begin(), own.begin() + sizeof(PublicDevMode));
        stored.insert(stored.end(), c.shift, 0x5A);
        stored.insert(stored.end(), own.begin() + sizeof(PublicDevMode), own.end());
        auto* pub = reinterpret_cast<PublicDevMode*>(stored.data());
        pub->dmDriverExtra = static_cast<uint16_t>(kPrivateSize + c.shift);
        pub->dmSize = c.dmSize;
        if (c.present) r.fake.spooler.Printer(u"P1")->info.devMode = stored;
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, r.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        EXPECT_EQ(c.result, ResetPrivateSettings(r.s.get(), h, 2)) << c.what;
        r.fake.spooler.ClosePrinter(h);
        EXPECT_EQ(c.taken ? 150 : 100, r.p().scale_Zoom) << c.what;
        EXPECT_EQ(c.taken ? 4 : 1, r.s->dm.pub.dmCopies) << c.what;
        EXPECT_EQ(kPrivateSize, r.s->dm.pub.dmDriverExtra) << c.what;
    }
}

// "DefEnv": taken whole when it is one; options no printer has go back to
// "not installed", the lists are rebuilt, and the settings still fit.
TEST(InstallationEnvironment, ChecksWhatItLoads) {
    // wantUnit: the output unit a loaded environment has.
    struct { const char* what; std::function<void(Bytes&)> stored; bool loaded; int wantUnit; } cases[] = {
        {"nothing stored", nullptr, false, -1},
        {"truncated", [](Bytes& b) { b.resize(b.size() - 8); }, false, -1},
        {"installation values",
         [](Bytes& b) { reinterpret_cast<PrinterEnvironment*>(b.data())->outputUnit_Option = 22; }, true, 22},
        {"every byte 0xFF", [](Bytes& b) { std::memset(b.data(), 0xFF, b.size()); }, true, -1},
    };
    for (const auto& c : cases) {
        RuleSession r;
        const PrinterEnvironment before = r.s->env;
        if (c.stored) {
            Bytes b(reinterpret_cast<const uint8_t*>(&before), reinterpret_cast<const uint8_t*>(&before + 1));
            c.stored(b);
            r.fake.spooler.Printer(u"P1")->SetBinary(u"DefEnv", b);
        }
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, r.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        ResetEnvironment(r.s.get(), h, 1);
        const PrinterEnvironment& e = r.s->env;
        if (!c.loaded) {
            EXPECT_EQ(0, std::memcmp(&before, &e, sizeof e)) << c.what;
        } else {
            EXPECT_TRUE(e.inputUnit_Option == 0 || e.inputUnit_Option == 10) << c.what;
            EXPECT_TRUE(e.outputUnit_Option == 0 || (e.outputUnit_Option >= 20 && e.outputUnit_Option <= 26)) << c.what;
            EXPECT_TRUE(c.wantUnit < 0 || e.outputUnit_Option == c.wantUnit) << c.what;
            EXPECT_LE(e.foldUnit_Option, 1) << c.what;
            EXPECT_LE(e.unitOfLength, 1) << c.what;
            EXPECT_TRUE(e.defaultPaperType >= 257 && e.defaultPaperType <= 267) << c.what;
            EXPECT_EQ(0, e.macAddress[17]) << c.what;
            EXPECT_EQ(0, e.listsBuilt) << c.what;
            // Settings made on it fit it, but for the default image quality,
            // which is taken as the environment states it and judged when
            // the record is checked.
            const PrivateSettings factory = r.s->dm.priv;
            ResetPrivateSettings(r.s.get(), h, 0);
            ApplyDeviceRestrictions(r.s.get(), h);
            EXPECT_EQ(static_cast<uint8_t>(e.imageQualityDefault), r.p().imageQuality) << c.what;
            r.p().imageQuality = factory.imageQuality;
            ExpectFits(c.what, r.p(), factory);
        }
        r.fake.spooler.ClosePrinter(h);
    }
}

}  // namespace
