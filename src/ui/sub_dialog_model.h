// The sub-dialogs the pages open: which button or choice opens which
// template, and the mixed-size two-sided dialog's own rules on top of the
// page refresh (its picture, and each radio pair disabled as one).
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kTrayPerPageDialog = 31400;
constexpr uint16_t kCustomSizeDialog = 31700;
constexpr uint16_t kMixedDuplexDialog = 31800;
constexpr uint16_t kOutputModeDialog = 31900;
constexpr uint16_t kOutputTrayDialog = 32800;

// The template a page button opens, or 0 when the button opens none.
uint16_t SubDialogOfButton(uint32_t control);
// The custom size a size choice asks for (CustomSizeTarget), or -1: choosing
// the custom size in the original or output size list opens its dialog.
int CustomSizeTargetOfChoice(uint32_t control, uint32_t value);
// A choice in a sub-dialog over its working copy: the dialog's own writes
// (the colour profile's name), else the control's field. kChangeWritten or
// kChangeRefused.
int ChangeSubDialogControl(uint16_t templateId, PageInput& in, uint32_t control, uint32_t value);
// The picture of the two choices of the mixed-size two-sided dialog.
uint16_t MixedDuplexPicture(const PrivateSettings& p);
void MixedDuplexRules(const PageInput& in, PageState& page);
