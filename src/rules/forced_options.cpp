// Forced results of the constraint engine written back into the settings.
#include <cstring>

#include "rules/constraint_engine.h"
#include "rules/control_fields.h"

namespace {

#define P ZR_PRIVATE_FIELD
#define E ZR_ENVIRONMENT_FIELD

constexpr ControlField kTargets[] = {
    P(30211, colorMode), ControlField{30213, kDuplexField, 0, 0}, P(30214, duplexType_MixedSize), P(30216, copies),
    P(30218, proofPrint), P(30220, collate), P(30221, collate), P(30223, originalSize),
    P(30226, originalOrientation), P(30227, originalOrientation), P(30228, mixedSizeSupport),
    P(30230, zoomSupport), P(30235, outputSize), P(30237, inputTray), P(30241, paperType), P(30244, outputMode),
    P(30411, pluralPagesPerSheet), P(30413, singlePagesPerSheet), P(30415, booklet), P(30416, watermarkSupport),
    P(30418, stampSupport), P(30420, imagePositioning), P(30423, imageRotation), P(30511, bindingSide),
    P(30514, staple), P(30517, punch), P(30519, fold), P(32715, bindingSide_Fold), P(30522, bookletBinding),
    P(30525, offsetOutput), P(30528, slipSheet), P(30530, coverSupport), P(30533, outputTray),
    P(30535, continuousOutput),
    ControlField{30611, kImageModeField, offsetof(PrivateSettings, imageMode), 1}, P(30613, printDensity),
    ControlField{30615, kImageQualityField, offsetof(PrivateSettings, imageQuality), 1}, P(30621, textSmoothing),
    P(30627, halftoneScreening), P(30628, gammaControl), P(30632, barcodeAreaDefinition),
    P(30636, envelopeImageProcessing), P(30710, ownerNameSupport), P(30713, jobNameSupport),
    P(30716, passwordSupport), P(30725, programPrint), P(33105, offsetOutput_ProgramPrint),
    P(30728, printSpeed), P(30729, blankPaperCutDown), E(30026, inputUnit_Option),
    E(30028, outputUnit_Option), E(30032, offsetStapleTray_Option), E(30034, unitOfLength),
    E(30036, defaultPaperType), E(30047, environmentChoiceA), E(30038, lightPaperSupport),
    E(30040, roughPaperSupport), E(30056, pressPaperSupport), P(32617, autoReduce_SideMargin),
    P(32522, autoReduce_CenterMargin), P(33220, appliedPage_Watermark), P(33615, appliedPage_StampDate),
    P(33715, appliedPage_StampText), P(32811, faceUpDown_OutputTray), P(32511, separateBooks_BookletBinding),
    P(32523, printCoverSeparately_BookletBinding), P(32415, backCover), P(32215, maxDrop_ColorProfile),
    E(4023, printCheckLevel), P(30548, mailMakingSupport), P(30546, perfectBindingSupport),
    P(30742, carbonCopySupport),
};

#undef P
#undef E

}  // namespace

void ApplyForcedOptions(const ConstraintResult* results, int count, PrinterSession& s) {
    PrivateSettings& p = s.dm.priv;
    uint8_t* priv = reinterpret_cast<uint8_t*>(&p);
    uint8_t* env = reinterpret_cast<uint8_t*>(&s.env);
    for (int i = 0; results && i < count && i < kConstraintResultRoom; i++) {
        const ConstraintResult& r = results[i];
        if (r.kind != kForcedOption) continue;
        for (const ControlField& t : kTargets) {
            if (t.control != r.control) continue;
            switch (t.place) {
            case kPrivateField: WriteControlField(priv, t, r.value); break;
            case kEnvironmentField: WriteControlField(env, t, r.value); break;
            case kDuplexField:
                if (p.mixedSizeSupport == 1) p.duplexType_MixedSize = static_cast<uint16_t>(r.value);
                else p.duplexType = static_cast<uint16_t>(r.value);
                break;
            case kImageModeField:
                if (s.env.inkCount == 4 || s.env.inkCount == 5) p.imageMode = static_cast<uint8_t>(r.value);
                break;
            case kImageQualityField:
                p.imageQuality = static_cast<uint8_t>(r.value == 1 && (p.paperType == 260 || p.paperType == 262) ? 5 : r.value);
                break;
            default: break;
            }
            break;
        }
    }
    // Only the rotations the renderer knows survive, whatever forced them.
    if (p.imageRotation != 0 && p.imageRotation != 2 && p.imageRotation != 4 && p.imageRotation != 6 &&
        p.imageRotation != 8)
        p.imageRotation = 0;
}
