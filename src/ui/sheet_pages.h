// Which page templates a property sheet shows, in tab order. The document
// sheet (modes 0 to 2) and the printer sheet (mode 3) pick some templates by
// the model fields of the printer environment.
#pragma once
#include <cstdint>

constexpr int kSheetPageRoom = 6;
constexpr int kDeviceSheetMode = 3;

// Fills templates with the sheet's pages and returns their count (0 for an
// unknown mode). inkCount and modelColor are the environment's fields;
// debugTab is the printer data value that adds the diagnostics page.
int SheetPageTemplates(int mode, uint32_t inkCount, char modelColor, uint32_t debugTab,
                       uint16_t templates[kSheetPageRoom]);
