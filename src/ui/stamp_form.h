// The stamp panels' rules over the settings record, without windows: a stamp
// switched on starts at its default position, the numbers and sizes stay in
// their ranges, the date stamp's given date starts as today's, and the typed
// texts are filtered and cut to their fields.
#pragma once
#include <cstdint>

#include "base/private_settings.h"

enum StampKind { kPageStamp = 0, kDateStamp = 1, kTextStamp = 2 };

constexpr int kStampTextUnits = 24;  // a stored date or text with its terminator

// On: 1 and the stamp's default position (6 for the page number, 3 for date
// and text); off: 0, the position left as it was.
void SwitchStamp(PrivateSettings& p, int kind, int on);
// Start number and start page 1..9999, sizes 8..32, styles 0..3.
void ClampStamps(PrivateSettings& p);
// An empty given date becomes today (the user's short date); 1 when filled.
int FillStampDate(PrivateSettings& p, const char16_t* today);
// A typed date or text: characters a stamp may not hold removed (1 when any
// was: the panel warns), then stored cut to 23 code units.
int TypeStampText(PrivateSettings& p, int kind, const char16_t* typed);
