// Every fetch against the simulated printer served by snmpd (normal cases)
// and by our simulator (tables missing, silence), compared field by field
// with the printer's description. The printer's address comes from the
// in-memory spooler's standard TCP/IP port answer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "platform/fake_platform.h"
#include "platform/udp.h"
#include "settings/text16.h"
#include "snmp/agent_fixture.h"
#include "snmp/printer_config.h"
#include "snmp/simulated_printer.h"

using zr51test::AgentValue;
using zr51test::SimulatedPrinter;

namespace {

std::string Utf8(const char16_t* text) { return Text16ToUtf8(text); }

// The text as our fields keep it: cut to units - 1 UTF-16 units.
std::string Cut(const std::string& utf8, size_t units) {
    std::u16string wide = U16(utf8);
    if (wide.size() > units - 1) wide.resize(units - 1);
    return Narrow(wide);
}

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
        if (platform_) platform_->spooler.ClosePrinter(printer_);
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

    ASSERT_EQ(GetDeviceOptions(printer_, env_.get()), 1);
    EXPECT_EQ(Utf8(env_->macAddress), p.mac1);  // interface 2's address is not the queue's
    EXPECT_EQ(env_->unitOfLength, p.unitOfLength != 0);
    EXPECT_EQ(env_->lightPaperSupport, p.lightPaper);
    EXPECT_EQ(env_->roughPaperSupport, p.roughPaper);
    EXPECT_EQ(env_->optionFlag5, p.optionFlags[4] == 1);
    EXPECT_EQ(env_->inputUnit_Option, p.optionFlags[5] == 1 ? 10 : 0);
    EXPECT_EQ(env_->offsetStapleTray_Option, p.optionFlags[10] == 1);
    EXPECT_EQ(env_->modelOptionByte, p.modelOption);
    const uint8_t kind = p.outputUnitKind;
    EXPECT_EQ(env_->outputUnit_Option, kind <= 2 ? 19 + kind : kind <= 6 ? 25 : kind <= 10 ? 26 : kind == 11 ? 22 : kind == 12 ? 24 : 23);
    if (kind >= 3 && kind <= 10) {
        EXPECT_EQ(env_->outputSubOption, (kind - 3) % 4 >= 2);
        EXPECT_EQ(env_->foldUnit_Option, (kind - 3) % 2);
    }

    ASSERT_EQ(GetPressPaperSupport(printer_, env_.get()), 1);
    EXPECT_EQ(env_->pressPaperSupport, p.pressPaper != 0);

    std::memset(env_->storageFolderSelectable, 1, sizeof env_->storageFolderSelectable);
    ASSERT_EQ(GetStorageFolders(printer_, env_.get()), 1);
    for (uint32_t row = 0; row < kStorageFolderRows; row++) {
        const zr51test::SimFolder* f = row < p.folders.size() ? &p.folders[row] : nullptr;
        EXPECT_EQ(Utf8(env_->storageFolderName[row]), f ? Cut(f->name, 255) : "") << row;
        EXPECT_EQ(env_->storageFolderPresent[row], f && f->inUse == 1) << row;
        EXPECT_EQ(env_->storageFolderSelectable[row], f && f->inUse == 0 ? 0 : 1) << row;
    }
    EXPECT_EQ(env_->storageEnabled, p.storageFlag3 == 1 && p.storageFlag6 == 1);

    auto papers = std::make_unique<RegisteredPaperSize[]>(kRegisteredPaperRows);
    uint32_t count = 1000;
    ASSERT_EQ(GetRegisteredPaperSizes(printer_, env_.get(), papers.get(), &count), 1);
    uint32_t n = 0;
    for (const zr51test::SimPaper& paper : p.papers) {
        if (paper.valid != 1) continue;
        ASSERT_LT(n, count);
        EXPECT_EQ(papers[n].width, paper.width);
        EXPECT_EQ(papers[n].length, paper.length);
        EXPECT_EQ(Utf8(papers[n].name), Cut(paper.name, 64));
        n++;
    }
    EXPECT_EQ(count, n);

    auto areas = std::make_unique<BarcodeAreaEntry[]>(kBarcodeAreaRows);
    ASSERT_EQ(GetBarcodeAreas(printer_, env_.get(), areas.get(), &count), 1);
    n = 0;
    for (const zr51test::SimBarcodeArea& area : p.barcodeAreas) {
        if (area.valid != 1) continue;
        ASSERT_LT(n, count);
        EXPECT_EQ(Utf8(areas[n].name), Cut(area.name, 32));
        EXPECT_EQ(areas[n].repeatCount, area.repeats);
        EXPECT_EQ(areas[n].maxPageNumber, static_cast<uint32_t>(area.maxPage));
        n++;
    }
    EXPECT_EQ(count, n);

    struct NameList {
        int (*fetch)(PrinterHandle, const PrinterEnvironment*, PrinterListName*, uint32_t*);
        const std::vector<zr51test::SimNamedRow>* rows;
    };
    const NameList lists[] = {{GetFormNames, &p.forms}, {GetColorProfileNames, &p.profiles}};
    for (const NameList& list : lists) {
        auto names = std::make_unique<PrinterListName[]>(kFormNameRows);
        ASSERT_EQ(list.fetch(printer_, env_.get(), names.get(), &count), 1);
        n = 0;
        for (const zr51test::SimNamedRow& row : *list.rows) {
            if (row.valid != 1) continue;
            ASSERT_LT(n, count);
            EXPECT_EQ(Utf8(names[n].name), Cut(row.name, 257));
            n++;
        }
        EXPECT_EQ(count, n);
    }
}

// A printer without the form table and without folder rows past 30: the
// forms fail at once (no such name), the folders keep rows 1..30.
TEST_F(Retrieval, PrinterAnsweringSomeTablesOnly) {
    const SimulatedPrinter p = zr51test::DefaultSimulatedPrinter();
    std::vector<AgentValue> values;
    for (const AgentValue& v : zr51test::AgentValuesFor(p)) {
        if (v.oid.find(".2.2.10.1.") != std::string::npos) continue;
        size_t folder = v.oid.find(".2.2.6.1.");
        if (folder != std::string::npos && std::stoi(v.oid.substr(v.oid.rfind('.') + 1)) > 30) continue;
        values.push_back(v);
    }
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::PrinterSimulator sim;
    std::string why;
    if (!sim.Start(address, values, zr51test::SimOptions(), &why)) GTEST_SKIP() << why;
    Install(address);

    auto names = std::make_unique<PrinterListName[]>(kFormNameRows);
    std::memcpy(names[0].name, u"kept", 10);
    uint32_t count = 77;
    EXPECT_EQ(GetFormNames(printer_, env_.get(), names.get(), &count), 0);
    EXPECT_EQ(count, 77u);
    EXPECT_EQ(Utf8(names[0].name), "kept");
    ASSERT_EQ(GetColorProfileNames(printer_, env_.get(), names.get(), &count), 1);

    for (uint32_t row = 0; row < kStorageFolderRows; row++) Text16Copy(env_->storageFolderName[row], 255, u"old");
    ASSERT_EQ(GetStorageFolders(printer_, env_.get()), 1);
    EXPECT_EQ(Utf8(env_->storageFolderName[0]), Cut(p.folders[0].name, 255));
    EXPECT_EQ(Utf8(env_->storageFolderName[29]), Cut(p.folders[29].name, 255));
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
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(Utf8(names[0].name), "kept");
    EXPECT_EQ(Utf8(env_->storageFolderName[0]), "Folder 01");
    EXPECT_EQ(Utf8(env_->storageFolderName[1]), "Second default");
    EXPECT_EQ(env_->storageFolderPresent[5], 1);
    EXPECT_EQ(env_->storageEnabled, 1);
}

}  // namespace
