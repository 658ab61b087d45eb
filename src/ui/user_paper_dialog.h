// The user-defined paper dialog's portable half: the unit and limits it
// shows sizes in, the range texts, a stored paper shown in that unit, the
// typed paper turned into a record, and the fetch, import and export over
// the store. The window procedure (user_paper_dialog_win32.cpp) fills the
// controls from these and hands the buttons here.
#pragma once
#include <cstdint>
#include <vector>

#include "saved/paper_exchange_file.h"
#include "saved/user_papers.h"

constexpr uint16_t kUserPaperDialog = 30900;
constexpr uint32_t kUserPaperButton = 30048;  // the environment page's button that opens it
constexpr int kUserPaperSizeChars = 5;        // the size edits take five characters

struct RdfInfo;
struct RegisteredPaperSize;

struct UserPaperUnit {
    uint32_t unit;      // kUserPaperMillimetres or kUserPaperInches
    int decimals;       // 1 or 2
    int32_t defaultWidth, defaultLength;  // A4
    int32_t widthMin, widthMax, lengthMin, lengthMax;
    uint32_t labelId;   // the unit's word
};
// The dialog's unit from the environment's unit of length (1 inches, else
// millimetres); a loaded model (may be null) replaces the four limits.
UserPaperUnit UserPaperUnitFor(uint32_t unitOfLength, const RdfInfo* model);
// "[90 - 340]" in whole millimetres, "[3.55 - 13.38]" in inches, of the
// width (length 0) or the length (1).
void UserPaperRangeText(const UserPaperUnit& u, int length, char16_t* out, int capacity);
// A stored paper's size in the dialog's unit, from its 1/300-inch fields.
void ShownUserPaperSize(const UserPaperUnit& u, const UserPaperRecord& r, int32_t* width, int32_t* length);
// The typed name (cut to 30 characters) and sizes (parsed with the unit's
// decimals and separator, kept within the limits) as a record in the
// dialog's unit; 0 when the name is empty or a size does not read.
int TypedUserPaper(const UserPaperUnit& u, const char16_t* name, const char16_t* width, const char16_t* length,
                   const char16_t* separator, UserPaperRecord* out);

// Each paper size a printer reports registered as a millimetre paper under
// the printer's name for it (sizes of zero or less left out); names is
// updated. Returns the number registered.
int RegisterFetchedPapers(PrinterHandle printer, UserPaperNames* names, const RegisteredPaperSize* papers,
                          uint32_t count);

// The file's good papers registered; slots (99 room) gets each registered
// paper's slot. Returns their number; -1 for a file without our header or
// without papers (nothing registered).
int ImportUserPapers(PrinterHandle printer, UserPaperNames* names, const uint8_t* file, size_t length,
                     const ExchangeNameCodePage& codePage, int* slots);
// The exchange file of the papers in slots (in that order); papers whose
// record cannot be read are left out. Returns the number written.
int ExportUserPapers(PrinterHandle printer, const UserPaperNames* names, const int* slots, int count,
                     const ExchangeNameCodePage& codePage, std::vector<uint8_t>* file);
