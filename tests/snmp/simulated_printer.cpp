#include "snmp/simulated_printer.h"

#include <cstdio>

namespace zr51test {

const char* const kPrinterMib = ".1.3.6.1.4.1.40961.1.2";

namespace {

std::string Oid(const std::string& tail) { return std::string(kPrinterMib) + tail; }

std::string Row(const char* column, int row) { return Oid(column) + "." + std::to_string(row); }

void Integer(std::vector<AgentValue>* out, const std::string& oid, long long value) {
    out->push_back({oid, "integer", std::to_string(value)});
}

void Text(std::vector<AgentValue>* out, const std::string& oid, const std::string& value) {
    out->push_back({oid, "string", value});
}

// "192.168.1.100" as "C0A80164"; anything that is not four numbers gives
// four zero octets.
std::string AddressOctets(const std::string& dotted) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    char tail = 0;
    if (std::sscanf(dotted.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 || b > 255 ||
        c > 255 || d > 255) {
        a = b = c = d = 0;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", a, b, c, d);
    return hex;
}

template <typename T>
const T* RowOf(const std::vector<T>& rows, int row) {
    return row <= static_cast<int>(rows.size()) ? &rows[row - 1] : nullptr;
}

}  // namespace

SimulatedPrinter DefaultSimulatedPrinter() {
    SimulatedPrinter p = {
        // Finisher flags on, the inserter (7) and the offset-staple tray (20)
        // too; the finisher with fold unit.
        .optionFlags = {1, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1}, .outputUnitKind = 8, .modelOption = 2,
        .optionReading2 = 1, .mac1 = "00:80:92:1A:2B:3C", .ip1 = "192.168.10.21", .mac2 = "00:80:92:1A:2B:3D",
        .ip2 = "10.20.30.41", .unitOfLength = 0, .lightPaper = 1, .roughPaper = 0, .pressPaper = 1, .readiness = 1,
        .trays = {{1, 1, 1, 1, 2100, 2970},   // Tray1 plain A4 portrait
                  {1, 1, 2, 1, 2970, 2100},   // Tray2 inkjet paper A4 landscape
                  {1, 1, 1, 0, 2970, 4200},   // Tray3 A3, not for automatic selection
                  {2, 1, 4, 1, 2570, 3640},   // feeder, not usable (empty)
                  {1, 3, 6, 1, 2159, 2794}},  // high-capacity feeder, light paper, special feed
        .storageFlag3 = 1, .storageFlag6 = 1, .folders = {},
        .papers = {{1, "Postcard 100x148", 1000, 1480}, {1, "Ticket", 2100, 990}, {0, "", 0, 0},
                   {1, "Banner 330x1200", 3300, 12000}},
        .barcodeAreas = {{1, "Invoice number", 1, 1}, {1, "Customer ID", 3, 999}, {0, "", 0, 0},
                         {1, "Route code for the northern delivery zone", 127, 32767}},
        .forms = {{1, "Letterhead"}, {1, "請求書 2026"}, {0, ""}, {1, "Delivery note"}},
        .profiles = {{1, "Standard"}, {1, "Proof Fogra39"}, {1, "Vivid Ü"}},
        .outputModes = {3, 1, 8},  // stack tray, auto, high-capacity
    };
    for (int k = 1; k <= kSimFolderRows; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "Box %03d", k);
        p.folders.push_back({static_cast<uint8_t>(k <= 12 ? 1 : 0), name});
    }
    p.folders[0].name = "経理部";
    p.folders[1].name = "Marketing Proofs";
    return p;
}

std::vector<AgentValue> AgentValuesFor(const SimulatedPrinter& p) {
    std::vector<AgentValue> v;
    Text(&v, Oid(".2.4.1.2.0"), p.mac1);
    v.push_back({Oid(".2.4.2.1.0"), "hex", AddressOctets(p.ip1)});
    Text(&v, Oid(".2.4.9.2.0"), p.mac2);
    v.push_back({Oid(".2.4.10.1.0"), "hex", AddressOctets(p.ip2)});
    Integer(&v, Oid(".2.2.5.1.0"), p.unitOfLength);
    Integer(&v, Oid(".2.2.5.2.0"), p.optionReading2);
    Integer(&v, Oid(".1.1.7.0"), p.lightPaper);
    Integer(&v, Oid(".1.1.8.0"), p.roughPaper);
    Integer(&v, Oid(".1.1.9.0"), p.pressPaper);
    for (int k = 0; k < kSimOptionFlagCount; ++k) {
        Integer(&v, Row(".2.2.4.1.2", kSimOptionFlagRows[k]), p.optionFlags[k]);
    }
    Integer(&v, Oid(".2.2.12.1.0"), p.outputUnitKind);
    Integer(&v, Oid(".2.2.5.11.0"), p.modelOption);
    Integer(&v, Oid(".2.2.5.3.0"), p.storageFlag3);
    Integer(&v, Oid(".2.2.5.6.0"), p.storageFlag6);
    Integer(&v, Oid(".1.1.6.0"), p.readiness);

    for (int n = 1; n <= kSimFolderRows; ++n) {
        const SimFolder* f = RowOf(p.folders, n);
        Integer(&v, Row(".2.2.6.1.2", n), f ? f->inUse : 0);
        Text(&v, Row(".2.2.6.1.3", n), f ? f->name : "");
    }
    for (int n = 1; n <= kSimPaperRows; ++n) {
        const SimPaper* r = RowOf(p.papers, n);
        Integer(&v, Row(".2.2.7.1.2", n), r ? r->valid : 0);
        Text(&v, Row(".2.2.7.1.3", n), r ? r->name : "");
        Integer(&v, Row(".2.2.7.1.4", n), r ? r->width : 0);
        Integer(&v, Row(".2.2.7.1.5", n), r ? r->length : 0);
    }
    for (int n = 1; n <= kSimBarcodeRows; ++n) {
        const SimBarcodeArea* r = RowOf(p.barcodeAreas, n);
        Integer(&v, Row(".2.2.9.1.2", n), r ? r->valid : 0);
        Text(&v, Row(".2.2.9.1.4", n), r ? r->name : "");
        Integer(&v, Row(".2.2.9.1.6", n), r ? r->repeats : 0);
        Integer(&v, Row(".2.2.9.1.7", n), r ? r->maxPage : 0);
    }
    for (int n = 1; n <= kSimFormRows; ++n) {
        const SimNamedRow* r = RowOf(p.forms, n);
        Integer(&v, Row(".2.2.10.1.2", n), r ? r->valid : 0);
        Text(&v, Row(".2.2.10.1.4", n), r ? r->name : "");
    }
    for (int n = 1; n <= kSimProfileRows; ++n) {
        const SimNamedRow* r = RowOf(p.profiles, n);
        Integer(&v, Row(".2.2.11.1.2", n), r ? r->valid : 0);
        Text(&v, Row(".2.2.11.1.4", n), r ? r->name : "");
    }
    // Tray columns: 2 status, 8 feed, 6 paper type, 7 automatic selection,
    // 4 width, 5 length.
    for (int t = 1; t <= kSimTrayCount; ++t) {
        const SimTray& tray = p.trays[t - 1];
        Integer(&v, Row(".1.2.1.1.2", t), tray.status);
        Integer(&v, Row(".1.2.1.1.8", t), tray.feed);
        Integer(&v, Row(".1.2.1.1.6", t), tray.paperType);
        Integer(&v, Row(".1.2.1.1.7", t), tray.autoSelect);
        Integer(&v, Row(".1.2.1.1.4", t), tray.width);
        Integer(&v, Row(".1.2.1.1.5", t), tray.length);
    }
    Integer(&v, Oid(".2.2.5.7.0"), p.outputModes[0]);
    Integer(&v, Oid(".2.2.5.9.0"), p.outputModes[1]);
    Integer(&v, Oid(".2.2.5.10.0"), p.outputModes[2]);
    return v;
}

std::string ValuesFileText(const std::vector<AgentValue>& values) {
    std::string text;
    for (const AgentValue& v : values) text += v.oid + " " + v.type + " " + v.value + "\n";
    return text;
}

}  // namespace zr51test
