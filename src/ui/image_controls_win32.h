// The two owner-drawn picture controls of the pages, made by subclassing
// standard controls: the image combo box (items with a 32 x 32 picture, or
// 9 x 9 in the compact form) and the image radio button (its own check
// state, group and keyboard handling). Both draw themed when visual styles
// are on and classic otherwise. Each keeps its record in the window property
// of atom 10000; ImageComboRelease frees either kind.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// One combo item: its text's string id, its value (the item data) and its
// picture (low 16 bits; 0 for none).
struct ImageComboItem {
    uint32_t stringId;
    uint32_t value;
    uint32_t picture;
};

// Subclasses the combo and records the items (a copy), then fills it with
// their strings in the language, the item whose value equals current
// selected; enabled only with two items or more, disabled without a table.
// Returns the selected index or -1.
int ImageComboInit(HMODULE module, HWND dialog, int comboId, const ImageComboItem* items, int count,
                   uint32_t current, uint32_t spare, uint16_t language);
// The same record for a combo whose texts the caller fills itself, item i
// of the table being combo item i. No record for count 0.
void ImageComboSetItems(HWND combo, const ImageComboItem* items, int count);
// Makes sure the selection field and the items have the measured height
// (34, compact 19): some hosts measure only the list items.
void ImageComboFitHeight(HWND combo, int compact);
void ImageComboRelease(HWND dialog, int controlId);
void ImageComboMeasure(MEASUREITEMSTRUCT* measure);
void ImageComboDraw(HMODULE module, const DRAWITEMSTRUCT* item);
void ImageComboCompactMeasure(MEASUREITEMSTRUCT* measure);
void ImageComboCompactDraw(HMODULE module, const DRAWITEMSTRUCT* item);

// Makes an owner-drawn button of the dialog an image radio button: its
// height fitted to the picture, its group (at most 10 members) found among
// the dialog's buttons. Call for every member once all of them exist.
void ImageRadioInit(HMODULE module, HWND dialog, int buttonId, uint16_t picture);
void ImageRadioDraw(HMODULE module, const DRAWITEMSTRUCT* item);
// The message a member sends to the others of its group when it is checked;
// sent alone it unchecks the button.
constexpr UINT kImageRadioUncheck = WM_USER + 1;
