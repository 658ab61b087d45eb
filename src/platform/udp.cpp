#include "platform/udp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kAddressBufferSize = 28;
constexpr uint16_t kWakeUpSourcePort = 7;

void SetPort(uint8_t* address, uint16_t port) {
    address[2] = static_cast<uint8_t>(port >> 8);
    address[3] = static_cast<uint8_t>(port & 0xFF);
}

}  // namespace

int32_t SnmpStartup() {
    int32_t error = Sock().Startup();
    if (error != 0) {
        // "WinSock initialisation failed" in the Japanese code page the
        // driver's console messages have always used.
        fputs("WinSock\x82\xCC\x8F\x89\x8A\xFA\x89\xBB\x8E\xB8\x94\x73\n", stderr);
    }
    return error;
}

void SnmpCleanup() { Sock().Cleanup(); }

int32_t SnmpOpenEndpoint(const char* host, SnmpEndpoint** out) {
    *out = nullptr;
    NetAddress list[kMaxAddresses];
    int count = 0;
    if (Sock().Resolve(host, list, kMaxAddresses, &count) != 0 || count == 0) {
        return kNetAddressInfo | Sock().LastError();
    }
    SocketHandle s = kNoSocket;
    int used = 0;
    for (; used < count; ++used) {
        s = Sock().Open(list[used].family, list[used].type, list[used].protocol);
        if (s != kNoSocket) {
            break;
        }
    }
    if (s == kNoSocket) {
        return kNetSocket | Sock().LastError();
    }
    auto* address = static_cast<uint8_t*>(calloc(1, kAddressBufferSize));
    auto* endpoint = static_cast<SnmpEndpoint*>(malloc(sizeof(SnmpEndpoint)));
    if (address == nullptr || endpoint == nullptr) {
        Sock().Close(s);
        free(address);
        free(endpoint);
        return kSnmpOutOfMemory;
    }
    int32_t length = list[used].length;
    if (length > kAddressBufferSize) {
        length = kAddressBufferSize;
    }
    memcpy(address, list[used].bytes, static_cast<size_t>(length));
    SetPort(address, kSnmpPort);
    endpoint->socket = s;
    endpoint->address = address;
    endpoint->addressLength = length;
    endpoint->family = list[used].family;
    *out = endpoint;
    return 0;
}

int32_t SnmpCloseEndpoint(SnmpEndpoint* endpoint) {
    if (endpoint == nullptr) {
        return kSnmpInvalidParameter;
    }
    Sock().Close(endpoint->socket);
    free(endpoint->address);
    free(endpoint);
    return 0;
}

int32_t SnmpExchange(SnmpEndpoint* endpoint, const uint8_t* request, uint32_t length, uint8_t* buffer,
                     uint32_t capacity, uint32_t timeoutSeconds, uint32_t retries, uint32_t* received) {
    *received = 0;
    Sockets& net = Sock();
    if (net.SendTo(endpoint->socket, request, static_cast<int32_t>(length), endpoint->address,
                   endpoint->addressLength) < 0) {
        return kNetSend | net.LastError();
    }
    uint32_t tries = 0;
    for (;;) {
        int32_t ready = net.WaitReadable(endpoint->socket, timeoutSeconds);
        if (ready < 0) {
            return kNetSelect | net.LastError();
        }
        if (ready > 0) {
            // The answer's source lands in the endpoint's own address buffer;
            // whoever sent it is not compared with the printer.
            int32_t sourceLength = kAddressBufferSize;
            int32_t got = net.ReceiveFrom(endpoint->socket, buffer, static_cast<int32_t>(capacity),
                                          endpoint->address, &sourceLength);
            if (got < 0) {
                return kNetReceive | net.LastError();
            }
            endpoint->addressLength = sourceLength;
            *received = static_cast<uint32_t>(got);
            return 0;
        }
        if (tries >= retries) {
            return kSnmpTimeOut;
        }
        ++tries;
        if (net.SendTo(endpoint->socket, request, static_cast<int32_t>(length), endpoint->address,
                       endpoint->addressLength) < 0) {
            return kNetSend | net.LastError();
        }
    }
}

int32_t SnmpEndpointFamily(const SnmpEndpoint* endpoint) {
    if (endpoint == nullptr) {
        return kSnmpInvalidParameter;
    }
    if (endpoint->family == kFamilyInet) {
        return 0;
    }
    return endpoint->family == kFamilyInet6 ? 1 : -1;
}

void BuildWakeUpPacket(const uint8_t hardwareAddress[6], uint8_t packet[102]) {
    memset(packet, 0xFF, 6);
    for (int i = 0; i < 16; ++i) {
        memcpy(packet + 6 + 6 * i, hardwareAddress, 6);
    }
}

int32_t SendWakeUpPacket(const char* target, const uint8_t hardwareAddress[6]) {
    uint8_t packet[102];
    BuildWakeUpPacket(hardwareAddress, packet);
    Sockets& net = Sock();
    SnmpStartup();
    NetAddress targets[kMaxAddresses];
    int targetCount = 0;
    if (net.Resolve(target, targets, kMaxAddresses, &targetCount) != 0 || targetCount == 0) {
        int32_t error = net.LastError();
        SnmpCleanup();
        return error;
    }
    for (int t = 0; t < targetCount; ++t) {
        NetAddress locals[kMaxAddresses];
        int localCount = 0;
        if (net.Resolve("", locals, kMaxAddresses, &localCount) != 0 || localCount == 0) {
            SnmpCleanup();
            return 0;
        }
        for (int l = 0; l < localCount; ++l) {
            if (locals[l].family != targets[t].family) {
                continue;
            }
            SocketHandle s = net.Open(targets[t].family, targets[t].type, targets[t].protocol);
            if (s == kNoSocket) {
                continue;
            }
            // A printer that sleeps hears only broadcasts; what fails here is
            // not looked at, the next local address gets its own try.
            uint8_t source[28];
            memcpy(source, locals[l].bytes, sizeof source);
            SetPort(source, kWakeUpSourcePort);
            net.SetBroadcast(s);
            net.Bind(s, source, locals[l].length);
            net.SendTo(s, packet, sizeof packet, targets[t].bytes, targets[t].length);
            net.Close(s);
        }
    }
    SnmpCleanup();
    return 1;
}
