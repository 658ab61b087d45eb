#include "platform/worker_threads.h"

#include <new>
#include <system_error>
#include <thread>

namespace {

class StdWorkerThreads final : public WorkerThreads {
public:
    WorkerHandle Start(WorkerBody body, void* argument) override {
        try {
            return new std::thread(body, argument);
        } catch (const std::system_error&) {
            return nullptr;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    void Join(WorkerHandle thread) override {
        auto* t = static_cast<std::thread*>(thread);
        if (t->joinable()) t->join();
        delete t;
    }
    void Forget(WorkerHandle thread) override {
        auto* t = static_cast<std::thread*>(thread);
        if (t->joinable()) t->detach();
        delete t;
    }
    int IsCurrent(WorkerHandle thread) override {
        return static_cast<std::thread*>(thread)->get_id() == std::this_thread::get_id();
    }
};

StdWorkerThreads g_default;
WorkerThreads* g_threads = &g_default;

}  // namespace

WorkerThreads& Workers() { return *g_threads; }

void InstallWorkerThreads(WorkerThreads* threads) { g_threads = threads ? threads : &g_default; }
