// The printer environment record: installed options, network identity, model
// capabilities and the paper, media-type and tray lists. Stored whole as the
// printer-data value "PrvEnv" and carried behind the driver DEVMODE.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One paper list row: display name and second name share the 128 characters.
struct PaperRow {
    char16_t name[64];
    char16_t secondName[64];
    uint32_t id;
    uint32_t width;   // 0.1 mm
    uint32_t length;  // 0.1 mm
    uint32_t id2;
};
struct MediaRow {
    char16_t name[64];
    uint32_t id;
};
struct TrayRow {
    char16_t name[64];
    uint32_t id;
    uint32_t iconId;
};

struct SystemTime16 {
    uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

constexpr int kPaperSlots = 512;
constexpr int kMediaSlots = 20;
constexpr int kTraySlots = 10;
constexpr uint32_t kPaperListEnd = 0xFFFFFFFF;

struct PrinterEnvironment {
    char16_t storageFolderName[100][255];
    uint8_t storageFolderPresent[100];
    uint8_t storageFolderSelectable[100];
    uint8_t storageEnabled;
    uint8_t storageState;
    uint8_t useTypedAddress;
    uint8_t reserved51203;
    char16_t typedAddress[40];
    uint8_t communityOverride;
    uint8_t reserved51285;
    char16_t snmpCommunityName[33];
    uint8_t wakeUpEnable;
    uint8_t reserved51353;
    char16_t macAddress[18];
    uint8_t wakeUpTarget;
    uint8_t reserved51391;
    uint8_t inputUnit_Option;
    uint8_t outputUnit_Option;
    uint8_t outputSubOption;
    uint8_t foldUnit_Option;
    uint8_t offsetStapleTray_Option;
    uint8_t optionFlag5;
    uint8_t unitOfLength;
    uint8_t reserved51399;
    uint32_t defaultPaperType;
    uint8_t environmentChoiceA;
    uint8_t lightPaperSupport;
    uint8_t roughPaperSupport;
    uint8_t pressPaperSupport;
    uint8_t modelOptionByte;
    uint8_t reserved51409[107];
    uint32_t languageId;
    char16_t resourceModulePath[260];
    char16_t modelDescriptionPath[260];
    char16_t helpFileName[260];
    uint32_t defaultPaper[4];
    PaperRow paperList[kPaperSlots];
    MediaRow mediaTypeList[kMediaSlots];
    TrayRow trayList[kTraySlots];
    uint32_t defaultTray[7];
    uint32_t insertDefaultTray;
    uint32_t mailFormMM;
    uint32_t mailFormInch;
    uint32_t imageQualityDefault;
    uint32_t minExtent[2];
    uint32_t maxExtent[2];
    int32_t margins[4];
    uint16_t printRate;
    uint16_t printResolution;
    uint8_t inkCount;
    uint8_t reserved196441;
    uint16_t modelCode;
    uint8_t modelColor;
    uint8_t modelFS;
    uint8_t a3OrA4;
    uint8_t localArea;
    uint8_t usbMemoryOutputEnable;
    uint8_t printCheckLevel;
    uint8_t listsBuilt;
    uint8_t reserved196451;
    SystemTime16 timeStamp;
    uint8_t reserved196468[160];
    uint32_t environmentChoiceB;
};

#pragma pack(pop)

constexpr uint32_t kEnvironmentSize = 196632;
static_assert(sizeof(PaperRow) == 272);
static_assert(sizeof(MediaRow) == 132);
static_assert(sizeof(TrayRow) == 136);
static_assert(sizeof(PrinterEnvironment) == kEnvironmentSize, "environment record is 196632 bytes");
static_assert(offsetof(PrinterEnvironment, storageFolderPresent) == 51000);
static_assert(offsetof(PrinterEnvironment, storageEnabled) == 51200);
static_assert(offsetof(PrinterEnvironment, typedAddress) == 51204);
static_assert(offsetof(PrinterEnvironment, snmpCommunityName) == 51286);
static_assert(offsetof(PrinterEnvironment, macAddress) == 51354);
static_assert(offsetof(PrinterEnvironment, inputUnit_Option) == 51392);
static_assert(offsetof(PrinterEnvironment, unitOfLength) == 51398);
static_assert(offsetof(PrinterEnvironment, defaultPaperType) == 51400);
static_assert(offsetof(PrinterEnvironment, modelOptionByte) == 51408);
static_assert(offsetof(PrinterEnvironment, languageId) == 51516);
static_assert(offsetof(PrinterEnvironment, defaultPaper) == 53080);
static_assert(offsetof(PrinterEnvironment, paperList) == 53096);
static_assert(offsetof(PrinterEnvironment, mediaTypeList) == 192360);
static_assert(offsetof(PrinterEnvironment, trayList) == 195000);
static_assert(offsetof(PrinterEnvironment, defaultTray) == 196360);
static_assert(offsetof(PrinterEnvironment, insertDefaultTray) == 196388);
static_assert(offsetof(PrinterEnvironment, imageQualityDefault) == 196400);
static_assert(offsetof(PrinterEnvironment, minExtent) == 196404);
static_assert(offsetof(PrinterEnvironment, inkCount) == 196440);
static_assert(offsetof(PrinterEnvironment, modelCode) == 196442);
static_assert(offsetof(PrinterEnvironment, listsBuilt) == 196450);
static_assert(offsetof(PrinterEnvironment, timeStamp) == 196452);
static_assert(offsetof(PrinterEnvironment, environmentChoiceB) == 196628);
