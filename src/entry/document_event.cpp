#include "entry/document_event.h"

#include <cstdlib>

#include "base/session.h"
#include "rules/session_reset.h"
#include "session/session_load.h"
#include "snmp/wake_up.h"

int DrvDocumentEventCore(PrinterHandle printer, int event, uint32_t cbIn, const void* in, uint32_t cbOut, void* out) {
    (void)cbIn;
    (void)in;
    (void)cbOut;
    switch (event) {
    case kDocEventQueryFilter: {
        DocEventFilter* filter = static_cast<DocEventFilter*>(out);
        if (!filter || filter->elementsAllocated == 0) return kDocEventUnsupported;
        filter->elementsReturned = 1;
        filter->events[0] = kDocEventStartDoc;
        return kDocEventSuccess;
    }
    case kDocEventCreateDcPre: return kDocEventSuccess;
    case kDocEventStartDoc: {
        PrinterSession* session = static_cast<PrinterSession*>(std::malloc(sizeof(PrinterSession)));
        if (!session) return kDocEventUnsupported;
        _UdcLoadSelfDMode(session, printer, nullptr);
        WakeUpPrinter(printer, session);  // a printer that stays asleep still takes the job
        std::free(session);
        return kDocEventSuccess;
    }
    default: return kDocEventUnsupported;
    }
}
