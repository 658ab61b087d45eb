// The 94 settings pairs the constraint engine reads, in their fixed order.
#include <cstring>

#include "rules/constraint_engine.h"
#include "rules/control_fields.h"

namespace {

#define P ZR_PRIVATE_FIELD
#define E ZR_ENVIRONMENT_FIELD
#define Z(control) ControlField{control, kNoField, 0, 0}

constexpr ControlField kPairs[kSettingsPairCount] = {
    P(30211, colorMode), ControlField{30213, kDuplexField, 0, 0}, P(30216, copies), P(30218, proofPrint),
    P(30220, collate), P(30223, originalSize),
    ControlField{30226, kSigned16Field, offsetof(PrivateSettings, originalOrientation), 2},
    P(30228, mixedSizeSupport), P(30230, zoomSupport), P(30235, outputSize), P(30237, inputTray),
    P(30241, paperType), P(30244, outputMode), P(30411, pluralPagesPerSheet), P(30413, singlePagesPerSheet),
    P(30415, booklet), P(30416, watermarkSupport), P(30418, stampSupport), P(30420, imagePositioning),
    P(30423, imageRotation), P(30511, bindingSide), P(30514, staple), P(30515, speedPriority), P(30517, punch),
    P(30519, fold), P(30522, bookletBinding), P(30525, offsetOutput), P(30528, slipSheet),
    P(30530, coverSupport), P(30533, outputTray), P(30535, continuousOutput), P(30611, imageMode),
    P(30613, printDensity), P(30615, imageQuality), P(30621, textSmoothing), P(30627, halftoneScreening),
    P(30628, gammaControl), Z(30630), P(30632, barcodeAreaDefinition), P(30635, proof_BarcodeAreaDefinition),
    P(30636, envelopeImageProcessing), P(30710, ownerNameSupport), P(30713, jobNameSupport),
    P(30718, hideJobName), Z(30730), P(30728, printSpeed), P(30729, blankPaperCutDown),
    E(30026, inputUnit_Option), E(30028, outputUnit_Option), E(30030, foldUnit_Option),
    E(30032, offsetStapleTray_Option), E(30034, unitOfLength), E(30036, defaultPaperType),
    E(30038, lightPaperSupport), E(30040, roughPaperSupport), E(30047, environmentChoiceA),
    P(31813, duplexTypeOfSmallerPage), P(31816, duplexTypeOfLargerPage), P(31818, rotateLargerPage),
    P(32712, direction_Fold), P(32715, bindingSide_Fold), P(33095, collate_ProgramPrint),
    P(33098, slipSheet_ProgramPrint), P(33105, offsetOutput_ProgramPrint),
    ControlField{kOutputBindingPositionControl, kBindingField, 0, 0}, Z(30238), P(30725, programPrint),
    P(32617, autoReduce_SideMargin), P(32522, autoReduce_CenterMargin), P(33220, appliedPage_Watermark),
    P(33615, appliedPage_StampDate), E(4017, inkCount), P(32811, faceUpDown_OutputTray),
    P(32511, separateBooks_BookletBinding), P(32523, printCoverSeparately_BookletBinding), P(32415, backCover),
    E(4023, printCheckLevel), E(4022, localArea), E(4003, outputSubOption), E(4021, a3OrA4), E(4019, modelFS),
    E(4018, modelColor), E(4016, usbMemoryOutputEnable), Z(0), Z(30723), P(32215, maxDrop_ColorProfile),
    Z(33820), Z(33824), E(30056, pressPaperSupport), Z(0), P(30548, mailMakingSupport),
    P(30546, perfectBindingSupport), P(30742, carbonCopySupport), P(33715, appliedPage_StampText),
};

#undef P
#undef E
#undef Z

bool IsOneOf(uint32_t layout, const uint32_t* values, size_t n) {
    for (size_t i = 0; i < n; i++)
        if (values[i] == layout) return true;
    return false;
}

}  // namespace

uint32_t OutputBindingPosition(const PrivateSettings& p) {
    uint32_t angle = p.angle_ImageRotation == 4 ? 270 : p.angle_ImageRotation == 6 ? 180
                     : p.angle_ImageRotation == 8 ? 90 : 0;
    bool quarter = angle == 90 || angle == 270;
    int orientation = static_cast<int16_t>(p.originalOrientation);
    bool portrait = orientation == 1;
    bool landscape = orientation == 2;
    if (p.pluralPagesPerSheet == 0 && p.singlePagesPerSheet == 0 && p.booklet == 0) {
        if (portrait) return quarter ? 0 : 1;
        if (landscape) return quarter ? 1 : 0;
        return 1;
    }
    if (p.pluralPagesPerSheet == 0 && p.singlePagesPerSheet == 0) return (!portrait) != quarter ? 1 : 0;
    bool turned;
    if (p.singlePagesPerSheet != 0) {
        turned = (portrait && (p.singlePagesPerSheet == 2 || p.singlePagesPerSheet == 8)) ||
                 (landscape && p.singlePagesPerSheet == 4);
    } else {
        static const uint32_t kPortrait[] = {21, 22, 81, 82, 83, 88};
        static const uint32_t kLandscape[] = {41, 42, 43, 44};
        turned = (portrait && IsOneOf(p.pluralPagesPerSheet, kPortrait, 6)) ||
                 (landscape && IsOneOf(p.pluralPagesPerSheet, kLandscape, 4));
    }
    return turned == quarter ? 1 : 0;
}

void BuildSettingsPairs(const PrinterSession& s, SettingsPairArray& out) {
    const PrivateSettings& p = s.dm.priv;
    const uint8_t* priv = reinterpret_cast<const uint8_t*>(&p);
    const uint8_t* env = reinterpret_cast<const uint8_t*>(&s.env);
    for (int i = 0; i < kSettingsPairCount; i++) {
        const ControlField& src = kPairs[i];
        uint32_t v = 0;
        switch (src.place) {
        case kPrivateField: v = ReadControlField(priv, src); break;
        case kEnvironmentField: v = ReadControlField(env, src); break;
        case kDuplexField: v = p.mixedSizeSupport == 1 ? p.duplexType_MixedSize : p.duplexType; break;
        case kSigned16Field: v = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(p.originalOrientation))); break;
        case kBindingField: v = OutputBindingPosition(p); break;
        default: break;
        }
        out.entry[i] = SettingsPair{src.control, 0, v, 0};
    }
}
