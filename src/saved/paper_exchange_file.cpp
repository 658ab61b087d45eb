#include "saved/paper_exchange_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/fixed_point.h"

namespace {

// The header's words; every space is a zero byte in the file.
const char kHeaderText[] = "UDP_UserDefinitionPaper         KELO/TAMBRE/CORPORATION/vemo                    ";
static_assert(sizeof kHeaderText - 1 == 80);

constexpr size_t kCountAt = 80, kSlotAt = 5, kNameAt = 10, kWidthAt = 70, kLengthAt = 80, kUnitAt = 90;
constexpr size_t kEndTagAt = 95;
constexpr int kSizeBytes = 10;

void Latin1Bytes(const char16_t* text, char* out, int capacity) {
    std::memset(out, 0, static_cast<size_t>(capacity));
    for (int i = 0; text && text[i] && i < capacity - 1; i++)
        out[i] = static_cast<char>(text[i] < 0x100 ? text[i] : u'?');
}

void Latin1Text(const char* bytes, int length, char16_t* out, int capacity) {
    std::memset(out, 0, sizeof(char16_t) * static_cast<size_t>(capacity));
    for (int i = 0; i < length && bytes[i] && i < capacity - 1; i++)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
}

int Decimals(uint32_t unit) { return unit == kUserPaperInches ? 2 : 1; }

void PutSize(uint8_t* at, uint32_t value, uint32_t unit) {
    char16_t text[16];
    FormatFixedPoint(text, 16, static_cast<int32_t>(value), Decimals(unit), u".");
    for (int i = 0; text[i] && i < kSizeBytes; i++) at[i] = static_cast<uint8_t>(text[i]);
}

int GetSize(const uint8_t* at, uint32_t unit, int32_t* value) {
    char16_t text[kSizeBytes + 1] = {};
    for (int i = 0; i < kSizeBytes && at[i]; i++) text[i] = at[i];
    return ParseFixedPoint(text, value, Decimals(unit), u".");
}

// The count at offset 80: leading spaces, a sign, digits; two bytes at most.
int HeaderCount(const uint8_t* block) {
    char text[3] = {static_cast<char>(block[kCountAt]), static_cast<char>(block[kCountAt + 1]), 0};
    return std::atoi(text);
}

ExchangeBlockResult ReadBlock(const uint8_t* b, const ExchangeNameCodePage& names, UserPaperRecord* out) {
    if (std::memcmp(b, "RSsta", 5) != 0 || std::memcmp(b + kEndTagAt, "RSend", 5) != 0) return kBlockTags;
    const char unitByte = static_cast<char>(b[kUnitAt]);
    if (unitByte != '1' && unitByte != '2') return kBlockUnit;
    const uint32_t unit = unitByte == '2' ? kUserPaperInches : kUserPaperMillimetres;
    int32_t width = 0, length = 0;
    const PaperSizeLimits lim = ExchangeLimits(unit);
    if (!GetSize(b + kWidthAt, unit, &width) || !GetSize(b + kLengthAt, unit, &length)) return kBlockSize;
    if (width < lim.widthMin || width > lim.widthMax || length < lim.lengthMin || length > lim.lengthMax)
        return kBlockSize;
    char16_t name[64];
    names.toText(reinterpret_cast<const char*>(b + kNameAt), kExchangeNameBytes, name, 64);
    name[kUserPaperNameChars] = 0;
    if (!name[0]) return kBlockName;
    *out = MakeUserPaper(static_cast<uint32_t>(width), static_cast<uint32_t>(length), unit, name);
    return kTaken;
}

}  // namespace

const ExchangeNameCodePage kLatin1Names = {Latin1Bytes, Latin1Text};

PaperSizeLimits ExchangeLimits(uint32_t unit) {
    if (unit == kUserPaperInches) return {354, 1339, 583, 2165};
    return {900, 3400, 1480, 5500};
}

void WritePaperExchangeFile(const ExchangePaper* papers, int count, const ExchangeNameCodePage& names,
                            std::vector<uint8_t>* file) {
    if (!file) return;
    if (count < 0 || !papers) count = 0;
    if (count > kUserPaperSlots) count = kUserPaperSlots;
    file->assign(kExchangeBlockSize * static_cast<size_t>(count + 1), 0);
    uint8_t* h = file->data();
    for (size_t i = 0; i < 80; i++) h[i] = kHeaderText[i] == ' ' ? 0 : static_cast<uint8_t>(kHeaderText[i]);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", count);
    h[kCountAt] = static_cast<uint8_t>(digits[0]);
    h[kCountAt + 1] = static_cast<uint8_t>(digits[1]);
    for (int n = 0; n < count; n++) {
        uint8_t* b = h + kExchangeBlockSize * static_cast<size_t>(n + 1);
        const UserPaperRecord& r = papers[n].record;
        std::memcpy(b, "RSsta", 5);
        std::snprintf(digits, sizeof digits, "%d", papers[n].slot + 1);
        std::memcpy(b + kSlotAt, digits, std::strlen(digits) < 5 ? std::strlen(digits) : 5);
        char name[kExchangeNameBytes + 1];
        char16_t text[kUserPaperNameChars + 1];
        std::memcpy(text, r.name, sizeof text);
        text[kUserPaperNameChars] = 0;
        names.toBytes(text, name, kExchangeNameBytes + 1);
        std::memcpy(b + kNameAt, name, kExchangeNameBytes);
        PutSize(b + kWidthAt, r.width, r.unit);
        PutSize(b + kLengthAt, r.length, r.unit);
        b[kUnitAt] = r.unit == kUserPaperInches ? '2' : '1';
        std::memcpy(b + kEndTagAt, "RSend", 5);
    }
}

void ReadPaperExchangeFile(const uint8_t* file, size_t length, const ExchangeNameCodePage& names,
                           ExchangeImport* out) {
    if (!out) return;
    std::memset(out, 0, sizeof *out);
    if (!file || length < kExchangeBlockSize) return;
    for (size_t i = 0; i < 80; i++) {
        const char c = file[i] == 0 ? ' ' : static_cast<char>(file[i]);
        if (c != kHeaderText[i]) return;
    }
    out->headerOk = 1;
    out->count = HeaderCount(file);
    const int wanted = out->count > kUserPaperSlots ? kUserPaperSlots : out->count;
    for (int n = 0; n < wanted && out->taken < wanted; n++) {
        const size_t at = kExchangeBlockSize * static_cast<size_t>(n + 1);
        ExchangeBlockResult& result = out->block[out->blocks++];
        if (at + kExchangeBlockSize > length) {
            result = kBlockMissing;
            continue;
        }
        result = ReadBlock(file + at, names, &out->papers[out->taken]);
        if (result != kTaken) continue;
        char number[6] = {};
        std::memcpy(number, file + at + kSlotAt, 5);
        out->number[out->taken++] = std::atoi(number);
    }
}
