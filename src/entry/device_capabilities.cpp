#include "entry/device_capabilities.h"

#include <cstdlib>
#include <cstring>

#include "entry/model_list_access.h"
#include "settings/resolve.h"
#include "settings/text16.h"

namespace {

// The caller's buffer has no alignment promise: every value is copied in.
void PutU16(void* out, int i, uint32_t value) {
    uint16_t v = static_cast<uint16_t>(value);
    std::memcpy(static_cast<uint8_t*>(out) + i * 2, &v, 2);
}
void PutU32(void* out, int i, uint32_t value) { std::memcpy(static_cast<uint8_t*>(out) + i * 4, &value, 4); }

// One name slot: the name cut to slot - 1 characters (and to the 63 a
// 64-character field holds), then zeros to the end of the slot.
void PutName(void* out, int i, int slot, const char16_t* name) {
    char16_t text[kPaperNameSlot] = {};
    size_t n = Text16Length(name, 63);
    if (n > static_cast<size_t>(slot - 1)) n = static_cast<size_t>(slot - 1);
    std::memcpy(text, name, n * 2);
    std::memcpy(static_cast<uint8_t*>(out) + static_cast<size_t>(i) * slot * 2, text, static_cast<size_t>(slot) * 2);
}

uint32_t Papers(const PrinterSession* s, uint16_t index, void* out, int limit) {
    const PaperRow* rows[kPaperSlots];
    int n = ListedPapers(&s->env, rows);
    if (!out) return static_cast<uint32_t>(n);
    if (n > limit) n = limit;
    for (int i = 0; i < n; i++) {
        if (index == kDcPapers) {
            PutU16(out, i, rows[i]->id);
        } else if (index == kDcPaperSize) {
            int32_t w = 0, l = 0;
            PaperRowSize(s, *rows[i], &w, &l);
            PutU32(out, 2 * i, static_cast<uint32_t>(w));
            PutU32(out, 2 * i + 1, static_cast<uint32_t>(l));
        } else {
            PutName(out, i, kPaperNameSlot, rows[i]->name);
        }
    }
    return static_cast<uint32_t>(n);
}

uint32_t Trays(const PrinterEnvironment* env, uint16_t index, void* out) {
    int n = TrayListCount(env);
    for (int i = 0; out && i < n; i++) {
        if (index == kDcBins) PutU16(out, i, env->trayList[i].id);
        else PutName(out, i, kBinNameSlot, env->trayList[i].name);
    }
    return static_cast<uint32_t>(n);
}

uint32_t Media(const PrinterEnvironment* env, uint16_t index, void* out) {
    int n = MediaListCount(env);
    for (int i = 0; out && i < n; i++) {
        if (index == kDcMediaTypes) PutU32(out, i, env->mediaTypeList[i].id);
        else PutName(out, i, kMediaNameSlot, env->mediaTypeList[i].name);
    }
    return static_cast<uint32_t>(n);
}

// x in the low 16 bits, y in the high 16 bits; the pair itself as two
// 32-bit values when there is an output.
uint32_t Extent(const uint32_t xy[2], void* out) {
    if (out) {
        PutU32(out, 0, xy[0]);
        PutU32(out, 1, xy[1]);
    }
    return (xy[0] & 0xFFFF) | (xy[1] << 16);
}

PrinterSession* ResolvedSession(PrinterHandle printer, const char16_t* deviceName, void* devmode, int caller) {
    PrinterSession* s = static_cast<PrinterSession*>(std::malloc(sizeof(PrinterSession)));
    if (s && _UdcResolveSelfDMode(s, devmode, printer, deviceName, nullptr, kResolveWholeSession | kResolveInBuffer,
                                  caller) != 1) {
        std::free(s);
        s = nullptr;
    }
    if (!s) Sys().SetLastError(kErrNotEnoughMemory);
    return s;
}

}  // namespace

uint32_t AnswerDeviceCapability(const PrinterSession* s, uint16_t index, void* out) {
    const PublicDevMode& d = s->dm.pub;
    const PrinterEnvironment* env = &s->env;
    uint32_t minimum[2], maximum[2];
    switch (index) {
    case kDcFields: return d.dmFields;
    case kDcPapers:
    case kDcPaperSize:
    case kDcPaperNames:
    case kDcMediaReady: return Papers(s, index, out, kPaperSlots);
    case kDcMinExtent:
    case kDcMaxExtent:
        PaperExtents(env, minimum, maximum);
        return Extent(index == kDcMinExtent ? minimum : maximum, out);
    case kDcBins:
    case kDcBinNames: return Trays(env, index, out);
    case kDcSize: return d.dmSize;
    case kDcExtra: return d.dmDriverExtra;
    case kDcVersion: return d.dmSpecVersion;
    case kDcDriver: return d.dmDriverVersion;
    case kDcOrientation: return 270;
    case kDcCopies: return 32767;
    case kDcPrintRate:
    case kDcPrintRatePpm: return PrintRate(env);
    case kDcMediaTypeNames:
    case kDcMediaTypes: return Media(env, index, out);
    case kDcDuplex:
    case kDcTrueType:
    case kDcEmfCompliant:
    case kDcCollate:
    case kDcPrintRateUnit:  // pages per minute
    case kDcStaple:
    case kDcColorDevice: return 1;
    default: return kCapsUnsupported;  // 0, resolutions, dependent files, names, memory, N-up, 36 on
    }
}

uint32_t AnswerSplDeviceCaps(const PrinterSession* s, uint16_t index, void* out, uint32_t outChars) {
    if (index != kDcPaperNames && index != kDcMediaReady) return kCapsUnsupported;
    if (!out) return Papers(s, index, nullptr, 0);
    if (outChars < static_cast<uint32_t>(kPaperNameSlot)) return kCapsUnsupported;
    const uint32_t room = outChars / kPaperNameSlot;
    return Papers(s, kDcPaperNames, out, room < static_cast<uint32_t>(kPaperSlots) ? static_cast<int>(room) : kPaperSlots);
}

uint32_t DrvDeviceCapabilitiesCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                                   void* devmode) {
    PrinterSession* s = ResolvedSession(printer, deviceName, devmode, kCallerDeviceCaps);
    if (!s) return kCapsUnsupported;
    uint32_t answer = AnswerDeviceCapability(s, index, out);
    std::free(s);
    return answer;
}

uint32_t DrvSplDeviceCapsCore(PrinterHandle printer, const char16_t* deviceName, uint16_t index, void* out,
                              uint32_t outChars, void* devmode) {
    PrinterSession* s = ResolvedSession(printer, deviceName, devmode, kCallerSplDeviceCaps);
    if (!s) return kCapsUnsupported;
    uint32_t answer = AnswerSplDeviceCaps(s, index, out, outChars);
    std::free(s);
    return answer;
}
