// The header ticket: the first 256 bytes of a private record, through which
// an application hands in a whole job (perfect binding, mail making) or asks
// for the printer's configuration. Ticket bytes use codes of their own; the
// tables below turn them into the record's values.
#include <cstring>

#include "base/tray_ids.h"
#include "rules/settings_application.h"

namespace {

struct Code { int from; uint32_t to; };

uint32_t Map(const Code* table, size_t n, int v, uint32_t otherwise) {
    for (size_t i = 0; i < n; i++)
        if (table[i].from == v) return table[i].to;
    return otherwise;
}
template <size_t N>
uint32_t Map(const Code (&table)[N], int v, uint32_t otherwise) { return Map(table, N, v, otherwise); }

const Code kTrayCodes[] = {{1, kTray1}, {2, kTray2}, {3, kTray3}, {4, kTrayStandardFeed}, {5, kTrayHighCapacity}};
const Code kPaperCodes[] = {{1, 258}, {2, 259}, {3, 260}, {4, 261}, {5, 262}, {6, 263}, {8, 264}, {9, 266}};
const Code kDensityCodes[] = {{-3, 13}, {-2, 12}, {-1, 11}, {1, 1}, {2, 2}, {3, 3}};
const Code kQualityCodes[] = {{0, 1}, {1, 3}, {2, 4}, {3, 5}, {4, 6}};
const Code kInsertSizes[] = {{0, 9}, {1, 13}, {2, 1}, {3, 5}};
const Code kPerfectBindingSide[] = {{0, 0}, {1, 2}, {2, 1}};
// 1 or 2 in the ticket: two-sided long or short edge; else one-sided.
const Code kDuplexCodes[] = {{1, 2}, {2, 3}};

uint16_t Tray(uint8_t b) { return static_cast<uint16_t>(Map(kTrayCodes, b, 7)); }
uint32_t Paper(uint8_t b) { return Map(kPaperCodes, b, 257); }
uint8_t Density(uint8_t b) { return static_cast<uint8_t>(Map(kDensityCodes, static_cast<int8_t>(b), 0)); }
uint8_t Quality(uint8_t a, uint8_t b) {
    if (a == 1) return 2;
    if (a != 0) return 1;
    return static_cast<uint8_t>(Map(kQualityCodes, b, 1));
}
uint8_t Smoothing(uint8_t b) { return b == 1 || b == 2 ? b : 0; }
uint8_t Halftone(uint8_t b) { return b == 1 || b == 2 ? static_cast<uint8_t>(b + 1) : 1; }
uint8_t ColorMode(uint8_t b) { return b >= 1 && b <= 6 ? b : 0; }
uint32_t Le32(const uint8_t* t, int at) {
    uint32_t v;
    std::memcpy(&v, t + at, 4);
    return v;
}

// Accounting page and the document flag from one ticket byte; values past
// the table only clear the flag. Returns 1 for the value that also marks the
// byte after jobFlagB.
int AccountingByte(PrivateSettings& p, uint8_t b, uint8_t* flag, int lastPair) {
    static const uint8_t kPairs[5][2] = {{1, 1}, {1, 0}, {0, 1}, {0, 0}, {0, 0}};
    if (b > lastPair) {
        *flag = 0;
        return 0;
    }
    p.accountingPage = kPairs[b][0];
    *flag = kPairs[b][1];
    return b == 4;
}

void PerfectBindingJob(PrivateSettings& p, const uint8_t* t) {
    p.jobFlag[0] = 1;
    p.perfectBindingSupport = 1;
    p.imageRotation = 0;
    p.documentValueA[1] = Le32(t, 20);
    p.documentValueA[0] = Le32(t, 24);
    p.duplexType_Cover_PerfectBinding = t[32] == 1 || t[32] == 2;
    p.duplexType_Body_PerfectBinding = t[33] == 1 || t[33] == 2;
    p.inputTray_Cover_PerfectBinding = t[39] == 6 ? kTrayCoverInserter : Tray(t[39]);
    p.inputTray_Body_PerfectBinding = Tray(t[38]);
    if (AccountingByte(p, t[34], &p.documentFlag[0], 4)) p.reserved7247[0] = 1;
    switch (t[35]) {
    case 0: p.printCoverSeparately_PerfectBinding = 0; p.jobFlag[2] = 0; break;
    case 1: p.printCoverSeparately_PerfectBinding = 2; p.jobFlag[2] = 1; break;
    case 2:
        // The cover printed separately: the job itself prints the cover.
        p.printCoverSeparately_PerfectBinding = 1;
        p.jobFlag[2] = 2;
        p.duplexType = static_cast<uint16_t>(Map(kDuplexCodes, t[32], 1));
        p.inputTray = Tray(t[39]);
        p.outputTray = 1;
        break;
    case 3: case 4: case 5: p.jobFlag[2] = t[35]; break;
    default: p.jobFlag[2] = 0; break;
    }
    p.colorMode = ColorMode(t[36]);
    if (t[37] <= 2) p.bindingSide_PerfectBinding = static_cast<uint8_t>(Map(kPerfectBindingSide, t[37], 0));
    p.jobFlagB[1] = t[40];
    p.proofPrint = t[41] == 1;
    p.imageMode = t[44] == 1 ? 2 : 1;
    p.textSmoothing = Smoothing(t[45]);
    p.halftoneScreening = Halftone(t[46]);
    p.imageQuality = Quality(t[47], t[48]);
    if (p.imageQuality == 6 && p.imageMode == 2) p.imageMode = 1;
    p.printDensity = Density(t[49]);
    p.paperType = Paper(t[50]);
    p.collate = 2;
}

void MailMakingJob(PrivateSettings& p, const uint8_t* t) {
    p.jobFlag[0] = 2;
    p.mailMakingSupport = 1;
    p.imageRotation = 0;
    p.documentValueB[1] = Le32(t, 32);
    p.documentValueB[0] = Le32(t, 40);
    p.duplexType_Envelope_MailMaking = static_cast<uint16_t>(Map(kDuplexCodes, t[48], 1));
    p.duplexType_Insert_MailMaking = static_cast<uint16_t>(Map(kDuplexCodes, t[49], 1));
    AccountingByte(p, t[50], &p.documentFlagB[0], 3);
    p.documentFlagB[1] = t[51] >= 1 && t[51] <= 3 ? t[51] : 0;
    p.jobFlag[1] = t[52] == 1;
    p.colorMode = ColorMode(t[53]);
    p.form_Envelope_MailMaking = t[54] == 1 || t[54] == 2 ? static_cast<uint8_t>(t[54] + 1) : 1;
    p.size_Insert_MailMaking = static_cast<uint16_t>(Map(kInsertSizes, t[55], 9));
    p.tray_Envelope_MailMaking = Tray(t[56]);
    p.tray_Insert_MailMaking = Tray(t[57]);
    p.jobFlagB[0] = t[58];
    if (t[59] == 1) p.proof_MailMaking = 1;
    if (t[60] == 1) p.rotate_Insert__MailMaking = 1;
    p.imageMode = t[63] == 1 ? 2 : 1;
    p.textSmoothing = Smoothing(t[64]);
    p.halftoneScreening = Halftone(t[65]);
    p.imageQuality = Quality(t[66], t[67]);
    p.printDensity = Density(t[68]);
    p.paperType = Paper(t[69]);
}

// Language of the configuration report: some full identifiers first, then
// the primary language.
uint8_t LanguageIndex(uint32_t id) {
    static const Code kFull[] = {{0x0809, 2}, {0x0C09, 2}, {0x1409, 2}, {0x1809, 2}, {0x1C09, 2}, {0x2009, 2},
                                 {0x2809, 2}, {0x2C09, 2}, {0x0804, 19}, {0x1004, 19}, {0x0404, 20}, {0x0C04, 20}};
    static const Code kPrimary[] = {{0x01, 23}, {0x06, 9},  {0x07, 3},  {0x08, 16}, {0x09, 1},  {0x0A, 6},
                                    {0x0B, 11}, {0x0C, 4},  {0x0D, 24}, {0x10, 5},  {0x11, 18}, {0x12, 21},
                                    {0x13, 8},  {0x14, 10}, {0x15, 13}, {0x16, 7},  {0x19, 15}, {0x1D, 12},
                                    {0x1E, 25}, {0x1F, 14}, {0x21, 17}, {0x29, 22}, {0x2A, 30}, {0x39, 26}};
    uint32_t full = Map(kFull, static_cast<int>(id & 0xFFFF), 0);
    return static_cast<uint8_t>(full ? full : Map(kPrimary, static_cast<int>(id & 0x3FF), 0));
}

void ConfigurationReport(PrivateSettings& p, const PrinterEnvironment& env) {
    static const Code kUnits[] = {{20, 1}, {21, 2}, {22, 7}, {23, 8}, {24, 9}, {26, 4}};
    static const Code kPaperTypes[] = {{258, 1}, {259, 2}, {260, 3}, {261, 4},
                                       {262, 5}, {263, 6}, {264, 8}, {266, 9}};
    uint8_t* h = reinterpret_cast<uint8_t*>(&p);
    uint8_t unit = static_cast<uint8_t>(Map(kUnits, env.outputUnit_Option, 0));
    if (env.outputUnit_Option == 25) unit = env.localArea ? 3 : env.outputSubOption == 1 ? 5 : 6;
    h[20] = 0;
    h[21] = env.modelFS == 0;
    h[22] = env.inputUnit_Option == 10;
    h[23] = unit;
    h[24] = env.foldUnit_Option != 0;
    h[25] = env.offsetStapleTray_Option != 0;
    h[26] = env.unitOfLength != 0;
    h[27] = static_cast<uint8_t>(Map(kPaperTypes, static_cast<int>(env.defaultPaperType), 0));
    h[28] = env.lightPaperSupport == 1;
    h[29] = LanguageIndex(env.languageId);
    std::memcpy(h + 30, &env.modelCode, 2);
    h[32] = env.roughPaperSupport == 1;
    h[33] = env.pressPaperSupport == 1;
}

}  // namespace

void ConvertHeaderTicket(PrinterSession* session, const uint8_t* callerPrivate) {
    PrivateSettings& p = session->dm.priv;
    std::memcpy(&p, callerPrivate, 256);
    if (p.ticketVersion != 3) {
        p.ticketStatus = 1;
        return;
    }
    const uint8_t* t = callerPrivate;
    switch (t[offsetof(PrivateSettings, ticketKind)]) {
    case 1:
        if (t[offsetof(PrivateSettings, ticketSubKind)] >= 2 && t[offsetof(PrivateSettings, ticketSubKind)] <= 4) {
            p.ticketStatus = 0;
            p.ticketWord = 256;
        }
        break;
    case 2: PerfectBindingJob(p, t); break;
    case 3: ConfigurationReport(p, session->env); break;
    case 4: MailMakingJob(p, t); break;
    default: break;
    }
}
