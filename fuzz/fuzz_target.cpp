// One fuzz program: ZR_FUZZ_ENTRY names the body it runs.
#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return ZR_FUZZ_ENTRY(data, size); }
