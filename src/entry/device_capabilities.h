// The spooler's capability queries, DrvDeviceCapabilities and
// DrvSplDeviceCaps: answered from a freshly resolved printer session, the
// stored settings merged with the caller's DEVMODE.
#pragma once
#include <cstdint>

#include "entry/session.h"
#include "platform/platform.h"

// Capability indices (the spooler's DC_ values).
enum DeviceCapabilityIndex : uint16_t {
    kDcFields = 1,
    kDcPapers = 2,
    kDcPaperSize = 3,
    kDcMinExtent = 4,
    kDcMaxExtent = 5,
    kDcBins = 6,
    kDcDuplex = 7,
    kDcSize = 8,
    kDcExtra = 9,
    kDcVersion = 10,
    kDcDriver = 11,
    kDcBinNames = 12,
    kDcEnumResolutions = 13,
    kDcFileDependencies = 14,
    kDcTrueType = 15,
    kDcPaperNames = 16,
    kDcOrientation = 17,
    kDcCopies = 18,
    kDcBinAdjust = 19,
    kDcEmfCompliant = 20,
    kDcDatatypeProduced = 21,
    kDcCollate = 22,
    kDcManufacturer = 23,
    kDcModel = 24,
    kDcPersonality = 25,
    kDcPrintRate = 26,
    kDcPrintRateUnit = 27,
    kDcPrinterMem = 28,
    kDcMediaReady = 29,
    kDcStaple = 30,
    kDcPrintRatePpm = 31,
    kDcColorDevice = 32,
    kDcNup = 33,
    kDcMediaTypeNames = 34,
    kDcMediaTypes = 35,
};

constexpr uint32_t kCapsUnsupported = 0xFFFFFFFF;  // -1 as the spooler reads it
// Characters per name slot in the lists the queries write.
constexpr int kBinNameSlot = 24;
constexpr int kPaperNameSlot = 64;
constexpr int kMediaNameSlot = 64;

// The answer for one index over a resolved session; lists go to out only
// when it is non-null, counts are returned either way.
uint32_t AnswerDeviceCapability(const PrinterSession* session, uint16_t index, void* out);
// DrvSplDeviceCaps over a resolved session: paper names and ready media,
// at most outChars / 64 names.
uint32_t AnswerSplDeviceCaps(const PrinterSession* session, uint16_t index, void* out, uint32_t outChars);

// The exports' bodies: allocate and resolve a session (devmode may be null),
// answer, free. -1 (last error 8) when memory runs out.
uint32_t DrvDeviceCapabilitiesCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                                   void* devmode);
uint32_t DrvSplDeviceCapsCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                              uint32_t outChars, void* devmode);
