// The property pages and their controls as the resource module lays them out
// (generated from src/ui/tables/controls.tbl): what the pages and the tests
// look controls up in.
#pragma once
#include <cstdint>

enum ControlKind : uint8_t {
    kLabelControl, kGroupControl, kTextControl, kComboControl, kPiccomboControl, kCheckControl,
    kRadioControl, kPicradioControl, kEditControl, kPasswordControl, kSpinControl, kButtonControl,
    kPictureControl, kSeparatorControl, kPreviewControl, kScrollbarControl, kThumbnailsControl,
    kDetailsControl, kTrackbarControl, kFeatureControl, kListboxControl, kTabsControl,
};

struct PageRow {
    uint16_t templateId;
    uint16_t layoutId;   // the template whose controls it has (itself, or the page it is like)
    uint16_t captionId;  // string id of the tab title
    const char* name;
};

struct ControlRow {
    uint16_t id;
    uint16_t templateId;  // 0 for a model value without a control
    ControlKind kind;
    uint16_t textId;      // string id of its text, 0 for none
    uint16_t pictureId;
    const char* name;
};

extern const PageRow kPageRows[];
extern const int kPageRowCount;
extern const ControlRow kControlRows[];
extern const int kControlRowCount;

// Where a control's list comes from, by name: a feature of the option
// catalogue, a model list of the session ("papers", "outputPapers",
// "mediaTypes", "trays"), or a fixed table ("installed", "choices").
struct ControlListRow {
    uint16_t id;
    const char* source;
};

extern const ControlListRow kControlListRows[];
extern const int kControlListRowCount;

// The value a radio button writes into its field (it shows checked while the
// field holds it).
struct RadioValueRow {
    uint16_t id;
    uint16_t value;
};

extern const RadioValueRow kRadioValueRows[];
extern const int kRadioValueRowCount;

// A spin's range and decimal places, and the edit it steps: the numeric spin
// edits of the pages.
struct SpinRangeRow {
    uint16_t id;
    uint16_t edit;
    uint16_t templateId;
    int32_t low;
    int32_t high;
    uint8_t decimals;
};

extern const SpinRangeRow kSpinRangeRows[];
extern const int kSpinRangeRowCount;

// The text of one option of a named list (a feature's options come from the
// catalogue; these rows give them their words).
struct OptionTextRow {
    const char* list;
    uint32_t value;
    uint16_t stringId;
};

extern const OptionTextRow kOptionTextRows[];
extern const int kOptionTextRowCount;

// The English text of every resource string (UTF-8): the words of a host
// without the resource module, such as the page tool's.
struct StringTextRow {
    uint16_t id;
    const char* english;
};

extern const StringTextRow kStringTextRows[];
extern const int kStringTextRowCount;

// Every control of every layout in template order, labels without an id
// included, with its place in dialog units: what the language fit check
// walks beside the created dialog's children. A sub-dialog's OK and Cancel
// follow its rows in the template.
struct LayoutRow {
    uint16_t templateId;
    uint16_t id;  // 0 for a label or group without one
    ControlKind kind;
    int16_t x, y, w, h;
    uint16_t textId;
    const char* name;
};

extern const LayoutRow kLayoutRows[];
extern const int kLayoutRowCount;
