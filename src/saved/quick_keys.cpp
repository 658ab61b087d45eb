#include "saved/quick_keys.h"

#include <cstring>

#include "base/private_settings.h"

namespace {

// Size and offset as listed must be the struct member's, so a change of the
// record layout cannot silently move a saved setting.
template <size_t ActualSize, size_t ActualOffset, size_t Size, size_t Offset>
constexpr QuickKey CheckedKey(const char* key, uint16_t length) {
    static_assert(ActualSize == Size, "key size differs from the field");
    static_assert(ActualOffset == Offset, "key offset differs from the field");
    return QuickKey{kQuickKeyTag, length, key, static_cast<uint16_t>(Size), static_cast<uint16_t>(Offset)};
}

#define KEY(f, size, off)                                                                                    \
    CheckedKey<sizeof(PrivateSettings::f), offsetof(PrivateSettings, f), size, off>(#f, sizeof(#f) - 1)

constexpr QuickKey kKeys[] = {
    KEY(duplexType, 2, 372),
    KEY(duplexType_MixedSize, 2, 374),
    KEY(originalSize, 2, 376),
    KEY(originalOrientation, 2, 378),
    KEY(mixedSizeSupport, 1, 382),
    KEY(duplexTypeOfSmallerPage, 1, 383),
    KEY(duplexTypeOfLargerPage, 1, 384),
    KEY(rotateLargerPage, 1, 385),
    KEY(zoomSupport, 1, 386),
    KEY(scale_Zoom, 2, 388),
    KEY(outputSize, 2, 390),
    KEY(inputTray, 2, 392),
    KEY(paperType, 4, 396),
    KEY(pluralPagesPerSheet, 1, 400),
    KEY(singlePagesPerSheet, 1, 401),
    KEY(booklet, 1, 402),
    KEY(watermarkSupport, 1, 403),
    KEY(text_Watermark, 128, 404),
    KEY(appliedPage_Watermark, 1, 532),
    KEY(font_Watermark, 128, 534),
    KEY(style_Watermark, 1, 662),
    KEY(size_Watermark, 2, 664),
    KEY(color_Watermark, 1, 666),
    KEY(colorRed_Watermark, 1, 667),
    KEY(colorGreen_Watermark, 1, 668),
    KEY(colorBlue_Watermark, 1, 669),
    KEY(transparency_Watermark, 2, 670),
    KEY(frame_Watermark, 1, 672),
    KEY(rotation_Watermark, 1, 673),
    KEY(angle_Watermark, 2, 674),
    KEY(position_Watermark, 1, 676),
    KEY(X_axisPosition_Watermark, 2, 678),
    KEY(Y_axisPosition_Watermark, 2, 680),
    KEY(textType_Watermark, 1, 682),
    KEY(index_SelectText_Watermark, 2, 684),
    KEY(inputText_Watermark, 128, 686),
    KEY(stampSupport, 1, 814),
    KEY(stampPageSupport, 1, 815),
    KEY(transparency_StampPage, 1, 816),
    KEY(startNumber_StampPage, 2, 818),
    KEY(startPage_StampPage, 2, 820),
    KEY(position_StampPage, 1, 822),
    KEY(font_StampPage, 128, 824),
    KEY(style_StampPage, 1, 952),
    KEY(size_StampPage, 2, 954),
    KEY(stampDateSupport, 1, 956),
    KEY(transparency_StampDate, 1, 957),
    KEY(appliedPage_StampDate, 1, 958),
    KEY(date_StampDate, 1, 959),
    KEY(specifiedDate_StampDate, 48, 960),
    KEY(position_StampDate, 1, 1008),
    KEY(font_StampDate, 128, 1010),
    KEY(style_StampDate, 1, 1138),
    KEY(size_StampDate, 2, 1140),
    KEY(imageRotation, 1, 1142),
    KEY(angle_ImageRotation, 1, 1143),
    KEY(bindingSide, 1, 1144),
    KEY(sideMarginSupport, 1, 1145),
    KEY(width_mm_SideMargin, 2, 1146),
    KEY(width_inch_SideMargin, 2, 1148),
    KEY(autoReduce_SideMargin, 1, 1150),
    KEY(reverseOrder_UI, 1, 1151),
    KEY(reverseOrder, 1, 1152),
    KEY(originalWidth_mm_CustomPaper, 4, 1156),
    KEY(originalLength_mm_CustomPaper, 4, 1160),
    KEY(outputWidth_mm_CustomPaper, 4, 1164),
    KEY(outputLength_mm_CustomPaper, 4, 1168),
    KEY(outputWidth_mm, 4, 1172),
    KEY(outputLength_mm, 4, 1176),
    KEY(accountingPage, 1, 1180),
    KEY(pageCount, 4, 1184),
    KEY(colorMode, 1, 1223),
    KEY(copies, 2, 1224),
    KEY(proofPrint, 1, 1226),
    KEY(printDensity, 1, 1227),
    KEY(collate, 1, 1228),
    KEY(traySelectPerPage, 1, 1229),
    KEY(standardTray_TraySelectPerPage, 500, 1230),
    KEY(tray1_TraySelectPerPage, 500, 1730),
    KEY(tray2_TraySelectPerPage, 500, 2230),
    KEY(tray3_TraySelectPerPage, 500, 2730),
    KEY(repeat_traySerectPerPage, 1, 8584),
    KEY(repeatPageNumber_traySerectPerPage, 2, 8586),
    KEY(outputMode, 1, 3230),
    KEY(destinationFolder_ToSave, 1, 3231),
    KEY(driveOfUSB_ToSave, 1, 3232),
    KEY(destinationFolderOfUSB_ToSave, 1, 3233),
    KEY(destinationFolderOfFile_ToSave, 512, 3234),
    KEY(imagePositioning, 1, 3746),
    KEY(verticalPosition_mm_FrontSide, 2, 3748),
    KEY(verticalPosition_inch_FrontSide, 2, 3750),
    KEY(horizontalPosition_mm_FrontSide, 2, 3752),
    KEY(horizontalPosition_inch_FrontSide, 2, 3754),
    KEY(verticalPosition_mm_BackSide, 2, 3756),
    KEY(verticalPosition_inch_BackSide, 2, 3758),
    KEY(horizontalPosition_mm_BackSide, 2, 3760),
    KEY(horizontalPosition_inch_BackSide, 2, 3762),
    KEY(staple, 1, 3764),
    KEY(speedPriority, 1, 3765),
    KEY(punch, 1, 3766),
    KEY(fold, 1, 3767),
    KEY(direction_Fold, 1, 3768),
    KEY(bindingSide_Fold, 1, 3769),
    KEY(bookletBinding, 1, 3770),
    KEY(separateBooks_BookletBinding, 1, 3771),
    KEY(sheets_BookletBinding, 2, 3772),
    KEY(centerMargin_BookletBinding, 1, 3774),
    KEY(width_mm_CenterMargin, 2, 3776),
    KEY(width_inch_CenterMargin, 2, 3778),
    KEY(autoReduce_CenterMargin, 1, 3780),
    KEY(printCoverSeparately_BookletBinding, 1, 3781),
    KEY(storeBookletExceptCover, 1, 3782),
    KEY(trayForCover_BookletBinding, 2, 3784),
    KEY(offsetOutput, 1, 3786),
    KEY(slipSheet, 1, 3787),
    KEY(tray_SlipSheet, 2, 3788),
    KEY(number_SlipSheet, 1, 3790),
    KEY(coverSupport, 1, 3791),
    KEY(frontCover, 1, 3792),
    KEY(tray_FrontCover, 2, 3794),
    KEY(backCover, 1, 3796),
    KEY(tray_BackCover, 2, 3798),
    KEY(outputTray, 1, 3800),
    KEY(faceUpDown_OutputTray, 1, 3801),
    KEY(continuousOutput, 1, 3802),
    KEY(mailMakingSupport, 1, 3803),
    KEY(form_Envelope_MailMaking, 1, 3804),
    KEY(tray_Envelope_MailMaking, 2, 3806),
    KEY(duplexType_Envelope_MailMaking, 2, 3808),
    KEY(insert_MailMaking, 1, 3810),
    KEY(size_Insert_MailMaking, 2, 3812),
    KEY(tray_Insert_MailMaking, 2, 3814),
    KEY(paperType_Insert_MailMaking, 4, 3816),
    KEY(duplexType_Insert_MailMaking, 2, 3820),
    KEY(rotate_Insert__MailMaking, 1, 3822),
    KEY(proof_MailMaking, 1, 3823),
    KEY(imageMode, 1, 3824),
    KEY(imageQuality, 1, 3825),
    KEY(textSmoothing, 1, 3826),
    KEY(halftoneScreening, 1, 3827),
    KEY(gammaControl, 1, 3828),
    KEY(lightness_GammaControl, 2, 3830),
    KEY(chroma_GammaControl, 2, 3832),
    KEY(contrast_GammaControl, 2, 3834),
    KEY(colorRed_GammaControl, 2, 3836),
    KEY(colorGreen_GammaControl, 2, 3838),
    KEY(colorBlue_GammaControl, 2, 3840),
    KEY(densityLevel_GammaControl, 2, 3842),
    KEY(contrastLevel_GammaControl, 2, 3844),
    KEY(colorCyan_GammaControl, 2, 3846),
    KEY(colorMagenta_GammaControl, 2, 3848),
    KEY(colorYellow_GammaControl, 2, 3850),
    KEY(colorBlack_GammaControl, 2, 3852),
    KEY(barcodeAreaDefinition, 1, 4376),
    KEY(colorProfile, 1, 3858),
    KEY(fileName_ColorProfile, 512, 3860),
    KEY(renderingIntent_ColorProfile, 1, 4372),
    KEY(maxDrop_ColorProfile, 2, 4374),
    KEY(index_barcodeAreaDefinition, 2, 4378),
    KEY(fileName_BarcodeAreaDefinition, 512, 4380),
    KEY(repeat_BarcodeAreaDefinition, 2, 4898),
    KEY(maxPageNumber_BarcodeAreaDefinition, 2, 4900),
    KEY(proof_BarcodeAreaDefinition, 1, 4892),
    KEY(density_BarcodeAreaDefinition, 2, 4894),
    KEY(stroke_BarcodeAreaDefinition, 1, 4896),
    KEY(envelopeImageProcessing, 1, 4902),
    KEY(passwordSupport, 1, 4903),
    KEY(password, 18, 4904),
    KEY(hideJobName, 1, 4922),
    KEY(printSpeed, 1, 4923),
    KEY(programPrint, 1, 4924),
    KEY(copies_ProgramPrint, 120, 4926),
    KEY(sets_ProgramPrint, 120, 5046),
    KEY(collate_ProgramPrint, 1, 5166),
    KEY(slipSheet_ProgramPrint, 1, 5167),
    KEY(tray_SlipSheet_ProgramPrint, 2, 5168),
    KEY(number_SlipSheet_ProgramPrint, 1, 5170),
    KEY(offsetOutput_ProgramPrint, 1, 5171),
    KEY(blankPaperCutDown, 1, 5172),
    KEY(jobComment, 258, 5174),
    KEY(jobNameSupport, 1, 5432),
    KEY(jobName, 512, 5434),
    KEY(formSupport, 1, 5946),
    KEY(pattern_Form, 1, 5947),
    KEY(printSide_Form, 1, 5948),
    KEY(printSideSeparately_Form, 1, 5949),
    KEY(index_Form, 1, 5950),
    KEY(index_BackSide_Form, 1, 5951),
    KEY(fileName_Form, 512, 5952),
    KEY(fileName_BackSide_Form, 512, 6464),
    KEY(priorityLayer_Form, 1, 6976),
    KEY(ownerNameSupport, 1, 6977),
    KEY(ownerName, 42, 6978),
    KEY(stampTextSupport, 1, 7020),
    KEY(transparency_StampText, 1, 7021),
    KEY(appliedPage_StampText, 1, 7022),
    KEY(specifiedText_StampText, 48, 7024),
    KEY(position_StampText, 1, 7072),
    KEY(font_StampText, 128, 7074),
    KEY(style_StampText, 1, 7202),
    KEY(size_StampText, 2, 7204),
    KEY(perfectBindingSupport, 1, 7206),
    KEY(printCoverSeparately_PerfectBinding, 1, 7207),
    KEY(bindingSide_PerfectBinding, 1, 7208),
    KEY(bodySize_PerfectBinding, 2, 7210),
    KEY(coverLength_mm_PerfectBinding, 4, 7212),
    KEY(duplexType_Cover_PerfectBinding, 1, 7216),
    KEY(inputTray_Cover_PerfectBinding, 2, 7218),
    KEY(paperType_Cover_PerfectBinding, 4, 7220),
    KEY(duplexType_Body_PerfectBinding, 1, 7224),
    KEY(inputTray_Body_PerfectBinding, 2, 7226),
    KEY(paperType_Body_PerfectBinding, 4, 7228),
    KEY(carbonCopySupport, 1, 7232),
    KEY(inputTrayPriority_CarbonCopy, 8, 7234),
    KEY(shinLineMode, 1, 7294),
    {0, 0, nullptr, 0, 0},
};

#undef KEY

constexpr int CountRows() {
    int n = 0;
    while (kKeys[n].tag == kQuickKeyTag) n++;
    return n;
}

constexpr uint32_t RecordSize() {
    uint32_t total = 2;
    for (int i = 0; i < CountRows(); i++) total += kKeys[i].keyLength + kKeys[i].size + 6u;
    return total;
}

static_assert(CountRows() == kQuickKeyCount, "215 saved settings");
static_assert(RecordSize() == kQuickRecordSize, "a keyed record over the table is 12206 bytes");

}  // namespace

const QuickKey* QuickKeyTable() { return kKeys; }
int KeyCount() { return CountRows(); }
uint32_t QuickRecordSize() { return RecordSize(); }

const QuickKey* FindKey(const char* key, size_t length) {
    if (!key) return nullptr;
    for (const QuickKey* k = kKeys; k->tag == kQuickKeyTag; k++)
        if (k->keyLength == length && std::memcmp(k->key, key, length) == 0) return k;
    return nullptr;
}

const QuickKey* FindKey(const char* key) { return key ? FindKey(key, std::strlen(key)) : nullptr; }
