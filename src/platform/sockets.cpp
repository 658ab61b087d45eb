#include "platform/sockets.h"

namespace {

// Until a system layer is installed nothing reaches the network.
class NoSockets : public Sockets {
public:
    int32_t Startup() override { return kWsaSystemNotReady; }
    void Cleanup() override {}
    int32_t LastError() override { return kWsaSystemNotReady; }
    int32_t Resolve(const char*, NetAddress*, int, int* count) override {
        *count = 0;
        return -1;
    }
    SocketHandle Open(int32_t, int32_t, int32_t) override { return kNoSocket; }
    void Close(SocketHandle) override {}
    int32_t SetBroadcast(SocketHandle) override { return -1; }
    int32_t Bind(SocketHandle, const uint8_t*, int32_t) override { return -1; }
    int32_t SendTo(SocketHandle, const uint8_t*, int32_t, const uint8_t*, int32_t) override { return -1; }
    int32_t WaitReadable(SocketHandle, uint32_t) override { return -1; }
    int32_t ReceiveFrom(SocketHandle, uint8_t*, int32_t, uint8_t*, int32_t*) override { return -1; }
};

NoSockets g_none;
Sockets* g_sockets = &g_none;

}  // namespace

Sockets& Sock() { return *g_sockets; }
void InstallSockets(Sockets* sockets) { g_sockets = sockets != nullptr ? sockets : &g_none; }
