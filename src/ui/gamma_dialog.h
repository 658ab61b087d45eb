// The gamma-control dialog over the page model: which values a colour mode
// lets the user set, and the preview's mode.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kGammaDialog = 32100;
constexpr uint16_t kGammaMonoDialog = 32101;  // one-ink models

// The template the gamma button opens for a printer.
uint16_t GammaDialogTemplate(const PrinterEnvironment& env);
// 1 when a colour mode keeps chroma and the red, green and blue values.
int GammaColorValuesUsed(uint8_t colorMode);
// 1 when the preview draws in colour (modes 0, 1 and 5; mode 7 keeps its
// colour values but previews in monochrome).
int GammaPreviewInColor(uint8_t colorMode);
// Run last in the refresh of 32100 and 32101: colour values a mode does not
// use are 0 and their controls disabled.
void GammaDialogRules(const PageInput& in, PageState& page);
