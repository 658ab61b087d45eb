#include "ui/watermark_dialog.h"

#include <cmath>
#include <cstring>

#include "model/printer_data.h"

namespace {

constexpr uint32_t kStyleList = 33225, kColorList = 33232, kFrameList = 33239, kRotationList = 33242,
                   kPositionList = 33247, kAllPages = 33220, kFirstPageOnly = 33221,
                   kFontList = 33224;
constexpr uint32_t kCustomWords = 25544;
const char16_t kColorsValue[] = u"CustomWMColor";

const IdTableRow kStyles[] = {{20450, 0}, {20451, 1}, {20452, 2}, {20453, 3}};
const IdTableRow kColors[] = {{20328, 0}, {20329, 1}, {20330, 2}, {20331, 3}, {20332, 4},
                              {20333, 5}, {20334, 6}, {20335, 7}, {kCustomWords, kWatermarkCustomColor}};
const IdTableRow kFrames[] = {{20341, 0}, {20342, 1}, {20343, 2}, {20344, 3}};
const IdTableRow kRotations[] = {{20348, 2}, {20351, 3}, {20349, 4}, {20350, 8}, {20352, 9},
                                 {kCustomWords, kWatermarkCustomRotation}};
const IdTableRow kPositions[] = {{20355, 0}, {20356, 1}, {20357, 2}, {20358, 3}, {20359, 4},
                                 {20360, 5}, {20361, 6}, {20362, 7}, {20363, 8},
                                 {kCustomWords, kWatermarkCustomPosition}};

// By colour 0..7; the default colour 2 is the record's default red.
const uint8_t kColorRgb[8][3] = {{0, 0, 0},   {128, 128, 128}, {255, 0, 0},   {0, 160, 0},
                                 {0, 0, 255}, {0, 200, 200},   {220, 0, 220}, {230, 200, 0}};

// The centre of the text by position 0..8, in percent of the page.
const uint8_t kAnchors[9][2] = {{50, 50}, {20, 15}, {50, 15}, {80, 15}, {20, 50},
                                {80, 50}, {20, 85}, {50, 85}, {80, 85}};

constexpr double kPi = 3.14159265358979323846;
constexpr int kPagePoints = 842;  // the long edge of an A4 page in points

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

void Fill(PageState& page, uint32_t id, const IdTableRow* rows, int count, uint32_t current) {
    // None of these lists is the engine's: the words are the dialog's own.
    if (ControlState* c = Find(page, id)) FillFromIdTable(*c, rows, count, current);
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

void WatermarkDialogRules(const PageInput& in, PageState& page) {
    const PrivateSettings& p = in.session->dm.priv;
    Fill(page, kStyleList, kStyles, 4, p.style_Watermark);
    Fill(page, kColorList, kColors, 9, p.color_Watermark);
    Fill(page, kFrameList, kFrames, 4, p.frame_Watermark);
    Fill(page, kRotationList, kRotations, 6, p.rotation_Watermark);
    Fill(page, kPositionList, kPositions, WatermarkPositionCount(p), p.position_Watermark);
    // The font list is the form's own (the screen's fonts).
    if (ControlState* font = Find(page, kFontList)) font->enabled = 1;
    // The two page choices are one: the engine greys the first.
    ControlState* all = Find(page, kAllPages);
    ControlState* first = Find(page, kFirstPageOnly);
    if (all && first) first->enabled = all->enabled;
}

int ChangeWatermarkChoice(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    if (control == kColorList) {
        if (value > kWatermarkCustomColor) return 1;
        p.color_Watermark = static_cast<uint8_t>(value);
        uint8_t rgb[3];
        if (WatermarkColorRgb(p.color_Watermark, rgb)) {
            p.colorRed_Watermark = rgb[0];
            p.colorGreen_Watermark = rgb[1];
            p.colorBlue_Watermark = rgb[2];
        }
    } else if (control == kRotationList) {
        ChooseWatermarkRotation(p, static_cast<uint8_t>(value));
    } else {
        return 0;
    }
    in.last = LastChange{control, value};
    return 1;
}

int WatermarkColorRgb(uint8_t color, uint8_t rgb[3]) {
    if (color >= 8) return 0;
    std::memcpy(rgb, kColorRgb[color], 3);
    return 1;
}

void TakeWatermarkColor(PrivateSettings& p, uint32_t colorRef) {
    p.color_Watermark = kWatermarkCustomColor;
    p.colorRed_Watermark = static_cast<uint8_t>(colorRef & 0xFF);
    p.colorGreen_Watermark = static_cast<uint8_t>((colorRef >> 8) & 0xFF);
    p.colorBlue_Watermark = static_cast<uint8_t>((colorRef >> 16) & 0xFF);
}

void LoadWatermarkColors(PrinterHandle printer, uint32_t colors[kWatermarkCustomColors]) {
    uint32_t read[kWatermarkCustomColors];
    uint32_t type = 0, needed = 0;
    // Only a binary value of exactly the 16 colours is taken.
    if (printer) Spool().GetPrinterData(printer, kColorsValue, &type, nullptr, 0, &needed);
    if (needed == kCustomWMColorSize && ReadTypedPrinterData(printer, kColorsValue, kRegBinary, read, sizeof read)) {
        std::memcpy(colors, read, sizeof read);
        return;
    }
    for (int i = 0; i < kWatermarkCustomColors; i++) colors[i] = 0x00FFFFFF;
}

int StoreWatermarkColors(PrinterHandle printer, const uint32_t colors[kWatermarkCustomColors]) {
    if (!printer) return 0;
    return Spool().SetPrinterData(printer, kColorsValue, kRegBinary, colors, kCustomWMColorSize) == kErrSuccess;
}

int AddChosenWatermarkText(PrinterHandle printer, WatermarkTextStore& store, PrivateSettings& p,
                           const char16_t* text, const char16_t* const builtin[kBuiltinWatermarkTexts]) {
    uint16_t id = 0;
    int r = AddWatermarkText(printer, store, text, &id);
    if (r != kTextDone) return r;
    p.textType_Watermark = 0;
    p.index_SelectText_Watermark = static_cast<int16_t>(id);
    UpdateWatermarkText(p, store, builtin);
    return r;
}

int DeleteChosenWatermarkText(PrinterHandle printer, WatermarkTextStore& store, PrivateSettings& p,
                              const char16_t* const builtin[kBuiltinWatermarkTexts]) {
    if (p.textType_Watermark != 0 || p.index_SelectText_Watermark < kBuiltinWatermarkTexts) return kTextNotFound;
    int r = DeleteWatermarkText(printer, store, static_cast<uint16_t>(p.index_SelectText_Watermark));
    if (r != kTextDone) return r;
    p.index_SelectText_Watermark = 0;
    UpdateWatermarkText(p, store, builtin);
    return r;
}

void LayOutWatermarkPreview(const PrivateSettings& p, int controlWidth, int controlHeight, WatermarkPreview& out) {
    out = WatermarkPreview{};
    // A page of A4 proportions (1 : 1.414), turned with a landscape original,
    // as large as the control holds with a margin of 4 pixels.
    int landscape = p.originalOrientation == 2;
    int roomW = controlWidth - 8, roomH = controlHeight - 8;
    if (roomW < 2 || roomH < 2) roomW = roomH = 2;
    int w = landscape ? roomW : roomH * 1000 / 1414, h = landscape ? roomW * 1000 / 1414 : roomH;
    if (w > roomW) w = roomW, h = landscape ? w * 1000 / 1414 : w * 1414 / 1000;
    if (h > roomH) h = roomH, w = landscape ? h * 1414 / 1000 : h * 1000 / 1414;
    out.width = w < 1 ? 1 : w;
    out.height = h < 1 ? 1 : h;
    out.left = (controlWidth - out.width) / 2;
    out.top = (controlHeight - out.height) / 2;
    int px = 50, py = 50;
    if (p.position_Watermark < 9) {
        px = kAnchors[p.position_Watermark][0];
        py = kAnchors[p.position_Watermark][1];
    } else {
        px = Clamp(p.X_axisPosition_Watermark, 0, 100);
        py = Clamp(p.Y_axisPosition_Watermark, 0, 100);
    }
    out.x = out.left + out.width * px / 100;
    out.y = out.top + out.height * py / 100;
    int longEdge = out.width > out.height ? out.width : out.height;
    int size = Clamp(p.size_Watermark, 1, 600);
    out.textHeight = size * longEdge / kPagePoints;
    if (out.textHeight < 1) out.textHeight = 1;
    out.angle = Clamp(p.angle_Watermark, 0, 360) % 360;
    // The strength: 100 the colour itself, less mixes it with the white paper.
    int strength = Clamp(p.transparency_Watermark, 25, 100);
    const uint8_t chosen[3] = {p.colorRed_Watermark, p.colorGreen_Watermark, p.colorBlue_Watermark};
    for (int i = 0; i < 3; i++) out.rgb[i] = static_cast<uint8_t>(255 - (255 - chosen[i]) * strength / 100);
}

int PointOnWatermark(const WatermarkPreview& w, int textWidth, int textHeight, int x, int y) {
    // Turned back by the angle (screen y grows downwards), the point must lie
    // inside the upright text box.
    double a = w.angle * kPi / 180.0;
    double dx = x - w.x, dy = y - w.y;
    double u = dx * std::cos(a) - dy * std::sin(a);
    double v = dx * std::sin(a) + dy * std::cos(a);
    return std::fabs(u) * 2 <= textWidth && std::fabs(v) * 2 <= textHeight;
}

void DragWatermark(PrivateSettings& p, const WatermarkPreview& w, int x, int y) {
    PointWatermarkPosition(p, x - w.left, y - w.top, w.width, w.height);
}
