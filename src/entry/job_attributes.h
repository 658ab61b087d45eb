// DrvQueryJobAttributes: the N-up, booklet, page-order and copy attributes
// the spooler's print processor needs, from the resolved settings.
#pragma once
#include <cstdint>

#include "base/private_settings.h"
#include "platform/platform.h"

// Laid out as the spooler's ATTRIBUTE_INFO_4; levels 1 to 3 are its prefixes.
#pragma pack(push, 4)
struct JobAttributes {
    uint32_t jobPagesPerSide;
    uint32_t drvPagesPerSide;
    uint32_t nupBorderFlags;
    uint32_t jobPageOrderFlags;
    uint32_t drvPageOrderFlags;
    uint32_t jobCopies;
    uint32_t drvCopies;
    uint32_t colorOptimization;  // level 2 on
    int16_t printQuality;        // level 3 on
    int16_t yResolution;
    uint32_t duplexFlags;        // level 4
    uint32_t nupDirection;
    uint32_t bookletFlags;
    uint32_t scalingPercentX;
    uint32_t scalingPercentY;
};
#pragma pack(pop)
static_assert(sizeof(JobAttributes) == 56, "ATTRIBUTE_INFO_4 is 56 bytes");

// Bytes of the structure each level writes; 0 for an unknown level.
uint32_t JobAttributesSize(uint32_t level);

// The attribute table over a resolved private record. Print quality and
// resolution are left 0: they come from the caller's DEVMODE, not from it.
void ComputeJobAttributes(const PrivateSettings& settings, JobAttributes* out);

// Resolves the settings of the printer with the caller's DEVMODE (may be
// null) and computes the attributes, quality and resolution taken from that
// DEVMODE. 1, or 0 (last error 8 when memory ran out).
int QueryJobAttributesCore(PrinterHandle printer, void* devmode, JobAttributes* out);
