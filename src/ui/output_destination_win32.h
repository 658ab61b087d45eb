// The system side of the output destinations: the computer's removable FAT
// drives and their "KELO_IJ" folders, the check at apply with its messages,
// the output-mode dialog's lists and the output tray's face-up question.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "ui/output_destination.h"

// The root ("E:\") of drive number 1..26 when such a logical drive exists.
int FindDriveRoot(int number, char16_t* root);
// 1 when the volume's file system is FAT, FAT32 or exFAT; label (may be null)
// gets its volume label.
int IsUsbVolume(const char16_t* root, char16_t* label, int labelChars);
// Removable FAT volumes other than A: and B:, in the system's order; count
// is how many (at most kUsbDriveRoom). Returns 1, 0 when the system lists no drives.
int ListUsbDrives(UsbDriveEntry* drives, int* count);
int UsbFolderExists(const char16_t* root, int n);
int CreateUsbFolder(const char16_t* root, int n);

// The apply's check with output to a USB drive; messages over owner. 1 ready.
int CheckUsbDestinationWithMessages(HWND owner, HMODULE resources, uint16_t language, const PrivateSettings& p);

// The output-mode dialog: its lists filled from the form, and the selections read back.
void ShowOutputModeForm(HWND dlg, const PrinterSession& s, HMODULE resources, uint16_t language,
                        const OutputModeForm& form);
void ReadOutputModeForm(HWND dlg, OutputModeForm& form);

// Face up chosen in the output tray dialog: the question when something
// conflicts, and the choice with its answer written into p.
void ChooseFaceUpAsking(HWND dlg, HMODULE resources, uint16_t language, PrivateSettings& p);
