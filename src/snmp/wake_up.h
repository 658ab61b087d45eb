// Waking a sleeping printer before a job reaches it (declared with the rest
// of the configuration retrieval).
#pragma once
#include "snmp/printer_config.h"
