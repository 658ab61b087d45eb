// The header ticket: job kinds from a caller's ticket bytes and the
// configuration report written back into the header.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "rules/rule_session.h"
#include "rules/settings_application.h"

namespace {

// bytes: caller's header bytes; preset: the session before.
struct TicketCase { const char* what; uint8_t kind; std::vector<std::pair<int, uint8_t>> bytes;
                    std::vector<FieldValue> preset; std::vector<FieldValue> want; };

const TicketCase kTicketCases[] = {
    {"kind 1 with sub-kind 3 answers", 1, {{22, 3}, {23, 9}}, {}, {{"ticketStatus", 0, 0}, {"ticketWord", 0, 256}}},
    {"kind 1 with sub-kind 5 is ignored", 1, {{22, 5}, {23, 9}}, {}, {{"ticketStatus", 0, 9}, {"ticketWord", 0, 0}}},
    // Perfect binding.
    {"perfect binding marks the job", 2, {{20, 0x78}, {21, 0x56}, {24, 7}, {38, 4}}, {{"imageRotation", 0, 2}, {"collate", 0, 1}},
     {{"jobFlag", 0, 1}, {"perfectBindingSupport", 0, 1}, {"imageRotation", 0, 0}, {"documentValueA", 1, 0x5678},
      {"documentValueA", 0, 7}, {"collate", 0, 2}, {"duplexType_Cover_PerfectBinding", 0, 0},
      {"inputTray_Cover_PerfectBinding", 0, 7}, {"inputTray_Body_PerfectBinding", 0, 257}, {"colorMode", 0, 0}, {"imageMode", 0, 1}, {"imageQuality", 0, 1},
      {"halftoneScreening", 0, 1}, {"paperType", 0, 257}, {"printDensity", 0, 0}}},
    {"cover and body trays", 2, {{39, 6}, {38, 5}}, {},
     {{"inputTray_Cover_PerfectBinding", 0, 262}, {"inputTray_Body_PerfectBinding", 0, 261}}},
    {"cover tray 1, body tray 6", 2, {{39, 1}, {38, 6}}, {},
     {{"inputTray_Cover_PerfectBinding", 0, 258}, {"inputTray_Body_PerfectBinding", 0, 7}}},
    {"two-sided cover and body", 2, {{32, 2}, {33, 1}}, {},
     {{"duplexType_Cover_PerfectBinding", 0, 1}, {"duplexType_Body_PerfectBinding", 0, 1}}},
    {"cover duplex 3 is one-sided", 2, {{32, 3}}, {}, {{"duplexType_Cover_PerfectBinding", 0, 0}}},
    {"accounting 0", 2, {{34, 0}}, {{"accountingPage", 0, 0}}, {{"accountingPage", 0, 1}, {"documentFlag", 0, 1}}},
    {"accounting 1", 2, {{34, 1}}, {{"documentFlag", 0, 1}}, {{"accountingPage", 0, 1}, {"documentFlag", 0, 0}}},
    {"accounting 7 clears the flag only", 2, {{34, 7}}, {{"documentFlag", 0, 1}, {"accountingPage", 0, 1}},
     {{"accountingPage", 0, 1}, {"documentFlag", 0, 0}}},
    {"cover separately 1", 2, {{35, 1}}, {}, {{"printCoverSeparately_PerfectBinding", 0, 2}, {"jobFlag", 2, 1}}},
    {"cover printed by the job", 2, {{35, 2}, {32, 2}, {39, 3}}, {{"outputTray", 0, 4}},
     {{"printCoverSeparately_PerfectBinding", 0, 1}, {"jobFlag", 2, 2}, {"duplexType", 0, 3}, {"inputTray", 0, 260},
      {"outputTray", 0, 1}}},
    {"cover by the job, one-sided", 2, {{35, 2}, {32, 7}}, {}, {{"duplexType", 0, 1}, {"inputTray", 0, 7}}},
    {"binding job kind 4", 2, {{35, 4}}, {{"printCoverSeparately_PerfectBinding", 0, 2}},
     {{"jobFlag", 2, 4}, {"printCoverSeparately_PerfectBinding", 0, 2}}},
    {"binding job kind 9", 2, {{35, 9}}, {}, {{"jobFlag", 2, 0}}},
    {"colour 6, binding side 1", 2, {{36, 6}, {37, 1}}, {}, {{"colorMode", 0, 6}, {"bindingSide_PerfectBinding", 0, 2}}},
    {"colour 7, binding side 2", 2, {{36, 7}, {37, 2}}, {}, {{"colorMode", 0, 0}, {"bindingSide_PerfectBinding", 0, 1}}},
    {"binding side 3 keeps the setting", 2, {{37, 3}}, {{"bindingSide_PerfectBinding", 0, 1}},
     {{"bindingSide_PerfectBinding", 0, 1}}},
    {"flags, proof, image mode", 2, {{40, 77}, {41, 1}, {44, 1}, {45, 2}, {46, 2}}, {},
     {{"jobFlagB", 1, 77}, {"proofPrint", 0, 1}, {"imageMode", 0, 2}, {"textSmoothing", 0, 2},
      {"halftoneScreening", 0, 3}}},
    {"out-of-range smoothing and halftone", 2, {{41, 2}, {45, 3}, {46, 3}}, {{"proofPrint", 0, 1}},
     {{"proofPrint", 0, 0}, {"textSmoothing", 0, 0}, {"halftoneScreening", 0, 1}}},
    {"quality pair (1, x)", 2, {{47, 1}, {48, 4}}, {}, {{"imageQuality", 0, 2}}},
    {"quality pair (3, x)", 2, {{47, 3}, {48, 1}}, {}, {{"imageQuality", 0, 1}}},
    {"quality pair (0, 1)", 2, {{48, 1}}, {}, {{"imageQuality", 0, 3}}},
    {"quality 6 turns image mode 2 into 1", 2, {{48, 4}, {44, 1}}, {}, {{"imageQuality", 0, 6}, {"imageMode", 0, 1}}},
    {"density -3 and paper 9", 2, {{49, 0xFD}, {50, 9}}, {}, {{"printDensity", 0, 13}, {"paperType", 0, 266}}},
    {"density 4 and paper 7", 2, {{49, 4}, {50, 7}}, {{"paperType", 0, 259}},
     {{"printDensity", 0, 0}, {"paperType", 0, 257}}},
    // Mail making.
    {"mail making marks the job", 4, {{32, 0x10}, {33, 0x27}, {40, 3}}, {{"imageRotation", 0, 4}},
     {{"jobFlag", 0, 2}, {"mailMakingSupport", 0, 1}, {"imageRotation", 0, 0}, {"documentValueB", 1, 0x2710},
      {"documentValueB", 0, 3}, {"duplexType_Envelope_MailMaking", 0, 1}, {"size_Insert_MailMaking", 0, 9},
      {"form_Envelope_MailMaking", 0, 1}, {"tray_Envelope_MailMaking", 0, 7}}},
    {"envelope and insert duplex", 4, {{48, 1}, {49, 2}}, {},
     {{"duplexType_Envelope_MailMaking", 0, 2}, {"duplexType_Insert_MailMaking", 0, 3}}},
    {"mail accounting 1", 4, {{50, 1}}, {{"documentFlagB", 0, 1}, {"accountingPage", 0, 0}},
     {{"accountingPage", 0, 1}, {"documentFlagB", 0, 0}}},
    {"mail accounting 4 clears the flag only", 4, {{50, 4}}, {{"documentFlagB", 0, 1}, {"accountingPage", 0, 0}},
     {{"accountingPage", 0, 0}, {"documentFlagB", 0, 0}}},
    {"document flag 3, job flag, colour", 4, {{51, 3}, {52, 1}, {53, 2}}, {},
     {{"documentFlagB", 1, 3}, {"jobFlag", 1, 1}, {"colorMode", 0, 2}}},
    {"document flag 4 is 0", 4, {{51, 4}, {52, 2}}, {{"documentFlagB", 1, 2}, {"jobFlag", 1, 1}},
     {{"documentFlagB", 1, 0}, {"jobFlag", 1, 0}}},
    {"envelope form 2, insert size 1", 4, {{54, 2}, {55, 1}}, {},
     {{"form_Envelope_MailMaking", 0, 3}, {"size_Insert_MailMaking", 0, 13}}},
    {"envelope and insert trays", 4, {{56, 2}, {57, 9}}, {},
     {{"tray_Envelope_MailMaking", 0, 259}, {"tray_Insert_MailMaking", 0, 7}}},
    {"flags, proof, rotation", 4, {{58, 5}, {59, 1}, {60, 1}}, {},
     {{"jobFlagB", 0, 5}, {"proof_MailMaking", 0, 1}, {"rotate_Insert__MailMaking", 0, 1}}},
    {"proof and rotation only ever set", 4, {{59, 2}, {60, 0}}, {{"proof_MailMaking", 0, 1},
                                                                 {"rotate_Insert__MailMaking", 0, 1}},
     {{"proof_MailMaking", 0, 1}, {"rotate_Insert__MailMaking", 0, 1}}},
    {"mail image settings", 4, {{63, 1}, {64, 1}, {65, 1}, {67, 3}, {68, 0xFE}, {69, 8}}, {},
     {{"imageMode", 0, 2}, {"textSmoothing", 0, 1}, {"halftoneScreening", 0, 2}, {"imageQuality", 0, 5},
      {"printDensity", 0, 12}, {"paperType", 0, 264}}},
    {"mail quality 6 keeps image mode 2", 4, {{63, 1}, {67, 4}}, {}, {{"imageQuality", 0, 6}, {"imageMode", 0, 2}}},
};

std::vector<uint8_t> Caller(uint16_t version, uint8_t kind, const std::vector<std::pair<int, uint8_t>>& bytes) {
    std::vector<uint8_t> t(sizeof(PrivateSettings), 0);
    std::memcpy(t.data(), u"JUP/CS", 12);
    std::memcpy(t.data() + 14, &version, 2);
    t[16] = kind;
    for (auto [at, v] : bytes) t[at] = v;
    return t;
}

class Ticket : public ::testing::TestWithParam<TicketCase> {};

TEST_P(Ticket, MapsTheTicketBytes) {
    const TicketCase& c = GetParam();
    RuleSession r;
    r.Set(c.preset);
    std::vector<uint8_t> t = Caller(3, c.kind, c.bytes);
    ConvertHeaderTicket(r.s.get(), t.data());
    r.Expect(c.what, c.want);
}

void PrintTo(const TicketCase& c, std::ostream* os) { *os << c.what; }

INSTANTIATE_TEST_SUITE_P(Table, Ticket, ::testing::ValuesIn(kTicketCases),
                         [](const ::testing::TestParamInfo<TicketCase>& i) { return CaseName(i.index, i.param.what); });

TEST(TicketKinds, OtherVersionsCopyTheHeaderAndMarkIt) {
    RuleSession r;
    std::vector<uint8_t> t = Caller(2, 2, {{24, 0xAB}, {35, 1}});
    ConvertHeaderTicket(r.s.get(), t.data());
    EXPECT_EQ(1, r.p().ticketStatus);
    EXPECT_EQ(0xAB, r.p().ticketData[0]);
    EXPECT_EQ(0, r.p().jobFlag[0]);
    EXPECT_EQ(0, r.p().printCoverSeparately_PerfectBinding);
}

// Accounting value 4 also marks the byte after jobFlagB.
TEST(TicketKinds, PerfectBindingAccountingFourMarksTheByteAfterTheFlags) {
    RuleSession r;
    std::vector<uint8_t> t = Caller(3, 2, {{34, 4}});
    ConvertHeaderTicket(r.s.get(), t.data());
    EXPECT_EQ(0, r.p().accountingPage);
    EXPECT_EQ(1, reinterpret_cast<const uint8_t*>(&r.p())[offsetof(PrivateSettings, jobFlagB) + 2]);
}

struct ReportCase { const char* what; std::function<void(PrinterEnvironment&)> env; int byte, want; };

const ReportCase kReportCases[] = {
    {"not an S model", [](PrinterEnvironment& e) { e.modelFS = 0; }, 21, 1},
    {"S model", [](PrinterEnvironment& e) { e.modelFS = 1; }, 21, 0},
    {"feeder", [](PrinterEnvironment& e) { e.inputUnit_Option = 10; }, 22, 1},
    {"unit 20", [](PrinterEnvironment& e) { e.outputUnit_Option = 20; }, 23, 1},
    {"unit 22", [](PrinterEnvironment& e) { e.outputUnit_Option = 22; }, 23, 7},
    {"unit 25 abroad", [](PrinterEnvironment& e) { e.outputUnit_Option = 25; e.localArea = 1; }, 23, 3},
    {"unit 25 with booklet unit", [](PrinterEnvironment& e) { e.outputUnit_Option = 25; e.outputSubOption = 1; },
     23, 5},
    {"unit 25 at home", [](PrinterEnvironment& e) { e.outputUnit_Option = 25; }, 23, 6},
    {"unit 27", [](PrinterEnvironment& e) { e.outputUnit_Option = 27; }, 23, 0},
    {"fold unit", [](PrinterEnvironment& e) { e.foldUnit_Option = 1; }, 24, 1},
    {"offset staple tray", [](PrinterEnvironment& e) { e.offsetStapleTray_Option = 1; }, 25, 1},
    {"inches", [](PrinterEnvironment& e) { e.unitOfLength = 1; }, 26, 1},
    {"default paper 264", [](PrinterEnvironment& e) { e.defaultPaperType = 264; }, 27, 8},
    {"default paper 265", [](PrinterEnvironment& e) { e.defaultPaperType = 265; }, 27, 0},
    {"light paper", [](PrinterEnvironment& e) { e.lightPaperSupport = 1; }, 28, 1},
    {"newsprint", [](PrinterEnvironment& e) { e.roughPaperSupport = 1; }, 32, 1},
    {"pressure seal", [](PrinterEnvironment& e) { e.pressPaperSupport = 1; }, 33, 1},
    {"British English", [](PrinterEnvironment& e) { e.languageId = 0x0809; }, 29, 2},
    {"Simplified Chinese, Singapore", [](PrinterEnvironment& e) { e.languageId = 0x1004; }, 29, 19},
    {"Afrikaans", [](PrinterEnvironment& e) { e.languageId = 0x0436; }, 29, 0},
    {"model code low byte", [](PrinterEnvironment& e) { e.modelCode = 0x1234; }, 30, 0x34},
    {"model code high byte", [](PrinterEnvironment& e) { e.modelCode = 0x1234; }, 31, 0x12},
};

TEST(TicketKinds, ConfigurationReport) {
    for (const ReportCase& c : kReportCases) {
        RuleSession r;
        PrinterEnvironment& e = r.s->env;
        e.modelFS = e.inputUnit_Option = e.outputUnit_Option = e.outputSubOption = e.foldUnit_Option = 0;
        e.offsetStapleTray_Option = e.localArea = e.unitOfLength = 0;
        c.env(e);
        std::vector<uint8_t> t = Caller(3, 3, {{20, 9}, {c.byte, 0xEE}});
        ConvertHeaderTicket(r.s.get(), t.data());
        const uint8_t* h = reinterpret_cast<const uint8_t*>(&r.p());
        EXPECT_EQ(c.want, h[c.byte]) << c.what;
        EXPECT_EQ(0, h[20]) << c.what;
    }
}

}  // namespace
