// The Finishing tab's small dialogs over the page model: the fold dialog
// (direction of the first three folds, binding side of a Z-fold, its
// preview) and the slip-sheet dialog (paper source and what is printed).
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kFoldDialog = 32700;
constexpr uint16_t kSlipSheetDialog = 32300;

// 1 when the job's page is portrait as the fold sees it: the original's
// orientation, turned by two-up and eight-up layouts, posters of two and
// eight sheets and booklets.
int FoldPagePortrait(const PrivateSettings& p);
// The preview picture for the fold, its direction or binding side, the
// two-sided choice and mixed sizes; 0 for no fold.
uint16_t FoldPreviewPicture(const PrivateSettings& p);

// Run last in the refresh of 32700 and 32300.
void FoldDialogRules(const PageInput& in, PageState& page);
void SlipSheetRules(const PageInput& in, PageState& page);

// The fold dialog asks nothing; its binding side moves the page's binding
// side with it (1: a top binding goes to the left, 2: the top).
int FoldDialogQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void FoldDialogFollows(PageInput& in, uint32_t control, uint32_t value);
