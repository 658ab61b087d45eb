// The file and folder choosers the pages' browse buttons open, and the
// user's special folders. The system libraries they need are loaded by name
// when first used.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// Opens the open (save 0) or save dialog on the file named in path (260
// characters), starting in its folder; the filter and default extension are
// strings of the resource module. Non-zero when a file was chosen: path then
// holds it. 0 without a dialog when either string is missing. The current
// directory is the same afterwards.
int ChooseFile(HMODULE module, HWND owner, wchar_t* path, uint32_t filterId, uint32_t extensionId, int save,
               uint16_t language);
// The folder browser on the folder in path (260 characters); non-zero when
// one was chosen and written there.
int ChooseFolder(HWND owner, wchar_t* path);
// The path of a special folder (a CSIDL code) into path (260 characters); 1
// on success.
int GetSpecialFolder(int folder, wchar_t* path);
