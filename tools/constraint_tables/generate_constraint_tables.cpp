// Turns the readable constraint tables (src/rules/tables/*.tbl) into the fixed
// arrays of src/rules/constraint_tables_generated.cpp.
//
//   generate_constraint_tables <tables-dir> <out.cpp>
//       writes out.cpp (left untouched when it already holds the same text)
//   generate_constraint_tables --check <tables-dir> <committed.cpp> <scratch.cpp>
//       writes scratch.cpp and fails when committed.cpp differs from it
//
// Every error is reported as file:line: message; any error fails the run and
// writes nothing. Row counts: every table file states its count once, in a
// `count N` line of its own, and is held to it here (nowhere else).
#include "../common/whole_file.h"
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kDormantCascadeRules = 35;
constexpr uint32_t kWholeFeature = 319;
constexpr const char* kRefresh = "cmake --build build/native --target constraint_tables";

int g_errors = 0;

void Error(const std::string& file, int line, const std::string& msg) {
    if (g_errors++ < 100) std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, msg.c_str());
}

struct Line {
    int number;        // first physical line
    std::string text;  // comment removed, continuations joined
    bool heading;      // "## ..." group heading
};

// Reads a table file into logical lines: `#` starts a comment outside quotes,
// a trailing backslash continues the line, "## " lines are headings.
bool ReadLines(const std::string& path, const std::string& name, std::vector<Line>& out) {
    std::ifstream in(path);
    if (!in) {
        Error(name, 0, "cannot open " + path);
        return false;
    }
    std::string raw;
    int number = 0;
    Line pending{0, "", false};
    bool continuing = false;
    while (std::getline(in, raw)) {
        number++;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (!continuing && raw.rfind("## ", 0) == 0) {
            out.push_back(Line{number, raw.substr(3), true});
            continue;
        }
        std::string text;
        bool quoted = false;
        for (char c : raw) {
            if (c == '"') quoted = !quoted;
            if (c == '#' && !quoted) break;
            text += c;
        }
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
        bool more = !text.empty() && text.back() == '\\';
        if (more) text.pop_back();
        if (!continuing) pending = Line{number, "", false};
        pending.text += ' ';
        pending.text += text;
        continuing = more;
        if (!continuing) {
            if (pending.text.find_first_not_of(" \t") != std::string::npos) out.push_back(pending);
        }
    }
    if (continuing) Error(name, pending.number, "line continues past the end of the file");
    return true;
}

std::vector<std::string> Words(const std::string& s) {
    std::vector<std::string> w;
    std::istringstream in(s);
    std::string t;
    while (in >> t) w.push_back(t);
    return w;
}

bool ParseNumber(const std::string& s, uint32_t& v) {
    if (s.empty() || s.size() > 10) return false;
    uint64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (n > 0xFFFFFFFFu) return false;
    v = static_cast<uint32_t>(n);
    return true;
}

// A `count N` line; returns 1 and sets n when the line is one.
int CountLine(const Line& l, const std::string& file, int& n) {
    std::vector<std::string> w = Words(l.text);
    if (w.empty() || w[0] != "count") return 0;
    uint32_t v = 0;
    if (w.size() != 2 || !ParseNumber(w[1], v)) Error(file, l.number, "expected `count <number>`");
    n = static_cast<int>(v);
    return 1;
}

struct Feature {
    uint32_t number;
    std::string name;
    uint32_t control;
};

struct CatalogRow {
    size_t feature;  // index into features
    uint32_t option;
    uint32_t value;
    std::string description;
};

struct Rule {
    int line;
    std::string source;
    std::vector<std::pair<uint32_t, uint32_t>> slots[8];
};

struct Table {
    std::string file;
    int slotCount = 0;
    int stated = -1;    // the file's `count` line, -1 when none
    std::vector<Rule> rules;
    std::vector<std::pair<size_t, std::string>> headings;  // before rule index
};

// A table's row count is the one its file states.
void HeldToCount(const std::string& file, int stated, size_t held, const char* what) {
    if (stated == -1) Error(file, 0, "states no `count N` line");
    else if (static_cast<int>(held) != stated)
        Error(file, 0, "holds " + std::to_string(held) + " " + what + ", its count line says " + std::to_string(stated));
}

std::vector<Feature> g_features;
std::map<std::string, size_t> g_featureByName;
std::vector<CatalogRow> g_catalog;

void ReadFeatures(const std::string& dir) {
    const std::string file = "features.tbl";
    std::vector<Line> lines;
    if (!ReadLines(dir + "/" + file, file, lines)) return;
    int stated = -1;
    std::map<uint32_t, int> numbers;
    for (const Line& l : lines) {
        if (l.heading || CountLine(l, file, stated)) continue;
        std::vector<std::string> w = Words(l.text);
        Feature f{};
        if (w.size() != 5 || w[0] != "feature" || w[3] != "control" || !ParseNumber(w[1], f.number) ||
            !ParseNumber(w[4], f.control)) {
            Error(file, l.number, "expected `feature <number> <name> control <control-id>`");
            continue;
        }
        f.name = w[2];
        if (g_featureByName.count(f.name)) Error(file, l.number, "feature name " + f.name + " used twice");
        if (numbers.count(f.number)) Error(file, l.number, "feature number " + w[1] + " used twice");
        numbers[f.number] = l.number;
        g_featureByName[f.name] = g_features.size();
        g_features.push_back(f);
    }
    HeldToCount(file, stated, g_features.size(), "features");
}

void ReadCatalog(const std::string& dir) {
    const std::string file = "catalogue.tbl";
    std::vector<Line> lines;
    if (!ReadLines(dir + "/" + file, file, lines)) return;
    int stated = -1;
    std::map<size_t, bool> seen;       // features whose rows have started
    size_t current = static_cast<size_t>(-1);
    uint32_t lastFresh = 0;            // last option number other than 14/15
    for (const Line& l : lines) {
        if (l.heading || CountLine(l, file, stated)) continue;
        // <name> option <n> = <value> ["description"]
        std::string text = l.text;
        std::string description;
        size_t quote = text.find('"');
        if (quote != std::string::npos) {
            size_t end = text.find('"', quote + 1);
            if (end == std::string::npos || text.find_first_not_of(" \t", end + 1) != std::string::npos) {
                Error(file, l.number, "unterminated description");
                continue;
            }
            description = text.substr(quote + 1, end - quote - 1);
            text = text.substr(0, quote);
        }
        std::vector<std::string> w = Words(text);
        CatalogRow r{};
        if (w.size() != 5 || w[1] != "option" || w[3] != "=" || !ParseNumber(w[2], r.option) ||
            !ParseNumber(w[4], r.value)) {
            Error(file, l.number, "expected `<feature> option <number> = <settings value>`");
            continue;
        }
        auto f = g_featureByName.find(w[0]);
        if (f == g_featureByName.end()) {
            Error(file, l.number, "unknown feature " + w[0]);
            continue;
        }
        r.feature = f->second;
        r.description = description;
        if (r.feature != current) {
            if (seen.count(r.feature)) Error(file, l.number, "rows of " + w[0] + " are not adjacent");
            seen[r.feature] = true;
            current = r.feature;
        } else if (!g_catalog.empty() && g_catalog.back().option >= r.option) {
            Error(file, l.number, "options of " + w[0] + " must increase");
        }
        if (r.option == kWholeFeature || r.option == 0)
            Error(file, l.number, "option " + w[2] + " is reserved");
        if ((r.option == 14 && r.value != 0) || (r.option == 15 && r.value != 1))
            Error(file, l.number, "option 14 is value 0 and option 15 value 1");
        if (r.option != 14 && r.option != 15) {
            if (r.option <= lastFresh) Error(file, l.number, "option numbers must increase through the file");
            lastFresh = r.option;
        }
        for (const CatalogRow& o : g_catalog)
            if (o.feature == r.feature && o.value == r.value)
                Error(file, l.number, w[0] + " value " + w[4] + " has a row already");
        g_catalog.push_back(r);
    }
    HeldToCount(file, stated, g_catalog.size(), "rows");
}

// One condition term `name=v[,v...]` into (feature, option) pairs.
void ParseTerm(const std::string& file, int line, const std::string& term, bool wholeFeature,
               std::vector<std::pair<uint32_t, uint32_t>>& out) {
    size_t eq = term.find('=');
    std::string name = wholeFeature ? term : term.substr(0, eq);
    auto f = g_featureByName.find(name);
    if (f == g_featureByName.end()) {
        Error(file, line, "unknown feature " + name);
        return;
    }
    const Feature& feature = g_features[f->second];
    if (wholeFeature) {
        if (eq != std::string::npos) Error(file, line, "disable takes feature names without values");
        else out.emplace_back(feature.number, kWholeFeature);
        return;
    }
    if (eq == std::string::npos || eq + 1 >= term.size()) {
        Error(file, line, "expected <feature>=<value>[,<value>...] in `" + term + "`");
        return;
    }
    std::string values = term.substr(eq + 1);
    size_t start = 0;
    while (start <= values.size()) {
        size_t comma = values.find(',', start);
        std::string v = values.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        uint32_t value = 0;
        if (!ParseNumber(v, value)) {
            Error(file, line, "bad value `" + v + "` for " + name);
        } else {
            const CatalogRow* row = nullptr;
            for (const CatalogRow& r : g_catalog)
                if (r.feature == f->second && r.value == value) {
                    row = &r;
                    break;
                }
            if (!row) Error(file, line, name + " has no catalogue row for value " + v);
            else out.emplace_back(feature.number, row->option);
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

struct Keyword {
    const char* word;
    int slot;
};

// Rule lines: keywords open lists; `set`/`remove`/`disable` is required.
void ReadRules(const std::string& dir, Table& t, const std::vector<Keyword>& keywords, const char* required,
               const std::vector<Keyword>& dormantKeywords) {
    std::vector<Line> lines;
    if (!ReadLines(dir + "/" + t.file, t.file, lines)) return;
    for (const Line& l : lines) {
        if (l.heading) {
            t.headings.emplace_back(t.rules.size(), l.text);
            continue;
        }
        if (CountLine(l, t.file, t.stated)) continue;
        std::vector<std::string> w = Words(l.text);
        Rule r;
        r.line = l.number;
        for (const std::string& word : w) r.source += (r.source.empty() ? "" : " ") + word;
        const std::vector<Keyword>* kw = &keywords;
        size_t i = 0;
        if (!dormantKeywords.empty() && w[0] == "dormant") {
            kw = &dormantKeywords;
            i = 1;
        }
        int slot = -1;
        bool whole = false;
        bool seen[8] = {};
        bool haveRequired = false;
        for (; i < w.size(); i++) {
            bool isKeyword = false;
            for (const Keyword& k : *kw)
                if (w[i] == k.word) {
                    isKeyword = true;
                    slot = k.slot;
                    whole = t.file == "disable.tbl" && slot == 0;
                    if (seen[slot]) Error(t.file, l.number, std::string("`") + k.word + "` appears twice");
                    seen[slot] = true;
                    if (w[i] == required) haveRequired = true;
                }
            if (isKeyword) continue;
            if (slot < 0) {
                Error(t.file, l.number, "`" + w[i] + "` is not a keyword here");
                break;
            }
            ParseTerm(t.file, l.number, w[i], whole, r.slots[slot]);
        }
        if (kw == &keywords && !haveRequired) Error(t.file, l.number, std::string("a rule needs `") + required + "`");
        for (int s = 0; s < 8; s++)
            if (seen[s] && r.slots[s].empty()) Error(t.file, l.number, "empty list after a keyword");
        t.rules.push_back(r);
    }
    HeldToCount(t.file, t.stated, t.rules.size(), "rules");
}

std::string Sanitize(const std::string& s) {
    std::string out;
    for (char c : s) out += (c == '\\' || c == '\n') ? '/' : c;
    return out;
}

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

void EmitRules(std::ostringstream& o, const Table& t, const char* prefix, size_t& pairBase,
               std::vector<std::pair<uint32_t, uint32_t>>& pool) {
    size_t n = t.rules.size();
    size_t h = 0;
    o << "const RulePair* const k" << prefix << "Lists[" << (n ? n : 1) << "][" << t.slotCount << "] = {\n";
    for (size_t i = 0; i < n; i++) {
        while (h < t.headings.size() && t.headings[h].first == i) o << "    // ## " << Sanitize(t.headings[h++].second) << "\n";
        const Rule& r = t.rules[i];
        o << "    // " << t.file << ":" << r.line << "  " << Sanitize(r.source) << "\n    {";
        for (int s = 0; s < t.slotCount; s++) {
            if (s) o << ", ";
            if (r.slots[s].empty()) {
                o << "nullptr";
            } else {
                o << "kPairs + " << pairBase;
                pairBase += r.slots[s].size();
                pool.insert(pool.end(), r.slots[s].begin(), r.slots[s].end());
            }
        }
        o << "},\n";
    }
    if (!n) o << "    {},\n";
    o << "};\n";
    o << "constexpr uint32_t k" << prefix << "Counts[" << (n ? n : 1) << "][" << t.slotCount << "] = {\n";
    for (size_t i = 0; i < n; i++) {
        o << "    {";
        for (int s = 0; s < t.slotCount; s++) o << (s ? ", " : "") << t.rules[i].slots[s].size();
        o << "},\n";
    }
    if (!n) o << "    {},\n";
    o << "};\n";
    o << "constexpr uint16_t k" << prefix << "Lines[" << (n ? n : 1) << "] = {";
    for (size_t i = 0; i < n; i++) o << (i % 16 ? " " : "\n    ") << t.rules[i].line << ",";
    if (!n) o << "0";
    o << "\n};\n\n";
}

std::string Generate(const Table& cascade, const Table& removal, const Table& disable) {
    std::ostringstream o;
    auto status = [](const Table& t) {
        return std::to_string(t.rules.size()) + (t.stated == -1 ? " (count not yet enforced)" : " (exact)");
    };
    o << "// Generated by tools/constraint_tables from src/rules/tables/*.tbl: do not edit.\n"
         "// Change the .tbl files and run\n"
         "//   " << kRefresh << "\n"
         "// (a native ctest fails while this file is stale).\n"
         "// Rows: map " << g_features.size() << ", catalogue " << g_catalog.size() << ", cascade "
      << status(cascade) << ", removal " << status(removal) << ", disable " << status(disable) << ".\n"
         "// The map and the catalogue are always held to their exact counts; a rule\n"
         "// file is held to its count once it states `count N` in a line of its own.\n"
         "#include \"rules/constraint_tables.h\"\n\n"
         "namespace {\n\n";
    o << "constexpr OptionCatalogRow kCatalog[" << g_catalog.size() << "] = {\n";
    for (const CatalogRow& r : g_catalog) {
        const Feature& f = g_features[r.feature];
        o << "    {" << f.control << ", " << f.number << ", " << r.option << ", " << r.value << ", \"" << Escape(f.name)
          << "\"},";
        if (!r.description.empty()) o << "  // " << Sanitize(r.description);
        o << "\n";
    }
    o << "};\n\n";
    o << "constexpr FeatureControlRow kFeatureMap[" << g_features.size() << "] = {\n";
    for (const Feature& f : g_features) o << "    {" << f.number << ", " << f.control << "},  // " << f.name << "\n";
    o << "};\n\n";
    o << "const char* const kFeatureNames[" << g_features.size() << "] = {\n";
    for (const Feature& f : g_features) o << "    \"" << Escape(f.name) << "\",\n";
    o << "};\n\n";

    std::ostringstream rules;
    std::vector<std::pair<uint32_t, uint32_t>> pool;
    size_t base = 0;
    EmitRules(rules, cascade, "Cascade", base, pool);
    EmitRules(rules, removal, "Removal", base, pool);
    EmitRules(rules, disable, "Disable", base, pool);
    // Every rule list is a slice of one pool of pairs.
    o << "constexpr RulePair kPairs[" << (pool.empty() ? 1 : pool.size()) << "] = {";
    for (size_t i = 0; i < pool.size(); i++)
        o << (i % 8 ? " " : "\n    ") << "{" << pool[i].first << ", " << pool[i].second << "},";
    if (pool.empty()) o << "{0, 0}";
    o << "\n};\n\n";
    o << rules.str();
    o << "const ConstraintTables kTables = {\n"
         "    kCatalog, " << g_catalog.size() << ",\n"
         "    kFeatureMap, " << g_features.size() << ",\n"
         "    kCascadeLists, kCascadeCounts, " << cascade.rules.size() << ",\n"
         "    kRemovalLists, kRemovalCounts, " << removal.rules.size() << ",\n"
         "    kDisableLists, kDisableCounts, " << disable.rules.size() << ",\n"
         "    kFeatureNames, kCascadeLines, kRemovalLines, kDisableLines,\n"
         "};\n\n"
         "}  // namespace\n\n"
         "const ConstraintTables& DefaultConstraintTables() { return kTables; }\n";
    return o.str();
}

}  // namespace

int main(int argc, char** argv) {
    bool check = argc == 5 && std::string(argv[1]) == "--check";
    if (!check && argc != 3) {
        std::fprintf(stderr, "usage: %s <tables-dir> <out.cpp>\n       %s --check <tables-dir> <committed.cpp> <scratch.cpp>\n",
                     argv[0], argv[0]);
        return 2;
    }
    std::string dir = argv[check ? 2 : 1];
    ReadFeatures(dir);
    ReadCatalog(dir);
    Table cascade, removal, disable;
    cascade.file = "cascade.tbl", cascade.slotCount = 8;
    removal.file = "removal.tbl", removal.slotCount = 6;
    disable.file = "disable.tbl", disable.slotCount = 4;
    ReadRules(dir, cascade, {{"when", 0}, {"if", 2}, {"unless", 3}, {"also", 4}, {"set", 6}}, "set",
              {{"slot1", 1}, {"if", 2}, {"also", 4}, {"slot7", 7}});
    ReadRules(dir, removal, {{"if", 2}, {"unless", 3}, {"also", 4}, {"remove", 0}}, "remove", {});
    ReadRules(dir, disable, {{"if", 1}, {"also", 2}, {"and", 3}, {"disable", 0}}, "disable", {});
    int dormant = 0;
    for (const Rule& r : cascade.rules) {
        if (r.slots[0].empty()) dormant++;
        else if (r.slots[6].empty()) Error(cascade.file, r.line, "a cascade rule needs a trigger and a set list");
    }
    if (cascade.stated != -1 && dormant != kDormantCascadeRules)
        Error(cascade.file, 0, "holds " + std::to_string(dormant) + " dormant rules, the table has " +
                                   std::to_string(kDormantCascadeRules));
    if (g_errors) {
        std::fprintf(stderr, "%d error(s); nothing written\n", g_errors);
        return 1;
    }
    for (const Table* t : {&cascade, &removal, &disable})
        std::printf("%s: %zu rules%s\n", t->file.c_str(), t->rules.size(),
                    t->stated == -1 ? " (no count line yet: count not enforced)" : "");
    std::string text = Generate(cascade, removal, disable);
    std::string out = argv[check ? 4 : 2];
    std::string old;
    if (!WriteWhole(out, text)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    if (check) {
        std::string committed;
        if (!ReadWhole(argv[3], committed) || committed != text) {
            std::fprintf(stderr, "%s is stale; refresh it with\n  %s\n", argv[3], kRefresh);
            return 1;
        }
        std::printf("%s is up to date\n", argv[3]);
    }
    return 0;
}
