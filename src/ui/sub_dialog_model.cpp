// Which sub-dialog a page opens, and the mixed-size two-sided dialog's rules.
#include "ui/sub_dialog_model.h"

#include "ui/carbon_copy_dialog.h"
#include "ui/color_profile_dialog.h"
#include "ui/custom_paper_size.h"
#include "ui/form_overlay_dialog.h"
#include "ui/gamma_dialog.h"
#include "ui/image_page.h"
#include "ui/program_print_dialog.h"
#include "ui/version_info.h"
#include "ui/watermark_dialog.h"

namespace {

struct ButtonDialog {
    uint32_t button;
    uint16_t templateId;
};
const ButtonDialog kButtonDialogs[] = {
    {30229, kMixedDuplexDialog},  // mixed sizes, Basic tab
    {30239, kTrayPerPageDialog},  // tray per page, Basic tab
    {30245, kOutputModeDialog},   // output mode, Basic tab (a file mode browses instead)
    {30534, kOutputTrayDialog},   // output tray, Finishing tab
    {30631, kColorProfileDialog},    // colour profile, Image tab
    {30634, kBarcodeDensityDialog},  // barcode area density, Image tab
    {30743, kCarbonCopyDialog},      // carbon copy, Advanced tab
    {30731, kVersionDialog},         // version, Advanced tab
    {30726, kProgramPrintDialog},    // program print, Advanced tab
    {30724, kFormOverlayDialog},     // form overlay, Advanced tab
    {30629, kGammaDialog},           // gamma control, Image tab (one-ink models: their own template)
    {30421, 32000},               // image position, Layout tab
    {30417, kWatermarkDialog},    // watermark, Layout tab
    {30419, 33400},               // stamps, Layout tab
    {30512, 32600},               // binding margin, Finishing tab
    {30520, 32700},               // fold, Finishing tab
    {30523, 32500},               // booklet binding, Finishing tab
    {30531, 32400},               // covers, Finishing tab
    {30549, 32900},               // mail making, Finishing tab
    {30529, 32300},               // slip sheets, Finishing tab
    {30547, 33900},               // perfect binding, Finishing tab
};

constexpr uint32_t kOriginalSizeControl = 30223, kOutputSizeControl = 30235;
constexpr uint32_t kCustomPaper = 256;
constexpr uint32_t kPicture = 31810;
// Each radio pair is one choice: the second follows the first's state.
const uint32_t kRadioPairs[][2] = {{31813, 31814}, {31816, 31817}};

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

}  // namespace

uint16_t SubDialogOfButton(uint32_t control) {
    for (const ButtonDialog& b : kButtonDialogs)
        if (b.button == control) return b.templateId;
    return 0;
}

int CustomSizeTargetOfChoice(uint32_t control, uint32_t value) {
    if (value != kCustomPaper) return -1;
    if (control == kOriginalSizeControl) return kCustomOriginal;
    if (control == kOutputSizeControl) return kCustomOutput;
    return -1;
}

int ChangeSubDialogControl(uint16_t templateId, PageInput& in, uint32_t control, uint32_t value) {
    if (templateId == kColorProfileDialog && ChangeColorProfile(in, control, value)) return kChangeWritten;
    if (templateId == kFormOverlayDialog && ChangeFormOverlay(in, control, value)) return kChangeWritten;
    if (templateId == kWatermarkDialog && ChangeWatermarkChoice(in, control, value)) return kChangeWritten;
    return ChangePageControl(templateId, in, control, value, nullptr);
}

uint16_t MixedDuplexPicture(const PrivateSettings& p) {
    bool smallerLong = p.duplexTypeOfSmallerPage == 2, largerLong = p.duplexTypeOfLargerPage == 2;
    if (smallerLong) return largerLong ? 11977 : 11976;
    return largerLong ? 11975 : 11974;
}

void MixedDuplexRules(const PageInput& in, PageState& page) {
    if (ControlState* picture = Find(page, kPicture)) {
        picture->itemCount = 1;
        picture->item[0] = PageItem{MixedDuplexPicture(in.session->dm.priv), 0, kItemString};
    }
    for (const auto& pair : kRadioPairs) {
        ControlState* first = Find(page, pair[0]);
        ControlState* second = Find(page, pair[1]);
        if (first && second) second->enabled = first->enabled = first->enabled && second->enabled;
    }
}
