// The picture beside each option of the picture combo boxes (pictures of the
// resource module, type 256). Layout choices have a portrait and a landscape
// drawing, picked by the original orientation.
#pragma once
#include <cstdint>

// The picture of a control's option, or 0 when the option shows none.
uint16_t OptionPicture(uint32_t control, uint32_t value, int landscape);
