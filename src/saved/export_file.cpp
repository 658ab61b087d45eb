#include "saved/export_file.h"

#include <algorithm>
#include <cstring>

#include "base/text16.h"
#include "saved/prefix_code.h"

namespace {

constexpr char kTag[8] = {'K', 'E', 'L', 'O', '_', 'Q', 'V', 'T'};
constexpr uint8_t kMaxNameLength = 20;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Write16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

int WriteExportFile(std::vector<uint8_t>* file, const uint8_t* record, uint32_t length, const char16_t* name) {
    if (!file || !record || length == 0 || length > 0xFFFF) return 0;
    uint32_t counts[256] = {};
    for (uint32_t i = 0; i < length; i++) counts[record[i]]++;

    // Highest count first; between equal counts the higher byte value.
    uint8_t symbols[256];
    int k = 0;
    for (int v = 255; v >= 0; v--)
        if (counts[v]) symbols[k++] = static_cast<uint8_t>(v);
    std::stable_sort(symbols, symbols + k, [&](uint8_t a, uint8_t b) { return counts[a] > counts[b]; });
    const PrefixCodeWord* code = PrefixCodeTable();
    PrefixCodeWord wordOf[256] = {};
    uint64_t bits = 0;
    for (int r = 0; r < k; r++) {
        wordOf[symbols[r]] = code[r];
        bits += static_cast<uint64_t>(counts[symbols[r]]) * code[r].length;
    }
    const uint32_t coded = static_cast<uint32_t>((bits + 7) / 8);
    // A stream longer than the record would fail the reader's length check,
    // so such a record is stored uncoded.
    const int coding = coded <= length ? 1 : 0;
    const uint32_t streamSize = coding ? coded : length;

    std::vector<uint8_t> out(kExportHeaderSize + (coding ? k : 0) + streamSize, 0);
    std::memcpy(out.data(), kTag, sizeof kTag);
    Write16(&out[10], kMaxNameLength);
    Write16(&out[12], kExportHeaderSize);
    Write16(&out[14], coding);
    Write16(&out[16], static_cast<uint32_t>(k));
    Write16(&out[18], streamSize);
    Write16(&out[20], length);
    const size_t nameUnits = name ? Text16Length(name, kMaxNameLength) : 0;
    for (size_t i = 0; i < nameUnits; i++) Write16(&out[22 + 2 * i], name[i]);

    if (!coding) {
        std::memcpy(&out[kExportHeaderSize], record, length);
    } else {
        std::memcpy(&out[kExportHeaderSize], symbols, static_cast<size_t>(k));
        uint8_t* stream = &out[kExportHeaderSize + k];
        // Code words go in most significant bit first, output bytes fill from
        // their most significant bit down.
        uint64_t acc = 0;
        int held = 0;
        size_t pos = 0;
        for (uint32_t i = 0; i < length; i++) {
            const PrefixCodeWord w = wordOf[record[i]];
            acc = (acc << w.length) | w.value;
            held += w.length;
            while (held >= 8) {
                held -= 8;
                stream[pos++] = static_cast<uint8_t>(acc >> held);
            }
        }
        if (held) stream[pos++] = static_cast<uint8_t>(acc << (8 - held));
    }
    file->swap(out);
    return 1;
}

int ReadExportFile(const uint8_t* file, uint32_t length, std::vector<uint8_t>* record,
                   char16_t name[kExportNameUnits]) {
    if (!file || !record || !name || length < kExportHeaderSize + 1) return -1;
    if (std::memcmp(file, kTag, sizeof kTag) != 0) return -1;
    if (file[10] > kMaxNameLength || Read16(file + 12) != kExportHeaderSize) return -1;
    const uint32_t k = Read16(file + 16), z = Read16(file + 18), u = Read16(file + 20);
    if (k == 0 || z == 0 || u == 0) return -1;
    if (((length - kExportHeaderSize) & 0xFFFF) > k + u) return -1;
    const int coding = file[14] != 0;

    std::vector<uint8_t> out(u);
    if (!coding) {
        if (u > length - kExportHeaderSize) return -1;
        std::memcpy(out.data(), file + kExportHeaderSize, u);
    } else {
        // A header whose tables reach past the file's end, or a symbol table
        // with more ranks than the code has, describes no file of ours.
        if (k > kPrefixCodeWords || k + z > length - kExportHeaderSize) return -1;
        const uint8_t* symbols = file + kExportHeaderSize;
        const uint8_t* stream = symbols + k;
        const uint64_t streamBits = static_cast<uint64_t>(z) * 8;
        const PrefixDecodeEntry* decode = PrefixDecodeTable();
        // The next bits of the stream, left-aligned, zeros past its end.
        uint64_t window = 0;
        int held = 0;
        uint32_t next = 0;
        uint64_t used = 0;
        for (uint32_t i = 0; i < u; i++) {
            while (held <= 56) {
                window |= static_cast<uint64_t>(next < z ? stream[next] : 0u) << (56 - held);
                next++;
                held += 8;
            }
            const PrefixDecodeEntry e = decode[window >> (64 - kPrefixCodeMaxBits)];
            // A code word of a rank the file has no symbol for never matches,
            // nor does one that needs bits beyond the stream.
            used += e.length;
            if (e.rank >= k || used > streamBits) return -1;
            out[i] = symbols[e.rank];
            window <<= e.length;
            held -= e.length;
        }
    }
    for (int i = 0; i < kExportNameUnits; i++) name[i] = Read16(file + 22 + 2 * i);
    name[kExportNameUnits - 1] = 0;
    record->swap(out);
    return 0;
}
