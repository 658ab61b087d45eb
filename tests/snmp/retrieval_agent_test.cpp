// Every fetch against the simulated printer served by snmpd (normal cases)
// and by our simulator (tables missing, silence), compared field by field
// with the printer's description. The printer's address comes from the
// in-memory spooler's standard TCP/IP port answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "platform/fake_platform.h"
#include "platform/udp.h"
#include "base/text16.h"
#include "snmp/agent_fixture.h"
#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/retrieval_expect.h"
#include "snmp/simulated_printer.h"

using zr51test::AgentValue;
using zr51test::SimulatedPrinter;

namespace {

std::string Utf8(const char16_t* text) { return Text16ToUtf8(text); }

class Retrieval : public ::testing::Test {
protected:
    void Install(const std::string& address) {
        platform_ = std::make_unique<FakePlatformScope>();
        PrinterInfo2 info;
        info.portName = u"IP_TEST";
        platform_->spooler.AddPrinter(u"P1", info);
        std::u16string wide = U16(address);
        std::vector<uint8_t> answer(wide.size() * 2 + 2, 0);
        std::memcpy(answer.data(), wide.data(), wide.size() * 2);
        platform_->spooler.xcv[u",XcvPort IP_TEST"][u"IPAddress"].output = answer;
        ASSERT_TRUE(platform_->spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer_));
        InstallSockets(&PosixSockets());
        env_ = std::make_unique<PrinterEnvironment>();
        std::memset(env_.get(), 0, sizeof *env_);
    }
    void TearDown() override {
        InstallSockets(nullptr);
        if (platform_ && printer_) platform_->spooler.ClosePrinter(printer_);
        printer_ = nullptr;
    }
    std::unique_ptr<FakePlatformScope> platform_;
    PrinterHandle printer_ = nullptr;
    std::unique_ptr<PrinterEnvironment> env_;
};

TEST_F(Retrieval, EveryListMatchesTheDescription) {
    const SimulatedPrinter p = zr51test::DefaultSimulatedPrinter();
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent agent;
    std::string why;
    if (!agent.Start(address, zr51test::AgentValuesFor(p), &why)) GTEST_SKIP() << why;
    Install(address);
    env_->modelColor = '3';

    zr51test::ExpectEveryFetch(p, printer_, env_.get());
}

// A printer without folder rows past 30: the folders keep rows 1..30.
TEST_F(Retrieval, PrinterWithoutFolderRowsPast30) {
    const SimulatedPrinter p = zr51test::DefaultSimulatedPrinter();
    std::vector<AgentValue> values;
    for (const AgentValue& v : zr51test::AgentValuesFor(p)) {
        size_t folder = v.oid.find(".2.2.6.1.");
        if (folder == std::string::npos || std::stoi(v.oid.substr(v.oid.rfind('.') + 1)) <= 30) values.push_back(v);
    }
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::PrinterSimulator sim;
    std::string why;
    if (!sim.Start(address, values, zr51test::SimOptions(), &why)) GTEST_SKIP() << why;
    Install(address);
    for (uint32_t row = 0; row < kStorageFolderRows; row++) Text16Copy(env_->storageFolderName[row], 255, u"old");
    ASSERT_EQ(GetStorageFolders(printer_, env_.get()), 1);
    EXPECT_EQ(std::u16string(env_->storageFolderName[0]), zr51test::SlotText(p.folders[0].name, 255));
    EXPECT_EQ(std::u16string(env_->storageFolderName[29]), zr51test::SlotText(p.folders[29].name, 255));
    for (uint32_t row = 30; row < kStorageFolderRows; row++) EXPECT_EQ(Utf8(env_->storageFolderName[row]), "") << row;
}

// Nobody answers: each fetch gives up within its time-out, nothing stored is
// overwritten, the folders fall back to their default names.
TEST_F(Retrieval, UnreachablePrinter) {
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::PrinterSimulator sim;
    zr51test::SimOptions silent;
    silent.mode = "silent";
    std::string why;
    if (!sim.Start(address, {}, silent, &why)) GTEST_SKIP() << why;
    Install(address);
    platform_->host.strings[20121] = u"Second default";
    std::memset(env_->storageFolderPresent, 1, sizeof env_->storageFolderPresent);
    env_->storageEnabled = 1;

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(GetStorageFolders(printer_, env_.get()), 0);
    auto names = std::make_unique<PrinterListName[]>(kColorProfileRows);
    std::memcpy(names[0].name, u"kept", 10);
    uint32_t count = 5;
    EXPECT_EQ(GetColorProfileNames(printer_, env_.get(), names.get(), &count), 0);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2 * kSnmpShortTimeout + 2.0);
    EXPECT_EQ((std::vector<std::string>{"5", "kept", "Folder 01", "Second default", "1", "1"}),
              (std::vector<std::string>{std::to_string(count), Utf8(names[0].name), Utf8(env_->storageFolderName[0]),
                                        Utf8(env_->storageFolderName[1]), std::to_string(env_->storageFolderPresent[5]),
                                        std::to_string(env_->storageEnabled)}));
}

}  // namespace

namespace {
namespace malformed {

enum class List { Papers, Barcodes, Forms, Profiles, Folders };

// The row oid of a table column.
std::string Cell(const char* column, int row) {
    char oid[256];
    FormatRowOid(oid, column, static_cast<uint32_t>(row));
    return oid;
}

// Rows first..last of a name table, all valid, named "row N".
std::vector<AgentValue> Rows(const char* validColumn, const char* nameColumn, int first, int last) {
    std::vector<AgentValue> v;
    for (int row = first; row <= last; ++row) {
        v.push_back({Cell(validColumn, row), "integer", "1"});
        v.push_back({Cell(nameColumn, row), "string", "row " + std::to_string(row)});
    }
    return v;
}

// ok: the fetch's return; count: the entries it gives; entry (folders: the
// row) and its name and numbers: papers width and length, barcode areas
// repeat count and last page, folders presence and storage on. -1: unchecked.
struct Case { const char* what; List list; std::vector<AgentValue> served; int ok, count, entry; std::u16string name; int64_t number, number2; };

const std::string kLong(3000, 'x');

std::vector<Case> Cases() {
    using std::u16string;
    const u16string x31(31, u'x'), x63(63, u'x'), x64(64, u'x'), x256(256, u'x');
    return {
        // Wrong types: a flag sent as text is no 1; a name sent as an
        // integer is its content bytes; a width sent as text is four bytes.
        {"valid flag as text", List::Barcodes, {{Cell(kOidBarcodeValid, 1), "string", "1"}}, 1, 2, 0, u"Customer ID", 3, 999},
        {"name as integer", List::Forms, {{Cell(kOidFormName, 1), "integer", "65"}}, 1, 3, 0, u"A", -1, -1},
        {"width as text", List::Papers, {{Cell(kOidPaperWidth, 1), "string", "ABCDEFGH"}}, 1, 3, 0, u"Postcard 100x148", 0x41424344, 1480},
        // Short and empty answers.
        {"empty name", List::Profiles, {{Cell(kOidProfileName, 2), "string", ""}}, 1, 3, 1, u"", -1, -1},
        {"null repeat count", List::Barcodes, {{Cell(kOidBarcodeRepeat, 2), "null", ""}}, 1, 3, 1, u"Customer ID", 0, 999},
        {"empty folder flag", List::Folders, {{Cell(kOidFolderInUse, 1), "hex", ""}}, 1, -1, 0, u"経理部", 0, 1},
        // Over-long answers are cut to the record's buffer, then the field.
        {"over-long area name", List::Barcodes, {{Cell(kOidBarcodeName, 2), "string", kLong}}, 1, 3, 1, x31, 3, 999},
        {"over-long paper name", List::Papers, {{Cell(kOidPaperName, 4), "string", kLong}}, 1, 3, 2, x63, 3300, 12000},
        {"over-long form name", List::Forms, {{Cell(kOidFormName, 4), "string", kLong}}, 1, 3, 2, x256, -1, -1},
        {"over-long folder name", List::Folders, {{Cell(kOidFolderName, 100), "string", kLong}}, 1, -1, 99, x64, 0, 1},
        {"five-byte width", List::Papers, {{Cell(kOidPaperWidth, 2), "integer", "8589934597"}}, 1, 3, 1, u"Ticket", 0x02000000, 990},
        {"three-byte last page", List::Barcodes, {{Cell(kOidBarcodeMaxPage, 1), "integer", "70000"}}, 1, 3, 0, u"Invoice number", 1, 0x0111},
        {"invalid UTF-8", List::Profiles, {{Cell(kOidProfileName, 1), "hex", "FFC041"}}, 1, 3, 0, u"\uFFFD\uFFFDA", -1, -1},
        // More valid rows than the table holds: the rows past it are never
        // asked for, the destination takes the table's size at most.
        {"areas past the table", List::Barcodes, Rows(kOidBarcodeValid, kOidBarcodeName, 1, 130), 1, 100, 99, u"row 100", -1, -1},
        // Values outside the accepted sets.
        {"valid flag 2", List::Forms, {{Cell(kOidFormValid, 1), "integer", "2"}}, 1, 2, 0, u"請求書 2026", -1, -1},
        {"folder flag 7", List::Folders, {{Cell(kOidFolderInUse, 2), "integer", "7"}}, 1, -1, 1, u"Marketing Proofs", 0x5A, 1},
        {"storage flag as text", List::Folders, {{kOidStorageFlag1, "string", "1"}}, 1, -1, 0, u"経理部", 1, 0},
        // Some columns answered, others not: the request fails as a whole
        // and the destination keeps what it had.
        {"area names missing", List::Barcodes, {{Cell(kOidBarcodeName, 1), "absent", ""}}, 0, -1, -1, u"", -1, -1},
        {"paper lengths missing", List::Papers, {{Cell(kOidPaperLength, 99), "absent", ""}}, 0, -1, -1, u"", -1, -1},
    };
}

// The default printer's objects with the changes: a change replaces the
// object of its oid or comes in addition; "absent" drops it, so that the
// agent answers noSuchName for the whole request.
std::vector<AgentValue> Served(const std::vector<AgentValue>& changes) {
    std::vector<AgentValue> values = zr51test::AgentValuesFor(zr51test::DefaultSimulatedPrinter());
    for (const AgentValue& change : changes) {
        auto at = std::find_if(values.begin(), values.end(), [&](const AgentValue& v) { return v.oid == change.oid; });
        if (change.type == "absent") {
            if (at != values.end()) values.erase(at);
        } else if (at != values.end()) {
            *at = change;
        } else {
            values.push_back(change);
        }
    }
    return values;
}

// Every unit of a terminated field lies inside it.
bool Terminated(const char16_t* field, size_t units) {
    return std::find(field, field + units, u'\0') != field + units;
}

// Entries of out from first on still hold the fill byte.
template <typename Entry>
bool Untouched(const Entry* out, size_t first, size_t total) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(out + first);
    return std::all_of(bytes, bytes + (total - first) * sizeof(Entry), [](uint8_t b) { return b == 0x5A; });
}

struct Outcome { int ok = -1; uint32_t count = 0x5A5A5A5A; std::u16string name; int64_t number = -1, number2 = -1; };

// One list fetch into a destination filled with 0x5A and one entry more than
// the table: the fetch must stay inside, terminate every name it gives and
// leave the entries past its count (all of them when it fails) as they were.
template <typename Entry, typename Fetch, typename Read>
Outcome FetchList(uint32_t rows, size_t nameUnits, const Case& c, Fetch fetch, Read read) {
    std::vector<Entry> out(rows + 1);
    std::memset(out.data(), 0x5A, out.size() * sizeof(Entry));
    Outcome o;
    o.ok = fetch(out.data(), &o.count);
    const uint32_t given = o.ok ? o.count : 0;
    EXPECT_EQ(o.ok ? 1 : 0, o.ok) << c.what;
    EXPECT_TRUE(o.ok ? o.count <= rows : o.count == 0x5A5A5A5Au) << c.what << ": count " << o.count;
    EXPECT_TRUE(Untouched(out.data(), std::min<size_t>(given, rows), out.size())) << c.what;
    for (uint32_t i = 0; i < given && i < rows; ++i) EXPECT_TRUE(Terminated(out[i].name, nameUnits)) << c.what << i;
    if (c.entry >= 0 && static_cast<uint32_t>(c.entry) < given) read(out[c.entry], &o);
    return o;
}

}  // namespace malformed
}  // namespace

// Malformed answers of a printer to the list fetches, served by the
// simulator from the default printer with some objects changed: no field
// overflows, texts are cut to their fields, values outside their sets are
// refused, and a failed fetch keeps what was there.
TEST_F(Retrieval, MalformedAnswersStayInTheirFields) {
    using namespace malformed;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const std::string address = zr51test::NextLoopbackAddress();
        zr51test::PrinterSimulator sim;
        std::string why;
        if (!sim.Start(address, Served(c.served), zr51test::SimOptions(), &why)) GTEST_SKIP() << why;
        Install(address);
        const PrinterEnvironment* env = env_.get();
        PrinterHandle printer = printer_;
        Outcome o;
        switch (c.list) {
        case List::Papers:
            o = FetchList<RegisteredPaperSize>(
                kRegisteredPaperRows, 64, c, [&](RegisteredPaperSize* out, uint32_t* n) { return GetRegisteredPaperSizes(printer, env, out, n); },
                [](const RegisteredPaperSize& e, Outcome* r) { r->name = e.name; r->number = e.width; r->number2 = e.length; });
            break;
        case List::Barcodes:
            o = FetchList<BarcodeAreaEntry>(
                kBarcodeAreaRows, 32, c, [&](BarcodeAreaEntry* out, uint32_t* n) { return GetBarcodeAreas(printer, env, out, n); },
                [](const BarcodeAreaEntry& e, Outcome* r) { r->name = e.name; r->number = e.repeatCount; r->number2 = e.maxPageNumber; });
            break;
        case List::Forms:
        case List::Profiles: {
            const uint32_t rows = c.list == List::Forms ? kFormNameRows : kColorProfileRows;
            auto fetch = c.list == List::Forms ? GetFormNames : GetColorProfileNames;
            o = FetchList<PrinterListName>(
                rows, 257, c, [&](PrinterListName* out, uint32_t* n) { return fetch(printer, env, out, n); },
                [](const PrinterListName& e, Outcome* r) { r->name = e.name; });
            break;
        }
        case List::Folders: {
            std::memset(env_->storageFolderName, 0x5A, sizeof env_->storageFolderName);
            std::memset(env_->storageFolderPresent, 0x5A, sizeof env_->storageFolderPresent);
            std::memset(env_->storageFolderSelectable, 0x5A, sizeof env_->storageFolderSelectable);
            o.ok = GetStorageFolders(printer_, env_.get());
            for (uint32_t row = 0; row < kStorageFolderRows; ++row)
                EXPECT_TRUE(Terminated(env_->storageFolderName[row], 255)) << row;
            o.name = env_->storageFolderName[c.entry];
            o.number = env_->storageFolderPresent[c.entry];
            o.number2 = env_->storageEnabled;
            break;
        }
        }
        EXPECT_EQ(o.ok, c.ok);
        if (c.count >= 0) { EXPECT_EQ(o.count, static_cast<uint32_t>(c.count)); }
        if (c.entry >= 0) { EXPECT_EQ(o.name, c.name); }
        if (c.number >= 0) { EXPECT_EQ(o.number, c.number); }
        if (c.number2 >= 0) { EXPECT_EQ(o.number2, c.number2); }
        TearDown();
        platform_.reset();  // before the next case's scope replaces it
    }
}
