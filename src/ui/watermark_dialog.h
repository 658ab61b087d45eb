// The watermark dialog's decisions over its working copy, without windows:
// the words of its lists, what a colour or rotation choice writes, the
// colour chooser's custom colours kept in the printer's data, adding and
// deleting the printer's own texts, and where the preview draws the text
// (and the point a drag on the preview makes the position).
#pragma once
#include <cstdint>

#include "ui/page_model.h"
#include "ui/watermark_form.h"
#include "ui/watermark_texts.h"

constexpr uint16_t kWatermarkDialog = 33200;
constexpr uint16_t kWatermarkTextDialog = 33300;
constexpr int kWatermarkCustomColors = 16;
constexpr uint8_t kWatermarkCustomColor = 8;

// Run last in the refresh of 33200: the style, colour, frame, rotation and
// position lists with their words (the custom position listed only while
// chosen).
void WatermarkDialogRules(const PageInput& in, PageState& page);
// A colour or rotation choice with what follows it (the colour's bytes, the
// rotation's angle). 1 when the control is one of them.
int ChangeWatermarkChoice(PageInput& in, uint32_t control, uint32_t value);

// The red, green and blue of a listed colour (0..7); 0 for the custom one.
int WatermarkColorRgb(uint8_t color, uint8_t rgb[3]);
// A colour from the chooser (0x00BBGGRR): the custom colour with its bytes.
void TakeWatermarkColor(PrivateSettings& p, uint32_t colorRef);
// "CustomWMColor": the chooser's 16 custom colours; all white when the
// value is absent or not 64 bytes of binary. Storing returns 1 when written.
void LoadWatermarkColors(PrinterHandle printer, uint32_t colors[kWatermarkCustomColors]);
int StoreWatermarkColors(PrinterHandle printer, const uint32_t colors[kWatermarkCustomColors]);

// The text-entry dialog's OK: the text kept among the printer's own and
// made the selected, effective text (kTextDone), or the store's refusal
// with the settings unchanged.
int AddChosenWatermarkText(PrinterHandle printer, WatermarkTextStore& store, PrivateSettings& p,
                           const char16_t* text, const char16_t* const builtin[kBuiltinWatermarkTexts]);
// Deletes the selected text when it is one of the printer's own; the first
// built-in text is selected then.
int DeleteChosenWatermarkText(PrinterHandle printer, WatermarkTextStore& store, PrivateSettings& p,
                              const char16_t* const builtin[kBuiltinWatermarkTexts]);

// Where the preview draws: the page inside the control (its proportions by
// the original's orientation), the text's centre, its height for the chosen
// size, its angle, and its colour mixed with the paper by the strength.
struct WatermarkPreview {
    int left, top, width, height;  // the page
    int x, y;                      // the text's centre
    int textHeight;                // pixels, at least 1
    int angle;                     // degrees, counter-clockwise
    uint8_t rgb[3];
};
void LayOutWatermarkPreview(const PrivateSettings& p, int controlWidth, int controlHeight, WatermarkPreview& out);
// 1 when (x, y) lies on the text drawn textWidth by textHeight pixels about
// its centre at the preview's angle.
int PointOnWatermark(const WatermarkPreview& w, int textWidth, int textHeight, int x, int y);
// A point of the control as the text's position (custom, in percent of the
// page, held to the page).
void DragWatermark(PrivateSettings& p, const WatermarkPreview& w, int x, int y);
