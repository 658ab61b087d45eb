// The gamma-control dialog's rules.
#include "ui/gamma_dialog.h"

namespace {

// Label, edit, up-down and slider of chroma, red, green and blue.
constexpr uint32_t kColorValueControls[][4] = {
    {32118, 32119, 32120, 32122}, {32131, 32132, 32133, 32135}, {32137, 32138, 32139, 32141}, {32143, 32144, 32145, 32147}};

}  // namespace

uint16_t GammaDialogTemplate(const PrinterEnvironment& env) { return env.inkCount == 1 ? kGammaMonoDialog : kGammaDialog; }

int GammaColorValuesUsed(uint8_t colorMode) { return colorMode == 0 || colorMode == 1 || colorMode == 5 || colorMode == 7; }

int GammaPreviewInColor(uint8_t colorMode) { return colorMode == 0 || colorMode == 1 || colorMode == 5; }

void GammaDialogRules(const PageInput& in, PageState& page) {
    PrivateSettings& p = in.session->dm.priv;
    if (GammaColorValuesUsed(p.colorMode)) return;
    p.chroma_GammaControl = 0;
    p.colorRed_GammaControl = 0;
    p.colorGreen_GammaControl = 0;
    p.colorBlue_GammaControl = 0;
    for (int i = 0; i < page.controlCount; i++)
        for (const auto& value : kColorValueControls)
            for (uint32_t id : value)
                if (page.control[i].id == id) page.control[i].enabled = 0, page.control[i].value = 0;
}
