// The perfect-binding dialog's window side: the cover length's spin edit
// over the portable limits; the lists and pictures are the page model's.
#include "ui/perfect_binding_win32.h"

#include <commctrl.h>

#include "base/fixed_point.h"
#include "ui/perfect_binding.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

namespace {

constexpr int kEdit = 33925, kSpin = 33926, kUnit = 33927, kRange = 33937;
constexpr int kEditChars = 5;
constexpr uint32_t kMmText = 20151, kInchText = 20153;

int Inches(const PrinterSession& s) { return s.env.unitOfLength != 0; }
// Tenths of a millimetre, hundredths of an inch.
int Decimals(const PrinterSession& s) { return Inches(s) ? 2 : 1; }

}  // namespace

void InitPerfectBindingDialog(HWND dlg, HMODULE resources, uint16_t language, PrinterSession& s) {
    PerfectBindingState state{};
    OpenPerfectBinding(s.dm.priv, s.env, state);
    SendDlgItemMessageW(dlg, kEdit, EM_LIMITTEXT, kEditChars, 0);
    ShowCoverLength(dlg, resources, language, s);
    AttachDecimalSpinEdit(GetDlgItem(dlg, kSpin), GetDlgItem(dlg, kEdit), Decimals(s));
    wchar_t text[64] = {};
    LoadResString(resources, Inches(s) ? kInchText : kMmText, text, 64, language);
    SetDlgItemTextW(dlg, kUnit, text);
    ShowCoverLength(dlg, resources, language, s);
}

void ShowCoverLength(HWND dlg, HMODULE resources, uint16_t language, const PrinterSession& s) {
    const PrivateSettings& p = s.dm.priv;
    CoverLengthLimits l{};
    if (!CoverLengthLimitsOf(p.bodySize_PerfectBinding, Inches(s), l)) CoverLengthLimitsOf(9, Inches(s), l);
    int32_t shown = ShownCoverLength(p.coverLength_mm_PerfectBinding, p.bodySize_PerfectBinding, Inches(s));
    SendDlgItemMessageW(dlg, kSpin, UDM_SETRANGE32, l.low, l.high);
    SendDlgItemMessageW(dlg, kSpin, UDM_SETPOS32, 0, shown);
    if (!ShowSpinEditValue(GetDlgItem(dlg, kEdit), shown)) return;  // not attached yet
    char16_t low[16], high[16];
    FormatFixedPoint(low, 16, l.low, Decimals(s), SpinDecimalSeparator());
    FormatFixedPoint(high, 16, l.high, Decimals(s), SpinDecimalSeparator());
    wchar_t range[64] = {};
    FormatRangeMessage(resources, language, range, 64, reinterpret_cast<const wchar_t*>(low),
                       reinterpret_cast<const wchar_t*>(high));
    SetDlgItemTextW(dlg, kRange, range);
}

int PerfectBindingCommand(HWND dlg, PrinterSession& s, int id, UINT code) {
    if (id != kEdit) return 0;
    if (code != EN_CHANGE) return 1;
    CommitSpinEdit(GetDlgItem(dlg, kEdit));  // the up-down takes the typed value, held to its range
    StoreCoverLength(dlg, s);
    return 1;
}

void StoreCoverLength(HWND dlg, PrinterSession& s) {
    int32_t typed = 0;
    PrivateSettings& p = s.dm.priv;
    if (SpinEditValue(GetDlgItem(dlg, kEdit), &typed))
        p.coverLength_mm_PerfectBinding = StoredCoverLength(typed, p.bodySize_PerfectBinding, Inches(s));
}
