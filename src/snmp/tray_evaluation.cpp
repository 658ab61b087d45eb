#include "snmp/tray_evaluation.h"

#include "base/tray_ids.h"
#include "diagnostics/log.h"

namespace {

struct OutputModeRow {
    uint32_t reading;
    int32_t code;
    const char* logEnding;
};

const OutputModeRow kOutputModes[] = {
    {0, 1, "facedown tray \n"},       {7, 1, "facedown tray \n"}, {1, 7, "auto tray \n"},
    {2, 2, "top tray \n"},            {3, 3, "stack tray \n"},    {6, 6, "wide stacker \n"},
    {8, 4, "high catpcity feeder \n"},
};

struct PaperTypeRow {
    uint32_t driverType;
    const char* name;
};

// Indexed by the printer's coding 0..9; 0 and 1 are plain paper.
const PaperTypeRow kPaperTypes[] = {
    {258, "PAPER_TYPE_PLAIN"},         {258, "PAPER_TYPE_PLAIN"},        {259, "PAPER_TYPE_IJ"},
    {260, "PAPER_TYPE_IJ_MATT"},       {261, "PAPER_TYPE_HIGH_QUALITY"}, {262, "PAPER_TYPE_IJ_POST_CARD"},
    {263, "PAPER_TYPE_LIGHT"},         {263, "PAPER_TYPE_LIGHT"},        {264, "PAPER_TYPE_ROUGH"},
    {265, "PAPER_TYPE_SEMIGLOSS"},
};

const char16_t* const kPaperTypeLogNames[] = {u"指定しない", u"普通紙",   u"IJ用紙", u"IJマット紙",
                                              u"高品位紙",   u"IJハガキ", u"軽量紙", u"更紙"};

const char* const kSlotResultNames[kTraySlotCount] = {"high capacity feeder", "feeder", "tray3", "tray2", "tray1"};

// The evaluation's own lines stand out in the log by this indent.
#define INDENT "                          "
static_assert(sizeof(INDENT) == 27, "26 spaces");

constexpr int32_t kTolerance = 10;  // 0.1 mm either way in the tolerant sweeps

bool Near(int32_t a, int32_t b, int32_t tolerance) {
    int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return d >= -tolerance && d <= tolerance;
}

struct Search {
    const TrayEntry* trays;
    int32_t width, length;  // the searched size
    int rotationAllowed;
    int firstPass;          // 1, or 2 when the printer prefers the other orientation
    PrinterTrayInfo* info;
};

// One tray against the searched size in one orientation pass; a match in
// pass 1 always asks for the rotated feed.
int TestTray(const Search& s, int slot, int pass, int32_t tolerance) {
    const TrayEntry& t = s.trays[slot];
    if (t.status != 1 || t.autoSelect != 1) return 0;
    if (pass == 1 ? t.length > t.width : t.width > t.length) return 0;
    int32_t rotation = 0;
    if (Near(t.width, s.width, tolerance) && Near(t.length, s.length, tolerance)) {
        rotation = 2;
    } else if (s.rotationAllowed == 1 && Near(t.length, s.width, tolerance) && Near(t.width, s.length, tolerance)) {
        rotation = pass == 1 ? 8 : 4;
    } else {
        return 0;
    }
    s.info->trayIndex = slot;
    s.info->rotation = rotation;
    if (pass == 1) s.info->rotateFlag = 1;
    return 1;
}

// Exact sweeps in both passes, then tolerant ones, over the slots in mask.
int Sweep(const Search& s, unsigned mask) {
    const int passes[2] = {s.firstPass, 3 - s.firstPass};
    for (int32_t tolerance : {0, kTolerance}) {
        for (int pass : passes) {
            for (int slot = 0; slot < kTraySlotCount; ++slot) {
                if ((mask & (1u << slot)) && TestTray(s, slot, pass, tolerance)) return 1;
            }
        }
    }
    return 0;
}

// A typed search looks among the trays loaded with the requested type
// first, then among all of them.
int SearchTrays(const Search& s, uint32_t requestedType) {
    const unsigned all = (1u << kTraySlotCount) - 1;
    if (requestedType != kPaperTypeAny) {
        unsigned typed = 0;
        for (int slot = 0; slot < kTraySlotCount; ++slot) {
            if (DriverPaperType(s.trays[slot].paperType) == requestedType) typed |= 1u << slot;
        }
        if (Sweep(s, typed)) return 1;
    }
    return Sweep(s, all);
}

int32_t RequestedSlot(uint16_t inputTray) {
    switch (inputTray) {
    case kTrayStandardFeed: return 1;
    case kTray1: return 4;
    case kTray2: return 3;
    case kTray3: return 2;
    default: return 0;  // 7, 261 and trays the printer does not report
    }
}

// The size of a paper id as the job sees it: the custom size (0.01 mm to
// 0.1 mm, truncated) or the listed size; unchanged when not listed.
void JobPaperSize(uint16_t paper, int32_t customWidth, int32_t customLength, PaperSizeLookup lookup, void* context,
                  int32_t* width, int32_t* length) {
    if (paper == 256) {
        *width = customWidth / 10;
        *length = customLength / 10;
    } else if (paper != 0 && lookup != nullptr) {
        lookup(context, paper, width, length);
    }
}

bool TurnsPage(const PrivateSettings& job) {
    switch (job.pluralPagesPerSheet) {
    case 21: case 22: case 81: case 82: case 83: case 88: return true;
    default: break;
    }
    return job.singlePagesPerSheet == 2 || job.singlePagesPerSheet == 8 || job.booklet != 0;
}

int32_t ImageRotationAngle(uint8_t imageRotation) {
    static const int32_t kAngles[] = {45, 90, 135, 180, 225, 270, 315, 360};
    return imageRotation >= 3 && imageRotation <= 10 ? kAngles[imageRotation - 3] : 0;
}

}  // namespace

int32_t OutputTrayModeCode(uint32_t reading, int32_t previous) {
    for (const OutputModeRow& row : kOutputModes) {
        if (row.reading == reading) {
            DrvLog(nullptr, "SNMP Tray Info : mode by output tray -- %hs", row.logEnding);
            return row.code;
        }
    }
    return previous;
}

uint32_t DriverPaperType(uint32_t printerCoding) {
    return printerCoding < sizeof kPaperTypes / sizeof kPaperTypes[0] ? kPaperTypes[printerCoding].driverType
                                                                      : kPaperTypePlain;
}

const char16_t* PrinterPaperTypeLogName(uint32_t printerCoding) {
    return printerCoding < sizeof kPaperTypeLogNames / sizeof kPaperTypeLogNames[0] ? kPaperTypeLogNames[printerCoding]
                                                                                    : kPaperTypeLogNames[0];
}

int EvaluateTrays(const PrivateSettings& job, uint8_t a3OrA4, uint32_t defaultPaperType, PaperSizeLookup lookup,
                  void* lookupContext, PrinterTrayInfo* info) {
    info->trayIndex = -1;
    info->rotateFlag = 0;
    info->paperType = -1;
    info->rotation = -1;

    int32_t w = 0, l = 0;
    if (job.outputSize != 0) {
        JobPaperSize(job.outputSize, job.outputWidth_mm_CustomPaper, job.outputLength_mm_CustomPaper, lookup,
                     lookupContext, &w, &l);
    } else {
        JobPaperSize(job.originalSize, job.originalWidth_mm_CustomPaper, job.originalLength_mm_CustomPaper, lookup,
                     lookupContext, &w, &l);
    }

    bool portrait = job.originalOrientation == 1;
    if (job.mixedSizeSupport == 0 && TurnsPage(job)) portrait = !portrait;
    if (!portrait) {
        int32_t t = w;
        w = l;
        l = t;
    }
    DrvLog(nullptr, "SNMP Auto rotation info : original paper size  horizontal=%d vertical=%d\n", w, l);

    Search s = {info->trays, w, l, 0, a3OrA4 == 1 ? 2 : 1, info};
    if (job.imageRotation == 4 || job.imageRotation == 8) {
        s.width = l;
        s.length = w;
    }
    if (job.inputTray != kInputTrayAuto) {
        // The chosen tray stays the answer even when its paper does not fit.
        int32_t slot = RequestedSlot(job.inputTray);
        info->trayIndex = slot;
        s.rotationAllowed = 1;
        if (!TestTray(s, slot, s.firstPass, kTolerance)) TestTray(s, slot, 3 - s.firstPass, kTolerance);
    } else {
        s.rotationAllowed = job.imageRotation != 0 ? 0 : 1;
        SearchTrays(s, job.paperType);
    }

    if (job.paperType == kPaperTypeAny) {
        if (info->trayIndex >= 0) {
            uint32_t loaded = info->trays[info->trayIndex].paperType;
            DrvLog(nullptr, INDENT "search tray result=%hs\n", kSlotResultNames[info->trayIndex]);
            uint32_t type = DriverPaperType(loaded);
            info->paperType = static_cast<int32_t>(type);
            DrvLog(nullptr, INDENT "process paperType=%hs\n",
                   loaded < sizeof kPaperTypes / sizeof kPaperTypes[0] ? kPaperTypes[loaded].name : "PAPER_TYPE_PLAIN");
        } else {
            DrvLog(nullptr, INDENT "search tray result=no match\n");
            if (defaultPaperType == kPaperTypeAny) {
                info->paperType = static_cast<int32_t>(kPaperTypePlain);
                DrvLog(nullptr, INDENT "process paperType=PAPER_TYPE_PLAIN\n");
            } else {
                info->paperType = static_cast<int32_t>(defaultPaperType);
                DrvLog(nullptr, INDENT "process paperType=PAPER_TYPE_ANY\n");
            }
        }
    } else {
        info->paperType = static_cast<int32_t>(job.paperType);
    }

    if (job.imageRotation != 0) {
        info->rotation = ImageRotationAngle(job.imageRotation);
    } else if (info->rotation == -1) {
        uint16_t size = job.outputSize != 0 ? job.outputSize : job.originalSize;
        bool large = size == 1 || size == 9 || size == 13;
        info->rotation = large && a3OrA4 == 0 ? 8 : 2;
        if (a3OrA4 != 1 && large) info->rotateFlag = 1;
    }
    switch (info->rotation) {
    case 2: DrvLog(nullptr, INDENT "process rotation=0degree\n"); break;
    case 4: DrvLog(nullptr, INDENT "process rotation=90degree\n"); break;
    case 6: DrvLog(nullptr, INDENT "process rotation=180degree\n"); break;
    case 8: DrvLog(nullptr, INDENT "process rotation=270degree\n"); break;
    default: DrvLog(nullptr, INDENT "process rotation=unknown\n"); break;
    }

    info->feedFlag = info->trayIndex >= 0 && info->trays[info->trayIndex].feedSetting == 3 ? 1 : 0;
    return 1;
}
