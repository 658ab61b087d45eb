// DrvDocumentEvent: the driver asks only for STARTDOC, on which it wakes the
// printer so that it is ready when the job arrives.
#pragma once
#include <cstdint>

#include "platform/platform.h"

constexpr int kDocEventCreateDcPre = 1;
constexpr int kDocEventStartDoc = 5;
constexpr int kDocEventQueryFilter = 14;

constexpr int kDocEventSuccess = 1;
constexpr int kDocEventUnsupported = 0;

// The spooler's DOCEVENT_FILTER header, followed by the event array.
struct DocEventFilter {
    uint32_t cbSize;
    uint32_t elementsAllocated;
    uint32_t elementsNeeded;
    uint32_t elementsReturned;
    uint32_t events[1];
};

// 1 success, 0 unsupported (or no room / no memory).
int DrvDocumentEventCore(PrinterHandle printer, int event, uint32_t cbIn, const void* in, uint32_t cbOut, void* out);
