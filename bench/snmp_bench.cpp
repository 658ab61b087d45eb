// One SNMP request of 30 and of 400 objects against a local snmpd, by our
// client (open, ask, close, as every retrieval does) and by net-snmp's
// snmpget for the same objects in the same run. snmpget takes at most 128
// objects per call, so the 400 cost it four calls. The client's counter
// x_snmpget is its time for the objects over snmpget's.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/agent_fixture.h"
#include "snmp/snmp_session.h"

extern char** environ;

namespace {

struct BenchAgent {
    std::string address = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent agent;
    std::vector<std::string> oids;  // 100 rows of four columns
    std::string why;
    bool ready = false;

    BenchAgent() {
        std::vector<zr51test::AgentValue> values;
        for (int column = 1; column <= 4; ++column) {
            for (int row = 1; row <= 100; ++row) {
                std::string oid = ".1.3.6.1.4.1.40961.1.2.2.2.9.1." + std::to_string(column) + "." + std::to_string(row);
                oids.push_back(oid);
                if (column == 2) {
                    values.push_back({oid, "string", "barcode area " + std::to_string(row)});
                } else {
                    values.push_back({oid, "integer", std::to_string(row * 1000 + column)});
                }
            }
        }
        ready = agent.Start(address, values, &why);
    }
};

BenchAgent& Agent() {
    static BenchAgent agent;
    return agent;
}

std::map<int64_t, double> g_snmpgetNs;  // per object count, the last repetition's mean

constexpr size_t kSnmpgetMaxObjects = 128;

// snmpget -v1 for objects [first, first + count), output thrown away; its exit status.
int RunSnmpget(const BenchAgent& a, size_t first, size_t count) {
    std::vector<std::string> args = {"snmpget", "-v1", "-c", "public", "-r", "0", "-t", "1", "-On", "-Oq", a.address};
    args.insert(args.end(), a.oids.begin() + static_cast<long>(first),
                a.oids.begin() + static_cast<long>(first + count));
    std::vector<char*> argv;
    for (std::string& s : args) argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<char*> env;
    std::string noMibs = "MIBS=";  // no MIB files to read: its quickest start
    // Its state in the agent's directory, not /var/lib/snmp.
    static std::string stateDir = [] {
        std::string dir = "/tmp/zr51-snmpget-XXXXXX";
        return mkdtemp(dir.data()) ? dir : std::string("/tmp");
    }();
    std::string state = "SNMP_PERSISTENT_DIR=" + stateDir;
    env.push_back(noMibs.data());
    env.push_back(state.data());
    for (char** e = environ; *e != nullptr; ++e) {
        if (strncmp(*e, "MIBS=", 5) != 0 && strncmp(*e, "SNMP_PERSISTENT_DIR=", 20) != 0) env.push_back(*e);
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, "snmpget", &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_Snmpget(benchmark::State& state) {
    BenchAgent& a = Agent();
    if (!a.ready) {
        state.SkipWithError(a.why.c_str());
        return;
    }
    size_t count = static_cast<size_t>(state.range(0));
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (size_t first = 0; first < count; first += kSnmpgetMaxObjects) {
            size_t n = count - first < kSnmpgetMaxObjects ? count - first : kSnmpgetMaxObjects;
            if (RunSnmpget(a, first, n) != 0) {
                state.SkipWithError("snmpget failed");
                return;
            }
        }
    }
    g_snmpgetNs[state.range(0)] =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(state.iterations());
}
BENCHMARK(BM_Snmpget)->Arg(30)->Arg(400)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

void BM_SnmpGetValues(benchmark::State& state) {
    BenchAgent& a = Agent();
    if (!a.ready) {
        state.SkipWithError(a.why.c_str());
        return;
    }
    InstallSockets(&PosixSockets());
    size_t count = static_cast<size_t>(state.range(0));
    std::vector<SnmpVarRecord> records(count);
    std::vector<uint8_t> buffers(count * 32);
    for (size_t i = 0; i < count; ++i) {
        strcpy(records[i].oid, a.oids[i].c_str());
        records[i].type = i < 100 || i >= 200 ? 2 : 4;
        records[i].capacity = 31;
        records[i].value = &buffers[i * 32];
    }
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        SnmpSession* s = nullptr;
        int32_t rc = SnmpOpenSession(a.address.c_str(), "public", &s);
        if (rc == 0) rc = SnmpSetTimeout(s, 1);
        if (rc == 0) rc = SnmpGetValues(s, records.data(), static_cast<uint32_t>(count));
        SnmpCloseSession(s);
        if (rc != 0) {
            state.SkipWithError("the request failed");
            break;
        }
    }
    double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
                static_cast<double>(state.iterations());
    InstallSockets(nullptr);
    auto other = g_snmpgetNs.find(state.range(0));
    if (other != g_snmpgetNs.end() && other->second > 0) {
        state.counters["x_snmpget"] = ns / other->second;
    }
}
BENCHMARK(BM_SnmpGetValues)->Arg(30)->Arg(400)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace
