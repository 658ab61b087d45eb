// The fixed prefix code of the export file: 256 code words indexed by rank,
// ordered by non-decreasing length (2 to 12 bits), complete and prefix-free.
// The byte value of rank r is written as code word r.
#pragma once
#include <cstdint>

struct PrefixCodeWord {
    uint16_t value;  // the code word's bits, most significant first
    uint8_t length;  // bits
};

constexpr int kPrefixCodeWords = 256;
constexpr int kPrefixCodeMaxBits = 12;

const PrefixCodeWord* PrefixCodeTable();

// Index by the next 12 bits of a stream: the rank whose code word starts
// those bits and its length. Every 12-bit pattern starts exactly one word.
struct PrefixDecodeEntry {
    uint8_t rank;
    uint8_t length;
};
const PrefixDecodeEntry* PrefixDecodeTable();  // 4096 entries
