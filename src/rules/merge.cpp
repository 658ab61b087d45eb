// Merging a caller's DEVMODE into a printer session. Public fields are taken
// under their own rules; the private record only when it is ours (signature)
// and field by field under each field's accepted values, so that nothing a
// caller hands in can put a value the printer does not know into the session.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/size_units.h"
#include "base/text16.h"
#include "base/tray_ids.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"
#include "rules/merge.h"
#include "rules/settings_application.h"
#include "session/global_list.h"
#include "session/session_load.h"
#include "settings/field_table.h"
#include "settings/public_area.h"
#include "settings/settings_observer.h"

namespace {

const uint8_t kSignatureBytes[12] = {'J', 0, 'U', 0, 'P', 0, '/', 0, 'C', 0, 'S', 0};

// The caller's public part as far as its dmSize covers it; fields beyond
// that are absent, whatever dmFields claims.
PublicDevMode ReadPublicPart(const uint8_t* in) {
    PublicDevMode d;
    std::memset(&d, 0, sizeof d);
    uint16_t size;
    std::memcpy(&size, in + offsetof(PublicDevMode, dmSize), 2);
    size_t n = size < sizeof d ? size : sizeof d;
    // Every DEVMODE has its header up to dmDriverExtra; dmFields only when
    // dmSize reaches it.
    std::memcpy(&d, in, n > offsetof(PublicDevMode, dmFields) ? n : offsetof(PublicDevMode, dmFields));
    if (n < offsetof(PublicDevMode, dmOrientation)) d.dmFields = 0;
    struct { size_t end; uint32_t bit; } reach[] = {
        {offsetof(PublicDevMode, dmOrientation) + 2, kDmOrientation},
        {offsetof(PublicDevMode, dmPaperSize) + 2, kDmPaperSize},
        {offsetof(PublicDevMode, dmPaperLength) + 2, kDmPaperLength},
        {offsetof(PublicDevMode, dmPaperWidth) + 2, kDmPaperWidth},
        {offsetof(PublicDevMode, dmCopies) + 2, kDmCopies},
        {offsetof(PublicDevMode, dmDefaultSource) + 2, kDmDefaultSource},
        {offsetof(PublicDevMode, dmColor) + 2, kDmColor},
        {offsetof(PublicDevMode, dmDuplex) + 2, kDmDuplex},
        {offsetof(PublicDevMode, dmFormName) + 64, kDmFormName},
        {offsetof(PublicDevMode, dmMediaType) + 4, kDmMediaType},
    };
    for (auto& r : reach)
        if (n < r.end) d.dmFields &= ~r.bit;
    return d;
}

void SetSessionPaper(PrinterSession* s, const PaperRow* row) {
    PublicDevMode& p = s->dm.pub;
    p.dmPaperSize = static_cast<int16_t>(row->id);
    p.dmPaperWidth = static_cast<int16_t>(row->width);
    p.dmPaperLength = static_cast<int16_t>(row->length);
    std::memset(p.dmFormName, 0, sizeof p.dmFormName);
    Text16Copy(p.dmFormName, 32, row->name);
}

// Finds the caller's original paper and sets the session's public paper.
// Returns the list position, 256 for a spooler form, or -1.
int MatchOriginalPaper(PrinterSession* s, PublicDevMode& d, PrinterHandle printer) {
    PrinterEnvironment* env = &s->env;
    if (d.dmFields & kDmPaperSize) {
        if (d.dmPaperSize == 256) {
            s->dm.pub.dmPaperSize = 256;
            s->dm.pub.dmPaperWidth = d.dmPaperWidth;
            s->dm.pub.dmPaperLength = d.dmPaperLength;
            return -1;
        }
        int pos = d.dmPaperSize > 0 ? _UduGetPaperListIndex(s, static_cast<uint32_t>(d.dmPaperSize)) : -1;
        if (pos >= 0) {
            SetSessionPaper(s, PaperRowAt(env, pos));
            return pos;
        }
    }
    if ((d.dmFields & kDmPaperLength) && (d.dmFields & kDmPaperWidth)) {
        int pos = MatchPaperSize(env, d.dmPaperWidth, d.dmPaperLength);
        if (pos >= 0) {
            SetSessionPaper(s, PaperRowAt(env, pos));
            return pos;
        }
    }
    if (d.dmFields & kDmFormName) {
        for (int pos = 0; const PaperRow* row = PaperRowAt(env, pos); pos++) {
            if (Text16Compare(row->name, d.dmFormName, 32) == 0) {
                SetSessionPaper(s, row);
                return pos;
            }
        }
    }
    // Not one of the model's papers: perhaps one of the spooler's forms.
    int32_t small = d.dmPaperWidth < d.dmPaperLength ? d.dmPaperWidth : d.dmPaperLength;
    int32_t large = d.dmPaperWidth < d.dmPaperLength ? d.dmPaperLength : d.dmPaperWidth;
    std::vector<FormInfo> forms;
    if (printer) Spool().EnumForms(printer, &forms);
    const FormInfo* found = nullptr;
    int bySize = 0;
    for (const FormInfo& f : forms) {
        int32_t fs = f.width < f.height ? f.width : f.height;
        int32_t fl = f.width < f.height ? f.height : f.width;
        if (FormNearSize(fs, fl, small, large)) {
            found = &f;
            bySize = 1;
            break;
        }
    }
    if (!found) {
        char16_t name[33] = {};
        std::memcpy(name, d.dmFormName, sizeof d.dmFormName);
        for (const FormInfo& f : forms)
            if (name[0] && Text16Compare(f.name.c_str(), name, 32) == 0) {
                found = &f;
                break;
            }
    }
    PublicDevMode& p = s->dm.pub;
    p.dmPaperSize = 256;
    p.dmPaperWidth = d.dmPaperWidth;
    p.dmPaperLength = d.dmPaperLength;
    std::memcpy(p.dmFormName, d.dmFormName, sizeof p.dmFormName);
    if (found) {
        std::memset(p.dmFormName, 0, sizeof p.dmFormName);
        Text16Copy(p.dmFormName, 32, found->name.c_str());
        if (!bySize) {
            p.dmPaperWidth = static_cast<int16_t>(found->width / 100);
            p.dmPaperLength = static_cast<int16_t>(found->height / 100);
        }
        return 256;
    }
    return -1;
}

// in is the caller's DEVMODE: its dmOrientation is the one field of it the
// merge writes.
void MergePublicFields(PrinterSession* s, PublicDevMode& d, uint8_t* in) {
    PrivateSettings& p = s->dm.priv;
    const PrinterEnvironment& env = s->env;
    if ((d.dmFields & kDmDuplex) && d.dmDuplex >= 1 && d.dmDuplex <= 3) p.duplexType = d.dmDuplex;
    if (d.dmFields & kDmPaperSize) {
        DrvLog(nullptr, "Devmode marge paper size : dmPapeSize=%d\n", static_cast<int>(d.dmPaperSize));
        uint32_t id = 256;
        if (d.dmPaperSize > 0 && PaperListIndex(&env, static_cast<uint32_t>(d.dmPaperSize)) >= 0) {
            id = static_cast<uint16_t>(s->dm.pub.dmPaperSize);
        } else if ((d.dmFields & kDmPaperWidth) && (d.dmFields & kDmPaperLength) && d.dmPaperSize != 256) {
            const PaperRow* row = PaperRowAt(&env, MatchPaperSize(&env, d.dmPaperWidth, d.dmPaperLength));
            if (row) id = row->id;
        }
        p.originalSize = static_cast<uint16_t>(id);
        if (id == 256) {
            int32_t w = d.dmPaperWidth * 10, l = d.dmPaperLength * 10;
            if (w < 1) w = 14800;
            if (l < 1) l = 14800;
            if (d.dmOrientation == 1 && w > l) {
                int32_t t = w;
                w = l;
                l = t;
                // A custom size given wider than long is the portrait
                // sheet turned: the caller learns its job is landscape.
                s->dm.pub.dmOrientation = 2;
                d.dmOrientation = 2;
                std::memcpy(in + offsetof(PublicDevMode, dmOrientation), &d.dmOrientation, 2);
            }
            p.originalWidth_mm_CustomPaper = w;
            p.originalLength_mm_CustomPaper = l;
        } else if (const PaperRow* row = PaperRowAt(&env, PaperListIndex(&env, id))) {
            p.originalWidth_mm_CustomPaper = HundredthsFromTenths(row->width);
            p.originalLength_mm_CustomPaper = HundredthsFromTenths(row->length);
        }
    }
    if ((d.dmFields & kDmOrientation) && (d.dmOrientation == 1 || d.dmOrientation == 2))
        p.originalOrientation = static_cast<uint16_t>(d.dmOrientation);
    if (d.dmFields & kDmMediaType) {
        uint32_t m = MediaListContains(&env, d.dmMediaType) ? d.dmMediaType : 257;
        if ((m >= 257 && m <= 262) || m == 265 || m == 267) p.paperType = m;
        else if (m == 263) p.paperType = env.lightPaperSupport == 1 ? 263 : 257;
        else if (m == 264) p.paperType = env.roughPaperSupport == 1 ? 264 : 257;
        else if (m == 266) p.paperType = env.pressPaperSupport == 1 ? 266 : 257;
    }
    if (d.dmFields & kDmCopies) p.copies = d.dmCopies >= 0 ? d.dmCopies : 1;
    if (d.dmFields & kDmDefaultSource) {
        int32_t t = d.dmDefaultSource;
        if (t < 0 || !TrayListContains(&env, static_cast<uint32_t>(t))) t = 7;
        if (t == kTrayAuto || (t >= kTrayStandardFeed && t <= kTrayHighCapacity)) p.inputTray = static_cast<uint16_t>(t);
    }
}

int64_t MergeTray(MergeKind kind, int64_t v, int64_t old, uint8_t inputUnit) {
    if (v >= kTray1 && v <= kTray3) return v;
    if (kind == MergeKind::TrayB && v == kTrayAuto) return kTrayAuto;
    if (v == kTrayStandardFeed || v == kTrayHighCapacity) {
        if (kind == MergeKind::TrayC) return inputUnit == 10 ? kTrayHighCapacity : kTrayStandardFeed;
        if (v == kTrayStandardFeed) return inputUnit == 0 ? kTrayStandardFeed : kTrayHighCapacity;
        return inputUnit == 10 ? kTrayHighCapacity : kTrayStandardFeed;
    }
    return old;
}

// Every field the table describes, under its own rule.
void MergeTableFields(PrivateSettings* s, const PrivateSettings* p, uint8_t inputUnit) {
    for (int i = 0; i < PrivateFieldCount(); i++) {
        const FieldRow& r = PrivateFieldTable()[i];
        uint8_t* dst = reinterpret_cast<uint8_t*>(s) + r.offset;
        const uint8_t* src = reinterpret_cast<const uint8_t*>(p) + r.offset;
        switch (r.merge) {
        case MergeKind::Copy:
            std::memcpy(dst, src, r.size);
            // Text from outside is cut to its field and always terminated;
            // the signature is the one text that fills its field.
            if (r.type == FieldType::Text && r.offset != 0) std::memset(dst + r.size - 2, 0, 2);
            break;
        case MergeKind::Ranges:
        case MergeKind::Clamp:
        case MergeKind::EachOrZero:
        case MergeKind::TrayA:
        case MergeKind::TrayB:
        case MergeKind::TrayC:
            for (int e = 0; e < r.count; e++) {
                int64_t v = ReadFieldElement(r, p, e);
                int64_t old = ReadFieldElement(r, s, e);
                int64_t out = old;
                if (r.merge == MergeKind::Ranges) out = FieldAccepts(r, v) ? v : old;
                else if (r.merge == MergeKind::Clamp) out = v < r.lo[0] ? r.lo[0] : v > r.hi[0] ? r.hi[0] : v;
                else if (r.merge == MergeKind::EachOrZero) out = FieldAccepts(r, v) ? v : 0;
                else out = MergeTray(r.merge, v, old, inputUnit);
                WriteFieldElement(r, s, e, out);
            }
            break;
        case MergeKind::Special:
        case MergeKind::None:
            break;
        }
    }
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

// The environment's paper extents in 0.01 mm. A printer whose model gave no
// extents yet still keeps its sizes: any positive size up to the 16-bit
// public limit passes.
void Extents(const PrinterEnvironment& env, int32_t* minX, int32_t* minY, int32_t* maxX, int32_t* maxY) {
    if (env.maxExtent[0] == 0 || env.maxExtent[1] == 0) {
        *minX = *minY = 10;
        *maxX = *maxY = 327670;
        return;
    }
    *minX = HundredthsFromTenths(env.minExtent[0]);
    *minY = HundredthsFromTenths(env.minExtent[1]);
    *maxX = HundredthsFromTenths(env.maxExtent[0]);
    *maxY = HundredthsFromTenths(env.maxExtent[1]);
}

void MergeOutputPaper(PrinterSession* s, const PrivateSettings* p, PrinterHandle printer) {
    PrivateSettings& t = s->dm.priv;
    const PrinterEnvironment& env = s->env;
    uint32_t q = p->outputSize;
    int found = -1;
    if (q == 0) {
        t.outputSize = 0;
        found = 0;
    } else if (q != 256 && (found = PaperListIndex(&env, q)) >= 0) {
        t.outputSize = static_cast<uint16_t>(q);
    } else {
        // The effective size is in 0.01 mm; the list and forms compare in 0.1 mm.
        int32_t w = p->outputWidth_mm / 10, l = p->outputLength_mm / 10;
        found = MatchPaperSize(&env, w, l);
        if (found >= 0) {
            t.outputSize = static_cast<uint16_t>(PaperRowAt(&env, found)->id);
        } else {
            t.outputSize = 256;
            std::vector<FormInfo> forms;
            if (printer) Spool().EnumForms(printer, &forms);
            int32_t small = w < l ? w : l, large = w < l ? l : w;
            for (const FormInfo& f : forms) {
                int32_t fs = f.width < f.height ? f.width : f.height;
                int32_t fl = f.width < f.height ? f.height : f.width;
                if (FormNearSize(fs, fl, small, large)) {
                    found = 256;
                    break;
                }
            }
        }
    }
    if (found != -1) {
        DrvLog(nullptr, "_UdcMergeSelfDMode, mergeOutputPaper_private\n");
        DrvLog(nullptr, "    outputSize = [%d / %d]\n", static_cast<int>(p->outputSize), static_cast<int>(t.outputSize));
        DrvLog(nullptr, "    outputWidth_mm = [%d / %d]\n", p->outputWidth_mm, t.outputWidth_mm);
        DrvLog(nullptr, "    outputLength_mm = [%d / %d]\n", p->outputLength_mm, t.outputLength_mm);
    }
    int32_t minX, minY, maxX, maxY;
    Extents(env, &minX, &minY, &maxX, &maxY);
    if (t.outputSize != 0 && t.outputSize != 256) {
        t.outputWidth_mm = Clamp(p->outputWidth_mm, minX, maxX);
        t.outputLength_mm = Clamp(p->outputLength_mm, minY, maxY);
    } else if (t.outputSize == 256) {
        t.outputWidth_mm = Clamp(p->outputWidth_mm_CustomPaper, minX, maxX);
        t.outputLength_mm = Clamp(p->outputLength_mm_CustomPaper, minY, maxY);
    } else if (t.originalSize == 256) {
        t.outputWidth_mm = t.originalWidth_mm_CustomPaper;
        t.outputLength_mm = t.originalLength_mm_CustomPaper;
    } else if (const PaperRow* row = PaperRowAt(&env, PaperListIndex(&env, t.originalSize))) {
        t.outputWidth_mm = HundredthsFromTenths(row->width);
        t.outputLength_mm = HundredthsFromTenths(row->length);
    }
    int32_t w = Clamp(p->outputWidth_mm_CustomPaper, minX, maxX);
    int32_t l = Clamp(p->outputLength_mm_CustomPaper, minY, maxY);
    t.outputWidth_mm_CustomPaper = w < l ? w : l;
    t.outputLength_mm_CustomPaper = w < l ? l : w;
}

// A printer shared from a server and seen from a client (not a cluster node).
int IsSharedClientPrinter(PrinterHandle printer) {
    std::u16string server;
    if (!printer || !Spool().GetPrinterServerName(printer, &server)) return 0;
    return !server.empty() && !Sys().ClusterServiceAvailable();
}

void MergeIdentity(PrinterSession* s, const PrivateSettings* p, PrinterHandle printer, const char16_t* printerName) {
    PrivateSettings& t = s->dm.priv;
    int shared = IsSharedClientPrinter(printer);
    if (shared) {
        t.userNameLocked = 1;
        Text16Copy(t.loginUserName, 21, LookUpUserName(printer, printerName).c_str());
    } else {
        t.userNameLocked = p->userNameLocked;
        std::memcpy(t.loginUserName, p->loginUserName, sizeof t.loginUserName);
        t.loginUserName[20] = 0;
    }
    if (shared || t.userNameLocked == 0) {
        char16_t name[260] = {};
        const char16_t* n = printerName;
        if (!n && GetPrinterInfoItem(printer, nullptr, name, sizeof name, 14)) n = name;
        FillIdentityNames(s, printer, n);
    } else {
        std::memcpy(t.printerDisplayName, p->printerDisplayName, sizeof t.printerDisplayName);
        std::memcpy(t.computerName, p->computerName, sizeof t.computerName);
        std::memcpy(t.userName, p->userName, sizeof t.userName);
        t.printerDisplayName[127] = t.computerName[255] = t.userName[255] = 0;
    }
}

}  // namespace

void _UdcMergeSelfDMode(PrinterSession* s, void* input, PrinterHandle printer, const char16_t* printerName,
                        int caller, uint32_t mask) {
    uint8_t* in = static_cast<uint8_t*>(input);
    DrvLog(nullptr, "_UdcMergeSelfDMode, nModule=%d iDMoodeChkFlags=%d\n", caller, static_cast<int>(mask));
    PublicDevMode d = ReadPublicPart(in);

    const PrivateSettings* p = nullptr;
    PrinterSession* scratch = nullptr;
    if (mask & (kFaultSpecVersion | kFaultSize)) {
        p = nullptr;
    } else if (mask == 0) {
        p = reinterpret_cast<const PrivateSettings*>(in + sizeof(PublicDevMode));
    } else if (d.dmDriverExtra >= 12 && std::memcmp(in + sizeof(PublicDevMode), kSignatureBytes, 12) == 0) {
        // Our record from another version: what it lacks comes from the session.
        scratch = static_cast<PrinterSession*>(std::malloc(sizeof(PrinterSession)));
        if (scratch) {
            std::memcpy(scratch, s, sizeof *scratch);
            std::memcpy(&scratch->dm.pub, in, sizeof(PublicDevMode));
            size_t n = d.dmDriverExtra < kPrivateSize ? d.dmDriverExtra : kPrivateSize;
            std::memcpy(&scratch->dm.priv, in + sizeof(PublicDevMode), n);
            p = &scratch->dm.priv;
        }
    }
    DrvLog(nullptr, "_UdcMergeSelfDMode, bDocMerge=%hs\n", p ? "TRUE" : "FALSE");

    int16_t inSize = d.dmPaperSize, inWidth = d.dmPaperWidth, inLength = d.dmPaperLength;
    if (MatchOriginalPaper(s, d, printer) != -1) {
        DrvLog(nullptr, "_UdcMergeSelfDMode, mergeOriginalPaper_public\n");
        DrvLog(nullptr, "    dmPageSize = [%d / %d]\n", inSize, s->dm.pub.dmPaperSize);
        DrvLog(nullptr, "    dmPageWidth = [%d / %d]\n", inWidth, s->dm.pub.dmPaperWidth);
        DrvLog(nullptr, "    dmPageLength = [%d / %d]\n", inLength, s->dm.pub.dmPaperLength);
    }
    MergePublicFields(s, d, in);
    NoteSettingsStep("merge of the public fields", s);

    if (!p) {
        ApplyDeviceRestrictions(s, printer);
        _UdcUpdateCmnDModeArea(s, printer, printerName);
        NoteSettingsStep("public area update", s);
        return;
    }

    PrivateSettings& t = s->dm.priv;
    MergeTableFields(&t, p, s->env.inputUnit_Option);
    NoteSettingsStep("accepted values", s);
    MergeIdentity(s, p, printer, printerName);
    NoteSettingsStep("job identity", s);
    if (d.dmFields & kDmColor) {
        if (d.dmColor == 1) t.colorMode = 2;
        else if (p->colorMode < 8) t.colorMode = p->colorMode;
    }
    NoteSettingsStep("colour mode from dmColor", s);
    MergeOutputPaper(s, p, printer);
    NoteSettingsStep("output paper", s);
    uint16_t o = p->orientationOverride ? p->documentOrientation : t.originalOrientation;
    if (t.booklet == 3 && o == 1) t.booklet = 1;
    else if ((t.booklet == 1 || t.booklet == 2) && o == 2) t.booklet = 3;
    NoteSettingsStep("booklet orientation", s);

    ConvertHeaderTicket(s, reinterpret_cast<const uint8_t*>(p));
    NoteSettingsStep("header ticket", s);
    std::free(scratch);
    ApplyDeviceRestrictions(s, printer);
    _UdcUpdateCmnDModeArea(s, printer, printerName);
    NoteSettingsStep("public area update", s);
}
