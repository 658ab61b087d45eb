// A page state as text, one line per control, for `zr51a page show` and the
// golden files of the tests.
#include <cstdio>

#include "platform/platform.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/page_model.h"

namespace {

const char* const kKindNames[] = {"label", "group", "text", "combo", "piccombo", "check", "radio",
                                  "picradio", "edit", "password", "spin", "button", "picture", "separator",
                                  "preview", "scrollbar", "thumbnails", "details", "trackbar", "feature", "listbox",
                                  "tabs"};

void AppendUtf8(std::string& out, const char16_t* s) {
    for (int i = 0; s[i]; i++) {
        uint32_t c = s[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

const char* ControlName(uint32_t id, uint16_t layoutId) {
    for (int i = 0; i < kControlRowCount; i++)
        if (kControlRows[i].id == id && kControlRows[i].templateId == layoutId) return kControlRows[i].name;
    return "?";
}

int HoldsValue(ControlKind k) {
    return k == kComboControl || k == kPiccomboControl || k == kCheckControl || k == kRadioControl ||
           k == kPicradioControl || k == kEditControl || k == kSpinControl;
}

}  // namespace

std::string PageItemText(const PrinterSession& s, const ControlState& c, const PageItem& item) {
    char16_t name[kPaperNameChars + 1] = {};
    int found = 0;
    switch (item.source) {
    case kItemString:
        found = item.stringId && CurrentPlatform().host &&
                Sys().LoadResourceString(s.env.languageId, item.stringId, name, kPaperNameChars + 1) > 0;
        break;
    case kItemControlText:
        found = 1;
        for (int i = 0; i < kPaperNameChars && i < kPageTextChars && c.text[i]; i++) name[i] = c.text[i];
        break;
    case kItemPaper: found = PaperNameAt(&s.env, PaperListIndex(&s.env, item.value), name, kPaperNameChars + 1); break;
    case kItemPaperSecondName:
        if (const PaperRow* row = PaperRowAt(&s.env, PaperListIndex(&s.env, item.value))) {
            for (int i = 0; i < kPaperNameChars && i < 64 && row->secondName[i]; i++) name[i] = row->secondName[i];
            found = name[0] != 0;
        }
        break;
    case kItemTray: found = TrayNameAt(&s.env, TrayListIndex(&s.env, item.value), name, kPaperNameChars + 1); break;
    case kItemMedia: found = MediaNameAt(&s.env, MediaListIndex(&s.env, item.value), name, kPaperNameChars + 1); break;
    default: break;
    }
    std::string out;
    if (found) {
        AppendUtf8(out, name);
    } else if (item.stringId) {
        char b[16];
        std::snprintf(b, sizeof b, "#%u", static_cast<unsigned>(item.stringId));
        out = b;
    }
    return out;
}

std::string PageStateText(const PageState& page, const PrinterSession& s) {
    std::string out;
    char b[160];
    const PageRow* row = FindPageRow(page.templateId);
    std::snprintf(b, sizeof b, "page %u %s\n", page.templateId, row ? row->name : "?");
    out += b;
    for (int i = 0; i < page.controlCount; i++) {
        const ControlState& c = page.control[i];
        const char* kind = c.kind < sizeof kKindNames / sizeof kKindNames[0] ? kKindNames[c.kind] : "?";
        std::snprintf(b, sizeof b, "%u %s %s %s%s", c.id, ControlName(c.id, page.layoutId), kind,
                      c.enabled ? "enabled" : "disabled", c.visible ? "" : " hidden");
        out += b;
        if (HoldsValue(c.kind)) {
            std::snprintf(b, sizeof b, " value=%u", c.value);
            out += b;
        }
        if (c.kind == kCheckControl || c.kind == kRadioControl || c.kind == kPicradioControl)
            out += c.checked ? " checked" : " unchecked";
        if (c.text[0]) {
            out += " text=\"";
            AppendUtf8(out, c.text);
            out += "\"";
        }
        if (c.kind == kComboControl || c.kind == kPiccomboControl) {
            std::snprintf(b, sizeof b, " selected=%d items:", c.selected);
            out += b;
            for (int k = 0; k < c.itemCount; k++) {
                std::string text = PageItemText(s, c, c.item[k]);
                std::snprintf(b, sizeof b, " %u", c.item[k].value);
                out += b;
                if (!text.empty()) out += "=\"" + text + "\"";
            }
        }
        if (c.kind == kPreviewControl) {
            out += " images:";
            for (int k = 0; k < c.itemCount; k++) {
                std::snprintf(b, sizeof b, " %u", c.item[k].value);
                out += b;
            }
        }
        out += "\n";
    }
    return out;
}
