// The one lock over the SNMP client's process-wide items: the request-id
// counter and the list of open sessions, which the retrieval thread and the
// sheet thread both use.
#pragma once
#include <mutex>

inline std::mutex& SnmpProcessLock() {
    static std::mutex lock;
    return lock;
}

struct SnmpLockGuard {
    SnmpLockGuard() { SnmpProcessLock().lock(); }
    ~SnmpLockGuard() { SnmpProcessLock().unlock(); }
    SnmpLockGuard(const SnmpLockGuard&) = delete;
    SnmpLockGuard& operator=(const SnmpLockGuard&) = delete;
};
