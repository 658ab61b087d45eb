// The model description file (".RDF", INI syntax): what a printer model can
// do, its paper and mail-form lists, limits, margins and defaults. It is
// parsed once at installation into RdfInfo, which is stored byte for byte as
// the printer-data value "RdfInfo" beside the file's path, the model
// section's name and the printer's name; sessions load the stored record.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

struct PrinterEnvironment;

constexpr int kRdfListSlots = 256;
constexpr uint32_t kRdfInfoSize = 1104;

#pragma pack(push, 1)
struct RdfInfo {
    uint16_t ModelCode;
    uint8_t ModelFS;  // 1: a single-tray (S) model
    uint8_t ModelColor;
    uint8_t A3OrA4;
    uint8_t InkCount;
    uint16_t PrintRate;
    uint16_t PrintResolution;
    uint8_t LocalArea;
    uint8_t UsbMemoryOutputEnable;
    uint8_t PrinterOnAnotherNetworkEnable;
    uint8_t FoldUnit_OptionEnable;
    uint8_t LightPaperEnable;
    uint8_t BarcodeAreaFileEnable;
    int32_t MaxPaperSizeMM[2];
    int32_t MinPaperSizeMM[2];
    int32_t MaxPaperSizeINCH[2];
    int32_t MinPaperSizeINCH[2];
    int16_t MarginSize[4];  // the key's values a,b,c,d kept as b,d,a,c
    uint8_t FinisherSupportEnable;
    uint8_t ImageQualityDefault;
    uint8_t Tray_InputDefault;  // the eight default-tray bytes, in this order
    uint8_t Tray_SlipSheetDefault;
    uint8_t Tray_FrontCoverDefault;
    uint8_t Tray_BackCoverDefault;
    uint8_t Tray_BookletCoverDefault;
    uint8_t Tray_SlipSheet_ProgramPrintDefault;
    uint8_t Tray_MailFormDefault;
    uint8_t Tray_MailInputDefault;
    int16_t OriginalSizeMMDefault;  // indices into PaperSizeList
    int16_t OriginalSizeINCHDefault;
    int16_t OutputSizeDefault;
    int16_t MailFormMMDefault;  // indices into MailFormList
    int16_t MailFormINCHDefault;
    int16_t PaperSizeListSize;  // 0 to 256 once read
    uint16_t PaperSizeList[kRdfListSlots];
    int16_t MailFormListSize;
    uint16_t MailFormList[kRdfListSlots];
};
#pragma pack(pop)

static_assert(sizeof(RdfInfo) == kRdfInfoSize, "RdfInfo is 1104 bytes");
static_assert(offsetof(RdfInfo, ModelFS) == 2);
static_assert(offsetof(RdfInfo, InkCount) == 5);
static_assert(offsetof(RdfInfo, PrintRate) == 6);
static_assert(offsetof(RdfInfo, PrintResolution) == 8);
static_assert(offsetof(RdfInfo, LocalArea) == 10);
static_assert(offsetof(RdfInfo, BarcodeAreaFileEnable) == 15);
static_assert(offsetof(RdfInfo, MaxPaperSizeMM) == 16);
static_assert(offsetof(RdfInfo, MinPaperSizeMM) == 24);
static_assert(offsetof(RdfInfo, MaxPaperSizeINCH) == 32);
static_assert(offsetof(RdfInfo, MinPaperSizeINCH) == 40);
static_assert(offsetof(RdfInfo, MarginSize) == 48);
static_assert(offsetof(RdfInfo, FinisherSupportEnable) == 56);
static_assert(offsetof(RdfInfo, ImageQualityDefault) == 57);
static_assert(offsetof(RdfInfo, Tray_InputDefault) == 58);
static_assert(offsetof(RdfInfo, Tray_MailInputDefault) == 65);
static_assert(offsetof(RdfInfo, OriginalSizeMMDefault) == 66);
static_assert(offsetof(RdfInfo, OutputSizeDefault) == 70);
static_assert(offsetof(RdfInfo, MailFormINCHDefault) == 74);
static_assert(offsetof(RdfInfo, PaperSizeListSize) == 76);
static_assert(offsetof(RdfInfo, PaperSizeList) == 78);
static_assert(offsetof(RdfInfo, MailFormListSize) == 590);
static_assert(offsetof(RdfInfo, MailFormList) == 592);

// The working context of one parse (installation) or one load (sessions).
struct RdfContext {
    char16_t* RdfFile;      // full path of the model description file
    char16_t* DeviceName;   // the model section's name (the driver's name)
    char16_t* PrinterName;
    uint32_t loaded;        // 1 once a parse or a load succeeded
    uint32_t ownsStrings;   // 1 when a load allocated the three strings
    RdfInfo info;
};

// The first dependent file of the printer's driver whose extension is "RDF"
// in any case, copied into path (capacity in characters). 0 with an empty
// path when the driver information cannot be read or nothing matches.
int GetRdfFilePath(PrinterHandle printer, char16_t* path, int capacity);

// Value readers over the file: the key's text (128 characters of room)
// split on commas, each field a decimal number truncated to its width. 1 when
// the key was found and every field converted; else 0 and *out unchanged.
int ReadRdfU8(const char16_t* file, const char16_t* section, const char16_t* key, uint8_t* out);
int ReadRdfU16(const char16_t* file, const char16_t* section, const char16_t* key, uint16_t* out);
int ReadRdfI32(const char16_t* file, const char16_t* section, const char16_t* key, int32_t* out);
int ReadRdfPair(const char16_t* file, const char16_t* section, const char16_t* key, int32_t out[2]);
int ReadRdfMargins(const char16_t* file, const char16_t* section, const char16_t* key, int16_t out[4]);
// The key's raw text, cut to capacity - 1 characters.
int ReadRdfText(const char16_t* file, const char16_t* section, const char16_t* key, char16_t* out, int capacity);

// Parses ctx->RdfFile's section ctx->DeviceName into ctx->info (zero-filled
// first). 0 when the format version is missing or above 100.
int ReadRdfFile(RdfContext* ctx);
// The model's defaults into the environment record (installation).
void ApplyRdfDefaults(PrinterEnvironment* env, const RdfInfo* info);
// The ".epeat" file beside the driver: sets "UnitOfLength" and
// "DuplexOrSimplex" from it and deletes it, or stores 0 and 2 without one.
void ReadInitialSettingFile(PrinterHandle printer);

// Stores the record and the three strings for the context's printer; 0 only
// when that printer cannot be opened.
int SaveRdfContext(const RdfContext* ctx);
// Loads them back, through the given handle or by opening ctx->PrinterName.
int LoadRdfContext(RdfContext* ctx, PrinterHandle printer);
void ReleaseRdfContext(RdfContext* ctx);
