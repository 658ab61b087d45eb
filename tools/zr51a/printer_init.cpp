// zr51a printer init: the printer data that the driver's own initialisation
// writes for a printer of a model, as a registry export an administrator can
// inspect or import, with the forms it registers listed as comments. The
// driver's INITIALIZE runs against the in-memory spooler; nothing of this
// machine is touched.
#include <cstdio>
#include <cstdlib>

#include "entry/printer_event.h"
#include "install/installation.h"
#include "ui/control_table.h"
#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a printer init --model FILE.RDF [--section NAME] [--language ID] [--printer NAME] [-o FILE.reg]\n"
    "  Writes the printer data a new printer of the model gets from the driver's initialisation\n"
    "  (model record, environment, default DEVMODE, preset favourites, ...) as a registry export,\n"
    "  to FILE.reg or standard output. NAME: the model section (default: the file's model section)\n"
    "  and the driver's name. ID: the installer's language (a LANGID such as 1041).\n";
const OptionSpec kOptions[] = {{"--model", nullptr, 1},   {"--section", nullptr, 1}, {"--language", nullptr, 1},
                               {"--printer", nullptr, 1}, {"--output", "-o", 1},     {"--help", "-h", 0}};

std::string Hex2(unsigned v) {
    char b[3];
    std::snprintf(b, sizeof b, "%02x", v & 0xFF);
    return b;
}

// One value in the export's syntax: dword, plain text when it is printable
// ASCII, else hex(type) bytes in lines of the width regedit writes.
std::string ExportValue(const std::u16string& name, const FakeValue& v) {
    std::string line = "\"" + Narrow(name) + "\"=";
    if (v.type == kRegDword && v.bytes.size() == 4) {
        char b[16];
        std::snprintf(b, sizeof b, "dword:%08x", v.bytes[0] | v.bytes[1] << 8 | v.bytes[2] << 16 | unsigned(v.bytes[3]) << 24);
        return line + b + "\r\n";
    }
    if (v.type == kRegSz && v.bytes.size() % 2 == 0) {
        std::string text;
        bool plain = true;
        for (size_t i = 0; i + 1 < v.bytes.size() && plain; i += 2) {
            unsigned c = v.bytes[i] | v.bytes[i + 1] << 8;
            if (c == 0 && i + 2 == v.bytes.size()) break;
            plain = c >= 0x20 && c < 0x7F;
            if (c == '\\' || c == '"') text += '\\';
            text += static_cast<char>(c);
        }
        if (plain) return line + "\"" + text + "\"\r\n";
    }
    line += v.type == kRegBinary ? "hex:" : "hex(" + std::to_string(v.type) + "):";
    size_t width = line.size();
    for (size_t i = 0; i < v.bytes.size(); i++) {
        std::string item = Hex2(v.bytes[i]) + (i + 1 < v.bytes.size() ? "," : "");
        if (width + item.size() > 77 && i + 1 < v.bytes.size()) {
            line += "\\\r\n  ";
            width = 2;
        }
        line += item;
        width += item.size();
    }
    return line + "\r\n";
}

}  // namespace

int PrinterInit(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 6, kUsage, &args); done >= 0) return done;
    if (!args.Has("--model")) return UsageError("printer init needs --model FILE.RDF", kUsage);
    if (!args.positional.empty()) return UsageError("printer init takes no other arguments", kUsage);
    const std::string modelPath = args.Get("--model");
    std::string why;
    std::vector<uint8_t> text;
    if (!ReadWholeFile(modelPath, &text, &why)) return Refuse(why);
    const size_t dot = modelPath.rfind('.');
    if (dot == std::string::npos || dot + 4 != modelPath.size() ||
        (modelPath.substr(dot) != ".RDF" && modelPath.substr(dot) != ".rdf"))
        return Refuse(modelPath + ": a model description's name ends in .RDF (the driver finds it by that)");
    const std::u16string path16 = U16(modelPath);
    std::string section = args.Has("--section") ? args.Get("--section") : FindModelSection(text, path16);
    if (section.empty()) return Refuse(modelPath + ": no model section (a section with a ModelCode key)");
    const std::u16string printer = args.Has("--printer") ? U16(args.Get("--printer")) : U16(section);

    FakePlatformScope fake;
    for (int i = 0; i < kStringTextRowCount; i++) fake.host.strings[kStringTextRows[i].id] = U16(kStringTextRows[i].english);
    if (args.Has("--language")) {
        const std::string language = args.Get("--language");  // end points into it
        char* end = nullptr;
        unsigned long id = std::strtoul(language.c_str(), &end, 0);
        if (!end || *end || id == 0 || id > 0xFFFF) return UsageError("--language takes a LANGID such as 1041", kUsage);
        fake.host.machineValues[std::u16string(kInstallerKey) + u"\\" + kInstallLanguageValue] = {kRegDword,
                                                                                                  uint32_t(id)};
    }
    // The driver's files as a driver package installs them: no initial-setting
    // file lies beside this driver, so its defaults apply.
    DriverInfo3 driver;
    driver.name = U16(section);
    driver.driverPath = driver.configFile = driver.dataFile = u"C:\\ZR51A\\3\\ZR51AUI.dll";
    driver.dependentFiles = {u"C:\\ZR51A\\3\\ZR51ARC.DLL", path16};
    FakePrinter& p = fake.spooler.AddPrinter(printer, {}, driver);
    fake.host.ClearDebugLines();
    if (!DrvPrinterEventCore(printer.c_str(), kPrinterEventInitialize, 0, 0)) {
        std::string log;
        for (const std::u16string& line : fake.host.DebugLines()) log += "  " + Narrow(line);
        return Refuse(modelPath + ": the driver's initialisation failed:\n" + log);
    }
    // What the installation let pass with a log line: a model file without
    // this model's section, a value the spooler refused.
    for (const std::u16string& line : fake.host.DebugLines()) {
        const std::string text = Narrow(line);
        const size_t at = text.find("InstallDefaultReg : ");
        if (at != std::string::npos) std::fprintf(stderr, "zr51a: warning: %s", text.substr(at).c_str());
    }

    std::string out = "Windows Registry Editor Version 5.00\r\n\r\n";
    out += "; The printer data of a new printer \"" + Narrow(printer) + "\" of the model [" + section + "]\r\n";
    for (const FormInfo& f : p.forms)
        out += "; form \"" + Narrow(f.name) + "\" " + std::to_string(f.width) + " x " + std::to_string(f.height) +
               " (0.001 mm)\r\n";
    out += "\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + Narrow(printer) +
           "\\PrinterDriverData]\r\n";
    for (const auto& [name, value] : p.data) out += ExportValue(name, value);
    if (!args.Has("--output")) {
        std::fwrite(out.data(), 1, out.size(), stdout);
        return kExitOk;
    }
    return WriteWholeFile(args.Get("--output"), out.data(), out.size(), &why) ? kExitOk : Refuse(why);
}
