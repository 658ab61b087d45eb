// The socket interface under the UDP layer: what an implementation offers
// (Winsock in the DLL, POSIX natively, a recording fake in tests) and the
// process-wide slot it is installed in. Failures come back as a class in the
// top four bits and a Winsock error number in the rest, on every
// implementation.
#pragma once
#include <cstdint>

// Address families as Winsock numbers them (every implementation reports these).
constexpr int32_t kFamilyInet = 2;
constexpr int32_t kFamilyInet6 = 23;
constexpr int32_t kSockDgram = 2;
constexpr int32_t kProtoUdp = 17;

// Winsock error numbers the layer and its callers look at.
constexpr int32_t kWsaMessageTooLong = 10040;
constexpr int32_t kWsaSystemNotReady = 10091;

// Status classes and the plain codes this layer produces.
constexpr int32_t kNetAddressInfo = 0x10000000;
constexpr int32_t kNetSocket = 0x30000000;
constexpr int32_t kNetSend = 0x50000000;
constexpr int32_t kNetSelect = 0x60000000;
constexpr int32_t kNetReceive = 0x70000000;
constexpr int32_t kSnmpInvalidParameter = 2;
constexpr int32_t kSnmpOutOfMemory = 3;
constexpr int32_t kSnmpTimeOut = 4;
constexpr int32_t kSnmpPort = 161;

// One resolved address: a socket address of up to 28 bytes (room for IPv6)
// with the port as a big-endian u16 at byte 2 on every system.
struct NetAddress {
    int32_t family;  // kFamilyInet, kFamilyInet6 or another system number
    int32_t type;
    int32_t protocol;
    int32_t length;
    uint8_t bytes[28];
};
constexpr int kMaxAddresses = 16;  // a longer resolver answer is cut

typedef intptr_t SocketHandle;
constexpr SocketHandle kNoSocket = -1;

class Sockets {
public:
    virtual ~Sockets() = default;
    virtual int32_t Startup() = 0;  // 0 or the error
    virtual void Cleanup() = 0;
    virtual int32_t LastError() = 0;  // of the last failed call, Winsock numbering
    // Resolves host for UDP datagrams (AI_PASSIVE, any family); the empty text
    // gives the local machine's own addresses. 0 and the count, or non-zero.
    virtual int32_t Resolve(const char* host, NetAddress* out, int capacity, int* count) = 0;
    virtual SocketHandle Open(int32_t family, int32_t type, int32_t protocol) = 0;  // kNoSocket on failure
    virtual void Close(SocketHandle s) = 0;
    virtual int32_t SetBroadcast(SocketHandle s) = 0;  // 0 or -1
    virtual int32_t Bind(SocketHandle s, const uint8_t* address, int32_t length) = 0;  // 0 or -1
    virtual int32_t SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                           int32_t addressLength) = 0;  // bytes sent or -1
    // 1 readable, 0 time-out, -1 failure.
    virtual int32_t WaitReadable(SocketHandle s, uint32_t seconds) = 0;
    // Bytes received or -1; a datagram larger than capacity fails with
    // kWsaMessageTooLong and is gone.
    virtual int32_t ReceiveFrom(SocketHandle s, uint8_t* buffer, int32_t capacity, uint8_t* source,
                                int32_t* sourceLength) = 0;
};

// The installed implementation; until one is installed every call fails with
// kWsaSystemNotReady. null puts that back.
Sockets& Sock();
void InstallSockets(Sockets* sockets);
// The system implementations: POSIX in the native build, Winsock in the DLL.
Sockets& PosixSockets();
Sockets& Win32Sockets();
