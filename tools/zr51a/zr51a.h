// The administrator's command-line tool: what a DEVMODE, a favourites file
// or a printer says, with the driver's own code doing the work. One file per
// subcommand; the argument parser, the input readers and the output
// formatting are shared. Exit status: 0 success, 1 a refused input, 2 wrong
// usage. Messages go to stderr and name the file and the place.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/session.h"
#include "platform/fake_platform.h"

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// ---- arguments (args.cpp)
struct OptionSpec {
    const char* name;   // "--model"
    const char* alias;  // "-o" or null
    int takesValue;  // 0, 1, or kRepeatedValue (may be given more than once)
};
constexpr int kRepeatedValue = 2;
struct Args {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // by option name
    int Has(const char* name) const;
    std::string Get(const char* name) const;  // "" when absent
    std::vector<std::string> All(const char* name) const;  // every value, in order
};
// 1 with out filled; 0 with why ("unknown option --x").
int ParseArgs(int argc, char** argv, int first, const OptionSpec* known, int knownCount, Args* out, std::string* why);
// Prints "zr51a: <why>" and the usage text to stderr; returns kExitUsage.
int UsageError(const std::string& why, const char* usage);
// Prints "zr51a: <what>" to stderr; returns kExitRefused.
int Refuse(const std::string& what);
// --help: the usage text to stdout; returns kExitOk.
int ShowHelp(const char* usage);
// A subcommand's arguments from argv[3] on: -1 when the command goes on with
// out filled, else its exit status (a usage error, or 0 after --help).
int ParseSubcommand(int argc, char** argv, const OptionSpec* known, int knownCount, const char* usage, Args* out);

// ---- files (input_files.cpp)
int ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, std::string* why);
int WriteWholeFile(const std::string& path, const void* bytes, size_t size, std::string* why);
// 1 when the bytes start like a registry export (8-bit or UTF-16).
int LooksLikeRegExport(const std::vector<uint8_t>& bytes);
// The binary value valueName (any case) of a registry export into out; 0 with
// why naming the line.
int ReadRegExportValue(const std::vector<uint8_t>& file, const std::string& path, const char* valueName,
                       std::vector<uint8_t>* out, std::string* why);
// A DEVMODE from a file: the bytes as they stand, or the "DefDevmode" value
// of a registry export. 0 with why.
int LoadDevModeFile(const std::string& path, std::vector<uint8_t>* out, std::string* why);

// What of a DEVMODE could be read.
struct DevModeLayout {
    uint16_t dmSize;
    uint16_t dmDriverExtra;
    size_t publicBytes;   // of the 220-byte public part
    size_t privateBytes;  // of the 18820-byte private part (ours only)
    int ours;             // the private part carries our signature
    std::string privateNote;
};
// 0 with why when not even the header up to dmDriverExtra is there.
int AnalyseDevMode(const std::vector<uint8_t>& bytes, const std::string& path, DevModeLayout* layout,
                   std::string* why);
// The readable parts laid into a zeroed driver DEVMODE.
void FillDriverDevMode(const std::vector<uint8_t>& bytes, const DevModeLayout& layout, DriverDevMode* dm);

// ---- output (output.cpp)
std::string JsonString(const std::string& text);
std::string Utf8(const char16_t* text, size_t max);
// Public fields of the DEVMODE that lie within publicBytes.
struct PublicField {
    const char* name;
    uint16_t offset;
    uint16_t size;
    char kind;  // 't' text, 'u' unsigned, 's' signed, 'x' hex
};
const PublicField* PublicFieldTable(int* count);
std::string PublicFieldValue(const PublicField& f, const DriverDevMode* dm, int json);
// Private fields shown (reserved blocks left out).
int ShownPrivateField(const struct FieldRow& row);
std::string PrivateFieldValue(const struct FieldRow& row, const void* priv, int json);
// "name = value" lines (or a JSON object) of the fields within the limits.
std::string FieldLines(const DriverDevMode* dm, size_t publicBytes, size_t privateBytes);
std::string FieldJson(const DriverDevMode* dm, size_t publicBytes, size_t privateBytes, const char* indent);

// ---- a printer of a model, in the in-memory spooler (model_printer.cpp)
constexpr const char16_t* kToolPrinter = u"ZR51A";
struct ModelPrinter {
    FakePlatformScope fake;
    std::string modelPath;
    std::string section;
};
// The first section of the model file (text, read from path) with a
// ModelCode key: the model's own; "" when there is none.
std::string FindModelSection(const std::vector<uint8_t>& text, const std::u16string& path);
// Installs the model file (its model section, or section when given) and,
// when envPath is given, that printer environment record (raw or the
// "PrvEnv" value of a registry export). 0 with why.
int SetUpModelPrinter(ModelPrinter* printer, const std::string& modelPath, const std::string& section,
                      const std::string& envPath, std::string* why);
// The driver's resolution for the printer with input (null: none) into
// session. 1/0.
int ResolveForPrinter(const std::vector<uint8_t>* input, PrinterSession* session);

// ---- subcommands
int DevModeShow(int argc, char** argv);
int DevModeResolve(int argc, char** argv);
int DevModeCheck(int argc, char** argv);
int FavoritesExport(int argc, char** argv);
int FavoritesImport(int argc, char** argv);
int FavoritesShow(int argc, char** argv);
int FavoritesList(int argc, char** argv);
int FavoritesApply(int argc, char** argv);
int PrinterQuery(int argc, char** argv);
int PrinterInit(int argc, char** argv);
int PageShow(int argc, char** argv);
int PapersExport(int argc, char** argv);
int PapersShow(int argc, char** argv);
int PapersImport(int argc, char** argv);
