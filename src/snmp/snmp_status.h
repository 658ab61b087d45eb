// The SNMP client's status codes, shared by the codec, the transport and the
// configuration retrieval, and their log texts. Network codes carry a class
// in the top four bits and the socket error number below it.
#pragma once
#include <cstdint>

constexpr int32_t kSnmpDestAddressError = -2;
constexpr int32_t kSnmpUnknownError = -1;
constexpr int32_t kSnmpSuccess = 0;
constexpr int32_t kSnmpInvalidHandle = 1;
// 2 invalid parameter, 3 out of memory and 4 time-out come with the transport (platform/udp.h).
constexpr int32_t kSnmpFormatError = 10;
constexpr int32_t kSnmpVersionError = 11;
constexpr int32_t kSnmpCommunityError = 12;
constexpr int32_t kSnmpRequestIdError = 13;
constexpr int32_t kSnmpDataError = 14;
constexpr int32_t kSnmpStatusError = 15;
constexpr int32_t kSnmpDataCountError = 16;
constexpr int32_t kSnmpCreatePduError = 17;
constexpr int32_t kSnmpCreateMessageError = 18;

// The text the log shows for a code; empty for a code without one.
const char* SnmpStatusText(int32_t code);
