// The capability queries against a printer without a model description and
// against two of our model files (the full colour model and the single-tray
// monochrome one), as the in-memory spooler holds them; the expected lists
// are written out from the model files.
#include "entry/device_capabilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "session/global_list.h"
#include "session/model_list_access.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "platform/fake_profile.h"
#include "rules/resolve.h"

namespace {

// The built-in row of an id (papers, trays or media types).
template <typename Row>
const Row* Find(const Row* rows, int count, uint32_t id) {
    for (int i = 0; i < count; i++)
        if (rows[i].id == id) return &rows[i];
    return nullptr;
}
const BuiltinPaper* Paper(uint32_t id) { return Find(kBuiltinPapers, kBuiltinPaperCount, id); }

// What a printer should report, worked out from its model file alone.
struct Expected {
    std::vector<uint32_t> papers, trays, media;
    uint32_t minExtent[2] = {}, maxExtent[2] = {};
    uint32_t printRate = 0;
};

// Printer "P1" as installation leaves it: the stored settings, an
// environment with the model's extents and print rate whose lists are still
// to be built, and, with a model file, the parsed model stored for it. The
// printer reports light paper where its model allows it.
struct CapsPrinter {
    FakePlatformScope fake;
    FakeProfileScope profile;
    Expected want;
    std::unique_ptr<PrinterSession> stored = std::make_unique<PrinterSession>();

    CapsPrinter(const char* modelFile, const char16_t* section, const Expected& expected) : want(expected) {
        fake.spooler.AddPrinter(u"P1");
        EXPECT_EQ(1u, _UdcResolveSelfDMode(stored.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        if (!modelFile) {
            for (int i = 0; i < kBuiltinPaperCount; i++)
                if (kBuiltinPapers[i].id != 0) want.papers.push_back(kBuiltinPapers[i].id);
        } else {
            LoadModel(modelFile, section);
        }
        stored->env.listsBuilt = 0;
        FakePrinter* p = fake.spooler.Printer(u"P1");
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&stored->dm);
        p->info.devMode.assign(dm, dm + sizeof stored->dm);
        p->Set(u"PrvEnv", kRegBinary, &stored->env, sizeof stored->env);
    }

    void LoadModel(const char* modelFile, const char16_t* section) {
        std::stringstream text;
        text << std::ifstream(std::string(ZR_MODEL_DIR) + "/" + modelFile, std::ios::binary).rdbuf();
        ASSERT_FALSE(text.str().empty()) << modelFile;
        const std::u16string path = u"C:\\drv\\" + U16(modelFile);
        profile.files[path] = text.str();
        auto ctx = std::make_unique<RdfContext>();
        ctx->RdfFile = const_cast<char16_t*>(path.c_str());
        ctx->DeviceName = const_cast<char16_t*>(section);
        ctx->PrinterName = const_cast<char16_t*>(u"P1");
        ASSERT_EQ(1, ReadRdfFile(ctx.get())) << modelFile;
        ASSERT_EQ(1, SaveRdfContext(ctx.get()));
        ApplyRdfDefaults(&stored->env, &ctx->info);
        stored->env.lightPaperSupport = ctx->info.LightPaperEnable;
    }
};

// The bytes a list answer writes.
std::vector<uint8_t> Packed(const std::vector<uint32_t>& values, size_t width) {
    std::vector<uint8_t> b(values.size() * width);
    for (size_t i = 0; i < values.size(); i++) std::memcpy(b.data() + i * width, &values[i], width);
    return b;
}
std::vector<uint8_t> Names(const std::vector<const char16_t*>& names, size_t slot) {
    std::vector<uint8_t> b(names.size() * slot * 2, 0);
    for (size_t i = 0; i < names.size(); i++)
        std::memcpy(b.data() + i * slot * 2, names[i], std::char_traits<char16_t>::length(names[i]) * 2);
    return b;
}

// Fixed answers; an index in neither this table nor the lists answers -1.
const std::map<uint16_t, uint32_t> kFixed = {
    {kDcFields, 0x02019B0F}, {kDcDuplex, 1}, {kDcSize, 220},        {kDcExtra, 18820},       {kDcVersion, 0x0401},
    {kDcDriver, 2020},       {kDcTrueType, 1}, {kDcOrientation, 270}, {kDcCopies, 32767},    {kDcEmfCompliant, 1},
    {kDcCollate, 1},         {kDcPrintRateUnit, 1}, {kDcStaple, 1}, {kDcColorDevice, 1},
};

// The answer (result and bytes written) the printer's model calls for.
std::pair<uint32_t, std::vector<uint8_t>> Want(const Expected& w, uint16_t index, int32_t userW, int32_t userL) {
    std::vector<uint32_t> sizes;
    std::vector<const char16_t*> papers, trays, media;
    for (uint32_t id : w.papers) {
        const BuiltinPaper* p = Paper(id);
        const int32_t a = id == 256 ? userW : static_cast<int32_t>(p->width);
        const int32_t b = id == 256 ? userL : static_cast<int32_t>(p->length);
        sizes.push_back(static_cast<uint32_t>(std::min(a, b)));
        sizes.push_back(static_cast<uint32_t>(std::max(a, b)));
        papers.push_back(p->name);
    }
    for (uint32_t id : w.trays) trays.push_back(Find(kBuiltinTrays, kBuiltinTrayCount, id)->name);
    for (uint32_t id : w.media) media.push_back(Find(kBuiltinMedia, kBuiltinMediaCount, id)->name);
    const uint32_t n = static_cast<uint32_t>(w.papers.size());
    const uint32_t* extent = index == kDcMinExtent ? w.minExtent : w.maxExtent;
    switch (index) {
    case kDcPapers: return {n, Packed(w.papers, 2)};
    case kDcPaperSize: return {n, Packed(sizes, 4)};
    case kDcPaperNames:
    case kDcMediaReady: return {n, Names(papers, 64)};
    case kDcMinExtent:
    case kDcMaxExtent: return {extent[0] | extent[1] << 16, Packed({extent[0], extent[1]}, 4)};
    case kDcBins: return {static_cast<uint32_t>(w.trays.size()), Packed(w.trays, 2)};
    case kDcBinNames: return {static_cast<uint32_t>(w.trays.size()), Names(trays, 24)};
    case kDcMediaTypes: return {static_cast<uint32_t>(w.media.size()), Packed(w.media, 4)};
    case kDcMediaTypeNames: return {static_cast<uint32_t>(w.media.size()), Names(media, 64)};
    case kDcPrintRate:
    case kDcPrintRatePpm: return {w.printRate, {}};
    default: return {kFixed.count(index) ? kFixed.at(index) : kCapsUnsupported, {}};
    }
}

// want: read off the model file by hand: its paper list less "same as original".
struct Model { const char* file; const char16_t* section; Expected want; };

const std::vector<uint32_t> kAllTrays = {7, 257, 258, 259, 260}, kMedia = {257, 258, 259, 260, 261, 262},
                            kMediaLight = {257, 258, 259, 260, 261, 262, 263};

const Model kModels[] = {
    {nullptr, nullptr, {{}, kAllTrays, kMedia, {}, {}, 0}},
    {"ZRC4500.RDF", u"KELO ZR-C4500",
     {{8, 9, 11, 70, 12, 13, 88, 258, 3, 5, 263, 1, 6, 257, 43, 259, 260,
       71, 72, 73, 74, 30, 28, 31, 27, 261, 262, 20, 264, 265, 266, 267, 268, 256},
      kAllTrays, kMediaLight, {900, 1480}, {3300, 4880}, 150}},
    {"ZRM1200.RDF", u"KELO ZR-M1200",
     {{9, 11, 70, 13, 88, 1, 6, 43, 73, 74, 28, 31, 27, 20, 265, 256}, {257}, kMedia, {900, 1480}, {2159, 3556}, 90}},
};

const uint16_t kIndices[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                              21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 40, 256, 0xFFFF};

// The first byte of out that differs from the answer followed by the
// untouched poison, or -1.
long Mismatch(const std::vector<uint8_t>& answer, const std::vector<uint8_t>& out) {
    for (size_t i = 0; i < out.size(); i++)
        if (out[i] != (i < answer.size() ? answer[i] : 0xA5)) return static_cast<long>(i);
    return -1;
}

// Indices 0 to 40 and beyond, without a caller's DEVMODE, with one that
// asks for a custom size and with another driver's (64 private bytes of its
// own, no public field marked): the same answer with and without an output,
// and exactly the expected bytes written. The user-size row reports the
// caller's custom size, or else the stored one (the default paper's).
TEST(DeviceCapabilities, EveryIndexOnEveryModel) {
    for (const Model& m : kModels) {
        CapsPrinter printer(m.file, m.section, m.want);
        ASSERT_FALSE(printer.want.papers.empty());
        std::vector<uint8_t> custom(sizeof(DriverDevMode), 0), foreign(sizeof(PublicDevMode) + 64, 0x5A);
        std::memcpy(custom.data(), &printer.stored->dm, sizeof(DriverDevMode));
        std::memcpy(foreign.data(), &printer.stored->dm, sizeof(PublicDevMode));
        auto* dm = reinterpret_cast<DriverDevMode*>(custom.data());
        dm->pub.dmFields = kDmPaperSize | kDmPaperWidth | kDmPaperLength;
        dm->pub.dmPaperSize = 256, dm->pub.dmPaperWidth = 2345, dm->pub.dmPaperLength = 1234;
        dm = reinterpret_cast<DriverDevMode*>(foreign.data());
        dm->pub.dmFields = 0, dm->pub.dmDriverExtra = 64;
        const PrivateSettings& stored = printer.stored->dm.priv;
        for (std::vector<uint8_t>* caller : {static_cast<std::vector<uint8_t>*>(nullptr), &custom, &foreign}) {
            void* in = caller ? caller->data() : nullptr;
            const int32_t userW = caller == &custom ? 1234 : stored.originalWidth_mm_CustomPaper / 10;
            const int32_t userL = caller == &custom ? 2345 : stored.originalLength_mm_CustomPaper / 10;
            for (uint16_t index : kIndices) {
                SCOPED_TRACE(testing::Message() << (m.file ? m.file : "no model") << " index " << index
                                                << (caller == &custom ? " custom" : caller ? " foreign" : ""));
                const auto [result, bytes] = Want(printer.want, index, userW, userL);
                std::vector<uint8_t> out(32 * 1024, 0xA5);
                EXPECT_EQ(result, DrvDeviceCapabilitiesCore(nullptr, u"P1", index, nullptr, in));
                EXPECT_EQ(result, DrvDeviceCapabilitiesCore(nullptr, u"P1", index, out.data(), in));
                EXPECT_EQ(-1, Mismatch(bytes, out));
            }
        }
        EXPECT_EQ(0, printer.fake.spooler.OpenHandles());
    }
}

// Sessions built by hand: the custom size rounded to 0.1 mm or 1480 x 1480;
// the first name of a list cut to its slot less one, the next in its slot.
TEST(DeviceCapabilities, HandBuiltSessionTable) {
    // customW/L in 0.01 mm; size: the user-size row, smaller first; index: a list
    // of names whose first name gets nameLength letters (64: unterminated).
    struct { int32_t customW, customL; std::vector<uint32_t> size; uint16_t index; size_t nameLength, slot, cut; }
        cases[] = {
        {12345, 9876, {988, 1235}, kDcBinNames, 30, 24, 23}, {0, 5000, {1480, 1480}, kDcPaperNames, 64, 64, 63},
        {5000, -1, {1480, 1480}, kDcMediaReady, 40, 64, 40},
    };
    FakePlatformScope fake;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.customW << " x " << c.customL << ", index " << c.index);
        auto s = std::make_unique<PrinterSession>();
        BuildModelLists(&s->env, nullptr, 0x0409, 0);
        s->dm.priv.originalWidth_mm_CustomPaper = c.customW, s->dm.priv.originalLength_mm_CustomPaper = c.customL;
        int32_t w = 0, l = 0;
        ASSERT_EQ(1, PaperSizeAt(s.get(), PaperListIndex(&s->env, 256), &w, &l));
        EXPECT_EQ(c.size, (std::vector<uint32_t>{uint32_t(w), uint32_t(l)}));

        // Listed rows; the paper list's row 0 is "same as original".
        auto nameOf = [&](int i) -> char16_t* {
            return c.index == kDcBinNames         ? s->env.trayList[i].name
                   : c.index == kDcMediaTypeNames ? s->env.mediaTypeList[i].name
                                                  : s->env.paperList[i + 1].name;
        };
        for (size_t i = 0; i < 64; i++) nameOf(0)[i] = i < c.nameLength ? static_cast<char16_t>(u'a' + i % 26) : 0;
        std::vector<uint8_t> out(32 * 1024, 0xA5);
        ASSERT_LE(2u, AnswerDeviceCapability(s.get(), c.index, out.data()));
        std::u16string got(2 * c.slot, u'#'), want(nameOf(0), c.cut);
        std::memcpy(got.data(), out.data(), got.size() * 2);
        want.resize(c.slot, 0);
        want += nameOf(1);
        want.resize(2 * c.slot, 0);
        EXPECT_EQ(want, got);
    }
}

// DrvSplDeviceCaps sizes its output in characters, 64 per name.
TEST(DeviceCapabilities, SplDeviceCapsTable) {
    // want -2: the paper count
    const struct { uint16_t index; bool output; uint32_t chars; int want; } cases[] = {
        {kDcPaperNames, false, 0, -2},       {kDcPaperNames, true, 63, -1}, {kDcPaperNames, true, 64, 1},
        {kDcMediaReady, true, 191, 2},       {kDcPaperNames, true, 64 * 500, -2}, {kDcPapers, true, 1000, -1},
    };
    CapsPrinter printer(kModels[1].file, kModels[1].section, kModels[1].want);
    std::vector<const char16_t*> names;
    for (uint32_t id : printer.want.papers) names.push_back(Paper(id)->name);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index << " chars " << c.chars);
        std::vector<uint8_t> out(32 * 1024, 0xA5);
        const uint32_t got = DrvSplDeviceCapsCore(nullptr, u"P1", c.index, c.output ? out.data() : nullptr, c.chars, nullptr);
        EXPECT_EQ(c.want == -2 ? static_cast<uint32_t>(names.size()) : static_cast<uint32_t>(c.want), got);
        const size_t written = got == kCapsUnsupported || !c.output ? 0 : got;
        EXPECT_EQ(-1, Mismatch(Names({names.begin(), names.begin() + static_cast<long>(written)}, 64), out));
    }
}

// The accessors the tab pages use: every position maps to an id that maps
// back to it; outside the lists nothing is read or written. The paper list's
// "same as original" row (id 0, the first built-in row) has no position.
TEST(ModelListAccess, PositionsAndIds) {
    FakePlatformScope fake;
    auto s = std::make_unique<PrinterSession>();
    const PrinterEnvironment* env = &s->env;
    BuildModelLists(&s->env, nullptr, 0x0409, 0);
    const int papers = PaperListCount(env), trays = TrayListCount(env), media = MediaListCount(env);
    ASSERT_EQ((std::vector<int>{kBuiltinPaperCount - 1, 5, 6}), (std::vector<int>{papers, trays, media}));
    for (int pos = 0; pos < papers; pos++) {
        EXPECT_EQ(kBuiltinPapers[pos + 1].id, PaperIdAt(env, pos));
        EXPECT_EQ(pos, _UduGetPaperListIndex(s.get(), PaperIdAt(env, pos)));
    }
    EXPECT_EQ((std::vector<int>{-1, -1}), (std::vector<int>{_UduGetPaperListIndex(s.get(), 0),
                                                            _UduGetPaperListIndex(s.get(), 4242)}));
    EXPECT_EQ(nullptr, PaperRowAt(env, -1));
    for (int pos = 0; pos < trays; pos++) EXPECT_EQ(pos, TrayListIndex(env, TrayIdAt(env, pos)));
    for (int pos = 0; pos < media; pos++) EXPECT_EQ(pos, MediaListIndex(env, MediaIdAt(env, pos)));
    EXPECT_EQ(kNoListId, PaperIdAt(env, papers));
    EXPECT_EQ(0u, TrayIdAt(env, kTraySlots));
    EXPECT_EQ(-1, MediaListIndex(env, 263));
    char16_t name[8] = u"keep";
    EXPECT_EQ(0, PaperNameAt(env, papers, name, 8) + TrayNameAt(env, trays, name, 8));
    EXPECT_EQ(std::u16string(u"keep"), name);
    EXPECT_EQ(1, PaperNameAt(env, PaperListIndex(env, 262), name, 8));
    EXPECT_EQ(std::u16string(u"Envelop"), name);
}

}  // namespace
