// Where a saved job goes: the printer's storage folders (output modes 1 and
// 2) or the folders "KELO_IJ\KELO_USB_FOLDER_nn" of a removable USB drive
// (mode 3). The output-mode dialog's form, the drive and folder names, the
// check that runs when the sheet is applied, and the output tray's face-up
// question. Drives and message boxes are reached through UsbDriveQuery, so
// every decision here runs without a window.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

constexpr int kUsbDriveRoom = 26;
constexpr int kUsbFolderCount = 10;
constexpr int kUsbFolderNameChars = 19;  // "KELO_USB_FOLDER_01" and its terminator
constexpr int kDrivePathChars = 260;
constexpr int kStorageFolderCount = 100;
constexpr uint32_t kPrinterDefaultFolderText = 20081;  // the extra item of folder 0
constexpr uint32_t kUsbDriveMissingText = 20473, kUsbFolderCreateText = 20474, kUsbFolderFailedText = 20475;

#pragma pack(push, 1)
struct UsbDriveEntry {
    uint8_t number;  // 1..26, 'A' = 1
    uint8_t zero;
    char16_t root[kDrivePathChars];   // "E:\"
    char16_t label[kDrivePathChars];  // the volume label
};
#pragma pack(pop)
static_assert(sizeof(UsbDriveEntry) == 1042, "a USB drive entry is 1042 bytes");

// 'A' (or 'a') = 1 .. 'Z' = 26; 0 for anything else.
int DriveNumberOfLetter(char16_t letter);
// 1 for the file systems a USB drive of the printer may have: FAT, FAT32, exFAT.
int IsUsbFileSystem(const char16_t* fileSystem);
// 1 for the roots of A: and B:, which are never offered.
int IsFloppyRoot(const char16_t* root);
// "KELO_USB_FOLDER_01" .. "_10" for n 1..10 (out: kUsbFolderNameChars); 0 otherwise.
int UsbFolderName(int n, char16_t* out);
// root + "KELO_IJ" (n 0) or root + "KELO_IJ\" + folder n; 0 when it does not fit.
int UsbFolderPath(const char16_t* root, int n, char16_t* out, int room);

// The output-mode dialog: the items of its folder list (item data: folder
// number 1..100, 0 the printer's default folder) or of its drive and USB
// folder lists, and the selections. Mode 0 shows nothing.
struct OutputModeForm {
    int mode;
    int folderCount;
    uint8_t folder[kStorageFolderCount + 1];
    int selectedFolder;  // -1 when the list is empty
    int driveCount;
    UsbDriveEntry drive[kUsbDriveRoom];
    int selectedDrive;      // -1 when no drive is listed
    int selectedUsbFolder;  // 0..9
};
void LoadOutputModeForm(const PrinterSession& s, const UsbDriveEntry* drives, int driveCount, OutputModeForm& form);
// OK: the selected folder, or the selected drive (kept without one) and USB folder.
void StoreOutputModeForm(const OutputModeForm& form, PrivateSettings& p);
// The dialog's controls by mode: the printer's folders for 1 and 2, the USB
// lists for 3, nothing for 0 (run last in the refresh of 31900).
void OutputModeRules(const PageInput& in, PageState& page);
// The Basic tab's output-mode button: 1 when the mode saves a file, which the
// button then chooses with the file chooser instead of the dialog.
int OutputModeSavesFile(uint32_t outputMode);

// The system side of the USB check.
struct UsbDriveQuery {
    void* context;
    int (*findRoot)(void* context, int number, char16_t* root);  // root: kDrivePathChars
    int (*isUsbVolume)(void* context, const char16_t* root);
    int (*folderExists)(void* context, const char16_t* root, int n);
    int (*createFolder)(void* context, const char16_t* root, int n);  // top folder, then folder n
    int (*askOk)(void* context, uint32_t textId);                      // 1 for OK
    void (*warn)(void* context, uint32_t textId);
};
// The check at apply with output to a USB drive: 1 when folder
// destinationFolderOfUSB_ToSave of drive driveOfUSB_ToSave exists or was
// created after the user agreed; 0 (after a warning, or the user's refusal)
// when the drive is gone or not a FAT volume, or the folder was not made.
int CheckUsbDestination(const PrivateSettings& p, const UsbDriveQuery& query);

// The output tray's face-up choice while skipping blank pages or continuous
// output is on: the conflict confirmation naming face-up and each of the two
// that is on (1, question filled; 0 when nothing conflicts and face-up is
// simply taken). Its parts are shown one a line.
int FaceUpQuestion(const PrivateSettings& p, PageQuestion* question);
// The face-up choice with the answer (1 yes, 0 no, -1 anything else, or no
// question asked): yes switches both off and takes face-up; no keeps face-down.
void ChooseFaceUp(PrivateSettings& p, int answer);
