// The user-defined paper dialog's procedure: controls filled from the
// store, buttons handed to the portable half (user_paper_dialog.cpp).
#include "ui/user_paper_dialog_win32.h"

#include <commctrl.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "model/rdf.h"
#include "snmp/printer_config.h"
#include "ui/file_choosers_win32.h"
#include "ui/own_dialog_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"
#include "ui/user_paper_dialog.h"

namespace {

constexpr int kWidthEdit = 30911, kWidthSpin = 30912, kWidthUnit = 30913, kWidthRange = 30914;
constexpr int kLengthEdit = 30916, kLengthSpin = 30917, kLengthUnit = 30918, kLengthRange = 30919;
constexpr int kNameEdit = 30921, kList = 30922, kRegister = 30923, kDelete = 30924, kFetch = 30925;
constexpr int kImport = 30926, kExport = 30927, kLine = 30928;
constexpr uint32_t kFilterText = 20462, kExtensionText = 25298, kFetchFailedText = 20552;
constexpr DWORD kLargestFile = kExchangeBlockSize * (kUserPaperSlots + 1);

const wchar_t kDataProp[] = L"PROP_UDPDATA";

// Names in the file use the system's 8-bit code page.
void SystemBytes(const char16_t* text, char* out, int capacity) {
    std::memset(out, 0, static_cast<size_t>(capacity));
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text), -1, out, capacity - 1, nullptr, nullptr);
    out[capacity - 1] = 0;
}
void SystemText(const char* bytes, int length, char16_t* out, int capacity) {
    std::memset(out, 0, sizeof(char16_t) * static_cast<size_t>(capacity));
    int n = 0;
    while (n < length && bytes[n]) n++;
    MultiByteToWideChar(CP_ACP, 0, bytes, n, reinterpret_cast<wchar_t*>(out), capacity - 1);
    out[capacity - 1] = 0;
}
const ExchangeNameCodePage kSystemNames = {SystemBytes, SystemText};

// A form that exists already takes the paper's size.
int SetSpoolerForm(PrinterHandle printer, const FormInfo& form) {
    FORM_INFO_1W f;
    std::memset(&f, 0, sizeof f);
    f.Flags = form.flags;
    f.pName = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(form.name.c_str()));
    f.Size.cx = form.width;
    f.Size.cy = form.height;
    f.ImageableArea.right = form.right;
    f.ImageableArea.bottom = form.bottom;
    return SetFormW(printer, f.pName, 1, reinterpret_cast<LPBYTE>(&f)) ? 1 : 0;
}

struct Dialog {
    uint32_t shownSlot;     // the slot shown last
    UserPaperNames names;   // the store's table as the dialog works on it
    HMODULE resources;
    uint16_t language;
    HANDLE printer;
    const PrinterEnvironment* env;
    UserPaperUnit unit;
};

void ResText(HWND dlg, Dialog* d, int id, uint32_t stringId) {
    wchar_t text[64] = {};
    LoadResString(d->resources, stringId, text, 64, d->language);
    SetDlgItemTextW(dlg, id, text);
}

void ShowSizes(HWND dlg, int32_t width, int32_t length) {
    ShowSpinEditValue(GetDlgItem(dlg, kWidthEdit), width);
    ShowSpinEditValue(GetDlgItem(dlg, kLengthEdit), length);
}

void FillList(HWND dlg, Dialog* d) {
    SendDlgItemMessageW(dlg, kList, LB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < kUserPaperSlots; slot++) {
        char16_t name[kUserPaperNameChars + 1];
        if (!GetPaperName(&d->names, slot, name)) continue;
        LRESULT item = SendDlgItemMessageW(dlg, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (item >= 0) SendDlgItemMessageW(dlg, kList, LB_SETITEMDATA, item, slot);
    }
}

void UpdateButtons(HWND dlg, Dialog* d) {
    EnableWindow(GetDlgItem(dlg, kRegister), CountPapers(&d->names) < kUserPaperSlots);
    EnableWindow(GetDlgItem(dlg, kExport), SendDlgItemMessageW(dlg, kList, LB_GETSELCOUNT, 0, 0) > 0);
}

// No selection, no name, the default size.
void ResetEdits(HWND dlg, Dialog* d) {
    SendDlgItemMessageW(dlg, kList, LB_SETSEL, FALSE, -1);
    SetDlgItemTextW(dlg, kNameEdit, L"");
    ShowSizes(dlg, d->unit.defaultWidth, d->unit.defaultLength);
    UpdateButtons(dlg, d);
}

void Init(HWND dlg, void* data) {
    Dialog* d = static_cast<Dialog*>(data);
    auto ctx = std::make_unique<RdfContext>();
    const RdfInfo* model = LoadRdfContext(ctx.get(), d->printer) ? &ctx->info : nullptr;
    d->unit = UserPaperUnitFor(d->env ? d->env->unitOfLength : 0, model);
    ReleaseRdfContext(ctx.get());
    LoadPaperNames(d->printer, &d->names);
    FillList(dlg, d);
    SendDlgItemMessageW(dlg, kNameEdit, EM_LIMITTEXT, kUserPaperNameChars, 0);
    const UserPaperUnit& u = d->unit;
    const struct { int edit, spin, unitText, range, low, high, value; } sizes[] = {
        {kWidthEdit, kWidthSpin, kWidthUnit, kWidthRange, u.widthMin, u.widthMax, u.defaultWidth},
        {kLengthEdit, kLengthSpin, kLengthUnit, kLengthRange, u.lengthMin, u.lengthMax, u.defaultLength},
    };
    for (const auto& s : sizes) {
        SendDlgItemMessageW(dlg, s.edit, EM_LIMITTEXT, kUserPaperSizeChars, 0);
        SendDlgItemMessageW(dlg, s.spin, UDM_SETBASE, 10, 0);
        SendDlgItemMessageW(dlg, s.spin, UDM_SETRANGE32, s.low, s.high);
        SendDlgItemMessageW(dlg, s.spin, UDM_SETPOS32, 0, s.value);
        AttachDecimalSpinEdit(GetDlgItem(dlg, s.spin), GetDlgItem(dlg, s.edit), u.decimals);
        ShowSpinEditValue(GetDlgItem(dlg, s.edit), s.value);
        ResText(dlg, d, s.unitText, u.labelId);
        char16_t range[48];
        UserPaperRangeText(u, s.edit == kLengthEdit, range, 48);
        SetDlgItemTextW(dlg, s.range, reinterpret_cast<const wchar_t*>(range));
    }
    UpdateButtons(dlg, d);
}

void ShowSelected(HWND dlg, Dialog* d) {
    int item = -1;
    if (SendDlgItemMessageW(dlg, kList, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&item)) < 1 || item < 0) {
        UpdateButtons(dlg, d);
        return;
    }
    const int slot = static_cast<int>(SendDlgItemMessageW(dlg, kList, LB_GETITEMDATA, item, 0));
    UserPaperRecord r;
    if (ReadPaper(d->printer, &d->names, slot, &r)) {
        d->shownSlot = static_cast<uint32_t>(slot);
        SetDlgItemTextW(dlg, kNameEdit, reinterpret_cast<const wchar_t*>(r.name));
        int32_t width = 0, length = 0;
        ShownUserPaperSize(d->unit, r, &width, &length);
        ShowSizes(dlg, width, length);
    }
    UpdateButtons(dlg, d);
}

// A registered slot gets a list item unless one of that name is there.
void AddItem(HWND dlg, Dialog* d, int slot) {
    char16_t name[kUserPaperNameChars + 1];
    if (!GetPaperName(&d->names, slot, name)) return;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(name);
    if (SendDlgItemMessageW(dlg, kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) !=
        LB_ERR)
        return;
    LRESULT item = SendDlgItemMessageW(dlg, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (item >= 0) SendDlgItemMessageW(dlg, kList, LB_SETITEMDATA, item, slot);
}

void Register(HWND dlg, Dialog* d) {
    wchar_t name[kUserPaperNameChars + 1] = {}, width[10] = {}, length[10] = {};
    GetDlgItemTextW(dlg, kNameEdit, name, kUserPaperNameChars + 1);
    GetDlgItemTextW(dlg, kWidthEdit, width, 10);
    GetDlgItemTextW(dlg, kLengthEdit, length, 10);
    UserPaperRecord r;
    if (!TypedUserPaper(d->unit, reinterpret_cast<char16_t*>(name), reinterpret_cast<char16_t*>(width),
                        reinterpret_cast<char16_t*>(length), SpinDecimalSeparator(), &r))
        return;
    const int slot = RegisterPaper(d->printer, &d->names, r);
    if (slot >= 0) AddItem(dlg, d, slot);
    UpdateButtons(dlg, d);
}

void Delete(HWND dlg, Dialog* d) {
    int items[kUserPaperSlots] = {};
    LRESULT n = SendDlgItemMessageW(dlg, kList, LB_GETSELITEMS, kUserPaperSlots, reinterpret_cast<LPARAM>(items));
    for (LRESULT i = n - 1; i >= 0; i--) {
        const int slot = static_cast<int>(SendDlgItemMessageW(dlg, kList, LB_GETITEMDATA, items[i], 0));
        DeletePaper(d->printer, &d->names, slot);
        SendDlgItemMessageW(dlg, kList, LB_DELETESTRING, items[i], 0);
    }
    ResetEdits(dlg, d);
}

void Fetch(HWND dlg, Dialog* d) {
    auto papers = std::make_unique<RegisteredPaperSize[]>(kRegisteredPaperRows);
    uint32_t count = 0;
    if (!d->env || !GetRegisteredPaperSizes(d->printer, d->env, papers.get(), &count)) {
        ShowResInformation(dlg, d->resources, d->language, kFetchFailedText);
        return;
    }
    RegisterFetchedPapers(d->printer, &d->names, papers.get(), count);
    FillList(dlg, d);
    ResetEdits(dlg, d);
}

void Import(HWND dlg, Dialog* d) {
    wchar_t path[MAX_PATH] = {};
    if (!ChooseFile(d->resources, dlg, path, kFilterText, kExtensionText, 0, d->language)) return;
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::vector<uint8_t> bytes(kLargestFile);
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), kLargestFile, &read, nullptr)) read = 0;
    CloseHandle(file);
    int slots[kUserPaperSlots] = {};
    const int n = ImportUserPapers(d->printer, &d->names, bytes.data(), read, kSystemNames, slots);
    for (int i = 0; i < n; i++) AddItem(dlg, d, slots[i]);
    SavePaperNames(d->printer, &d->names);
    ResetEdits(dlg, d);
}

void Export(HWND dlg, Dialog* d) {
    int items[kUserPaperSlots] = {};
    LRESULT n = SendDlgItemMessageW(dlg, kList, LB_GETSELITEMS, kUserPaperSlots, reinterpret_cast<LPARAM>(items));
    if (n <= 0) return;
    wchar_t path[MAX_PATH] = {};
    if (!ChooseFile(d->resources, dlg, path, kFilterText, kExtensionText, 1, d->language)) return;
    int slots[kUserPaperSlots] = {};
    for (LRESULT i = 0; i < n; i++)
        slots[i] = static_cast<int>(SendDlgItemMessageW(dlg, kList, LB_GETITEMDATA, items[i], 0));
    std::vector<uint8_t> bytes;
    ExportUserPapers(d->printer, &d->names, slots, static_cast<int>(n), kSystemNames, &bytes);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void Command(HWND dlg, void* data, int id, UINT code) {
    Dialog* d = static_cast<Dialog*>(data);
    if ((id == kWidthEdit || id == kLengthEdit) && code == EN_CHANGE) CommitSpinEdit(GetDlgItem(dlg, id));
    if (id == kList && code == LBN_SELCHANGE) ShowSelected(dlg, d);
    if (code != BN_CLICKED) return;
    switch (id) {
        case kRegister: Register(dlg, d); break;
        case kDelete: Delete(dlg, d); break;
        case kFetch: Fetch(dlg, d); break;
        case kImport: Import(dlg, d); break;
        case kExport: Export(dlg, d); break;
        case IDOK:
        case IDCANCEL:
            RegisterUserPaperForms(d->printer, SetSpoolerForm);
            EndDialog(dlg, 2);
            break;
        default: break;
    }
}

const OwnDialog kUserPaperKind = {kDataProp, Init, Command, kLine, 1};

INT_PTR CALLBACK UserPaperProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnDialogMessage(kUserPaperKind, dlg, message, wParam, lParam);
}

}  // namespace

INT_PTR OpenUserPaperDialog(HWND owner, HMODULE resources, uint16_t language, HANDLE printer,
                            const wchar_t* printerName, const PrinterEnvironment* env) {
    auto* d = static_cast<Dialog*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Dialog)));
    if (!d) return -1;
    d->resources = resources;
    d->language = language;
    d->env = env;
    HANDLE own = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (printerName && OpenPrinterW(const_cast<LPWSTR>(printerName), &own, &all) && own) d->printer = own;
    else d->printer = printer;
    INT_PTR r = ResDialogBox(resources, owner, kUserPaperDialog, UserPaperProc, reinterpret_cast<LPARAM>(d), language);
    if (own) ClosePrinter(own);
    HeapFree(GetProcessHeap(), 0, d);
    return r;
}
