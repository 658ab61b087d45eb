// The SNMP codec on its own: request bytes, identifier encodings, and every
// way an answer can be wrong, with the status each gives.
#include <gtest/gtest.h>

#include <cstring>

#include "ber_builder.h"
#include "snmp/snmp_codec.h"
#include "snmp/snmp_status.h"

using namespace bertest;

namespace {

const char kOidA[] = ".1.3.6.1.2.1.1.1.0";
const char kOidAHex[] = "2B 06 01 02 01 01 01 00";
const char kOidB[] = ".1.3.6.1.4.1.40961.1.2.1.1.6.0";
const char kOidBHex[] = "2B 06 01 04 01 82 C0 01 01 02 01 01 06 00";

struct Records {
    SnmpVarRecord r[2]{};
    Records() { strcpy(r[0].oid, kOidA); strcpy(r[1].oid, kOidB); }
    ~Records() { SnmpFreeValues(r, 2); }
};

int32_t Decode(Records& rec, uint32_t count, uint32_t id, const Bytes& answer) {
    return SnmpDecodeGetResponse(rec.r, count, id, "public", answer.data(), static_cast<uint32_t>(answer.size()));
}

TEST(SnmpEncode, TwoObjectsPublicId1234) {
    Records rec;
    uint32_t pduLength = 0, length = 0;
    uint8_t* pdu = SnmpEncodeGetRequest(rec.r, 2, 0x1234, &pduLength);
    ASSERT_NE(pdu, nullptr);
    uint8_t* message = SnmpEncodeMessage("public", pdu, pduLength, &length);
    ASSERT_NE(message, nullptr);
    Bytes bytes(message, message + length);
    EXPECT_EQ(ToHex(bytes), ToHex(Hex("30 3B 02 01 00 04 06 70 75 62 6C 69 63"
                                      " A0 2E 02 02 12 34 02 01 00 02 01 00 30 22"
                                      " 30 0C 06 08 2B 06 01 02 01 01 01 00 05 00"
                                      " 30 12 06 0E 2B 06 01 04 01 82 C0 01 01 02 01 01 06 00 05 00")));
    // Our own request read back as an answer: both objects found, NULL values.
    bytes[13] = 0xA2;
    EXPECT_EQ(Decode(rec, 2, 0x1234, bytes), kSnmpSuccess);
    EXPECT_EQ(rec.r[0].length, 0u);
    EXPECT_NE(rec.r[1].value, nullptr);
    free(pdu);
    free(message);
}

TEST(SnmpEncode, LongListsTakeLongLengthsAndSmallIdsTwoBytes) {
    static SnmpVarRecord many[400]{};
    for (int i = 0; i < 400; ++i) snprintf(many[i].oid, sizeof many[i].oid, ".1.3.6.1.4.1.40961.1.2.2.4.1.2.%d", i + 1);
    uint32_t pduLength = 0, length = 0;
    uint8_t* pdu = SnmpEncodeGetRequest(many, 400, 5, &pduLength);
    ASSERT_NE(pdu, nullptr);
    EXPECT_EQ(ToHex(Bytes(pdu, pdu + 2)), "A0 82");
    EXPECT_EQ((pdu[2] << 8 | pdu[3]) + 4u, pduLength);
    EXPECT_EQ(ToHex(Bytes(pdu + 4, pdu + 8)), "02 02 00 05");
    uint8_t* message = SnmpEncodeMessage(std::string(127, 'c').c_str(), pdu, pduLength, &length);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(length, 4 + 3 + 2 + 127 + pduLength);
    EXPECT_EQ(ToHex(Bytes(message + 7, message + 9)), "04 7F");  // the community length stays one byte
    uint32_t unused = 0;
    EXPECT_EQ(SnmpEncodeMessage(std::string(128, 'c').c_str(), pdu, pduLength, &unused), nullptr);
    free(pdu);
    free(message);
}

TEST(SnmpOid, TextToBytesAndBack) {
    struct Case { const char* text; const char* hex; const char* back; } cases[] = {  // back null: reads back as text
        {".1.3.6.1", "2B 06 01", nullptr},
        {".1.3.127", "2B 7F", nullptr},
        {".1.3.128", "2B 81 00", nullptr},
        {".1.3.16384", "2B 81 80 00", nullptr},
        {".1.3.4294967295", "2B 8F FF FF FF 7F", nullptr},
        {"1.3.6", "2B 06", ".1.3.6"},           // the leading dot is optional
        {".1.3.x.5", "2B 00 05", ".1.3.0.5"},   // a non-number reads as 0
        {".1.3.12ab", "2B 0C", ".1.3.12"},       // digits up to the first other character
        {".2.39", "77", nullptr},
    };
    for (const Case& c : cases) {
        uint8_t bytes[256];
        uint32_t n = SnmpTextToOid(c.text, bytes);
        EXPECT_EQ(ToHex(Bytes(bytes, bytes + n)), ToHex(Hex(c.hex))) << c.text;
        char text[256];
        uint32_t textLength = SnmpOidToText(bytes, n, text);
        EXPECT_EQ(textLength, strlen(text));
        EXPECT_STREQ(text, c.back != nullptr ? c.back : c.text);
    }
    uint8_t bytes[256];
    EXPECT_EQ(SnmpTextToOid(std::string(256, '1').c_str(), bytes), 0u);
    std::string longest = ".1.3";
    while (longest.size() + 2 <= 255) longest += ".1";
    EXPECT_EQ(SnmpTextToOid(longest.c_str(), bytes), 1 + (longest.size() - 4) / 2);
}

TEST(SnmpOid, HostileBytesStayInTheirText) {
    char text[256];
    EXPECT_EQ(SnmpOidToText(nullptr, 0, text), 0u);
    EXPECT_STREQ(text, "");
    Bytes overflow = Hex("2B FF FF FF FF FF FF 7F 81");  // too many groups, then an unfinished one
    SnmpOidToText(overflow.data(), static_cast<uint32_t>(overflow.size()), text);
    EXPECT_EQ(strncmp(text, ".1.3.", 5), 0);
    EXPECT_EQ(strchr(text + 5, '.'), nullptr);
    Bytes longOne(300, 0x7F);
    uint32_t textLength = SnmpOidToText(longOne.data(), 300, text);
    EXPECT_LE(textLength, 255u);
    EXPECT_EQ(strlen(text), textLength);
}

// The answer to kOidA (a text) and kOidB (an integer) for id 0x1234, with
// one field changed per case.
struct AnswerCase { const char* what; Bytes answer; int32_t status; uint32_t count = 2, id = 0x1234; };

Bytes Good(const Bytes& list) {
    return Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x34}), Int({0}), Int({0}), list);
}

TEST(SnmpDecode, ChecksInTheirOrder) {
    const Bytes a = Binding(kOidAHex, Str("hi")), b = Binding(kOidBHex, Int({1}));
    const Bytes list = Seq(Cat({a, b}));
    const Bytes good = Good(list);
    Bytes outerIndefinite = good;
    outerIndefinite[1] = 0x80;
    Bytes outerTooLong = good;
    outerTooLong[1] += 1;
    Bytes listLongerThanPdu = good;
    listLongerThanPdu[good.size() - list.size() + 1] += 2;
    const AnswerCase cases[] = {
        {"good", good, kSnmpSuccess},
        {"outer not a sequence", Cat({Hex("31"), Bytes(good.begin() + 1, good.end())}), kSnmpFormatError},
        {"outer longer than the datagram", outerTooLong, kSnmpFormatError},
        {"outer indefinite: nothing inside", outerIndefinite, kSnmpVersionError},
        {"version 1", Message(Int({1}), Str("public"), 0xA2, Int({0x12, 0x34}), Int({0}), Int({0}), list), kSnmpVersionError},
        {"community other", Message(Int({0}), Str("publiC"), 0xA2, Int({0x12, 0x34}), Int({0}), Int({0}), list), kSnmpCommunityError},
        {"GetRequest tag", Message(Int({0}), Str("public"), 0xA0, Int({0x12, 0x34}), Int({0}), Int({0}), list), kSnmpFormatError},
        {"id other", Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x35}), Int({0}), Int({0}), list), kSnmpRequestIdError},
        {"id three bytes: first two count", Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x34, 0x99}), Int({0}), Int({0}), list), kSnmpSuccess},
        {"id empty", Message(Int({0}), Str("public"), 0xA2, Int({}), Int({0}), Int({0}), list), kSnmpFormatError},
        {"id one byte below 128", Message(Int({0}), Str("public"), 0xA2, Int({0x34}), Int({0}), Int({0}), list), kSnmpSuccess, 2, 0x34},
        {"noSuchName", Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x34}), Int({2}), Int({1}), list), kSnmpStatusError},
        {"status not an integer", Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x34}), Str("x"), Int({0}), list), kSnmpFormatError},
        {"list not a sequence", Message(Int({0}), Str("public"), 0xA2, Int({0x12, 0x34}), Int({0}), Int({0}), Tlv(0x31, Cat({a, b}))), kSnmpFormatError},
        {"list longer than the PDU", listLongerThanPdu, kSnmpFormatError},
        {"empty list, nothing asked", Good(Seq({})), kSnmpSuccess, 0},
        {"one missing", Good(Seq(a)), kSnmpDataCountError},
        {"one unasked extra", Good(Seq(Cat({b, Binding("2B 06 01 09", Int({7})), a}))), kSnmpSuccess},
        {"exception value tag", Good(Seq(Cat({a, Binding(kOidBHex, Tlv(0x80, {}))}))), kSnmpSuccess},
        {"binding not a sequence", Good(Seq(Cat({a, Tlv(0x31, Cat({Tlv(0x06, Hex(kOidBHex)), Int({1})}))}))), kSnmpFormatError},
        {"name not an identifier", Good(Seq(Cat({a, Seq(Cat({Str("x"), Int({1})}))}))), kSnmpFormatError},
        {"empty identifier", Good(Seq(Cat({a, Seq(Cat({Tlv(0x06, {}), Int({1})}))}))), kSnmpDataCountError},
        {"value longer than its binding", Good(Seq(Cat({a, Seq(Cat({Tlv(0x06, Hex(kOidBHex)), Hex("02 05 01")}))}))), kSnmpFormatError},
        {"same object twice fills the count", Good(Seq(Cat({a, a}))), kSnmpSuccess},
    };
    for (const AnswerCase& c : cases) {
        Records rec;
        EXPECT_EQ(Decode(rec, c.count, c.id, c.answer), c.status) << c.what;
    }
    Records rec;
    ASSERT_EQ(Decode(rec, 2, 0x1234, good), kSnmpSuccess);
    EXPECT_EQ(rec.r[0].length, 2u);
    EXPECT_EQ(memcmp(rec.r[0].value, "hi\0\0\0\0", 6), 0);  // terminated by the four spare bytes
    EXPECT_EQ(rec.r[1].length, 1u);
    EXPECT_EQ(rec.r[1].value[0], 1);
}

// Every cut and every hostile byte at every place: a status, never a read
// outside the datagram (the sanitizer build watches), and only the whole
// answer succeeds.
TEST(SnmpDecode, CutsAndCorruptBytesNeverReadOutside) {
    const Bytes good = Good(Seq(Cat({Binding(kOidAHex, Str("hello")), Binding(kOidBHex, Int({0x7F, 0xFF}))})));
    for (size_t n = 0; n < good.size(); ++n) {
        Records rec;
        EXPECT_NE(Decode(rec, 2, 0x1234, Bytes(good.begin(), good.begin() + static_cast<long>(n))), 0) << n;
    }
    for (size_t i = 0; i < good.size(); ++i) {
        for (uint8_t v : {0x00, 0x7F, 0x80, 0x81, 0x84, 0x89, 0xFF}) {
            Bytes bad = good;
            bad[i] = v;
            Records rec;
            Decode(rec, 2, 0x1234, bad);
        }
    }
}

TEST(SnmpInteger, UnsignedBigEndianWithWrap) {
    struct Case { const char* hex; uint32_t value; } cases[] = {
        {"", 0}, {"FF", 255}, {"12 34 56 78", 0x12345678},
        {"FF FF FF FF FF", 0xFE},  // the first of five bytes shifts by 32 mod 32 = 0, and the sum wraps
        {"00 00 00 00 80", 0x80},
    };
    for (const Case& c : cases) {
        Bytes b = Hex(c.hex);
        EXPECT_EQ(SnmpDecodeInteger(b.data(), static_cast<uint32_t>(b.size())), c.value) << c.hex;
    }
}

// Each kind of code once: the codec's own, the gaps and ends of its range,
// and the network families by their top four bits.
TEST(SnmpStatus, Texts) {
    struct Case { int32_t code; const char* text; } cases[] = {
        {-2, "dest ip address error"}, {-1, "unknown error"}, {0, ""}, {1, "invalid handle"}, {4, "network error (session time out)"},
        {10, "Asn.1 format error"}, {19, ""}, {-3, ""},
        {0x10000000 | 11001, "network error (address info)"}, {0x70002738, "network error (recieve)"},
        {static_cast<int32_t>(0x80000000u | 11001), "network error (get host by name)"}, {static_cast<int32_t>(0x90000000u), ""},
    };
    for (const Case& c : cases) EXPECT_STREQ(SnmpStatusText(c.code), c.text) << c.code;
}

}  // namespace
