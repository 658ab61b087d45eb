// The printer's environment page: its two views of the installed options,
// the output unit combo whose items stand for three stored bytes, the MAC
// address typed in six parts, the rules that enable and hide its controls,
// its buttons (fetch from the printer, restore the installed environment)
// and its apply. The window procedure only forwards scroll requests, button
// clicks and the apply here.
#pragma once
#include <cstdint>

#include "base/environment.h"
#include "ui/page_model.h"

constexpr uint16_t kEnvironmentLayout = 30003;
constexpr uint32_t kOutputUnitControl = 30028;
constexpr uint32_t kCommunityEditControl = 30054;
constexpr uint32_t kFetchFailedTextId = 20552;

// 1 for the templates that show the environment page.
int IsEnvironmentPage(uint16_t templateId);

// The page's own rules, run last by the page refresh: the output unit list,
// the MAC parts, the view in page.view, the model's restrictions, the
// network fields' dependencies and the user's rights.
void EnvironmentPageRules(const PageInput& in, PageState& page);

// The scroll bar (two positions): the view a request (the scroll bar
// request codes: 0 line up, 1 line down, 2 page up, 3 page down, 4 thumb
// position, 5 thumb track, 6 top, 7 bottom, 8 end of scrolling) leads to
// from view, thumb being the thumb's position. Always 0 or 1.
int ScrolledView(int view, int request, int thumb);

// The output unit combo's item value for the stored bytes, and the write of
// an item value into them (25 and 26 with their sub-option and fold unit
// make the values 40..43 and 50..53).
uint32_t OutputUnitItemValue(const PrinterEnvironment& env);
void WriteOutputUnitItem(PrinterEnvironment& env, uint32_t value);
// What the constraint engine knows of an item: the stored outputUnit_Option.
uint32_t OutputUnitOfItem(uint32_t value);

// The MAC address edits 30014..30019: their part number 1..6, 0 for another
// control. A part's text is split from the stored address; writing a part
// rebuilds the address from all six, an empty part counting as "00".
constexpr int kMacPartChars = 3;  // two characters and the terminator
int MacAddressPart(uint32_t control);
void ReadMacAddressPart(const PrinterEnvironment& env, int part, char16_t out[kMacPartChars]);
void WriteMacAddressPart(PrinterEnvironment& env, int part, const char16_t* text);

// The community edit keeps only digits, letters and , . / : ; @ [ \ ] ^ _;
// caret (may be null) moves back by one for each character dropped before
// it. Returns 1 when any was dropped.
int KeepCommunityChars(char16_t* text, int* caret);

// A button of the page: what the window must do after it.
struct EnvironmentButtonResult {
    int handled;         // 0: not a button of this page's own
    uint32_t messageId;  // a message to show (information icon, empty caption); 0 none
    int changed;         // refill the page and mark it changed
};
// 30051 fetches the configuration from the printer, 30052 restores the
// environment stored at installation.
EnvironmentButtonResult PressEnvironmentButton(PageInput& in, uint32_t control);

// The page's apply, before the sheet writes the environment back: the
// community name stored for the printer, the model lists rebuilt, the
// settings fitted to the printer and the environment stamped with the time.
void ApplyEnvironmentPage(PageInput& in, const char16_t* printerName);
