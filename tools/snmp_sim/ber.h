// The few BER pieces an SNMPv1 agent needs: definite lengths, INTEGER,
// OBJECT IDENTIFIER, and reading TLVs without leaving the datagram. Written
// for the simulator alone, apart from the driver's own codec, so that the
// two cannot share a mistake.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace snmpsim {

using Bytes = std::vector<uint8_t>;

void PutLength(Bytes* out, size_t length);
// tag, definite length, content.
Bytes Tlv(uint8_t tag, const Bytes& content);
void Append(Bytes* out, const Bytes& more);

// Shortest two's-complement content of an INTEGER.
Bytes IntegerContent(int64_t value);

// Dotted text (leading dot optional, at least two components, each a
// decimal below 2^32) to identifier content; 0 when the text is not one.
int OidFromText(const std::string& text, Bytes* out);
// Identifier content to dotted text with a leading dot; 0 when malformed.
int OidToText(const Bytes& content, std::string* text);

// A window on received bytes.
struct Reader {
    const uint8_t* p = nullptr;
    size_t left = 0;
};

// Reads one TLV with a definite length that fits in what is left; 0 for
// anything else, without reading past the window.
int ReadTlv(Reader* r, uint8_t* tag, Reader* content);
// An INTEGER content of 1 to 8 bytes as a signed value.
int IntegerValue(const Reader& content, int64_t* value);

}  // namespace snmpsim
