// The validity check of stored settings: whether a saved record (a favourite,
// perhaps made on another printer of the family) can be used unchanged on the
// current printer. It changes nothing; every failed check writes its line to
// the diagnostics log.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

// Runs every check over the session's record and environment, with the
// printer's "ColorRestriction", between the start and end lines that name
// the favourite. Returns 1 when every check passed, else 0 (also without a
// session).
int CheckOptionDMode(const PrinterSession* session, PrinterHandle printer, const char16_t* favoriteName);

// The checks alone: logs one line per failure and returns the number of
// failed checks (0 when the record fits).
int CountSettingsMisfits(const PrivateSettings& settings, const PrinterEnvironment& env, uint32_t colorRestriction);
