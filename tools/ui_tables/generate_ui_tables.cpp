// Turns the page tables (src/ui/tables/controls.tbl and strings.tbl) into the
// committed files that the resource module, the constraint engine and the
// tests share, so that each control is declared once:
//   resources/control_ids_generated.h    IDD_/IDC_/IDS_ defines (windres and C++)
//   resources/pages_generated.rc         the page templates, texts as T_ macros
//   resources/strings_generated.rc       the string table, texts as T_ macros
//   resources/lang/text_en_generated.h   the English T_ macros
//   resources/lang/text_undef_generated.h  their #undef lines
//   src/rules/control_fields_generated.cpp  settings pairs, forced options, fields
//   src/ui/control_table_generated.cpp   pages and controls for code and tests
//
//   generate_ui_tables <source-root>
//       writes the files (each left untouched when it already holds the text)
//   generate_ui_tables --check <source-root> <scratch-dir>
//       writes them into scratch-dir and fails when a committed one differs
//
// Every translation (resources/lang/text_<lang>.h, not generated) must define
// exactly the T_ macros of strings.tbl; a missing or unknown one is an error.
#include "../common/whole_file.h"
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSettingsPairs = 94;
constexpr const char* kRefresh = "cmake --build build/native --target ui_tables";

int g_errors = 0;

void Error(const std::string& file, int line, const std::string& msg) {
    if (g_errors++ < 100) std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, msg.c_str());
}

struct Text {
    int id;
    std::string symbol, english;
};

struct Page {
    int id, width, height, like = 0;
    bool dialog = false;  // a modal sub-dialog with OK and Cancel, not a tab
    bool panel = false;   // a child panel a dialog shows in its own tab control
    std::string symbol, caption;
};

struct Control {
    int line = 0;
    int id = -1;  // -1: a label without an id
    std::string symbol, kind, text, field, fieldMode, textField, list;
    int page = 0;  // 0: no template
    int x = 0, y = 0, w = 0, h = 0;
    bool placed = false, forced = false, pairZero = false;
    int pair = -1, picture = 0;
    int sets = -1;  // the value a radio button stands for, -1 when none
    bool ranged = false;  // a spin's range and decimal places
    int low = 0, high = 0, decimals = 0;
    int buddy = 0;  // a spin's edit: the control declared just before it
};

std::vector<Text> g_texts;
std::map<std::string, int> g_textBySymbol;
struct OptionText {
    std::string list, text;
    int value = 0;
};
std::vector<OptionText> g_optionTexts;
std::vector<Page> g_pages;
std::vector<Control> g_controls;
std::set<int> g_emptySlots;

const std::set<std::string> kKinds = {"label",  "group",    "text",   "combo",   "piccombo",  "check",
                                      "radio",  "picradio", "edit",   "password", "spin",     "button",
                                      "picture", "separator", "preview", "scrollbar", "thumbnails", "details",
                                      "trackbar", "feature", "listbox", "tabs"};

std::vector<std::string> Split(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

bool ToInt(const std::string& s, int& v) {
    if (s.empty()) return false;
    size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (size_t k = i; k < s.size(); k++)
        if (s[k] < '0' || s[k] > '9') return false;
    v = std::stoi(s);
    return true;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path);
    if (!in) return false;
    std::string l;
    while (std::getline(in, l)) lines.push_back(l);
    return true;
}

void ReadStrings(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return Error(path, 0, "cannot read");
    for (size_t n = 0; n < lines.size(); n++) {
        const std::string& l = lines[n];
        if (l.empty() || l[0] == '#') continue;
        size_t q = l.find('"');
        std::vector<std::string> w = Split(l.substr(0, q));
        Text t;
        if (w.size() != 3 || w[0] != "string" || !ToInt(w[1], t.id) || q == std::string::npos || l.back() != '"' ||
            q + 1 >= l.size()) {
            Error(path, int(n + 1), "expected: string <id> <SYMBOL> \"<text>\"");
            continue;
        }
        t.symbol = w[2];
        t.english = l.substr(q + 1, l.size() - q - 2);
        if (t.english.find('"') != std::string::npos || t.english.find('\\') != std::string::npos)
            Error(path, int(n + 1), "a text holds no quote or backslash");
        if (t.id <= 0 || t.id > 65535) Error(path, int(n + 1), "string id out of range");
        if (g_textBySymbol.count(t.symbol)) Error(path, int(n + 1), "symbol " + t.symbol + " declared twice");
        for (const Text& o : g_texts)
            if (o.id == t.id) Error(path, int(n + 1), "string id " + w[1] + " declared twice");
        g_textBySymbol[t.symbol] = int(g_texts.size());
        g_texts.push_back(t);
    }
}

void NeedText(const std::string& path, int line, const std::string& symbol) {
    if (!symbol.empty() && !g_textBySymbol.count(symbol)) Error(path, line, "unknown text " + symbol);
}

void ReadControls(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return Error(path, 0, "cannot read");
    std::set<std::string> symbols;
    for (size_t n = 0; n < lines.size(); n++) {
        int ln = int(n + 1);
        std::vector<std::string> w = Split(lines[n]);
        if (w.empty() || w[0][0] == '#') continue;
        if (w[0] == "slot") {
            int s;
            if (w.size() != 3 || !ToInt(w[1], s) || w[2] != "empty") Error(path, ln, "expected: slot <n> empty");
            else g_emptySlots.insert(s);
            continue;
        }
        if (w[0] == "option") {
            OptionText o;
            if (w.size() != 4 || !ToInt(w[2], o.value) || o.value < 0) {
                Error(path, ln, "expected: option <list> <value> <text>");
                continue;
            }
            o.list = w[1];
            o.text = w[3];
            NeedText(path, ln, o.text);
            g_optionTexts.push_back(o);
            continue;
        }
        if (w[0] == "page" || w[0] == "dialog" || w[0] == "panel") {
            Page p;
            p.dialog = w[0] == "dialog";
            p.panel = w[0] == "panel";
            if ((w.size() != 7 && w.size() != 9) || !ToInt(w[1], p.id) || !ToInt(w[3], p.width) ||
                !ToInt(w[4], p.height) || w[5] != "caption" || (w.size() == 9 && (w[7] != "like" || !ToInt(w[8], p.like)))) {
                Error(path, ln, "expected: page|dialog|panel <template> <symbol> <width> <height> caption <text> [like <template>]");
                continue;
            }
            p.symbol = w[2];
            p.caption = w[6];
            NeedText(path, ln, p.caption);
            g_pages.push_back(p);
            continue;
        }
        Control c;
        c.line = ln;
        if (w[0] != "control" || w.size() < 5) {
            Error(path, ln, "expected a page, control or slot row");
            continue;
        }
        if (w[1] != "-" && (!ToInt(w[1], c.id) || c.id <= 0 || c.id > 65535)) Error(path, ln, "bad control id");
        c.symbol = w[2];
        if (!symbols.insert(c.symbol).second) Error(path, ln, "symbol " + c.symbol + " declared twice");
        if (w[3] != "-" && !ToInt(w[3], c.page)) Error(path, ln, "bad template");
        c.kind = w[4];
        if (!kKinds.count(c.kind)) Error(path, ln, "unknown kind " + c.kind);
        for (size_t i = 5; i < w.size(); i++) {
            const std::string& k = w[i];
            bool more = i + 1 < w.size();
            if (k == "at" && i + 4 < w.size()) {
                c.placed = ToInt(w[i + 1], c.x) && ToInt(w[i + 2], c.y) && ToInt(w[i + 3], c.w) && ToInt(w[i + 4], c.h);
                if (!c.placed) Error(path, ln, "at needs four numbers");
                i += 4;
            } else if (k == "text" && more) {
                c.text = w[++i];
                NeedText(path, ln, c.text);
            } else if (k == "field" && more) {
                c.field = w[++i];
                if (i + 1 < w.size() && (w[i + 1] == "signed16" || w[i + 1] == "imagemode" || w[i + 1] == "imagequality"))
                    c.fieldMode = w[++i];
            } else if (k == "textfield" && more) {
                c.textField = w[++i];
            } else if (k == "list" && more) {
                c.list = w[++i];
            } else if (k == "sets" && more) {
                if (!ToInt(w[++i], c.sets) || c.sets < 0) Error(path, ln, "bad radio value");
            } else if (k == "range" && i + 2 < w.size()) {
                c.ranged = ToInt(w[i + 1], c.low) && ToInt(w[i + 2], c.high) && c.low < c.high;
                if (!c.ranged) Error(path, ln, "range needs a low and a higher high");
                i += 2;
            } else if (k == "decimals" && more) {
                if (!ToInt(w[++i], c.decimals) || c.decimals < 0 || c.decimals > 3) Error(path, ln, "decimals are 0 to 3");
            } else if (k == "image" && more) {
                if (!ToInt(w[++i], c.picture)) Error(path, ln, "bad picture id");
            } else if (k == "pair" && more) {
                if (!ToInt(w[++i], c.pair) || c.pair < 0 || c.pair >= kSettingsPairs) Error(path, ln, "bad pair index");
                if (i + 1 < w.size() && w[i + 1] == "zero") c.pairZero = true, i++;
            } else if (k == "forced") {
                c.forced = true;
            } else {
                Error(path, ln, "unexpected " + k);
            }
        }
        bool field = !c.field.empty();
        if (field && c.field != "duplex" && c.field != "binding" && c.field.rfind("P:", 0) != 0 &&
            c.field.rfind("E:", 0) != 0)
            Error(path, ln, "a field is P:<name>, E:<name>, duplex or binding");
        if (!c.textField.empty() && c.textField.rfind("P:", 0) != 0 && c.textField.rfind("E:", 0) != 0)
            Error(path, ln, "a text field is P:<name> or E:<name>");
        if (c.forced && !field) Error(path, ln, "a forced option needs a field");
        if (c.pair >= 0 && !field && !c.pairZero) Error(path, ln, "a settings pair needs a field or zero");
        if (c.kind == "feature" ? c.placed : (!c.placed || c.page == 0))
            Error(path, ln, "a control has a template and a place; a feature has neither place nor kind of control");
        if (c.kind == "label" && c.id < 0 && c.text.empty()) Error(path, ln, "a label without an id needs a text");
        if (c.id < 0 && c.kind != "label" && c.kind != "group") Error(path, ln, "only labels and groups go without an id");
        if ((c.ranged || c.decimals) && c.kind != "spin") Error(path, ln, "only a spin has a range");
        if (c.ranged) {
            // The up-down takes the control before it as its buddy.
            if (g_controls.empty() || g_controls.back().kind != "edit" || g_controls.back().page != c.page)
                Error(path, ln, "a spin with a range follows its edit");
            else
                c.buddy = g_controls.back().id;
        }
        g_controls.push_back(c);
    }
    std::set<std::pair<int, int>> ids;
    for (const Control& c : g_controls) {
        if (c.id > 0 && !ids.insert({c.page, c.id}).second)
            Error(path, c.line, "control " + std::to_string(c.id) + " declared twice in its template");
        bool pageKnown = c.kind == "feature";
        for (const Page& p : g_pages)
            if (p.id == c.page && !p.like) pageKnown = true;
        if (!pageKnown) Error(path, c.line, "template " + std::to_string(c.page) + " is not a page of its own");
    }
    for (const Page& p : g_pages) {
        bool found = false;
        for (const Page& o : g_pages)
            if (o.id == p.like && !o.like) found = true;
        if (p.like && !found) Error(path, 0, "page " + std::to_string(p.id) + " is like an unknown page");
    }
    for (int i = 0; i < kSettingsPairs; i++) {
        int n = int(g_emptySlots.count(i));
        for (const Control& c : g_controls) n += c.pair == i;
        if (n != 1) Error(path, 0, "settings pair " + std::to_string(i) + " is declared " + std::to_string(n) + " times");
    }
}

void ReadTranslation(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return Error(path, 0, "cannot read");
    std::set<std::string> seen;
    for (size_t n = 0; n < lines.size(); n++) {
        std::vector<std::string> w = Split(lines[n]);
        if (w.size() < 3 || w[0] != "#define" || w[1].rfind("T_", 0) != 0) continue;
        std::string sym = w[1].substr(2);
        if (!g_textBySymbol.count(sym)) Error(path, int(n + 1), "T_" + sym + " is not in strings.tbl");
        if (!seen.insert(sym).second) Error(path, int(n + 1), "T_" + sym + " defined twice");
    }
    for (const Text& t : g_texts)
        if (!seen.count(t.symbol)) Error(path, 0, "T_" + t.symbol + " is missing");
}

const char* kHeader = "// Generated by tools/ui_tables/generate_ui_tables.cpp from src/ui/tables; do not edit.\n";

std::string IdsHeader() {
    std::ostringstream o;
    o << kHeader << "// Identifiers shared by the resource scripts and the code.\n"
      << "#ifndef ZR51_CONTROL_IDS_GENERATED_H\n#define ZR51_CONTROL_IDS_GENERATED_H\n\n";
    for (const Page& p : g_pages) o << "#define IDD_" << p.symbol << " " << p.id << "\n";
    o << "\n";
    for (const Control& c : g_controls)
        if (c.id > 0) o << "#define IDC_" << c.symbol << " " << c.id << "\n";
    o << "\n";
    for (const Text& t : g_texts) o << "#define IDS_" << t.symbol << " " << t.id << "\n";
    o << "\n#endif\n";
    return o.str();
}

std::string StyleOf(const Control& c, bool groupStart, std::string& cls) {
    const std::string& k = c.kind;
    cls = "Button";
    if (k == "label") return cls = "Static", "SS_LEFT";
    // A text that shows a stored path is drawn by the page, keeping the path's end in view.
    if (k == "text" && !c.textField.empty()) return cls = "Static", "SS_OWNERDRAW";
    if (k == "text") return cls = "Static", "SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS";
    if (k == "picture" || k == "separator" || k == "preview") return cls = "Static", "SS_OWNERDRAW";
    if (k == "group") return "BS_GROUPBOX";
    if (k == "check") return "BS_AUTOCHECKBOX | WS_TABSTOP";
    if (k == "button") return "BS_PUSHBUTTON | WS_TABSTOP";
    if (k == "radio") return groupStart ? "BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP" : "BS_AUTORADIOBUTTON";
    if (k == "picradio") return groupStart ? "BS_OWNERDRAW | WS_GROUP | WS_TABSTOP" : "BS_OWNERDRAW";
    if (k == "combo") return cls = "ComboBox", "CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP";
    if (k == "piccombo")
        return cls = "ComboBox", "CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP";
    if (k == "edit") return cls = "Edit", "ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP";
    if (k == "password") return cls = "Edit", "ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP";
    if (k == "spin")  // the numeric spin edit writes the edit's text itself (decimals, clamping while typed)
        return cls = "msctls_updown32", "UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS";
    if (k == "scrollbar") return cls = "ScrollBar", "SBS_VERT";
    if (k == "listbox")
        return cls = "ListBox", "LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP";
    if (k == "trackbar") return cls = "msctls_trackbar32", "TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP";
    if (k == "tabs") return cls = "SysTabControl32", "WS_CLIPSIBLINGS | WS_TABSTOP";
    // The favourites' cells are drawn by the page, three to a row.
    if (k == "thumbnails")
        return cls = "SysListView32",
               "LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP";
    return cls = "SysListView32", "LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP";
}

std::string PagesRc() {
    std::ostringstream o;
    o << kHeader << "// The page templates, included once per language; T_ macros hold the words.\n";
    for (const Page& p : g_pages) {
        int layout = p.like ? p.like : p.id;
        o << "\nIDD_" << p.symbol << " DIALOGEX 0, 0, " << p.width << ", " << p.height << "\n"
          << (p.dialog  ? "STYLE DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
              : p.panel ? "STYLE DS_SHELLFONT | DS_CONTROL | WS_CHILD\n"
                        : "STYLE DS_SHELLFONT | DS_CONTROL | WS_CHILD | WS_DISABLED | WS_CAPTION\n")
          << "CAPTION T_" << p.caption << "\nFONT 8, \"MS Shell Dlg\", 0, 0, 0x1\nBEGIN\n";
        std::string previous;
        for (const Control& c : g_controls) {
            if (c.page != layout || c.kind == "feature") continue;
            std::string cls;
            bool groupStart = (c.kind == "radio" || c.kind == "picradio") && previous != c.kind;
            std::string style = StyleOf(c, groupStart, cls);
            // The control after a run of radio buttons ends their group, so
            // that check boxes that follow never join it.
            bool groupEnd = (previous == "radio" || previous == "picradio") && previous != c.kind;
            if (groupEnd && style.find("WS_GROUP") == std::string::npos) style += " | WS_GROUP";
            previous = c.kind;
            o << "    CONTROL " << (c.text.empty() ? "\"\"" : "T_" + c.text) << ", "
              << (c.id > 0 ? "IDC_" + c.symbol : std::string("-1")) << ", \"" << cls << "\", " << style << ", "
              << c.x << ", " << c.y << ", " << c.w << ", " << c.h << "\n";
        }
        // A sub-dialog ends with OK (IDOK) and Cancel (IDCANCEL) in its bottom right corner.
        if (p.dialog)
            o << "    CONTROL T_OK, 1, \"Button\", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, " << p.width - 114 << ", "
              << p.height - 21 << ", 50, 14\n    CONTROL T_CANCEL, 2, \"Button\", BS_PUSHBUTTON | WS_TABSTOP, "
              << p.width - 57 << ", " << p.height - 21 << ", 50, 14\n";
        o << "END\n";
    }
    return o.str();
}

std::string StringsRc() {
    std::ostringstream o;
    o << kHeader << "// The string table, included once per language; T_ macros hold the words.\n\nSTRINGTABLE\nBEGIN\n";
    for (const Text& t : g_texts) o << "    IDS_" << t.symbol << ", T_" << t.symbol << "\n";
    o << "END\n";
    return o.str();
}

std::string EnglishTexts() {
    std::ostringstream o;
    o << kHeader << "// The English words (strings.tbl); every other language defines the same T_ macros.\n";
    for (const Text& t : g_texts) o << "#define T_" << t.symbol << " \"" << t.english << "\"\n";
    return o.str();
}

std::string UndefTexts() {
    std::ostringstream o;
    o << kHeader << "// Ends one language's words so that the next language can define its own.\n";
    for (const Text& t : g_texts) o << "#undef T_" << t.symbol << "\n";
    return o.str();
}

std::string FieldRow(const Control& c) {
    std::string id = std::to_string(c.id);
    if (c.field == "duplex") return "ControlField{" + id + ", kDuplexField, 0, 0}";
    if (c.field == "binding") return "ControlField{" + id + ", kBindingField, 0, 0}";
    std::string record = c.field[0] == 'P' ? "PrivateSettings" : "PrinterEnvironment";
    std::string name = c.field.substr(2);
    if (!c.fieldMode.empty()) {
        std::string place = c.fieldMode == "signed16" ? "kSigned16Field" : c.fieldMode == "imagemode" ? "kImageModeField"
                                                                                                  : "kImageQualityField";
        return "ControlField{" + id + ", " + place + ", offsetof(" + record + ", " + name + "), sizeof(" + record +
               "::" + name + ")}";
    }
    return std::string(c.field[0] == 'P' ? "ZR_PRIVATE_FIELD(" : "ZR_ENVIRONMENT_FIELD(") + id + ", " + name + ")";
}

std::string FieldsCpp() {
    std::ostringstream o;
    o << kHeader << "// Where each control's value lives: the settings pairs in their fixed order, the\n"
      << "// targets of forced options, every field a page edits, and the text fields.\n"
      << "#include \"rules/constraint_engine.h\"\n#include \"rules/control_fields.h\"\n\n";
    o << "const ControlField kSettingsPairFields[kSettingsPairCount] = {\n";
    for (int i = 0; i < kSettingsPairs; i++) {
        for (const Control& c : g_controls)
            if (c.pair == i)
                o << "    " << (c.pairZero ? "ControlField{" + std::to_string(c.id) + ", kNoField, 0, 0}" : FieldRow(c))
                  << ",\n";
        if (g_emptySlots.count(i)) o << "    ControlField{0, kNoField, 0, 0},\n";
    }
    o << "};\n\nconst ControlField kForcedOptionFields[] = {\n";
    int forced = 0;
    for (const Control& c : g_controls)
        if (c.forced) o << "    " << FieldRow(c) << ",\n", forced++;
    o << "};\nconst int kForcedOptionFieldCount = " << forced << ";\n\nconst ControlField kControlFields[] = {\n";
    int fields = 0;
    for (const Control& c : g_controls)
        if (!c.field.empty() && c.kind != "feature") o << "    " << FieldRow(c) << ",\n", fields++;
    o << "};\nconst int kControlFieldCount = " << fields << ";\n\nconst ControlText kControlTexts[] = {\n";
    int texts = 0;
    for (const Control& c : g_controls) {
        if (c.textField.empty()) continue;
        std::string record = c.textField[0] == 'P' ? "PrivateSettings" : "PrinterEnvironment";
        std::string name = c.textField.substr(2);
        o << "    ControlText{" << c.id << ", " << (c.textField[0] == 'P' ? "kPrivateField" : "kEnvironmentField")
          << ", offsetof(" << record << ", " << name << "), sizeof(" << record << "::" << name << ")},\n";
        texts++;
    }
    o << "};\nconst int kControlTextCount = " << texts << ";\n";
    return o.str();
}

std::string ControlTableCpp() {
    std::ostringstream o;
    o << kHeader << "#include \"ui/control_table.h\"\n\nconst PageRow kPageRows[] = {\n";
    for (const Page& p : g_pages)
        o << "    {" << p.id << ", " << (p.like ? p.like : p.id) << ", " << g_texts[g_textBySymbol[p.caption]].id
          << ", \"" << p.symbol << "\"},\n";
    o << "};\nconst int kPageRowCount = " << g_pages.size() << ";\n\nconst ControlRow kControlRows[] = {\n";
    int n = 0;
    for (const Control& c : g_controls) {
        if (c.id <= 0) continue;
        std::string kind = c.kind;
        kind[0] = char(kind[0] - 'a' + 'A');
        o << "    {" << c.id << ", " << c.page << ", k" << kind << "Control, "
          << (c.text.empty() ? 0 : g_texts[g_textBySymbol[c.text]].id) << ", " << c.picture << ", \"" << c.symbol
          << "\"},\n";
        n++;
    }
    o << "};\nconst int kControlRowCount = " << n << ";\n\nconst ControlListRow kControlListRows[] = {\n";
    int lists = 0;
    for (const Control& c : g_controls) {
        if (c.id <= 0 || c.list.empty()) continue;
        o << "    {" << c.id << ", \"" << c.list << "\"},\n";
        lists++;
    }
    o << "};\nconst int kControlListRowCount = " << lists << ";\n\nconst RadioValueRow kRadioValueRows[] = {\n";
    int radios = 0;
    for (const Control& c : g_controls) {
        if (c.id <= 0 || c.sets < 0) continue;
        o << "    {" << c.id << ", " << c.sets << "},\n";
        radios++;
    }
    o << "};\nconst int kRadioValueRowCount = " << radios << ";\n\nconst SpinRangeRow kSpinRangeRows[] = {\n";
    int spins = 0;
    for (const Control& c : g_controls) {
        if (!c.ranged) continue;
        o << "    {" << c.id << ", " << c.buddy << ", " << c.page << ", " << c.low << ", " << c.high << ", " << c.decimals
          << "},\n";
        spins++;
    }
    o << "};\nconst int kSpinRangeRowCount = " << spins << ";\n\nconst OptionTextRow kOptionTextRows[] = {\n";
    for (const OptionText& t : g_optionTexts)
        o << "    {\"" << t.list << "\", " << t.value << ", " << g_texts[g_textBySymbol[t.text]].id << "},\n";
    o << "};\nconst int kOptionTextRowCount = " << g_optionTexts.size() << ";\n\nconst StringTextRow kStringTextRows[] = {\n";
    for (const Text& t : g_texts) o << "    {" << t.id << ", \"" << t.english << "\"},\n";
    o << "};\nconst int kStringTextRowCount = " << g_texts.size() << ";\n\nconst LayoutRow kLayoutRows[] = {\n";
    int placed = 0;
    for (const Control& c : g_controls) {
        if (c.kind == "feature") continue;
        std::string kind = c.kind;
        kind[0] = char(kind[0] - 'a' + 'A');
        o << "    {" << c.page << ", " << (c.id > 0 ? c.id : 0) << ", k" << kind << "Control, " << c.x << ", " << c.y
          << ", " << c.w << ", " << c.h << ", " << (c.text.empty() ? 0 : g_texts[g_textBySymbol[c.text]].id) << ", \""
          << c.symbol << "\"},\n";
        placed++;
    }
    o << "};\nconst int kLayoutRowCount = " << placed << ";\n";
    return o.str();
}

}  // namespace

int main(int argc, char** argv) {
    bool check = argc == 4 && std::string(argv[1]) == "--check";
    if (!check && argc != 2) {
        std::fprintf(stderr, "usage: %s <source-root>\n       %s --check <source-root> <scratch-dir>\n", argv[0],
                     argv[0]);
        return 2;
    }
    std::string root = argv[check ? 2 : 1];
    ReadStrings(root + "/src/ui/tables/strings.tbl");
    ReadControls(root + "/src/ui/tables/controls.tbl");
    std::set<std::string> translations;
    for (const auto& e : std::filesystem::directory_iterator(root + "/resources/lang")) {
        std::string name = e.path().filename().string();
        if (name.rfind("text_", 0) == 0 && name.size() > 2 && name.substr(name.size() - 2) == ".h" &&
            name.find("generated") == std::string::npos)
            translations.insert(e.path().string());
    }
    for (const Page& p : g_pages)
        if (p.dialog) NeedText("controls.tbl", 0, "OK"), NeedText("controls.tbl", 0, "CANCEL");
    for (const std::string& t : translations) ReadTranslation(t);
    if (g_errors) {
        std::fprintf(stderr, "%d error(s); nothing written\n", g_errors);
        return 1;
    }
    const std::pair<std::string, std::string> files[] = {
        {"resources/control_ids_generated.h", IdsHeader()},
        {"resources/pages_generated.rc", PagesRc()},
        {"resources/strings_generated.rc", StringsRc()},
        {"resources/lang/text_en_generated.h", EnglishTexts()},
        {"resources/lang/text_undef_generated.h", UndefTexts()},
        {"src/rules/control_fields_generated.cpp", FieldsCpp()},
        {"src/ui/control_table_generated.cpp", ControlTableCpp()},
    };
    int stale = 0;
    for (const auto& [name, text] : files) {
        std::string committed = root + "/" + name;
        std::string target = check ? std::string(argv[3]) + "/" + name.substr(name.rfind('/') + 1) : committed;
        if (!WriteWhole(target, text)) {
            std::fprintf(stderr, "cannot write %s\n", target.c_str());
            return 1;
        }
        std::string old;
        if (check && !(ReadWhole(committed, old) && old == text)) {
            std::fprintf(stderr, "%s is stale\n", name.c_str());
            stale++;
        }
    }
    if (stale) {
        std::fprintf(stderr, "refresh with\n  %s\n", kRefresh);
        return 1;
    }
    std::printf("%zu pages, %zu controls, %zu strings%s\n", g_pages.size(), g_controls.size(), g_texts.size(),
                check ? ": generated files up to date" : "");
    return 0;
}
