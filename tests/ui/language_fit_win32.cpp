// The language fit check: every page and sub-dialog of the built resource
// module (beside this program), created from its template in every language
// the module carries, filled from the page model, and measured with each
// control's own font. It fails when a text does not fit its control, when a
// string a control or list needs is missing in a language, or when two
// controls overlap. Each failure is one line:
//   fit <language> <template> <page> <control> "<text>": needs <n> px, has <m> px
//
//   zr51_language_fit [languages]     languages: "1031,1041"; default: all the module carries
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include <wchar.h>

// windows.h names the fake spooler's method after its narrow API.
#undef AddPrinter
#include "base/session.h"
#include "platform/fake_platform.h"
#include "rules/resolve.h"
#include "session/global_list.h"
#include "ui/control_table.h"
#include "ui/page_model.h"
#include "ui/resource_module_win32.h"

namespace {

int g_failures = 0;

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return "";
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

void Fail(uint16_t language, const PageRow& page, const char* control, const std::wstring& text, const char* why) {
    g_failures++;
    std::printf("fit %u %u %s %s \"%s\": %s\n", language, page.templateId, page.name, control, Utf8(text).c_str(), why);
}

std::wstring Resource(HMODULE module, uint32_t id, uint16_t language) {
    wchar_t b[1024] = {};
    return LoadResString(module, id, b, 1024, language) ? b : L"";
}

// One created child beside its layout row (OK and Cancel of a sub-dialog
// have none), its place in dialog client pixels.
struct Child {
    HWND window;
    const LayoutRow* row;
    const char* name;
    ControlKind kind;
    RECT rect;
};

// The control's font, or, for a text with characters it has no glyph for,
// a font of the same size from a face that has them: what font linking
// draws East Asian words in on Windows (Wine's prefix has no linked face).
struct MeasureDc {
    HWND window;
    HDC dc;
    HFONT linked = nullptr;
    HGDIOBJ old;
    MeasureDc(HWND w, const std::wstring& text) : window(w), dc(GetDC(w)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
        old = SelectObject(dc, font);
        std::vector<WORD> glyphs(text.size() + 1);
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        bool missing = false;
        for (size_t i = 0; i < text.size(); i++) missing |= glyphs[i] == 0xFFFF && text[i] > 0x2000;
        LOGFONTW lf = {};
        if (!missing || !GetObjectW(font, sizeof lf, &lf)) return;
        for (const wchar_t* face : {L"MS UI Gothic", L"IPAPGothic", L"Droid Sans Fallback", L"Noto Sans CJK JP"}) {
            wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
            HFONT f = CreateFontIndirectW(&lf);
            SelectObject(dc, f);
            wchar_t got[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, got);
            if (_wcsicmp(got, face) == 0) {
                linked = f;
                return;
            }
            SelectObject(dc, font);
            DeleteObject(f);
        }
        unmeasured = true;
    }
    bool unmeasured = false;  // glyphs missing and no face that has them
    ~MeasureDc() {
        SelectObject(dc, old);
        if (linked) DeleteObject(linked);
        ReleaseDC(window, dc);
    }
};

int TextWidth(HWND w, const std::wstring& text, UINT format) {
    MeasureDc m(w, text);
    if (m.unmeasured) {
        g_failures++;
        std::printf("fit: no font on this machine has the glyphs of \"%s\" (install fonts-ipafont-gothic)\n",
                    Utf8(text).c_str());
    }
    RECT r = {0, 0, 0, 0};
    DrawTextW(m.dc, text.c_str(), -1, &r, format | DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// The lines a wrapping static needs in its width: right beyond the width
// means a word that does not fit on a line of its own.
RECT WrappedRect(HWND w, const std::wstring& text, int width) {
    MeasureDc m(w, text);
    RECT r = {0, 0, width, 0};
    DrawTextW(m.dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return r;
}

void NeedWidth(uint16_t language, const PageRow& page, const Child& c, const std::wstring& text, int need, int have) {
    if (need <= have) return;
    char why[64];
    std::snprintf(why, sizeof why, "needs %d px, has %d px", need, have);
    Fail(language, page, c.name, text, why);
}

// The room a control leaves its text, by kind: a check box's and radio
// button's box, a picture radio's picture, a picture combo's picture, a push
// button's frame, a group box's frame and indent.
void MeasureControl(uint16_t language, const PageRow& page, const Child& c, const std::vector<std::wstring>& items) {
    int width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
    wchar_t buffer[512] = {};
    GetWindowTextW(c.window, buffer, 512);
    std::wstring text = buffer;
    int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    switch (c.kind) {
    case kLabelControl: {
        if (text.empty()) return;
        // Lines counted in the text's own line height (a linked face may be taller).
        RECT r = WrappedRect(c.window, text, width);
        RECT one = WrappedRect(c.window, L"X", width);
        int line = std::max<int>(1, one.bottom);
        if (r.right > width || r.bottom / line > std::max(1, height / line)) {
            char why[96];
            std::snprintf(why, sizeof why, "needs %d px, has %d px in %d line(s)", TextWidth(c.window, text, 0), width,
                          std::max(1, height / line));
            Fail(language, page, c.name, text, why);
        }
        return;
    }
    case kGroupControl: return NeedWidth(language, page, c, text, TextWidth(c.window, text, 0), width - 16);
    case kCheckControl:
    case kRadioControl: return NeedWidth(language, page, c, text, TextWidth(c.window, text, 0), width - box);
    case kPicradioControl: return NeedWidth(language, page, c, text, TextWidth(c.window, text, DT_NOPREFIX), width - 55);
    case kButtonControl: return NeedWidth(language, page, c, text, TextWidth(c.window, text, 0), width - 6);
    case kComboControl:
    case kPiccomboControl: {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(c.window, &info)) return;
        // A list's text has a few pixels of margin; a picture combo's item is
        // a dialog unit and 2 px, the 32-px picture, 2 px, then the text.
        int room = info.rcItem.right - info.rcItem.left;
        room -= c.kind == kPiccomboControl ? LOWORD(GetDialogBaseUnits()) / 4 + 36 : 4;
        for (const std::wstring& item : items)
            NeedWidth(language, page, c, item, TextWidth(c.window, item, DT_NOPREFIX), room);
        return;
    }
    default: return;
    }
}

bool Inside(const RECT& in, const RECT& out) {
    return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

// Two controls may share pixels only where the layout means it: a control
// inside a group box, and an up-down on the edge of the edit it steps.
bool IntendedOverlap(const Child& a, const Child& b) {
    auto one = [](const Child& x, const Child& y) {
        if (x.kind == kGroupControl && Inside(y.rect, x.rect)) return true;
        // an up-down takes the control declared before it as its buddy
        return x.kind == kSpinControl && y.kind == kEditControl && x.row && y.row && x.row == y.row + 1;
    };
    return one(a, b) || one(b, a);
}

void CheckOverlaps(uint16_t language, const PageRow& page, const std::vector<Child>& children) {
    for (size_t i = 0; i < children.size(); i++)
        for (size_t k = i + 1; k < children.size(); k++) {
            const Child& a = children[i];
            const Child& b = children[k];
            RECT common;
            // The dialog itself is never shown: the controls' own style says what the page shows.
            if (!(GetWindowLongW(a.window, GWL_STYLE) & WS_VISIBLE) || !(GetWindowLongW(b.window, GWL_STYLE) & WS_VISIBLE))
                continue;
            if (!IntersectRect(&common, &a.rect, &b.rect) || IntendedOverlap(a, b)) continue;
            char why[160];
            std::snprintf(why, sizeof why, "overlaps %s by %dx%d px", b.name, int(common.right - common.left),
                          int(common.bottom - common.top));
            Fail(language, page, a.name, L"", why);
        }
}

INT_PTR CALLBACK MeasureProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    // Picture combos draw 34-px items, as the pages' picture controls ask.
    if (message == WM_MEASUREITEM) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 34;
    return message == WM_INITDIALOG;
}

// A printer of the fake spooler with lists in the language's words.
struct LanguagePrinter {
    FakePlatformScope fake;
    std::unique_ptr<PrinterSession> session = std::make_unique<PrinterSession>();
};

std::vector<std::wstring> ItemsOf(HMODULE module, uint16_t language, const PrinterSession& s, const ControlState* state,
                                  uint16_t id) {
    std::vector<std::wstring> items;
    std::set<std::wstring> seen;
    auto add = [&](const std::wstring& t) {
        if (!t.empty() && seen.insert(t).second) items.push_back(t);
    };
    for (int i = 0; state && i < state->itemCount; i++) {
        std::string utf8 = PageItemText(s, *state, state->item[i]);
        wchar_t b[512] = {};
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, b, 512);
        add(b);
    }
    // Every word the control's list can show, offered on this printer or not.
    for (int l = 0; l < kControlListRowCount; l++) {
        if (kControlListRows[l].id != id) continue;
        for (int o = 0; o < kOptionTextRowCount; o++)
            if (std::string(kOptionTextRows[o].list) == kControlListRows[l].source)
                add(Resource(module, kOptionTextRows[o].stringId, language));
    }
    return items;
}

void CheckPage(HMODULE module, HWND parent, uint16_t language, const PageRow& page, PrinterSession& session) {
    LPCDLGTEMPLATEW dialog = FindDialogTemplate(module, page.templateId, language);
    if (!dialog) return Fail(language, page, "-", L"", "no template in this language");
    PageInput in{&session, nullptr, SheetFacts{1, 1, page.templateId >= 30003 && page.templateId <= 30100 ? 0 : 1, 0},
                 LastChange{0, 0}, nullptr};
    auto state = std::make_unique<PageState>();
    int modelled = RefreshPage(page.templateId, in, *state);
    HWND w = CreateDialogIndirectParamW(module, dialog, parent, MeasureProc, 0);
    if (!w) return Fail(language, page, "-", L"", "the dialog was not created");
    std::vector<Child> children;
    int row = 0;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        while (row < kLayoutRowCount && kLayoutRows[row].templateId != page.layoutId) row++;
        Child child{c, nullptr, "", kButtonControl, {}};
        if (row < kLayoutRowCount) {
            child.row = &kLayoutRows[row++];
            child.name = child.row->name;
            child.kind = child.row->kind;
        } else {
            int id = GetDlgCtrlID(c);
            child.name = id == IDOK ? "OK" : id == IDCANCEL ? "CANCEL" : "?";
        }
        GetWindowRect(c, &child.rect);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&child.rect), 2);
        children.push_back(child);
        // A label's text comes from its string: it must be there in this language.
        if (child.row && child.row->textId && Resource(module, child.row->textId, language).empty())
            Fail(language, page, child.name, L"", "its text is missing");
        const ControlState* cs = nullptr;
        for (int i = 0; modelled && child.row && child.row->id && i < state->controlCount; i++)
            if (state->control[i].id == child.row->id) cs = &state->control[i];
        std::vector<std::wstring> items;
        if (child.row && (child.kind == kComboControl || child.kind == kPiccomboControl))
            items = ItemsOf(module, language, session, cs, child.row->id);
        if (cs && !cs->visible) ShowWindow(c, SW_HIDE);
        MeasureControl(language, page, child, items);
    }
    CheckOverlaps(language, page, children);
    DestroyWindow(w);
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
    if (language) reinterpret_cast<std::vector<uint16_t>*>(list)->push_back(language);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    auto start = std::chrono::steady_clock::now();
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);
    HMODULE module = LoadLibraryW((dir + L"ZR51ARC.DLL").c_str());
    if (!module) {
        std::printf("fit: ZR51ARC.DLL not found beside the program\n");
        return 1;
    }
    std::vector<uint16_t> languages;
    if (argc > 1) {
        for (char* p = argv[1]; *p;) {
            languages.push_back(static_cast<uint16_t>(std::strtoul(p, &p, 10)));
            while (*p == ',') p++;
        }
    } else {
        EnumResourceLanguagesW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(kPageRows[0].templateId), AddLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
    }
    // English first, so that the languages that still carry its words name it.
    std::stable_partition(languages.begin(), languages.end(), [](uint16_t l) { return l == 1033; });
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    int pages = 0;
    std::vector<std::pair<uint16_t, std::vector<std::wstring>>> checked;
    for (uint16_t language : languages) {
        // A language with the same words as one checked before fits as that one
        // does: the layouts are shared (the untranslated ones carry English).
        std::vector<std::wstring> words;
        for (int i = 0; i < kStringTextRowCount; i++) words.push_back(Resource(module, kStringTextRows[i].id, language));
        bool same = false;
        for (const auto& [other, otherWords] : checked)
            if (otherWords == words && !same) {
                std::printf("fit %u: the words of %u, checked with it\n", language, other), same = true;
            }
        if (same) continue;
        checked.push_back({language, words});
        LanguagePrinter printer;
        // Every string the code and the tables use, in this language.
        for (int i = 0; i < kStringTextRowCount; i++) {
            const std::wstring& t = words[i];
            if (t.empty() && kStringTextRows[i].english[0]) {
                g_failures++;
                std::printf("fit %u string %u \"%s\": missing\n", language, kStringTextRows[i].id,
                            kStringTextRows[i].english);
            }
            printer.fake.host.strings[kStringTextRows[i].id] = std::u16string(t.begin(), t.end());
        }
        printer.fake.spooler.AddPrinter(u"P1");
        _UdcResolveSelfDMode(printer.session.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                             kCallerConvert);
        printer.session->env.languageId = language;
        BuildModelLists(&printer.session->env, nullptr, language, 1);
        printer.session->env.listsBuilt = 1;
        for (int p = 0; p < kPageRowCount; p++, pages++) CheckPage(module, parent, language, kPageRows[p], *printer.session);
    }
    DestroyWindow(parent);
    FreeLibrary(module);
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("fit: %zu languages (%zu with words of their own), %d pages and dialogs, %d failures, %lld ms\n",
                languages.size(), checked.size(), pages, g_failures, ms);
    return g_failures ? 1 : 0;
}
