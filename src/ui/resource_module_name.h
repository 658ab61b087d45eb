// Which of a driver's files is its resource module "ZR51ARC.DLL".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// 1 when the path's file name and extension, joined, are "ZR51ARC.DLL" in
// any case; a further extension or letter does not match.
int IsResourceModuleFile(const char16_t* path);

// Copies into out (capacity characters, terminated) the data file when it is
// the resource module, else the first such dependent file, else fallbackPath
// (the UI module's own file). 1 when a path was copied, else 0 and out empty.
int PickResourceModulePath(const std::u16string& dataFile, const std::vector<std::u16string>& dependentFiles,
                           const char16_t* fallbackPath, char16_t* out, size_t capacity);
