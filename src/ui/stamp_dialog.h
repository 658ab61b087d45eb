// The stamp dialog without windows: its three panels in tab order, the six
// stamp positions and the boxes of the preview that pick them, a panel's
// changes and enabling, and what the preview draws. The panels edit the
// working copy of the sub-dialog pattern; OK commits it, Cancel drops it.
#pragma once
#include <cstdint>

#include "ui/page_model.h"
#include "ui/stamp_form.h"

constexpr uint16_t kStampDialog = 33400;
constexpr uint32_t kStampTabs = 33410;
constexpr int kStampPanelCount = 3;
// Positions 1..3 along the top edge, 4..6 along the bottom, left to right:
// the page number's default 6 is bottom right, the date's and text's 3 top right.
constexpr int kStampPositionCount = 6;
constexpr int kStampBoxWidth = 104, kStampBoxHeight = 20;  // pixels of the preview
constexpr int kStampFaceUnits = 64;                        // a stored face name with its terminator

struct StampPanel {
    uint16_t templateId;
    uint16_t captionId;  // the tab's words
    uint32_t off, on;    // the radios that switch the stamp
    uint32_t preview;
    uint32_t font, style, size;
    uint32_t text;      // the date or text edit; 0 for the page number
    uint32_t pages[2];  // the radios of the pages it goes on (first only, all); 0 for the page number
};
extern const StampPanel kStampPanels[kStampPanelCount];  // by StampKind, which is the tab order
// The panel of a template, or null; its kind is its index.
const StampPanel* FindStampPanel(uint16_t templateId);

struct StampRect {
    int left, top, right, bottom;
};
// The page drawn in a preview of width by height pixels, and the box of a
// position code on it (1, or 0 for a code outside 1..6).
StampRect StampPagePicture(int width, int height);
int StampPositionBox(int code, int width, int height, StampRect* box);
// The position a click at (x, y) picks; 0 outside every box.
int StampPositionAt(int x, int y, int width, int height);
// The command a box sends its panel, and the position a command stands for
// (0 when it is not one of the panel's).
uint32_t StampPositionCommand(uint16_t panel, int code);
int StampPositionOfCommand(uint16_t panel, uint32_t command);
// The position the preview shows: the stored code, or the stamp's default
// for a code outside the set.
int StampShownPosition(const PrivateSettings& p, int kind);

// The panels opening: an empty given date becomes today's, and every number,
// size and style is held inside its range.
void OpenStampPanels(PrivateSettings& p, const char16_t* today);
// A change of a panel's control over the working copy: the field written, a
// stamp switched on moved to its default position, a position command
// stored, numbers and sizes held in range. kChangeWritten or kChangeRefused.
int ChangeStampControl(uint16_t panel, PageInput& in, uint32_t control, uint32_t value);
// A face chosen in the panel's font list, cut to the stored field; 0 for a
// kind outside the three.
int ChooseStampFont(PrivateSettings& p, int kind, const char16_t* face);
// The stored face of a stamp (terminated, kStampFaceUnits).
void StampFace(const PrivateSettings& p, int kind, char16_t* face);
// The panel's own rules after the refresh: its style list, everything but
// the on and off radios greyed while the stamp is off, the given date's
// edit only with the given date chosen, the pages' two radios greyed as one.
void StampPanelRules(const PageInput& in, PageState& page);

// One stamp as the preview draws it: the panel's own, and the other stamps
// that are on (drawn first, in grey).
struct StampDrawing {
    int kind;
    int position;
    int own;
    int on;
    char16_t text[kStampTextUnits];
    char16_t face[kStampFaceUnits];
    int height;  // pixels: the sizes scaled so that the smallest is readable and the largest fills a box
    int bold, italic;
};
int StampPreviewDrawings(const PrivateSettings& p, int panelKind, const char16_t* today,
                         StampDrawing out[kStampPanelCount]);
int StampPreviewFontHeight(uint16_t size);
