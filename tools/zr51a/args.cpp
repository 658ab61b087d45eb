#include <cstdio>
#include <cstring>

#include "zr51a.h"

int Args::Has(const char* name) const {
    for (const auto& o : options)
        if (o.first == name) return 1;
    return 0;
}

std::vector<std::string> Args::All(const char* name) const {
    std::vector<std::string> values;
    for (const auto& o : options)
        if (o.first == name) values.push_back(o.second);
    return values;
}

std::string Args::Get(const char* name) const {
    for (const auto& o : options)
        if (o.first == name) return o.second;
    return "";
}

int ParseArgs(int argc, char** argv, int first, const OptionSpec* known, int knownCount, Args* out, std::string* why) {
    bool onlyPositional = false;
    for (int i = first; i < argc; i++) {
        std::string a = argv[i];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            out->positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        size_t eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = a.substr(eq + 1);
            a = a.substr(0, eq);
            inlineValue = true;
        }
        const OptionSpec* match = nullptr;
        for (int k = 0; k < knownCount; k++)
            if (a == known[k].name || (known[k].alias && a == known[k].alias)) match = &known[k];
        if (!match) {
            *why = "unknown option " + a;
            return 0;
        }
        if (match->takesValue && !inlineValue) {
            if (i + 1 >= argc) {
                *why = std::string("option ") + match->name + " needs a value";
                return 0;
            }
            value = argv[++i];
        } else if (!match->takesValue && inlineValue) {
            *why = std::string("option ") + match->name + " takes no value";
            return 0;
        }
        if (out->Has(match->name) && match->takesValue != kRepeatedValue) {
            *why = std::string("option ") + match->name + " given twice";
            return 0;
        }
        out->options.emplace_back(match->name, value);
    }
    return 1;
}

int UsageError(const std::string& why, const char* usage) {
    std::fprintf(stderr, "zr51a: %s\nusage: %s", why.c_str(), usage);
    return kExitUsage;
}

int Refuse(const std::string& what) {
    std::fprintf(stderr, "zr51a: %s\n", what.c_str());
    return kExitRefused;
}

int ShowHelp(const char* usage) {
    std::fputs("usage: ", stdout);
    std::fputs(usage, stdout);
    return kExitOk;
}

int ParseSubcommand(int argc, char** argv, const OptionSpec* known, int knownCount, const char* usage, Args* out) {
    std::string why;
    if (!ParseArgs(argc, argv, 3, known, knownCount, out, &why)) return UsageError(why, usage);
    if (out->Has("--help")) return ShowHelp(usage);
    return -1;
}
