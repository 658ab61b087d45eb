#include "platform/fake_udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstring>

NetAddress FakeAddress(const char* text) {
    NetAddress a{};
    a.type = kSockDgram;
    a.protocol = kProtoUdp;
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    if (inet_pton(AF_INET, text, &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        a.family = kFamilyInet;
        a.length = sizeof v4;
        memcpy(a.bytes, &v4, sizeof v4);
    } else if (inet_pton(AF_INET6, text, &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        a.family = kFamilyInet6;
        a.length = sizeof v6;
        memcpy(a.bytes, &v6, sizeof v6);
    }
    return a;
}

FakeSocketsScope::FakeSocketsScope() { InstallSockets(this); }
FakeSocketsScope::~FakeSocketsScope() { InstallSockets(nullptr); }

int32_t FakeSocketsScope::Startup() {
    ++startups;
    return 0;
}
void FakeSocketsScope::Cleanup() { ++cleanups; }
int32_t FakeSocketsScope::LastError() { return lastError_; }

int32_t FakeSocketsScope::Resolve(const char* host, NetAddress* out, int capacity, int* count) {
    *count = 0;
    auto it = hosts.find(host != nullptr ? host : "");
    if (it == hosts.end()) {
        lastError_ = 11001;
        return -1;
    }
    for (const NetAddress& a : it->second) {
        if (*count < capacity) {
            out[(*count)++] = a;
        }
    }
    return 0;
}

SocketHandle FakeSocketsScope::Open(int32_t family, int32_t, int32_t) {
    if (refusedFamilies.count(family) != 0) {
        lastError_ = 10047;
        return kNoSocket;
    }
    ++openSockets;
    return nextSocket_++;
}

void FakeSocketsScope::Close(SocketHandle s) {
    --openSockets;
    bound_.erase(s);
    broadcast_.erase(s);
}

int32_t FakeSocketsScope::SetBroadcast(SocketHandle s) {
    broadcast_.insert(s);
    return 0;
}

int32_t FakeSocketsScope::Bind(SocketHandle s, const uint8_t* address, int32_t length) {
    bound_[s] = std::vector<uint8_t>(address, address + length);
    return 0;
}

int32_t FakeSocketsScope::SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                                 int32_t addressLength) {
    auto b = bound_.find(s);
    sent.push_back({s, broadcast_.count(s) != 0, b != bound_.end() ? b->second : std::vector<uint8_t>(),
                    std::vector<uint8_t>(address, address + addressLength), std::vector<uint8_t>(data, data + length)});
    return length;
}

int32_t FakeSocketsScope::WaitReadable(SocketHandle, uint32_t seconds) {
    waits.push_back(seconds);
    if (answers.empty() && responder && !sent.empty()) {
        std::vector<uint8_t> answer = responder(sent.back().bytes);
        if (!answer.empty()) {
            answers.push_back(answer);
        }
    }
    return answers.empty() ? 0 : 1;
}

int32_t FakeSocketsScope::ReceiveFrom(SocketHandle, uint8_t* buffer, int32_t capacity, uint8_t*, int32_t*) {
    std::vector<uint8_t> answer = answers.front();
    answers.pop_front();
    if (answer.size() > static_cast<size_t>(capacity)) {
        lastError_ = kWsaMessageTooLong;
        return -1;
    }
    memcpy(buffer, answer.data(), answer.size());
    return static_cast<int32_t>(answer.size());
}
