// The command-line tool end to end: the built program run on our model
// files, on DEVMODEs the driver made and on damaged copies of them, and
// against the simulated printer. Each case is one command line with its
// exit status and the fragments its output must (or must not) hold.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/private_settings.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "snmp/agent_fixture.h"
#include "snmp/simulated_printer.h"

namespace {

struct Result { int status; std::string out, err; };

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class Zr51aTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/zr51a-test-XXXXXX";
        dir_ = mkdtemp(tmpl);
        // Our DEVMODE as the driver makes it for the colour model, and the
        // damaged and edited copies the cases read.
        Result r = Run("devmode resolve --model {M}/ZRC4500.RDF -o def.bin");
        ASSERT_EQ(0, r.status) << r.err;
        std::string dm = ReadText(dir_ + "/def.bin");
        ASSERT_EQ(kDriverDevModeSize, dm.size());
        std::string edited = dm;
        edited[220 + offsetof(PrivateSettings, booklet)] = 9;
        edited[220 + offsetof(PrivateSettings, scale_Zoom)] = static_cast<char>(999 & 0xFF);
        edited[220 + offsetof(PrivateSettings, scale_Zoom) + 1] = static_cast<char>(999 >> 8);
        edited[220 + offsetof(PrivateSettings, staple)] = 10;
        WriteBytes(dir_ + "/edited.bin", edited);
        WriteBytes(dir_ + "/short.bin", dm.substr(0, 40));
        std::string foreign = dm.substr(0, 220) + "FOREIGNDRV01" + std::string(500, '\0');
        WriteBytes(dir_ + "/foreign.bin", foreign);
        // An older 156-byte public part followed by our private record.
        std::string old = dm.substr(0, 156) + dm.substr(220);
        old[68] = static_cast<char>(156);
        old[69] = 0;
        WriteBytes(dir_ + "/old.bin", old);
        // A header claiming far more than the file holds.
        std::string huge = dm.substr(0, 100);
        huge[68] = huge[69] = huge[70] = huge[71] = static_cast<char>(0xFF);
        WriteBytes(dir_ + "/huge.bin", huge);
        WriteBytes(dir_ + "/a.reg", RegExport(dm, true, "hex"));
        WriteBytes(dir_ + "/b.reg", RegExport(dm.substr(0, 3000), false, "hex(3)"));
        std::string bad = RegExport(dm.substr(0, 300), false, "hex");
        bad.replace(bad.find(",00,", bad.find("\\\r\n")), 4, ",zz,");
        WriteBytes(dir_ + "/bad.reg", bad);
        WriteBytes(dir_ + "/dword.reg", "REGEDIT4\r\n\r\n[HKEY_X]\r\n\"DefDevmode\"=dword:00000001\r\n");
        WriteBytes(dir_ + "/novalue.reg", "REGEDIT4\r\n\r\n[HKEY_X]\r\n\"Other\"=hex:00\r\n");
        WriteBytes(dir_ + "/cont.reg", "REGEDIT4\r\n\"DefDevmode\"=hex:00,01,\\\r\n");
        WriteBytes(dir_ + "/notmodel.RDF", "[Something]\r\nKey=1\r\n");
        r = Run("favorites export --devmode def.bin --name Office -o fav.qvt");
        ASSERT_EQ(0, r.status) << r.err;
        std::string qvt = ReadText(dir_ + "/fav.qvt");
        ASSERT_GT(qvt.size(), 64u);
        std::string tag = qvt;
        tag[0] = 'X';
        WriteBytes(dir_ + "/tag.qvt", tag);
        WriteBytes(dir_ + "/cut.qvt", qvt.substr(0, qvt.size() / 2));
        WriteBytes(dir_ + "/header.qvt", qvt.substr(0, 30));
        // A paper exchange file and damaged copies of it.
        r = Run("papers export --paper Card,100.0,148,mm --paper \"Wide, long\",8.5,14,inch -o p.udp");
        ASSERT_EQ(0, r.status) << r.err;
        const std::string udp = ReadText(dir_ + "/p.udp");
        ASSERT_EQ(300u, udp.size());
        const struct { const char* file; std::vector<std::pair<size_t, char>> bytes; } damaged[] = {
            {"hdr.udp", {{40, 'X'}}},   {"zero.udp", {{80, '0'}, {81, '0'}}}, {"three.udp", {{81, '3'}}},
            {"tag.udp", {{100, 'X'}}},  {"units.udp", {{190, '3'}, {290, '3'}}},
        };
        for (const auto& d : damaged) {
            std::string copy = udp;
            for (const auto& [at, b] : d.bytes) copy[at] = b;
            WriteBytes(dir_ + "/" + d.file, copy);
        }
        // A printer's data with a preset, "Office" (the colour model's
        // settings) and a name whose value is lost.
        DriverDevMode devmode;
        std::memcpy(&devmode, dm.data(), sizeof devmode);
        std::string rec(kQuickRecordSize, '\0');
        SerializeSettings(reinterpret_cast<uint8_t*>(rec.data()), &devmode, kQuickRecordSize);
        std::string names(1260, '\0');
        const char* slots[] = {"+IDS_25001", "Office", "Lost"};
        for (int i = 0; i < 3; i++)
            for (size_t k = 0; slots[i][k]; k++) names[i * 42 + k * 2] = slots[i][k];
        const std::string user(4, '\0'), preset = std::string(1, '\1') + std::string(3, '\0');
        WriteBytes(dir_ + "/printer.reg", RegExport({{"QuickSettingNames", names},
                                                     {"QuickSetting_+IDS_25001", preset + rec},
                                                     {"QuickSetting_004f00660066006900630065", user + rec}},
                                                    true, "hex"));
        WriteBytes(dir_ + "/names.reg", RegExport({{"QuickSettingNames", names.substr(0, 100)}}, false, "hex"));
    }
    static void TearDownTestSuite() { std::system(("rm -rf " + dir_).c_str()); }

    // A registry export of a printer key with the value DefDevmode, its hex
    // bytes in lines continued with '\' as the registry editor writes them.
    static std::string RegExport(const std::string& bytes, bool utf16, const char* kind) {
        return RegExport({{"DefDevmode", bytes}}, utf16, kind);
    }
    static std::string RegExport(const std::vector<std::pair<std::string, std::string>>& values, bool utf16,
                                 const char* kind) {
        std::string text = std::string(utf16 ? "Windows Registry Editor Version 5.00" : "REGEDIT4") +
                           "\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\P1]\r\n\"Name\"=\"P1\"\r\n";
        for (const auto& [name, bytes] : values) {
            std::string line = "\"" + name + "\"=" + kind + ":";
            for (size_t i = 0; i < bytes.size(); i++) {
                char b[4];
                std::snprintf(b, sizeof b, "%02x", static_cast<unsigned char>(bytes[i]));
                std::string tok = std::string(b) + (i + 1 < bytes.size() ? "," : "");
                if (line.size() + tok.size() > 76) {
                    text += line + "\\\r\n";
                    line = "  ";
                }
                line += tok;
            }
            text += line + "\r\n";
        }
        text += "\r\n";
        if (!utf16) return text;
        std::string wide = "\xFF\xFE";
        for (char c : text) wide += std::string(1, c) + '\0';
        return wide;
    }

    static Result Run(const std::string& args) {
        std::string line = args;
        for (size_t p; (p = line.find("{M}")) != std::string::npos;) line.replace(p, 3, ZR_MODEL_DIR);
        std::string cmd = "cd " + dir_ + " && " + ZR51A_TOOL + " " + line + " >out.txt 2>err.txt";
        int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir_ + "/out.txt"), ReadText(dir_ + "/err.txt")};
    }

    static std::string dir_;
};
std::string Zr51aTool::dir_;

// The fragments stdout and stderr must hold, and the text stdout must not hold.
struct Case { const char* args; int status; std::vector<const char*> out, err, absent; };

const Case kCases[] = {
    // Usage.
    {"", 2, {}, {"no command given", "usage: zr51a"}, {}},
    {"devmode explode x", 2, {}, {"unknown subcommand 'devmode explode'"}, {}},
    {"devmode show --bogus def.bin", 2, {}, {"unknown option --bogus"}, {}},
    {"favorites export --devmode def.bin --name ThisNameIsLongerThan20 -o f.qvt", 2, {}, {"1 to 20 characters"}, {}},
    {"printer query host --community", 2, {}, {"option --community needs a value"}, {}},
    // Help goes to stdout with status 0.
    {"devmode show --help", 0, {"usage: zr51a devmode show"}, {}, {}},
    // Showing DEVMODEs whole, cut, foreign, older and from registry exports.
    {"devmode show def.bin", 0,
     {"private part: ours, complete", "dmSize                                   = 220", "signature",
      "\"JUP/CS\"", "booklet", "trailingMagic                            = 672227609"}, {}, {}},
    {"devmode show --json def.bin", 0, {"\"privatePart\": \"ours, complete\"", "\"dmDriverExtra\": 18820"}, {}, {}},
    {"devmode show a.reg", 0, {"a.reg: 19040 bytes", "ours, complete", "trailingMagic"}, {}, {}},
    {"devmode show b.reg", 0, {"ours, cut: 2780 of 18820 bytes", "booklet"}, {}, {"jobName", "trailingMagic"}},
    {"devmode show foreign.bin", 0, {"foreign: 18820 bytes at offset 220 begin 46 4F 52 45", "dmFormName"}, {},
     {"\"JUP/CS\"", "booklet"}},
    {"devmode show old.bin", 0, {"156 of 220 bytes (dmSize 156)", "ours, complete", "dmCollate", "booklet"}, {},
     {"dmFormName", "dmMediaType"}},
    {"devmode show huge.bin", 0, {"100 of 220 bytes (dmSize 65535, cut by the end of the data)", "too few for a signature"}, {}, {}},
    {"devmode resolve --model {M}/ZRC4500.RDF --diff huge.bin -o h.bin", 0, {"dmFormName: (absent) -> \"A4\"", "not in the input's public part", "the input has no private part"}, {}, {}},
    {"devmode show short.bin", 1, {}, {"short.bin: 40 bytes: too short for a DEVMODE"}, {}},
    {"devmode show missing.bin", 1, {}, {"missing.bin: cannot open"}, {}},
    {"devmode show bad.reg", 1, {}, {"bad.reg: line 6: bad hex byte 'zz'"}, {}},
    {"devmode show dword.reg", 1, {}, {"dword.reg: line 4: value \"DefDevmode\" is not binary"}, {}},
    {"devmode show novalue.reg", 1, {}, {"novalue.reg: no value \"DefDevmode\""}, {}},
    {"devmode show cont.reg", 1, {}, {"cont.reg: line 2: continuation"}, {}},
    // Resolution on each model, and which rule changed what.
    {"devmode resolve --model {M}/ZRT2300.RDF def.bin -o t.bin", 0, {"t.bin: 19040 bytes resolved for KELO ZR-T2300"}, {}, {}},
    {"devmode resolve --model {M}/ZRM1200.RDF --diff edited.bin -o m.bin", 0,
     {"booklet: 9 -> 0", "by accepted values of booklet: accepted values 0..3", "scale_Zoom: 999 -> 200",
      "clamped to 50..200", "staple: 10 -> 0", "by device rule: finishing"}, {}, {}},
    // The resolved DEVMODE is what a later resolution takes unchanged.
    {"devmode resolve --model {M}/ZRM1200.RDF --diff m.bin -o m2.bin", 0, {"0 fields changed"}, {}, {}},
    {"devmode resolve --model {M}/ZRC4500.RDF --diff --json edited.bin -o c.bin", 0,
     {"\"field\": \"booklet\"", "\"rules\": [\"accepted values of booklet"}, {}, {}},
    // The printer data of a new printer, as the driver's initialisation writes it.
    {"printer init --model {M}/ZRT2300.RDF --language 1041 -o t.reg", 0, {}, {}, {}},
    {"devmode show t.reg", 0, {"\"KELO ZR-T2300\"", "ours, complete", "trailingMagic"}, {}, {}},
    {"devmode resolve --model {M}/ZRT2300.RDF --env t.reg t.reg -o te.bin", 0, {"resolved for KELO ZR-T2300"}, {}, {}},
    {"printer init --model {M}/ZRM1200.RDF", 0,
     {"Printers\\KELO ZR-M1200\\PrinterDriverData]", "\"QuickSetting_+IDS_20674\"=hex:01,00,00,00,",
      "\"SnmpCommunityName\"=\"public\"", "\"DebugTabEnable\"=dword:00000000", "; form \""}, {}, {"\"LocaleID\""}},
    {"printer init --model {M}/ZRC4500.RDF --section Other", 0, {"\"RdfInfo\"=hex:00,00,"},
     {"warning: InstallDefaultReg : no model [Other]"}, {}},
    {"printer init --model notmodel.RDF", 1, {}, {"notmodel.RDF: no model section"}, {}},
    {"printer init --model def.bin", 1, {}, {"def.bin: a model description's name ends in .RDF"}, {}},
    {"devmode resolve --model {M}/ZRC4500.RDF --env def.bin -o x.bin", 1, {}, {"def.bin: 19040 bytes: a printer environment record"}, {}},
    {"devmode resolve --model {M}/ZRC4500.RDF short.bin -o x.bin", 1, {}, {"short.bin: 40 bytes"}, {}},
    // The validity check.
    {"devmode check --model {M}/ZRC4500.RDF def.bin", 0, {"fits: 0 failing checks"}, {}, {"FAIL"}},
    {"devmode check --model {M}/ZRM1200.RDF def.bin", 1, {"FAIL colorMode = AUTO", "does not fit"},
     {"def.bin: does not fit a printer of KELO ZR-M1200"}, {}},
    {"devmode check --model {M}/ZRM1200.RDF --json edited.bin", 1, {"\"fits\": false", "staple"}, {}, {}},
    {"devmode check --model {M}/ZRC4500.RDF fav.qvt", 0, {"fits"}, {}, {}},
    {"devmode check --model {M}/ZRC4500.RDF foreign.bin", 1, {}, {"foreign.bin: private part foreign"}, {}},
    {"devmode check --model {M}/ZRC4500.RDF cut.qvt", 1, {}, {"cut.qvt: not a readable favourites file"}, {}},
    // Favourites.
    {"favorites show fav.qvt", 0, {"favourite \"Office\"", "12206-byte record, 215 items", "booklet"}, {}, {}},
    {"favorites show --json fav.qvt", 0, {"\"name\": \"Office\"", "\"unknownKeys\": 0"}, {}, {}},
    {"favorites import fav.qvt -o imp.bin", 0, {"imp.bin: favourite \"Office\" as a 19040-byte DEVMODE"}, {}, {}},
    {"devmode show imp.bin", 0, {"ours, complete"}, {}, {}},
    {"favorites export --devmode foreign.bin --name X -o x.qvt", 1, {}, {"foreign.bin: private part foreign"}, {}},
    {"favorites export --devmode a.reg --name Reg -o reg.qvt", 0, {"favourite \"Reg\""}, {}, {}},
    {"favorites show tag.qvt", 1, {}, {"tag.qvt: offset 0: no \"KELO_QVT\" tag"}, {}},
    {"favorites show cut.qvt", 1, {}, {"cut.qvt: damaged"}, {}},
    {"favorites import header.qvt -o x.bin", 1, {}, {"header.qvt: 30 bytes: shorter than the 64-byte header"}, {}},
    // User-defined papers: the exchange file written, shown and imported.
    {"papers show p.udp", 0, {" 1  Card", "100.0 x 148.0 mm", " 2  Wide, long", "8.50 x 14.00 inch"}, {}, {"skipped"}},
    {"papers show --json p.udp", 0, {"\"count\": 2", "\"name\": \"Wide, long\"", "\"unit\": \"inch\""}, {}, {}},
    {"papers import p.udp", 0, {"\"Card\": width 1000, length 1480 (0.1 mm), 1181 x 1748 dots",
                                "\"Wide, long\": width 850, length 1400 (0.01 inch), 2550 x 4200 dots"}, {}, {}},
    {"papers export --paper Card,100,148,cm -o x.udp", 1, {}, {"unit 'cm' is neither mm nor inch"}, {}},
    {"papers export --paper Card,340.1,148,mm -o x.udp", 1, {}, {"outside 90.0..340.0 x 148.0..550.0 mm"}, {}},
    {"papers export --paper ThisNameIsLongerThanThirtyChars,100,148,mm -o x.udp", 1, {}, {"longer than 30"}, {}},
    {"papers export --paper A,100,148,mm --paper A,120,148,mm -o x.udp", 1, {}, {"the name is given twice"}, {}},
    {"papers export --paper A,100,148,mm", 2, {}, {"needs at least one --paper and -o FILE"}, {}},
    {"papers show hdr.udp", 1, {}, {"hdr.udp: offset 0: no \"UDP_UserDefinitionPaper\" header"}, {}},
    {"papers show zero.udp", 1, {}, {"zero.udp: offset 80: paper count 0"}, {}},
    {"papers show three.udp", 0, {"Card", "block 3 (offset 300) skipped: the file ends before it"}, {}, {}},
    {"papers import tag.udp", 0, {"block 1 (offset 100) skipped: no \"RSsta\"", "\"Wide, long\""}, {}, {"\"Card\""}},
    {"papers import units.udp", 1, {}, {"units.udp: no block could be imported"}, {}},
    // A printer's stored favourites, checked for a model.
    {"favorites list --model {M}/ZRC4500.RDF printer.reg", 0,
     {"3 favourites, checked against KELO ZR-C4500", " 0  Favourites            +IDS_25001            preset",
      " 1  Office                                      fits", " 2  Lost                                        unreadable"}, {}, {}},
    {"favorites list --model {M}/ZRM1200.RDF --json printer.reg", 0,
     {"\"name\": \"Office\", \"display\": \"Office\", \"preset\": false, \"readable\": true, \"usable\": false",
      "\"name\": \"+IDS_25001\", \"display\": \"Favourites\", \"preset\": true, \"readable\": true, \"usable\": true"}, {}, {}},
    {"favorites apply --name Office --model {M}/ZRC4500.RDF printer.reg -o ap.bin", 0,
     {"ap.bin: favourite \"Office\" applied for KELO ZR-C4500 as a 19040-byte DEVMODE"}, {}, {}},
    {"favorites apply --name Favourites --model {M}/ZRM1200.RDF printer.reg -o pr.bin", 0, {"applied"}, {}, {}},
    {"favorites apply --name Office --model {M}/ZRM1200.RDF printer.reg -o x.bin", 1, {},
     {"favourite \"Office\" does not pass the check for KELO ZR-M1200"}, {}},
    {"favorites apply --name Lost printer.reg -o x.bin", 1, {}, {"favourite \"Lost\": its stored value is damaged"}, {}},
    {"favorites apply --name Nope printer.reg -o x.bin", 1, {}, {"printer.reg: no favourite \"Nope\""}, {}},
    {"favorites list names.reg", 1, {}, {"\"QuickSettingNames\" holds 100 bytes, not 1260"}, {}},
};

TEST_F(Zr51aTool, CommandLines) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.args);
        Result r = Run(c.args);
        EXPECT_EQ(c.status, r.status) << r.err;
        for (const char* f : c.out) EXPECT_NE(std::string::npos, r.out.find(f)) << "stdout lacks: " << f;
        for (const char* f : c.err) EXPECT_NE(std::string::npos, r.err.find(f)) << "stderr lacks: " << f << "\n" << r.err;
        for (const char* f : c.absent) EXPECT_EQ(std::string::npos, r.out.find(f)) << "stdout holds: " << f;
        // Messages never go to stdout, results never to stderr (warnings
        // of a success do).
        if (c.status == 1) {
            EXPECT_TRUE(r.err.rfind("zr51a: ", 0) == 0) << r.err;
        }
        if (c.status == 0 && c.err.empty()) {
            EXPECT_TRUE(r.err.empty()) << r.err;
        }
    }
}

// The printer's configuration from snmpd serving the simulated printer:
// every name the printer holds is printed; an address where nothing answers
// ends within the time-out.
TEST_F(Zr51aTool, PrinterQuery) {
    const zr51test::SimulatedPrinter p = zr51test::DefaultSimulatedPrinter();
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent agent;
    std::string why;
    if (!agent.Start(address, zr51test::AgentValuesFor(p), &why)) GTEST_SKIP() << why;

    Result r = Run("printer query " + address);
    ASSERT_EQ(0, r.status) << r.err;
    std::vector<std::string> shown = {"macAddress = \"" + p.mac1 + "\""};
    for (const auto& f : p.folders) {
        if (f.inUse) shown.push_back("\"" + f.name + "\"");
    }
    for (const auto& x : p.papers) {
        if (x.valid) shown.push_back(x.name + "\" " + std::to_string(x.width) + " x " + std::to_string(x.length));
    }
    for (const auto* list : {&p.forms, &p.profiles}) {
        for (const auto& x : *list) {
            if (x.valid) shown.push_back("\"" + x.name + "\"");
        }
    }
    for (const std::string& text : shown) EXPECT_NE(std::string::npos, r.out.find(text)) << text;
    EXPECT_TRUE(r.err.empty()) << "no progress line when stderr is not a terminal: " << r.err;

    r = Run("printer query --json " + address);
    EXPECT_EQ(0, r.status);
    EXPECT_NE(std::string::npos, r.out.find("\"notAnswered\": []"));
    EXPECT_NE(std::string::npos, r.out.find("\"barcodeAreas\": ["));

    const std::string nobody = zr51test::NextLoopbackAddress();
    r = Run("printer query " + nobody + " --timeout 2");
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.err.find(nobody + ": no answer from the printer within 2 s")) << r.err;
    EXPECT_TRUE(r.out.empty());
}

}  // namespace
