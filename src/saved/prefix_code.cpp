#include "saved/prefix_code.h"

namespace {

// Runs of consecutive ranks with consecutive code values of one length.
struct CodeRun {
    uint16_t firstRank, lastRank, firstValue;
    uint8_t length;
};

constexpr CodeRun kRuns[] = {
    {0, 0, 0, 2},
    {1, 1, 7, 4},
    {2, 2, 13, 4},
    {3, 3, 15, 4},
    {4, 5, 8, 5},
    {6, 6, 16, 5},
    {7, 7, 18, 5},
    {8, 8, 20, 5},
    {9, 9, 19, 5},
    {10, 10, 23, 5},
    {11, 12, 21, 6},
    {13, 13, 27, 6},
    {14, 15, 48, 6},
    {16, 16, 56, 6},
    {17, 17, 58, 6},
    {18, 19, 40, 7},
    {20, 21, 47, 7},
    {22, 23, 50, 7},
    {24, 24, 53, 7},
    {25, 25, 68, 7},
    {26, 26, 70, 7},
    {27, 27, 102, 7},
    {28, 28, 100, 7},
    {29, 29, 115, 7},
    {30, 30, 92, 8},
    {31, 31, 99, 8},
    {32, 32, 98, 8},
    {33, 33, 105, 8},
    {34, 34, 181, 8},
    {35, 35, 202, 8},
    {36, 36, 182, 8},
    {37, 37, 203, 8},
    {38, 38, 207, 8},
    {39, 39, 228, 8},
    {40, 40, 206, 8},
    {41, 41, 237, 8},
    {42, 42, 236, 8},
    {43, 44, 186, 9},
    {45, 45, 208, 9},
    {46, 47, 276, 9},
    {48, 48, 209, 9},
    {49, 49, 360, 9},
    {50, 50, 366, 9},
    {51, 51, 361, 9},
    {52, 52, 351, 9},
    {53, 53, 367, 9},
    {54, 55, 476, 9},
    {56, 56, 459, 9},
    {57, 57, 478, 9},
    {58, 58, 697, 10},
    {59, 59, 694, 10},
    {60, 60, 696, 10},
    {61, 62, 699, 10},
    {63, 63, 698, 10},
    {64, 64, 695, 10},
    {65, 65, 701, 10},
    {66, 66, 958, 10},
    {67, 68, 916, 10},
    {69, 69, 959, 10},
    {70, 71, 1358, 11},
    {72, 83, 1376, 11},
    {84, 84, 2237, 12},
    {85, 85, 2233, 12},
    {86, 87, 2238, 12},
    {88, 88, 2232, 12},
    {89, 91, 2234, 12},
    {92, 95, 2228, 12},
    {96, 103, 2744, 12},
    {104, 107, 2224, 12},
    {108, 123, 2272, 12},
    {124, 131, 2736, 12},
    {132, 147, 2288, 12},
    {148, 163, 2720, 12},
    {164, 227, 2816, 12},
    {228, 255, 2688, 12},
};

struct Tables {
    PrefixCodeWord words[kPrefixCodeWords];
    PrefixDecodeEntry decode[1 << kPrefixCodeMaxBits];
};

constexpr Tables Build() {
    Tables t{};
    for (const CodeRun& run : kRuns)
        for (int r = run.firstRank; r <= run.lastRank; r++)
            t.words[r] = PrefixCodeWord{static_cast<uint16_t>(run.firstValue + (r - run.firstRank)), run.length};
    for (int r = 0; r < kPrefixCodeWords; r++) {
        const int shift = kPrefixCodeMaxBits - t.words[r].length;
        for (int i = t.words[r].value << shift; i < (t.words[r].value + 1) << shift; i++)
            t.decode[i] = PrefixDecodeEntry{static_cast<uint8_t>(r), t.words[r].length};
    }
    return t;
}

constexpr bool RunsCoverEveryRank() {
    int next = 0;
    for (const CodeRun& run : kRuns) {
        if (run.firstRank != next || run.lastRank < run.firstRank) return false;
        next = run.lastRank + 1;
    }
    return next == kPrefixCodeWords;
}
static_assert(RunsCoverEveryRank(), "one code word per rank");

constexpr Tables kTables = Build();

}  // namespace

const PrefixCodeWord* PrefixCodeTable() { return kTables.words; }
const PrefixDecodeEntry* PrefixDecodeTable() { return kTables.decode; }
