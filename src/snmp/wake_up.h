// Waking a sleeping printer before a job reaches it.
#pragma once
#include "entry/session.h"

// Sends the wake-up to the printer the session describes; 1 when sent.
int WakeUpPrinter(PrinterSession* session);
