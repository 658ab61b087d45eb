// The capability queries against a printer without a model description and
// against each of our model files, as the in-memory spooler holds them; the
// expected lists come from the model file and the built-in tables.
#include "entry/device_capabilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "entry/global_list.h"
#include "entry/model_list_access.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "platform/fake_profile.h"
#include "settings/resolve.h"

namespace {

const BuiltinPaper* Paper(uint32_t id) {
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == id) return &kBuiltinPapers[i];
    return nullptr;
}
const char16_t* TrayName(uint32_t id) {
    for (int i = 0; i < kBuiltinTrayCount; i++)
        if (kBuiltinTrays[i].id == id) return kBuiltinTrays[i].name;
    return nullptr;
}
const char16_t* MediaName(uint32_t id) {
    for (int i = 0; i < kBuiltinMediaCount; i++)
        if (kBuiltinMedia[i].id == id) return kBuiltinMedia[i].name;
    return nullptr;
}

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

    explicit CapsPrinter(const char* modelFile = nullptr, const char16_t* section = nullptr) {
        fake.spooler.AddPrinter(u"P1");
        EXPECT_EQ(1u, _UdcResolveSelfDMode(stored.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        want.trays = {7, 257, 258, 259, 260};
        want.media = {257, 258, 259, 260, 261, 262};
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
        std::ifstream in(std::string(ZR_MODEL_DIR) + "/" + modelFile, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        ASSERT_FALSE(text.str().empty()) << modelFile;
        const std::u16string path = u"C:\\drv\\" + U16(modelFile);
        profile.files[path] = text.str();
        auto ctx = std::make_unique<RdfContext>();
        ctx->RdfFile = const_cast<char16_t*>(path.c_str());
        ctx->DeviceName = const_cast<char16_t*>(section);
        ctx->PrinterName = const_cast<char16_t*>(u"P1");
        ASSERT_EQ(1, ReadRdfFile(ctx.get())) << modelFile;
        ASSERT_EQ(1, SaveRdfContext(ctx.get()));
        const RdfInfo& info = ctx->info;
        ApplyRdfDefaults(&stored->env, &info);
        stored->env.lightPaperSupport = info.LightPaperEnable;

        for (int i = 0; i < info.PaperSizeListSize; i++)
            if (info.PaperSizeList[i] != 0 && Paper(info.PaperSizeList[i])) want.papers.push_back(info.PaperSizeList[i]);
        if (info.ModelFS == 1) want.trays = {257};
        if (info.LightPaperEnable) want.media.push_back(263);
        for (int i = 0; i < 2; i++) {
            want.minExtent[i] = static_cast<uint32_t>(info.MinPaperSizeMM[i]);
            want.maxExtent[i] = static_cast<uint32_t>(info.MaxPaperSizeMM[i]);
        }
        want.printRate = info.PrintRate;
    }
};

enum class Answer { Value, Unsupported, Papers, PaperSizes, PaperNames, Trays, BinNames, Media, MediaNames, MinExtent, MaxExtent, PrintRate };

struct CapRow {
    uint16_t index;
    Answer answer;
    uint32_t value;  // Answer::Value
};

const CapRow kCapRows[] = {
    {0, Answer::Unsupported, 0},
    {kDcFields, Answer::Value, 0x02019B0F},
    {kDcPapers, Answer::Papers, 0},
    {kDcPaperSize, Answer::PaperSizes, 0},
    {kDcMinExtent, Answer::MinExtent, 0},
    {kDcMaxExtent, Answer::MaxExtent, 0},
    {kDcBins, Answer::Trays, 0},
    {kDcDuplex, Answer::Value, 1},
    {kDcSize, Answer::Value, 220},
    {kDcExtra, Answer::Value, 18820},
    {kDcVersion, Answer::Value, 0x0401},
    {kDcDriver, Answer::Value, 2020},
    {kDcBinNames, Answer::BinNames, 0},
    {kDcEnumResolutions, Answer::Unsupported, 0},
    {kDcFileDependencies, Answer::Unsupported, 0},
    {kDcTrueType, Answer::Value, 1},
    {kDcPaperNames, Answer::PaperNames, 0},
    {kDcOrientation, Answer::Value, 270},
    {kDcCopies, Answer::Value, 32767},
    {kDcBinAdjust, Answer::Unsupported, 0},
    {kDcEmfCompliant, Answer::Value, 1},
    {kDcDatatypeProduced, Answer::Unsupported, 0},
    {kDcCollate, Answer::Value, 1},
    {kDcManufacturer, Answer::Unsupported, 0},
    {kDcModel, Answer::Unsupported, 0},
    {kDcPersonality, Answer::Unsupported, 0},
    {kDcPrintRate, Answer::PrintRate, 0},
    {kDcPrintRateUnit, Answer::Value, 1},
    {kDcPrinterMem, Answer::Unsupported, 0},
    {kDcMediaReady, Answer::PaperNames, 0},
    {kDcStaple, Answer::Value, 1},
    {kDcPrintRatePpm, Answer::PrintRate, 0},
    {kDcColorDevice, Answer::Value, 1},
    {kDcNup, Answer::Unsupported, 0},
    {kDcMediaTypeNames, Answer::MediaNames, 0},
    {kDcMediaTypes, Answer::Media, 0},
    {36, Answer::Unsupported, 0},
    {37, Answer::Unsupported, 0},
    {0xFFFF, Answer::Unsupported, 0},
};

uint16_t U16At(const std::vector<uint8_t>& b, size_t i) {
    uint16_t v;
    std::memcpy(&v, b.data() + i * 2, 2);
    return v;
}
uint32_t U32At(const std::vector<uint8_t>& b, size_t i) {
    uint32_t v;
    std::memcpy(&v, b.data() + i * 4, 4);
    return v;
}
// The names of count slots of slot characters each, read to their terminator.
std::vector<std::u16string> NamesIn(const std::vector<uint8_t>& b, size_t count, size_t slot) {
    std::vector<std::u16string> names;
    for (size_t i = 0; i < count; i++) {
        std::u16string s(slot, u'\0');
        std::memcpy(s.data(), b.data() + i * slot * 2, slot * 2);
        names.push_back(s.substr(0, s.find(u'\0')));
    }
    return names;
}

struct Model {
    const char* file;
    const char16_t* section;
};

const Model kModels[] = {
    {nullptr, nullptr},
    {"ZRC4500.RDF", u"KELO ZR-C4500"},
    {"ZRT2300.RDF", u"KELO ZR-T2300"},
    {"ZRM1200.RDF", u"KELO ZR-M1200"},
};

TEST(DeviceCapabilities, EveryIndexOnEveryModel) {
    for (const Model& m : kModels) {
        CapsPrinter printer(m.file, m.section);
        const Expected& w = printer.want;
        ASSERT_FALSE(w.papers.empty());
        // The user-size row reports the stored custom size, here the default
        // paper's, in 0.1 mm.
        const int32_t customW = printer.stored->dm.priv.originalWidth_mm_CustomPaper / 10;
        const int32_t customL = printer.stored->dm.priv.originalLength_mm_CustomPaper / 10;
        for (const CapRow& row : kCapRows) {
            SCOPED_TRACE(testing::Message() << (m.file ? m.file : "no model") << " index " << row.index);
            std::vector<uint8_t> out(64 * 1024, 0xA5);
            const uint32_t counted = DrvDeviceCapabilitiesCore(nullptr, u"P1", row.index, nullptr, nullptr);
            const uint32_t got = DrvDeviceCapabilitiesCore(nullptr, u"P1", row.index, out.data(), nullptr);
            EXPECT_EQ(counted, got);
            EXPECT_EQ(0, printer.fake.spooler.OpenHandles());
            size_t written = 0;  // bytes the answer may write
            switch (row.answer) {
            case Answer::Value: EXPECT_EQ(row.value, got); break;
            case Answer::Unsupported: EXPECT_EQ(kCapsUnsupported, got); break;
            case Answer::PrintRate: EXPECT_EQ(w.printRate, got); break;
            case Answer::MinExtent:
            case Answer::MaxExtent: {
                const uint32_t* xy = row.answer == Answer::MinExtent ? w.minExtent : w.maxExtent;
                EXPECT_EQ(xy[0] | (xy[1] << 16), got);
                EXPECT_EQ(xy[0], U32At(out, 0));
                EXPECT_EQ(xy[1], U32At(out, 1));
                written = 8;
                break;
            }
            case Answer::Papers: {
                ASSERT_EQ(w.papers.size(), got);
                for (size_t i = 0; i < got; i++) EXPECT_EQ(w.papers[i], U16At(out, i)) << i;
                written = got * 2;
                break;
            }
            case Answer::PaperSizes: {
                ASSERT_EQ(w.papers.size(), got);
                for (size_t i = 0; i < got; i++) {
                    const BuiltinPaper* p = Paper(w.papers[i]);
                    int32_t a = static_cast<int32_t>(p->width), b = static_cast<int32_t>(p->length);
                    if (p->id == 256) a = customW, b = customL;
                    EXPECT_EQ(static_cast<uint32_t>(std::min(a, b)), U32At(out, 2 * i)) << p->id;
                    EXPECT_EQ(static_cast<uint32_t>(std::max(a, b)), U32At(out, 2 * i + 1)) << p->id;
                }
                written = got * 8;
                break;
            }
            case Answer::PaperNames: {
                ASSERT_EQ(w.papers.size(), got);
                const auto names = NamesIn(out, got, 64);
                for (size_t i = 0; i < got; i++) EXPECT_EQ(std::u16string(Paper(w.papers[i])->name), names[i]) << i;
                written = got * 128;
                break;
            }
            case Answer::Trays:
            case Answer::BinNames: {
                ASSERT_EQ(w.trays.size(), got);
                const auto names = NamesIn(out, got, 24);
                for (size_t i = 0; i < got; i++) {
                    if (row.answer == Answer::Trays) EXPECT_EQ(w.trays[i], U16At(out, i)) << i;
                    else EXPECT_EQ(std::u16string(TrayName(w.trays[i])), names[i]) << i;
                }
                written = got * (row.answer == Answer::Trays ? 2 : 48);
                break;
            }
            case Answer::Media:
            case Answer::MediaNames: {
                ASSERT_EQ(w.media.size(), got);
                const auto names = NamesIn(out, got, 64);
                for (size_t i = 0; i < got; i++) {
                    if (row.answer == Answer::Media) EXPECT_EQ(w.media[i], U32At(out, i)) << i;
                    else EXPECT_EQ(std::u16string(MediaName(w.media[i])), names[i]) << i;
                }
                written = got * (row.answer == Answer::Media ? 4 : 128);
                break;
            }
            }
            EXPECT_EQ(std::vector<uint8_t>(out.size() - written, 0xA5),
                      std::vector<uint8_t>(out.begin() + static_cast<long>(written), out.end()))
                << "written beyond the answer";
        }
    }
}

// The user-size row follows the caller's DEVMODE, also one of another
// driver (64 private bytes of its own), whose public part still counts.
TEST(DeviceCapabilities, CallerDevModeTable) {
    struct Case {
        const char* what;
        int16_t paperSize, width, length;  // public fields the caller sets
        bool foreign;
        uint32_t wantW, wantL;  // user-size row
    };
    const Case cases[] = {
        {"custom size taken, smaller first", 256, 2345, 1234, false, 1234, 2345},
        {"a listed paper gives the custom size its own", 9, 0, 0, false, 2100, 2970},
        {"another driver's record", 256, 1500, 1600, true, 1500, 1600},
    };
    for (const Case& c : cases) {
        for (const Model& m : {kModels[0], kModels[3]}) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << (m.file ? m.file : "no model"));
            CapsPrinter printer(m.file, m.section);
            const std::vector<uint32_t>& papers = printer.want.papers;
            std::vector<uint8_t> in(sizeof(DriverDevMode) + 512, 0);
            std::memcpy(in.data(), &printer.stored->dm, sizeof(DriverDevMode));
            auto* dm = reinterpret_cast<DriverDevMode*>(in.data());
            if (c.foreign) {
                std::memset(in.data() + sizeof(PublicDevMode), 0x5A, 64);
                dm->pub.dmDriverExtra = 64;
                dm->pub.dmDriverVersion = 7;
            }
            dm->pub.dmFields = kDmPaperSize | kDmPaperWidth | kDmPaperLength;
            dm->pub.dmPaperSize = c.paperSize;
            dm->pub.dmPaperWidth = c.width;
            dm->pub.dmPaperLength = c.length;
            const auto user = std::find(papers.begin(), papers.end(), 256u);
            ASSERT_NE(papers.end(), user);
            const size_t at = static_cast<size_t>(user - papers.begin());

            std::vector<uint32_t> sizes(2 * papers.size() + 1, 0xA5A5A5A5);
            ASSERT_EQ(papers.size(), DrvDeviceCapabilitiesCore(nullptr, u"P1", kDcPaperSize, sizes.data(), in.data()));
            EXPECT_EQ(c.wantW, sizes[2 * at]);
            EXPECT_EQ(c.wantL, sizes[2 * at + 1]);
            EXPECT_EQ(0xA5A5A5A5u, sizes.back());
            // The list itself does not depend on the caller.
            std::vector<uint16_t> ids(papers.size(), 0);
            ASSERT_EQ(papers.size(), DrvDeviceCapabilitiesCore(nullptr, u"P1", kDcPapers, ids.data(), in.data()));
            EXPECT_EQ(papers, std::vector<uint32_t>(ids.begin(), ids.end()));
        }
    }
}

// A session built by hand: the built-in lists and the given custom size.
std::unique_ptr<PrinterSession> HandSession(int32_t customW = 0, int32_t customL = 0) {
    auto s = std::make_unique<PrinterSession>();
    BuildModelLists(&s->env, nullptr, 0x0409, 0);
    s->dm.priv.originalWidth_mm_CustomPaper = customW;
    s->dm.priv.originalLength_mm_CustomPaper = customL;
    return s;
}

TEST(DeviceCapabilities, UserSizeRoundingTable) {
    struct Case {
        int32_t w, l;          // 0.01 mm
        uint32_t wantW, wantL;  // 0.1 mm, smaller first
    } cases[] = {
        {12345, 9876, 988, 1235}, {14, 25, 1, 3}, {14804, 14805, 1480, 1481},
        {0, 5000, 1480, 1480},    {5000, -1, 1480, 1480}, {-20, -30, 1480, 1480},
    };
    FakePlatformScope fake;
    for (const Case& c : cases) {
        auto s = HandSession(c.w, c.l);
        const int at = PaperListIndex(&s->env, 256);
        ASSERT_LE(0, at);
        std::vector<uint32_t> sizes(2 * PaperListCount(&s->env));
        AnswerDeviceCapability(s.get(), kDcPaperSize, sizes.data());
        EXPECT_EQ(c.wantW, sizes[2 * at]) << c.w << " x " << c.l;
        EXPECT_EQ(c.wantL, sizes[2 * at + 1]) << c.w << " x " << c.l;
    }
}

// Every name goes into its slot cut to slot - 1 characters and terminated,
// so slot i always starts at i * slot characters.
TEST(DeviceCapabilities, NameSlotTable) {
    struct Case {
        uint16_t index;
        size_t slot;
        size_t nameLength;  // of the first row's name; 64 fills the field unterminated
        size_t want;
    } cases[] = {
        {kDcBinNames, 24, 30, 23},        {kDcBinNames, 24, 23, 23},        {kDcBinNames, 24, 5, 5},
        {kDcPaperNames, 64, 64, 63},      {kDcMediaReady, 64, 64, 63},      {kDcPaperNames, 64, 40, 40},
        {kDcMediaTypeNames, 64, 64, 63},  {kDcMediaTypeNames, 64, 12, 12},
    };
    FakePlatformScope fake;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index << " name of " << c.nameLength);
        auto s = HandSession();
        char16_t* first = c.index == kDcBinNames         ? s->env.trayList[0].name
                          : c.index == kDcMediaTypeNames ? s->env.mediaTypeList[0].name
                                                         : s->env.paperList[1].name;  // [0] is "same as original"
        for (size_t i = 0; i < 64; i++) first[i] = i < c.nameLength ? static_cast<char16_t>(u'a' + i % 26) : 0;
        const char16_t* second = c.index == kDcBinNames         ? s->env.trayList[1].name
                                 : c.index == kDcMediaTypeNames ? s->env.mediaTypeList[1].name
                                                                : s->env.paperList[2].name;
        std::vector<uint8_t> out(64 * 1024, 0xA5);
        const uint32_t n = AnswerDeviceCapability(s.get(), c.index, out.data());
        ASSERT_LE(2u, n);
        const auto names = NamesIn(out, n, c.slot);
        EXPECT_EQ(std::u16string(first, c.want), names[0]);
        EXPECT_EQ(std::u16string(second), names[1]);
        EXPECT_EQ(0, U16At(out, c.slot - 1)) << "slot not terminated";
    }
}

// DrvSplDeviceCaps sizes its output in characters, 64 per name.
TEST(DeviceCapabilities, SplDeviceCapsTable) {
    struct Case {
        uint16_t index;
        bool output;
        uint32_t chars;
        int want;  // -2: the paper count
    } cases[] = {
        {kDcPaperNames, false, 0, -2}, {kDcMediaReady, false, 0, -2},    {kDcPaperNames, true, 63, -1},
        {kDcPaperNames, true, 64, 1},  {kDcPaperNames, true, 130, 2},    {kDcMediaReady, true, 130, 2},
        {kDcMediaReady, true, 191, 2}, {kDcPaperNames, true, 64 * 600, -2}, {kDcPapers, true, 1000, -1},
        {kDcBinNames, true, 1000, -1}, {0, false, 0, -1},                {36, true, 1000, -1},
    };
    for (const Model& m : {kModels[0], kModels[2]}) {
        CapsPrinter printer(m.file, m.section);
        const size_t count = printer.want.papers.size();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (m.file ? m.file : "no model") << " index " << c.index << " chars "
                                            << c.chars);
            std::vector<uint8_t> out(64 * 1024, 0xA5);
            const uint32_t got =
                DrvSplDeviceCapsCore(nullptr, u"P1", c.index, c.output ? out.data() : nullptr, c.chars, nullptr);
            const uint32_t want = c.want == -2 ? static_cast<uint32_t>(count) : static_cast<uint32_t>(c.want);
            EXPECT_EQ(want, got);
            const size_t names = got == kCapsUnsupported || !c.output ? 0 : got;
            const auto text = NamesIn(out, names, 64);
            for (size_t i = 0; i < names; i++) EXPECT_EQ(std::u16string(Paper(printer.want.papers[i])->name), text[i]);
            EXPECT_EQ(std::vector<uint8_t>(out.size() - names * 128, 0xA5),
                      std::vector<uint8_t>(out.begin() + static_cast<long>(names * 128), out.end()));
        }
    }
}

// The accessors the tab pages use, over a list with the "same as original"
// row and one longer than 63 characters.
TEST(ModelListAccess, PositionsAndIds) {
    FakePlatformScope fake;
    auto s = HandSession(21000, 29700);
    const PrinterEnvironment* env = &s->env;
    const int papers = PaperListCount(env);
    ASSERT_EQ(kBuiltinPaperCount - 1, papers);
    for (int pos = 0; pos < papers; pos++) {
        const uint32_t id = PaperIdAt(env, pos);
        EXPECT_EQ(kBuiltinPapers[pos + 1].id, id);
        EXPECT_EQ(pos, _UduGetPaperListIndex(s.get(), id));
    }
    char16_t name[8] = u"keep";
    EXPECT_EQ(kNoListId, PaperIdAt(env, papers));
    EXPECT_EQ(kNoListId, PaperIdAt(env, -1));
    EXPECT_EQ(0, PaperNameAt(env, papers, name, 8));
    EXPECT_EQ(std::u16string(u"keep"), name);
    EXPECT_EQ(1, PaperNameAt(env, PaperListIndex(env, 262), name, 8));
    EXPECT_EQ(std::u16string(u"Envelop"), name);
    int32_t w = 0, l = 0;
    EXPECT_EQ(0, PaperSizeAt(s.get(), papers, &w, &l));
    EXPECT_EQ(1, PaperSizeAt(s.get(), PaperListIndex(env, 3), &w, &l));
    EXPECT_EQ(2794, w);
    EXPECT_EQ(4318, l);

    const int trays = TrayListCount(env), media = MediaListCount(env);
    ASSERT_EQ(5, trays);
    ASSERT_EQ(6, media);
    for (int pos = 0; pos < trays; pos++) EXPECT_EQ(pos, TrayListIndex(env, TrayIdAt(env, pos)));
    for (int pos = 0; pos < media; pos++) EXPECT_EQ(pos, MediaListIndex(env, MediaIdAt(env, pos)));
    EXPECT_EQ(0u, TrayIdAt(env, kTraySlots));
    EXPECT_EQ(0u, MediaIdAt(env, kMediaSlots));
    EXPECT_EQ(-1, TrayListIndex(env, 262));
    EXPECT_EQ(-1, MediaListIndex(env, 263));
    EXPECT_EQ(0, TrayNameAt(env, trays, name, 8));
    EXPECT_EQ(1, MediaNameAt(env, 1, name, 3));
    EXPECT_EQ(std::u16string(u"普通"), name);
}

}  // namespace
