// Evaluating the preview's conditions and choosing its layers.
#include "ui/preview_conditions.h"

#include <cstring>

namespace {

constexpr int kReferenceDepth = 16;  // deeper chains of condition references are loops

int Evaluate(const PreviewTables& t, const PreviewSources& src, uint32_t id, int depth);

int FieldEquals(const uint8_t* base, uint32_t size, const PreviewTerm& term) {
    if (!base || term.size == 0 || term.size > 8 || term.offset > size || size - term.offset < term.size) return -1;
    uint64_t v = 0;
    std::memcpy(&v, base + term.offset, term.size);  // little-endian records
    return v == term.value ? 1 : 0;
}

int Term(const PreviewTables& t, const PreviewSources& src, const PreviewTerm& term, int depth) {
    int r;
    switch (term.kind) {
    case kTermPrivate: r = FieldEquals(src.priv, src.privSize, term); break;
    case kTermEnvironment: r = FieldEquals(src.env, src.envSize, term); break;
    case kTermSheet: r = FieldEquals(src.sheet, src.sheetSize, term); break;
    case kTermCondition:
        r = term.value > 0xFFFFFFFFu ? -1 : Evaluate(t, src, static_cast<uint32_t>(term.value), depth + 1);
        break;
    case kTermConstant: r = term.value != 0; break;
    default: r = -1; break;
    }
    if (term.negate && r >= 0) r = !r;
    return r;
}

int Evaluate(const PreviewTables& t, const PreviewSources& src, uint32_t id, int depth) {
    if (depth > kReferenceDepth || !t.condition || id >= static_cast<uint32_t>(t.conditionCount)) return -1;
    const PreviewCondition& c = t.condition[id];
    int result[kPreviewTermRoom];
    int defined = 0;
    for (int i = 0; i < kPreviewTermRoom; i++)
        if (c.term[i].used) result[defined++] = Term(t, src, c.term[i], depth);
    switch (c.mode) {
    case kPreviewAllOf:
        for (int i = 0; i < defined; i++)
            if (result[i] == 0) return 0;
        return 1;
    case kPreviewAnyOf:
        for (int i = 0; i < defined; i++)
            if (result[i] == 1) return 1;
        return 0;
    case kPreviewDiffer: {
        int common = -1;
        for (int i = 0; i < defined; i++) {
            if (result[i] < 0) continue;
            if (common >= 0 && result[i] != common) return 1;
            common = result[i];
        }
        return c.term[kPreviewTermRoom - 1].used ? 0 : common;
    }
    default: return -1;
    }
}

}  // namespace

PreviewSources PreviewSourcesOf(const PrinterSession& s, const SheetFacts& facts) {
    return PreviewSources{reinterpret_cast<const uint8_t*>(&s.dm.priv), sizeof s.dm.priv,
                          reinterpret_cast<const uint8_t*>(&s.env), sizeof s.env,
                          reinterpret_cast<const uint8_t*>(&facts), sizeof facts};
}

int EvaluatePreviewCondition(const PreviewTables& t, const PreviewSources& src, uint32_t id) {
    return Evaluate(t, src, id, 0);
}

uint32_t PreviewLayerImage(const PreviewTables& t, const PreviewSources& src, const PreviewPair* layer) {
    for (int i = 0; layer && layer[i].image < kPreviewLayerEnd; i++)
        if (EvaluatePreviewCondition(t, src, layer[i].condition) == 1) return layer[i].image;
    return kPreviewNoImage;
}

int PreviewSetNumber(uint32_t colorMode, uint32_t inkCount) {
    switch (colorMode) {
    case 0: return inkCount == 2 ? 2 : 1;
    case 2: return 4;
    case 3: return 3;
    case 4: return 5;
    case 5: return 2;
    case 6: return 6;
    case 7: return 7;
    default: return 1;
    }
}

int CollectPreviewImages(const PreviewTables& t, const PreviewSources& src, int kind, uint32_t colorMode,
                         uint32_t inkCount, uint32_t* images) {
    const PreviewPair* const* layers = kind == kPreviewMain ? t.mainSet[PreviewSetNumber(colorMode, inkCount) - 1]
                                       : kind == kPreviewStrip ? t.strip
                                                               : nullptr;
    int layerCount = kind == kPreviewMain ? kPreviewMainLayers : kPreviewStripLayers;
    int n = 0;
    for (int i = 0; layers && i < layerCount && n < kPreviewImageRoom; i++) {
        uint32_t image = PreviewLayerImage(t, src, layers[i]);
        if (image != kPreviewNoImage) images[n++] = image;
    }
    return n;
}

int PreviewImagesOf(const PrinterSession& s, const SheetFacts& facts, int kind, uint32_t* images) {
    return CollectPreviewImages(DefaultPreviewTables(), PreviewSourcesOf(s, facts), kind, s.dm.priv.colorMode,
                                s.env.inkCount, images);
}
