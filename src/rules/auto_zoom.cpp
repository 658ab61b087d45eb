// The zoom that fits one standard paper size onto another.
#include "rules/constraint_engine.h"

namespace {

enum Paper : uint16_t {
    kLetter = 1, kTabloid = 3, kLegal = 5, kStatement = 6, kA3 = 8, kA4 = 9, kA5 = 11, kB4 = 12, kB5 = 13,
    kPostcard = 43,
};

struct ZoomRow {
    uint16_t original;
    uint16_t output;
    uint16_t percent;
};

constexpr ZoomRow kZoom[] = {
    {kA3, kA4, 71}, {kA3, kB4, 87}, {kA3, kB5, 61},
    {kA4, kA3, 141}, {kA4, kB4, 122}, {kA4, kB5, 87},
    {kB4, kA3, 116}, {kB4, kA4, 82}, {kB4, kB5, 71},
    {kB5, kA3, 163}, {kB5, kA4, 116}, {kB5, kB4, 141}, {kB5, kA5, 82}, {kB5, kPostcard, 55},
    {kA5, kB5, 122},
    {kLetter, kTabloid, 129}, {kLetter, kStatement, 65},
    {kTabloid, kLetter, 65}, {kTabloid, kLegal, 78}, {kTabloid, kStatement, 50},
    {kLegal, kLetter, 78}, {kLegal, kTabloid, 121}, {kLegal, kStatement, 61},
    {kStatement, kLetter, 129}, {kStatement, kTabloid, 200}, {kStatement, kLegal, 154},
};

}  // namespace

uint16_t AutoZoomPercent(uint32_t originalSize, uint32_t outputSize) {
    if (outputSize == 0 || originalSize == outputSize) return 100;
    for (const ZoomRow& r : kZoom)
        if (r.original == originalSize && r.output == outputSize) return r.percent;
    return 0;
}

void ComputeAutoZoom(PrinterSession& s) {
    s.dm.priv.scale_Zoom = AutoZoomPercent(s.dm.priv.originalSize, s.dm.priv.outputSize);
}
