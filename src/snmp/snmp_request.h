// Pieces of the request runner that the wake-up shares.
#pragma once
#include <cstdint>

#include "snmp/printer_config.h"

// The printer's address: the typed one when the environment asks for it,
// else the port's. 1/0.
int ResolvePrinterAddress(PrinterHandle printer, const PrinterEnvironment* env, char address[256]);
// The community into community (256 bytes): the stored "SnmpCommunityName"
// when readStored is set and it is not empty, else "public"; logs both lines.
void ResolveCommunity(PrinterHandle printer, bool readStored, char community[256]);
