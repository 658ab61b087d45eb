// The layered preview picture of the pages: up to seven stacked pictures of
// the resource module, each layer picking the first of its pictures whose
// condition holds over the settings. Conditions and layers are data
// (preview_tables.cpp); this is their evaluation, with no window involved.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

enum PreviewTermKind : uint8_t {
    kTermPrivate,      // a field of the private settings record
    kTermEnvironment,  // a field of the printer environment record
    kTermSheet,        // a field of the sheet facts
    kTermCondition,    // the result of another condition, by id (the value)
    kTermConstant,     // true when the value is not zero
    kTermNone,         // no term: not evaluable
};

enum PreviewMode : uint8_t {
    kPreviewAllOf = 0,   // 0 if any term gave 0, else 1
    kPreviewAnyOf = 1,   // 1 if any term gave 1, else 0
    kPreviewDiffer = 2,  // 1 when two evaluable terms differ (see EvaluatePreviewCondition)
};

struct PreviewTerm {
    uint8_t used;
    uint8_t negate;  // swaps 1 and 0, leaves -1
    uint8_t kind;    // PreviewTermKind
    uint32_t offset;
    uint8_t size;    // 1..8 bytes, little-endian
    uint64_t value;
    const char* name;  // the field's name, for diagnostics
};

constexpr int kPreviewTermRoom = 5;
struct PreviewCondition {
    uint8_t mode;  // PreviewMode
    PreviewTerm term[kPreviewTermRoom];
};

// A layer: pairs ended by an image id of kPreviewLayerEnd or more.
struct PreviewPair {
    uint32_t image;
    uint32_t condition;
};
constexpr uint32_t kPreviewLayerEnd = 0xFFFFFFFE;
constexpr uint32_t kPreviewNoImage = 0xFFFFFFFF;

constexpr int kPreviewImageRoom = 7;  // pictures stacked at most
constexpr int kPreviewSetCount = 7;   // layer sets of the main preview, by colour mode
constexpr int kPreviewMainLayers = 7;
constexpr int kPreviewStripLayers = 12;

enum PreviewKind { kPreviewMain = 0, kPreviewStrip = 1 };

struct PreviewTables {
    const PreviewCondition* condition;
    int conditionCount;
    const PreviewPair* const* mainSet[kPreviewSetCount];  // each kPreviewMainLayers layers
    const PreviewPair* const* strip;                      // kPreviewStripLayers layers
};

// The records the terms read; a null record makes its terms not evaluable.
struct PreviewSources {
    const uint8_t* priv;
    uint32_t privSize;
    const uint8_t* env;
    uint32_t envSize;
    const uint8_t* sheet;
    uint32_t sheetSize;
};
PreviewSources PreviewSourcesOf(const PrinterSession& s, const SheetFacts& facts);

// 1, 0 or -1 (not evaluable; also an id outside the table or a chain of
// condition references too deep to be anything but a loop).
int EvaluatePreviewCondition(const PreviewTables& t, const PreviewSources& src, uint32_t id);
// The image of the first pair whose condition gives 1, else kPreviewNoImage.
uint32_t PreviewLayerImage(const PreviewTables& t, const PreviewSources& src, const PreviewPair* layer);
// The main preview's layer set 1..7 for a colour mode and ink count.
int PreviewSetNumber(uint32_t colorMode, uint32_t inkCount);
// The images of a preview kind in layer order, layers without one skipped,
// at most kPreviewImageRoom; returns their count.
int CollectPreviewImages(const PreviewTables& t, const PreviewSources& src, int kind, uint32_t colorMode,
                         uint32_t inkCount, uint32_t* images);

// The driver's own tables (176 conditions), and a page's preview by them.
const PreviewTables& DefaultPreviewTables();
int PreviewImagesOf(const PrinterSession& s, const SheetFacts& facts, int kind, uint32_t* images);
// The preview kind a preview control shows.
int PreviewKindOf(uint32_t control);

// Pixel sizes of the panels and the rectangle the pictures fill.
struct PreviewLayout {
    int width, height;                   // the panel
    int left, top, layoutW, layoutH;     // where each picture goes (its own size)
};
PreviewLayout PreviewLayoutOf(int kind);
