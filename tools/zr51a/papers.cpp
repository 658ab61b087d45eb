// zr51a papers export / show / import: the exchange file of user-defined
// papers, written and read by the driver's own code. Names are written in
// Latin-1 here (the driver uses the system's code page).
#include <cstdio>
#include <cstring>

#include "base/fixed_point.h"
#include "saved/paper_exchange_file.h"
#include "zr51a.h"

namespace {
const char kExportUsage[] =
    "zr51a papers export --paper NAME,WIDTH,LENGTH,mm|inch [--paper ...] -o FILE\n"
    "  Sizes as typed (one decimal in mm, two in inches); NAME at most 30 characters.\n"
    "  Papers take the slots 0, 1, 2 ... in the order given; at most 99.\n";
const char kShowUsage[] = "zr51a papers show [--json] FILE\n";
const char kImportUsage[] =
    "zr51a papers import FILE\n"
    "  Prints the records the driver stores for the file's papers and the blocks it skips.\n";

const char* UnitWord(uint32_t unit) { return unit == kUserPaperInches ? "inch" : "mm"; }

std::string SizeText(uint32_t value, uint32_t unit) {
    char16_t text[16];
    FormatFixedPoint(text, 16, static_cast<int32_t>(value), unit == kUserPaperInches ? 2 : 1, u".");
    return Utf8(text, 16);
}

const char* BlockWhy(ExchangeBlockResult r) {
    switch (r) {
        case kBlockMissing: return "the file ends before it";
        case kBlockTags: return "no \"RSsta\" at 0 or \"RSend\" at 95";
        case kBlockUnit: return "unit byte at 90 is neither '1' nor '2'";
        case kBlockSize: return "width or length does not read or lies outside the limits";
        case kBlockName: return "empty name";
        default: return "taken";
    }
}

// "NAME,WIDTH,LENGTH,UNIT" (the name may hold commas) into a record; 0 with why.
int ParsePaper(const std::string& arg, UserPaperRecord* out, std::string* why) {
    size_t c3 = arg.rfind(','), c2 = c3 == std::string::npos || c3 == 0 ? std::string::npos : arg.rfind(',', c3 - 1);
    size_t c1 = c2 == std::string::npos || c2 == 0 ? std::string::npos : arg.rfind(',', c2 - 1);
    if (c1 == std::string::npos) return *why = "--paper " + arg + ": expected NAME,WIDTH,LENGTH,mm|inch", 0;
    const std::string unitWord = arg.substr(c3 + 1);
    if (unitWord != "mm" && unitWord != "inch")
        return *why = "--paper " + arg + ": unit '" + unitWord + "' is neither mm nor inch", 0;
    const uint32_t unit = unitWord == "inch" ? kUserPaperInches : kUserPaperMillimetres;
    const std::u16string name = U16(arg.substr(0, c1));
    if (name.empty()) return *why = "--paper " + arg + ": empty name", 0;
    if (name.size() > kUserPaperNameChars) return *why = "--paper " + arg + ": name longer than 30 characters", 0;
    for (char16_t ch : name)
        if (ch > 0xFF) return *why = "--paper " + arg + ": the name has a character outside Latin-1", 0;
    int32_t v[2] = {};
    const std::string texts[2] = {arg.substr(c1 + 1, c2 - c1 - 1), arg.substr(c2 + 1, c3 - c2 - 1)};
    for (int i = 0; i < 2; i++)
        if (!ParseFixedPoint(U16(texts[i]).c_str(), &v[i], unit == kUserPaperInches ? 2 : 1, u"."))
            return *why = "--paper " + arg + ": '" + texts[i] + "' is not a size", 0;
    const PaperSizeLimits lim = ExchangeLimits(unit);
    if (v[0] < lim.widthMin || v[0] > lim.widthMax || v[1] < lim.lengthMin || v[1] > lim.lengthMax)
        return *why = "--paper " + arg + ": outside " + SizeText(lim.widthMin, unit) + ".." +
                      SizeText(lim.widthMax, unit) + " x " + SizeText(lim.lengthMin, unit) + ".." +
                      SizeText(lim.lengthMax, unit) + " " + unitWord,
               0;
    *out = MakeUserPaper(static_cast<uint32_t>(v[0]), static_cast<uint32_t>(v[1]), unit, name.c_str());
    return 1;
}

// The file read as the dialog's import reads it; 0 with why when nothing
// would be imported.
int ReadPapers(const std::string& path, ExchangeImport* in, std::string* why) {
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, &file, why)) return 0;
    ReadPaperExchangeFile(file.data(), file.size(), kLatin1Names, in);
    if (!in->headerOk)
        return *why = path + ": offset 0: no \"UDP_UserDefinitionPaper\" header, not a paper exchange file", 0;
    if (in->count <= 0) return *why = path + ": offset 80: paper count " + std::to_string(in->count) + ", nothing to import", 0;
    return 1;
}

// The blocks the driver would leave out, as lines of the result.
void ReportSkipped(const std::string& path, const ExchangeImport& in) {
    for (int b = 0; b < in.blocks; b++)
        if (in.block[b] != kTaken)
            std::printf("%s: block %d (offset %d) skipped: %s\n", path.c_str(), b + 1, (b + 1) * 100,
                        BlockWhy(in.block[b]));
}

}  // namespace

int PapersExport(int argc, char** argv) {
    const OptionSpec opts[] = {{"--paper", nullptr, kRepeatedValue}, {"--output", "-o", 1}, {"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 3, kExportUsage, &args); done >= 0) return done;
    const std::vector<std::string> given = args.All("--paper");
    if (given.empty() || !args.Has("--output") || !args.positional.empty())
        return UsageError("papers export needs at least one --paper and -o FILE", kExportUsage);
    if (given.size() > static_cast<size_t>(kUserPaperSlots)) return Refuse("more than 99 papers");
    std::vector<ExchangePaper> papers(given.size());
    std::string why;
    for (size_t i = 0; i < given.size(); i++) {
        papers[i].slot = static_cast<int>(i);
        if (!ParsePaper(given[i], &papers[i].record, &why)) return Refuse(why);
        for (size_t k = 0; k < i; k++)
            if (std::memcmp(papers[k].record.name, papers[i].record.name, sizeof papers[i].record.name) == 0)
                return Refuse("--paper " + given[i] + ": the name is given twice");
    }
    std::vector<uint8_t> file;
    WritePaperExchangeFile(papers.data(), static_cast<int>(papers.size()), kLatin1Names, &file);
    if (!WriteWholeFile(args.Get("--output"), file.data(), file.size(), &why)) return Refuse(why);
    std::printf("%s: %zu paper(s), %zu bytes\n", args.Get("--output").c_str(), papers.size(), file.size());
    return kExitOk;
}

int PapersShow(int argc, char** argv) {
    const OptionSpec opts[] = {{"--json", nullptr, 0}, {"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 2, kShowUsage, &args); done >= 0) return done;
    if (args.positional.size() != 1) return UsageError("papers show takes one FILE", kShowUsage);
    const std::string& path = args.positional[0];
    auto in = std::make_unique<ExchangeImport>();
    std::string why;
    if (!ReadPapers(path, in.get(), &why)) return Refuse(why);
    const bool json = args.Has("--json");
    if (!json) ReportSkipped(path, *in);
    if (json) std::printf("{\n  \"count\": %d,\n  \"papers\": [", in->count);
    for (int i = 0; i < in->taken; i++) {
        const UserPaperRecord& r = in->papers[i];
        const std::string name = Utf8(r.name, 32);
        if (json)
            std::printf("%s\n    {\"number\": %d, \"name\": %s, \"width\": \"%s\", \"length\": \"%s\", \"unit\": \"%s\"}",
                        i ? "," : "", in->number[i], JsonString(name).c_str(), SizeText(r.width, r.unit).c_str(),
                        SizeText(r.length, r.unit).c_str(), UnitWord(r.unit));
        else
            std::printf("%2d  %-30s  %s x %s %s\n", in->number[i], name.c_str(), SizeText(r.width, r.unit).c_str(),
                        SizeText(r.length, r.unit).c_str(), UnitWord(r.unit));
    }
    if (json) std::printf("%s]\n}\n", in->taken ? "\n  " : "");
    return kExitOk;
}

int PapersImport(int argc, char** argv) {
    const OptionSpec opts[] = {{"--help", "-h", 0}};
    Args args;
    if (int done = ParseSubcommand(argc, argv, opts, 1, kImportUsage, &args); done >= 0) return done;
    if (args.positional.size() != 1) return UsageError("papers import takes one FILE", kImportUsage);
    const std::string& path = args.positional[0];
    auto in = std::make_unique<ExchangeImport>();
    std::string why;
    if (!ReadPapers(path, in.get(), &why)) return Refuse(why);
    if (in->taken == 0) return Refuse(path + ": no block could be imported");
    ReportSkipped(path, *in);
    for (int i = 0; i < in->taken; i++) {
        const UserPaperRecord& r = in->papers[i];
        std::printf("\"%s\": width %u, length %u (%s), %u x %u dots (1/300 inch)\n", Utf8(r.name, 32).c_str(),
                    r.width, r.length, r.unit == kUserPaperInches ? "0.01 inch" : "0.1 mm", r.widthDots,
                    r.lengthDots);
    }
    return kExitOk;
}
