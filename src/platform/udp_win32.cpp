// The socket layer over Winsock 2 for the DLL.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "platform/udp.h"

namespace {

bool Store(const sockaddr* address, size_t length, int type, int protocol, NetAddress* out) {
    if (address == nullptr || length > sizeof out->bytes) {
        return false;
    }
    memset(out, 0, sizeof *out);
    out->family = address->sa_family;
    out->type = type;
    out->protocol = protocol;
    out->length = static_cast<int32_t>(length);
    memcpy(out->bytes, address, length);
    return true;
}

class WinsockLayer : public Sockets {
public:
    int32_t Startup() override {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 0), &data);
    }
    void Cleanup() override { WSACleanup(); }
    int32_t LastError() override { return WSAGetLastError(); }

    int32_t Resolve(const char* host, NetAddress* out, int capacity, int* count) override {
        *count = 0;
        addrinfo hints{};
        hints.ai_flags = AI_PASSIVE;
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_DGRAM;
        hints.ai_protocol = IPPROTO_UDP;
        addrinfo* list = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &list) != 0) {
            return -1;
        }
        for (addrinfo* a = list; a != nullptr && *count < capacity; a = a->ai_next) {
            if (Store(a->ai_addr, a->ai_addrlen, a->ai_socktype, a->ai_protocol, &out[*count])) {
                ++*count;
            }
        }
        freeaddrinfo(list);
        return 0;
    }

    SocketHandle Open(int32_t family, int32_t type, int32_t protocol) override {
        SOCKET s = socket(family, type, protocol);
        return s == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(s);
    }

    void Close(SocketHandle s) override { closesocket(static_cast<SOCKET>(s)); }

    int32_t SetBroadcast(SocketHandle s) override {
        DWORD on = 1;
        return setsockopt(static_cast<SOCKET>(s), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
                          sizeof on) == 0
                   ? 0
                   : -1;
    }

    int32_t Bind(SocketHandle s, const uint8_t* address, int32_t length) override {
        return bind(static_cast<SOCKET>(s), reinterpret_cast<const sockaddr*>(address), length) == 0 ? 0 : -1;
    }

    int32_t SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                   int32_t addressLength) override {
        int sent = sendto(static_cast<SOCKET>(s), reinterpret_cast<const char*>(data), length, 0,
                          reinterpret_cast<const sockaddr*>(address), addressLength);
        return sent == SOCKET_ERROR ? -1 : sent;
    }

    int32_t WaitReadable(SocketHandle s, uint32_t seconds) override {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(static_cast<SOCKET>(s), &readable);
        timeval limit{static_cast<long>(seconds > 0x7FFFFFFF ? 0x7FFFFFFF : seconds), 0};
        int ready = select(0, &readable, nullptr, nullptr, &limit);
        if (ready == SOCKET_ERROR) {
            return -1;
        }
        return ready > 0 ? 1 : 0;
    }

    int32_t ReceiveFrom(SocketHandle s, uint8_t* buffer, int32_t capacity, uint8_t* source,
                        int32_t* sourceLength) override {
        int length = *sourceLength;
        int got = recvfrom(static_cast<SOCKET>(s), reinterpret_cast<char*>(buffer), capacity, 0,
                           reinterpret_cast<sockaddr*>(source), &length);
        if (got == SOCKET_ERROR) {
            return -1;
        }
        *sourceLength = length;
        return got;
    }
};

}  // namespace

Sockets& Win32Sockets() {
    static WinsockLayer layer;
    return layer;
}
