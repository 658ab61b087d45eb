// One printer of our model family as the tests see it: what it has installed,
// its two network interfaces, trays with their paper, storage folders and
// the lists registered on it. AgentValuesFor turns a description into the
// objects of its private MIB, which SnmpdAgent serves for the normal cases
// and PrinterSimulator for the faulty ones; tests fetch from the agent and
// compare what they got with the description they started from.
//
// Table rows keep their position: row k of a list is served as row k + 1,
// and rows past a list's end up to the table's size are served as not valid
// with empty names and zero numbers, so a request for a whole table is
// answered in full. Single-byte fields stay below 128 in the default printer:
// an agent encodes 128 and above in two content bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "snmp/agent_fixture.h"

namespace zr51test {

// The enterprise prefix of the printer's private objects.
extern const char* const kPrinterMib;  // ".1.3.6.1.4.1.40961.1.2"

constexpr int kSimOptionFlagCount = 14;
// The option presence objects (P.2.2.4.1.2.n) in request order.
constexpr int kSimOptionFlagRows[kSimOptionFlagCount] = {1, 2, 3, 4, 5, 7, 11, 12, 13, 16, 20, 21, 22, 23};

constexpr int kSimTrayCount = 5;
// Printer tray numbers in the order the retrieval asks them (its slots 0..4).
constexpr int kSimTraySlotOrder[kSimTrayCount] = {5, 1, 4, 3, 2};

constexpr int kSimFolderRows = 100;
constexpr int kSimPaperRows = 99;
constexpr int kSimBarcodeRows = 100;
constexpr int kSimFormRows = 100;
constexpr int kSimProfileRows = 30;

// Sizes in 0.1 mm; names UTF-8; valid 1 marks a row in use; tray status 1
// is usable, feed 3 the special feed; maxPage is sent in up to two bytes.
struct SimTray { uint8_t status, feed, paperType, autoSelect; int32_t width, length; };
struct SimFolder { uint8_t inUse; std::string name; };
struct SimPaper { uint8_t valid; std::string name; int32_t width, length; };
struct SimBarcodeArea { uint8_t valid; std::string name; uint8_t repeats; int32_t maxPage; };
struct SimNamedRow { uint8_t valid; std::string name; };

// P stands for kPrinterMib.
struct SimulatedPrinter {
    uint8_t optionFlags[kSimOptionFlagCount];  // flag k answers P.2.2.4.1.2.kSimOptionFlagRows[k]
    uint8_t outputUnitKind;  // P.2.2.12.1.0, 1..13
    uint8_t modelOption;     // P.2.2.5.11.0
    uint8_t optionReading2;  // P.2.2.5.2.0, asked and not used
    std::string mac1, ip1, mac2, ip2;  // two interfaces, "00:80:92:1A:2B:3C" and dotted; mac2 empty: none
    uint8_t unitOfLength;  // 1 inch, 0 mm
    uint8_t lightPaper, roughPaper, pressPaper;
    uint8_t readiness;  // 0 asleep, 1 ready, 2 waking up
    SimTray trays[kSimTrayCount];  // by printer tray number: trays[t - 1]
    uint8_t storageFlag3, storageFlag6;  // P.2.2.5.3.0, P.2.2.5.6.0
    std::vector<SimFolder> folders;
    std::vector<SimPaper> papers;
    std::vector<SimBarcodeArea> barcodeAreas;
    std::vector<SimNamedRow> forms, profiles;
    uint8_t outputModes[3];  // P.2.2.5.7.0, 5.9.0, 5.10.0
};

// A four-colour printer with finisher, high-capacity feeder, two interfaces,
// storage, a few registered papers (one row not valid in the middle),
// barcode areas, forms and colour profiles, ready.
SimulatedPrinter DefaultSimulatedPrinter();

// Every object the configuration retrieval asks for, with the description's
// values: strings as UTF-8, IPv4 addresses as four hex octets, integers in
// decimal.
std::vector<AgentValue> AgentValuesFor(const SimulatedPrinter& printer);

// The `OID TYPE VALUE` lines of cmake/with-agent.sh and the simulator.
std::string ValuesFileText(const std::vector<AgentValue>& values);

}  // namespace zr51test
