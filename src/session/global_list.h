// The model's paper, media-type and tray lists inside the environment record,
// built from the built-in tables, the model information and the resource
// module; and the lookups over them.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

struct BuiltinPaper {
    const char16_t* name;
    uint32_t id;
    uint32_t width, length;  // 0.1 mm
    uint32_t stringId, secondStringId;
};
struct BuiltinMedia {
    const char16_t* name;
    uint32_t id;
    uint32_t stringId;
};
struct BuiltinTray {
    const char16_t* name;
    uint32_t id;
    uint32_t iconId;
    uint32_t stringId;
};

extern const BuiltinPaper kBuiltinPapers[];
extern const int kBuiltinPaperCount;
extern const BuiltinMedia kBuiltinMedia[];
extern const int kBuiltinMediaCount;
extern const BuiltinTray kBuiltinTrays[];
extern const int kBuiltinTrayCount;

// What the list building needs from the model description; absent until the
// model description file is loaded for the printer.
struct ModelListInfo {
    int present = 0;
    int paperCount = 0;          // 0: no paper size list, every built-in row
    uint32_t paperIds[512] = {};
    int singleTray = 0;
    uint8_t defaultTrayBytes[8] = {};
};

// A user-defined paper as the paper list takes it.
struct UserPaper {
    char16_t name[31];
    uint32_t id;      // 1000 + its slot in the stored name table
    uint32_t width;   // 0.1 mm
    uint32_t length;  // 0.1 mm
};
constexpr int kUserPaperSlots = 99;

struct RdfInfo;
// The list inputs a loaded model description gives.
void ModelListFromRdf(const RdfInfo* info, ModelListInfo* model);
// The printer's user-defined papers in slot order; returns their number.
int ReadUserPapers(PrinterHandle printer, UserPaper* papers);

void InitGlobalList(PrinterSession* session, const char16_t* printerName, int flag);
// The list building itself, over already gathered inputs (also used by tests).
void BuildModelLists(PrinterEnvironment* env, const ModelListInfo* model, uint32_t languageId, int resourcesLoaded,
                     const UserPaper* userPapers = nullptr, int userPaperCount = 0);
uint32_t ResolveTray(const PrinterEnvironment* env, uint32_t tray);
int TrayListContains(const PrinterEnvironment* env, uint32_t tray);
int MediaListContains(const PrinterEnvironment* env, uint32_t media);
// Position of a paper among the non-zero rows, or -1. The _Udu form writes
// its log line; the plain one serves lookups inside other steps.
int _UduGetPaperListIndex(const PrinterSession* session, uint32_t paperId);
int PaperListIndex(const PrinterEnvironment* env, uint32_t paperId);
// The row at that position (same counting), or null.
const PaperRow* PaperRowAt(const PrinterEnvironment* env, int position);
// First row within 1 mm of the given size, either orientation; -1 when none.
int MatchPaperSize(const PrinterEnvironment* env, int32_t width, int32_t length);
