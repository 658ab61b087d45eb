// Sub-dialogs opened from the tabs of a real sheet under Wine, one table of
// scenarios a tab group: a tab set up, a button opens its dialog over a
// working copy, an action in it, then OK (the settings the sheet writes back
// take it) or Cancel (they keep theirs); what the dialog showed is read on
// the way. The questions are answered Yes and No, and the refusals (a tray
// pattern too short, a USB drive that is not there) keep what they guard.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/platform_win32.h"
#include "ui/device_sheet_harness_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kMixedSizes = 30228, kMixedSizesButton = 30229, kRotateLarger = 31818;
constexpr int kOriginalSize = 30223, kCustomWidth = 31711, kCustomWidthRange = 31714, kCustomLength = 31716;
constexpr int kTrayPerPageButton = 30239, kTray3List = 31418, kRepeat = 31421, kRepeatLength = 31422, kRepeatHint = 31424;
constexpr int kOutputMode = 30244, kOutputModeButton = 30245, kFolderList = 31915, kDriveList = 31911;
constexpr int kBlankCut = 30729, kOutputTray = 30533, kOutputTrayButton = 30534, kFaceUp = 32811, kFaceDown = 32812, kPagesPerSheet = 30411;
constexpr int kImagePosition = 30420, kImagePositionButton = 30421, kFrontVertical = 32017, kFrontUnit = 32019;
constexpr int kSideMarginButton = 30512, kSideMarginEdit = 32613, kSideMarginUnit = 32615;
constexpr int kBookletBindingButton = 30523, kSeparateBooks = 32512, kCoverWithBook = 32524, kSheetsPerBook = 32514,
              kCentreMarginUnit = 32520, kBookletBinding = 30522;
constexpr int kCovers = 30530, kCoversButton = 30531, kBackCover = 32415;
constexpr int kMailMakingButton = 30549, kInserts = 32920, kInsertTray = 32924, kEnvelopePicture = 32911;
constexpr int kPerfectBinding = 30546, kPerfectBindingButton = 30547, kBodySize = 33915, kCoverLength = 33925,
              kCoverLengthRange = 33937, kPbCoverTray = 33932, kPbCoverSides = 33930, kPbLeftPicture = 33938;
constexpr int kProfileButton = 30631, kProfileList = 32211;
constexpr int kFormButton = 30724, kFormList = 33826, kGammaButton = 30629, kGammaDialog = 32111;
constexpr int kSeparateForms = 33824, kFormSideBack = 33836, kFormSideNext = 33837, kFormPageShown = 33833;
constexpr int kLightnessBar = 32116, kLightnessShown = 32113, kContrast = 32125;
constexpr int kPasswordCheck = 30716, kPasswordEdit = 30717, kOwnerEdit = 30711, kJobEdit = 30714, kCommentEdit = 30721;
constexpr int kCarbonButton = 30743, kCarbonList = 34003, kCarbonUp = 34004;
constexpr int kProgramButton = 30726, kProgramBar = 33093, kVersionButton = 30731, kVersionText = 30814;
constexpr int kStamp = 30418, kStampButton = 30419, kStampTabs = 33410;

// What a scenario read while the sheet was open.
struct Seen {
    DWORD thread;
    int answer;  // the dialog's button, or a question's
    HWND sheet = nullptr;
    int shown = 0, closed = 0, inches = 0;
    int checked = -1;              // a box or radio as shown after a question's answer
    std::vector<int> probes = {};  // states read in the order the row reads them
    std::wstring text = {};        // texts read, each in brackets, and questions' messages
};

struct Row {
    const char* name;
    void (*env)(PrinterEnvironment&) = nullptr;  // the printer's options before the sheet opens
    void (*job)(PrivateSettings&) = nullptr;     // the job handed in (null: the printer's defaults)
    void (*setup)(HWND sheet, Seen*) = nullptr;  // the tabs set up before the button
    int button = 0;   // clicked on its tab (0: the setup opened the dialog or asked the question)
    int dialog = 0;   // the dialog found by this control (0: none)
    void (*act)(HWND dialog, Seen*) = nullptr;  // in the dialog, or on the button's tab
    std::vector<int> answers = {IDOK, IDCANCEL};
    int end = PSBTN_OK;  // the sheet's button at the end
    std::vector<int> probes = {};
    const wchar_t* text = nullptr;  // found in Seen::text
    void (*expect)(const PrivateSettings&, const Seen&, bool ok) = nullptr;  // ok: OK or Yes
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// The tab holding the control, shown (the current one stays if it has it).
HWND Tab(HWND sheet, int control) {
    for (int i = -1; i < 8; ++i) {
        if (i >= 0) SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        HWND page = CurrentPage(sheet);
        if (page && GetDlgItem(page, control)) return page;
    }
    return nullptr;
}

void Click(HWND w, int id, int check) {
    if (check) SendDlgItemMessageW(w, id, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
}

// A list's entry chosen as the user picks it: by its item data, or by index.
void Choose(HWND w, int combo, LRESULT data) {
    HWND list = GetDlgItem(w, combo);
    for (LRESULT i = 0, n = SendMessageW(list, CB_GETCOUNT, 0, 0); i < n; ++i)
        if (SendMessageW(list, CB_GETITEMDATA, i, 0) == data) SendMessageW(list, CB_SETCURSEL, i, 0);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Pick(HWND w, int combo, int index) {
    SendDlgItemMessageW(w, combo, CB_SETCURSEL, index, 0);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(w, combo)));
}

int Enabled(HWND w, int id) { return IsWindowEnabled(GetDlgItem(w, id)) ? 1 : 0; }
int Visible(HWND w, int id) { return IsWindowVisible(GetDlgItem(w, id)) ? 1 : 0; }
int Checked(HWND w, int id) { return IsDlgButtonChecked(w, id) == BST_CHECKED ? 1 : 0; }
// A picture control's width once painted: a drawn picture sizes it to itself.
int PictureWidth(HWND w, int id) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetClientRect(GetDlgItem(w, id), &r);
    return r.right;
}

void Read(HWND w, int id, Seen* s) {
    wchar_t text[64] = {};
    GetDlgItemTextW(w, id, text, 64);
    s->text += L"[" + std::wstring(text) + L"]";
}

// The unit a dialog shows: inches or millimetres (a probe that it is one of them).
void Unit(HWND w, int id, const wchar_t* inches, const wchar_t* mm, Seen* s) {
    Read(w, id, s);
    s->inches = s->text == L"[" + std::wstring(inches) + L"]";
    if (mm) s->probes.push_back(s->inches || s->text == L"[" + std::wstring(mm) + L"]");
}

// The message box the last step raised: its text kept, answered with the run's answer.
void Answer(Seen* s, int button) {
    if (HWND box = WaitForWindowWith(s->thread, button)) {
        wchar_t message[512] = {};
        GetDlgItemTextW(box, 0xFFFF, message, 512);
        s->text += message;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(s->answer, BN_CLICKED), 0);
        WaitClosed(box);
        Sleep(300);
    }
}

// The sheet's thread is the test's; this runs on a second thread.
void Drive(const Row* r, Seen* s) {
    HWND sheet = s->sheet = WaitForSheet(s->thread, kWaitMs);
    if (!sheet) return;
    if (r->setup) r->setup(sheet, s);
    HWND w = r->button ? Tab(sheet, r->button) : CurrentPage(sheet);
    if (w && r->button)
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(r->button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, r->button)));
    if (r->dialog) s->shown = (w = WaitForWindowWith(s->thread, r->dialog)) != nullptr;
    if (w && r->act) r->act(w, s);
    if (w && r->dialog) {  // a question's answer leaves its dialog to OK
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(s->answer == IDCANCEL ? IDCANCEL : IDOK, BN_CLICKED), 0);
        s->closed = WaitClosed(w);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, r->end, 0);
}

void InstallDemo(const wchar_t* printer) {
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(printer);
    ASSERT_TRUE(AddDriverWithFiles(L"KELO ZR-C4500", L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(printer, L"KELO ZR-C4500", L"FILE:")) << GetLastError();
    ASSERT_TRUE(InitializeThroughDriver(printer, L"KELO ZR-C4500")) << GetLastError();
}

// The stored environment changed as the printer would report it.
void StoreEnvironment(const wchar_t* printer, void (*change)(PrinterEnvironment&)) {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), &h, &all));
    auto env = std::make_unique<PrinterEnvironment>();
    DWORD type = 0, size = 0;
    ASSERT_EQ(0u, GetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), &type, reinterpret_cast<BYTE*>(env.get()),
                                  sizeof *env, &size));
    change(*env);
    EXPECT_EQ(0u, SetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), REG_BINARY, reinterpret_cast<BYTE*>(env.get()),
                                  sizeof *env));
    ClosePrinter(h);
}

// Each row on a fresh printer, once per answer: the printing preferences
// with the prompt, driven on a second thread; what was read and written back.
template <size_t N>
void RunScenarios(const Row (&rows)[N]) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        InstallDemo(printer);
        if (r.env) StoreEnvironment(printer, r.env);
        for (int answer : r.answers) {
            SCOPED_TRACE(answer == IDOK ? "OK" : answer == IDCANCEL ? "Cancel" : answer == IDYES ? "Yes" : "No");
            Seen s{.thread = GetCurrentThreadId(), .answer = answer};
            std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
            HANDLE h = nullptr;
            ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr));
            std::vector<BYTE> job(out.size(), 0);
            if (r.job) {
                DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(job.data()),
                                    nullptr, DM_OUT_BUFFER);
                r.job(reinterpret_cast<DriverDevMode*>(job.data())->priv);
            }
            std::thread driver(Drive, &r, &s);
            DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out.data()),
                                r.job ? reinterpret_cast<PDEVMODEW>(job.data()) : nullptr,
                                DM_IN_PROMPT | DM_OUT_BUFFER | (r.job ? DM_IN_BUFFER : 0));
            driver.join();
            ClosePrinter(h);
            const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
            EXPECT_EQ(r.end == PSBTN_OK, dm->pub.dmSize != 0);  // written back only by the sheet's OK
            if (r.dialog) {
                EXPECT_TRUE(s.shown && s.closed);
            }
            EXPECT_EQ(r.probes, s.probes) << s.text;
            if (r.text) {
                EXPECT_NE(std::wstring::npos, s.text.find(r.text)) << s.text;
            }
            if (r.expect) r.expect(dm->priv, s, answer == IDOK || answer == IDYES);
        }
    }
    RemovePrinter(printer);
}

void Finisher(PrinterEnvironment& env) { env.outputUnit_Option = 25; }  // its upper tray: face up or down
void FinisherWithFold(PrinterEnvironment& env) {
    env.outputUnit_Option = 25;  // with its booklet and fold units
    env.outputSubOption = 1;
    env.foldUnit_Option = 1;
}

const Row kBasicAndLayout[] = {
    {.name = "mixed sizes: turn larger pages",
     .setup = [](HWND sheet, Seen*) { Click(Tab(sheet, kMixedSizes), kMixedSizes, 1); },
     .button = kMixedSizesButton, .dialog = kRotateLarger,
     .act = [](HWND d, Seen* s) { s->probes.push_back(Enabled(d, kRotateLarger)); Click(d, kRotateLarger, 1); },
     .probes = {1},
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(1, p.mixedSizeSupport);  // the page's own change is kept either way
         EXPECT_EQ(ok ? 1 : 0, p.rotateLargerPage);
     }},
    {.name = "tray per page: pages 1-12 for tray 3, a repeat of 8 refused, 12 taken",
     .button = kTrayPerPageButton, .dialog = kTray3List,
     .act = [](HWND d, Seen* s) {
         SetDlgItemTextW(d, kTray3List, L"1-12x");
         Click(d, kRepeat, 1);
         SetDlgItemTextW(d, kRepeatLength, L"8");
         SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         s->probes.push_back(IsWindowVisible(d) ? 1 : 0);  // an ended dialog is hidden at once
         Read(d, kRepeatHint, s);
         SetDlgItemTextW(d, kRepeatLength, L"12");
     },
     .answers = {IDOK}, .probes = {1}, .text = L"[(12-)]",
     .expect = [](const PrivateSettings& p, const Seen&, bool) {
         const uint8_t packed[] = {0xB1, 0x21, 0};  // "1-12", the stray letter dropped as typed
         EXPECT_EQ(0, std::memcmp(packed, p.tray3_TraySelectPerPage, sizeof packed));
         EXPECT_EQ(1, p.repeat_traySerectPerPage);
         EXPECT_EQ(12, p.repeatPageNumber_traySerectPerPage);
     }},
    {.name = "the custom original size, typed in the unit shown",
     .setup = [](HWND sheet, Seen*) {
         HWND page = Tab(sheet, kOriginalSize), sizes = GetDlgItem(page, kOriginalSize);
         SendMessageW(sizes, CB_SETCURSEL, SendMessageW(sizes, CB_GETCOUNT, 0, 0) - 1, 0);  // the custom size is last
         PostMessageW(page, WM_COMMAND, MAKEWPARAM(kOriginalSize, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
     },
     .dialog = kCustomWidth,
     .act = [](HWND d, Seen* s) {
         Unit(d, kCustomWidthRange, L"[3.55 - 13.38]", L"[90 - 340]", s);
         SetDlgItemTextW(d, kCustomWidth, s->inches ? L"8.50" : L"250.0");
         SetDlgItemTextW(d, kCustomLength, s->inches ? L"11" : L"300");
     },
     .probes = {1},
     .expect = [](const PrivateSettings& p, const Seen& s, bool ok) {
         EXPECT_EQ(256, p.originalSize);  // the choice itself stays
         // After Cancel the sheet's apply gives the empty custom size its A4 default.
         EXPECT_EQ(ok ? (s.inches ? 21590 : 25000) : (s.inches ? 21006 : 21000), p.originalWidth_mm_CustomPaper);
         EXPECT_EQ(ok ? (s.inches ? 27940 : 30000) : (s.inches ? 29693 : 29700), p.originalLength_mm_CustomPaper);
     }},
    {.name = "output to the printer's folders: the third of the list",
     .env = [](PrinterEnvironment& env) {  // folders 2 and 5 besides the model's, and the default folder
         std::memcpy(env.storageFolderName[1], u"Scans", 12);
         std::memcpy(env.storageFolderName[4], u"Reports", 16);
         env.storageFolderSelectable[1] = env.storageFolderSelectable[4] = 1;
         env.storageState = 1;
     },
     .setup = [](HWND sheet, Seen*) { Choose(Tab(sheet, kOutputMode), kOutputMode, 1); },
     .button = kOutputModeButton, .dialog = kFolderList,
     .act = [](HWND d, Seen* s) {
         s->probes = {Visible(d, kFolderList), Visible(d, kDriveList),
                      static_cast<int>(SendDlgItemMessageW(d, kFolderList, CB_GETCOUNT, 0, 0))};
         wchar_t folder[64] = {};
         SendDlgItemMessageW(d, kFolderList, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(folder));
         s->text = folder;
         SendDlgItemMessageW(d, kFolderList, CB_SETCURSEL, 2, 0);
     },
     .probes = {1, 0, 4},  // folders only: the model's folder 1, the two, the printer's default
     .text = L"Reports",
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(1, p.outputMode);
         EXPECT_EQ(ok ? 5 : 1, p.destinationFolder_ToSave);
     }},
    {.name = "image position: the front's vertical shift in the unit shown",
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kImagePosition);
         s->probes.push_back(Enabled(page, kImagePositionButton));  // the button follows the box
         Click(page, kImagePosition, 1);
         s->probes.push_back(Enabled(page, kImagePositionButton));
     },
     .button = kImagePositionButton, .dialog = kFrontVertical,
     .act = [](HWND d, Seen* s) {
         Unit(d, kFrontUnit, L"in", nullptr, s);
         SetDlgItemTextW(d, kFrontVertical, s->inches ? L"-0.05" : L"-12.3");
     },
     .probes = {0, 1},
     .expect = [](const PrivateSettings& p, const Seen& s, bool ok) {
         EXPECT_EQ(1, p.imagePositioning);
         EXPECT_EQ(ok ? (s.inches ? -126 : -1230) : 0, p.verticalPosition_mm_FrontSide);
         EXPECT_EQ(ok ? (s.inches ? -5 : -47) : 0, p.verticalPosition_inch_FrontSide);
     }},
    {.name = "stamps: the page number on at the top left from 25, the text stamp's words",
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kStamp);
         Click(page, kStamp, 1);
         s->probes.push_back(Enabled(page, kStampButton));
     },
     .button = kStampButton, .dialog = kStampTabs,
     .act = [](HWND d, Seen* s) {
         HWND tabs = GetDlgItem(d, kStampTabs), number = GetDlgItem(tabs, 33500), text = GetDlgItem(tabs, 33700);
         s->probes.push_back(static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)));
         s->probes.push_back(Enabled(number, 33515));  // waits for the stamp
         Click(number, 33511, 1);
         s->probes.push_back(Enabled(number, 33515));
         SetDlgItemTextW(number, 33515, L"25");
         HWND preview = GetDlgItem(number, 33540);  // the top left box
         SendMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
         SendMessageW(preview, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
         SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
         NMHDR selected = {tabs, kStampTabs, TCN_SELCHANGE};
         SendMessageW(d, WM_NOTIFY, kStampTabs, reinterpret_cast<LPARAM>(&selected));
         s->probes.push_back(IsWindowVisible(number) ? 1 : 0);
         s->probes.push_back(IsWindowVisible(text) ? 1 : 0);
         Click(text, 33711, 1);
         SetDlgItemTextW(text, 33718, L"Draft");
     },
     .probes = {1, 3, 0, 1, 0, 1},
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(1, p.stampSupport);  // the tab's own box stays either way
         EXPECT_EQ(ok ? 1 : 0, p.stampPageSupport);
         EXPECT_EQ(ok ? 1 : 6, p.position_StampPage);
         EXPECT_EQ(ok ? 25 : 1, p.startNumber_StampPage);
         EXPECT_EQ(ok ? 1 : 0, p.stampTextSupport);
         EXPECT_EQ(std::u16string(ok ? u"Draft" : u""), std::u16string(p.specifiedText_StampText));
     }},
};


TEST(SubDialogSheet, BasicAndLayoutDialogsOkStoreCancelKeeps) { RunScenarios(kBasicAndLayout); }

constexpr int kWatermark = 30416, kWatermarkButton = 30417, kWmList = 33214, kWmAdd = 33215, kWmDelete = 33216,
              kWmTyped = 33213, kWmTypedText = 33217, kWmFirstPage = 33221, kWmSize = 33227, kWmRotation = 33242,
              kWmAngle = 33243, kWmPosition = 33247, kWmX = 33249, kWmY = 33253, kWmPreview = 33211,
              kWmNewText = 33311;

int ListCount(HWND d) { return static_cast<int>(SendDlgItemMessageW(d, kWmList, LB_GETCOUNT, 0, 0)); }

const Row kWatermarkDialogs[] = {
    {.name = "watermark: a text of our own added and deleted, typed text, size, rotation, position typed and dragged",
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kWatermark);
         s->probes.push_back(Enabled(page, kWatermarkButton));
         Click(page, kWatermark, 1);
         s->probes.push_back(Enabled(page, kWatermarkButton));
     },
     .button = kWatermarkButton, .dialog = kWmList,
     .act = [](HWND d, Seen* s) {
         // The text-entry dialog keeps a text among the printer's own; it is selected, then deleted.
         PostMessageW(d, WM_COMMAND, MAKEWPARAM(kWmAdd, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, kWmAdd)));
         if (HWND entry = WaitForWindowWith(s->thread, kWmNewText)) {
             SetDlgItemTextW(entry, kWmNewText, L"OUR TEXT");
             PostMessageW(entry, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             WaitClosed(entry);
             Sleep(300);
         }
         s->probes.push_back(ListCount(d));
         wchar_t chosen[64] = {};
         SendDlgItemMessageW(d, kWmList, LB_GETTEXT, SendDlgItemMessageW(d, kWmList, LB_GETCARETINDEX, 0, 0),
                             reinterpret_cast<LPARAM>(chosen));
         s->text += L"[" + std::wstring(chosen) + L"]";
         s->probes.push_back(Enabled(d, kWmDelete));
         Click(d, kWmDelete, 0);
         s->probes.push_back(ListCount(d));
         Click(d, kWmFirstPage, 1);
         Click(d, kWmTyped, 1);
         s->probes.push_back(Enabled(d, kWmList));
         SetDlgItemTextW(d, kWmTypedText, L"MY MARK");
         SetDlgItemTextW(d, kWmSize, L"120");
         Choose(d, kWmRotation, 3);
         Read(d, kWmAngle, s);  // the rotation's angle shown
         SetDlgItemTextW(d, kWmX, L"30");
         s->probes.push_back(static_cast<int>(SendDlgItemMessageW(d, kWmPosition, CB_GETCOUNT, 0, 0)));
         // Dragged to the preview's corner, beyond the page: held to its edge.
         POINT corner{1, 1};
         MapWindowPoints(GetDlgItem(d, kWmPreview), d, &corner, 1);
         for (UINT message : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP})
             SendMessageW(d, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(corner.x, corner.y));
         Read(d, kWmY, s);
     },
     .probes = {0, 1, 7, 1, 6, 0, 10},  // the custom position listed once typed
     .text = L"[OUR TEXT][45][0]",
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(1, p.watermarkSupport);
         EXPECT_EQ(ok ? 1 : 0, p.textType_Watermark);
         EXPECT_EQ(ok ? 1 : 0, p.appliedPage_Watermark);
         const char16_t* text = ok ? u"MY MARK" : u"";
         EXPECT_EQ(0, std::memcmp(text, ok ? p.text_Watermark : p.inputText_Watermark,
                                  std::char_traits<char16_t>::length(text) * 2 + 2));
         EXPECT_EQ(ok ? 120 : 64, p.size_Watermark);
         EXPECT_EQ(ok ? 3 : 2, p.rotation_Watermark);
         EXPECT_EQ(ok ? 45 : 0, p.angle_Watermark);
         EXPECT_EQ(ok ? 9 : 0, p.position_Watermark);
         EXPECT_EQ(ok ? 0 : 50, p.X_axisPosition_Watermark);
         EXPECT_EQ(ok ? 0 : 50, p.Y_axisPosition_Watermark);
     }},
};

TEST(SubDialogSheet, WatermarkDialogOkStoresCancelKeeps) { RunScenarios(kWatermarkDialogs); }

const Row kFinishing[] = {
    {.name = "binding margin: 2.0 inch or 20 mm as shown",
     .button = kSideMarginButton, .dialog = kSideMarginEdit,
     .act = [](HWND d, Seen* s) {
         Unit(d, kSideMarginUnit, L"Inches", L"Millimetres", s);
         SetDlgItemTextW(d, kSideMarginEdit, s->inches ? L"2" : L"20");  // EN_CHANGE moves the up-down
     },
     .probes = {1},
     .expect = [](const PrivateSettings& p, const Seen& s, bool ok) {
         // 2.0 inch: 200 and 5080 capped at 5000; 20 mm: 2000 and 79.
         EXPECT_EQ(ok ? (s.inches ? 5000 : 2000) : 0, p.width_mm_SideMargin);
         EXPECT_EQ(ok ? (s.inches ? 200 : 79) : 0, p.width_inch_SideMargin);
         EXPECT_EQ(ok ? 1 : 0, p.sideMarginSupport);
     }},
    {.name = "booklet binding: separate books print the cover with the book",
     .button = kBookletBindingButton, .dialog = kSeparateBooks,
     .act = [](HWND d, Seen* s) {
         Unit(d, kCentreMarginUnit, L"in", L"mm", s);  // the centre margin's unit words
         s->probes.push_back(Visible(d, kSheetsPerBook));  // the sheets a book are never edited here
         Click(d, kSeparateBooks, 1);
         s->probes.push_back(Checked(d, kCoverWithBook));
     },
     .probes = {1, 0, 1},
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(ok ? 255 : 0, p.separateBooks_BookletBinding);
         EXPECT_EQ(0, p.printCoverSeparately_BookletBinding);
     }},
    {.name = "covers: a bound booklet has no back cover", .env = FinisherWithFold,
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kCovers);
         Click(page, kCovers, 1);
         PostMessageW(page, WM_COMMAND, MAKEWPARAM(kCoversButton, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, kCoversButton)));
         if (HWND d = WaitForWindowWith(s->thread, kBackCover)) {  // a back cover first, kept by OK
             Click(d, kBackCover, 1);
             PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             WaitClosed(d);
         }
         Choose(page, kBookletBinding, 1);
     },
     .button = kCoversButton, .dialog = kBackCover,
     .act = [](HWND d, Seen* s) { s->probes = {Enabled(d, kBackCover), Checked(d, kBackCover)}; },
     .probes = {0, 0},
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(1, p.bookletBinding);
         EXPECT_EQ(ok ? 0 : 1, p.backCover);
     }},
    {.name = "mail making without inserts", .env = [](PrinterEnvironment& env) { env.outputUnit_Option = 23; },
     .button = kMailMakingButton, .dialog = kInserts,
     .act = [](HWND d, Seen* s) {
         s->probes.push_back(PictureWidth(d, kEnvelopePicture));  // the envelope's picture drawn
         SendDlgItemMessageW(d, kInserts, BM_SETCHECK, BST_UNCHECKED, 0);
         Click(d, kInserts, 0);
         s->probes.push_back(Enabled(d, kInsertTray));  // the insert controls go with the box
     },
     .probes = {32, 0},
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(ok ? 0 : 1, p.insert_MailMaking);
         EXPECT_NE(ok ? 1 : -1, p.duplexType_Envelope_MailMaking);  // a one-sided envelope printed on both sides
     }},
    {.name = "perfect binding: an A5 body, its cover length typed, the cover from the inserter",
     .env = [](PrinterEnvironment& env) { env.outputUnit_Option = 24; },
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kPerfectBinding);
         s->probes.push_back(Visible(page, kPerfectBinding));
         Click(page, kPerfectBinding, 1);
         s->probes.push_back(Enabled(page, kPerfectBindingButton));
     },
     .button = kPerfectBindingButton, .dialog = kBodySize,
     .act = [](HWND d, Seen* s) {
         Choose(d, kBodySize, 11);
         Unit(d, kCoverLengthRange, L"(11.75 - 13.46)", L"(298.5 - 342.0)", s);  // A5's range
         SetDlgItemTextW(d, kCoverLength, s->inches ? L"12.00" : L"300.5");
         Choose(d, kPbCoverTray, 262);
         s->probes.push_back(Enabled(d, kPbCoverSides));  // an inserted cover is not printed
         s->probes.push_back(PictureWidth(d, kPbLeftPicture));  // the cover laid open, left binding
     },
     .probes = {1, 1, 1, 0, 300},
     .expect = [](const PrivateSettings& p, const Seen& s, bool ok) {
         EXPECT_EQ(1, p.perfectBindingSupport);
         EXPECT_EQ(ok ? 11 : 9, p.bodySize_PerfectBinding);
         EXPECT_EQ(ok ? (s.inches ? 30480u : 30050u) : 46500u, p.coverLength_mm_PerfectBinding);
         EXPECT_EQ(ok ? 262 : 257, p.inputTray_Cover_PerfectBinding);
         EXPECT_EQ(ok ? 2 : 0, p.printCoverSeparately_PerfectBinding);
     }},
};

TEST(SubDialogSheet, FinishingDialogsOkStoreCancelKeeps) { RunScenarios(kFinishing); }

const Row kImageAndAdvanced[] = {
    {.name = "colour profile: not used",
     .button = kProfileButton, .dialog = kProfileList,
     .act = [](HWND d, Seen*) { Pick(d, kProfileList, 1); },
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(std::u16string(ok ? u"NotUse" : u"Auto"), std::u16string(p.fileName_ColorProfile));
     }},
    {.name = "gamma: lightness slid to +10, contrast -30 held to -25",
     .button = kGammaButton, .dialog = kGammaDialog,
     .act = [](HWND d, Seen* s) {
         HWND bar = GetDlgItem(d, kLightnessBar);
         SendMessageW(bar, TBM_SETPOS, TRUE, 10);
         SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 10), reinterpret_cast<LPARAM>(bar));
         Read(d, kLightnessShown, s);
         SetDlgItemTextW(d, kContrast, L"-30");
     },
     .text = L"[10]",
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(ok ? 10 : 0, p.lightness_GammaControl);
         EXPECT_EQ(ok ? -25 : 0, p.contrast_GammaControl);
     }},
    {.name = "form overlay: numbered form 3, a back side of its own stepped to",
     .env = [](PrinterEnvironment& env) { env.printCheckLevel = 1; },  // the overlay's choices are the driver's
     .button = kFormButton, .dialog = kFormList,
     .act = [](HWND d, Seen* s) {
         Pick(d, kFormList, 3);
         Read(d, kFormPageShown, s);
         Click(d, kSeparateForms, 1);
         Read(d, kFormPageShown, s);
         Click(d, kFormSideNext, 0);
         Read(d, kFormPageShown, s);
         s->probes = {Enabled(d, kFormSideBack), Enabled(d, kFormSideNext)};
     },
     .probes = {1, 0}, .text = L"[1/1][1/2][2/2]",
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(ok ? 3 : 0, p.index_Form);
         EXPECT_EQ(std::u16string(ok ? u"#kElOcUsToMfOrM3" : u""), std::u16string(p.fileName_Form));
         EXPECT_EQ(ok ? 1 : 0, p.printSideSeparately_Form);
     }},
    {.name = "carbon copy: the second paper source moved up",
     .button = kCarbonButton, .dialog = kCarbonList,
     .act = [](HWND d, Seen*) {
         LVITEMW state = {};
         state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
         SendDlgItemMessageW(d, kCarbonList, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
         Click(d, kCarbonUp, 0);
     },
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         const uint16_t* order = p.inputTrayPriority_CarbonCopy;
         // The demo printer's sources: standard feed, trays 1 to 3.
         EXPECT_EQ((ok ? std::vector<uint16_t>{258, 257, 259, 260} : std::vector<uint16_t>{257, 0, 0, 0}),
                   std::vector<uint16_t>(order, order + 4));
     }},
    {.name = "program print: the first row, then the last after scrolling",
     .button = kProgramButton, .dialog = kProgramBar,
     .act = [](HWND d, Seen*) {
         SetDlgItemTextW(d, 33021, L"3");  // copies and sets of program 1
         SetDlgItemTextW(d, 33031, L"2");
         SendMessageW(d, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 16), reinterpret_cast<LPARAM>(GetDlgItem(d, kProgramBar)));
         SetDlgItemTextW(d, 33024, L"5");  // the last row shown: program 20
     },
     .expect = [](const PrivateSettings& p, const Seen&, bool ok) {
         EXPECT_EQ(ok ? 3 : 1, p.copies_ProgramPrint[0]);
         EXPECT_EQ(ok ? 5 : 0, p.copies_ProgramPrint[19]);
         if (ok) {
             EXPECT_EQ(2, p.sets_ProgramPrint[0]);
             EXPECT_EQ(1, p.sets_ProgramPrint[19]);  // copies want at least one set
         }
     }},
    {.name = "version: the module, the controller, the driver; no help",
     .button = kVersionButton, .dialog = kVersionText,
     .act = [](HWND d, Seen* s) {
         s->probes.push_back(Visible(d, 30821));
         for (int id : {kVersionText, 30816, 30818}) Read(d, id, s);
     },
     .answers = {IDOK}, .probes = {0},
     .text = L"[Version.1.0.0.0][Controller version 5.00-G008][KELO ZR-C4500]"},  // the four-ink model
    {.name = "advanced edits: limits, the password masked and cut at eight",
     .setup = [](HWND sheet, Seen* s) {
         HWND page = Tab(sheet, kPasswordEdit);
         for (int id : {kOwnerEdit, kJobEdit, kPasswordEdit, kCommentEdit})
             s->probes.push_back(static_cast<int>(SendDlgItemMessageW(page, id, EM_GETLIMITTEXT, 0, 0)));
         s->probes.push_back(static_cast<int>(SendDlgItemMessageW(page, kPasswordEdit, EM_GETPASSWORDCHAR, 0, 0)));
         Click(page, kPasswordCheck, 1);
         for (wchar_t c = L'1'; c <= L'9'; c++) SendDlgItemMessageW(page, kPasswordEdit, WM_CHAR, c, 0);
         Read(page, kPasswordEdit, s);
     },
     .answers = {IDOK}, .probes = {20, 255, 8, 128, L'*'}, .text = L"[12345678]",  // the ninth digit refused
     .expect = [](const PrivateSettings& p, const Seen&, bool) {
         EXPECT_EQ(1, p.passwordSupport);
         EXPECT_EQ(std::u16string(u"12345678"), std::u16string(p.password));
     }},
};

TEST(SubDialogSheet, ImageAndAdvancedDialogsOkStoreCancelKeeps) { RunScenarios(kImageAndAdvanced); }

const Row kQuestions[] = {
    {.name = "mixed sizes over two pages a sheet: Yes switches two-up off, No keeps it",
     .setup = [](HWND sheet, Seen*) {
         Choose(Tab(sheet, kPagesPerSheet), kPagesPerSheet, 21);
         SendDlgItemMessageW(Tab(sheet, kMixedSizes), kMixedSizes, BM_SETCHECK, BST_CHECKED, 0);
     },
     .button = kMixedSizes,
     .act = [](HWND page, Seen* s) { Answer(s, IDYES); s->checked = Checked(page, kMixedSizes); },
     .answers = {IDYES, IDNO}, .text = L"Settings that are on now:",
     .expect = [](const PrivateSettings& p, const Seen& s, bool yes) {
         EXPECT_EQ(yes ? 1 : 0, s.checked);
         EXPECT_EQ(yes ? 1 : 0, p.mixedSizeSupport);
         EXPECT_EQ(yes ? 0 : 21, p.pluralPagesPerSheet);
     }},
    {.name = "face up over skipped blank pages: Yes takes it, No keeps face down", .env = Finisher,
     .setup = [](HWND sheet, Seen*) {
         Click(Tab(sheet, kBlankCut), kBlankCut, 1);
         Choose(Tab(sheet, kOutputTray), kOutputTray, 2);
     },
     .button = kOutputTrayButton, .dialog = kFaceDown,
     .act = [](HWND d, Seen* s) {
         PostMessageW(d, WM_COMMAND, MAKEWPARAM(kFaceUp, BN_CLICKED), 0);
         Answer(s, IDYES);
         s->checked = Checked(d, kFaceUp);
     },
     .answers = {IDYES, IDNO}, .text = L"Skip blank pages\n",  // one part a line
     .expect = [](const PrivateSettings& p, const Seen& s, bool yes) {
         EXPECT_EQ(yes ? 1 : 0, s.checked);
         EXPECT_EQ(yes ? 1 : 2, p.faceUpDown_OutputTray);
         EXPECT_EQ(yes ? 0 : 1, p.blankPaperCutDown);
     }},
    {.name = "carbon copy handed in with punch: its OK asks, Yes drops the punch, No the carbon copy", .env = Finisher,
     .job = [](PrivateSettings& p) {
         p.carbonCopySupport = 1;
         p.punch = 1;
     },
     .button = kCarbonButton, .dialog = kCarbonList,
     .act = [](HWND d, Seen* s) {
         PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         Answer(s, IDYES);
     },
     .answers = {IDYES, IDNO}, .text = L"Punch: off",
     .expect = [](const PrivateSettings& p, const Seen&, bool yes) {
         EXPECT_EQ(yes ? 1 : 0, p.carbonCopySupport);
         EXPECT_EQ(yes ? 0 : 1, p.punch);
     }},
    {.name = "a USB drive this computer lacks: the apply refused, the sheet stays, then Cancel",
     .setup = [](HWND sheet, Seen*) {
         Choose(Tab(sheet, kOutputMode), kOutputMode, 3);
         PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
     },
     .act = [](HWND, Seen* s) { Answer(s, IDOK); s->checked = IsWindow(s->sheet) && IsWindowVisible(s->sheet); },
     .answers = {IDOK}, .end = PSBTN_CANCEL, .text = L"USB drive",
     .expect = [](const PrivateSettings&, const Seen& s, bool) { EXPECT_EQ(1, s.checked); }},
};

TEST(SubDialogSheet, QuestionsYesAndNoAndRefusedApplies) { RunScenarios(kQuestions); }

}  // namespace
