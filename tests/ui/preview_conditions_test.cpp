// The preview's condition evaluation and layer choice over small tables, and
// the pictures the driver's own tables choose for a few whole jobs.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ui/preview_conditions.h"

namespace {

constexpr PreviewTerm Field(uint8_t kind, uint32_t offset, uint8_t size, uint64_t v, uint8_t negate = 0) {
    return PreviewTerm{1, negate, kind, offset, size, v, "field"};
}
constexpr PreviewTerm Ref(uint32_t id, uint8_t negate = 0) { return PreviewTerm{1, negate, kTermCondition, 0, 0, id, "c"}; }
constexpr PreviewTerm kOne = Field(kTermPrivate, 0, 1, 1);      // gives 1 (priv[0] == 1)
constexpr PreviewTerm kZero = Field(kTermPrivate, 0, 1, 2);     // gives 0
constexpr PreviewTerm kOut = Field(kTermPrivate, 7, 2, 0);      // past the record: -1
constexpr PreviewTerm kNone = PreviewTerm{1, 0, kTermNone, 0, 0, 0, "none"};

const PreviewCondition kSmall[] = {
    /*0*/ {kPreviewAllOf, {kOne, Field(kTermPrivate, 1, 2, 0x0302)}},
    /*1*/ {kPreviewAllOf, {kOne, kZero}},
    /*2*/ {kPreviewAllOf, {kOne, kOut}},
    /*3*/ {kPreviewAnyOf, {kZero, kOut}},
    /*4*/ {kPreviewAnyOf, {kZero, Ref(1, 1)}},
    /*5*/ {kPreviewDiffer, {kOne, kOut, kOne}},
    /*6*/ {kPreviewDiffer, {kOne, kOut, kZero}},
    /*7*/ {kPreviewDiffer, {kOut, kOut}},
    /*8*/ {kPreviewDiffer, {kOne, kOne, {}, {}, kNone}},
    /*9*/ {kPreviewDiffer, {Ref(99, 1)}},
    /*10*/ {kPreviewAnyOf, {Field(kTermEnvironment, 0, 1, 4), Field(kTermSheet, 0, 1, 0)}},
    /*11*/ {kPreviewAllOf, {Field(kTermEnvironment, 0, 1, 4, 1)}},
    /*12*/ {kPreviewAnyOf, {PreviewTerm{1, 0, kTermConstant, 0, 0, 0, "k"}}},
    /*13*/ {kPreviewAnyOf, {Ref(13)}},  // refers to itself
    /*14*/ {9, {kOne}},                 // no such mode
};

TEST(PreviewConditions, Evaluation) {
    const uint8_t priv[8] = {1, 2, 3}, env[1] = {4}, sheet[1] = {7};
    const PreviewTables t = {kSmall, static_cast<int>(sizeof kSmall / sizeof kSmall[0]), {}, nullptr};
    const PreviewSources src = {priv, sizeof priv, env, sizeof env, sheet, sizeof sheet};
    const int expected[] = {1, 0, 1, 0, 1, 1, 1, -1, 0, -1, 1, 0, 0, 0, -1};
    for (uint32_t id = 0; id < sizeof expected / sizeof expected[0]; id++)
        EXPECT_EQ(EvaluatePreviewCondition(t, src, id), expected[id]) << "condition " << id;
    EXPECT_EQ(EvaluatePreviewCondition(t, src, 15), -1);
    EXPECT_EQ(EvaluatePreviewCondition(t, src, 0xFFFFFFFF), -1);
    const PreviewSources noEnv = {priv, sizeof priv, nullptr, 0, sheet, sizeof sheet};
    EXPECT_EQ(EvaluatePreviewCondition(t, noEnv, 11), 1);  // -1 in an all-of condition does not make it 0
}

TEST(PreviewConditions, LayersAndSets) {
    const uint8_t priv[8] = {1};
    const PreviewSources src = {priv, sizeof priv, nullptr, 0, nullptr, 0};
    // conditions: 0 true, 1 false, 2 not evaluable
    const PreviewCondition c[] = {{kPreviewAllOf, {kOne}}, {kPreviewAllOf, {kZero}}, {kPreviewAnyOf, {kOut}}};
    const PreviewPair chosen[] = {{100, 1}, {101, 2}, {102, 0}, {103, 0}, {kPreviewLayerEnd, 0}};
    const PreviewPair none[] = {{110, 1}, {kPreviewNoImage, 0}, {111, 0}};
    const PreviewPair always[] = {{120, 0}, {kPreviewLayerEnd, 0}};
    PreviewPair first[kPreviewSetCount][2];
    const PreviewPair* layers[kPreviewSetCount][kPreviewMainLayers];
    PreviewTables t = {c, 3, {}, nullptr};
    for (int s = 0; s < kPreviewSetCount; s++) {
        first[s][0] = {static_cast<uint32_t>(1000 * (s + 1)), 0};
        first[s][1] = {kPreviewLayerEnd, 0};
        const PreviewPair* set[kPreviewMainLayers] = {first[s], none, chosen, none, always, chosen, none};
        std::memcpy(layers[s], set, sizeof set);
        t.mainSet[s] = layers[s];
    }
    const PreviewPair* strip[kPreviewStripLayers];
    for (auto& l : strip) l = chosen;
    t.strip = strip;
    EXPECT_EQ(PreviewLayerImage(t, src, chosen), 102u);
    EXPECT_EQ(PreviewLayerImage(t, src, none), kPreviewNoImage);

    struct Case {
        uint32_t colorMode, inkCount;
        int set;
    };
    const Case cases[] = {{0, 4, 1}, {0, 2, 2}, {1, 2, 1}, {2, 4, 4}, {3, 4, 3}, {4, 4, 5},
                          {5, 4, 2}, {6, 2, 6}, {7, 2, 7}, {8, 4, 1}, {255, 2, 1}};
    for (const Case& k : cases) {
        EXPECT_EQ(PreviewSetNumber(k.colorMode, k.inkCount), k.set) << k.colorMode << "/" << k.inkCount;
        uint32_t images[kPreviewImageRoom] = {};
        ASSERT_EQ(CollectPreviewImages(t, src, kPreviewMain, k.colorMode, k.inkCount, images), 4);
        EXPECT_EQ(std::vector<uint32_t>(images, images + 4),
                  (std::vector<uint32_t>{1000u * k.set, 102, 120, 102}));
    }
    uint32_t images[kPreviewImageRoom + 1] = {};
    EXPECT_EQ(CollectPreviewImages(t, src, kPreviewStrip, 0, 0, images), kPreviewImageRoom);  // 12 layers, 7 kept
    EXPECT_EQ(images[kPreviewImageRoom], 0u);
    EXPECT_EQ(CollectPreviewImages(t, src, 2, 0, 0, images), 0);
}

TEST(PreviewConditions, DriverTablesForWholeJobs) {
    auto s = std::make_unique<PrinterSession>();
    struct Case {
        const char* job;
        void (*set)(PrinterSession&);
        int kind;
        std::vector<uint32_t> images;
    };
    const Case cases[] = {
        {"portrait, one-sided, colour", [](PrinterSession& x) { x.dm.priv.originalOrientation = 1; }, kPreviewMain,
         {11718, 12013, 12105}},
        {"landscape 4-up, two-sided on the left, stapled, 3 holes, monochrome",
         [](PrinterSession& x) {
             x.dm.priv.originalOrientation = 2;
             x.dm.priv.pluralPagesPerSheet = 42;
             x.dm.priv.duplexType = 2;
             x.dm.priv.staple = 10;
             x.dm.priv.punch = 2;
             x.dm.priv.colorMode = 2;
         },
         kPreviewMain, {11718, 12034, 12173, 12303, 12310, 12324}},
        {"saddle-stitched booklet in cyan",
         [](PrinterSession& x) {
             x.dm.priv.originalOrientation = 1;
             x.dm.priv.bookletBinding = 1;
             x.dm.priv.staple = 20;
             x.dm.priv.colorMode = 3;
         },
         kPreviewMain, {11718, 12007, 12143, 12306, 12317}},
        {"Z-fold along, landscape, automatic colour on two inks",
         [](PrinterSession& x) {
             x.dm.priv.originalOrientation = 2;
             x.dm.priv.fold = 4;
             x.dm.priv.direction_Fold = 2;
             x.env.inkCount = 2;
         },
         kPreviewMain, {11718, 12030, 12131, 12355}},
        {"strip: tray 1 to output tray 2 through both units, two-sided and stapled",
         [](PrinterSession& x) {
             x.dm.priv.inputTray = 258;
             x.dm.priv.outputTray = 2;
             x.env.inputUnit_Option = 1;
             x.env.outputUnit_Option = 1;
             x.dm.priv.duplexType = 3;
             x.dm.priv.staple = 11;
             x.dm.priv.punch = 1;
         },
         kPreviewStrip, {12400, 12401, 12412, 12422, 12430, 12431, 12432}},
        {"strip: the finisher alone, mail making",
         [](PrinterSession& x) {
             x.env.outputUnit_Option = 1;
             x.dm.priv.mailMakingSupport = 1;
         },
         kPreviewStrip, {12400, 12403, 12428}},
    };
    for (const Case& k : cases) {
        std::memset(s.get(), 0, sizeof *s);
        k.set(*s);
        uint32_t images[kPreviewImageRoom] = {};
        int n = PreviewImagesOf(*s, SheetFacts{1, 1, 1, 0}, k.kind, images);
        EXPECT_EQ(std::vector<uint32_t>(images, images + n), k.images) << k.job;
    }
}

}  // namespace
