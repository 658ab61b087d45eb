#include "ui/display_name_ref.h"

int IsDisplayNameRef(const char16_t* name) {
    return name && name[0] == u'+' && name[1] == u'I' && name[2] == u'D' && name[3] == u'S';
}

uint32_t DisplayNameRefId(const char16_t* name) {
    if (!IsDisplayNameRef(name) || name[4] == 0) return 0;
    uint32_t id = 0;
    for (const char16_t* p = name + 5; *p >= u'0' && *p <= u'9'; p++) id = id * 10 + uint32_t(*p - u'0');
    return id;
}
