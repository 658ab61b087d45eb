// Settings a printer starts from: factory defaults, the printer's stored
// defaults, and the take-over of a DEVMODE the printer already holds.
#include <cstdlib>
#include <cstring>

#include "base/size_units.h"
#include "base/text16.h"
#include "base/tray_ids.h"
#include "model/printer_data.h"
#include "rules/merge.h"
#include "rules/settings_application.h"
#include "session/global_list.h"
#include "session/session_load.h"
#include "settings/field_table.h"
#include "settings/public_area.h"

namespace {

// The default paper of a fresh record: the environment's default output
// size for the unit of length, else its default original size. A printer
// that was never given defaults still gets a real paper: A4 for millimetres,
// Letter for inches.
uint32_t DefaultPaperId(const PrinterEnvironment& env, int original) {
    int inch = env.unitOfLength != 0;
    uint32_t orig = env.defaultPaper[inch ? 1 : 0];
    uint32_t out = env.defaultPaper[inch ? 3 : 2];
    uint32_t id = original ? orig : (out ? out : orig);
    if (id == 0) id = inch ? 1 : 9;
    return id;
}

// Width and length (0.1 mm, smaller first) from the paper list, or from the
// built-in table while the list is not built yet.
void PaperSize(const PrinterEnvironment& env, uint32_t id, int64_t* w, int64_t* l) {
    uint32_t a = 0, b = 0;
    bool found = false;
    for (int i = 0; i < kPaperSlots && env.paperList[i].id != kPaperListEnd && env.paperList[i].name[0]; i++) {
        if (env.paperList[i].id == id) {
            a = env.paperList[i].width;
            b = env.paperList[i].length;
            found = true;
            break;
        }
    }
    for (int i = 0; !found && i < kBuiltinPaperCount; i++) {
        if (kBuiltinPapers[i].id == id) {
            a = kBuiltinPapers[i].width;
            b = kBuiltinPapers[i].length;
            found = true;
        }
    }
    *w = a < b ? a : b;
    *l = a < b ? b : a;
}

void WriteTableDefaults(PrivateSettings* p) {
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& r = PrivateFieldTable()[i];
        switch (r.defKind) {
        case DefaultKind::Const:
        case DefaultKind::FirstRest:
            if (r.type == FieldType::Text || r.type == FieldType::Bytes) {
                std::memset(reinterpret_cast<uint8_t*>(p) + r.offset, static_cast<int>(r.defValue), r.size);
                break;
            }
            for (int e = 0; e < r.count; e++) WriteFieldElement(r, p, e, e == 0 ? r.defValue : r.defRest);
            break;
        case DefaultKind::Text:
            if (r.offset == 0) {
                // The signature fills its field; the zero after it is the next field.
                std::memcpy(p->signature, u"JUP/CS", sizeof p->signature);
            } else {
                Text16Copy(reinterpret_cast<char16_t*>(reinterpret_cast<uint8_t*>(p) + r.offset), r.count, r.defText);
            }
            break;
        case DefaultKind::Computed:
            break;
        }
    }
}

// Mode 1. The stored defaults are read over the record as they stand; a
// value that is missing or not of the stored size leaves the record as it
// was. What the read lets in is fitted by the device rules here and by the
// accepted values of every later resolution that merges the record.
int ResetToStoredDefaults(PrinterSession* session, PrinterHandle printer, const char16_t* name) {
    PrinterEnvironment& env = session->env;
    PrivateSettings& p = session->dm.priv;
    // Read aside first, so that a refused value cannot leave half a record.
    DriverDevMode* stored = static_cast<DriverDevMode*>(std::malloc(sizeof(DriverDevMode)));
    if (stored && printer && GetDefDevmode(printer, stored)) {
        std::memcpy(&session->dm, stored, sizeof *stored);
        // The stored header's sizes are not believed: later steps and callers
        // find the private record and its trailing magic by them.
        session->dm.pub.dmSize = sizeof(PublicDevMode);
        session->dm.pub.dmDriverExtra = kPrivateSize;
    }
    std::free(stored);

    p.originalSize = static_cast<uint16_t>(DefaultPaperId(env, 1));
    FillIdentityNames(session, printer, name);
    bool regionalInch = env.localArea && env.unitOfLength;
    p.form_Envelope_MailMaking = regionalInch ? 3 : 1;
    p.size_Insert_MailMaking = regionalInch ? 1 : 9;
    p.tray_SlipSheet_ProgramPrint = env.inputUnit_Option == 10 ? kTrayHighCapacity : kTrayStandardFeed;
    ApplyDeviceRestrictions(session, printer);
    return 1;
}

}  // namespace

void DefaultFontFace(char16_t out[64]) {
    std::u16string face = Sys().MessageFontFace();
    if (face.empty()) face = (Sys().SystemDefaultUILanguage() & 0x3FF) == 0x11 ? u"ＭＳ ゴシック" : u"Arial";
    Text16Copy(out, 64, face.c_str());
}

void FillIdentityNames(PrinterSession* session, PrinterHandle printer, const char16_t* printerName) {
    PrivateSettings& p = session->dm.priv;
    Text16Copy(p.computerName, 256, Sys().ComputerName().c_str());
    Text16Copy(p.userName, 256, LookUpUserName(printer, printerName).c_str());
    if (printerName) Text16Copy(p.printerDisplayName, 128, printerName);
}

int TakeSettingsFromPrinterDevmode(PrinterSession* session, const uint8_t* dm, size_t size) {
    if (!dm || size < sizeof(PublicDevMode)) return 0;
    PublicDevMode pub;
    std::memcpy(&pub, dm, sizeof pub);
    if (pub.dmSize != sizeof(PublicDevMode) || pub.dmDriverExtra < kPrivateSize) return 0;
    session->dm.pub = pub;
    session->dm.pub.dmDriverExtra = kPrivateSize;
    session->dm.pub.dmDriverVersion = kDriverVersion;
    return ImportStoredDevMode(&session->dm, dm, size);
}

int ResetPrivateSettings(PrinterSession* session, PrinterHandle printer, int mode) {
    PrinterEnvironment& env = session->env;
    PrivateSettings& p = session->dm.priv;
    env.printCheckLevel = 4;
    char16_t name[260] = {};
    int haveName = printer && GetPrinterInfoItem(printer, nullptr, name, sizeof name, 14);
    if (mode == 2) {
        PrinterInfo2 info;
        if (!printer || !Spool().GetPrinterInfo2(printer, &info) || info.devMode.empty()) return 0;
        TakeSettingsFromPrinterDevmode(session, info.devMode.data(), info.devMode.size());
        FillIdentityNames(session, printer, haveName ? name : nullptr);
        return 1;
    }
    if (mode == 1) return ResetToStoredDefaults(session, printer, haveName ? name : nullptr);
    WriteTableDefaults(&p);

    uint8_t duplex = GetDuplexOrSimplex(printer);
    p.duplexType = duplex;
    p.duplexType_MixedSize = duplex == 2 ? 4 : 5;
    p.originalSize = static_cast<uint16_t>(DefaultPaperId(env, 1));
    p.outputSize = static_cast<uint16_t>(env.defaultPaper[env.unitOfLength ? 3 : 2]);
    p.inputTray = env.modelFS == 1 ? kTrayStandardFeed : kTrayAuto;

    char16_t text[256] = {};
    if (Sys().LoadResourceString(env.languageId, 20454, text, 256) > 0) Text16Copy(p.text_Watermark, 64, text);
    DefaultFontFace(p.font_Watermark);
    Text16Copy(p.font_StampPage, 64, p.font_Watermark);
    Text16Copy(p.font_StampDate, 64, p.font_Watermark);
    Text16Copy(p.font_StampText, 64, p.font_Watermark);

    p.bindingSide = env.a3OrA4 ? 2 : 0;
    int64_t w = 0, l = 0;
    PaperSize(env, DefaultPaperId(env, 0), &w, &l);
    p.originalWidth_mm_CustomPaper = p.outputWidth_mm_CustomPaper = p.outputWidth_mm = HundredthsFromTenths(w);
    p.originalLength_mm_CustomPaper = p.outputLength_mm_CustomPaper = p.outputLength_mm = HundredthsFromTenths(l);

    p.colorMode = (env.inkCount == 1 || (env.inkCount == 2 && env.localArea == 0)) ? 2 : 0;
    p.imageMode = env.inkCount == 1 ? 2 : 1;
    // Taken as the model states it; the validity check and the device rules
    // judge an unusual value when the record is used.
    p.imageQuality = static_cast<uint8_t>(env.imageQualityDefault);

    p.tray_SlipSheet = static_cast<uint16_t>(env.defaultTray[1]);
    p.tray_FrontCover = static_cast<uint16_t>(env.defaultTray[2]);
    p.tray_BackCover = static_cast<uint16_t>(env.defaultTray[3]);
    p.trayForCover_BookletBinding = static_cast<uint16_t>(env.defaultTray[4]);
    p.tray_SlipSheet_ProgramPrint = static_cast<uint16_t>(env.defaultTray[5]);
    p.tray_Envelope_MailMaking = static_cast<uint16_t>(env.defaultTray[6]);
    p.tray_Insert_MailMaking = static_cast<uint16_t>(env.insertDefaultTray);

    bool regionalInch = env.localArea && env.unitOfLength;
    p.form_Envelope_MailMaking = regionalInch ? 3 : 1;
    p.size_Insert_MailMaking = regionalInch ? 1 : 9;

    uint16_t standard = env.inputUnit_Option == 10 ? kTrayHighCapacity : kTrayStandardFeed;
    p.inputTray_Cover_PerfectBinding = standard;
    p.inputTray_Body_PerfectBinding = standard;
    p.inputTrayPriority_CarbonCopy[0] = standard;

    FillIdentityNames(session, printer, haveName ? name : nullptr);
    return 1;
}
