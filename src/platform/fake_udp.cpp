#include "platform/fake_udp.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Hex groups of one side of "::"; false on anything else.
bool Groups(const std::string& text, std::vector<uint16_t>* out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(':', start);
        std::string group = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        unsigned v = 0;
        char extra = 0;
        if (group.empty() || group.size() > 4 || sscanf(group.c_str(), "%x%c", &v, &extra) != 1) return false;
        out->push_back(static_cast<uint16_t>(v));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return true;
}

}  // namespace

// Socket addresses laid out as both systems do: family (u16), port at 2,
// then the IPv4 address at 4 or the IPv6 address at 8.
NetAddress FakeAddress(const char* text) {
    NetAddress a{};
    a.type = kSockDgram;
    a.protocol = kProtoUdp;
    unsigned b[4];
    char extra = 0;
    if (sscanf(text, "%u.%u.%u.%u%c", &b[0], &b[1], &b[2], &b[3], &extra) == 4) {
        a.family = kFamilyInet;
        a.length = 16;
        a.bytes[0] = static_cast<uint8_t>(kFamilyInet);
        for (int i = 0; i < 4; ++i) a.bytes[4 + i] = static_cast<uint8_t>(b[i]);
        return a;
    }
    std::string t = text;
    size_t gap = t.find("::");
    std::vector<uint16_t> head, tail;
    if (!Groups(gap == std::string::npos ? t : t.substr(0, gap), &head) ||
        (gap != std::string::npos && !Groups(t.substr(gap + 2), &tail)) || head.size() + tail.size() > 8) {
        return a;  // family 0: not an address
    }
    a.family = kFamilyInet6;
    a.length = 28;
    a.bytes[0] = static_cast<uint8_t>(kFamilyInet6);
    for (size_t i = 0; i < head.size(); ++i) {
        a.bytes[8 + 2 * i] = static_cast<uint8_t>(head[i] >> 8);
        a.bytes[9 + 2 * i] = static_cast<uint8_t>(head[i]);
    }
    for (size_t i = 0; i < tail.size(); ++i) {
        size_t at = 8 + 2 * (8 - tail.size() + i);
        a.bytes[at] = static_cast<uint8_t>(tail[i] >> 8);
        a.bytes[at + 1] = static_cast<uint8_t>(tail[i]);
    }
    return a;
}

FakeSocketsScope::FakeSocketsScope() { InstallSockets(this); }
FakeSocketsScope::~FakeSocketsScope() { InstallSockets(nullptr); }

int32_t FakeSocketsScope::Startup() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ++startups;
    return 0;
}
void FakeSocketsScope::Cleanup() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ++cleanups;
}
int32_t FakeSocketsScope::LastError() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return lastError_;
}

int32_t FakeSocketsScope::Resolve(const char* host, NetAddress* out, int capacity, int* count) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
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
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (refusedFamilies.count(family) != 0) {
        lastError_ = 10047;
        return kNoSocket;
    }
    ++openSockets;
    return nextSocket_++;
}

void FakeSocketsScope::Close(SocketHandle s) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    --openSockets;
    bound_.erase(s);
    broadcast_.erase(s);
    pending_.erase(s);
}

int32_t FakeSocketsScope::SetBroadcast(SocketHandle s) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    broadcast_.insert(s);
    return 0;
}

int32_t FakeSocketsScope::Bind(SocketHandle s, const uint8_t* address, int32_t length) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bound_[s] = std::vector<uint8_t>(address, address + length);
    return 0;
}

int32_t FakeSocketsScope::SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                                 int32_t addressLength) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto b = bound_.find(s);
    sent.push_back({s, broadcast_.count(s) != 0, b != bound_.end() ? b->second : std::vector<uint8_t>(),
                    std::vector<uint8_t>(address, address + addressLength), std::vector<uint8_t>(data, data + length)});
    return length;
}

int32_t FakeSocketsScope::WaitReadable(SocketHandle s, uint32_t seconds) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    waits.push_back(seconds);
    std::deque<std::vector<uint8_t>>& mine = pending_[s];
    if (answers.empty() && mine.empty() && responder && !sent.empty()) {
        // The latest request of this socket, else the latest of any.
        const Sent* request = &sent.back();
        for (auto it = sent.rbegin(); it != sent.rend(); ++it) {
            if (it->socket == s) {
                request = &*it;
                break;
            }
        }
        std::vector<uint8_t> answer = responder(request->bytes);
        if (!answer.empty()) {
            mine.push_back(answer);
        }
    }
    return answers.empty() && mine.empty() ? 0 : 1;
}

int32_t FakeSocketsScope::ReceiveFrom(SocketHandle s, uint8_t* buffer, int32_t capacity, uint8_t*, int32_t*) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::deque<std::vector<uint8_t>>& mine = pending_[s];
    std::deque<std::vector<uint8_t>>& from = mine.empty() ? answers : mine;
    std::vector<uint8_t> answer = from.front();
    from.pop_front();
    if (answer.size() > static_cast<size_t>(capacity)) {
        lastError_ = kWsaMessageTooLong;
        return -1;
    }
    memcpy(buffer, answer.data(), answer.size());
    return static_cast<int32_t>(answer.size());
}
