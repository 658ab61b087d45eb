// The rules that make merged settings fit the printer. The device rules and
// the job-kind conversions of the header ticket are not built yet: settings
// pass through unchanged apart from the ticket status.
#include "rules/settings_application.h"

#include <cstring>

void ApplyDeviceRestrictions(PrinterSession* session, PrinterHandle printer) {
    (void)session;
    (void)printer;
}

void ConvertHeaderTicket(PrinterSession* session, const uint8_t* callerPrivate) {
    std::memcpy(&session->dm.priv, callerPrivate, 256);
    if (session->dm.priv.ticketVersion != 3) session->dm.priv.ticketStatus = 1;
}
