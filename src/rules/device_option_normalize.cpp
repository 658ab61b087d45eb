// Finishing, paper and tray choices fitted to the installed device options
// before a page builds its settings pairs.
#include "base/tray_ids.h"
#include "rules/constraint_engine.h"

void NormalizeDeviceOptionSettings(PrinterSession& s) {
    PrivateSettings& p = s.dm.priv;
    const PrinterEnvironment& e = s.env;
    const uint8_t unit = e.outputUnit_Option;
    const bool stapleTray = e.offsetStapleTray_Option != 0;
    if (unit == 0) {
        if (!stapleTray) p.staple = 0;
        p.punch = 0;
        p.fold = 0;
        p.bookletBinding = 0;
        p.continuousOutput = 0;
        // Without an output unit only the main tray is left, except that tray
        // 0 stays for an offset or stapled job.
        bool keepZero = p.outputTray == 0 &&
                        ((p.programPrint == 1 && p.offsetOutput_ProgramPrint != 0) || p.staple != 0 ||
                         p.offsetOutput != 0);
        if (!keepZero) p.outputTray = 1;
        if (!stapleTray) p.offsetOutput = 0;
    } else if (unit == 20 || unit == 21) {
        if (!stapleTray) {
            p.offsetOutput = 0;
            p.staple = 0;
        }
        p.punch = 0;
        p.fold = 0;
        p.bookletBinding = 0;
        if (unit == 20) p.continuousOutput = 0;
        bool keep = p.outputTray == 1 || (unit == 20 && p.outputTray == 6) || (unit == 21 && p.outputTray == 7);
        if (!keep) p.outputTray = 0;
    }
    if ((unit == 25 && p.punch == 2) || (unit == 26 && p.punch == 3)) p.punch = 0;
    if (e.outputSubOption == 0) p.bookletBinding = 0;
    if (e.foldUnit_Option == 0 && p.fold != 1) p.fold = 0;
    if (p.paperType == 263 && e.lightPaperSupport == 0) p.paperType = 257;
    if (p.paperType == 264 && e.roughPaperSupport == 0) p.paperType = 257;
    if (e.modelFS == 1) {
        uint16_t tray = e.inputUnit_Option == 10 ? kTrayHighCapacity : kTrayStandardFeed;
        p.inputTray = tray;
        p.tray_SlipSheet_ProgramPrint = tray;
        p.trayForCover_BookletBinding = tray;
        p.slipSheet = 0;
        p.coverSupport = 0;
        p.slipSheet_ProgramPrint = 0;
        p.number_SlipSheet_ProgramPrint = 0;
        p.mixedSizeSupport = 0;
    }
    if (e.inkCount == 2) p.imageMode = 1;
}
