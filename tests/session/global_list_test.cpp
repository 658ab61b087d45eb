// The model's paper, media-type and tray lists inside the environment record
// and the lookups over them.
#include "session/global_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "session/session_load.h"
#include "platform/fake_platform.h"
#include "rules/resolve.h"

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

struct PaperCase {
    const char* what; bool present;
    std::vector<uint32_t> modelIds;  // empty: no paper size list
    std::vector<uint32_t> want;      // empty: every built-in row
};

TEST(GlobalList, PaperListTable) {
    const PaperCase cases[] = {
        {"no model description", false, {}, {}},
        {"model without a paper list", true, {}, {}},
        {"model order kept", true, {9, 8, 1}, {9, 8, 1}},
        {"unknown id skipped", true, {9, 4242, 8}, {9, 8}},
        {"only unknown ids", true, {4242, 999}, {}},
        {"custom and same-as-original rows", true, {0, 9, 256}, {0, 9, 256}},
    };
    for (const PaperCase& c : cases) {
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
        EXPECT_EQ(want, got) << c.what;
        // Rows carry the built-in size and name, and the slot after the
        // terminator was cleared with the rest of the list.
        for (size_t i = 0; i < got.size() && i < want.size(); i++) {
            const PaperRow& row = env->paperList[i];
            const BuiltinPaper* b = Builtin(row.id);
            ASSERT_NE(nullptr, b) << c.what;
            EXPECT_EQ(b->width, row.width) << c.what;
            EXPECT_EQ(b->length, row.length) << c.what;
            EXPECT_EQ(row.id, row.id2) << c.what;
            EXPECT_EQ(std::u16string(b->name), std::u16string(row.name)) << c.what;
        }
        const PaperRow& end = env->paperList[want.size()];
        EXPECT_EQ(0, end.name[0]) << c.what;
        EXPECT_EQ(0u, end.width) << c.what;
        EXPECT_EQ(0u, env->paperList[want.size() + 1].id) << c.what;
    }
}

TEST(GlobalList, PaperListKeepsOneSlotForTheTerminator) {
    FakePlatformScope fake;
    auto env = NewEnvironment();
    auto model = std::make_unique<ModelListInfo>();
    model->present = 1;
    model->paperCount = kPaperSlots;
    for (int i = 0; i < kPaperSlots; i++) model->paperIds[i] = 9;
    BuildModelLists(env.get(), model.get(), 0x0409, 0);
    EXPECT_EQ(size_t(kPaperSlots - 1), PaperIds(*env).size());
    EXPECT_EQ(kPaperListEnd, env->paperList[kPaperSlots - 1].id);
}

TEST(GlobalList, NamesComeFromTheResourceModuleWhenLoaded) {
    struct Case {
        int resourcesLoaded; const char16_t* wantName; const char16_t* wantSecond; const char16_t* wantTray;
        const char16_t* wantMedia;
    };
    const Case cases[] = {
        {1, u"A4 sheet", u"A4 (210 x 297)", u"Tray one", u"Plain"},
        {0, u"A4", u"A4", u"トレイ１", u"普通紙"},
    };
    for (const Case& c : cases) {
        FakePlatformScope fake;
        fake.host.strings[20519] = u"A4 sheet";
        fake.host.strings[20104] = u"A4 (210 x 297)";
        fake.host.strings[20099] = u"Tray one";
        fake.host.strings[20026] = u"Plain";
        auto env = NewEnvironment();
        BuildModelLists(env.get(), nullptr, 0x0411, c.resourcesLoaded);
        const PaperRow* a4 = nullptr;
        for (int i = 0; i < kPaperSlots && env->paperList[i].id != kPaperListEnd; i++)
            if (env->paperList[i].id == 9) a4 = &env->paperList[i];
        ASSERT_NE(nullptr, a4);
        EXPECT_EQ(std::u16string(c.wantName), std::u16string(a4->name));
        EXPECT_EQ(std::u16string(c.wantSecond), std::u16string(a4->secondName));
        bool trayFound = false, mediaFound = false;
        for (const TrayRow& t : env->trayList)
            if (t.id == 258) trayFound = std::u16string(c.wantTray) == t.name;
        for (const MediaRow& m : env->mediaTypeList)
            if (m.id == 258) mediaFound = std::u16string(c.wantMedia) == m.name;
        EXPECT_TRUE(trayFound) << "resources " << c.resourcesLoaded;
        EXPECT_TRUE(mediaFound) << "resources " << c.resourcesLoaded;
    }
}

struct MediaCase {
    uint8_t light, rough, press; std::vector<uint32_t> want;
};

TEST(GlobalList, MediaListSkipTable) {
    const MediaCase cases[] = {
        {0, 0, 0, {257, 258, 259, 260, 261, 262}},
        {1, 0, 0, {257, 258, 259, 260, 261, 262, 263}},
        {0, 1, 0, {257, 258, 259, 260, 261, 262, 264}},
        {0, 0, 1, {257, 258, 259, 260, 261, 262, 266}},
        {1, 1, 1, {257, 258, 259, 260, 261, 262, 263, 264, 266}},
    };
    for (const MediaCase& c : cases) {
        FakePlatformScope fake;
        auto env = NewEnvironment();
        std::memset(env->mediaTypeList, 0x5A, sizeof env->mediaTypeList);
        env->lightPaperSupport = c.light;
        env->roughPaperSupport = c.rough;
        env->pressPaperSupport = c.press;
        BuildModelLists(env.get(), nullptr, 0x0409, 0);
        EXPECT_EQ(c.want, Ids(env->mediaTypeList)) << int(c.light) << int(c.rough) << int(c.press);
        EXPECT_EQ(0, env->mediaTypeList[c.want.size()].name[0]);
        for (uint32_t id : c.want) EXPECT_EQ(1, MediaListContains(env.get(), id));
        EXPECT_EQ(0, MediaListContains(env.get(), 265));
    }
}

struct TrayCase {
    const char* what; uint8_t inputUnit; bool present; int singleTray; std::vector<uint32_t> want;
};

TEST(GlobalList, TrayListTable) {
    const TrayCase cases[] = {
        {"standard feed tray", 0, false, 0, {7, 257, 258, 259, 260}},
        {"high-capacity feeder", 10, false, 0, {7, 261, 258, 259, 260}},
        {"other feed unit", 5, false, 0, {7, 257, 258, 259, 260}},
        {"single tray model", 0, true, 1, {257}},
        {"single tray model with feeder", 10, true, 1, {261}},
        {"single-tray mark without a model", 0, false, 1, {7, 257, 258, 259, 260}},
    };
    for (const TrayCase& c : cases) {
        FakePlatformScope fake;
        auto env = NewEnvironment(c.inputUnit);
        std::memset(env->trayList, 0x5A, sizeof env->trayList);
        auto model = std::make_unique<ModelListInfo>();
        model->present = c.present;
        model->singleTray = c.singleTray;
        BuildModelLists(env.get(), model.get(), 0x0409, 0);
        EXPECT_EQ(c.want, Ids(env->trayList)) << c.what;
        EXPECT_EQ(0, env->trayList[c.want.size()].name[0]) << c.what;
        EXPECT_EQ(0, TrayListContains(env.get(), 262)) << c.what;
        if (c.inputUnit == 10) {
            EXPECT_EQ(0, TrayListContains(env.get(), 257)) << c.what;
        }
    }
}

struct ResolveCase {
    const char* what; uint8_t inputUnit;
    std::vector<uint32_t> trays;  // the list as built
    uint32_t request, want;
};

TEST(GlobalList, TrayResolutionTable) {
    const ResolveCase cases[] = {
        {"empty list keeps the request", 0, {}, 259, 259},
        {"empty list keeps 261", 0, {}, 261, 261},
        {"feeder: 257 is 261", 10, {7, 261, 258, 259, 260}, 257, 261},
        {"feeder: 261 stays", 10, {7, 261, 258, 259, 260}, 261, 261},
        {"standard: 261 is 257", 0, {7, 257, 258, 259, 260}, 261, 257},
        {"listed tray stays", 0, {7, 257, 258, 259, 260}, 259, 259},
        {"unlisted behind automatic takes the second", 0, {7, 257, 258}, 260, 257},
        {"unlisted takes the first when not automatic", 0, {258, 259}, 260, 258},
        {"standard tray unlisted takes the first", 0, {258, 259}, 257, 258},
        {"automatic alone gives the standard tray", 10, {7}, 259, 261},
        {"automatic alone, other unit", 5, {7}, 259, 7},
        {"automatic is kept when listed", 0, {7, 257}, 7, 7},
    };
    for (const ResolveCase& c : cases) {
        auto env = NewEnvironment(c.inputUnit);
        for (size_t i = 0; i < c.trays.size(); i++) env->trayList[i].id = c.trays[i];
        EXPECT_EQ(c.want, ResolveTray(env.get(), c.request)) << c.what;
    }
}

struct DefaultTrayCase {
    uint8_t inputUnit; uint8_t bytes[8];
    uint32_t want[8];  // seven default trays, then the insert tray
};

TEST(GlobalList, DefaultTraysFromTheModel) {
    const DefaultTrayCase cases[] = {
        {0, {0, 1, 2, 3, 4, 9, 1, 2}, {7, 258, 259, 260, 257, 257, 258, 259}},
        {10, {0, 1, 2, 3, 4, 9, 1, 4}, {7, 258, 259, 260, 261, 261, 258, 261}},
    };
    for (const DefaultTrayCase& c : cases) {
        FakePlatformScope fake;
        auto env = NewEnvironment(c.inputUnit);
        auto model = std::make_unique<ModelListInfo>();
        model->present = 1;
        std::memcpy(model->defaultTrayBytes, c.bytes, 8);
        BuildModelLists(env.get(), model.get(), 0x0409, 0);
        for (int i = 0; i < 7; i++) EXPECT_EQ(c.want[i], env->defaultTray[i]) << "slot " << i;
        EXPECT_EQ(c.want[7], env->insertDefaultTray);
    }
}

TEST(GlobalList, PaperIndexCountsRowsWithAnId) {
    FakePlatformScope fake;
    auto session = std::make_unique<PrinterSession>();
    BuildModelLists(&session->env, nullptr, 0x0409, 0);
    // The "same as original" row (id 0) is the first built-in row and is not
    // counted, so every later row sits one position earlier than its slot.
    ASSERT_EQ(0u, kBuiltinPapers[0].id);
    for (int slot = 1; slot < kBuiltinPaperCount; slot++) {
        EXPECT_EQ(slot - 1, _UduGetPaperListIndex(session.get(), kBuiltinPapers[slot].id)) << slot;
        const PaperRow* row = PaperRowAt(&session->env, slot - 1);
        ASSERT_NE(nullptr, row);
        EXPECT_EQ(kBuiltinPapers[slot].id, row->id);
    }
    EXPECT_EQ(-1, _UduGetPaperListIndex(session.get(), 0));
    EXPECT_EQ(-1, _UduGetPaperListIndex(session.get(), 4242));
    EXPECT_EQ(nullptr, PaperRowAt(&session->env, kBuiltinPaperCount - 1));
    EXPECT_EQ(nullptr, PaperRowAt(&session->env, -1));
}

struct MatchCase {
    int32_t width, length;
    uint32_t wantId;  // 0: no match
};

TEST(GlobalList, SizeMatchTable) {
    const MatchCase cases[] = {
        {2100, 2970, 9},  {2970, 2100, 9},   {2110, 2980, 9}, {2090, 2960, 9}, {2111, 2970, 0},
        {2100, 2981, 0},  {2159, 2794, 1},   {2794, 2159, 1}, {1000, 1480, 43}, {3000, 3000, 0},
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
    for (const MatchCase& c : cases) {
        int pos = MatchPaperSize(env.get(), c.width, c.length);
        if (c.wantId == 0) {
            EXPECT_EQ(-1, pos) << c.width << "x" << c.length;
            continue;
        }
        const PaperRow* row = PaperRowAt(env.get(), pos);
        ASSERT_NE(nullptr, row) << c.width << "x" << c.length;
        EXPECT_EQ(c.wantId, row->id) << c.width << "x" << c.length;
    }
}

struct InitCase {
    const char* what; const char16_t* printer; bool hasLocale; uint32_t locale;
    uint32_t wantLanguage;  // 0: lists untouched
};

TEST(GlobalList, InitGlobalListTable) {
    const InitCase cases[] = {
        {"printer's language", u"P1", true, 0x0411, 0x0411},
        {"no LocaleID: UI language", u"P1", false, 0, 0x0407},
        {"LocaleID 0: UI language", u"P1", true, 0, 0x0407},
        {"unknown printer", u"P9", true, 0x0411, 0},
        {"no name", nullptr, true, 0x0411, 0},
    };
    for (const InitCase& c : cases) {
        FakePlatformScope fake;
        fake.host.uiLanguage = 0x0407;
        FakePrinter& p = fake.spooler.AddPrinter(u"P1");
        if (c.hasLocale) p.SetDword(u"LocaleID", c.locale);
        auto session = std::make_unique<PrinterSession>();
        session->env.languageId = 0x1234;
        InitGlobalList(session.get(), c.printer, 0);
        if (c.wantLanguage) {
            EXPECT_EQ(c.wantLanguage, session->env.languageId) << c.what;
            EXPECT_LT(0u, PaperIds(session->env).size()) << c.what;
            EXPECT_EQ(1, TrayListContains(&session->env, 258)) << c.what;
        } else {
            EXPECT_EQ(0x1234u, session->env.languageId) << c.what;
            EXPECT_EQ(0u, session->env.paperList[0].id) << c.what;
        }
        EXPECT_EQ(0, fake.spooler.OpenHandles()) << c.what;
        if (c.printer) {
            EXPECT_EQ(kPrinterAccessUse, fake.spooler.LastAccess()) << c.what;
        }
    }
}

// The lists are built once per printer: a stored environment whose
// lists-built byte is 1 is used as it is.
struct NormalizeCase {
    const char* what; uint8_t listsBuilt; bool wantBuilt;
};

TEST(GlobalList, NormalizeBuildsTheListsOnce) {
    const NormalizeCase cases[] = {
        {"never built", 0, true},
        {"marked built", 1, false},
        {"other mark", 2, true},
    };
    for (const NormalizeCase& c : cases) {
        FakePlatformScope fake;
        fake.spooler.AddPrinter(u"P1");
        auto stored = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(stored.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        // A stored environment with empty lists shows whether they were rebuilt.
        std::memset(stored->env.paperList, 0, sizeof stored->env.paperList);
        std::memset(stored->env.trayList, 0, sizeof stored->env.trayList);
        stored->env.listsBuilt = c.listsBuilt;
        FakePrinter* p = fake.spooler.Printer(u"P1");
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&stored->dm);
        p->info.devMode.assign(dm, dm + sizeof stored->dm);
        p->Set(u"PrvEnv", kRegBinary, &stored->env, sizeof stored->env);
        fake.host.ClearDebugLines();

        auto out = std::make_unique<PrinterSession>();
        ASSERT_EQ(1u, _UdcResolveSelfDMode(out.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        bool logged = false;
        for (const auto& line : fake.host.DebugLines())
            logged |= Narrow(line).find("_UdcNormalizeSelfDMode called InitGlobalList.") != std::string::npos;
        EXPECT_EQ(c.wantBuilt, logged) << c.what;
        EXPECT_EQ(c.wantBuilt, TrayListContains(&out->env, 258) == 1) << c.what;
        EXPECT_EQ(c.wantBuilt ? 1 : c.listsBuilt, out->env.listsBuilt) << c.what;
        // Building the lists does not store the environment.
        const FakeValue* v = p->Find(u"PrvEnv");
        ASSERT_NE(nullptr, v);
        EXPECT_EQ(c.listsBuilt, reinterpret_cast<const PrinterEnvironment*>(v->bytes.data())->listsBuilt) << c.what;
        EXPECT_EQ(0, fake.spooler.OpenHandles()) << c.what;
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
