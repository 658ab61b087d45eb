// The sub-dialog procedure: the page pattern over a working copy. Check boxes
// and radio buttons with a field go through the page model; the custom size's
// edits and the tray-per-page lists are forms of their own, read into the
// copy on OK.
#include "ui/sub_dialog_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "session/model_list_access.h"
#include "diagnostics/memory_tracker.h"
#include "platform/platform.h"
#include "ui/carbon_copy_dialog.h"
#include "ui/custom_paper_size.h"
#include "ui/gamma_curves.h"
#include "ui/gamma_dialog.h"
#include "ui/spin_edit_win32.h"
#include "ui/program_print_dialog.h"
#include "ui/image_drawing_win32.h"
#include "ui/image_position_win32.h"
#include "ui/binding_margins_win32.h"
#include "ui/booklet_binding_win32.h"
#include "ui/covers.h"
#include "ui/finishing_dialogs.h"
#include "ui/form_overlay_dialog.h"
#include "ui/mail_making.h"
#include "ui/perfect_binding.h"
#include "ui/perfect_binding_win32.h"

#include "ui/output_destination_win32.h"
#include "ui/page_images_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"
#include "ui/stamp_dialog.h"
#include "ui/stamp_dialog_win32.h"
#include "ui/sub_dialog_model.h"
#include "ui/tray_ranges.h"
#include "rules/text_filters.h"
#include "ui/version_info.h"
#include "ui/watermark_dialog_win32.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";

constexpr int kWidthEdit = 31711, kWidthSpin = 31712, kWidthUnit = 31713, kWidthRange = 31714;
constexpr int kLengthEdit = 31716, kLengthSpin = 31717, kLengthUnit = 31718, kLengthRange = 31719;
constexpr int kCustomEditChars = 5;
constexpr uint32_t kMillimetresText = 20150, kInchesText = 20152;

const int kTrayEdits[kTrayListCount] = {31415, 31416, 31417, 31418};
constexpr int kStandardTrayLabel = 31411, kRepeatCheck = 31421, kRepeatEdit = 31422, kRepeatHint = 31424;
constexpr uint32_t kHighCapacityText = 20183;
constexpr uint32_t kHighCapacityTray = 10;
const COLORREF kMarkColour = RGB(255, 207, 200);

constexpr uint32_t kMixedDuplexPicture = 31810, kFoldPreview = 32710, kFrontCoverPicture = 32414,
                   kBackCoverPicture = 32419, kEnvelopePicture = 32911, kInsertPicture = 32918,
                   kFormPreview = 33832;

// Pictures whose resource the page model picks from the settings.
int ModelPicture(uint32_t id) {
    return id == kMixedDuplexPicture || id == kFoldPreview || id == kFrontCoverPicture || id == kBackCoverPicture ||
           id == kEnvelopePicture || id == kInsertPicture || id == kFormPreview;
}

constexpr int kFaceUp = 32811, kFaceDown = 32812;

struct SubDialog {
    SubDialogHost host;
    uint16_t templateId;
    int target;
    WorkingCopy* copy;
    PageState state;
    CustomSizeForm size;
    TrayPerPageForm trays;
    OutputModeForm output;
    TrayPriorityForm carbon;
    ProgramPrintForm programs;
    HBITMAP gammaSource, gammaShown;  // the sample picture and the copy drawn through the values
    ImagePositionForm position;
    MarginForm margin;
    BookletBindingForm booklet;
    WatermarkForm watermark;
    int marks[kTrayListCount];
    int lengthMark;
    HBRUSH markBrush;
};

PrinterSession& Copy(SubDialog* d) { return *d->copy->copy->session; }

void SetText(HWND dlg, int id, const char16_t* text) {
    SetDlgItemTextW(dlg, id, reinterpret_cast<const wchar_t*>(text));
}

void SetResText(HWND dlg, int id, SubDialog* d, uint32_t stringId) {
    wchar_t text[64] = {};
    LoadResString(d->host.resources, stringId, text, 64, d->host.language);
    SetDlgItemTextW(dlg, id, text);
}

// An item's words: its resource string, a stored profile's name of the
// printer's lists, or the name the page model gives it.
std::wstring ItemText(SubDialog* d, const ControlState& cs, const PageItem& item) {
    wchar_t buffer[kRegNameUnits + 1] = {};
    if (item.source == kItemString) {
        if (item.stringId) LoadResString(d->host.resources, item.stringId, buffer, 256, d->host.language);
        return buffer;
    }
    const RetrievalTargets* lists = d->copy->copy->printerLists;
    if (item.source == kItemProfile) {
        uint32_t slot = item.value - kProfileItemBase;
        if (!lists || slot >= static_cast<uint32_t>(kProfileNameSlots)) return L"";
        for (int k = 0; k < kRegNameUnits && lists->profileNames[slot][k]; k++) buffer[k] = lists->profileNames[slot][k];
        return buffer;
    }
    if (item.source == kItemRegisteredForm) {
        uint32_t slot = item.value - kRegisteredFormBase;
        if (!lists || slot >= static_cast<uint32_t>(kFormNameSlots)) return L"";
        for (int k = 0; k < kRegNameUnits && lists->formNames[slot][k]; k++) buffer[k] = lists->formNames[slot][k];
        return buffer;
    }
    std::string utf8 = PageItemText(Copy(d), cs, item);
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, buffer, kRegNameUnits);
    return buffer;
}

void ShowList(HWND w, SubDialog* d, const ControlState& cs) {
    SendMessageW(w, WM_SETREDRAW, FALSE, 0);
    SendMessageW(w, CB_RESETCONTENT, 0, 0);
    for (int k = 0; k < cs.itemCount; ++k) {
        LRESULT at = SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ItemText(d, cs, cs.item[k]).c_str()));
        SendMessageW(w, CB_SETITEMDATA, static_cast<WPARAM>(at), cs.item[k].value);
    }
    SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(cs.selected), 0);
    SendMessageW(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
}

// The model's state onto the controls the sub-dialogs have: lists, checks,
// radios, and every control's enabled and shown state.
void ShowState(HWND dlg, SubDialog* d) {
    if (!RefreshPage(d->templateId, *d->copy->copy, d->state)) return;
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < d->state.controlCount; ++i) {
        const ControlState& cs = d->state.control[i];
        HWND w = GetDlgItem(dlg, static_cast<int>(cs.id));
        if (!w) continue;
        if ((cs.kind == kComboControl || cs.kind == kPiccomboControl) &&
            !(d->templateId == kWatermarkDialog && WatermarkKeepsList(cs.id)))
            ShowList(w, d, cs);
        if (cs.kind == kPiccomboControl) ShowImageComboItems(w, cs, Copy(d));
        if (cs.kind == kCheckControl || cs.kind == kRadioControl) {
            // The form dialogs keep their own checks.
            if (d->templateId != kTrayPerPageDialog && d->templateId != kCustomSizeDialog &&
                d->templateId != kSideMarginDialog && d->templateId != kBookletBindingDialog)
                SendMessageW(w, BM_SETCHECK, cs.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (cs.kind == kPicradioControl) ShowImageRadioCheck(w, cs.checked);
        if (cs.kind == kPictureControl) InvalidateRect(w, nullptr, FALSE);
        // The form preview's page indicator is the one text the model writes here.
        if (cs.kind == kTextControl && d->templateId == kFormOverlayDialog) SetText(dlg, static_cast<int>(cs.id), cs.text);
        EnableWindow(w, cs.enabled ? TRUE : FALSE);
        ShowWindow(w, cs.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (d->templateId == kPerfectBindingDialog) ShowCoverLength(dlg, d->host.resources, d->host.language, Copy(d));
    RemovePropW(dlg, kSuppressProp);
    if (d->templateId == kWatermarkDialog) ShowWatermarkDialog(dlg, d->watermark, Copy(d).dm.priv);
}

// Custom paper size ---------------------------------------------------------

// The edits are numeric spin edits: the value shown with the unit's
// decimals and the user's separator, kept inside the up-down's range.
void ShowCustomValue(HWND dlg, int edit, int32_t value) {
    ShowSpinEditValue(GetDlgItem(dlg, edit), value);
}

void InitCustomSize(HWND dlg, SubDialog* d) {
    LoadCustomSize(Copy(d), d->target, d->size);
    const CustomSizeForm& f = d->size;
    SendDlgItemMessageW(dlg, kWidthSpin, UDM_SETRANGE32, f.widthMin, f.widthMax);
    SendDlgItemMessageW(dlg, kLengthSpin, UDM_SETRANGE32, f.lengthMin, f.lengthMax);
    for (int edit : {kWidthEdit, kLengthEdit}) SendDlgItemMessageW(dlg, edit, EM_LIMITTEXT, kCustomEditChars, 0);
    SendDlgItemMessageW(dlg, kWidthSpin, UDM_SETPOS32, 0, f.width);
    SendDlgItemMessageW(dlg, kLengthSpin, UDM_SETPOS32, 0, f.length);
    AttachDecimalSpinEdit(GetDlgItem(dlg, kWidthSpin), GetDlgItem(dlg, kWidthEdit), CustomSizeDecimals(f));
    AttachDecimalSpinEdit(GetDlgItem(dlg, kLengthSpin), GetDlgItem(dlg, kLengthEdit), CustomSizeDecimals(f));
    ShowCustomValue(dlg, kWidthEdit, f.width);
    ShowCustomValue(dlg, kLengthEdit, f.length);
    for (int unit : {kWidthUnit, kLengthUnit}) SetResText(dlg, unit, d, f.inches ? kInchesText : kMillimetresText);
    char16_t range[48];
    CustomSizeRangeText(f, 0, range, 48);
    SetText(dlg, kWidthRange, range);
    CustomSizeRangeText(f, 1, range, 48);
    SetText(dlg, kLengthRange, range);
}

// A typed value taken into the form inside its range, and shown as kept.
void ReadCustomValue(HWND dlg, SubDialog* d, int edit) {
    int32_t v = 0;
    if (!SpinEditValue(GetDlgItem(dlg, edit), &v)) return;
    if (edit == kWidthEdit) d->size.width = ClampCustomWidth(d->size, v);
    else d->size.length = ClampCustomLength(d->size, v);
}

// Tray per page -----------------------------------------------------------

int TrayIndex(int id) {
    for (int i = 0; i < kTrayListCount; ++i)
        if (kTrayEdits[i] == id) return i;
    return -1;
}

void ShowTrayLists(HWND dlg, SubDialog* d) {
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < kTrayListCount; ++i) SetText(dlg, kTrayEdits[i], d->trays.list[i]);
    RemovePropW(dlg, kSuppressProp);
    MarkOverlappingLists(d->trays, d->marks);
    for (int id : kTrayEdits) InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
}

void ShowRepeatLength(HWND dlg, SubDialog* d) {
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    if (d->trays.repeatLength > 0) SetDlgItemInt(dlg, kRepeatEdit, static_cast<UINT>(d->trays.repeatLength), FALSE);
    else SetDlgItemTextW(dlg, kRepeatEdit, L"");
    RemovePropW(dlg, kSuppressProp);
}

void InitTrayPerPage(HWND dlg, SubDialog* d) {
    LoadTrayPerPage(Copy(d).dm.priv, d->trays);
    for (int id : kTrayEdits) SendDlgItemMessageW(dlg, id, EM_LIMITTEXT, kPageListChars, 0);
    SendDlgItemMessageW(dlg, kRepeatEdit, EM_LIMITTEXT, 4, 0);
    if (Copy(d).env.defaultTray[0] == kHighCapacityTray) SetResText(dlg, kStandardTrayLabel, d, kHighCapacityText);
    CheckDlgButton(dlg, kRepeatCheck, d->trays.repeat ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, kRepeatEdit), d->trays.repeat);
    ShowRepeatLength(dlg, d);
    ShowTrayLists(dlg, d);
}

void TrayCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    int list = TrayIndex(id);
    if (list >= 0) {
        char16_t* text = d->trays.list[list];
        if (code == EN_SETFOCUS) SendDlgItemMessageW(dlg, id, EM_SETSEL, 0, -1);
        if (code == EN_CHANGE) {
            GetDlgItemTextW(dlg, id, reinterpret_cast<wchar_t*>(text), kPageListChars + 1);
            if (KeepPageListChars(text)) {
                SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
                SetText(dlg, id, text);
                SendDlgItemMessageW(dlg, id, EM_SETSEL, kPageListChars, kPageListChars);
                RemovePropW(dlg, kSuppressProp);
            }
            int before[kTrayListCount];
            std::memcpy(before, d->marks, sizeof before);
            MarkOverlappingLists(d->trays, d->marks);
            for (int i = 0; i < kTrayListCount; ++i)
                if (before[i] != d->marks[i]) InvalidateRect(GetDlgItem(dlg, kTrayEdits[i]), nullptr, TRUE);
        }
        if (code == EN_KILLFOCUS) {
            LeaveTrayList(d->trays, list);
            ShowTrayLists(dlg, d);
        }
        return;
    }
    if (id == kRepeatCheck && code == BN_CLICKED) {
        d->trays.repeat = IsDlgButtonChecked(dlg, kRepeatCheck) == BST_CHECKED;
        d->trays.repeatLength = d->trays.repeat ? TrayFormHighestPage(d->trays) : 0;
        d->lengthMark = 0;
        EnableWindow(GetDlgItem(dlg, kRepeatEdit), d->trays.repeat);
        ShowRepeatLength(dlg, d);
        if (!d->trays.repeat) ShowWindow(GetDlgItem(dlg, kRepeatHint), SW_HIDE);
    } else if (id == kRepeatEdit && code == EN_CHANGE) {
        // Digits only: anything else typed or pasted goes at once.
        wchar_t text[kDigitsFieldChars + 1] = {};
        GetDlgItemTextW(dlg, kRepeatEdit, text, kDigitsFieldChars + 1);
        int caret = LOWORD(SendDlgItemMessageW(dlg, kRepeatEdit, EM_GETSEL, 0, 0));
        if (KeepDigits(reinterpret_cast<char16_t*>(text), &caret)) {
            SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
            SetDlgItemTextW(dlg, kRepeatEdit, text);
            SendDlgItemMessageW(dlg, kRepeatEdit, EM_SETSEL, caret, caret);
            RemovePropW(dlg, kSuppressProp);
        }
        d->trays.repeatLength = static_cast<int32_t>(GetDlgItemInt(dlg, kRepeatEdit, nullptr, FALSE));
        if (d->trays.repeatLength > kMaxPageNumber) d->trays.repeatLength = kMaxPageNumber;
    } else if (id == kRepeatEdit && code == EN_KILLFOCUS && d->trays.repeatLength == 0) {
        ShowRepeatLength(dlg, d);
    }
}

// OK with repeat on and a pattern shorter than the lists: the hint names the
// lowest length that fits and the dialog stays open.
int TrayOk(HWND dlg, SubDialog* d) {
    int highest = 0;
    if (!CheckTrayPerPage(d->trays, &highest)) {
        wchar_t hint[32];
        std::swprintf(hint, 32, L"(%d-)", highest);
        SetDlgItemTextW(dlg, kRepeatHint, hint);
        ShowWindow(GetDlgItem(dlg, kRepeatHint), SW_SHOWNA);
        d->lengthMark = 1;
        InvalidateRect(GetDlgItem(dlg, kRepeatEdit), nullptr, TRUE);
        return 0;
    }
    StoreTrayPerPage(d->trays, Copy(d).dm.priv);
    return 1;
}

HBRUSH TrayColour(SubDialog* d, HDC dc, HWND edit) {
    int id = GetDlgCtrlID(edit), list = TrayIndex(id);
    int marked = list >= 0 ? d->marks[list] : id == kRepeatEdit && d->lengthMark;
    if (!marked) return nullptr;
    if (!d->markBrush) d->markBrush = CreateSolidBrush(kMarkColour);
    SetBkColor(dc, kMarkColour);
    return d->markBrush;
}

// Carbon copy -------------------------------------------------------------

constexpr int kCarbonList = 34003, kCarbonUp = 34004, kCarbonDown = 34005;

void ShowCarbonTrays(HWND dlg, SubDialog* d, int selected) {
    HWND list = GetDlgItem(dlg, kCarbonList);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const PrinterEnvironment& env = Copy(d).env;
    for (int i = 0; i < d->carbon.count; ++i) {
        wchar_t name[kPaperNameChars + 1] = {};
        TrayNameAt(&env, TrayListIndex(&env, d->carbon.tray[i]), reinterpret_cast<char16_t*>(name), kPaperNameChars + 1);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = name;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
}

void InitCarbonCopy(HWND dlg, SubDialog* d) {
    LoadTrayPriority(Copy(d), d->carbon);
    HWND list = GetDlgItem(dlg, kCarbonList);
    RECT r;
    GetClientRect(list, &r);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = r.right - r.left;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    ShowCarbonTrays(dlg, d, 0);
}

void CarbonCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    if (code != BN_CLICKED || (id != kCarbonUp && id != kCarbonDown)) return;
    int at = static_cast<int>(SendDlgItemMessageW(dlg, kCarbonList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (at < 0) return;
    ShowCarbonTrays(dlg, d, MoveTrayPriority(d->carbon, at, id == kCarbonUp ? -1 : 1));
}

// OK with staple or punch still on beside carbon copy: asked once, the
// answer written into the copy. 0 when the question could not be shown.
int CarbonOk(HWND dlg, SubDialog* d) {
    PrivateSettings& p = Copy(d).dm.priv;
    StoreTrayPriority(d->carbon, p);
    PageQuestion q;
    if (!CarbonCopyFinishingQuestion(p, &q)) return 1;
    std::wstring text;
    for (int i = 0; i < q.partCount; i++) {
        wchar_t part[512] = {};
        LoadResString(d->host.resources, q.part[i], part, 512, d->host.language);
        text += (i ? L"\n\r" : L"") + std::wstring(part);
    }
    int answer = MessageBoxW(dlg, text.c_str(), L"", MB_YESNO | MB_ICONINFORMATION);
    if (answer != IDYES && answer != IDNO) return 0;
    AnswerCarbonCopyFinishing(p, answer == IDYES);
    return 1;
}

// Version -----------------------------------------------------------------

constexpr int kVersionHelp = 30821;

// The help file in the HTML help viewer; shell32 is loaded only for it.
void OpenVersionHelp(HWND dlg, SubDialog* d) {
    char16_t path[MAX_PATH] = {};
    if (!VersionHelpPath(*d->copy->copy, path, MAX_PATH)) return;
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    using Execute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    auto run = shell ? reinterpret_cast<Execute>(reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW"))) : nullptr;
    if (run) run(dlg, L"open", L"hh.exe", reinterpret_cast<const wchar_t*>(path), nullptr, SW_SHOWNORMAL);
    if (shell) FreeLibrary(shell);
}

constexpr int kProductVersion = 30814, kControllerVersion = 30816, kDriverName = 30818, kLanguageName = 30820,
              kLegalNotice = 30811;
constexpr uint32_t kLegalNoticeText = 20464, kControllerText = 20465, kControllerLocalText = 20466;

// "Version.<ProductVersion>" of this module's version block, in its first
// language and code page.
void ShowProductVersion(HWND dlg) {
    HMODULE self = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ShowProductVersion), &self) ||
        !GetModuleFileNameW(self, path, MAX_PATH))
        return;
    DWORD unused = 0, size = GetFileVersionInfoSizeW(path, &unused);
    void* block = size ? TRACK_ALLOC(size) : nullptr;
    if (!block) return;
    const WORD* translation = nullptr;
    const wchar_t* version = nullptr;
    UINT length = 0;
    if (GetFileVersionInfoW(path, 0, size, block) &&
        VerQueryValueW(block, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(const_cast<WORD**>(&translation)), &length) &&
        length >= 4) {
        wchar_t key[64];
        std::swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\ProductVersion", translation[0], translation[1]);
        if (VerQueryValueW(block, key, reinterpret_cast<void**>(const_cast<wchar_t**>(&version)), &length) && length) {
            char16_t text[128];
            FormatOneText(u"Version.%s", reinterpret_cast<const char16_t*>(version), text, 128);
            SetText(dlg, kProductVersion, text);
        }
    }
    TrackFree(block);
}

// A resource string with one "%s" filled; an empty string leaves the text.
void ShowFormatted(HWND dlg, SubDialog* d, int id, uint32_t stringId, const char16_t* arg) {
    wchar_t format[512] = {};
    if (!LoadResString(d->host.resources, stringId, format, 512, d->host.language) || !format[0]) return;
    char16_t text[512];
    FormatOneText(reinterpret_cast<const char16_t*>(format), arg, text, 512);
    SetText(dlg, id, text);
}

void ShowAscii(HWND dlg, int id, const char* text) {
    char16_t wide[64] = {};
    for (int k = 0; k < 63 && text[k]; k++) wide[k] = static_cast<unsigned char>(text[k]);
    SetText(dlg, id, wide);
}

void InitVersion(HWND dlg, SubDialog* d) {
    const PrinterEnvironment& env = Copy(d).env;
    ShowProductVersion(dlg);
    if (const char* name = LanguageNameOf(static_cast<uint16_t>(env.languageId))) ShowAscii(dlg, kLanguageName, name);
    DriverInfo3 driver;
    if (d->copy->copy->printer && Spool().GetDriverInfo3(d->copy->copy->printer, &driver))
        SetText(dlg, kDriverName, driver.name.c_str());
    if (const char* code = ControllerVersionCode(env.inkCount, env.modelColor)) {
        char16_t wide[16] = {};
        for (int k = 0; k < 15 && code[k]; k++) wide[k] = static_cast<char16_t>(code[k]);
        ShowFormatted(dlg, d, kControllerVersion, env.localArea ? kControllerLocalText : kControllerText, wide);
    } else {
        SetText(dlg, kControllerVersion, u"");
    }
    // The year the module was built: the end of __DATE__ ("Mmm dd yyyy").
    const char* built = __DATE__;
    char16_t year[5] = {};
    for (int k = 0; k < 4; k++) year[k] = static_cast<char16_t>(built[7 + k]);
    ShowFormatted(dlg, d, kLegalNotice, kLegalNoticeText, year);
}

// Program print -----------------------------------------------------------

constexpr int kProgramRowText = 33011, kProgramCopies = 33021, kProgramSets = 33031, kProgramScroll = 33093;

void ShowPrograms(HWND dlg, SubDialog* d) {
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    const ProgramPrintForm& f = d->programs;
    for (int i = 0; i < kProgramRowsShown; ++i) {
        int row = f.top + i;
        SetDlgItemInt(dlg, kProgramRowText + i, static_cast<UINT>(row + 1), FALSE);
        // A program without copies is unused: both its fields stay empty.
        if (f.copies[row]) {
            SetDlgItemInt(dlg, kProgramCopies + i, f.copies[row], FALSE);
            SetDlgItemInt(dlg, kProgramSets + i, f.sets[row], FALSE);
        } else {
            SetDlgItemTextW(dlg, kProgramCopies + i, L"");
            SetDlgItemTextW(dlg, kProgramSets + i, L"");
        }
    }
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kProgramRows - kProgramRowsShown, 1, f.top, 0};
    SetScrollInfo(GetDlgItem(dlg, kProgramScroll), SB_CTL, &si, TRUE);
    RemovePropW(dlg, kSuppressProp);
}

// The rows on screen into the form.
void ReadPrograms(HWND dlg, SubDialog* d) {
    for (int i = 0; i < kProgramRowsShown; ++i) {
        wchar_t text[16] = {};
        int row = d->programs.top + i;
        GetDlgItemTextW(dlg, kProgramCopies + i, text, 16);
        d->programs.copies[row] = ParseProgramCount(reinterpret_cast<const char16_t*>(text));
        GetDlgItemTextW(dlg, kProgramSets + i, text, 16);
        uint16_t sets = ParseProgramCount(reinterpret_cast<const char16_t*>(text));
        d->programs.sets[row] = d->programs.copies[row] && !sets ? 1 : sets;  // copies want at least one set
    }
}

void InitProgramPrint(HWND dlg, SubDialog* d) {
    LoadProgramPrint(Copy(d).dm.priv, d->programs);
    for (int i = 0; i < kProgramRowsShown; ++i) {
        SendDlgItemMessageW(dlg, kProgramCopies + i, EM_LIMITTEXT, 4, 0);
        SendDlgItemMessageW(dlg, kProgramSets + i, EM_LIMITTEXT, 4, 0);
    }
    ShowPrograms(dlg, d);
}

void ScrollPrograms(HWND dlg, SubDialog* d, int code, int thumb) {
    int top = d->programs.top;
    switch (code) {
        case SB_LINEUP: case SB_PAGEUP: top--; break;
        case SB_LINEDOWN: case SB_PAGEDOWN: top++; break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: top = thumb; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = kProgramRows; break;
        default: return;
    }
    ReadPrograms(dlg, d);
    d->programs.top = ProgramPrintTop(top);
    ShowPrograms(dlg, d);
}

// Gamma control -----------------------------------------------------------

// Each value's edit, up-down and slider.
struct GammaValue {
    int edit, spin, bar;
};
const GammaValue kGammaValues[] = {{32113, 32114, 32116}, {32119, 32120, 32122}, {32125, 32126, 32128},
                                   {32132, 32133, 32135}, {32138, 32139, 32141}, {32144, 32145, 32147}};
constexpr int kGammaPreview = 32111;

int16_t* GammaField(PrivateSettings& p, int index) {
    int16_t* fields[] = {&p.lightness_GammaControl, &p.chroma_GammaControl, &p.contrast_GammaControl,
                         &p.colorRed_GammaControl, &p.colorGreen_GammaControl, &p.colorBlue_GammaControl};
    return fields[index];
}

int GammaIndexOf(int id, int GammaValue::*which) {
    for (int i = 0; i < 6; ++i)
        if (kGammaValues[i].*which == id) return i;
    return -1;
}

int16_t HeldGamma(int32_t v) { return static_cast<int16_t>(v < -kGammaLimit ? -kGammaLimit : v > kGammaLimit ? kGammaLimit : v); }

// A value into the copy, shown in its edit (unless typed there) and slider;
// the preview follows.
void SetGammaValue(HWND dlg, SubDialog* d, int index, int32_t value, int fromEdit) {
    int16_t v = HeldGamma(value);
    int16_t* field = GammaField(Copy(d).dm.priv, index);
    std::memcpy(field, &v, sizeof v);  // the record is packed
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    if (!fromEdit) ShowSpinEditValue(GetDlgItem(dlg, kGammaValues[index].edit), v);
    SendDlgItemMessageW(dlg, kGammaValues[index].bar, TBM_SETPOS, TRUE, v);
    RemovePropW(dlg, kSuppressProp);
    InvalidateRect(GetDlgItem(dlg, kGammaPreview), nullptr, FALSE);
}

void InitGamma(HWND dlg, SubDialog* d) {
    AttachPageSpinEdits(dlg, kGammaDialog);
    for (int i = 0; i < 6; ++i) {
        HWND bar = GetDlgItem(dlg, kGammaValues[i].bar);
        SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(static_cast<WORD>(-kGammaLimit), static_cast<WORD>(kGammaLimit)));
        SendMessageW(bar, TBM_SETTICFREQ, 5, 0);
        int16_t v = 0;
        std::memcpy(&v, GammaField(Copy(d).dm.priv, i), sizeof v);
        SendDlgItemMessageW(dlg, kGammaValues[i].spin, UDM_SETPOS32, 0, v);
        SetGammaValue(dlg, d, i, v, 0);
    }
    // The sample and a copy of it the values are drawn into; a sample that
    // does not load leaves the preview empty.
    uint8_t mode = Copy(d).dm.priv.colorMode;
    d->gammaSource = LoadResImage(d->host.resources, GammaColorValuesUsed(mode) ? 11964 : 11965);
    DIBSECTION dib = {};
    if (d->gammaSource && GetObjectW(d->gammaSource, sizeof dib, &dib) == sizeof dib) {
        BITMAPINFO info = {};
        info.bmiHeader = dib.dsBmih;
        info.bmiHeader.biHeight = -std::abs(dib.dsBmih.biHeight);
        void* bits = nullptr;
        d->gammaShown = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
}

void DrawGammaPreview(SubDialog* d, const DRAWITEMSTRUCT* item) {
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    DIBSECTION from = {}, to = {};
    if (!d->gammaSource || !d->gammaShown || GetObjectW(d->gammaSource, sizeof from, &from) != sizeof from ||
        GetObjectW(d->gammaShown, sizeof to, &to) != sizeof to)
        return;
    const PrivateSettings& p = Copy(d).dm.priv;
    int16_t v[6];
    for (int i = 0; i < 6; ++i) std::memcpy(&v[i], GammaField(Copy(d).dm.priv, i), sizeof v[i]);
    int width = from.dsBm.bmWidth, height = from.dsBm.bmHeight, bits = from.dsBm.bmBitsPixel;
    auto* src = static_cast<const uint8_t*>(from.dsBm.bmBits);
    auto* dst = static_cast<uint8_t*>(to.dsBm.bmBits);
    int ok = GammaPreviewInColor(p.colorMode)
                 ? ApplyColorGamma(dst, src, width, bits, from.dsBm.bmWidthBytes, height, v[0], v[1], v[2], v[3], v[4], v[5])
                 : ApplyMonoGamma(dst, src, width, bits, from.dsBm.bmWidthBytes, height, v[0], v[2]);
    if (!ok) return;
    GdiFlush();
    HDC memory = CreateCompatibleDC(item->hDC);
    HGDIOBJ old = SelectObject(memory, d->gammaShown);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void GammaCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    int index = GammaIndexOf(id, &GammaValue::edit);
    if (index < 0 || code != EN_CHANGE) return;
    int32_t v = 0;
    CommitSpinEdit(GetDlgItem(dlg, id));  // the up-down takes the typed value, held to its range
    if (SpinEditValue(GetDlgItem(dlg, id), &v)) SetGammaValue(dlg, d, index, v, 1);
}

void GammaScroll(HWND dlg, SubDialog* d, HWND bar) {
    int index = GammaIndexOf(GetDlgCtrlID(bar), &GammaValue::bar);
    if (index < 0) return;
    int32_t v = static_cast<int32_t>(SendMessageW(bar, TBM_GETPOS, 0, 0));
    SendDlgItemMessageW(dlg, kGammaValues[index].spin, UDM_SETPOS32, 0, v);
    SetGammaValue(dlg, d, index, v, 0);
}

// The procedure ---------------------------------------------------------

// Output mode -----------------------------------------------------------

void InitOutputMode(HWND dlg, SubDialog* d) {
    // The drives are listed once, when the dialog opens.
    auto* drives = static_cast<UsbDriveEntry*>(std::calloc(kUsbDriveRoom, sizeof(UsbDriveEntry)));
    int count = 0;
    if (drives && Copy(d).dm.priv.outputMode == 3) ListUsbDrives(drives, &count);
    LoadOutputModeForm(Copy(d), drives, count, d->output);
    std::free(drives);
    ShowOutputModeForm(dlg, Copy(d), d->host.resources, d->host.language, d->output);
}

// Face up asks first when it would switch features off.
void OutputTrayCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    if (code != BN_CLICKED || (id != kFaceUp && id != kFaceDown)) return;
    PrivateSettings& p = Copy(d).dm.priv;
    if (id == kFaceUp) ChooseFaceUpAsking(dlg, d->host.resources, d->host.language, p);
    else p.faceUpDown_OutputTray = 2;
    ShowState(dlg, d);
}

// Over the middle of the sheet it was opened from, kept on its monitor.
void CentreOverOwner(HWND dlg) {
    HWND owner = GetAncestor(GetParent(dlg), GA_ROOT);
    RECT o, r;
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dlg, &r)) return;
    MONITORINFO m = {sizeof m, {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &m)) return;
    int cx = r.right - r.left, cy = r.bottom - r.top;
    int x = o.left + (o.right - o.left - cx) / 2, y = o.top + (o.bottom - o.top - cy) / 2;
    x = x + cx > m.rcWork.right ? m.rcWork.right - cx : x;
    y = y + cy > m.rcWork.bottom ? m.rcWork.bottom - cy : y;
    SetWindowPos(dlg, nullptr, x < m.rcWork.left ? m.rcWork.left : x, y < m.rcWork.top ? m.rcWork.top : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Init(HWND dlg, SubDialog* d) {
    CentreOverOwner(dlg);
    ShowState(dlg, d);
    if (d->templateId == kCustomSizeDialog) InitCustomSize(dlg, d);
    if (d->templateId == kTrayPerPageDialog) InitTrayPerPage(dlg, d);
    if (d->templateId == kOutputModeDialog) InitOutputMode(dlg, d);
    if (d->templateId == kCarbonCopyDialog) InitCarbonCopy(dlg, d);
    if (d->templateId == kVersionDialog) InitVersion(dlg, d);
    if (d->templateId == kProgramPrintDialog) InitProgramPrint(dlg, d);
    if (d->templateId == kGammaDialog || d->templateId == kGammaMonoDialog) InitGamma(dlg, d);
    if (d->templateId == kImagePositionDialog)
        InitImagePosition(dlg, Copy(d), d->position, d->host.resources, d->host.language);
    if (d->templateId == kSideMarginDialog)
        InitSideMarginDialog(dlg, d->host.resources, d->host.language, Copy(d), d->margin);
    if (d->templateId == kBookletBindingDialog)
        InitBookletBindingDialog(dlg, d->host.resources, d->host.language, Copy(d), d->booklet);
    if (d->templateId == kWatermarkDialog)
        InitWatermarkDialog(dlg, d->host.resources, d->host.language, *d->copy->copy, d->watermark);
    if (d->templateId == kPerfectBindingDialog) {
        InitPerfectBindingDialog(dlg, d->host.resources, d->host.language, Copy(d));
        ShowState(dlg, d);  // the lists as the opening's tray rules left them
    }
}

int Ok(HWND dlg, SubDialog* d) {
    if (d->templateId == kCustomSizeDialog) {
        ReadCustomValue(dlg, d, kWidthEdit);
        ReadCustomValue(dlg, d, kLengthEdit);
        StoreCustomSize(d->size, Copy(d));
    }
    if (d->templateId == kTrayPerPageDialog) return TrayOk(dlg, d);
    if (d->templateId == kSideMarginDialog) StoreSideMarginDialog(dlg, d->margin, Copy(d));
    if (d->templateId == kBookletBindingDialog) StoreBookletBindingDialog(dlg, d->booklet, Copy(d));
    if (d->templateId == kPerfectBindingDialog) StoreCoverLength(dlg, Copy(d));
    if (d->templateId == kCoverDialog) StoreCoverDialog(Copy(d).dm.priv);
    if (d->templateId == kOutputModeDialog) {
        ReadOutputModeForm(dlg, d->output);
        StoreOutputModeForm(d->output, Copy(d).dm.priv);
    }
    if (d->templateId == kCarbonCopyDialog) return CarbonOk(dlg, d);
    if (d->templateId == kProgramPrintDialog) {
        ReadPrograms(dlg, d);
        StoreProgramPrint(d->programs, Copy(d).dm.priv);
    }
    return 1;
}

void Command(HWND dlg, SubDialog* d, int id, UINT code) {
    if (d->templateId == kTrayPerPageDialog) return TrayCommand(dlg, d, id, code);
    if (d->templateId == kOutputTrayDialog) return OutputTrayCommand(dlg, d, id, code);
    if (d->templateId == kCarbonCopyDialog) return CarbonCommand(dlg, d, id, code);
    if (d->templateId == kVersionDialog) {
        if (id == kVersionHelp && code == BN_CLICKED) OpenVersionHelp(dlg, d);
        return;
    }
    if (d->templateId == kFormOverlayDialog && code == BN_CLICKED &&
        ShowFormOverlaySide(d->state, Copy(d).dm.priv, static_cast<uint32_t>(id)))
        return ShowState(dlg, d);
    if (d->templateId == kGammaDialog || d->templateId == kGammaMonoDialog) {
        GammaCommand(dlg, d, id, code);
        if (code != BN_CLICKED) return;
    }
    if (d->templateId == kImagePositionDialog) return ImagePositionCommand(dlg, id, code, d->position, Copy(d).dm.priv);
    if (d->templateId == kSideMarginDialog)
        return SideMarginCommand(dlg, d->host.resources, d->host.language, Copy(d).dm.priv, id, code);
    if (d->templateId == kBookletBindingDialog) return BookletBindingCommand(dlg, d->booklet, id, code);
    if (d->templateId == kWatermarkDialog) {
        int r = WatermarkCommand(dlg, d->watermark, *d->copy->copy, id, code);
        if (r == kWatermarkRefresh) ShowState(dlg, d);
        if (r != kWatermarkNotMine) return;
    }
    if (d->templateId == kPerfectBindingDialog && PerfectBindingCommand(dlg, Copy(d), id, code)) return;
    if (d->templateId == kCustomSizeDialog) {
        if ((id == kWidthEdit || id == kLengthEdit) && code == EN_CHANGE) CommitSpinEdit(GetDlgItem(dlg, id));
        if ((id == kWidthEdit || id == kLengthEdit) && code == EN_KILLFOCUS) ReadCustomValue(dlg, d, id);
        return;
    }
    // Fields of the page model: the value into the copy (with what the
    // dialog makes follow it), then the refresh.
    if (code != BN_CLICKED && code != CBN_SELCHANGE) return;
    for (int i = 0; i < d->state.controlCount; ++i) {
        const ControlState& cs = d->state.control[i];
        if (cs.id != static_cast<uint32_t>(id)) continue;
        uint32_t value = 0;
        if (cs.kind == kComboControl || cs.kind == kPiccomboControl) {
            LRESULT sel = SendDlgItemMessageW(dlg, id, CB_GETCURSEL, 0, 0);
            if (code != CBN_SELCHANGE || sel < 0 || sel >= cs.itemCount) return;
            if (ChangeSubDialogControl(d->templateId, *d->copy->copy, cs.id, cs.item[sel].value) != kChangeWritten) return;
            if (d->templateId == kFormOverlayDialog) ShowFormOverlaySide(d->state, Copy(d).dm.priv, cs.id);
            ShowState(dlg, d);
            return;
        }
        if (code != BN_CLICKED) return;
        if (cs.kind == kCheckControl) value = IsDlgButtonChecked(dlg, id) == BST_CHECKED;
        else if (cs.kind == kRadioControl) {
            value = 1;
            for (int k = 0; k < kRadioValueRowCount; ++k)
                if (kRadioValueRows[k].id == cs.id) value = kRadioValueRows[k].value;
        } else return;
        if (ChangePageControl(d->templateId, *d->copy->copy, cs.id, value, nullptr) == kChangeWritten) ShowState(dlg, d);
        return;
    }
}

void Finish(HWND dlg, SubDialog* d, int commit) {
    if (d->templateId == kVersionDialog) commit = 0;  // it shows, it changes nothing
    CloseWorkingCopy(d->copy, commit);
    d->copy = nullptr;
    // The image position's Cancel ends as its OK does: the page refreshes either way.
    EndDialog(dlg, commit || d->templateId == kImagePositionDialog ? 1 : 2);
}

INT_PTR CALLBACK SubDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<SubDialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            d = reinterpret_cast<SubDialog*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
            d->copy = OpenWorkingCopy(d->host.input);
            if (!d->copy) {
                EndDialog(dlg, -1);
                return TRUE;
            }
            d->copy->copy->last = LastChange{0, 0};
            InitPageImages(dlg, d->host.resources, d->templateId);
            Init(dlg, d);
            return TRUE;
        case WM_COMMAND: {
            if (!d || !d->copy) return FALSE;
            int id = LOWORD(wParam);
            if (id == IDOK) {
                SetFocus(dlg);  // an edit being typed in is taken first
                if (Ok(dlg, d)) Finish(dlg, d, 1);
                return TRUE;
            }
            if (id == IDCANCEL) {
                Finish(dlg, d, 0);
                return TRUE;
            }
            if (!GetPropW(dlg, kSuppressProp)) Command(dlg, d, id, HIWORD(wParam));
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            if (!d || !d->copy || h->code != UDN_DELTAPOS) return FALSE;
            SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));  // the up-down moves itself, the edit's text follows
            return FALSE;
        }
        case WM_HSCROLL:
            if (d && d->copy && lParam && !GetPropW(dlg, kSuppressProp)) GammaScroll(dlg, d, reinterpret_cast<HWND>(lParam));
            if (d && d->copy && lParam && d->templateId == kWatermarkDialog)
                WatermarkScroll(dlg, d->watermark, Copy(d).dm.priv, reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_VSCROLL:
            if (d && d->copy && d->templateId == kProgramPrintDialog)
                ScrollPrograms(dlg, d, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            else
                SpinScrolled(reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CTLCOLOREDIT:
            if (!d || d->templateId != kTrayPerPageDialog) return FALSE;
            return reinterpret_cast<INT_PTR>(TrayColour(d, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_MEASUREITEM:
            return MeasurePageImage(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!d) return FALSE;
            if (item->CtlID == static_cast<UINT>(kGammaPreview)) {
                DrawGammaPreview(d, item);
                return TRUE;
            }
            if (d->templateId == kImagePositionDialog && DrawImagePositionArrow(d->host.resources, item, d->position))
                return TRUE;
            if (d->templateId == kSideMarginDialog && DrawSideMarginPicture(d->host.resources, Copy(d).dm.priv, item))
                return TRUE;
            if (d->templateId == kBookletBindingDialog && DrawBookletBindingPicture(d->host.resources, item)) return TRUE;
            if (d->templateId == kWatermarkDialog && DrawWatermarkPreview(d->watermark, Copy(d).dm.priv, item)) return TRUE;
            // The table's pictures, picture lists and lines; the pictures that follow the choices come from the model.
            if (!ModelPicture(item->CtlID) && DrawPageImage(d->host.resources, d->templateId, item)) return TRUE;
            for (int i = 0; i < d->state.controlCount; ++i) {
                const ControlState& cs = d->state.control[i];
                if (cs.id != item->CtlID) continue;
                if (cs.kind == kSeparatorControl) DrawSeparator(item);
                // A side without a form shows a blank sheet.
                if (cs.id == kFormPreview && !cs.itemCount) {
                    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                    FrameRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
                }
                if (cs.kind == kPictureControl && ModelPicture(cs.id) && cs.itemCount)
                    DrawResImageStatic(d->host.resources, item, static_cast<uint16_t>(cs.item[0].value));
                return TRUE;
            }
            return FALSE;
        }
        case WM_SETCURSOR:
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            if (!d || !d->copy || d->templateId != kWatermarkDialog) return FALSE;
            INT_PTR answer = 0;
            int r = WatermarkMouse(dlg, d->watermark, Copy(d).dm.priv, message, wParam, lParam, &answer);
            if (r == kWatermarkRefresh) ShowState(dlg, d);
            if (r == kWatermarkNotMine) return FALSE;
            SetWindowLongPtrW(dlg, DWLP_MSGRESULT, answer);
            return TRUE;
        }
        case WM_DESTROY:
            if (d) ReleasePageImages(dlg, d->templateId);
            if (d && d->gammaSource) DeleteObject(d->gammaSource), d->gammaSource = nullptr;
            if (d && d->gammaShown) DeleteObject(d->gammaShown), d->gammaShown = nullptr;
            if (d && d->copy) CloseWorkingCopy(d->copy, 0), d->copy = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR OpenSubDialog(HWND owner, const SubDialogHost& host, uint16_t templateId, int target) {
    if (!host.input) return -1;
    if (templateId == kStampDialog) return OpenStampDialog(owner, host);  // a tab control of panels
    // The dialog's state holds a page of controls: too large for the stack.
    auto* d = static_cast<SubDialog*>(std::calloc(1, sizeof(SubDialog)));
    if (!d) return -1;
    d->host = host;
    if (templateId == kGammaDialog && host.input->session) templateId = GammaDialogTemplate(host.input->session->env);
    d->templateId = templateId;
    d->target = target;
    INT_PTR r = ResDialogBox(host.resources, owner, templateId, SubDialogProc, reinterpret_cast<LPARAM>(d),
                             host.language);
    if (d->copy) CloseWorkingCopy(d->copy, 0);
    if (d->markBrush) DeleteObject(d->markBrush);
    std::free(d);
    return r;
}
