#include "model/rdf.h"

#include <cstring>
#include <string>

#include "base/environment.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"
#include "platform/profile.h"

namespace {

constexpr uint32_t kNumberRoom = 128;  // characters fetched for a number value
constexpr uint32_t kSectionRoom = 64;  // characters fetched for a section name
constexpr size_t kTextFieldMax = 256;  // characters a "%s" field keeps

const char16_t kVersionSection[] = u"RDF format version";

// One conversion's destination: width 1, 2 or 4 bytes for "%d"; capacity in
// characters for "%s".
struct Field {
    void* dest;
    int width;
};

// Decimal with an optional sign; stops at the first other character and is
// 0 without digits. Wider numbers wrap, and the caller truncates anyway.
uint32_t Number(const char16_t* p) {
    bool negative = false;
    if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
    uint32_t v = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) v = v * 10u + static_cast<uint32_t>(*p - u'0');
    return negative ? 0u - v : v;
}

// Splits text on commas under format ("%d" and "%s" conversions, one per
// field) and writes the fields only when every one of them was there.
int ScanFields(const char16_t* text, const char* format, const Field* fields, int count) {
    constexpr int kMaxFields = 8;
    const char16_t* begin[kMaxFields];
    size_t length[kMaxFields];
    char kind[kMaxFields];
    const char16_t* p = text;
    int n = 0;
    for (const char* f = format; *f; f += 2) {
        if (f[0] != '%' || (f[1] != 'd' && f[1] != 's') || n >= count || n >= kMaxFields) return 0;
        if (n > 0) {
            if (*p != u',') return 0;  // the text ended before this field
            ++p;
        }
        while (*p == u' ' || *p == u'\t') ++p;
        begin[n] = p;
        while (*p && *p != u',') ++p;
        length[n] = static_cast<size_t>(p - begin[n]);
        kind[n] = f[1];
        n++;
    }
    if (n != count) return 0;
    for (int i = 0; i < n; i++) {
        if (kind[i] == 's') {
            char16_t* out = static_cast<char16_t*>(fields[i].dest);
            size_t cap = fields[i].width > 0 ? static_cast<size_t>(fields[i].width) - 1 : 0;
            size_t len = length[i] < cap ? length[i] : cap;
            if (len > kTextFieldMax) len = kTextFieldMax;
            if (fields[i].width > 0) {
                std::memcpy(out, begin[i], len * sizeof(char16_t));
                out[len] = 0;
            }
            continue;
        }
        const uint32_t v = Number(begin[i]);
        if (fields[i].width == 1) {
            const uint8_t b = static_cast<uint8_t>(v);
            std::memcpy(fields[i].dest, &b, 1);
        } else if (fields[i].width == 2) {
            const uint16_t w = static_cast<uint16_t>(v);
            std::memcpy(fields[i].dest, &w, 2);
        } else {
            std::memcpy(fields[i].dest, &v, 4);
        }
    }
    return 1;
}

int ReadFields(const char16_t* file, const char16_t* section, const char16_t* key, const char* format,
               const Field* fields, int count) {
    char16_t text[kNumberRoom] = {};
    if (!file || !section || !key) return 0;
    if (Prof().GetString(file, section, key, u"", text, kNumberRoom) == 0) return 0;  // empty counts as missing
    return ScanFields(text, format, fields, count);
}

int ReadNumber(const char16_t* file, const char16_t* section, const char16_t* key, void* dest, int width) {
    const Field f = {dest, width};
    return ReadFields(file, section, key, "%d", &f, 1);
}

// The model section's single-number keys in the order they are read; the
// size pairs and the margins follow them.
struct KeyRow {
    const char16_t* key;
    size_t offset;
    int width;
};
const KeyRow kModelKeys[] = {
    {u"ModelCode", offsetof(RdfInfo, ModelCode), 2},
    {u"ModelFS", offsetof(RdfInfo, ModelFS), 1},
    {u"ModelColor", offsetof(RdfInfo, ModelColor), 1},
    {u"A3OrA4", offsetof(RdfInfo, A3OrA4), 1},
    {u"InkCount", offsetof(RdfInfo, InkCount), 1},
    {u"PrintRate", offsetof(RdfInfo, PrintRate), 2},
    {u"PrintResolution", offsetof(RdfInfo, PrintResolution), 2},
    {u"LocalArea", offsetof(RdfInfo, LocalArea), 1},
    {u"UsbMemoryOutputEnable", offsetof(RdfInfo, UsbMemoryOutputEnable), 1},
    {u"PrinterOnAnotherNetworkEnable", offsetof(RdfInfo, PrinterOnAnotherNetworkEnable), 1},
    {u"FoldUnit_OptionEnable", offsetof(RdfInfo, FoldUnit_OptionEnable), 1},
    {u"LightPaperEnable", offsetof(RdfInfo, LightPaperEnable), 1},
    {u"BarcodeAreaFileEnable", offsetof(RdfInfo, BarcodeAreaFileEnable), 1},
    {u"FinisherSupportEnable", offsetof(RdfInfo, FinisherSupportEnable), 1},
    {u"ImageQualityDefault", offsetof(RdfInfo, ImageQualityDefault), 1},
    {u"Tray_InputDefault", offsetof(RdfInfo, Tray_InputDefault), 1},
    {u"Tray_SlipSheetDefault", offsetof(RdfInfo, Tray_SlipSheetDefault), 1},
    {u"Tray_FrontCoverDefault", offsetof(RdfInfo, Tray_FrontCoverDefault), 1},
    {u"Tray_BackCoverDefault", offsetof(RdfInfo, Tray_BackCoverDefault), 1},
    {u"Tray_BookletCoverDefault", offsetof(RdfInfo, Tray_BookletCoverDefault), 1},
    {u"Tray_SlipSheet_ProgramPrintDefault", offsetof(RdfInfo, Tray_SlipSheet_ProgramPrintDefault), 1},
    {u"Tray_MailFormDefault", offsetof(RdfInfo, Tray_MailFormDefault), 1},
    {u"Tray_MailInputDefault", offsetof(RdfInfo, Tray_MailInputDefault), 1},
};

// Reads a list section's entries "0" to size - 1 into the 256 slots. A size
// outside 0..256 is brought into it and stored so, so that every later walk
// stays inside the slots.
void ReadList(const char16_t* file, const char16_t* section, const char* what, int16_t* size, uint16_t* slots,
              int width) {
    std::memset(slots, 0, kRdfListSlots * sizeof(uint16_t));
    int n = *size;
    if (n < 0 || n > kRdfListSlots) {
        const int kept = n < 0 ? 0 : kRdfListSlots;
        DrvLog(nullptr, "ReadRdfFile : %hs %d out of range, %d entries read\n", what, n, kept);
        n = kept;
        *size = static_cast<int16_t>(kept);
    }
    for (int i = 0; i < n; i++) {
        const std::u16string key = [i] {
            std::u16string k;
            for (char c : std::to_string(i)) k.push_back(static_cast<char16_t>(c));
            return k;
        }();
        if (width == 2) {
            ReadNumber(file, section, key.c_str(), &slots[i], 2);
        } else {
            uint8_t b = 0;
            if (ReadNumber(file, section, key.c_str(), &b, 1)) slots[i] = b;
        }
    }
}

// The list entry at a default index, or 0 with a log line when the index
// lies outside the list.
int ListEntry(const uint16_t* slots, int16_t size, int16_t index, const char* what, uint16_t* out) {
    const int n = size < 0 ? 0 : (size > kRdfListSlots ? kRdfListSlots : size);
    if (index < 0 || index >= n) {
        DrvLog(nullptr, "ApplyRdfDefaults : %hs %d outside the list of %d\n", what, index, n);
        return 0;
    }
    *out = slots[index];
    return 1;
}

uint32_t MailForm(uint16_t form) { return form == 1 || form == 2 || form == 3 ? form : 1; }

}  // namespace

int ReadRdfU8(const char16_t* file, const char16_t* section, const char16_t* key, uint8_t* out) {
    return out && ReadNumber(file, section, key, out, 1);
}
int ReadRdfU16(const char16_t* file, const char16_t* section, const char16_t* key, uint16_t* out) {
    return out && ReadNumber(file, section, key, out, 2);
}
int ReadRdfI32(const char16_t* file, const char16_t* section, const char16_t* key, int32_t* out) {
    return out && ReadNumber(file, section, key, out, 4);
}
int ReadRdfPair(const char16_t* file, const char16_t* section, const char16_t* key, int32_t out[2]) {
    if (!out) return 0;
    const Field f[2] = {{&out[0], 4}, {&out[1], 4}};
    return ReadFields(file, section, key, "%d%d", f, 2);
}
int ReadRdfMargins(const char16_t* file, const char16_t* section, const char16_t* key, int16_t out[4]) {
    if (!out) return 0;
    int16_t abcd[4];
    const Field f[4] = {{&abcd[0], 2}, {&abcd[1], 2}, {&abcd[2], 2}, {&abcd[3], 2}};
    if (!ReadFields(file, section, key, "%d%d%d%d", f, 4)) return 0;
    out[0] = abcd[1];
    out[1] = abcd[3];
    out[2] = abcd[0];
    out[3] = abcd[2];
    return 1;
}
int ReadRdfText(const char16_t* file, const char16_t* section, const char16_t* key, char16_t* out, int capacity) {
    if (!file || !section || !key || !out || capacity <= 0) return 0;
    std::u16string text(static_cast<size_t>(capacity), u'\0');
    if (Prof().GetString(file, section, key, u"", text.data(), static_cast<uint32_t>(capacity)) == 0) return 0;
    std::memcpy(out, text.data(), static_cast<size_t>(capacity) * sizeof(char16_t));
    return 1;
}

int GetRdfFilePath(PrinterHandle printer, char16_t* path, int capacity) {
    if (!path || capacity <= 0) return 0;
    path[0] = 0;
    DriverInfo3 driver;
    if (!Spool().GetDriverInfo3(printer, &driver)) return 0;
    for (const std::u16string& file : driver.dependentFiles) {
        const size_t dot = file.rfind(u'.');
        if (dot == std::u16string::npos || file.size() - dot != 4) continue;
        bool match = true;
        for (int i = 0; i < 3; i++) {
            char16_t c = file[dot + 1 + i];
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
            match &= c == u"RDF"[i];
        }
        if (!match) continue;
        if (file.size() >= static_cast<size_t>(capacity)) {
            DrvLog(nullptr, "GetRdfFilePath : path longer than %d characters\n", capacity - 1);
            return 0;
        }
        std::memcpy(path, file.c_str(), (file.size() + 1) * sizeof(char16_t));
        return 1;
    }
    return 0;
}

int ReadRdfFile(RdfContext* ctx) {
    if (!ctx) return 0;
    RdfInfo& info = ctx->info;
    std::memset(&info, 0, sizeof info);
    const char16_t* file = ctx->RdfFile;
    const char16_t* model = ctx->DeviceName;
    int32_t version = 0;
    if (!ReadRdfI32(file, kVersionSection, u"Version", &version) || version > 100) {
        DrvLog(nullptr, "ReadRdfFile : format version missing or above 100\n");
        return 0;
    }
    uint8_t* base = reinterpret_cast<uint8_t*>(&info);
    for (const KeyRow& row : kModelKeys) ReadNumber(file, model, row.key, base + row.offset, row.width);
    ReadRdfPair(file, model, u"MaxPaperSizeMM", info.MaxPaperSizeMM);
    ReadRdfPair(file, model, u"MaxPaperSizeINCH", info.MaxPaperSizeINCH);
    ReadRdfPair(file, model, u"MinPaperSizeMM", info.MinPaperSizeMM);
    ReadRdfPair(file, model, u"MinPaperSizeINCH", info.MinPaperSizeINCH);
    ReadRdfMargins(file, model, u"MarginSize", info.MarginSize);

    char16_t list[kSectionRoom] = {};
    if (ReadRdfText(file, model, u"PaperSizeList", list, kSectionRoom)) {
        ReadNumber(file, list, u"OriginalSizeMMDefault", &info.OriginalSizeMMDefault, 2);
        ReadNumber(file, list, u"OriginalSizeINCHDefault", &info.OriginalSizeINCHDefault, 2);
        ReadNumber(file, list, u"OutputSizeDefault", &info.OutputSizeDefault, 2);
        ReadNumber(file, list, u"PaperSizeListSize", &info.PaperSizeListSize, 2);
        ReadList(file, list, "PaperSizeListSize", &info.PaperSizeListSize, info.PaperSizeList, 2);
    }
    std::memset(list, 0, sizeof list);
    if (ReadRdfText(file, model, u"MailFormList", list, kSectionRoom)) {
        ReadNumber(file, list, u"MailFormMMDefault", &info.MailFormMMDefault, 2);
        ReadNumber(file, list, u"MailFormINCHDefault", &info.MailFormINCHDefault, 2);
        ReadNumber(file, list, u"MailFormListSize", &info.MailFormListSize, 2);
        ReadList(file, list, "MailFormListSize", &info.MailFormListSize, info.MailFormList, 1);
    }
    ctx->loaded = 1;
    return 1;
}

void ApplyRdfDefaults(PrinterEnvironment* env, const RdfInfo* info) {
    if (!env || !info) return;
    if (info->ImageQualityDefault == 0) env->imageQualityDefault = 1;
    else if (info->ImageQualityDefault == 1) env->imageQualityDefault = 2;
    for (int i = 0; i < 2; i++) {
        env->minExtent[i] = static_cast<uint32_t>(info->MinPaperSizeMM[i]);
        env->maxExtent[i] = static_cast<uint32_t>(info->MaxPaperSizeMM[i]);
    }
    env->margins[0] = info->MarginSize[2];
    env->margins[1] = info->MarginSize[0];
    env->margins[2] = info->MarginSize[3];
    env->margins[3] = info->MarginSize[1];

    uint16_t id = 0;
    const uint16_t* papers = info->PaperSizeList;
    const int16_t paperCount = info->PaperSizeListSize;
    if (ListEntry(papers, paperCount, info->OriginalSizeMMDefault, "OriginalSizeMMDefault", &id))
        env->defaultPaper[0] = id;
    if (ListEntry(papers, paperCount, info->OriginalSizeINCHDefault, "OriginalSizeINCHDefault", &id))
        env->defaultPaper[1] = id;
    if (ListEntry(papers, paperCount, info->OutputSizeDefault, "OutputSizeDefault", &id))
        env->defaultPaper[2] = env->defaultPaper[3] = id;
    uint16_t form = 0;
    ListEntry(info->MailFormList, info->MailFormListSize, info->MailFormMMDefault, "MailFormMMDefault", &form);
    env->mailFormMM = MailForm(form);
    form = 0;
    ListEntry(info->MailFormList, info->MailFormListSize, info->MailFormINCHDefault, "MailFormINCHDefault", &form);
    env->mailFormInch = MailForm(form);

    env->printRate = info->PrintRate;
    env->printResolution = info->PrintResolution;
    env->inkCount = info->InkCount;
    env->modelCode = info->ModelCode;
    env->modelColor = info->ModelColor;
    env->modelFS = info->ModelFS;
    env->a3OrA4 = info->A3OrA4;
    env->localArea = info->LocalArea;
    env->usbMemoryOutputEnable = info->UsbMemoryOutputEnable;
}

void ReadInitialSettingFile(PrinterHandle printer) {
    std::u16string path;
    DriverInfo3 driver;
    if (Spool().GetDriverInfo3(printer, &driver)) {
        const size_t cut = driver.driverPath.rfind(u'\\');
        if (cut != std::u16string::npos) path = driver.driverPath.substr(0, cut + 1) + driver.name + u".epeat";
    }
    if (path.empty() || !Prof().FileExists(path.c_str())) {
        SetUnitOfLength(printer, 0);
        SetDuplexOrSimplex(printer, 2);
        return;
    }
    uint8_t unit = 0, duplex = 0;
    ReadRdfU8(path.c_str(), u"InitialSetting", u"UnitOfLength", &unit);
    ReadRdfU8(path.c_str(), u"InitialSetting", u"DuplexorSimplex", &duplex);
    SetUnitOfLength(printer, unit ? 1 : 0);
    SetDuplexOrSimplex(printer, duplex ? 2 : 1);
    // The file takes effect once.
    if (!Prof().RemoveFile(path.c_str())) DrvLog(nullptr, "ReadInitialSettingFile : cannot delete %s\n", path.c_str());
}

int SaveRdfContext(const RdfContext* ctx) {
    PrinterHandle h = nullptr;
    if (!ctx || !ctx->PrinterName || !Spool().OpenPrinter(ctx->PrinterName, kPrinterAllAccess, &h)) return 0;
    Spool().SetPrinterData(h, u"RdfInfo", kRegBinary, &ctx->info, kRdfInfoSize);
    SetPrinterDataText(h, u"RdfFile", ctx->RdfFile);
    SetPrinterDataText(h, u"DeviceName", ctx->DeviceName);
    SetPrinterDataText(h, u"PrinterName", ctx->PrinterName);
    Spool().ClosePrinter(h);
    return 1;
}

int LoadRdfContext(RdfContext* ctx, PrinterHandle printer) {
    if (!ctx) return 0;
    ctx->loaded = 0;
    PrinterHandle h = printer;
    if (!h && (!ctx->PrinterName || !Spool().OpenPrinter(ctx->PrinterName, kPrinterAccessUse, &h))) return 0;
    const bool opened = h != printer;
    ReleaseRdfContext(ctx);
    ctx->ownsStrings = 1;
    ctx->PrinterName = GetPrinterDataString(h, u"PrinterName");
    ctx->RdfFile = ctx->PrinterName ? GetPrinterDataString(h, u"RdfFile") : nullptr;
    ctx->DeviceName = ctx->RdfFile ? GetPrinterDataString(h, u"DeviceName") : nullptr;
    if (ctx->DeviceName) {
        // Read aside first: a stored record of another size is refused whole.
        RdfInfo stored;
        uint32_t type = 0, needed = 0;
        uint32_t rc = Spool().GetPrinterData(h, u"RdfInfo", &type, &stored, kRdfInfoSize, &needed);
        if (rc == kErrSuccess && needed == kRdfInfoSize) {
            ctx->info = stored;
            ctx->loaded = 1;
        }
    }
    if (opened) Spool().ClosePrinter(h);
    return static_cast<int>(ctx->loaded);
}

void ReleaseRdfContext(RdfContext* ctx) {
    if (!ctx || !ctx->ownsStrings) return;
    FreePrinterDataString(ctx->RdfFile);
    FreePrinterDataString(ctx->DeviceName);
    FreePrinterDataString(ctx->PrinterName);
    ctx->RdfFile = ctx->DeviceName = ctx->PrinterName = nullptr;
    ctx->ownsStrings = 0;
}
