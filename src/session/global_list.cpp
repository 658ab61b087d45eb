#include "session/global_list.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/text16.h"
#include "base/tray_ids.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"
#include "model/rdf.h"
#include "platform/platform.h"

namespace {

// Loads a resource string into a fixed text; keeps the text when the module
// has none.
void LoadName(uint32_t languageId, int resourcesLoaded, uint32_t stringId, char16_t* text, int capacity) {
    if (!resourcesLoaded || stringId == 0) return;
    char16_t buf[256] = {};
    if (Sys().LoadResourceString(languageId, stringId, buf, 256) > 0) Text16Copy(text, capacity, buf);
}

const BuiltinPaper* FindBuiltinPaper(uint32_t id) {
    for (int i = 0; i < kBuiltinPaperCount; i++)
        if (kBuiltinPapers[i].id == id) return &kBuiltinPapers[i];
    return nullptr;
}

void CopyPaperRow(PaperRow* row, const BuiltinPaper& p) {
    Text16Copy(row->name, 64, p.name);
    Text16Copy(row->secondName, 64, p.name);
    row->id = p.id;
    row->width = p.width;
    row->length = p.length;
    row->id2 = p.id;
}

void BuildPaperList(PrinterEnvironment* env, const ModelListInfo* model, uint32_t lang, int res,
                    const UserPaper* users, int userCount) {
    std::memset(env->paperList, 0, sizeof env->paperList);
    int n = 0;
    const BuiltinPaper* rows[kPaperSlots];
    if (model && model->present && model->paperCount > 0) {
        for (int i = 0; i < model->paperCount && i < kPaperSlots && n < kPaperSlots - 1; i++)
            if (const BuiltinPaper* p = FindBuiltinPaper(model->paperIds[i])) rows[n++] = p;
    } else {
        for (int i = 0; i < kBuiltinPaperCount; i++) rows[n++] = &kBuiltinPapers[i];
    }
    for (int i = 0; i < n; i++) {
        PaperRow* row = &env->paperList[i];
        CopyPaperRow(row, *rows[i]);
        LoadName(lang, res, rows[i]->stringId, row->name, 64);
        LoadName(lang, res, rows[i]->secondStringId, row->secondName, 64);
    }
    for (int i = 0; users && i < userCount && n < kPaperSlots - 1; i++, n++) {
        PaperRow* row = &env->paperList[n];
        Text16Copy(row->name, 64, users[i].name);
        Text16Copy(row->secondName, 64, users[i].name);
        row->id = row->id2 = users[i].id;
        row->width = users[i].width;
        row->length = users[i].length;
    }
    env->paperList[n].id = kPaperListEnd;
}

void BuildMediaList(PrinterEnvironment* env, uint32_t lang, int res) {
    std::memset(env->mediaTypeList, 0, sizeof env->mediaTypeList);
    int n = 0;
    for (int i = 0; i < kBuiltinMediaCount && n < kMediaSlots - 1; i++) {
        const BuiltinMedia& m = kBuiltinMedia[i];
        if (m.id == 263 && !env->lightPaperSupport) continue;
        if (m.id == 264 && !env->roughPaperSupport) continue;
        if (m.id == 266 && !env->pressPaperSupport) continue;
        Text16Copy(env->mediaTypeList[n].name, 64, m.name);
        env->mediaTypeList[n].id = m.id;
        LoadName(lang, res, m.stringId, env->mediaTypeList[n].name, 64);
        n++;
    }
}

void BuildTrayList(PrinterEnvironment* env, const ModelListInfo* model, uint32_t lang, int res) {
    std::memset(env->trayList, 0, sizeof env->trayList);
    int n = 0;
    int present = model && model->present;
    for (int i = 0; i < kBuiltinTrayCount && n < kTraySlots - 1; i++) {
        const BuiltinTray& t = kBuiltinTrays[i];
        if (t.id == kTrayCoverInserter) continue;
        if (t.id == kTrayHighCapacity && env->inputUnit_Option != 10) continue;
        if (t.id == kTrayStandardFeed && env->inputUnit_Option == 10) continue;
        if (present && model->singleTray && t.id != kTrayStandardFeed && t.id != kTrayHighCapacity) continue;
        Text16Copy(env->trayList[n].name, 64, t.name);
        env->trayList[n].id = t.id;
        env->trayList[n].iconId = t.iconId;
        LoadName(lang, res, t.stringId, env->trayList[n].name, 64);
        n++;
    }
    if (!present) return;
    for (int i = 0; i < 8; i++) {
        uint8_t b = model->defaultTrayBytes[i];
        uint32_t tray = b == 0 ? kTrayAuto : b == 1 ? kTray1 : b == 2 ? kTray2 : b == 3 ? kTray3 : kTrayStandardFeed;
        tray = ResolveTray(env, tray);
        if (i < 7) env->defaultTray[i] = tray;
        else env->insertDefaultTray = tray;
    }
}

int TrayCount(const PrinterEnvironment* env) {
    int n = 0;
    while (n < kTraySlots && env->trayList[n].id != 0) n++;
    return n;
}

uint32_t StandardTray(const PrinterEnvironment* env) {
    if (env->inputUnit_Option == 10) return kTrayHighCapacity;
    if (env->inputUnit_Option == 0) return kTrayStandardFeed;
    return kTrayAuto;
}

}  // namespace

void ModelListFromRdf(const RdfInfo* info, ModelListInfo* model) {
    *model = ModelListInfo{};
    model->present = 1;
    // The stored record is outside data: its size is bounded again here.
    int n = info->PaperSizeListSize;
    model->paperCount = n < 0 ? 0 : (n > kRdfListSlots ? kRdfListSlots : n);
    for (int i = 0; i < model->paperCount; i++) model->paperIds[i] = info->PaperSizeList[i];
    model->singleTray = info->ModelFS == 1;
    std::memcpy(model->defaultTrayBytes, &info->Tray_InputDefault, 8);
}

int ReadUserPapers(PrinterHandle printer, UserPaper* papers) {
    char16_t names[kUserPaperSlots][31] = {};
    uint32_t type = 0, needed = 0;
    if (Spool().GetPrinterData(printer, u"CustomPaperSizeNames", &type, names, sizeof names, &needed) != kErrSuccess)
        return 0;
    int n = 0;
    for (int slot = 0; slot < kUserPaperSlots; slot++) {
        names[slot][30] = 0;
        if (names[slot][0] == 0) continue;
        char value[24];
        char16_t value16[24] = {};
        std::snprintf(value, sizeof value, "CustomPaperSize_%d", slot);
        for (int i = 0; value[i]; i++) value16[i] = static_cast<char16_t>(value[i]);
        // The record: width, length, both again in 1/300 inch, unit, name.
        uint32_t record[21] = {};
        static_assert(sizeof record == kCustomPaperSize);
        if (Spool().GetPrinterData(printer, value16, &type, record, sizeof record, &needed) != kErrSuccess) {
            DrvLog(nullptr, "InitGlobalList : user paper %d has no size, left out\n", slot);
            continue;
        }
        UserPaper& p = papers[n++];
        Text16Copy(p.name, 31, names[slot]);
        p.id = 1000 + static_cast<uint32_t>(slot);
        p.width = static_cast<uint32_t>((static_cast<uint64_t>(record[2]) * 254 + 150) / 300);
        p.length = static_cast<uint32_t>((static_cast<uint64_t>(record[3]) * 254 + 150) / 300);
    }
    return n;
}

void BuildModelLists(PrinterEnvironment* env, const ModelListInfo* model, uint32_t languageId, int resourcesLoaded,
                     const UserPaper* userPapers, int userPaperCount) {
    BuildPaperList(env, model, languageId, resourcesLoaded, userPapers, userPaperCount);
    BuildMediaList(env, languageId, resourcesLoaded);
    BuildTrayList(env, model, languageId, resourcesLoaded);
}

void InitGlobalList(PrinterSession* session, const char16_t* printerName, int flag) {
    if (!session || !printerName) return;
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return;
    auto ctx = std::make_unique<RdfContext>();
    auto model = std::make_unique<ModelListInfo>();
    if (LoadRdfContext(ctx.get(), h)) ModelListFromRdf(&ctx->info, model.get());
    ReleaseRdfContext(ctx.get());
    uint32_t lang = GetLocaleID(h);
    if (lang == 0) lang = Sys().SystemDefaultUILanguage();
    session->env.languageId = lang;
    UserPaper users[kUserPaperSlots];
    const int userCount = ReadUserPapers(h, users);
    BuildModelLists(&session->env, model.get(), lang, 1, users, userCount);
    Spool().ClosePrinter(h);
}

int TrayListContains(const PrinterEnvironment* env, uint32_t tray) {
    for (int i = 0; i < kTraySlots && env->trayList[i].id != 0; i++)
        if (env->trayList[i].id == tray) return 1;
    return 0;
}

int MediaListContains(const PrinterEnvironment* env, uint32_t media) {
    for (int i = 0; i < kMediaSlots && env->mediaTypeList[i].id != 0; i++)
        if (env->mediaTypeList[i].id == media) return 1;
    return 0;
}

uint32_t ResolveTray(const PrinterEnvironment* env, uint32_t tray) {
    int n = TrayCount(env);
    if (n == 0) return tray;
    if (tray == kTrayStandardFeed || tray == kTrayHighCapacity) tray = StandardTray(env);
    if (TrayListContains(env, tray)) return tray;
    if (env->trayList[0].id != 7) return env->trayList[0].id;
    if (n > 1) return env->trayList[1].id;
    return StandardTray(env);
}

// Rows are counted from the start of the list, leaving out the "same as
// original" row; the walk ends at the terminator, an empty row or the end.
const PaperRow* PaperRowAt(const PrinterEnvironment* env, int position) {
    if (position < 0) return nullptr;
    int pos = 0;
    for (int i = 0; i < kPaperSlots; i++) {
        const PaperRow& r = env->paperList[i];
        if (r.id == kPaperListEnd || r.name[0] == 0) return nullptr;
        if (r.id == 0) continue;
        if (pos == position) return &r;
        pos++;
    }
    return nullptr;
}

int PaperListIndex(const PrinterEnvironment* env, uint32_t paperId) {
    if (paperId == 0) return -1;
    int pos = 0;
    for (int i = 0; i < kPaperSlots; i++) {
        const PaperRow& r = env->paperList[i];
        if (r.id == kPaperListEnd || r.name[0] == 0) return -1;
        if (r.id == 0) continue;
        if (r.id == paperId) return pos;
        pos++;
    }
    return -1;
}

int _UduGetPaperListIndex(const PrinterSession* session, uint32_t paperId) {
    DrvLog(nullptr, "_UduGetPaperListIndex : nResorce=%d\n", static_cast<int>(paperId));
    return PaperListIndex(&session->env, paperId);
}

int MatchPaperSize(const PrinterEnvironment* env, int32_t width, int32_t length) {
    int32_t small = width < length ? width : length;
    int32_t large = width < length ? length : width;
    for (int pos = 0;; pos++) {
        const PaperRow* r = PaperRowAt(env, pos);
        if (!r) return -1;
        // Wide: a row from a stored list and a size from a caller's record
        // can both be anything.
        int64_t rs = r->width < r->length ? r->width : r->length;
        int64_t rl = r->width < r->length ? r->length : r->width;
        int64_t ds = rs - small, dl = rl - large;
        if (ds >= -10 && ds <= 10 && dl >= -10 && dl <= 10) return pos;
    }
}
