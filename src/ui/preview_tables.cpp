// The preview's data: its conditions over the settings and the layers of
// pictures they choose. Picture ids follow the numbering that
// resources/pictures/make_pictures.py draws them under:
//   11718          the main preview's backdrop
//   12000 + i      the sheet and its page layout (layer 2, shared by all sets)
//   12100 + 20*s + j  the printed content in the inks of set s+1 (layer 3)
//   12300 + i      binding edge, 12310 + i staples, 12320 + i punches, 12340 + i folds
//   12400 + i      the output strip (printer, units, trays, finishing marks)
#include <cstddef>

#include "base/session.h"
#include "ui/preview_conditions.h"

namespace {

#define ZR_P(field, v) \
    PreviewTerm{1, 0, kTermPrivate, offsetof(PrivateSettings, field), sizeof(PrivateSettings::field), v, #field}
#define ZR_E(field, v) \
    PreviewTerm{1, 0, kTermEnvironment, offsetof(PrinterEnvironment, field), sizeof(PrinterEnvironment::field), v, \
                #field}
#define ZR_EN(field, v)                                                                                         \
    PreviewTerm{1, 1, kTermEnvironment, offsetof(PrinterEnvironment, field), sizeof(PrinterEnvironment::field), v, \
                #field}
#define ZR_C(id) PreviewTerm{1, 0, kTermCondition, 0, 0, id, "condition"}
#define ZR_CN(id) PreviewTerm{1, 1, kTermCondition, 0, 0, id, "condition"}

// Condition ids. Single facts first, then what the layers combine of them.
enum : uint32_t {
    kAlways, kPortrait, kLandscape,
    kMixed, kSaddleBook, kFoldBook, kPerfect, kMail, kCoverApart, kPerfectLeft, kPerfectTop, kPerfectRight,  // 3..11
    kSpecialOutput, kOneUp,                                                                          // 12, 13
    kLayoutFirst,                       // 14..47: 1-up, the N-up, poster and booklet layouts x P/L
    kSaddleP = kLayoutFirst + 34, kSaddleL, kFoldBookP, kFoldBookL,                                  // 48..51
    kPerfectFirst,                      // 52..57: left, top, right x cover apart / with the book
    kMixedP = kPerfectFirst + 6, kMixedL,                                                            // 58, 59
    kClass2, kClass4, kClass8, kClassPoster, kClassBooklet,                                          // 60..64
    kClassFirst,                        // 65..76: 1-up, 2, 4, 8, poster, booklet x P/L
    kBookBound = kClassFirst + 12, kBookBoundP, kBookBoundL, kPerfectSideways, kPerfectTopBound,     // 77..81
    kLongOrShort, kTwoSidedPlain, kTwoSidedMixed, kTwoSided, kSideMargin, kEdgeMarked,              // 82..87
    kBindLeft, kBindTop, kBindRight,                                                                 // 88..90
    kEdgeFirst,                         // 91..96: left, top, right x P/L
    kStaple10 = kEdgeFirst + 6, kStaple11P, kStaple11L, kStaple12Left, kStaple12Top,                // 97..101
    kStaple12RightP, kStaple12RightL, kStaple20P, kStaple20L,                                        // 102..105
    kPunch1, kPunch2, kPunch3,                                                                       // 106..108
    kPunchFirst,                        // 109..120: 2, 3, 4 holes x left, top, right P, right L
    kFold1 = kPunchFirst + 12, kFold4, kFoldAcross, kFoldAlong,                                      // 121..124
    kFoldFirst,                         // 125..140: half, letter in, letter out, Z x across/along x P/L
    kFoldLetter = kFoldFirst + 16,                                                                   // 141
    kInputUnit, kOutputUnit, kFoldUnit, kBothUnits, kInputUnitOnly, kOneUnit,                // 142..147
    kStapleAny, kPunchAny, kFoldAny,                                                                 // 148..150
    kInTrayFirst,                       // 151..157: automatic, feeder, trays 1-3, high-capacity, inserter
    kOutTrayFirst = kInTrayFirst + 7,   // 158..165: output trays 0..7
    kDocumentSheet = kOutTrayFirst + 8,                                                              // 166
    kReservedFirst,                     // 167..175: no term yet (evaluate to -1)
    kConditionCount = 176
};

constexpr PreviewCondition All2(uint32_t a, uint32_t b) { return {kPreviewAllOf, {ZR_C(a), ZR_C(b)}}; }
constexpr PreviewCondition All3(uint32_t a, uint32_t b, uint32_t c) {
    return {kPreviewAllOf, {ZR_C(a), ZR_C(b), ZR_C(c)}};
}
#define ZR_IS(field, v) {kPreviewAllOf, {ZR_P(field, v)}}
#define ZR_AND(field, v, c) {kPreviewAllOf, {ZR_P(field, v), ZR_C(c)}}
#define ZR_AND2(field, v, c, d) {kPreviewAllOf, {ZR_P(field, v), ZR_C(c), ZR_C(d)}}
#define ZR_LAYOUTS(o)                                                                                      \
    {kPreviewAllOf, {ZR_C(kOneUp), ZR_C(o)}}, ZR_AND(pluralPagesPerSheet, 21, o),                          \
        ZR_AND(pluralPagesPerSheet, 22, o), ZR_AND(pluralPagesPerSheet, 41, o),                            \
        ZR_AND(pluralPagesPerSheet, 42, o), ZR_AND(pluralPagesPerSheet, 43, o),                            \
        ZR_AND(pluralPagesPerSheet, 44, o), ZR_AND(pluralPagesPerSheet, 81, o),                            \
        ZR_AND(pluralPagesPerSheet, 82, o), ZR_AND(pluralPagesPerSheet, 83, o),                            \
        ZR_AND(pluralPagesPerSheet, 88, o), ZR_AND(singlePagesPerSheet, 2, o), ZR_AND(singlePagesPerSheet, 4, o), \
        ZR_AND(singlePagesPerSheet, 8, o), ZR_AND(booklet, 1, o), ZR_AND(booklet, 2, o), ZR_AND(booklet, 3, o)
#define ZR_CLASSES(o)                                                                                      \
    All2(kOneUp, o), All2(kClass2, o), All2(kClass4, o), All2(kClass8, o), All2(kClassPoster, o),          \
        All2(kClassBooklet, o)
#define ZR_PUNCHES(holes)                                                                                  \
    All2(holes, kBindLeft), All2(holes, kBindTop), All3(holes, kBindRight, kPortrait),                    \
        All3(holes, kBindRight, kLandscape)
#define ZR_FOLDS(kind)                                                                                     \
    ZR_AND2(fold, kind, kFoldAcross, kPortrait), ZR_AND2(fold, kind, kFoldAcross, kLandscape),              \
        ZR_AND2(fold, kind, kFoldAlong, kPortrait), ZR_AND2(fold, kind, kFoldAlong, kLandscape)
#define ZR_NOT_ZERO(field) \
    {kPreviewAllOf, {PreviewTerm{1, 1, kTermPrivate, offsetof(PrivateSettings, field), 1, 0, #field}}}
constexpr PreviewCondition kReserved = {kPreviewAllOf, {PreviewTerm{1, 0, kTermNone, 0, 0, 0, "reserved"}}};

const PreviewCondition kConditions[] = {
    {kPreviewAllOf, {PreviewTerm{1, 0, kTermConstant, 0, 0, 1, "always"}}},
    ZR_IS(originalOrientation, 1), ZR_IS(originalOrientation, 2),
    ZR_IS(mixedSizeSupport, 1), ZR_IS(bookletBinding, 1), ZR_IS(bookletBinding, 2), ZR_IS(perfectBindingSupport, 1),
    ZR_IS(mailMakingSupport, 1), ZR_IS(printCoverSeparately_PerfectBinding, 1), ZR_IS(bindingSide_PerfectBinding, 0),
    ZR_IS(bindingSide_PerfectBinding, 1), ZR_IS(bindingSide_PerfectBinding, 2),
    {kPreviewAnyOf, {ZR_C(kSaddleBook), ZR_C(kFoldBook), ZR_C(kPerfect), ZR_C(kMail)}},
    {kPreviewAllOf, {ZR_P(pluralPagesPerSheet, 0), ZR_P(singlePagesPerSheet, 0), ZR_P(booklet, 0),
                     ZR_CN(kSpecialOutput)}},
    ZR_LAYOUTS(kPortrait), ZR_LAYOUTS(kLandscape),
    All2(kSaddleBook, kPortrait), All2(kSaddleBook, kLandscape), All2(kFoldBook, kPortrait),
    All2(kFoldBook, kLandscape),
    All3(kPerfect, kPerfectLeft, kCoverApart), All3(kPerfect, kPerfectTop, kCoverApart),
    All3(kPerfect, kPerfectRight, kCoverApart),
    {kPreviewAllOf, {ZR_C(kPerfect), ZR_C(kPerfectLeft), ZR_CN(kCoverApart)}},
    {kPreviewAllOf, {ZR_C(kPerfect), ZR_C(kPerfectTop), ZR_CN(kCoverApart)}},
    {kPreviewAllOf, {ZR_C(kPerfect), ZR_C(kPerfectRight), ZR_CN(kCoverApart)}},
    All3(kMixed, kOneUp, kPortrait), All3(kMixed, kOneUp, kLandscape),
    {kPreviewAnyOf, {ZR_P(pluralPagesPerSheet, 21), ZR_P(pluralPagesPerSheet, 22)}},
    {kPreviewAnyOf, {ZR_P(pluralPagesPerSheet, 41), ZR_P(pluralPagesPerSheet, 42), ZR_P(pluralPagesPerSheet, 43),
                     ZR_P(pluralPagesPerSheet, 44)}},
    {kPreviewAnyOf, {ZR_P(pluralPagesPerSheet, 81), ZR_P(pluralPagesPerSheet, 82), ZR_P(pluralPagesPerSheet, 83),
                     ZR_P(pluralPagesPerSheet, 88)}},
    {kPreviewAnyOf, {ZR_P(singlePagesPerSheet, 2), ZR_P(singlePagesPerSheet, 4), ZR_P(singlePagesPerSheet, 8)}},
    {kPreviewAnyOf, {ZR_P(booklet, 1), ZR_P(booklet, 2), ZR_P(booklet, 3)}},
    ZR_CLASSES(kPortrait), ZR_CLASSES(kLandscape),
    {kPreviewAnyOf, {ZR_C(kSaddleBook), ZR_C(kFoldBook)}}, All2(kBookBound, kPortrait), All2(kBookBound, kLandscape),
    {kPreviewAllOf, {ZR_C(kPerfect), ZR_CN(kPerfectTop)}}, All2(kPerfect, kPerfectTop),
    {kPreviewAnyOf, {ZR_P(duplexType, 2), ZR_P(duplexType, 3)}},
    {kPreviewAllOf, {ZR_CN(kMixed), ZR_C(kLongOrShort)}},
    ZR_AND(duplexType_MixedSize, 4, kMixed),
    {kPreviewAnyOf, {ZR_C(kTwoSidedPlain), ZR_C(kTwoSidedMixed)}},
    ZR_IS(sideMarginSupport, 1),
    {kPreviewAnyOf, {ZR_C(kTwoSided), ZR_C(kSideMargin)}},
    ZR_IS(bindingSide, 0), ZR_IS(bindingSide, 1), ZR_IS(bindingSide, 2),
    All3(kEdgeMarked, kBindLeft, kPortrait), All3(kEdgeMarked, kBindTop, kPortrait),
    All3(kEdgeMarked, kBindRight, kPortrait), All3(kEdgeMarked, kBindLeft, kLandscape),
    All3(kEdgeMarked, kBindTop, kLandscape), All3(kEdgeMarked, kBindRight, kLandscape),
    ZR_IS(staple, 10), ZR_AND(staple, 11, kPortrait), ZR_AND(staple, 11, kLandscape), ZR_AND(staple, 12, kBindLeft),
    ZR_AND(staple, 12, kBindTop), ZR_AND2(staple, 12, kBindRight, kPortrait),
    ZR_AND2(staple, 12, kBindRight, kLandscape), ZR_AND(staple, 20, kPortrait), ZR_AND(staple, 20, kLandscape),
    ZR_IS(punch, 1), ZR_IS(punch, 2), ZR_IS(punch, 3),
    ZR_PUNCHES(kPunch1), ZR_PUNCHES(kPunch2), ZR_PUNCHES(kPunch3),
    ZR_IS(fold, 1), ZR_IS(fold, 4), ZR_IS(direction_Fold, 1), ZR_IS(direction_Fold, 2),
    ZR_FOLDS(1), ZR_FOLDS(2), ZR_FOLDS(3), ZR_FOLDS(4),
    {kPreviewAnyOf, {ZR_P(fold, 2), ZR_P(fold, 3)}},
    {kPreviewAllOf, {ZR_EN(inputUnit_Option, 0)}}, {kPreviewAllOf, {ZR_EN(outputUnit_Option, 0)}},
    {kPreviewAllOf, {ZR_E(foldUnit_Option, 1)}},
    All2(kInputUnit, kOutputUnit),
    {kPreviewAllOf, {ZR_C(kInputUnit), ZR_CN(kOutputUnit)}},
    // exactly one unit: the two differ; the defined fifth term makes "both" and "neither" 0
    {kPreviewDiffer, {ZR_C(kInputUnit), ZR_C(kOutputUnit), {}, {}, PreviewTerm{1, 0, kTermNone, 0, 0, 0, "one"}}},
    ZR_NOT_ZERO(staple), ZR_NOT_ZERO(punch), ZR_NOT_ZERO(fold),
    ZR_IS(inputTray, 7), ZR_IS(inputTray, 257), ZR_IS(inputTray, 258), ZR_IS(inputTray, 259), ZR_IS(inputTray, 260),
    ZR_IS(inputTray, 261), ZR_IS(inputTray, 262),
    ZR_IS(outputTray, 0), ZR_IS(outputTray, 1), ZR_IS(outputTray, 2), ZR_IS(outputTray, 3), ZR_IS(outputTray, 4),
    ZR_IS(outputTray, 5), ZR_IS(outputTray, 6), ZR_IS(outputTray, 7),
    {kPreviewAllOf, {PreviewTerm{1, 0, kTermSheet, offsetof(SheetFacts, documentMode), sizeof(int), 1,
                                 "documentMode"}}},
    kReserved, kReserved, kReserved, kReserved, kReserved, kReserved, kReserved, kReserved, kReserved,
};
static_assert(sizeof kConditions / sizeof kConditions[0] == kConditionCount && kReservedFirst == 167);

constexpr uint32_t End = kPreviewLayerEnd;

const PreviewPair kBackdrop[] = {{11718, kAlways}, {End, 0}};
const PreviewPair kSheet[] = {
    {12000, kMail}, {12001, kPerfectFirst}, {12002, kPerfectFirst + 1}, {12003, kPerfectFirst + 2},
    {12004, kPerfectFirst + 3}, {12005, kPerfectFirst + 4}, {12006, kPerfectFirst + 5}, {12007, kSaddleP},
    {12008, kSaddleL}, {12009, kFoldBookP}, {12010, kFoldBookL}, {12011, kMixedP}, {12012, kMixedL},
    {12013, kLayoutFirst + 0}, {12014, kLayoutFirst + 1}, {12015, kLayoutFirst + 2}, {12016, kLayoutFirst + 3},
    {12017, kLayoutFirst + 4}, {12018, kLayoutFirst + 5}, {12019, kLayoutFirst + 6}, {12020, kLayoutFirst + 7},
    {12021, kLayoutFirst + 8}, {12022, kLayoutFirst + 9}, {12023, kLayoutFirst + 10}, {12024, kLayoutFirst + 11},
    {12025, kLayoutFirst + 12}, {12026, kLayoutFirst + 13}, {12027, kLayoutFirst + 14}, {12028, kLayoutFirst + 15},
    {12029, kLayoutFirst + 16}, {12030, kLayoutFirst + 17}, {12031, kLayoutFirst + 18}, {12032, kLayoutFirst + 19},
    {12033, kLayoutFirst + 20}, {12034, kLayoutFirst + 21}, {12035, kLayoutFirst + 22}, {12036, kLayoutFirst + 23},
    {12037, kLayoutFirst + 24}, {12038, kLayoutFirst + 25}, {12039, kLayoutFirst + 26}, {12040, kLayoutFirst + 27},
    {12041, kLayoutFirst + 28}, {12042, kLayoutFirst + 29}, {12043, kLayoutFirst + 30}, {12044, kLayoutFirst + 31},
    {12045, kLayoutFirst + 32}, {12046, kLayoutFirst + 33}, {End, 0}};

// The content in one set's inks: the mail piece, the bound books, then the
// arrangement classes (1-up, 2, 4, 8, poster, booklet), portrait then landscape.
#define ZR_INK(base)                                                                                         \
    {                                                                                                        \
        {base + 0, kMail}, {base + 1, kPerfectSideways}, {base + 2, kPerfectTopBound}, {base + 3, kBookBoundP}, \
            {base + 4, kBookBoundL}, {base + 5, kClassFirst + 0}, {base + 6, kClassFirst + 1},                \
            {base + 7, kClassFirst + 2}, {base + 8, kClassFirst + 3}, {base + 9, kClassFirst + 4},            \
            {base + 10, kClassFirst + 5}, {base + 11, kClassFirst + 6}, {base + 12, kClassFirst + 7},         \
            {base + 13, kClassFirst + 8}, {base + 14, kClassFirst + 9}, {base + 15, kClassFirst + 10},        \
            {base + 16, kClassFirst + 11}, {End, 0}                                                           \
    }
const PreviewPair kInk[kPreviewSetCount][18] = {ZR_INK(12100), ZR_INK(12120), ZR_INK(12140), ZR_INK(12160),
                                               ZR_INK(12180), ZR_INK(12200), ZR_INK(12220)};

const PreviewPair kEdge[] = {{12306, kBookBoundP}, {12307, kBookBoundL}, {12308, kPerfect},
                             {12300, kEdgeFirst + 0}, {12301, kEdgeFirst + 1}, {12302, kEdgeFirst + 2},
                             {12303, kEdgeFirst + 3}, {12304, kEdgeFirst + 4}, {12305, kEdgeFirst + 5},
                             {End, 0}};
const PreviewPair kStaples[] = {{12310, kStaple10}, {12311, kStaple11P}, {12312, kStaple11L},
                                {12313, kStaple12Left}, {12314, kStaple12Top}, {12315, kStaple12RightP},
                                {12316, kStaple12RightL}, {12317, kStaple20P}, {12318, kStaple20L}, {End, 0}};
const PreviewPair kPunches[] = {
    {12320, kPunchFirst + 0}, {12321, kPunchFirst + 1}, {12322, kPunchFirst + 2}, {12323, kPunchFirst + 3},
    {12324, kPunchFirst + 4}, {12325, kPunchFirst + 5}, {12326, kPunchFirst + 6}, {12327, kPunchFirst + 7},
    {12328, kPunchFirst + 8}, {12329, kPunchFirst + 9}, {12330, kPunchFirst + 10}, {12331, kPunchFirst + 11},
    // a punch whose binding side has no drawing: the holes on the left
    {12320, kPunch1}, {12324, kPunch2}, {12328, kPunch3}, {End, 0}};
const PreviewPair kFolds[] = {
    {12340, kFoldFirst + 0}, {12341, kFoldFirst + 1}, {12342, kFoldFirst + 2}, {12343, kFoldFirst + 3},
    {12344, kFoldFirst + 4}, {12345, kFoldFirst + 5}, {12346, kFoldFirst + 6}, {12347, kFoldFirst + 7},
    {12348, kFoldFirst + 8}, {12349, kFoldFirst + 9}, {12350, kFoldFirst + 10}, {12351, kFoldFirst + 11},
    {12352, kFoldFirst + 12}, {12353, kFoldFirst + 13}, {12354, kFoldFirst + 14}, {12355, kFoldFirst + 15},
    // a fold without a direction: the fold across
    {12340, kFold1}, {12344, kFoldLetter}, {12352, kFold4}, {End, 0}};

#define ZR_SET(n) {kBackdrop, kSheet, kInk[n], kEdge, kStaples, kPunches, kFolds}
const PreviewPair* const kSets[kPreviewSetCount][kPreviewMainLayers] = {ZR_SET(0), ZR_SET(1), ZR_SET(2), ZR_SET(3),
                                                                        ZR_SET(4), ZR_SET(5), ZR_SET(6)};

// The output strip: the printer with its units, the paper's way in and
// out, then marks of what happens to it on the way.
const PreviewPair kStripBody[] = {{12400, kAlways}, {End, 0}};
const PreviewPair kStripUnits[] = {{12401, kBothUnits}, {12402, kInputUnitOnly}, {12403, kOneUnit}, {End, 0}};
const PreviewPair kStripInputTray[] = {{12410, kInTrayFirst + 0}, {12411, kInTrayFirst + 1}, {12412, kInTrayFirst + 2},
                                       {12413, kInTrayFirst + 3}, {12414, kInTrayFirst + 4}, {12415, kInTrayFirst + 5},
                                       {12416, kInTrayFirst + 6}, {End, 0}};
const PreviewPair kStripOutputTray[] = {
    {12428, kMail}, {12420, kOutTrayFirst + 0}, {12421, kOutTrayFirst + 1}, {12422, kOutTrayFirst + 2},
    {12423, kOutTrayFirst + 3}, {12424, kOutTrayFirst + 4}, {12425, kOutTrayFirst + 5}, {12426, kOutTrayFirst + 6},
    {12427, kOutTrayFirst + 7}, {End, 0}};
const PreviewPair kStripTwoSided[] = {{12430, kTwoSided}, {End, 0}};
const PreviewPair kStripStaple[] = {{12431, kStapleAny}, {End, 0}};
const PreviewPair kStripPunch[] = {{12432, kPunchAny}, {End, 0}};
const PreviewPair kStripFold[] = {{12433, kFoldAny}, {End, 0}};
const PreviewPair kStripBook[] = {{12434, kBookBound}, {12435, kPerfect}, {End, 0}};
const PreviewPair kStripFoldUnit[] = {{12436, kFoldUnit}, {End, 0}};
const PreviewPair kStripBooklet[] = {{12437, kClassBooklet}, {End, 0}};
const PreviewPair kStripMargin[] = {{12438, kSideMargin}, {End, 0}};
const PreviewPair* const kStrip[kPreviewStripLayers] = {
    kStripBody, kStripUnits, kStripInputTray, kStripOutputTray, kStripTwoSided, kStripStaple,
    kStripPunch, kStripFold, kStripBook, kStripFoldUnit, kStripBooklet, kStripMargin};

const PreviewTables kTables = {kConditions, kConditionCount,
                               {kSets[0], kSets[1], kSets[2], kSets[3], kSets[4], kSets[5], kSets[6]}, kStrip};

static_assert(sizeof kSheet / sizeof kSheet[0] == 48 && sizeof kInk[0] / sizeof kInk[0][0] == 18);
static_assert(sizeof kEdge / sizeof kEdge[0] == 10 && sizeof kStaples / sizeof kStaples[0] == 10);
static_assert(sizeof kPunches / sizeof kPunches[0] == 16 && sizeof kFolds / sizeof kFolds[0] == 20);

}  // namespace

const PreviewTables& DefaultPreviewTables() { return kTables; }

int PreviewKindOf(uint32_t control) { return control == 30255 ? kPreviewStrip : kPreviewMain; }

PreviewLayout PreviewLayoutOf(int kind) {
    if (kind == kPreviewStrip) return PreviewLayout{124, 32, 2, 2, 120, 28};
    return PreviewLayout{124, 104, 2, 2, 120, 100};
}
