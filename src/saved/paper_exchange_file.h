// The exchange file of user-defined papers: 100-byte blocks, a header block
// with the paper count, then one block per paper between "RSsta" and
// "RSend" (slot number, name in the system's 8-bit code page, width and
// length as text with '.', unit). Bytes in and out; the caller reads and
// writes the file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "saved/user_papers.h"

constexpr size_t kExchangeBlockSize = 100;
constexpr int kExchangeNameBytes = 60;

// The 8-bit code page of names in the file. The driver passes the system's
// (CP_ACP); kLatin1Names stands in for it where there is none.
struct ExchangeNameCodePage {
    // text into out (capacity bytes), zero-filled and terminated.
    void (*toBytes)(const char16_t* text, char* out, int capacity);
    // length bytes of text into out (capacity units), zero-filled and terminated.
    void (*toText)(const char* bytes, int length, char16_t* out, int capacity);
};
extern const ExchangeNameCodePage kLatin1Names;

struct ExchangePaper {
    int slot;  // written as slot + 1
    UserPaperRecord record;
};

// The header and one block per paper, in the given order, sizes in each
// record's own unit and decimals.
void WritePaperExchangeFile(const ExchangePaper* papers, int count, const ExchangeNameCodePage& names,
                            std::vector<uint8_t>* file);

// Why a block of a file was left out (kTaken when it was not).
enum ExchangeBlockResult {
    kTaken = 0,
    kBlockMissing,   // the file ends before it
    kBlockTags,      // no "RSsta" or "RSend"
    kBlockUnit,      // neither '1' nor '2'
    kBlockSize,      // a size that does not read or lies outside its limits
    kBlockName,      // an empty name
};
struct ExchangeImport {
    int headerOk;    // 0: not our file, nothing read
    int count;       // the number the header gives
    int taken;       // papers in papers[]
    UserPaperRecord papers[kUserPaperSlots];
    int number[kUserPaperSlots];  // each paper's block number (its slot + 1 where written)
    int blocks;      // blocks looked at
    ExchangeBlockResult block[kUserPaperSlots];
};
// Reads at most the header's count of blocks (never more than 99) and
// takes the good ones; a bad block is skipped.
void ReadPaperExchangeFile(const uint8_t* file, size_t length, const ExchangeNameCodePage& names,
                           ExchangeImport* out);

// The sizes a block may carry (0.1 mm or 0.01 inch).
struct PaperSizeLimits {
    int32_t widthMin, widthMax, lengthMin, lengthMax;
};
PaperSizeLimits ExchangeLimits(uint32_t unit);
