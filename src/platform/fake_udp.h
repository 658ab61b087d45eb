// A socket layer in memory for native tests: names resolve from a table, the
// empty name gives the local addresses, every datagram sent is recorded with
// the address its socket was bound to, and answers come from a queue, else
// from the responder, which sees the last request (nothing is a time-out,
// returned at once). A responder's answer goes to the socket whose request
// it answers, and every call holds one lock, so sessions on many threads can
// share the scope. Installs itself for its lifetime.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/sockets.h"

NetAddress FakeAddress(const char* text);  // "192.0.2.1" or "2001:db8::1", port 0

class FakeSocketsScope : public Sockets {
public:
    FakeSocketsScope();
    ~FakeSocketsScope() override;
    FakeSocketsScope(const FakeSocketsScope&) = delete;
    FakeSocketsScope& operator=(const FakeSocketsScope&) = delete;

    struct Sent {
        SocketHandle socket;
        bool broadcast;
        std::vector<uint8_t> from;  // the bound address, empty when unbound
        std::vector<uint8_t> to;
        std::vector<uint8_t> bytes;
    };

    std::map<std::string, std::vector<NetAddress>> hosts;  // "" = the local machine
    std::set<int32_t> refusedFamilies;                      // Open fails for these
    std::deque<std::vector<uint8_t>> answers;
    std::function<std::vector<uint8_t>(const std::vector<uint8_t>& request)> responder;
    std::vector<Sent> sent;
    std::vector<uint32_t> waits;  // seconds of every wait
    int startups = 0, cleanups = 0, openSockets = 0;

    int32_t Startup() override;
    void Cleanup() override;
    int32_t LastError() override;
    int32_t Resolve(const char* host, NetAddress* out, int capacity, int* count) override;
    SocketHandle Open(int32_t family, int32_t type, int32_t protocol) override;
    void Close(SocketHandle s) override;
    int32_t SetBroadcast(SocketHandle s) override;
    int32_t Bind(SocketHandle s, const uint8_t* address, int32_t length) override;
    int32_t SendTo(SocketHandle s, const uint8_t* data, int32_t length, const uint8_t* address,
                   int32_t addressLength) override;
    int32_t WaitReadable(SocketHandle s, uint32_t seconds) override;
    int32_t ReceiveFrom(SocketHandle s, uint8_t* buffer, int32_t capacity, uint8_t* source,
                        int32_t* sourceLength) override;

private:
    std::recursive_mutex mutex_;
    std::map<SocketHandle, std::deque<std::vector<uint8_t>>> pending_;  // the responder's answers
    int32_t lastError_ = 0;
    SocketHandle nextSocket_ = 100;
    std::map<SocketHandle, std::vector<uint8_t>> bound_;
    std::set<SocketHandle> broadcast_;
};
