// Stored display names of the form "+IDS_<number>": a string of the resource
// module shown in the user's language in place of the stored text.
#pragma once
#include <cstdint>

// 1 when the name starts with "+IDS".
int IsDisplayNameRef(const char16_t* name);

// The string id of such a name: the decimal digits from its sixth character
// on (none gives 0).
uint32_t DisplayNameRefId(const char16_t* name);
