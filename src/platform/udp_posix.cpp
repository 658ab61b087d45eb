// The socket layer over POSIX sockets for the native build. Errors are
// turned into the Winsock numbers the status codes carry, so that both
// builds report the same codes.
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include "platform/udp.h"

namespace {

thread_local int32_t t_lastError = 0;

struct ErrnoRow {
    int posix;
    int32_t winsock;
};
const ErrnoRow kErrnoRows[] = {
    {EINTR, 10004},        {EBADF, 10009},         {EACCES, 10013},       {EFAULT, 10014},
    {EINVAL, 10022},       {EMFILE, 10024},        {EWOULDBLOCK, 10035},  {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},      {EPROTOTYPE, 10041},   {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043}, {EOPNOTSUPP, 10045}, {EAFNOSUPPORT, 10047}, {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049}, {ENETDOWN, 10050},     {ENETUNREACH, 10051},  {ECONNRESET, 10054},
    {ENOBUFS, 10055},      {ECONNREFUSED, 10061},  {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},
    {ENOMEM, 8},
};

// A number without a Winsock counterpart passes through as it is.
int32_t WinsockError(int posix) {
    for (const ErrnoRow& row : kErrnoRows) {
        if (row.posix == posix) {
            return row.winsock;
        }
    }
    return posix;
}

int32_t ResolverError(int code) {
    switch (code) {
    case EAI_NONAME: return 11001;  // WSAHOST_NOT_FOUND
    case EAI_AGAIN: return 11002;   // WSATRY_AGAIN
    case EAI_FAIL: return 11003;    // WSANO_RECOVERY
#ifdef EAI_NODATA
    case EAI_NODATA: return 11004;  // WSANO_DATA
#endif
    case EAI_FAMILY: return 10047;
    case EAI_SOCKTYPE: return 10044;
    case EAI_SERVICE: return 10109;
    case EAI_MEMORY: return 8;
    case EAI_SYSTEM: return WinsockError(errno);
    default: return 11003;
    }
}

int32_t FromFamily(int family) {
    if (family == AF_INET) {
        return kFamilyInet;
    }
    return family == AF_INET6 ? kFamilyInet6 : family;
}

int ToFamily(int32_t family) {
    if (family == kFamilyInet) {
        return AF_INET;
    }
    return family == kFamilyInet6 ? AF_INET6 : family;
}

int32_t Fail() {
    t_lastError = WinsockError(errno);
    return -1;
}

bool Store(const sockaddr* address, socklen_t length, int type, int protocol, NetAddress* out) {
    if (address == nullptr || length > sizeof out->bytes) {
        return false;
    }
    memset(out, 0, sizeof *out);
    out->family = FromFamily(address->sa_family);
    out->type = type;
    out->protocol = protocol;
    out->length = static_cast<int32_t>(length);
    memcpy(out->bytes, address, length);
    return true;
}

// The resolver has no answer for the empty host; the interfaces' own
// addresses are what the local machine's addresses mean.
int32_t LocalAddresses(NetAddress* out, int capacity, int* count) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return Fail();
    }
    for (ifaddrs* a = list; a != nullptr && *count < capacity; a = a->ifa_next) {
        if (a->ifa_addr == nullptr) {
            continue;
        }
        int family = a->ifa_addr->sa_family;
        socklen_t length = family == AF_INET ? sizeof(sockaddr_in) : family == AF_INET6 ? sizeof(sockaddr_in6) : 0;
        if (length != 0 && Store(a->ifa_addr, length, SOCK_DGRAM, IPPROTO_UDP, &out[*count])) {
            ++*count;
        }
    }
    freeifaddrs(list);
    return 0;
}

class PosixSocketLayer : public Sockets {
public:
    int32_t Startup() override { return 0; }
    void Cleanup() override {}
    int32_t LastError() override { return t_lastError; }

    int32_t Resolve(const char* host, NetAddress* out, int capacity, int* count) override {
        *count = 0;
        if (host == nullptr) {
            t_lastError = 11001;
            return -1;
        }
        if (host[0] == '\0') {
            return LocalAddresses(out, capacity, count);
        }
        addrinfo hints{};
        hints.ai_flags = AI_PASSIVE;
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_DGRAM;
        hints.ai_protocol = IPPROTO_UDP;
        addrinfo* list = nullptr;
        int result = getaddrinfo(host, nullptr, &hints, &list);
        if (result != 0) {
            t_lastError = ResolverError(result);
            return -1;
        }
        for (addrinfo* a = list; a != nullptr && *count < capacity; a = a->ai_next) {
            if (Store(a->ai_addr, a->ai_addrlen, a->ai_socktype, a->ai_protocol, &out[*count])) {
                ++*count;
            }
        }
        freeaddrinfo(list);
        if (*count == 0) {
            t_lastError = 11001;
        }
        return 0;
    }

    SocketHandle Open(int32_t family, int32_t type, int32_t protocol) override {
        int s = socket(ToFamily(family), type, protocol);
        if (s < 0) {
            Fail();
            return kNoSocket;
        }
        return s;
    }

    void Close(SocketHandle s) override { close(static_cast<int>(s)); }

    int32_t SetBroadcast(SocketHandle s) override {
        int on = 1;
        return setsockopt(static_cast<int>(s), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 ? 0 : Fail();
    }

    int32_t Bind(SocketHandle s, const uint8_t* address, int32_t length) override {
        sockaddr_storage a{};
        memcpy(&a, address, static_cast<size_t>(length));
        return bind(static_cast<int>(s), reinterpret_cast<sockaddr*>(&a), static_cast<socklen_t>(length)) == 0 ? 0
                                                                                                            : Fail();
    }

    int32_t SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                   int32_t addressLength) override {
        sockaddr_storage a{};
        memcpy(&a, address, static_cast<size_t>(addressLength));
        ssize_t sent = sendto(static_cast<int>(s), data, static_cast<size_t>(length), 0,
                              reinterpret_cast<sockaddr*>(&a), static_cast<socklen_t>(addressLength));
        return sent < 0 ? Fail() : static_cast<int32_t>(sent);
    }

    int32_t WaitReadable(SocketHandle s, uint32_t seconds) override {
        // A signal must not cut the wait short: wait again for what is left.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        int64_t deadline = now.tv_sec * 1000LL + now.tv_nsec / 1000000 + static_cast<int64_t>(seconds) * 1000;
        for (;;) {
            clock_gettime(CLOCK_MONOTONIC, &now);
            int64_t left = deadline - (now.tv_sec * 1000LL + now.tv_nsec / 1000000);
            if (left < 0) {
                left = 0;
            }
            pollfd p{static_cast<int>(s), POLLIN, 0};
            int ready = poll(&p, 1, left > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(left));
            if (ready >= 0) {
                return ready > 0 ? 1 : 0;
            }
            if (errno != EINTR) {
                return Fail();
            }
        }
    }

    int32_t ReceiveFrom(SocketHandle s, uint8_t* buffer, int32_t capacity, uint8_t* source,
                        int32_t* sourceLength) override {
        sockaddr_storage from{};
        socklen_t fromLength = sizeof from;
        // MSG_TRUNC reports the datagram's whole length, as Winsock's
        // message-too-long does when it does not fit.
        ssize_t got = recvfrom(static_cast<int>(s), buffer, static_cast<size_t>(capacity), MSG_TRUNC,
                               reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got < 0) {
            return Fail();
        }
        if (got > capacity) {
            t_lastError = kWsaMessageTooLong;
            return -1;
        }
        if (fromLength > static_cast<socklen_t>(*sourceLength)) {
            fromLength = static_cast<socklen_t>(*sourceLength);
        }
        memcpy(source, &from, fromLength);
        *sourceLength = static_cast<int32_t>(fromLength);
        return static_cast<int32_t>(got);
    }
};

}  // namespace

Sockets& PosixSockets() {
    static PosixSocketLayer layer;
    return layer;
}
