// The device rules: every setting the printer's model, its installed options
// or the administrator's colour restriction do not allow is removed or
// replaced. The rules run in a fixed order and each sees what the earlier
// ones left, so that, for instance, a mail-making job loses its two-sided
// setting before mail making itself is switched off on a printer without
// the envelope unit.
#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "base/tray_ids.h"
#include "rules/settings_application.h"
#include "settings/settings_observer.h"

namespace {

using Settings = PrivateSettings;

// Unit kinds of outputUnit_Option.
constexpr uint8_t kUnitNone = 0;
constexpr uint8_t kUnitMail = 23;
constexpr uint8_t kUnitPerfectBinding = 24;

bool In(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (v == s) return true;
    return false;
}

// Settings that a perfect-binding or mail-making job cannot carry.
constexpr size_t kJobKindCleared[] = {
    offsetof(Settings, imageRotation),   offsetof(Settings, mixedSizeSupport), offsetof(Settings, pluralPagesPerSheet),
    offsetof(Settings, singlePagesPerSheet), offsetof(Settings, booklet),      offsetof(Settings, staple),
    offsetof(Settings, punch),           offsetof(Settings, bookletBinding),   offsetof(Settings, offsetOutput),
    offsetof(Settings, coverSupport),    offsetof(Settings, slipSheet),        offsetof(Settings, continuousOutput),
    offsetof(Settings, programPrint),    offsetof(Settings, carbonCopySupport),
};

// Tray fields that follow the feed unit.
constexpr size_t kFeedTrays[] = {
    offsetof(Settings, inputTray),      offsetof(Settings, tray_SlipSheet),
    offsetof(Settings, tray_FrontCover), offsetof(Settings, tray_BackCover),
    offsetof(Settings, trayForCover_BookletBinding),
};

uint8_t& Byte(Settings& p, size_t off) { return reinterpret_cast<uint8_t*>(&p)[off]; }
uint16_t GetWord(const Settings& p, size_t off) {
    uint16_t v;
    std::memcpy(&v, reinterpret_cast<const uint8_t*>(&p) + off, 2);
    return v;
}
void SetWord(Settings& p, size_t off, uint16_t v) { std::memcpy(reinterpret_cast<uint8_t*>(&p) + off, &v, 2); }

// 1. Perfect binding and mail making are whole jobs of their own.
void SpecialJobKinds(Settings& p, const PrinterEnvironment&) {
    uint8_t kind = p.jobFlag[0];
    if (kind != 1 && kind != 2) return;
    for (size_t off : kJobKindCleared) Byte(p, off) = 0;
    if (kind == 2 || p.printCoverSeparately_PerfectBinding != 1) p.inputTray = kTrayAuto;
}

// 2. Tray codes follow the feed unit.
void FeedUnitTrays(Settings& p, const PrinterEnvironment& env) {
    uint16_t code = env.inputUnit_Option == 10 ? kTrayHighCapacity : kTrayStandardFeed;
    uint16_t other = code == kTrayHighCapacity ? kTrayStandardFeed : kTrayHighCapacity;
    // A single-tray model has no other tray to keep.
    for (size_t off : kFeedTrays)
        if (env.modelFS == 1 || GetWord(p, off) == other) SetWord(p, off, code);
    for (int i = 0; i < 4; i++)
        if (p.inputTrayPriority_CarbonCopy[i] == other) p.inputTrayPriority_CarbonCopy[i] = code;
}

// 3 to 7: offset output and the output tray follow the output unit.
void OutputTray(Settings& p, const PrinterEnvironment& env) {
    uint8_t unit = env.outputUnit_Option;
    bool unit2526 = unit == 25 || unit == 26;
    if (!env.offsetStapleTray_Option && In(unit, {0, 20, 21})) p.offsetOutput = 0;
    if (p.offsetOutput && p.outputTray == 3 && !unit2526) p.outputTray = 0;
    if (unit == kUnitNone) p.outputTray = 1;
    // Trays that exist only with one unit.
    struct TrayNeed { uint8_t tray, unitA, unitB; };
    static const TrayNeed kNeeds[] = {{2, 25, 26}, {3, 25, 26}, {4, 22, 22}, {7, 21, 21}};
    for (const TrayNeed& n : kNeeds)
        if (p.outputTray == n.tray && unit != n.unitA && unit != n.unitB) p.outputTray = 0;
    if (p.outputTray == 5 && unit != kUnitMail && p.mailMakingSupport == 1) p.outputTray = 0;
    if (p.outputTray == 0 || p.outputTray == 1) p.faceUpDown_OutputTray = 2;
}

// Switching a fold off; a z-fold of mixed sizes also drops the output size.
void ClearFold(Settings& p) {
    if (p.fold == 4 && p.mixedSizeSupport == 1) p.outputSize = 0;
    p.fold = 0;
}

// 8. Finishing that needs the finisher units.
void Finishing(Settings& p, const PrinterEnvironment& env) {
    uint8_t unit = env.outputUnit_Option;
    if (unit == 25 || unit == 26) {
        if (env.localArea == 0 && unit == 26) {
            p.bookletBinding = 0;
            if (p.fold == 1) p.fold = 0;
        }
        if (!env.foldUnit_Option && In(p.fold, {2, 3, 4})) ClearFold(p);
        return;
    }
    p.bookletBinding = 0;
    if (!env.offsetStapleTray_Option) p.staple = 0;
    p.punch = 0;
    if (p.fold != 0) ClearFold(p);
    if (p.continuousOutput == 1 && unit == kUnitNone) p.continuousOutput = 0;
}

// 9 and 10. Mail making and perfect binding: their jobs print one-sided from
// the automatic tray, then each is switched off without its unit unless a
// job ticket asked for it.
void SpecialUnits(Settings& p, const PrinterEnvironment& env) {
    if (p.mailMakingSupport == 1 || (p.perfectBindingSupport == 1 && p.printCoverSeparately_PerfectBinding != 1)) {
        p.duplexType = 1;
        p.inputTray = kTrayAuto;
        if (p.jobFlag[0] == 0) p.paperType = 257;
    }
    if (p.jobFlag[0] == 0) {
        if (env.outputUnit_Option != kUnitMail) p.mailMakingSupport = 0;
        if (env.outputUnit_Option != kUnitPerfectBinding) p.perfectBindingSupport = 0;
    }
    // 11. The envelope unit delivers only mail-making jobs to its own tray.
    if (env.outputUnit_Option == kUnitMail) {
        if (p.mailMakingSupport != 1) p.outputTray = 1;
        p.continuousOutput = 0;
    }
}

// 12 to 14. Folds, side margins, mixed sizes.
void Folds(Settings& p, const PrinterEnvironment& env) {
    if (In(p.fold, {1, 2, 3})) {
        p.sideMarginSupport = 0;
    } else if (p.fold == 4) {
        // A z-fold needs a standard large paper: A3 or Tabloid.
        if (p.outputSize >= 256) p.outputSize = env.unitOfLength == 0 ? 8 : 3;
    } else if (p.mixedSizeSupport == 1) {
        p.sideMarginSupport = 0;
    }
    if (p.mixedSizeSupport == 1 && p.fold != 4) p.outputSize = 0;
    if (p.fold == 4) {
        bool turned = p.originalOrientation == 1;
        if (In(p.pluralPagesPerSheet, {21, 22, 81, 82, 83, 88})) turned = !turned;
        else if (p.singlePagesPerSheet == 2 || p.singlePagesPerSheet == 8 || p.booklet) turned = !turned;
        if (turned) p.bindingSide_Fold = 1;
        p.faceUpDown_OutputTray = 2;
    }
}

// 15. Output to a storage folder or USB memory needs a usable folder.
void StorageOutput(Settings& p, const PrinterEnvironment& env) {
    if (p.outputMode != 1 && p.outputMode != 2) return;
    int k = p.destinationFolder_ToSave;
    bool usable = false;
    if (k == 0) usable = env.storageEnabled == 1 && env.storageState == 1;
    else if (k <= 100) usable = env.storageFolderPresent[k - 1] == 1 && env.storageFolderSelectable[k - 1] == 1;
    if (!usable) p.outputMode = 0;
}

// 16. Booklet binding delivers to the booklet tray.
void BookletBinding(Settings& p, const PrinterEnvironment&) {
    if (!p.bookletBinding) return;
    p.outputTray = 0;
    if (p.separateBooks_BookletBinding) {
        if (p.bookletBinding == 1) p.sheets_BookletBinding = 5;
        else if (p.bookletBinding == 2) p.sheets_BookletBinding = 15;
    }
}

// 18 to 21. Image mode and quality follow the inks and the paper.
void Quality(Settings& p, const PrinterEnvironment& env) {
    if (env.inkCount == 2) p.imageMode = 1;
    if (env.inkCount == 1 && p.imageQuality == 2) p.imageQuality = 1;
    // Special papers the printer may not know.
    struct PaperNeed { uint32_t type; uint8_t PrinterEnvironment::*support; };
    static const PaperNeed kNeeds[] = {{263, &PrinterEnvironment::lightPaperSupport},
                                       {264, &PrinterEnvironment::roughPaperSupport},
                                       {266, &PrinterEnvironment::pressPaperSupport}};
    for (const PaperNeed& n : kNeeds)
        if (p.paperType == n.type && env.*n.support != 1) p.paperType = 257;
    if (p.paperType == 266) p.imageQuality = 6;
    if (p.imageQuality == 5 && !In(static_cast<int>(p.paperType), {257, 260, 261, 262})) p.imageMode = 1;
}

// 22. Barcode areas need a definition file; their density follows the inks.
void Barcode(Settings& p, const PrinterEnvironment& env) {
    if (p.barcodeAreaDefinition == 1 && p.fileName_BarcodeAreaDefinition[0] == 0) {
        p.barcodeAreaDefinition = 0;
        p.proof_BarcodeAreaDefinition = 0;
        p.density_BarcodeAreaDefinition = 0;
        p.stroke_BarcodeAreaDefinition = 0;
        p.repeat_BarcodeAreaDefinition = 0;
        p.maxPageNumber_BarcodeAreaDefinition = 0;
        p.index_barcodeAreaDefinition = 0xFFFF;
    }
    int d = p.density_BarcodeAreaDefinition;
    if (In(env.inkCount, {2, 4, 5})) {
        bool ok = p.imageQuality == 2 ? In(d, {0, 1, 2, 11, 12}) : In(d, {0, 1, 2, 3, 11, 12, 13});
        if (!ok) p.density_BarcodeAreaDefinition = 0;
    } else if (env.inkCount == 1 && d != 0 && d != 11) {
        p.density_BarcodeAreaDefinition = 0;
    }
    bool off = p.barcodeAreaDefinition != 1 || p.colorMode == 3 || p.colorMode == 4;
    p.stroke_BarcodeAreaDefinition = off ? 0 : 1;
}

// 23 to 25. Last consequences.
void LastRules(Settings& p, const PrinterEnvironment&) {
    if (p.booklet || p.bookletBinding) p.duplexType = 3;
    if (p.paperType == 262 && !In(p.inputTray, {kTrayAuto, kTrayStandardFeed, kTrayHighCapacity})) p.paperType = 261;
    if (p.imageRotation) p.coverSupport = 0;
}

}  // namespace

void ApplyDeviceRestrictions(PrinterSession* session, PrinterHandle printer) {
    Settings& p = session->dm.priv;
    const PrinterEnvironment& env = session->env;
    SpecialJobKinds(p, env);
    NoteSettingsStep("device rule: special job kinds", session);
    FeedUnitTrays(p, env);
    NoteSettingsStep("device rule: feed unit trays", session);
    OutputTray(p, env);
    NoteSettingsStep("device rule: output tray", session);
    Finishing(p, env);
    NoteSettingsStep("device rule: finishing", session);
    SpecialUnits(p, env);
    NoteSettingsStep("device rule: special output units", session);
    Folds(p, env);
    NoteSettingsStep("device rule: folds", session);
    StorageOutput(p, env);
    NoteSettingsStep("device rule: storage output", session);
    BookletBinding(p, env);
    NoteSettingsStep("device rule: booklet binding", session);
    ApplyColorRestriction(printer, session);
    NoteSettingsStep("device rule: colour restriction", session);
    Quality(p, env);
    NoteSettingsStep("device rule: image quality", session);
    Barcode(p, env);
    NoteSettingsStep("device rule: barcode areas", session);
    LastRules(p, env);
    NoteSettingsStep("device rule: duplex, paper type and covers", session);
}
