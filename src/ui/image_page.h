// The Image tab's own rules over the page model: the barcode-area list taken
// from the printer's stored areas, what the barcode, gamma and profile
// controls enable, the summary texts, the questions its changes ask (image
// quality against paper type and colour mode, gamma against skipping blank
// pages, envelope processing against the colour mode) and the writes that
// follow a change (the chosen area's name, repeat count and page limit).
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kImageLayout = 30600;  // 30602 has the same controls

// Run last in the refresh of 30600 and 30602. It also takes the area the job
// names into the settings: the listed area of that name, else the first one.
void ImagePageRules(const PageInput& in, PageState& page);

// The page's questions (1 with question filled) and the writes that follow a
// written change.
int ImageChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void ImageChangeFollows(PageInput& in, uint32_t control, uint32_t value);

// The number of areas the printer's lists hold: names in list order up to the
// first empty one, never more than the list's slots. 0 without lists.
int BarcodeAreaCount(const RetrievalTargets* lists);
// Takes area slot into the settings: index, name (cut to the list's 31
// units), repeat count and highest page number (each held to 16 bits).
// 0 when the lists have no such area; the settings then stay.
int TakeBarcodeArea(PrivateSettings& p, const RetrievalTargets* lists, int slot);

// The barcode-area density dialog: its three densities (lighter by two and
// by one step, normal), the job's selected.
constexpr uint16_t kBarcodeDensityDialog = 31100;
void BarcodeDensityRules(const PageInput& in, PageState& page);
