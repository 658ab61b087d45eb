// Fixed-capacity UTF-16 text helpers: every copy is cut to fit and
// terminated, every read stops at the capacity.
#pragma once
#include <cstddef>
#include <string>

// Length of s, never looking past max characters.
size_t Text16Length(const char16_t* s, size_t max);
// How many of the first n characters of s to keep when a text is cut after
// them: n, or n - 1 when that would leave the first half of a surrogate pair
// (a character outside the basic plane) at the end.
inline size_t Text16CutLength(const char16_t* s, size_t n) {
    return n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF ? n - 1 : n;
}
// Copies at most capacity - 1 characters of src and terminates dst, never
// ending in half a surrogate pair.
void Text16Copy(char16_t* dst, size_t capacity, const char16_t* src);
// Compares over at most n characters, as wcsncmp does.
int Text16Compare(const char16_t* a, const char16_t* b, size_t n);
// UTF-8 of at most max characters of s (to its terminator); a lone
// surrogate becomes the replacement character. Null gives "".
std::string Text16ToUtf8(const char16_t* s, size_t max = static_cast<size_t>(-1));
