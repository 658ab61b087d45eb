// The mode bits a caller of DocumentProperties passes (also the fMode of the
// document sheet's header) and the no-permission flag of the printer sheet's
// header.
#pragma once
#include <cstdint>

constexpr uint32_t kDmUpdate = 1;
constexpr uint32_t kDmCopy = 2;  // also DM_OUT_BUFFER
constexpr uint32_t kDmInPrompt = 4;
constexpr uint32_t kDmInBuffer = 8;
constexpr uint32_t kDmAdvanced = 0x10;
constexpr uint32_t kDmNoPermission = 0x20;
constexpr uint32_t kDmUserDefault = 0x40;
constexpr uint32_t kAdvancedDocumentMode = kDmAdvanced | kDmInPrompt | kDmCopy;  // 22

constexpr uint32_t kDpsNoPermission = 1;
