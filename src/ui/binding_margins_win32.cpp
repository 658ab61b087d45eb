// The binding-margin dialog over the margin form: the controls in, the
// question on the auto-reduce box, the typed width out.
#include "ui/binding_margins_win32.h"

#include <commctrl.h>

#include <string>

#include "rules/constraint_engine.h"
#include "ui/image_drawing_win32.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

namespace {

constexpr int kPicture = 32610, kEdit = 32613, kSpin = 32614, kUnit = 32615, kRange = 32616, kAutoReduce = 32617;
constexpr int kEditChars = 4;

std::wstring ResText(HMODULE resources, uint16_t language, uint32_t id) {
    wchar_t text[512] = {};
    LoadResString(resources, id, text, 512, language);
    return text;
}

}  // namespace

void InitSideMarginDialog(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s, MarginForm& f) {
    const PrivateSettings& p = s.dm.priv;
    LoadMarginForm(s.env.unitOfLength != 0, p.width_mm_SideMargin, p.width_inch_SideMargin, f);
    SendDlgItemMessageW(dlg, kSpin, UDM_SETRANGE32, 0, f.high);
    SendDlgItemMessageW(dlg, kSpin, UDM_SETPOS32, 0, f.value);
    SendDlgItemMessageW(dlg, kEdit, EM_LIMITTEXT, kEditChars, 0);
    AttachDecimalSpinEdit(GetDlgItem(dlg, kSpin), GetDlgItem(dlg, kEdit), f.decimals);
    ShowSpinEditValue(GetDlgItem(dlg, kEdit), f.value);
    SetDlgItemTextW(dlg, kUnit, ResText(resources, language, f.unitText).c_str());
    wchar_t range[64] = {};
    FormatRangeMessage(resources, language, range, 64, f.inches ? L"0.0" : L"0", f.inches ? L"2.0" : L"50");
    SetDlgItemTextW(dlg, kRange, range);
    CheckDlgButton(dlg, kAutoReduce, p.autoReduce_SideMargin ? BST_CHECKED : BST_UNCHECKED);
}

void SideMarginCommand(HWND dlg, HMODULE resources, uint16_t language, const PrivateSettings& p, int id, UINT code) {
    if (id == kEdit && code == EN_CHANGE) CommitSpinEdit(GetDlgItem(dlg, kEdit));
    if (id != kAutoReduce || code != BN_CLICKED || IsDlgButtonChecked(dlg, kAutoReduce) != BST_CHECKED) return;
    uint32_t parts[kAutoReducePartRoom];
    int n = AutoReduceQuestion(p, parts);
    if (!n) return;
    std::wstring text;
    for (int i = 0; i < n; i++)
        text += parts[i] == kQuestionLineBreak ? L"\n\r"
                : parts[i] == kQuestionColon   ? L": "
                                               : ResText(resources, language, parts[i]);
    if (MessageBoxW(dlg, text.c_str(), L"", MB_YESNO | MB_ICONINFORMATION) != IDYES)
        CheckDlgButton(dlg, kAutoReduce, BST_UNCHECKED);
}

void StoreSideMarginDialog(HWND dlg, const MarginForm& f, PrinterSession& s) {
    int autoReduce = IsDlgButtonChecked(dlg, kAutoReduce) == BST_CHECKED;
    s.dm.priv.autoReduce_SideMargin = static_cast<uint8_t>(autoReduce);
    // What auto-reduce brings with it, as the engine rules.
    SettingsPairArray pairs;
    BuildSettingsPairs(s, pairs);
    ConstraintResult results[kConstraintResultRoom];
    int count = CheckConstraints(nullptr, kAutoReduce, static_cast<uint32_t>(autoReduce), kSettingsPairCount,
                                 pairs.entry, results);
    ApplyForcedOptions(results, count, s);
    int32_t typed = f.value;
    SpinEditValue(GetDlgItem(dlg, kEdit), &typed);
    StoreSideMargin(f, typed, s.dm.priv.autoReduce_SideMargin, s.dm.priv);
}

int DrawSideMarginPicture(HMODULE resources, const PrivateSettings& p, const DRAWITEMSTRUCT* item) {
    if (item->CtlID != kPicture) return 0;
    if (uint16_t picture = SideMarginPicture(p)) DrawResImageStatic(resources, item, picture);
    return 1;
}
