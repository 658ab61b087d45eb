// The booklet-binding dialog: the form shown on the controls after every
// click, read back on OK.
#include "ui/booklet_binding_win32.h"

#include <commctrl.h>

#include <memory>

#include "rules/constraint_engine.h"
#include "ui/image_drawing_win32.h"
#include "ui/page_model.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

namespace {

constexpr int kOneBook = 32511, kSeparate = 32512, kPicture = 32516, kEdit = 32518, kSpin = 32519, kUnit = 32520,
              kRange = 32521, kAutoReduce = 32522, kCoverWith = 32524, kCoverSeparately = 32525,
              kCoverPrinted = 32526, kStoreExceptCover = 32527, kTrayLabel = 32528, kTray = 32529,
              kSheets = 32514;
constexpr int kCoverControl = 32523;  // the engine's feature of the cover choice
constexpr int kEditChars = 4;
constexpr uint16_t kCentreMarginPicture = 11946;
constexpr int kCoverTrayPurpose = 3;
constexpr uint32_t kNoneText = 20024;

void Check(HWND dlg, int id, int on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
void Enable(HWND dlg, int id, int on) { EnableWindow(GetDlgItem(dlg, id), on ? TRUE : FALSE); }

void ShowForm(HWND dlg, const BookletBindingForm& f) {
    Check(dlg, kOneBook, !f.separateBooks);
    Check(dlg, kSeparate, f.separateBooks);
    Check(dlg, kAutoReduce, f.autoReduce);
    Check(dlg, kCoverWith, f.printCoverSeparately == 0);
    Check(dlg, kCoverSeparately, f.printCoverSeparately == 1);
    Check(dlg, kCoverPrinted, f.printCoverSeparately == 2);
    Check(dlg, kStoreExceptCover, f.storeExceptCover);
    for (int i = 0; i < static_cast<int>(sizeof kSheetsPerBookChoices / sizeof *kSheetsPerBookChoices); ++i)
        if (kSheetsPerBookChoices[i] == f.sheetsPerBook) SendDlgItemMessageW(dlg, kSheets, CB_SETCURSEL, i, 0);
    for (int id : {kEdit, kSpin, kAutoReduce}) Enable(dlg, id, f.marginEnabled);
    Enable(dlg, kStoreExceptCover, StoreExceptCoverEnabled(f));
    Enable(dlg, kTrayLabel, CoverTrayEnabled(f));
    Enable(dlg, kTray, CoverTrayEnabled(f));
}

// The engine's answer to one choice, its forced values written.
void RunEngine(PrinterSession& s, uint32_t control, uint32_t value) {
    SettingsPairArray pairs;
    BuildSettingsPairs(s, pairs);
    ConstraintResult results[kConstraintResultRoom];
    int count = CheckConstraints(nullptr, control, value, kSettingsPairCount, pairs.entry, results);
    ApplyForcedOptions(results, count, s);
}

}  // namespace

void InitBookletBindingDialog(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s,
                              BookletBindingForm& f) {
    LoadBookletBindingForm(s.dm.priv, s.env.unitOfLength != 0, f);
    SendDlgItemMessageW(dlg, kSpin, UDM_SETRANGE32, 0, f.margin.high);
    SendDlgItemMessageW(dlg, kSpin, UDM_SETPOS32, 0, f.margin.value);
    SendDlgItemMessageW(dlg, kEdit, EM_LIMITTEXT, kEditChars, 0);
    AttachDecimalSpinEdit(GetDlgItem(dlg, kSpin), GetDlgItem(dlg, kEdit), f.margin.decimals);
    ShowSpinEditValue(GetDlgItem(dlg, kEdit), f.margin.value);
    wchar_t text[256] = {};
    LoadResString(resources, f.margin.unitText, text, 256, language);
    SetDlgItemTextW(dlg, kUnit, text);
    FormatRangeMessage(resources, language, text, 256, f.margin.inches ? L"0.0" : L"0", f.margin.inches ? L"2.0" : L"50");
    SetDlgItemTextW(dlg, kRange, text);
    // The cover trays: the list of purpose 3 with its names.
    auto trays = std::make_unique<ControlState>();
    *trays = ControlState{};
    trays->id = kTray;
    FillTrayList(*trays, s.env, kCoverTrayPurpose, f.coverTray);
    HWND combo = GetDlgItem(dlg, kTray);
    for (int k = 0; k < trays->itemCount; ++k) {
        const PageItem& item = trays->item[k];
        text[0] = 0;
        if (item.source == kItemString) LoadResString(resources, item.stringId, text, 256, language);
        else MultiByteToWideChar(CP_UTF8, 0, PageItemText(s, *trays, item).c_str(), -1, text, 256);
        LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), item.value);
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(trays->selected), 0);
    if (s.env.modelFS == 1)
        for (int id : {kTrayLabel, kTray}) ShowWindow(GetDlgItem(dlg, id), SW_HIDE);
    // The sheets a book (hidden by the model): the cover choices still set it back to none.
    for (uint16_t sheets : kSheetsPerBookChoices) {
        text[0] = 0;
        if (sheets) wsprintfW(text, L"%u", sheets);
        else LoadResString(resources, kNoneText, text, 256, language);
        LRESULT at = SendDlgItemMessageW(dlg, kSheets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageW(dlg, kSheets, CB_SETITEMDATA, static_cast<WPARAM>(at), sheets);
    }
    ShowForm(dlg, f);
    // The two books radios are one choice: usable only while the engine leaves the first.
    Enable(dlg, kSeparate, IsWindowEnabled(GetDlgItem(dlg, kOneBook)));
}

void BookletBindingCommand(HWND dlg, BookletBindingForm& f, int id, UINT code) {
    if (id == kEdit && code == EN_CHANGE) return CommitSpinEdit(GetDlgItem(dlg, kEdit));
    if (id == kSheets && code == CBN_SELCHANGE) {
        LRESULT sel = SendDlgItemMessageW(dlg, kSheets, CB_GETCURSEL, 0, 0);
        if (sel >= 0) ChooseSheetsPerBook(f, static_cast<uint16_t>(SendDlgItemMessageW(dlg, kSheets, CB_GETITEMDATA, sel, 0)));
        return ShowForm(dlg, f);
    }
    if (id == kTray && code == CBN_SELCHANGE) {
        LRESULT sel = SendDlgItemMessageW(dlg, kTray, CB_GETCURSEL, 0, 0);
        if (sel >= 0) f.coverTray = static_cast<uint16_t>(SendDlgItemMessageW(dlg, kTray, CB_GETITEMDATA, sel, 0));
        return;
    }
    if (code != BN_CLICKED) return;
    int checked = IsDlgButtonChecked(dlg, id) == BST_CHECKED;
    switch (id) {
    case kOneBook: ChooseSeparateBooks(f, 0); break;
    case kSeparate: ChooseSeparateBooks(f, 1); break;
    case kCoverWith:
    case kCoverSeparately:
    case kCoverPrinted: ChooseCoverPrinting(f, id - kCoverWith); break;
    case kStoreExceptCover: f.storeExceptCover = checked; break;
    case kAutoReduce: f.autoReduce = checked; break;
    default: return;
    }
    ShowForm(dlg, f);
}

void StoreBookletBindingDialog(HWND dlg, const BookletBindingForm& f, PrinterSession& s) {
    int32_t typed = f.margin.value;
    SpinEditValue(GetDlgItem(dlg, kEdit), &typed);
    StoreBookletBindingForm(f, typed, s.dm.priv);
    RunEngine(s, kAutoReduce, s.dm.priv.autoReduce_CenterMargin);
    if (f.separateBooks) RunEngine(s, kOneBook, 1);
    if (f.printCoverSeparately == 1) RunEngine(s, kCoverControl, 1);
}

int DrawBookletBindingPicture(HMODULE resources, const DRAWITEMSTRUCT* item) {
    if (item->CtlID != kPicture) return 0;
    DrawResImageStatic(resources, item, kCentreMarginPicture);
    return 1;
}
