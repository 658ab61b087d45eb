// The model's paper, media-type and tray lists inside the environment record
// and the lookups over them.
#include "session/global_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "base/tray_ids.h"
#include "session/session_load.h"
#include "platform/fake_platform.h"
#include "rules/resolve.h"
#include "settings/printer_rig.h"

namespace {

std::unique_ptr<PrinterEnvironment> NewEnvironment(uint8_t inputUnit = 0) {
    auto env = std::make_unique<PrinterEnvironment>();
    env->inputUnit_Option = inputUnit;
    return env;
}

const BuiltinPaper* Builtin(uint32_t id) {
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == id) return &kBuiltinPapers[i];
    return nullptr;
}

// Ids of the paper list up to the terminator; -1 entries mark a list that
// ran off the end without one.
std::vector<uint32_t> PaperIds(const PrinterEnvironment& env) {
    std::vector<uint32_t> ids;
    for (int i = 0; i < kPaperSlots; i++) {
        if (env.paperList[i].id == kPaperListEnd) return ids;
        ids.push_back(env.paperList[i].id);
    }
    ids.push_back(0xDEAD);  // no terminator
    return ids;
}

// Ids of a media-type or tray list up to its first empty row.
template <class Row, size_t N>
std::vector<uint32_t> Ids(const Row (&rows)[N]) {
    std::vector<uint32_t> ids;
    for (size_t i = 0; i < N && rows[i].id; i++) ids.push_back(rows[i].id);
    return ids;
}

// The tray lists of a printer with the standard feed tray and with the
// high-capacity feeder.
const std::vector<uint32_t> kStandardTrays = {kTrayAuto, kTrayStandardFeed, kTray1, kTray2, kTray3};
const std::vector<uint32_t> kFeederTrays = {kTrayAuto, kTrayHighCapacity, kTray1, kTray2, kTray3};

// modelIds empty: no paper size list; want empty: every built-in row. A full
// model list keeps its last slot for the terminator.
TEST(GlobalList, PaperListTable) {
    const struct { const char* what; bool present; std::vector<uint32_t> modelIds, want; } cases[] = {
        {"no model description", false, {}, {}},
        {"model without a paper list", true, {}, {}},
        {"model order kept", true, {9, 8, 1}, {9, 8, 1}},
        {"unknown id skipped", true, {9, 4242, 8}, {9, 8}},
        {"custom and same-as-original rows", true, {0, 9, 256}, {0, 9, 256}},
        {"full list", true, std::vector<uint32_t>(kPaperSlots, 9), std::vector<uint32_t>(kPaperSlots - 1, 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        auto env = NewEnvironment();
        std::memset(env->paperList, 0x5A, sizeof env->paperList);
        auto model = std::make_unique<ModelListInfo>();
        model->present = c.present;
        model->paperCount = static_cast<int>(c.modelIds.size());
        for (size_t i = 0; i < c.modelIds.size(); i++) model->paperIds[i] = c.modelIds[i];
        BuildModelLists(env.get(), model.get(), 0x0409, 0);

        std::vector<uint32_t> want = c.want;
        const bool everyRow = c.want.empty() && (c.modelIds.empty() || !c.present);
        if (everyRow)
            for (int i = 0; i < kBuiltinPaperCount; i++) want.push_back(kBuiltinPapers[i].id);
        const std::vector<uint32_t> got = PaperIds(*env);
        EXPECT_EQ(want, got);
        // Rows carry the built-in size and name, and the slot after the
        // terminator was cleared with the rest of the list.
        for (size_t i = 0; i < got.size() && i < want.size(); i++) {
            const PaperRow& row = env->paperList[i];
            const BuiltinPaper* b = Builtin(row.id);
            ASSERT_NE(nullptr, b);
            EXPECT_EQ((std::vector<uint32_t>{b->width, b->length, row.id}),
                      (std::vector<uint32_t>{row.width, row.length, row.id2}));
            EXPECT_EQ(std::u16string(b->name), std::u16string(row.name));
        }
        const PaperRow& end = env->paperList[want.size()];
        EXPECT_EQ(0u, end.name[0] | end.width);
        if (want.size() + 1 < kPaperSlots) { EXPECT_EQ(0u, env->paperList[want.size() + 1].id); }
    }
}

// The A4 paper row's two names, tray 1's and media type 258's, from the
// resource module when it is loaded, else the built-in Japanese ones.
TEST(GlobalList, NamesComeFromTheResourceModuleWhenLoaded) {
    using Names = std::vector<std::u16string>;
    const struct { int resourcesLoaded; Names want; } cases[] = {
        {1, {u"A4 sheet", u"A4 (210 x 297)", u"Tray one", u"Plain"}},
        {0, {u"A4", u"A4", u"トレイ１", u"普通紙"}},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        fake.host.strings[20519] = u"A4 sheet", fake.host.strings[20104] = u"A4 (210 x 297)";
        fake.host.strings[20099] = u"Tray one", fake.host.strings[20026] = u"Plain";
        auto env = NewEnvironment();
        BuildModelLists(env.get(), nullptr, 0x0411, c.resourcesLoaded);
        const PaperRow* a4 = PaperRowAt(env.get(), MatchPaperSize(env.get(), 2100, 2970));
        ASSERT_TRUE(a4 && a4->id == 9);
        Names got = {a4->name, a4->secondName, u"-", u"-"};
        for (const TrayRow& t : env->trayList) if (t.id == kTray1) got[2] = t.name;
        for (const MediaRow& m : env->mediaTypeList) if (m.id == 258) got[3] = m.name;
        EXPECT_EQ(c.want, got) << "resources " << c.resourcesLoaded;
    }
}

TEST(GlobalList, MediaListSkipTable) {
    const struct { uint8_t light, rough, press; std::vector<uint32_t> want; } cases[] = {
        {0, 0, 0, {257, 258, 259, 260, 261, 262}},
        {1, 0, 0, {257, 258, 259, 260, 261, 262, 263}},
        {1, 1, 1, {257, 258, 259, 260, 261, 262, 263, 264, 266}},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        auto env = NewEnvironment();
        std::memset(env->mediaTypeList, 0x5A, sizeof env->mediaTypeList);
        env->lightPaperSupport = c.light, env->roughPaperSupport = c.rough, env->pressPaperSupport = c.press;
        BuildModelLists(env.get(), nullptr, 0x0409, 0);
        EXPECT_EQ(c.want, Ids(env->mediaTypeList)) << int(c.light) << int(c.rough) << int(c.press);
        EXPECT_EQ(0, env->mediaTypeList[c.want.size()].name[0]);
        for (uint32_t id : c.want) EXPECT_EQ(1, MediaListContains(env.get(), id));
        EXPECT_EQ(0, MediaListContains(env.get(), 265));
    }
}

TEST(GlobalList, TrayListTable) {
    const struct { const char* what; uint8_t inputUnit; bool present; int singleTray; std::vector<uint32_t> want; }
        cases[] = {
            {"standard feed tray", 0, false, 0, kStandardTrays},
            {"high-capacity feeder", 10, false, 0, kFeederTrays},
            {"single tray model", 0, true, 1, {kTrayStandardFeed}},
            {"single tray model with feeder", 10, true, 1, {kTrayHighCapacity}},
            {"single-tray mark without a model", 0, false, 1, kStandardTrays},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        auto env = NewEnvironment(c.inputUnit);
        std::memset(env->trayList, 0x5A, sizeof env->trayList);
        auto model = std::make_unique<ModelListInfo>();
        model->present = c.present, model->singleTray = c.singleTray;
        BuildModelLists(env.get(), model.get(), 0x0409, 0);
        EXPECT_EQ(c.want, Ids(env->trayList));
        EXPECT_EQ(0, env->trayList[c.want.size()].name[0]);
        EXPECT_EQ(0, TrayListContains(env.get(), kTrayCoverInserter));
    }
}

// trays: the list as built.
TEST(GlobalList, TrayResolutionTable) {
    const struct { const char* what; uint8_t unit; std::vector<uint32_t> trays; uint32_t request, want; } cases[] = {
        {"empty list keeps the request", 0, {}, kTray2, kTray2},
        {"feeder: 257 is 261", 10, kFeederTrays, kTrayStandardFeed, kTrayHighCapacity},
        {"standard: 261 is 257", 0, kStandardTrays, kTrayHighCapacity, kTrayStandardFeed},
        {"listed tray stays", 0, kStandardTrays, kTray2, kTray2},
        {"unlisted behind automatic takes the second", 0, {kTrayAuto, kTrayStandardFeed, kTray1}, kTray3,
         kTrayStandardFeed},
        {"unlisted takes the first when not automatic", 0, {kTray1, kTray2}, kTray3, kTray1},
        {"automatic alone gives the standard tray", 10, {kTrayAuto}, kTray2, kTrayHighCapacity},
        {"automatic alone, other unit", 5, {kTrayAuto}, kTray2, kTrayAuto},
        {"automatic is kept when listed", 0, {kTrayAuto, kTrayStandardFeed}, kTrayAuto, kTrayAuto},
    };
    for (const auto& c : cases) {
        auto env = NewEnvironment(c.unit);
        for (size_t i = 0; i < c.trays.size(); i++) env->trayList[i].id = c.trays[i];
        EXPECT_EQ(c.want, ResolveTray(env.get(), c.request)) << c.what;
    }
}

// bytes: the model's seven default tray codes and the insert tray's.
TEST(GlobalList, DefaultTraysFromTheModel) {
    const struct { uint8_t inputUnit; uint8_t bytes[8]; std::vector<uint32_t> want; } cases[] = {
        {0, {0, 1, 2, 3, 4, 9, 1, 2},
         {kTrayAuto, kTray1, kTray2, kTray3, kTrayStandardFeed, kTrayStandardFeed, kTray1, kTray2}},
        {10, {0, 1, 2, 3, 4, 9, 1, 4},
         {kTrayAuto, kTray1, kTray2, kTray3, kTrayHighCapacity, kTrayHighCapacity, kTray1, kTrayHighCapacity}},
    };
    for (const auto& c : cases) {
        FakePlatformScope fake;
        auto env = NewEnvironment(c.inputUnit);
        auto model = std::make_unique<ModelListInfo>();
        model->present = 1;
        std::memcpy(model->defaultTrayBytes, c.bytes, 8);
        BuildModelLists(env.get(), model.get(), 0x0409, 0);
        std::vector<uint32_t> got(env->defaultTray, env->defaultTray + 7);
        got.push_back(env->insertDefaultTray);
        EXPECT_EQ(c.want, got);
    }
}

// wantId 0: no match.
TEST(GlobalList, SizeMatchTable) {
    const struct { int32_t width, length; uint32_t wantId; } cases[] = {
        {2100, 2970, 9}, {2970, 2100, 9}, {2110, 2980, 9}, {2111, 2970, 0}, {2100, 2981, 0}, {3000, 3000, 0},
        // Sizes at the ends of the range reach the row of any size, never
        // a row by wrapping around.
        {INT32_MIN, INT32_MIN, 0}, {INT32_MAX, INT32_MAX, 0}, {-10, 2970, 0}, {INT32_MAX - 5, INT32_MAX, 0},
    };
    FakePlatformScope fake;
    auto env = NewEnvironment();
    BuildModelLists(env.get(), nullptr, 0x0409, 0);
    // A stored list may hold a row with a size no paper has.
    int last = 0;
    while (PaperRowAt(env.get(), last + 1)) last++;
    PaperRow* huge = &env->paperList[last];
    huge->id = 4242;
    huge->width = 0xFFFFFFF0;
    huge->length = 0x7FFFFFFF;
    for (const auto& c : cases) {
        const int pos = MatchPaperSize(env.get(), c.width, c.length);
        EXPECT_EQ(c.wantId, pos < 0 ? 0 : PaperRowAt(env.get(), pos)->id) << c.width << "x" << c.length;
        EXPECT_EQ(c.wantId == 0, pos == -1) << c.width << "x" << c.length;
    }
}

// wantLanguage 0: lists untouched.
TEST(GlobalList, InitGlobalListTable) {
    const struct { const char* what; const char16_t* printer; bool hasLocale; uint32_t locale, wantLanguage; }
        cases[] = {
        {"printer's language", u"P1", true, 0x0411, 0x0411},
        {"no LocaleID: UI language", u"P1", false, 0, 0x0407},
        {"unknown printer", u"P9", true, 0x0411, 0},
        {"no name", nullptr, true, 0x0411, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        fake.host.uiLanguage = 0x0407;
        FakePrinter& p = fake.spooler.AddPrinter(u"P1");
        if (c.hasLocale) p.SetDword(u"LocaleID", c.locale);
        auto session = std::make_unique<PrinterSession>();
        session->env.languageId = 0x1234;
        InitGlobalList(session.get(), c.printer, 0);
        const PrinterEnvironment& e = session->env;
        EXPECT_EQ((std::vector<uint32_t>{c.wantLanguage ? c.wantLanguage : 0x1234, c.wantLanguage != 0}),
                  (std::vector<uint32_t>{e.languageId, e.paperList[1].id != 0 && TrayListContains(&e, kTray1)}));
        EXPECT_EQ(0, fake.spooler.OpenHandles());
        if (c.printer) { EXPECT_EQ(kPrinterAccessUse, fake.spooler.LastAccess()); }
    }
}

// The lists are built once per printer: a stored environment whose
// lists-built byte is 1 is used as it is.
TEST(GlobalList, NormalizeBuildsTheListsOnce) {
    const struct { const char* what; uint8_t listsBuilt; bool wantBuilt; } cases[] = {
        {"never built", 0, true},
        {"marked built", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrinterRig rig;
        // A stored environment with empty lists shows whether they were rebuilt.
        PrinterEnvironment& stored = rig.base->env;
        std::memset(stored.paperList, 0, sizeof stored.paperList);
        std::memset(stored.trayList, 0, sizeof stored.trayList);
        stored.listsBuilt = c.listsBuilt;
        rig.Store();
        rig.fake.host.ClearDebugLines();
        auto out = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(out.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        EXPECT_EQ(c.wantBuilt, rig.Logged("_UdcNormalizeSelfDMode called InitGlobalList."));
        EXPECT_EQ(c.wantBuilt, TrayListContains(&out->env, kTray1) == 1);
        EXPECT_EQ(c.wantBuilt ? 1 : c.listsBuilt, out->env.listsBuilt);
        // Building the lists does not store the environment.
        const FakeValue* v = rig.fake.spooler.Printer(u"P1")->Find(u"PrvEnv");
        ASSERT_NE(nullptr, v);
        EXPECT_EQ(c.listsBuilt, reinterpret_cast<const PrinterEnvironment*>(v->bytes.data())->listsBuilt);
        EXPECT_EQ(0, rig.fake.spooler.OpenHandles());
    }
}

TEST(GlobalList, NormalizeWithoutSessionOnlyLogs) {
    FakePlatformScope fake;
    _UdcNormalizeSelfDMode(nullptr, nullptr, u"P1", kCallerConvert);
    const auto lines = fake.host.DebugLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, Narrow(lines[0]).find("_UdcNormalizeSelfDMode lpSelpDMode is null."));
    EXPECT_TRUE(fake.spooler.CallLog().empty());
}

}  // namespace
