// Whether the printer must print the pages in reverse order so that the
// delivered stack comes out in reading order.
#include "rules/settings_application.h"

namespace {

bool OneSided(const PrivateSettings& p) {
    if (p.mixedSizeSupport == 1) return p.duplexType_MixedSize == 5;
    if (p.mixedSizeSupport == 0) return p.duplexType == 1;
    return true;
}

// The booklet tray (0): folds, stapling and offset decide.
uint8_t BookletTrayOrder(const PrivateSettings& p, const PrinterEnvironment& env) {
    if (p.mailMakingSupport == 1 || p.bookletBinding) return 1;
    if (p.blankPaperCutDown == 1) return 0;
    if (p.fold == 1) return p.direction_Fold == 2 && !OneSided(p);
    if (p.fold == 2 || p.fold == 3) return 1;
    if (p.staple || p.fold == 4) return 0;
    uint32_t delivery = p.outputMode == 2 ? p.headerValue[6] : p.outputMode == 3 ? p.headerValue[7] : p.headerValue[5];
    if (p.offsetOutput || (p.programPrint && p.offsetOutput_ProgramPrint))
        return env.outputUnit_Option == 22 && p.headerValue[4] == 1;
    if (p.punch) {
        if (p.coverSupport && (p.frontCover == 1 || p.backCover == 1)) return 0;
        return delivery != 3;
    }
    if (env.outputUnit_Option == 0) return 0;
    return p.headerValue[4] == 1 || delivery == 2 || delivery == 3 || delivery == 4 || delivery == 6 || delivery == 7;
}

}  // namespace

void ComputeReverseOrder(PrinterSession* session) {
    PrivateSettings& p = session->dm.priv;
    uint8_t r = 0;
    switch (p.outputTray) {
    case 0: r = BookletTrayOrder(p, session->env); break;
    case 2: case 3: case 4: case 6: case 7: r = p.faceUpDown_OutputTray == 1; break;
    case 5: r = p.mailMakingSupport == 1; break;
    default: r = 0; break;
    }
    p.reverseOrder = r;
}
