// Reading the model lists of a session by position: papers, trays and media
// types as the capability queries and the tab pages see them. Positions
// count the rows a user can choose; the paper list leaves out the "same as
// original" row (id 0), as _UduGetPaperListIndex does.
#pragma once
#include <cstdint>

#include "base/session.h"

constexpr uint32_t kNoListId = 0xFFFFFFFF;  // the id read at a paper position that has no row
constexpr int kPaperNameChars = 63;         // a paper's display name as handed out

// The rows a user can choose, in position order, found in one walk; their
// number. A walk ends at the terminator or at a row without a name.
int ListedPapers(const PrinterEnvironment* env, const PaperRow* rows[kPaperSlots]);
int PaperListCount(const PrinterEnvironment* env);
// The paper id at a position, or kNoListId.
uint32_t PaperIdAt(const PrinterEnvironment* env, int position);
// At most 63 characters of the display name, cut to length - 1 and
// terminated; 1, or 0 with out untouched when the position has no row.
int PaperNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length);
// Width and length in 0.1 mm, the smaller first. The user-size row (256)
// takes the session's custom size; 1 or 0 (outputs untouched).
int PaperSizeAt(const PrinterSession* session, int position, int32_t* width, int32_t* length);
void PaperRowSize(const PrinterSession* session, const PaperRow& row, int32_t* width, int32_t* length);
// The custom size of a record in 0.1 mm, rounded, as (width, length);
// 1480 x 1480 when either is not positive.
void UserPaperSize(const PrivateSettings& settings, int32_t* width, int32_t* length);

// Trays and media types end at the first row with an empty name.
int TrayListCount(const PrinterEnvironment* env);
uint32_t TrayIdAt(const PrinterEnvironment* env, int position);  // 0 outside the slots
int TrayNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length);
int TrayListIndex(const PrinterEnvironment* env, uint32_t trayId);  // -1 when not listed

int MediaListCount(const PrinterEnvironment* env);
uint32_t MediaIdAt(const PrinterEnvironment* env, int position);  // 0 outside the slots
int MediaNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length);
int MediaListIndex(const PrinterEnvironment* env, uint32_t mediaId);  // -1 when not listed

// The model's paper extents (x, y in 0.1 mm) and print rate (pages per minute).
void PaperExtents(const PrinterEnvironment* env, uint32_t minimum[2], uint32_t maximum[2]);
uint32_t PrintRate(const PrinterEnvironment* env);
