// The portable model of a property page: what every control of a page shows
// (items, selection, check, enabled, visible, text), worked out from the
// settings of a session and the facts of the sheet, and what a change of one
// control writes or asks. The window procedures only copy a PageState onto
// the controls and hand changes back here; nothing in this layer needs a
// window.
#pragma once
#include <cstdint>
#include <string>

#include "base/session.h"
#include "platform/platform.h"
#include "snmp/retrieval_thread.h"
#include "ui/control_table.h"

constexpr int kPageControlRoom = 96;   // controls of one page template
constexpr int kPageItemRoom = 160;     // items of one list (papers are the longest)
constexpr int kPageTextChars = 260;    // a text the page shows or writes back (the longest field holds 256)
constexpr int kFavoriteLimit = 30;     // no adding at this many favourites
constexpr int kQuestionPartRoom = 16;  // string ids of one confirmation text

// Where an item's text comes from: a resource string, a row of one of the
// session's model lists (the name held there, found by the item's value), or
// the name the control's text field holds (a chosen profile or area), or a
// barcode area of the printer's lists (the value is its slot), a colour
// profile of the printer's lists (the value less kProfileItemBase is its
// slot), or a form the printer has registered (the value less
// kRegisteredFormBase is its slot), or a paper's second name (its size in
// words) found by the value.
enum ItemTextSource : uint8_t { kItemString, kItemPaper, kItemTray, kItemMedia, kItemControlText, kItemBarcodeArea,
                                kItemProfile, kItemRegisteredForm, kItemPaperSecondName };
constexpr uint32_t kProfileItemBase = 2;
constexpr uint32_t kRegisteredFormBase = 11;

struct PageItem {
    uint32_t value;     // the settings value (a paper, tray or media id for list rows)
    uint32_t stringId;  // kItemString: the text's string id
    uint8_t source;     // ItemTextSource
};

struct ControlState {
    uint32_t id;
    ControlKind kind;
    int itemCount;
    PageItem item[kPageItemRoom];  // a preview's items are its pictures, bottom layer first
    int selected;  // index into item, -1 when the current value is not offered
    int checked;   // check box / radio button
    int enabled;
    int visible;
    uint32_t value;                  // the settings value the control shows (edit, spin, check)
    char16_t text[kPageTextChars];   // text controls and edits the page writes; empty when none
};

struct PageState {
    uint16_t templateId;  // the page asked for
    uint16_t layoutId;    // the template whose controls it has
    int view;             // which of a page's views it shows (0 or 1); refreshes keep it
    int controlCount;
    ControlState control[kPageControlRoom];
};

// What a page reads of its property sheet besides the settings.
struct SheetFacts {
    int fullAccess;      // the printer opened with full access: its data may be written
    int canAdminister;
    int documentMode;    // 1 document properties, 0 printer properties
    int favoriteCount;
    int favoriteSelected = 0;  // the favourites page shows a selected favourite
};

// The control and value of the last handled change; (0, 0) before one and at
// page initialisation, so that no cascade rule fires then.
struct LastChange {
    uint32_t control;
    uint32_t value;
};

// The page's input: the working session, the sheet facts, the last change
// and the printer's lists as the sheet holds them.
struct PageInput {
    PrinterSession* session;
    PrinterHandle printer;  // for the printer's stored defaults; may be null
    SheetFacts facts;
    LastChange last;
    const RetrievalTargets* printerLists;  // barcode areas and trays; null: none known
};

// A choice that switches other features off: asked before anything changes.
// The page's own rules name them; a cancelled feature is listed in the
// question only while it is on (its value differs from offValue).
struct ConflictCancel {
    uint32_t control;
    uint32_t offValue;
    uint32_t nameId;  // string id of the feature's name
};
constexpr uint32_t kAnyChoiceOn = 0xFFFFFFFF;  // a rule's value: every choice but 0
struct ConflictRule {
    uint32_t control;
    uint32_t value;   // the choice that cancels, or kAnyChoiceOn
    uint32_t nameId;  // string id of the feature being switched on
    int cancelCount;
    ConflictCancel cancel[6];
};

// A confirmation to ask: the text as string ids in order (parts separated by
// a line feed and carriage return), the writes a Yes makes and those a No
// makes (most questions: none, the choice is simply not taken).
struct PageQuestion {
    uint32_t control;
    uint32_t value;
    int partCount;
    uint32_t part[kQuestionPartRoom];
    int offCount;
    ConflictCancel off[6];
    int noCount;
    ConflictCancel no[2];
};

// A question in the order the message box shows it: the feature switched on,
// then each feature it switches off (named, and written on Yes), then the
// closing parts. Finish returns 1 when something is switched off.
void StartPageQuestion(PageQuestion& q, uint32_t control, uint32_t value, uint32_t nameId);
void AddQuestionCancel(PageQuestion& q, uint32_t control, uint32_t yesValue, uint32_t nameId);
int FinishPageQuestion(PageQuestion& q);

enum PageChangeResult { kChangeRefused = 0, kChangeWritten = 1, kChangeAsks = 2 };

// The page row of a template id, or of a page name ("BASIC", case-insensitive);
// null when none.
const PageRow* FindPageRow(uint16_t templateId);
const PageRow* FindPageRowByName(const char* name);

// The page refresh: normalises the device options on pages with finishing
// controls, builds the settings pairs, checks the constraints with the last
// change, writes the forced values into the session, then fills every control
// of the page from the settings (lists with only the offered options, a list
// enabled only with two items or more), disables the controls the engine
// disables and applies the page's own rules. Returns 1, or 0 for an unknown
// template (out then holds no controls).
int RefreshPage(uint16_t templateId, PageInput& in, PageState& out);

// A change of one control: with a conflict rule whose cancelled features are
// on, fills question and returns kChangeAsks without touching the settings;
// else writes the value into the control's field, records (control, value)
// as the last change (a second radio button of a field as the field's pair
// control) and returns kChangeWritten. kChangeRefused for a control
// without a field. The page refreshes after a written change.
int ApplyPageChange(PageInput& in, uint32_t control, uint32_t value, const ConflictRule* rules, int ruleCount,
                    PageQuestion* question);
// The answer: yes stores the choice and writes every listed feature's off
// value (recording the change); no writes only the question's No writes.
// Returns what was done (kChangeWritten or kChangeRefused).
int AnswerPageQuestion(PageInput& in, const PageQuestion& question, int yes);

// A change on a page of a template, with the page's own rules: the question
// the page asks about it (kChangeAsks), else the write (ApplyPageChange) and
// what the page makes follow it. The answer likewise: AnswerPageQuestion and,
// after a Yes, what follows the choice.
int ChangePageControl(uint16_t templateId, PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
int AnswerPageControl(uint16_t templateId, PageInput& in, const PageQuestion& question, int yes);
// A further question the answer leads to, asked after it (1 with next filled).
int NextPageQuestion(uint16_t templateId, const PageInput& in, const PageQuestion& answered, int yes,
                     PageQuestion* next);

// The restore-defaults button: the printer's stored defaults of the private
// record (factory defaults without a printer); the environment is left alone
// and the last change cleared. The page refreshes.
void RestorePageDefaults(PageInput& in);
// The restore-defaults button of a page (every tab has one).
int IsRestoreDefaultsButton(uint32_t control);

// The add-to-favourites button is enabled only with full access and fewer
// than kFavoriteLimit favourites.
int AddFavoriteEnabled(const SheetFacts& facts);

// The settings value a control shows, and the write of a new one (1, or 0 for
// a control without a field).
uint32_t ReadControlValue(const PrinterSession& s, uint32_t control);
int WriteControlValue(PrinterSession& s, uint32_t control, uint32_t value);

// The text fields of edits: their capacity in characters with the terminator
// (0 for a control without one), and the write of a new text, cut to the
// field and zero-filled behind (1, or 0 for a control without a text field).
int ControlTextChars(uint32_t control);
int WriteControlText(PrinterSession& s, uint32_t control, const char16_t* text);
// An edit's new text: filtered where the field forbids characters (the SNMP
// community), written, and recorded as the last change (control, 0);
// kChangeRefused for a control without a text field. The page shows the
// written text on its next refresh.
int ApplyPageText(PageInput& in, uint32_t control, const char16_t* text);

// List filling. A table of (string id, value) rows as FillComboFromIdTable
// fills it: every row, the item whose value equals current selected (-1 when
// none), enabled only with two rows or more (and disabled without a table).
struct IdTableRow {
    uint32_t stringId;
    uint32_t value;
};
void FillFromIdTable(ControlState& c, const IdTableRow* rows, int count, uint32_t current);
// The tray list for a purpose 1..7 (1 the first page's paper source), with the
// current tray selected.
void FillTrayList(ControlState& c, const PrinterEnvironment& env, int purpose, uint32_t current);

// A working copy for a sub-dialog: a separate session (and facts) that the
// dialog edits; closing with commit copies the public part, the private
// record, the environment and the trailing magic back.
struct WorkingCopy {
    PageInput* sheet;
    PageInput* copy;
};
WorkingCopy* OpenWorkingCopy(PageInput* sheet);  // null when sheet is null
PageInput* CloseWorkingCopy(WorkingCopy* copy, int commit);

// The text of an item as UTF-8: a list row's name, the resource string in the
// session's language ("#<string id>" when the host has none), the control's
// text, or empty for a catalogue option without words.
std::string PageItemText(const PrinterSession& s, const ControlState& c, const PageItem& item);
// One line per control: id, name, kind, enabled/visible, selection or value,
// and the items.
std::string PageStateText(const PageState& page, const PrinterSession& s);
