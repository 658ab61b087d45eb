// Agents that play the printer on UDP port 161 of a loopback address of
// their own: net-snmp's snmpd serving fixed values, and our printer
// simulator for answers snmpd never gives. Each runs as a child process that
// Stop (or the destructor) kills and reaps; a child is also killed when the
// thread that started it ends, so start agents from the test's own thread.
// Binding port 161 needs root: Start then fails with the reason and the test
// skips.
#pragma once
#include <string>
#include <vector>

namespace zr51test {

// One served object. type: "integer" (decimal), "string" (text), "hex"
// (octets as hex digits, e.g. C0A80164 for an IP address) or "null".
struct AgentValue {
    std::string oid;  // dotted with a leading dot
    std::string type;
    std::string value;
};

// A fresh 127.51.X.Y for each call, never handed out twice to test
// processes running at the same time.
std::string NextLoopbackAddress();

// net-snmp's snmpd, community "public" read-only, one `override` line per
// value ("null" values cannot be served by it: Start fails).
class SnmpdAgent {
   public:
    SnmpdAgent() = default;
    SnmpdAgent(const SnmpdAgent&) = delete;
    SnmpdAgent& operator=(const SnmpdAgent&) = delete;
    // Returns once the agent answers (bounded to a few seconds).
    bool Start(const std::string& address, const std::vector<AgentValue>& values, std::string* why);
    void Stop();
    ~SnmpdAgent();

   private:
    int pid_ = -1;
    std::string dir_;
};

// The simulator's other settings (community, error status) keep its defaults.
struct SimOptions { std::string mode = "normal"; int delayMs = 0, asleep = 0, padTo = 0; };

// zr51-snmp-sim with the given mode; see tools/snmp_sim/main.cpp.
class PrinterSimulator {
   public:
    PrinterSimulator() = default;
    PrinterSimulator(const PrinterSimulator&) = delete;
    PrinterSimulator& operator=(const PrinterSimulator&) = delete;
    // Returns once the simulator has bound its socket.
    bool Start(const std::string& address, const std::vector<AgentValue>& values, const SimOptions& options,
               std::string* why);
    // Datagrams received so far, answered or not.
    int RequestsSeen() const;
    void Stop();
    ~PrinterSimulator();

   private:
    int pid_ = -1;
    std::string dir_;
};

}  // namespace zr51test
