// Tray ids: the public dmDefaultSource and every tray field of the private
// record. The automatic tray lets the printer choose; 257 and up are the
// driver's own bins, the standard feed tray and the high-capacity feeder
// being the two feed units one of which a printer has.
#pragma once
#include <cstdint>

constexpr uint16_t kTrayAuto = 7;             // the printer chooses (DMBIN_AUTO)
constexpr uint16_t kTrayStandardFeed = 257;   // the standard feed tray
constexpr uint16_t kTray1 = 258;
constexpr uint16_t kTray2 = 259;
constexpr uint16_t kTray3 = 260;
constexpr uint16_t kTrayHighCapacity = 261;   // the high-capacity feeder (input unit option 10)
constexpr uint16_t kTrayCoverInserter = 262;  // perfect-binding covers only
