// The printer data store against the in-memory spooler: which stored forms
// are accepted, what a refused read leaves, and the stored model context.
#include "model/printer_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "session/global_list.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "base/environment.h"

namespace {

PrinterHandle Open(FakePlatformScope& fake, const char16_t* name = u"P") {
    PrinterHandle h = nullptr;
    EXPECT_EQ(1, fake.spooler.OpenPrinter(name, kPrinterAllAccess, &h));
    return h;
}

// bytes: empty with type 0: value absent; wantText: GetPrinterDataString, null: nothing.
struct StoredCase { const char* what; uint32_t type; std::vector<uint8_t> bytes; uint32_t forcedError;
                    uint32_t wantColor; const char* wantText; };

TEST(PrinterData, TypedReadAcceptanceTable) {
    const StoredCase cases[] = {
        {"DWORD", kRegDword, {7, 0, 0, 0}, 0, 7, nullptr},
        {"absent", 0, {}, 0, 15, nullptr},
        {"text", kRegSz, {'7', 0}, 0, 15, "7"},
        {"2-byte binary", kRegBinary, {'a', 0}, 0, 15, "a"},
        {"text without terminator", kRegSz, {'a', 0, 'b', 0}, 0, 15, "ab"},
        {"odd binary size", kRegBinary, {'a', 0, 'b'}, 0, 15, "ab"},
        {"empty", kRegSz, {}, 0, 15, nullptr},
        {"read error", kRegDword, {7, 0, 0, 0}, kErrAccessDenied, 15, nullptr},
    };
    for (const StoredCase& c : cases) {
        FakePlatformScope fake;
        FakePrinter& p = fake.spooler.AddPrinter(u"P");
        for (const char16_t* name : {u"ColorRestriction", u"DefDevmode", u"SnmpCommunityName"}) {
            if (c.type) p.Set(name, c.type, c.bytes.data(), c.bytes.size());
            if (c.forcedError) p.getDataError[name] = c.forcedError;
        }
        PrinterHandle h = Open(fake);
        EXPECT_EQ(c.wantColor, GetColorRestriction(h)) << c.what;
        // No stored form here is a whole binary DEVMODE: the buffer stays.
        std::vector<uint8_t> dm(kDefDevmodeSize, 0xAB);
        EXPECT_EQ(0, GetDefDevmode(h, dm.data())) << c.what;
        EXPECT_EQ(std::vector<uint8_t>(kDefDevmodeSize, 0xAB), dm) << c.what;
        char16_t* text = GetPrinterDataString(h, u"SnmpCommunityName");
        EXPECT_EQ(c.wantText ? std::string(c.wantText) : "(null)", Narrow(text)) << c.what;
        FreePrinterDataString(text);
    }
}

// missing: value erased after the save, or null; wantReads: GetPrinterData calls made.
struct LoadCase { const char* what; const char16_t* missing; uint32_t rdfInfoSize; int wantLoaded; int wantReads; };

TEST(PrinterData, RdfContextSaveLoadTable) {
    const LoadCase cases[] = {
        {"all four", nullptr, kRdfInfoSize, 1, 7},
        {"record too long", nullptr, kRdfInfoSize + 1, 0, 7},
        {"no file path: stops there", u"RdfFile", kRdfInfoSize, 0, 3},
    };
    for (const LoadCase& c : cases) {
        FakePlatformScope fake;
        FakePrinter& p = fake.spooler.AddPrinter(u"P");
        auto saved = std::make_unique<RdfContext>();
        saved->PrinterName = const_cast<char16_t*>(u"P");
        saved->RdfFile = const_cast<char16_t*>(u"C:\\m.rdf");
        saved->DeviceName = const_cast<char16_t*>(u"Dev");
        for (int i = 0; i < kRdfListSlots; i++) saved->info.PaperSizeList[i] = static_cast<uint16_t>(i * 3);
        ASSERT_EQ(1, SaveRdfContext(saved.get())) << c.what;
        if (c.missing) p.Erase(c.missing);
        std::vector<uint8_t> record = p.Find(u"RdfInfo")->bytes;
        record.resize(c.rdfInfoSize, 0);
        p.SetBinary(u"RdfInfo", record);
        fake.spooler.ClearCallLog();

        auto ctx = std::make_unique<RdfContext>();
        ctx->PrinterName = const_cast<char16_t*>(u"P");
        EXPECT_EQ(c.wantLoaded, LoadRdfContext(ctx.get(), nullptr)) << c.what;
        int reads = 0;
        for (const std::string& call : fake.spooler.CallLog()) reads += call.rfind("GetPrinterData ", 0) == 0;
        EXPECT_EQ(c.wantReads, reads) << c.what;
        EXPECT_EQ(c.wantLoaded, std::memcmp(&ctx->info, &saved->info, kRdfInfoSize) == 0) << c.what;
        if (c.wantLoaded) {
            EXPECT_EQ("Dev", Narrow(ctx->DeviceName)) << c.what;
        }
        EXPECT_EQ(0, fake.spooler.OpenHandles()) << c.what;
        ReleaseRdfContext(ctx.get());
        ReleaseRdfContext(ctx.get());
    }
    FakePlatformScope fake;
    RdfContext nowhere = {};
    nowhere.PrinterName = const_cast<char16_t*>(u"Nope");
    EXPECT_EQ(0, SaveRdfContext(&nowhere));
}

// cycle: -1: absent.
struct RetryCase { const char* what; int64_t count, cycle; const char16_t* user; uint32_t wantSlept;
                   const char* wantLine; };

TEST(PrinterData, UserNameRetryTable) {
    const RetryCase cases[] = {
        {"service account", 3, 500, u"SYSTEM", 1500, "retryCnt = 4 / retryCycle = 500"},
        {"real user at once", 3, 500, u"anna", 0, "retryCnt = 4 / retryCycle = 500"},
        {"no cycle", 3, -1, u"SYSTEM", 0, "retryCnt = 1 / retryCycle = 0"},
        {"absurd values capped", 100000, 3600000, u"SYSTEM", 1000000, "retryCnt = 101 / retryCycle = 10000"},
    };
    for (const RetryCase& c : cases) {
        FakePlatformScope fake;
        FakePrinter& p = fake.spooler.AddPrinter(u"P");
        if (c.count >= 0) p.SetDword(u"UserNameRetryCount", static_cast<uint32_t>(c.count));
        if (c.cycle >= 0) p.SetDword(u"UserNameRetryCycle", static_cast<uint32_t>(c.cycle));
        fake.host.userName = c.user;
        EXPECT_EQ(c.user, LookUpUserName(nullptr, u"P")) << c.what;
        EXPECT_EQ(c.wantSlept, fake.host.SleptMilliseconds()) << c.what;
        bool logged = false;
        for (const auto& line : fake.host.DebugLines()) logged |= Narrow(line).find(c.wantLine) != std::string::npos;
        EXPECT_TRUE(logged) << c.what;
    }
}

// The stored model drives the paper and tray lists; user papers follow from
// 1000 + slot, holes and papers without a record left out.
TEST(PrinterData, InitGlobalListFollowsTheStoredModel) {
    FakePlatformScope fake;
    FakePrinter& p = fake.spooler.AddPrinter(u"P");
    auto ctx = std::make_unique<RdfContext>();
    ctx->PrinterName = const_cast<char16_t*>(u"P");
    ctx->RdfFile = const_cast<char16_t*>(u"m.rdf");
    ctx->DeviceName = const_cast<char16_t*>(u"Dev");
    const uint16_t listed[] = {9, 4242, 0, 8};
    std::memcpy(ctx->info.PaperSizeList, listed, sizeof listed);
    ctx->info.PaperSizeListSize = 4;
    ctx->info.ModelFS = 1;
    ctx->info.Tray_SlipSheetDefault = 2;  // tray 2 is not on a single-tray model
    ASSERT_EQ(1, SaveRdfContext(ctx.get()));
    std::vector<uint8_t> names(kCustomPaperNamesSize, 0);
    for (int slot : {0, 2, 5}) names[slot * 62] = static_cast<uint8_t>('A' + slot);
    p.SetBinary(u"CustomPaperSizeNames", names);
    const uint32_t paper0[21] = {2100, 2970, 2480, 3508, 0};
    const uint32_t paper2[21] = {850, 1100, 2550, 3300, 1};
    p.Set(u"CustomPaperSize_0", kRegBinary, paper0, sizeof paper0);
    p.Set(u"CustomPaperSize_2", kRegBinary, paper2, sizeof paper2);

    auto session = std::make_unique<PrinterSession>();
    InitGlobalList(session.get(), u"P", 0);
    const PrinterEnvironment& env = session->env;
    std::vector<uint32_t> ids;
    for (int i = 0; i < kPaperSlots && env.paperList[i].id != kPaperListEnd; i++) ids.push_back(env.paperList[i].id);
    EXPECT_EQ(std::vector<uint32_t>({9, 0, 8, 1000, 1002}), ids);
    EXPECT_EQ(2100u, env.paperList[3].width);
    EXPECT_EQ(2794u, env.paperList[4].length);
    EXPECT_EQ("C", Narrow(env.paperList[4].secondName));
    EXPECT_EQ(257u, env.trayList[0].id);  // single tray
    EXPECT_EQ(0u, env.trayList[1].id);
    EXPECT_EQ(257u, env.defaultTray[1]);
    EXPECT_EQ(0, fake.spooler.OpenHandles());
}

}  // namespace
