// DrvConvertDevMode and the resolution flags under it: argument checks with
// their last-error codes, size reporting, and what each flag copies out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "settings/printer_rig.h"

namespace {

constexpr uint32_t kPoison = 0xdeadbeef;
constexpr uint32_t kAny = 0xFFFFFFFF;  // not checked
constexpr uint8_t kCanary = 0xCC;

// A printer with an offset staple tray (the device rules keep stapling)
// whose stored DEVMODE is a fresh record with staple 0, and a caller's
// DEVMODE that asks for staple 20.
struct Rig : PrinterRig {
    std::vector<uint8_t> input = Input();
    Rig() { reinterpret_cast<DriverDevMode*>(input.data())->priv.staple = 20; }
};

enum class Buf { Null, Given };

// wantError and wantSize kAny: not checked; wantMerged: the caller's staple reached the output.
struct ConvertCase { const char* what; const char16_t* printer; Buf in, out; bool sizePointer; uint32_t size, mode; int wantResult; uint32_t wantError, wantSize; bool wantMerged; };

const ConvertCase kConvertCases[] = {
    {"convert, exact size", u"P1", Buf::Given, Buf::Given, true, 19040, kCdmConvert, 1, kAny, 19040, true},
    {"convert, larger size", u"P1", Buf::Given, Buf::Given, true, 20000, kCdmConvert, 1, kAny, 19040, true},
    {"convert, one byte short", u"P1", Buf::Given, Buf::Given, true, 19039, kCdmConvert, 0, 122, 19039, false},
    {"convert, no input", u"P1", Buf::Null, Buf::Given, true, 19040, kCdmConvert, 0, 87, 19040, false},
    {"convert, no output", u"P1", Buf::Given, Buf::Null, true, 19040, kCdmConvert, 0, 87, 19040, false},
    {"convert, no size", u"P1", Buf::Given, Buf::Given, false, 0, kCdmConvert, 0, 87, kAny, false},
    {"convert, unknown printer", u"P9", Buf::Given, Buf::Given, true, 19040, kCdmConvert, 0, 87, kAny, false},
    {"default, exact size", u"P1", Buf::Null, Buf::Given, true, 19040, kCdmDriverDefault, 1, kAny, 19040, false},
    {"default ignores an input", u"P1", Buf::Given, Buf::Given, true, 19040, kCdmDriverDefault, 1, kAny, 19040, false},
    {"default, one byte short", u"P1", Buf::Null, Buf::Given, true, 19039, kCdmDriverDefault, 0, 122, 19040, false},
    {"default, no output", u"P1", Buf::Null, Buf::Null, true, 19040, kCdmDriverDefault, 0, 122, 19040, false},
    {"default, no size", u"P1", Buf::Null, Buf::Given, false, 0, kCdmDriverDefault, 0, 87, kAny, false},
    {"convert351", u"P1", Buf::Given, Buf::Given, true, 19040, kCdmConvert351, 0, 87, 19040, false},
    {"mode 3", u"P1", Buf::Given, Buf::Given, true, 19040, 3, 0, 87, 19040, false},
};

TEST(ConvertDevMode, ChecksArgumentsAndReportsSize) {
    for (const ConvertCase& c : kConvertCases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        std::vector<uint8_t> out(kDriverDevModeSize + 64, kCanary);
        uint32_t size = c.size;
        rig.fake.host.SetLastError(kPoison);
        int rc = DrvConvertDevModeCore(c.printer, c.in == Buf::Given ? rig.input.data() : nullptr,
                                       c.out == Buf::Given ? out.data() : nullptr, c.sizePointer ? &size : nullptr, c.mode);
        EXPECT_EQ(c.wantResult, rc);
        if (c.wantError != kAny) { EXPECT_EQ(c.wantError, rig.fake.host.GetLastError()); }
        if (c.wantSize != kAny) { EXPECT_EQ(c.wantSize, size); }
        EXPECT_EQ(0, rig.fake.spooler.OpenHandles());
        EXPECT_EQ(0, rig.fake.spooler.BadCloses());
        EXPECT_EQ(kCanary, out[kDriverDevModeSize]) << "wrote past 19040 bytes";
        if (!rc) {
            EXPECT_EQ(kCanary, out[0]) << "a failed call wrote the output";
            continue;
        }
        const DriverDevMode* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(220, dm->pub.dmSize);
        EXPECT_EQ(kPrivateSize, dm->pub.dmDriverExtra);
        EXPECT_EQ(kDriverVersion, dm->pub.dmDriverVersion);
        EXPECT_EQ(kTrailingMagic, dm->priv.trailingMagic);
        EXPECT_EQ(0, std::memcmp(dm->priv.signature, u"JUP/CS", 12));
        EXPECT_EQ(c.wantMerged ? 20 : 0, dm->priv.staple);
    }
}

// What each resolution flag does. wantWritten: bytes of the output written;
// wantStored: "PrvEnv" written back as it was read, and the change broadcast.
struct FlagsCase { const char* what; uint32_t flags; bool withInput; uint32_t wantResult; size_t wantWritten; bool wantMerged, wantStored; };

const FlagsCase kFlagsCases[] = {
    {"flags 0 asks the session size", 0, true, kSessionSize, 0, false, false},
    {"out buffer", kResolveOutBuffer, false, 1, kDriverDevModeSize, false, false},
    {"in and out (10)", kResolveInBuffer | kResolveOutBuffer, true, 1, kDriverDevModeSize, true, false},
    {"0x2000 merges like 8", kResolveInput | kResolveOutBuffer, true, 1, kDriverDevModeSize, true, false},
    {"in without out", kResolveInBuffer, true, 1, 0, false, false},
    {"whole session", kResolveWholeSession, false, 1, kSessionSize, false, false},
    {"whole session merged (4104)", kResolveWholeSession | kResolveInBuffer, true, 1, kSessionSize, true, false},
    {"update", kResolveUpdate, false, 1, 0, false, true},
    {"in buffer without an input", kResolveInBuffer | kResolveOutBuffer, false, 1, kDriverDevModeSize, false, false},
};

TEST(ResolveFlags, CopiesOutWhatWasAsked) {
    for (const FlagsCase& c : kFlagsCases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        // A stored environment no default resembles, so that a rebuilt one shows.
        rig.base->env.wakeUpTarget = 3;
        rig.fake.spooler.Printer(u"P1")->Set(u"PrvEnv", kRegBinary, &rig.base->env, sizeof rig.base->env);
        std::vector<uint8_t> out(kSessionSize + 64, kCanary);
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, rig.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        rig.fake.spooler.ClearCallLog();
        EXPECT_EQ(c.wantResult, _UdcResolveSelfDMode(out.data(), c.withInput ? rig.input.data() : nullptr, h, u"P1",
                                                     nullptr, c.flags, kCallerConvert));
        rig.fake.spooler.ClosePrinter(h);
        if (c.flags == 0) { EXPECT_EQ(1u, rig.fake.spooler.CallLog().size()) << "only the close expected"; }
        if (c.wantWritten == 0) {
            EXPECT_EQ(kCanary, out[0]);
        } else {
            EXPECT_NE(kCanary, out[0]);
            EXPECT_EQ(kCanary, out[c.wantWritten]) << "wrote past " << c.wantWritten;
            const DriverDevMode* dm = reinterpret_cast<const DriverDevMode*>(out.data());
            EXPECT_EQ(c.wantMerged ? 20 : 0, dm->priv.staple);
            EXPECT_EQ(kTrailingMagic, dm->priv.trailingMagic);
        }
        if (c.wantWritten == kSessionSize) {
            const PrinterSession* s = reinterpret_cast<const PrinterSession*>(out.data());
            EXPECT_EQ(1, s->env.listsBuilt);
            EXPECT_EQ(1, TrayListContains(&s->env, kTray1));
        }
        EXPECT_EQ(c.wantStored ? 1 : 0, rig.fake.spooler.CountCalls("SetPrinterData PrvEnv"));
        EXPECT_EQ(c.wantStored ? 1 : 0, rig.fake.spooler.Broadcasts());
        if (c.wantStored) {
            const std::vector<std::string> log = rig.fake.spooler.CallLog();
            auto set = std::find(log.begin(), log.end(), "SetPrinterData PrvEnv");
            auto broadcast = std::find(log.begin(), log.end(), "BroadcastDevModeChange P1");
            EXPECT_LT(set, broadcast) << "broadcast before the store";
            const FakeValue* v = rig.fake.spooler.Printer(u"P1")->Find(u"PrvEnv");
            ASSERT_NE(nullptr, v);
            EXPECT_EQ(kRegBinary, v->type);
            ASSERT_EQ(kEnvironmentSize, v->bytes.size());
            EXPECT_EQ(0, std::memcmp(v->bytes.data(), &rig.base->env, kEnvironmentSize));
        }
        EXPECT_EQ(0, rig.fake.spooler.OpenHandles());
    }
}

}  // namespace
