// The page lists of the tray-per-page dialog: typed as text such as 1,3-5,8,
// kept in the settings as 4-bit codes, parsed into ranges that are compared,
// subtracted and written back in canonical form; and the dialog's form of
// four lists and the repeat pattern, with its check on OK.
#pragma once
#include <cstdint>

#include "base/session.h"

constexpr int kPageListChars = 1000;  // typed characters of one list
constexpr int kPackedListBytes = 500;
constexpr int kPageRangeRoom = 500;   // "1,3,5,..." never holds more ranges than this
constexpr int kMaxPageNumber = 9999;
constexpr int kTrayListCount = 4;     // standard tray, trays 1 to 3

struct PageRange {
    int32_t first, last;
};
struct PageRangeList {
    int count;
    PageRange range[kPageRangeRoom];
};

// Codes 1-9 the digits, 15 the digit 0, 10 comma, 11 hyphen, 0 the end; the
// first character in the low half of a byte. Other characters are skipped.
void PackPageList(const char16_t* text, uint8_t* field);
// The text of a packed field (up to kPageListChars characters, terminated).
void UnpackPageList(const uint8_t* field, char16_t* text);
// Ranges in the order of the text: a number of five digits or more counts as
// 9999, a range given high to low is turned, page 0 and empty parts are left
// out, characters other than digits, comma and hyphen are ignored.
void ParsePageList(const char16_t* text, PageRangeList& out);
// "%d" or "%d-%d" per range, joined by commas, cut at kPageListChars.
void FormatPageList(const PageRangeList& list, char16_t* text);
int RangesOverlap(const PageRangeList& a, const PageRangeList& b);
// The pages of a that are not in b, in order (a range may split in two).
void SubtractPages(const PageRangeList& a, const PageRangeList& b, PageRangeList& out);
int HighestPage(const PageRangeList& list);
// Keeps digits, comma and hyphen; 1 when something was removed.
int KeepPageListChars(char16_t* text);

// The dialog's state: the four lists as typed and the repeat pattern.
struct TrayPerPageForm {
    char16_t list[kTrayListCount][kPageListChars + 1];
    int repeat;
    int32_t repeatLength;  // 0: not set
};
void LoadTrayPerPage(const PrivateSettings& p, TrayPerPageForm& form);
// Lists that share a page with another list, one flag each.
void MarkOverlappingLists(const TrayPerPageForm& form, int marks[kTrayListCount]);
// Leaving list index: it is written canonically and wins its pages from
// the other three, which are rewritten too.
void LeaveTrayList(TrayPerPageForm& form, int index);
// The highest page of the four lists, at most 9999.
int TrayFormHighestPage(const TrayPerPageForm& form);
// OK: with repeat on, the pattern length must reach the highest page; 0 and
// *highest set to that page when it does not. 1 when the form may be stored.
int CheckTrayPerPage(const TrayPerPageForm& form, int* highest);
void StoreTrayPerPage(const TrayPerPageForm& form, PrivateSettings& p);
