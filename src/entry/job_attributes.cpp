#include "entry/job_attributes.h"

#include <cstdlib>
#include <cstring>

#include "rules/resolve.h"
#include "session/session_load.h"

namespace {

constexpr uint32_t kJobBlockSize = 230032;  // the session sits 8 bytes in
constexpr int kItemPrinterName = 14;

struct NupRow {
    uint8_t setting;
    uint32_t pages;
    uint32_t direction;
};

// pluralPagesPerSheet: tens digit pages, units digit the layout order.
const NupRow kNup[] = {
    {21, 2, 1}, {22, 2, 4},
    {41, 4, 1}, {42, 4, 2}, {43, 4, 4}, {44, 4, 8},
    {81, 8, 1}, {82, 8, 2}, {83, 8, 4}, {88, 8, 8},
};

}  // namespace

uint32_t JobAttributesSize(uint32_t level) {
    switch (level) {
    case 1: return 28;
    case 2: return 32;
    case 3: return 36;
    case 4: return sizeof(JobAttributes);
    default: return 0;
    }
}

void ComputeJobAttributes(const PrivateSettings& s, JobAttributes* out) {
    std::memset(out, 0, sizeof *out);
    uint32_t pages = 1, direction = 1, order = s.reverseOrder != 1 ? 1u : 0u, booklet = 0;
    if (s.booklet != 0) {
        pages = 2;
        order = 2;
        booklet = s.reverseOrder != 1 ? 1u : 0u;
    } else if (s.pluralPagesPerSheet != 0) {
        for (const NupRow& row : kNup) {
            if (row.setting == s.pluralPagesPerSheet) {
                pages = row.pages;
                direction = row.direction;
            }
        }
    }
    out->jobPagesPerSide = pages;
    out->drvPagesPerSide = 1;
    out->nupBorderFlags = 1;
    out->jobPageOrderFlags = order;
    out->drvPageOrderFlags = order;
    int copies = s.copies < 1 ? 1 : s.copies;  // int16_t: never above 32767
    out->jobCopies = static_cast<uint32_t>(copies);
    out->drvCopies = 32767;
    out->duplexFlags = 2;
    out->nupDirection = direction;
    out->bookletFlags = booklet;
    out->scalingPercentX = s.scale_Zoom;
    out->scalingPercentY = s.scale_Zoom;
}

int QueryJobAttributesCore(PrinterHandle printer, void* devmode, JobAttributes* out) {
    char16_t name[32];
    if (!GetPrinterInfoItem(printer, nullptr, name, sizeof name, kItemPrinterName)) return 0;
    uint8_t* block = static_cast<uint8_t*>(std::calloc(1, kJobBlockSize));
    if (!block) {
        Sys().SetLastError(kErrNotEnoughMemory);
        return 0;
    }
    PrinterSession* session = reinterpret_cast<PrinterSession*>(block + 8);
    int ok = _UdcResolveSelfDMode(session, devmode, printer, name, nullptr, kResolveWholeSession | kResolveInput,
                                  kCallerJobAttributes) == 1;
    if (ok) {
        ComputeJobAttributes(session->dm.priv, out);
        if (devmode) {
            const uint8_t* in = static_cast<const uint8_t*>(devmode);
            std::memcpy(&out->printQuality, in + offsetof(PublicDevMode, dmPrintQuality), 2);
            std::memcpy(&out->yResolution, in + offsetof(PublicDevMode, dmYResolution), 2);
        }
    }
    std::free(block);
    return ok;
}
