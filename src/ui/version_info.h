// The version dialog's texts: the controller's version code by ink count and
// colour model, the name of a Windows language identifier, and the two
// formats the dialog fills ("Version.%s" and the resource strings with one
// "%s").
#pragma once
#include <cstdint>

#include "ui/page_model.h"

constexpr uint16_t kVersionDialog = 30800;

// The controller's version code, or null for a combination without one.
const char* ControllerVersionCode(uint8_t inkCount, uint8_t modelColor);
// The English name of a language identifier, or null when the table has none.
const char* LanguageNameOf(uint16_t languageId);
// format with its first "%s" replaced by arg, cut to room units with the
// terminator; a format without "%s" is copied as it is. Returns the length.
int FormatOneText(const char16_t* format, const char16_t* arg, char16_t* out, int room);

// The dialog's help button stays hidden.
void VersionDialogRules(const PageInput& in, PageState& page);
// What its help button opens (should a template show it): the driver's own
// help file when the environment names none, else that name in the driver
// directory's "3" folder. 1 with out (room units) holding the path; 0 when
// there is none or it does not fit.
int VersionHelpPath(const PageInput& in, char16_t* out, int room);
