// The form-overlay dialog over the page model: its lists (patterns, the ten
// numbered forms and the forms the printer has registered by name, layers),
// the form of each side found again by its stored name, the name a choice
// stores, and what each pattern and side leaves to choose.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kFormOverlayDialog = 33800;
constexpr int kNumberedForms = 10;

// Run last in the refresh of 33800; a control the pattern leaves no choice
// brings its setting back to what the pattern implies.
void FormOverlayRules(const PageInput& in, PageState& page);
// A choice in a form list (values: 0 none, 1..10 numbered, kRegisteredFormBase
// + slot a registered form): index and name of that side. 1 when written, 0
// for another control or a slot the lists do not hold.
int ChangeFormOverlay(PageInput& in, uint32_t control, uint32_t value);
// The stored name of a numbered form ("#kElOcUsToMfOrM" and its number) into
// out (at least 20 units).
void NumberedFormName(int number, char16_t* out);
// The number of registered forms the lists hold (non-empty names in order).
int RegisteredFormCount(const RetrievalTargets* lists);

// The preview shows the form of one side (page.view: 0 the front, 1 the
// back) under a "%d/%d" page indicator; a second side exists only with a
// separate back-side form. A step button or a form choice turns the preview
// to its side: 1 when the side shown changed.
constexpr uint16_t kFormPreviewPicture = 10415;
int ShowFormOverlaySide(PageState& page, const PrivateSettings& p, uint32_t control);
