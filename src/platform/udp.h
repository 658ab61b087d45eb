// The UDP layer under the SNMP client: one datagram socket per session aimed
// at port 161, one request and one answer with a whole-second time-out, and
// the wake-up magic packet. The portable operations below run over a small
// socket interface; the DLL installs Winsock's, the native build the POSIX
// one, tests a recording fake. Failures come back as a class in the top four
// bits and a Winsock error number in the rest, on every implementation.
#pragma once
#include <cstdint>

#include "platform/sockets.h"

struct SnmpEndpoint {
    SocketHandle socket;
    uint8_t* address;  // 28 bytes: the printer, port 161; then each answer's source
    int32_t addressLength;
    int32_t family;
};

// Every open and every wake-up starts the socket library, every close and
// every wake-up's end cleans it up. On failure the error is returned and a
// line goes to the standard error stream.
int32_t SnmpStartup();
void SnmpCleanup();
int32_t SnmpOpenEndpoint(const char* host, SnmpEndpoint** out);
int32_t SnmpCloseEndpoint(SnmpEndpoint* endpoint);
// Sends the request and waits for one answer, re-sending after a time-out
// up to retries times. 0 with the number of bytes received, 4 on time-out,
// or class | error.
int32_t SnmpExchange(SnmpEndpoint* endpoint, const uint8_t* request, uint32_t length, uint8_t* buffer,
                     uint32_t capacity, uint32_t timeoutSeconds, uint32_t retries, uint32_t* received);
// 0 IPv4, 1 IPv6, -1 another family, 2 without endpoint.
int32_t SnmpEndpointFamily(const SnmpEndpoint* endpoint);
// Six 0xFF bytes and the hardware address sixteen times, from port 7 of every
// local address of the target's family; 1 when it ran through.
int32_t SendWakeUpPacket(const char* target, const uint8_t hardwareAddress[6]);
void BuildWakeUpPacket(const uint8_t hardwareAddress[6], uint8_t packet[102]);
