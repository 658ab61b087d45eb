// The Image tab's own rules. Its questions mirror the engine's cascade rules
// for image quality, gamma and envelope processing: where the engine would
// quietly replace a choice made on another page, the page asks first and a
// Yes writes what the engine would have written.
#include "ui/image_page.h"

#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/basic_page.h"
#include "ui/page_rules.h"

namespace {

enum ImageControl : uint32_t {
    kImageMode = 30611, kQuality = 30615, kGamma = 30628, kGammaDialog = 30629, kProfile = 30630,
    kProfileDialog = 30631, kBarcode = 30632, kBarcodeArea = 30633, kBarcodeDialog = 30634, kProof = 30635,
    kEnvelope = 30636, kOriginalText = 30640, kOutputText = 30642, kZoomText = 30643,
};
constexpr uint32_t kColorMode = 30211, kPaperType = 30241, kBlankCut = 30729;

constexpr uint32_t kColorModeNames[8] = {20025, 20033, 20035, 20036, 20037, 20034, 20038, 20039};
constexpr uint32_t kGammaName = 20269, kBlankCutName = 20314, kEnvelopeName = 20191, kPaperTypeName = 25034;
constexpr uint32_t kDefaultPaperType = 257, kPlainPaper = 258, kPressureSealPaper = 266;
constexpr uint32_t kFastQuality = 3, kInkjetQuality = 5, kPressQuality = 6;

uint32_t ColorModeName(uint32_t mode) { return mode < 8 ? kColorModeNames[mode] : kColorModeNames[0]; }

int InkjetPaper(uint32_t paperType) { return paperType == 260 || paperType == 262; }
// The models whose colour mode a quality may switch to colour.
int ColorModel(const PrinterEnvironment& env) {
    return env.modelColor == 40 || env.modelColor == 41 || env.modelColor == 50 || env.modelColor == 51;
}

// Whether a quality may print in a colour mode on a paper type.
int QualityFitsColor(const PrinterSession& s, uint32_t quality, uint32_t mode, uint32_t paperType) {
    if (mode == 1) return 1;
    if (quality == 2 && mode == 2) return 0;
    if (quality == kPressQuality && paperType != kPressureSealPaper) return 0;
    if (quality == kInkjetQuality && PlainPaper(EffectivePaperType(s, paperType))) return 0;
    return 1;
}
// Whether a quality may print on a paper type: inkjet papers take no standard
// quality and pressure-seal paper only its own.
int QualityFitsPaper(uint32_t quality, uint32_t paperType) {
    if (paperType == kPressureSealPaper) return quality == kPressQuality;
    return !(quality == 1 && InkjetPaper(paperType));
}

// The listed area whose name is exactly the job's, or -1.
int AreaNamed(const RetrievalTargets* lists, int count, const char16_t* name) {
    for (int i = 0; name[0] && i < count; i++) {
        int k = 0;
        while (k < kBarcodeNameUnits && lists->barcodeNames[i][k] && lists->barcodeNames[i][k] == name[k]) k++;
        if ((k == kBarcodeNameUnits || !lists->barcodeNames[i][k]) && (k >= 256 || !name[k])) return i;
    }
    return -1;
}

}  // namespace

int BarcodeAreaCount(const RetrievalTargets* lists) {
    int n = 0;
    while (lists && n < kBarcodeAreaSlots && lists->barcodeNames[n][0]) n++;
    return n;
}

int TakeBarcodeArea(PrivateSettings& p, const RetrievalTargets* lists, int slot) {
    if (slot < 0 || slot >= BarcodeAreaCount(lists)) return 0;
    char16_t name[256] = {};
    for (int k = 0; k < kBarcodeNameUnits && lists->barcodeNames[slot][k]; k++) name[k] = lists->barcodeNames[slot][k];
    for (int k = 0; k < 256; k++) p.fileName_BarcodeAreaDefinition[k] = name[k];
    p.index_barcodeAreaDefinition = static_cast<uint16_t>(slot);
    uint32_t repeat = lists->barcodeRepeats[slot], pages = lists->barcodeMaxPages[slot];
    p.repeat_BarcodeAreaDefinition = static_cast<uint16_t>(repeat > 0xFFFF ? 0xFFFF : repeat);
    p.maxPageNumber_BarcodeAreaDefinition = static_cast<uint16_t>(pages > 0xFFFF ? 0xFFFF : pages);
    return 1;
}

void ImagePageRules(const PageInput& in, PageState& page) {
    PrinterSession& s = *in.session;
    PrivateSettings& p = s.dm.priv;

    // The barcode areas: the printer's list, the job's area found by name.
    int areas = BarcodeAreaCount(in.printerLists);
    if (ControlState* combo = FindControl(page, kBarcodeArea)) {
        if (areas > 0) {
            char16_t name[256];
            for (int k = 0; k < 256; k++) name[k] = p.fileName_BarcodeAreaDefinition[k];
            name[255] = 0;
            int at = AreaNamed(in.printerLists, areas, name);
            TakeBarcodeArea(p, in.printerLists, at < 0 ? 0 : at);
            combo->selected = -1;
            for (int i = 0; i < combo->itemCount; i++)
                if (combo->item[i].value == p.index_barcodeAreaDefinition) combo->selected = i;
            combo->value = p.index_barcodeAreaDefinition;
        } else {
            combo->itemCount = 0;  // a job's area the printer does not list is not offered
            combo->selected = -1;
            combo->enabled = 0;
        }
    }
    if (areas == 0) EnableWhile(page, kBarcode, 0);
    int areaOn = p.barcodeAreaDefinition == 1 && areas > 0;
    EnableWhile(page, kBarcodeArea, areaOn);
    EnableWhile(page, kBarcodeDialog, areaOn);
    EnableWhile(page, kProof, areaOn);
    if (p.barcodeAreaDefinition != 1) {
        p.proof_BarcodeAreaDefinition = 0;
        if (ControlState* c = FindControl(page, kProof)) c->checked = 0, c->value = 0;
    }

    // A quality the engine does not offer for this model gives way to the
    // first one it offers, so the list never shows an empty choice.
    if (ControlState* quality = FindControl(page, kQuality)) {
        if (quality->selected < 0 && quality->itemCount > 0) {
            quality->selected = 0;
            quality->value = quality->item[0].value;
            p.imageQuality = static_cast<uint8_t>(quality->item[0].value);
        }
    }
    if (ControlState* gamma = FindControl(page, kGamma)) EnableWhile(page, kGammaDialog, gamma->enabled && p.gammaControl == 1);
    if (ControlState* profile = FindControl(page, kProfile)) EnableWhile(page, kProfileDialog, profile->itemCount > 0);

    SummaryTexts(page, s, kOriginalText, kOutputText, kZoomText);
}

int ImageChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    PageQuestion q;
    switch (control) {
    case kQuality: {
        if (value == p.imageQuality) return 0;
        uint32_t paper = p.paperType;
        StartPageQuestion(q, control, value, OptionName("imageQualities", value));
        if (!QualityFitsPaper(value, paper)) {
            AddQuestionCancel(q, kPaperType, kPlainPaper, MediaName(paper));
            paper = kPlainPaper;
        }
        if (ColorModel(s.env) && !QualityFitsColor(s, value, p.colorMode, paper))
            AddQuestionCancel(q, kColorMode, 1, ColorModeName(p.colorMode));
        break;
    }
    case kGamma:
        if (value != 1) return 0;
        StartPageQuestion(q, control, value, kGammaName);
        if (p.blankPaperCutDown) AddQuestionCancel(q, kBlankCut, 0, kBlankCutName);
        break;
    case kEnvelope:
        if (value != 1 || p.colorMode == 1) return 0;
        StartPageQuestion(q, control, value, kEnvelopeName);
        AddQuestionCancel(q, kColorMode, 1, ColorModeName(p.colorMode));
        break;
    default: return 0;
    }
    int asks = FinishPageQuestion(q);
    if (asks && question) *question = q;
    return asks;
}

void ImageChangeFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrinterSession& s = *in.session;
    PrivateSettings& p = s.dm.priv;
    switch (control) {
    case kQuality:
        // Inkjet quality prints photo mode on any paper but inkjet paper on
        // four and five ink models; a fast print keeps barcode areas at their
        // normal density, which the scanner reads.
        if (value == kInkjetQuality && p.imageMode == 2 && (s.env.inkCount == 4 || s.env.inkCount == 5)) {
            uint32_t paper = p.paperType;
            if (paper != 257 && paper != 260 && paper != 261 && paper != 262) p.imageMode = 1;
        }
        if (value == kFastQuality) p.density_BarcodeAreaDefinition = 0;
        break;
    case kBarcode:
        if (value != 1) break;
        if (!TakeBarcodeArea(p, in.printerLists, p.index_barcodeAreaDefinition)) TakeBarcodeArea(p, in.printerLists, 0);
        p.stroke_BarcodeAreaDefinition = s.env.inkCount == 1 ? 1 : 0;
        break;
    case kBarcodeArea: TakeBarcodeArea(p, in.printerLists, static_cast<int>(value)); break;
    default: break;
    }
}

void BarcodeDensityRules(const PageInput& in, PageState& page) {
    static const IdTableRow kDensities[] = {{20289, 12}, {20290, 11}, {20031, 0}};
    if (ControlState* c = FindControl(page, 31110))
        FillFromIdTable(*c, kDensities, 3, static_cast<uint32_t>(in.session->dm.priv.density_BarcodeAreaDefinition));
}
