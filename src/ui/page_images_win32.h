// The pages' picture controls (picture combos and radios, picture statics,
// separators) as the controls table names them: made at page creation,
// measured and drawn for the page procedure, refilled by the page refresh
// and released when the page closes.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

// Starts imaging and makes every picture radio button of the page's template.
void InitPageImages(HWND page, HMODULE module, uint16_t templateId);
// 1 when the item belongs to a picture combo and was measured.
int MeasurePageImage(MEASUREITEMSTRUCT* measure);
// 1 when the item was one of the page's picture controls and was drawn;
// 0 leaves it to the caller (previews).
int DrawPageImage(HMODULE module, uint16_t templateId, const DRAWITEMSTRUCT* item);
// A refreshed picture combo: its items' pictures (the texts are the caller's),
// the layout choices drawn for the original orientation.
void ShowImageComboItems(HWND combo, const ControlState& control, const PrinterSession& session);
// A picture radio button checked (the group's others uncheck) or unchecked.
void ShowImageRadioCheck(HWND button, int checked);
void ReleasePageImages(HWND page, uint16_t templateId);
