// The public DEVMODEW part of a driver DEVMODE, laid out byte for byte as the
// spooler's structure (220 bytes) but usable without windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct PublicDevMode {
    char16_t dmDeviceName[32];
    uint16_t dmSpecVersion;
    uint16_t dmDriverVersion;
    uint16_t dmSize;
    uint16_t dmDriverExtra;
    uint32_t dmFields;
    int16_t dmOrientation;
    int16_t dmPaperSize;
    int16_t dmPaperLength;
    int16_t dmPaperWidth;
    int16_t dmScale;
    int16_t dmCopies;
    int16_t dmDefaultSource;
    int16_t dmPrintQuality;
    int16_t dmColor;
    int16_t dmDuplex;
    int16_t dmYResolution;
    int16_t dmTTOption;
    int16_t dmCollate;
    char16_t dmFormName[32];
    uint16_t dmLogPixels;
    uint32_t dmBitsPerPel;
    uint32_t dmPelsWidth;
    uint32_t dmPelsHeight;
    uint32_t dmNup;
    uint32_t dmDisplayFrequency;
    uint32_t dmICMMethod;
    uint32_t dmICMIntent;
    uint32_t dmMediaType;
    uint32_t dmDitherType;
    uint32_t dmReserved1;
    uint32_t dmReserved2;
    uint32_t dmPanningWidth;
    uint32_t dmPanningHeight;
};
#pragma pack(pop)

static_assert(sizeof(PublicDevMode) == 220, "public DEVMODE is 220 bytes");
static_assert(offsetof(PublicDevMode, dmSpecVersion) == 64);
static_assert(offsetof(PublicDevMode, dmSize) == 68);
static_assert(offsetof(PublicDevMode, dmDriverExtra) == 70);
static_assert(offsetof(PublicDevMode, dmFields) == 72);
static_assert(offsetof(PublicDevMode, dmOrientation) == 76);
static_assert(offsetof(PublicDevMode, dmColor) == 92);
static_assert(offsetof(PublicDevMode, dmFormName) == 102);
static_assert(offsetof(PublicDevMode, dmMediaType) == 196);

// dmFields bits (named apart from windows.h's macros so both can coexist).
constexpr uint32_t kDmOrientation = 0x00000001;
constexpr uint32_t kDmPaperSize = 0x00000002;
constexpr uint32_t kDmPaperLength = 0x00000004;
constexpr uint32_t kDmPaperWidth = 0x00000008;
constexpr uint32_t kDmScale = 0x00000010;
constexpr uint32_t kDmCopies = 0x00000100;
constexpr uint32_t kDmDefaultSource = 0x00000200;
constexpr uint32_t kDmPrintQuality = 0x00000400;
constexpr uint32_t kDmColor = 0x00000800;
constexpr uint32_t kDmDuplex = 0x00001000;
constexpr uint32_t kDmYResolution = 0x00002000;
constexpr uint32_t kDmCollate = 0x00008000;
constexpr uint32_t kDmFormName = 0x00010000;
constexpr uint32_t kDmMediaType = 0x02000000;
// The fields every driver DEVMODE we produce declares.
constexpr uint32_t kDriverDmFields = 0x02019B0F;
