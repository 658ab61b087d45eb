// The watermark dialog's own controls inside the sub-dialog procedure: the
// text list and typed text, the printer's own texts added through the
// text-entry dialog (33300) and deleted, the font list, the numeric edits,
// the strength slider, the colour chooser and the page preview the text is
// dragged on. Decisions are the portable watermark_dialog's and
// watermark_form's; this file only moves values between them and the windows.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "ui/page_model.h"
#include "ui/watermark_dialog.h"

struct WatermarkForm {
    HMODULE resources;
    uint16_t language;
    PrinterHandle printer;
    int mayWrite;
    int ready;         // the controls are filled
    int initialising;  // typed values are not yet the user's
    int dragging;
    WatermarkTextStore store;
    char16_t builtinText[kBuiltinWatermarkTexts][kCustomTextUnits];
    const char16_t* builtin[kBuiltinWatermarkTexts];
    uint32_t customColors[kWatermarkCustomColors];
    WatermarkPreview preview;    // as last drawn
    int textWidth, textHeight;   // the drawn text's extent
};

// What a command asks of the sub-dialog procedure.
enum WatermarkCommandResult { kWatermarkNotMine = 0, kWatermarkHandled = 1, kWatermarkRefresh = 2 };

void InitWatermarkDialog(HWND dlg, HMODULE resources, uint16_t language, PageInput& copy, WatermarkForm& f);
// After each refresh of the page model: the controls of the form follow the
// settings (the edit being typed in is left alone) and the preview redraws.
void ShowWatermarkDialog(HWND dlg, WatermarkForm& f, const PrivateSettings& p);
// 1 for a combo the form fills itself (the font list): the refresh leaves it.
int WatermarkKeepsList(uint32_t control);
int WatermarkCommand(HWND dlg, WatermarkForm& f, PageInput& copy, int id, UINT code);
// The strength slider moved.
void WatermarkScroll(HWND dlg, WatermarkForm& f, PrivateSettings& p, HWND bar);
// Mouse messages over the preview (press, move, release, cursor). Returns a
// WatermarkCommandResult; *answer is the message's result when handled.
int WatermarkMouse(HWND dlg, WatermarkForm& f, PrivateSettings& p, UINT message, WPARAM wParam, LPARAM lParam,
                   INT_PTR* answer);
// Draws the preview (1), or 0 for another control.
int DrawWatermarkPreview(WatermarkForm& f, const PrivateSettings& p, const DRAWITEMSTRUCT* item);
