// How background work gets a thread of its own. Separate from Host because
// the thread must outlive any one call: the default runs it on std::thread;
// the DLL installs Windows threads that hold a reference on the module, so
// that unloading the DLL waits for the last of them without any wait under
// the loader lock.
#pragma once

typedef void (*WorkerBody)(void* argument);
typedef void* WorkerHandle;

class WorkerThreads {
public:
    virtual ~WorkerThreads() = default;
    // Runs body(argument) on a new thread at once; null when no thread could
    // be made (body is not run then).
    virtual WorkerHandle Start(WorkerBody body, void* argument) = 0;
    // Waits for the thread to end, then frees the handle.
    virtual void Join(WorkerHandle thread) = 0;
    // Frees the handle without waiting; the thread runs on or has ended.
    virtual void Forget(WorkerHandle thread) = 0;
    // 1 when the calling thread is this one.
    virtual int IsCurrent(WorkerHandle thread) = 0;
};

WorkerThreads& Workers();
// null puts the default back.
void InstallWorkerThreads(WorkerThreads* threads);
