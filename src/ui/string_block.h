// A string-table block of a resource module: sixteen counted UTF-16 strings
// (a 16-bit length, then that many characters, no terminator).
#pragma once
#include <cstddef>
#include <cstdint>

// The block that holds string id, numbered from 1 as resources name them.
inline uint32_t StringBlockOf(uint32_t id) { return id / 16 + 1; }

// Copies entry (id mod 16) of the block into out, cut to capacity - 1
// characters and terminated, and returns the count copied. 0, with out
// untouched, when the entry is empty or lies beyond the block's bytes, or
// there is no room.
uint32_t CopyStringFromBlock(const uint8_t* block, size_t bytes, uint32_t id, char16_t* out, uint32_t capacity);
