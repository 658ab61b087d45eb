#include "session/model_list_access.h"

#include "base/text16.h"
#include "session/global_list.h"

namespace {

// Copies at most max characters of a fixed 64-character name, cut to
// length - 1, and terminates it.
void CopyName(char16_t* out, int length, const char16_t* name, int max) {
    int n = static_cast<int>(Text16Length(name, static_cast<size_t>(max)));
    if (n > length - 1) n = length - 1;
    for (int i = 0; i < n; i++) out[i] = name[i];
    out[n] = 0;
}

template <typename Row>
int CountNamedRows(const Row* rows, int slots) {
    int n = 0;
    while (n < slots && rows[n].name[0] != 0) n++;
    return n;
}

template <typename Row>
int IndexOfId(const Row* rows, int slots, uint32_t id) {
    for (int i = 0; i < slots && rows[i].name[0] != 0; i++)
        if (rows[i].id == id) return i;
    return -1;
}

template <typename Row>
int NameAt(const Row* rows, int slots, int position, char16_t* out, int length) {
    if (!out || length <= 0 || position < 0 || position >= CountNamedRows(rows, slots)) return 0;
    CopyName(out, length, rows[position].name, 63);
    return 1;
}

}  // namespace

// The same walk as the paper lookups of the list building, so that a count,
// a position and an index always agree.
int ListedPapers(const PrinterEnvironment* env, const PaperRow* rows[kPaperSlots]) {
    int n = 0;
    for (int i = 0; i < kPaperSlots; i++) {
        const PaperRow& r = env->paperList[i];
        if (r.id == kPaperListEnd || r.name[0] == 0) break;
        if (r.id != 0) rows[n++] = &r;
    }
    return n;
}

int PaperListCount(const PrinterEnvironment* env) {
    const PaperRow* rows[kPaperSlots];
    return ListedPapers(env, rows);
}

uint32_t PaperIdAt(const PrinterEnvironment* env, int position) {
    const PaperRow* row = PaperRowAt(env, position);
    return row ? row->id : kNoListId;
}

int PaperNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length) {
    const PaperRow* row = PaperRowAt(env, position);
    if (!row || !out || length <= 0) return 0;
    CopyName(out, length, row->name, kPaperNameChars);
    return 1;
}

void UserPaperSize(const PrivateSettings& p, int32_t* width, int32_t* length) {
    if (p.originalWidth_mm_CustomPaper <= 0 || p.originalLength_mm_CustomPaper <= 0) {
        *width = *length = 1480;
        return;
    }
    // 0.01 mm to 0.1 mm, to the nearest; summed in 64 bits so that a record
    // from outside holding the largest value cannot overflow.
    *width = static_cast<int32_t>((static_cast<int64_t>(p.originalWidth_mm_CustomPaper) + 5) / 10);
    *length = static_cast<int32_t>((static_cast<int64_t>(p.originalLength_mm_CustomPaper) + 5) / 10);
}

void PaperRowSize(const PrinterSession* session, const PaperRow& row, int32_t* width, int32_t* length) {
    int32_t a = static_cast<int32_t>(row.width), b = static_cast<int32_t>(row.length);
    if (row.id == 256) UserPaperSize(session->dm.priv, &a, &b);
    *width = a < b ? a : b;
    *length = a < b ? b : a;
}

int PaperSizeAt(const PrinterSession* session, int position, int32_t* width, int32_t* length) {
    const PaperRow* row = PaperRowAt(&session->env, position);
    if (!row) return 0;
    PaperRowSize(session, *row, width, length);
    return 1;
}

int TrayListCount(const PrinterEnvironment* env) { return CountNamedRows(env->trayList, kTraySlots); }

uint32_t TrayIdAt(const PrinterEnvironment* env, int position) {
    return position >= 0 && position < kTraySlots ? env->trayList[position].id : 0;
}

int TrayNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length) {
    return NameAt(env->trayList, kTraySlots, position, out, length);
}

int TrayListIndex(const PrinterEnvironment* env, uint32_t trayId) { return IndexOfId(env->trayList, kTraySlots, trayId); }

int MediaListCount(const PrinterEnvironment* env) { return CountNamedRows(env->mediaTypeList, kMediaSlots); }

uint32_t MediaIdAt(const PrinterEnvironment* env, int position) {
    return position >= 0 && position < kMediaSlots ? env->mediaTypeList[position].id : 0;
}

int MediaNameAt(const PrinterEnvironment* env, int position, char16_t* out, int length) {
    return NameAt(env->mediaTypeList, kMediaSlots, position, out, length);
}

int MediaListIndex(const PrinterEnvironment* env, uint32_t mediaId) {
    return IndexOfId(env->mediaTypeList, kMediaSlots, mediaId);
}

void PaperExtents(const PrinterEnvironment* env, uint32_t minimum[2], uint32_t maximum[2]) {
    for (int i = 0; i < 2; i++) {
        minimum[i] = env->minExtent[i];
        maximum[i] = env->maxExtent[i];
    }
}

uint32_t PrintRate(const PrinterEnvironment* env) { return env->printRate; }
