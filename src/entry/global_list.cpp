#include "entry/global_list.h"

#include <cstring>

#include "entry/log.h"
#include "model/printer_data.h"
#include "platform/platform.h"
#include "settings/text16.h"

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

void BuildPaperList(PrinterEnvironment* env, const ModelListInfo* model, uint32_t lang, int res) {
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
    // User-defined papers join here once they are kept for the printer.
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
        if (t.id == 262) continue;
        if (t.id == 261 && env->inputUnit_Option != 10) continue;
        if (t.id == 257 && env->inputUnit_Option == 10) continue;
        if (present && model->singleTray && t.id != 257 && t.id != 261) continue;
        Text16Copy(env->trayList[n].name, 64, t.name);
        env->trayList[n].id = t.id;
        env->trayList[n].iconId = t.iconId;
        LoadName(lang, res, t.stringId, env->trayList[n].name, 64);
        n++;
    }
    if (!present) return;
    for (int i = 0; i < 8; i++) {
        uint8_t b = model->defaultTrayBytes[i];
        uint32_t tray = b == 0 ? 7 : b == 1 ? 258 : b == 2 ? 259 : b == 3 ? 260 : 257;
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
    if (env->inputUnit_Option == 10) return 261;
    if (env->inputUnit_Option == 0) return 257;
    return 7;
}

}  // namespace

void BuildModelLists(PrinterEnvironment* env, const ModelListInfo* model, uint32_t languageId, int resourcesLoaded) {
    BuildPaperList(env, model, languageId, resourcesLoaded);
    BuildMediaList(env, languageId, resourcesLoaded);
    BuildTrayList(env, model, languageId, resourcesLoaded);
}

void InitGlobalList(PrinterSession* session, const char16_t* printerName, int flag) {
    if (!session || !printerName) return;
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return;
    // The model description is not read yet: the built-in tables stand.
    ModelListInfo model;
    uint32_t lang = GetLocaleID(h);
    if (lang == 0) lang = Sys().SystemDefaultUILanguage();
    session->env.languageId = lang;
    BuildModelLists(&session->env, &model, lang, 1);
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
    if (tray == 257 || tray == 261) tray = StandardTray(env);
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
        int32_t rs = static_cast<int32_t>(r->width < r->length ? r->width : r->length);
        int32_t rl = static_cast<int32_t>(r->width < r->length ? r->length : r->width);
        int32_t ds = rs - small, dl = rl - large;
        if (ds >= -10 && ds <= 10 && dl >= -10 && dl <= 10) return pos;
    }
}
