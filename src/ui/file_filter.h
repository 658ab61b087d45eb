// The filter list of a file dialog from one resource string: the string's
// last character is its separator ("Print files|*.prn|"), and every
// occurrence of it becomes a NUL, so a string ending in it gives the
// double-NUL-terminated list the dialog reads.
#pragma once

// In place; text must be NUL-terminated. An empty text is left alone.
void FilterSeparatorsToNul(char16_t* text);
