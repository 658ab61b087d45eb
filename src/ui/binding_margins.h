// The binding margin (side margin) and the booklet binding's centre margin:
// the width as the spin edit shows it in the environment's unit, its range,
// and the two stored widths (0.01 mm and 0.01 inch) worked out from a typed
// width; the booklet-binding dialog's choices and what its OK writes. The
// window side runs the constraint engine after the writes.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

constexpr uint16_t kBookletBindingDialog = 32500;

// A margin width as edited: tenths of an inch (one decimal place, 0.0 to
// 2.0) or whole millimetres (0 to 50).
struct MarginForm {
    int inches;
    int32_t value;
    int32_t high;  // low is 0
    int decimals;
    uint32_t unitText;  // 20152 inches or 20150 millimetres for the side margin, 20153 or 20151 for the centre margin
};
void LoadMarginForm(int inches, uint16_t widthMm, uint16_t widthInch, MarginForm& form);
// A typed width kept inside the range.
int32_t ClampMarginWidth(const MarginForm& form, int32_t typed);
// The stored widths of a typed width (clamped first): inches give w × 10 and
// (w × 2540 + 5) / 10 capped at 5000; millimetres w × 100 and
// (w × 1000 + 127) / 254 capped at 200.
void StoreMarginWidth(const MarginForm& form, int32_t typed, uint16_t* widthMm, uint16_t* widthInch);

// The binding-margin dialog's OK: the widths, sideMarginSupport (1 while
// either is above 0) and autoReduce_SideMargin.
void StoreSideMargin(const MarginForm& form, int32_t typed, int autoReduce, PrivateSettings& p);
// The question that checking auto-reduce asks while zoom is on, as string
// ids, kQuestionLineBreak standing for a line break and kQuestionColon for
// ": " (the shared "None" text names the state after the change); returns
// the count (0: nothing to ask).
constexpr int kAutoReducePartRoom = 16;
constexpr uint32_t kQuestionLineBreak = 0, kQuestionColon = 1;
// The margin's picture while the binding side has one, else 0.
uint16_t SideMarginPicture(const PrivateSettings& p);
int AutoReduceQuestion(const PrivateSettings& p, uint32_t* parts);

// The booklet-binding dialog's choices.
struct BookletBindingForm {
    int separateBooks;        // radio 32512
    int marginEnabled;        // 0 without a booklet layout: widths and auto-reduce cleared and greyed
    MarginForm margin;
    int autoReduce;           // 32522
    int printCoverSeparately; // 0, 1, 2: radios 32524..32526
    int storeExceptCover;     // 32527
    uint16_t coverTray;       // 32529
    uint16_t sheetsPerBook;   // the hidden combo 32514: 0, or a count that prints the cover with the book
};
// The entries of the sheets-per-book combo (the first, 0, keeps one book).
constexpr uint16_t kSheetsPerBookChoices[] = {0, 5, 15};
// Run last in the refresh of 32500: the sheets a book are never edited here
// (booklet binding decides them on OK), so their label and combo are hidden.
void BookletBindingRules(const PageInput& in, PageState& page);
void LoadBookletBindingForm(const PrivateSettings& p, int inches, BookletBindingForm& form);
// The enabling after a click: the store box only with the cover printed
// separately (1), the tray only while the store box is checked.
int StoreExceptCoverEnabled(const BookletBindingForm& form);
int CoverTrayEnabled(const BookletBindingForm& form);
// A click on one book / separate books (separate: the cover is printed with
// the book, choice 0) or on a cover choice (other than 1 the store box
// clears; other than 0 one book is chosen, with no sheets per book).
void ChooseSeparateBooks(BookletBindingForm& form, int separate);
void ChooseCoverPrinting(BookletBindingForm& form, int choice);
// A count of sheets per book prints the cover with the book.
void ChooseSheetsPerBook(BookletBindingForm& form, uint16_t sheets);
// OK: separate books store 255 and 5 sheets a book for a saddle-stitched
// booklet (15 for a folded one) and clear the covers; the centre margin's
// widths with centerMargin_BookletBinding, auto-reduce, the cover choices.
void StoreBookletBindingForm(const BookletBindingForm& form, int32_t typedWidth, PrivateSettings& p);
