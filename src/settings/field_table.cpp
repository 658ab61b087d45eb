#include "settings/field_table.h"

#include "base/text16.h"
#include "base/tray_ids.h"

#include <cstdio>
#include <cstring>

namespace {

struct MergeSpec {
    MergeKind kind;
    uint8_t n;
    int32_t lo[6];
    int32_t hi[6];
};
struct DefaultSpec {
    DefaultKind kind;
    int64_t value;
    int64_t rest;
    const char16_t* text;
};

constexpr MergeSpec Simple(MergeKind k) { return MergeSpec{k, 0, {}, {}}; }
constexpr MergeSpec COPY() { return Simple(MergeKind::Copy); }
constexpr MergeSpec NONE() { return Simple(MergeKind::None); }
constexpr MergeSpec SPECIAL() { return Simple(MergeKind::Special); }
constexpr MergeSpec TRAY_A() { return Simple(MergeKind::TrayA); }
constexpr MergeSpec TRAY_B() { return Simple(MergeKind::TrayB); }
constexpr MergeSpec TRAY_C() { return Simple(MergeKind::TrayC); }
constexpr MergeSpec CLAMP(int32_t lo, int32_t hi) { return MergeSpec{MergeKind::Clamp, 1, {lo}, {hi}}; }
constexpr MergeSpec EACH_OR_ZERO(int32_t lo, int32_t hi) { return MergeSpec{MergeKind::EachOrZero, 1, {lo}, {hi}}; }
// Pairs of bounds: RANGES(0, 3, 11, 13) accepts 0..3 and 11..13.
template <typename... T>
constexpr MergeSpec RANGES(T... bounds) {
    int32_t b[] = {static_cast<int32_t>(bounds)...};
    MergeSpec m{MergeKind::Ranges, static_cast<uint8_t>(sizeof...(T) / 2), {}, {}};
    for (size_t i = 0; i + 1 < sizeof...(T); i += 2) {
        m.lo[i / 2] = b[i];
        m.hi[i / 2] = b[i + 1];
    }
    return m;
}
// A set of single values; neighbouring values share one range.
template <typename... T>
constexpr MergeSpec SET(T... values) {
    int32_t v[] = {static_cast<int32_t>(values)...};
    MergeSpec m{MergeKind::Ranges, 0, {}, {}};
    for (size_t i = 0; i < sizeof...(T); i++) {
        if (m.n > 0 && m.hi[m.n - 1] + 1 == v[i]) {
            m.hi[m.n - 1] = v[i];
        } else {
            m.lo[m.n] = v[i];
            m.hi[m.n] = v[i];
            m.n++;
        }
    }
    return m;
}

constexpr DefaultSpec D(int64_t v) { return DefaultSpec{DefaultKind::Const, v, v, nullptr}; }
constexpr DefaultSpec DFR(int64_t first, int64_t rest) { return DefaultSpec{DefaultKind::FirstRest, first, rest, nullptr}; }
constexpr DefaultSpec DT(const char16_t* t) { return DefaultSpec{DefaultKind::Text, 0, 0, t}; }
constexpr DefaultSpec DC() { return DefaultSpec{DefaultKind::Computed, 0, 0, nullptr}; }

constexpr uint16_t ElementSize(FieldType t) {
    switch (t) {
    case FieldType::U16: case FieldType::S16: case FieldType::Text: return 2;
    case FieldType::U32: case FieldType::S32: return 4;
    default: return 1;
    }
}

// The documented offset must be where the compiler put the member.
template <size_t Actual, size_t Documented>
constexpr uint16_t CheckedOffset() {
    static_assert(Actual == Documented, "field offset differs from the record layout");
    return static_cast<uint16_t>(Documented);
}

constexpr FieldRow MakeRow(const char* name, uint16_t offset, uint16_t size, FieldType type, MergeSpec m, DefaultSpec d) {
    FieldRow r{name, offset, size, type, static_cast<uint16_t>(size / ElementSize(type)), m.kind, m.n, {}, {},
               d.kind, d.value, d.rest, d.text};
    for (int i = 0; i < 6; i++) {
        r.lo[i] = m.lo[i];
        r.hi[i] = m.hi[i];
    }
    return r;
}

#define U8 FieldType::U8
#define U16 FieldType::U16
#define U32 FieldType::U32
#define S16 FieldType::S16
#define S32 FieldType::S32
#define Text FieldType::Text
#define Bytes FieldType::Bytes
#define ROW(f, off, type, merge, def)                                                                             \
    MakeRow(#f, CheckedOffset<offsetof(PrivateSettings, f), off>(), sizeof(PrivateSettings::f), type, merge, def)
#define ROWI(f, i, off, type, merge, def)                                                                         \
    MakeRow(#f "[" #i "]", CheckedOffset<offsetof(PrivateSettings, f) + (i) * 4, off>(), 4, type, merge, def)

// Rows in offset order. Computed defaults depend on the environment, the
// printer data or the system and are filled by the defaults code.
constexpr FieldRow kFields[] = {
    ROW(signature, 0, Text, COPY(), DT(u"JUP/CS")),
    ROW(ticketWord, 12, U16, COPY(), D(0)),
    ROW(ticketVersion, 14, U16, COPY(), D(0)),
    ROW(ticketKind, 16, U8, COPY(), D(0)),
    ROW(ticketData0, 17, Bytes, COPY(), D(0)),
    ROW(ticketSubKind, 22, U8, COPY(), D(0)),
    ROW(ticketStatus, 23, U8, COPY(), D(0)),
    ROW(ticketData, 24, Bytes, COPY(), D(0)),
    ROW(reservedHeader, 256, Bytes, COPY(), D(0)),
    ROWI(headerValue, 0, 336, U32, COPY(), D(0)),
    ROWI(headerValue, 1, 340, U32, COPY(), D(0xFFFFFFFF)),
    ROWI(headerValue, 2, 344, U32, COPY(), D(0xFFFFFFFF)),
    ROWI(headerValue, 3, 348, U32, COPY(), D(0xFFFFFFFF)),
    ROWI(headerValue, 4, 352, U32, COPY(), D(0)),
    ROWI(headerValue, 5, 356, U32, COPY(), D(1)),
    ROWI(headerValue, 6, 360, U32, COPY(), D(1)),
    ROWI(headerValue, 7, 364, U32, COPY(), D(1)),
    ROWI(headerValue, 8, 368, U32, COPY(), D(0xFFFFFFFF)),
    ROW(duplexType, 372, U16, SPECIAL(), DC()),
    ROW(duplexType_MixedSize, 374, U16, SET(4, 5), DC()),
    ROW(originalSize, 376, U16, SPECIAL(), DC()),
    ROW(originalOrientation, 378, U16, SPECIAL(), D(1)),
    ROW(reservedOrientation, 380, U16, NONE(), D(0)),
    ROW(mixedSizeSupport, 382, U8, SET(0, 1), D(0)),
    ROW(duplexTypeOfSmallerPage, 383, U8, SET(2, 3), D(2)),
    ROW(duplexTypeOfLargerPage, 384, U8, SET(2, 3), D(3)),
    ROW(rotateLargerPage, 385, U8, SET(0, 1), D(0)),
    ROW(zoomSupport, 386, U8, SET(0, 1), D(0)),
    ROW(scale_Zoom, 388, U16, CLAMP(50, 200), D(100)),
    ROW(outputSize, 390, U16, SPECIAL(), DC()),
    ROW(inputTray, 392, U16, SPECIAL(), DC()),
    ROW(paperType, 396, U32, SPECIAL(), D(257)),
    ROW(pluralPagesPerSheet, 400, U8, SET(0, 21, 22, 41, 42, 43, 44, 81, 82, 83, 88), D(0)),
    ROW(singlePagesPerSheet, 401, U8, SET(0, 2, 4, 8), D(0)),
    ROW(booklet, 402, U8, RANGES(0, 3), D(0)),
    ROW(watermarkSupport, 403, U8, SET(0, 1), D(0)),
    ROW(text_Watermark, 404, Text, COPY(), DC()),
    ROW(appliedPage_Watermark, 532, U8, SET(0, 1), D(0)),
    ROW(font_Watermark, 534, Text, COPY(), DC()),
    ROW(style_Watermark, 662, U8, RANGES(0, 3), D(0)),
    ROW(size_Watermark, 664, U16, RANGES(0, 600), D(64)),
    ROW(color_Watermark, 666, U8, RANGES(0, 8), D(2)),
    ROW(colorRed_Watermark, 667, U8, COPY(), D(255)),
    ROW(colorGreen_Watermark, 668, U8, COPY(), D(0)),
    ROW(colorBlue_Watermark, 669, U8, COPY(), D(0)),
    ROW(transparency_Watermark, 670, U16, RANGES(0, 100), D(62)),
    ROW(frame_Watermark, 672, U8, RANGES(0, 3), D(0)),
    ROW(rotation_Watermark, 673, U8, RANGES(1, 4, 8, 9), D(2)),
    ROW(angle_Watermark, 674, U16, RANGES(0, 360), D(0)),
    ROW(position_Watermark, 676, U8, RANGES(0, 9), D(0)),
    ROW(X_axisPosition_Watermark, 678, U16, RANGES(0, 100), D(50)),
    ROW(Y_axisPosition_Watermark, 680, U16, RANGES(0, 100), D(50)),
    ROW(textType_Watermark, 682, U8, SET(0, 1), D(0)),
    ROW(index_SelectText_Watermark, 684, S16, RANGES(0, 32767), D(0)),
    ROW(inputText_Watermark, 686, Text, COPY(), D(0)),
    ROW(stampSupport, 814, U8, SET(0, 1), D(0)),
    ROW(stampPageSupport, 815, U8, COPY(), D(0)),
    ROW(transparency_StampPage, 816, U8, COPY(), D(0)),
    ROW(startNumber_StampPage, 818, U16, COPY(), D(1)),
    ROW(startPage_StampPage, 820, U16, COPY(), D(1)),
    ROW(position_StampPage, 822, U8, COPY(), D(6)),
    ROW(font_StampPage, 824, Text, COPY(), DC()),
    ROW(style_StampPage, 952, U8, COPY(), D(0)),
    ROW(size_StampPage, 954, U16, COPY(), D(8)),
    ROW(stampDateSupport, 956, U8, COPY(), D(0)),
    ROW(transparency_StampDate, 957, U8, COPY(), D(0)),
    ROW(appliedPage_StampDate, 958, U8, COPY(), D(1)),
    ROW(date_StampDate, 959, U8, COPY(), D(0)),
    ROW(specifiedDate_StampDate, 960, Text, COPY(), D(0)),
    ROW(position_StampDate, 1008, U8, COPY(), D(3)),
    ROW(font_StampDate, 1010, Text, COPY(), DC()),
    ROW(style_StampDate, 1138, U8, COPY(), D(0)),
    ROW(size_StampDate, 1140, U16, COPY(), D(8)),
    ROW(imageRotation, 1142, U8, SET(0, 2, 4, 6, 8), D(0)),
    ROW(angle_ImageRotation, 1143, U8, SET(0, 2, 4, 6, 8), D(2)),
    ROW(bindingSide, 1144, U8, RANGES(0, 2), DC()),
    ROW(sideMarginSupport, 1145, U8, SET(0, 1), D(0)),
    ROW(width_mm_SideMargin, 1146, U16, CLAMP(0, 5000), D(0)),
    ROW(width_inch_SideMargin, 1148, U16, CLAMP(0, 200), D(0)),
    ROW(autoReduce_SideMargin, 1150, U8, SET(0, 1), D(0)),
    ROW(reverseOrder_UI, 1151, U8, SET(0, 1), D(0)),
    ROW(reverseOrder, 1152, U8, SET(0, 1), D(0)),
    ROW(originalWidth_mm_CustomPaper, 1156, S32, SPECIAL(), DC()),
    ROW(originalLength_mm_CustomPaper, 1160, S32, SPECIAL(), DC()),
    ROW(outputWidth_mm_CustomPaper, 1164, S32, SPECIAL(), DC()),
    ROW(outputLength_mm_CustomPaper, 1168, S32, SPECIAL(), DC()),
    ROW(outputWidth_mm, 1172, S32, SPECIAL(), DC()),
    ROW(outputLength_mm, 1176, S32, SPECIAL(), DC()),
    ROW(accountingPage, 1180, U8, SET(0, 1), D(1)),
    ROW(pageCount, 1184, U32, COPY(), D(0)),
    ROW(orientationOverride, 1188, U8, COPY(), D(0)),
    ROW(documentValueA, 1192, U32, COPY(), D(0)),
    ROW(documentFlag, 1204, U8, COPY(), D(0)),
    ROW(documentValueB, 1208, U32, COPY(), D(0)),
    ROW(documentFlagB, 1220, U8, COPY(), D(0)),
    ROW(colorMode, 1223, U8, SPECIAL(), DC()),
    ROW(copies, 1224, S16, SPECIAL(), D(1)),
    ROW(proofPrint, 1226, U8, SET(0, 1), D(0)),
    ROW(printDensity, 1227, U8, RANGES(0, 3, 11, 13), D(0)),
    ROW(collate, 1228, U8, SET(1, 2), D(2)),
    ROW(traySelectPerPage, 1229, U8, COPY(), D(0)),
    ROW(standardTray_TraySelectPerPage, 1230, Bytes, COPY(), D(0)),
    ROW(tray1_TraySelectPerPage, 1730, Bytes, COPY(), D(0)),
    ROW(tray2_TraySelectPerPage, 2230, Bytes, COPY(), D(0)),
    ROW(tray3_TraySelectPerPage, 2730, Bytes, COPY(), D(0)),
    ROW(outputMode, 3230, U8, RANGES(0, 5), D(0)),
    ROW(destinationFolder_ToSave, 3231, U8, COPY(), D(1)),
    ROW(driveOfUSB_ToSave, 3232, U8, COPY(), D(3)),
    ROW(destinationFolderOfUSB_ToSave, 3233, U8, COPY(), D(1)),
    ROW(destinationFolderOfFile_ToSave, 3234, Text, COPY(), D(0)),
    ROW(imagePositioning, 3746, U8, SET(0, 1), D(0)),
    ROW(verticalPosition_mm_FrontSide, 3748, S16, CLAMP(-2000, 2000), D(0)),
    ROW(verticalPosition_inch_FrontSide, 3750, S16, CLAMP(-80, 80), D(0)),
    ROW(horizontalPosition_mm_FrontSide, 3752, S16, CLAMP(-2000, 2000), D(0)),
    ROW(horizontalPosition_inch_FrontSide, 3754, S16, CLAMP(-80, 80), D(0)),
    ROW(verticalPosition_mm_BackSide, 3756, S16, CLAMP(-2000, 2000), D(0)),
    ROW(verticalPosition_inch_BackSide, 3758, S16, CLAMP(-80, 80), D(0)),
    ROW(horizontalPosition_mm_BackSide, 3760, S16, CLAMP(-2000, 2000), D(0)),
    ROW(horizontalPosition_inch_BackSide, 3762, S16, CLAMP(-80, 80), D(0)),
    ROW(staple, 3764, U8, SET(0, 10, 11, 12, 20), D(0)),
    ROW(speedPriority, 3765, U8, SET(0, 1), D(0)),
    ROW(punch, 3766, U8, RANGES(0, 3), D(0)),
    ROW(fold, 3767, U8, RANGES(0, 4), D(0)),
    ROW(direction_Fold, 3768, U8, SET(1, 2), D(1)),
    ROW(bindingSide_Fold, 3769, U8, SET(1, 2), D(1)),
    ROW(bookletBinding, 3770, U8, RANGES(0, 2), D(0)),
    ROW(separateBooks_BookletBinding, 3771, U8, COPY(), D(0)),
    ROW(sheets_BookletBinding, 3772, U16, NONE(), D(5)),
    ROW(centerMargin_BookletBinding, 3774, U8, SET(0, 1), D(0)),
    ROW(width_mm_CenterMargin, 3776, U16, CLAMP(0, 5000), D(0)),
    ROW(width_inch_CenterMargin, 3778, U16, CLAMP(0, 200), D(0)),
    ROW(autoReduce_CenterMargin, 3780, U8, SET(0, 1), D(0)),
    ROW(printCoverSeparately_BookletBinding, 3781, U8, RANGES(0, 2), D(0)),
    ROW(storeBookletExceptCover, 3782, U8, SET(0, 1), D(0)),
    ROW(trayForCover_BookletBinding, 3784, U16, TRAY_A(), DC()),
    ROW(offsetOutput, 3786, U8, RANGES(0, 2), D(0)),
    ROW(slipSheet, 3787, U8, RANGES(0, 2), D(0)),
    ROW(tray_SlipSheet, 3788, U16, TRAY_A(), DC()),
    ROW(number_SlipSheet, 3790, U8, RANGES(0, 2), D(0)),
    ROW(coverSupport, 3791, U8, SET(0, 1), D(0)),
    ROW(frontCover, 3792, U8, SET(0, 1), D(0)),
    ROW(tray_FrontCover, 3794, U16, TRAY_A(), DC()),
    ROW(backCover, 3796, U8, SET(0, 1), D(0)),
    ROW(tray_BackCover, 3798, U16, TRAY_A(), DC()),
    ROW(outputTray, 3800, U8, RANGES(0, 7), D(0)),
    ROW(faceUpDown_OutputTray, 3801, U8, SET(1, 2), D(1)),
    ROW(continuousOutput, 3802, U8, SET(0, 1), D(0)),
    ROW(mailMakingSupport, 3803, U8, SET(0, 1), D(0)),
    ROW(form_Envelope_MailMaking, 3804, U8, RANGES(1, 3), DC()),
    ROW(tray_Envelope_MailMaking, 3806, U16, TRAY_B(), DC()),
    ROW(duplexType_Envelope_MailMaking, 3808, U16, RANGES(1, 3), D(1)),
    ROW(insert_MailMaking, 3810, U8, SET(0, 1), D(1)),
    ROW(size_Insert_MailMaking, 3812, U16, SET(1, 5, 9, 13), DC()),
    ROW(tray_Insert_MailMaking, 3814, U16, TRAY_B(), DC()),
    ROW(paperType_Insert_MailMaking, 3816, U32, RANGES(257, 267), D(257)),
    ROW(duplexType_Insert_MailMaking, 3820, U16, RANGES(1, 3), D(1)),
    ROW(rotate_Insert__MailMaking, 3822, U8, SET(0, 1), D(0)),
    ROW(proof_MailMaking, 3823, U8, SET(0, 1), D(0)),
    ROW(imageMode, 3824, U8, SET(1, 2), DC()),
    ROW(imageQuality, 3825, U8, RANGES(1, 6), DC()),
    ROW(textSmoothing, 3826, U8, RANGES(0, 2), D(0)),
    ROW(halftoneScreening, 3827, U8, RANGES(1, 3), D(1)),
    ROW(gammaControl, 3828, U8, SET(0, 1), D(0)),
    ROW(lightness_GammaControl, 3830, S16, COPY(), D(0)),
    ROW(chroma_GammaControl, 3832, S16, COPY(), D(0)),
    ROW(contrast_GammaControl, 3834, S16, COPY(), D(0)),
    ROW(colorRed_GammaControl, 3836, S16, COPY(), D(0)),
    ROW(colorGreen_GammaControl, 3838, S16, COPY(), D(0)),
    ROW(colorBlue_GammaControl, 3840, S16, COPY(), D(0)),
    ROW(densityLevel_GammaControl, 3842, S16, COPY(), D(0)),
    ROW(contrastLevel_GammaControl, 3844, S16, COPY(), D(0)),
    ROW(colorCyan_GammaControl, 3846, S16, COPY(), D(100)),
    ROW(colorMagenta_GammaControl, 3848, S16, COPY(), D(100)),
    ROW(colorYellow_GammaControl, 3850, S16, COPY(), D(100)),
    ROW(colorBlack_GammaControl, 3852, S16, COPY(), D(100)),
    ROW(gammaExtra, 3854, S16, COPY(), D(100)),
    ROW(colorProfile, 3858, U8, SET(0, 1), D(0)),
    ROW(fileName_ColorProfile, 3860, Text, COPY(), DT(u"Auto")),
    ROW(renderingIntent_ColorProfile, 4372, U8, RANGES(1, 4), D(3)),
    ROW(maxDrop_ColorProfile, 4374, S16, RANGES(0, 11), D(0)),
    ROW(barcodeAreaDefinition, 4376, U8, SET(0, 1), D(0)),
    ROW(index_barcodeAreaDefinition, 4378, U16, COPY(), D(0xFFFF)),
    ROW(fileName_BarcodeAreaDefinition, 4380, Text, COPY(), D(0)),
    ROW(proof_BarcodeAreaDefinition, 4892, U8, SET(0, 1), D(0)),
    ROW(density_BarcodeAreaDefinition, 4894, S16, RANGES(0, 3, 11, 13), D(0)),
    ROW(stroke_BarcodeAreaDefinition, 4896, U8, SET(0, 1), D(0)),
    ROW(repeat_BarcodeAreaDefinition, 4898, U16, COPY(), D(0)),
    ROW(maxPageNumber_BarcodeAreaDefinition, 4900, U16, COPY(), D(0)),
    ROW(envelopeImageProcessing, 4902, U8, SET(0, 1), D(0)),
    ROW(passwordSupport, 4903, U8, SET(0, 1), D(0)),
    ROW(password, 4904, Text, COPY(), D(0)),
    ROW(hideJobName, 4922, U8, SET(0, 1), D(0)),
    ROW(printSpeed, 4923, U8, RANGES(0, 2, 11, 12), D(0)),
    ROW(programPrint, 4924, U8, SET(0, 1), D(0)),
    ROW(copies_ProgramPrint, 4926, U16, COPY(), DFR(1, 0)),
    ROW(sets_ProgramPrint, 5046, U16, COPY(), D(1)),
    ROW(collate_ProgramPrint, 5166, U8, SET(1, 2), D(2)),
    ROW(slipSheet_ProgramPrint, 5167, U8, SET(0, 1, 3), D(0)),
    ROW(tray_SlipSheet_ProgramPrint, 5168, U16, TRAY_C(), DC()),
    ROW(number_SlipSheet_ProgramPrint, 5170, U8, SET(0, 1), D(0)),
    ROW(offsetOutput_ProgramPrint, 5171, U8, SET(0, 1, 3), D(0)),
    ROW(blankPaperCutDown, 5172, U8, SET(0, 1), D(0)),
    ROW(jobComment, 5174, Text, COPY(), D(0)),
    ROW(jobNameSupport, 5432, U8, SET(0, 1), D(0)),
    ROW(jobName, 5434, Text, COPY(), D(0)),
    ROW(formSupport, 5946, U8, SET(0, 1), D(0)),
    ROW(pattern_Form, 5947, U8, RANGES(0, 5), D(1)),
    ROW(printSide_Form, 5948, U8, SET(1, 2), D(2)),
    ROW(printSideSeparately_Form, 5949, U8, SET(0, 1), D(0)),
    ROW(index_Form, 5950, U8, COPY(), D(0)),
    ROW(index_BackSide_Form, 5951, U8, COPY(), D(0)),
    ROW(fileName_Form, 5952, Text, COPY(), D(0)),
    ROW(fileName_BackSide_Form, 6464, Text, COPY(), D(0)),
    ROW(priorityLayer_Form, 6976, U8, RANGES(1, 3), D(1)),
    ROW(ownerNameSupport, 6977, U8, SET(0, 1), D(0)),
    ROW(ownerName, 6978, Text, COPY(), D(0)),
    ROW(stampTextSupport, 7020, U8, COPY(), D(0)),
    ROW(transparency_StampText, 7021, U8, COPY(), D(0)),
    ROW(appliedPage_StampText, 7022, U8, COPY(), D(1)),
    ROW(specifiedText_StampText, 7024, Text, COPY(), D(0)),
    ROW(position_StampText, 7072, U8, COPY(), D(3)),
    ROW(font_StampText, 7074, Text, COPY(), DC()),
    ROW(style_StampText, 7202, U8, COPY(), D(0)),
    ROW(size_StampText, 7204, U16, COPY(), D(8)),
    ROW(perfectBindingSupport, 7206, U8, SET(0, 1), D(0)),
    ROW(printCoverSeparately_PerfectBinding, 7207, U8, RANGES(0, 2), D(0)),
    ROW(bindingSide_PerfectBinding, 7208, U8, SET(0, 1), D(0)),
    ROW(bodySize_PerfectBinding, 7210, U16, COPY(), D(9)),
    ROW(coverLength_mm_PerfectBinding, 7212, U32, COPY(), D(46500)),
    ROW(duplexType_Cover_PerfectBinding, 7216, U8, SET(0, 1), D(1)),
    ROW(inputTray_Cover_PerfectBinding, 7218, U16, RANGES(kTrayStandardFeed, kTrayCoverInserter), DC()),
    ROW(paperType_Cover_PerfectBinding, 7220, U32, RANGES(257, 263, 265, 265), D(257)),
    ROW(duplexType_Body_PerfectBinding, 7224, U8, SET(0, 1), D(1)),
    ROW(inputTray_Body_PerfectBinding, 7226, U16, RANGES(kTrayAuto, kTrayAuto, kTrayStandardFeed, kTrayHighCapacity), DC()),
    ROW(paperType_Body_PerfectBinding, 7228, U32, RANGES(257, 263, 265, 265), D(257)),
    ROW(carbonCopySupport, 7232, U8, SET(0, 1), D(0)),
    ROW(inputTrayPriority_CarbonCopy, 7234, U16, EACH_OR_ZERO(kTrayStandardFeed, kTrayHighCapacity), DC()),
    ROW(jobFlag, 7242, U8, COPY(), D(0)),
    ROW(jobFlagB, 7245, U8, COPY(), D(0)),
    ROW(userNameLocked, 7248, U8, SPECIAL(), D(0)),
    ROW(loginUserName, 7250, Text, SPECIAL(), D(0)),
    ROW(gammaExtra2, 7292, U16, COPY(), D(100)),
    ROW(shinLineMode, 7294, U8, SET(0, 1), D(1)),
    ROW(computerName, 7296, Text, SPECIAL(), DC()),
    ROW(userName, 7808, Text, SPECIAL(), DC()),
    ROW(printerDisplayName, 8320, Text, SPECIAL(), DC()),
    ROW(documentOrientation, 8576, U16, SET(1, 2), D(0)),
    ROW(documentRotation, 8578, U16, SET(2, 4, 6, 8), D(0)),
    ROW(documentValueC, 8580, U16, COPY(), D(0)),
    ROW(documentFlagC, 8582, U16, SET(0, 1), D(0)),
    ROW(repeat_traySerectPerPage, 8584, U8, COPY(), D(0)),
    ROW(repeatPageNumber_traySerectPerPage, 8586, U16, COPY(), D(0)),
    ROW(reserved, 8588, Bytes, NONE(), D(0)),
    ROW(trailingMagic, 18816, U32, NONE(), D(0x28116119)),
};

#undef U8
#undef U16
#undef U32
#undef S16
#undef S32
#undef Text
#undef Bytes

constexpr int kFieldCount = static_cast<int>(sizeof(kFields) / sizeof(kFields[0]));

// Rows are sorted, do not overlap and stay inside the record.
constexpr bool RowsAreOrdered() {
    for (int i = 1; i < kFieldCount; i++)
        if (kFields[i - 1].offset + kFields[i - 1].size > kFields[i].offset) return false;
    return kFields[kFieldCount - 1].offset + kFields[kFieldCount - 1].size == kPrivateSize;
}
static_assert(RowsAreOrdered(), "field rows overlap or leave the record");

}  // namespace

const FieldRow* PrivateFieldTable() { return kFields; }
int PrivateFieldCount() { return kFieldCount; }

const FieldRow* FindPrivateField(const char* name) {
    for (const FieldRow& r : kFields)
        if (std::strcmp(r.name, name) == 0) return &r;
    return nullptr;
}

int64_t ReadFieldElement(const FieldRow& row, const void* priv, int index) {
    const uint8_t* p = static_cast<const uint8_t*>(priv) + row.offset + index * ElementSize(row.type);
    switch (row.type) {
    case FieldType::U16: case FieldType::Text: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case FieldType::S16: { int16_t v; std::memcpy(&v, p, 2); return v; }
    case FieldType::U32: { uint32_t v; std::memcpy(&v, p, 4); return v; }
    case FieldType::S32: { int32_t v; std::memcpy(&v, p, 4); return v; }
    default: return p[0];
    }
}

void WriteFieldElement(const FieldRow& row, void* priv, int index, int64_t value) {
    uint8_t* p = static_cast<uint8_t*>(priv) + row.offset + index * ElementSize(row.type);
    switch (row.type) {
    case FieldType::U16: case FieldType::S16: case FieldType::Text: {
        uint16_t v = static_cast<uint16_t>(value);
        std::memcpy(p, &v, 2);
        break;
    }
    case FieldType::U32: case FieldType::S32: {
        uint32_t v = static_cast<uint32_t>(value);
        std::memcpy(p, &v, 4);
        break;
    }
    default: p[0] = static_cast<uint8_t>(value);
    }
}

int FieldAccepts(const FieldRow& row, int64_t value) {
    switch (row.merge) {
    case MergeKind::Ranges:
        for (int i = 0; i < row.rangeCount; i++)
            if (value >= row.lo[i] && value <= row.hi[i]) return 1;
        return 0;
    case MergeKind::Clamp:
    case MergeKind::EachOrZero:
        return value >= row.lo[0] && value <= row.hi[0];
    case MergeKind::TrayA:
    case MergeKind::TrayC:
        return value >= kTrayStandardFeed && value <= kTrayHighCapacity;
    case MergeKind::TrayB:
        return value == kTrayAuto || (value >= kTrayStandardFeed && value <= kTrayHighCapacity);
    default:
        return 1;
    }
}

std::string FormatFieldValue(const FieldRow& row, const void* priv) {
    std::string out;
    const uint8_t* p = static_cast<const uint8_t*>(priv) + row.offset;
    if (row.type == FieldType::Text) {
        char16_t buf[512] = {};
        std::memcpy(buf, p, row.size);
        out += '"';
        out += Text16ToUtf8(buf, row.count);
        out += '"';
        return out;
    }
    if (row.type == FieldType::Bytes) {
        // Long blocks are mostly zero: show their length and the non-zero count.
        int nonZero = 0;
        for (int i = 0; i < row.size; i++) nonZero += p[i] != 0;
        char b[64];
        std::snprintf(b, sizeof b, "<%d bytes, %d non-zero>", row.size, nonZero);
        return b;
    }
    if (row.count > 1) out += '[';
    for (int i = 0; i < row.count; i++) {
        if (i) out += ", ";
        out += std::to_string(ReadFieldElement(row, priv, i));
    }
    if (row.count > 1) out += ']';
    return out;
}

std::string DumpDriverDevMode(const DriverDevMode* dm) {
    std::string out;
    char line[160];
    const PublicDevMode& d = dm->pub;
    std::string name = Text16ToUtf8(d.dmDeviceName, 32);
    std::string form = Text16ToUtf8(d.dmFormName, 32);
    std::snprintf(line, sizeof line, "%-40s = \"%s\"\n", "dmDeviceName", name.c_str());
    out += line;
    struct { const char* n; long v; } pub[] = {
        {"dmSpecVersion", d.dmSpecVersion}, {"dmDriverVersion", d.dmDriverVersion}, {"dmSize", d.dmSize},
        {"dmDriverExtra", d.dmDriverExtra}, {"dmFields", static_cast<long>(d.dmFields)},
        {"dmOrientation", d.dmOrientation}, {"dmPaperSize", d.dmPaperSize}, {"dmPaperLength", d.dmPaperLength},
        {"dmPaperWidth", d.dmPaperWidth}, {"dmScale", d.dmScale}, {"dmCopies", d.dmCopies},
        {"dmDefaultSource", d.dmDefaultSource}, {"dmPrintQuality", d.dmPrintQuality}, {"dmColor", d.dmColor},
        {"dmDuplex", d.dmDuplex}, {"dmYResolution", d.dmYResolution}, {"dmCollate", d.dmCollate},
        {"dmMediaType", static_cast<long>(d.dmMediaType)},
    };
    for (auto& f : pub) {
        if (std::strcmp(f.n, "dmFields") == 0)
            std::snprintf(line, sizeof line, "%-40s = 0x%08lX\n", f.n, static_cast<unsigned long>(f.v));
        else
            std::snprintf(line, sizeof line, "%-40s = %ld\n", f.n, f.v);
        out += line;
    }
    std::snprintf(line, sizeof line, "%-40s = \"%s\"\n", "dmFormName", form.c_str());
    out += line;
    for (const FieldRow& r : kFields) {
        if (r.merge == MergeKind::None && r.defKind == DefaultKind::Const && r.type == FieldType::Bytes) continue;
        std::string v = FormatFieldValue(r, &dm->priv);
        out += r.name;
        if (std::strlen(r.name) < 40) out.append(40 - std::strlen(r.name), ' ');
        out += " = ";
        out += v;
        out += '\n';
    }
    return out;
}
