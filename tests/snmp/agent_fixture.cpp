// Child processes that play the printer. Each agent gets a temporary
// directory of its own for its configuration, values, log and state, removed
// again by Stop.
#include "snmp/agent_fixture.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

extern char** environ;

namespace zr51test {
namespace {

constexpr int kAgentPort = 161;
constexpr auto kStartLimit = std::chrono::seconds(5);

using Clock = std::chrono::steady_clock;

bool Fail(std::string* why, const std::string& text) {
    if (why) *why = text;
    return false;
}

// A UDP socket for the agent's port on address (numeric only), its address
// in sa; -1 when there is none.
int AgentSocket(const std::string& address, sockaddr_storage* sa, socklen_t* len) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.c_str(), std::to_string(kAgentPort).c_str(), &hints, &found) != 0 || !found) return -1;
    std::memcpy(sa, found->ai_addr, found->ai_addrlen);
    *len = found->ai_addrlen;
    freeaddrinfo(found);
    return socket(sa->ss_family, SOCK_DGRAM, 0);
}

// The agent's port is free and ours to bind: root, address on a local
// interface, nobody else there.
bool CanBind(const std::string& address, std::string* why) {
    sockaddr_storage sa{};
    socklen_t len = 0;
    int s = AgentSocket(address, &sa, &len);
    if (s < 0) return Fail(why, "no UDP socket for " + address + ": " + std::strerror(errno));
    int rc = bind(s, reinterpret_cast<sockaddr*>(&sa), len);
    int err = errno;
    close(s);
    if (rc == 0) return true;
    return Fail(why, "cannot bind UDP " + address + ":" + std::to_string(kAgentPort) + ": " + std::strerror(err) +
                         (err == EACCES ? " (port 161 needs root)" : ""));
}

std::string MakeTempDir(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Starts argv[0] with extra environment entries; stdout goes to outFd (or
// /dev/null), stderr to errPath. The child is killed when the thread that
// started it ends, so a test that dies leaves no agent behind.
int Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int outFd,
          const std::string& errPath) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envText(env);
    for (char** e = environ; *e; ++e) envText.push_back(*e);
    std::vector<char*> envp;
    for (auto& e : envText) envp.push_back(e.data());
    envp.push_back(nullptr);
    int errFd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        dup2(nullFd, 0);
        dup2(outFd >= 0 ? outFd : nullFd, 1);
        dup2(errFd >= 0 ? errFd : nullFd, 2);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    if (errFd >= 0) close(errFd);
    if (nullFd >= 0) close(nullFd);
    return pid;
}

// Ends the child (SIGKILL when SIGTERM has not ended it within two seconds)
// and removes its directory.
void EndChild(int* pid, std::string* dir) {
    int status = 0;
    if (*pid > 0) kill(*pid, SIGTERM);
    for (auto limit = Clock::now() + std::chrono::seconds(2); *pid > 0 && waitpid(*pid, &status, WNOHANG) == 0;) {
        if (Clock::now() > limit) {
            kill(*pid, SIGKILL);
            waitpid(*pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    *pid = -1;
    std::error_code ignored;
    if (!dir->empty()) std::filesystem::remove_all(*dir, ignored);
    dir->clear();
}

// Any answer at all to a GetRequest for .1.3.6.1 (community "public", id 1):
// snmpd replies noSuchName once it serves.
bool Answers(const std::string& address, int waitMs) {
    static const unsigned char kProbe[] = {0x30, 0x21, 0x02, 0x01, 0x00, 0x04, 0x06, 'p',  'u',  'b',  'l',  'i',
                                           'c',  0xA0, 0x14, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00,
                                           0x30, 0x09, 0x30, 0x07, 0x06, 0x03, 0x2B, 0x06, 0x01, 0x05, 0x00};
    sockaddr_storage sa{};
    socklen_t len = 0;
    int s = AgentSocket(address, &sa, &len);
    if (s < 0) return false;
    pollfd p{s, POLLIN, 0};
    bool answered = sendto(s, kProbe, sizeof kProbe, 0, reinterpret_cast<sockaddr*>(&sa), len) == sizeof kProbe &&
                    poll(&p, 1, waitMs) == 1 && (p.revents & POLLIN);
    close(s);
    return answered;
}

// One `override` line; strings go as hex so that no quoting rule of the
// configuration reader can change them. snmpd takes an overridden null as
// "not served", so it serves none.
bool OverrideLine(const AgentValue& v, std::string* line, std::string* why) {
    if (v.type == "integer") {
        *line = "override " + v.oid + " integer " + v.value;
        return true;
    }
    if (v.type != "string" && v.type != "hex")
        return Fail(why, "snmpd cannot serve a value of type \"" + v.type + "\" (" + v.oid + ")");
    std::string hex = v.value;
    if (v.type == "string") {
        hex.clear();
        for (unsigned char c : v.value) hex += {"0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]};
    }
    *line = "override " + v.oid + " octet_str " + (hex.empty() ? "\"\"" : "0x" + hex);
    return true;
}

}  // namespace

std::string NextLoopbackAddress() {
    // Each address is claimed with a lock held for the life of the process,
    // so that test processes started side by side never pick the same one.
    static std::mutex lock;
    static int third = 1 + static_cast<int>(getpid() % 250);
    static int fourth = 0;
    std::lock_guard<std::mutex> hold(lock);
    std::string dir = (std::filesystem::temp_directory_path() / "zr51-loopback").string();
    if (mkdir(dir.c_str(), 01777) == 0) chmod(dir.c_str(), 01777);  // shared by every user's tests
    for (int tries = 0; tries < 250 * 254; ++tries) {
        if (++fourth > 254) {
            fourth = 1;
            third = third % 250 + 1;
        }
        std::string address = "127.51." + std::to_string(third) + "." + std::to_string(fourth);
        int fd = open((dir + "/" + address).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return address;  // fd stays open: the claim
        close(fd);
    }
    return "127.51.255.1";
}

bool SnmpdAgent::Start(const std::string& address, const std::vector<AgentValue>& values, std::string* why) {
    Stop();
    std::string snmpd = "/usr/sbin/snmpd";
    if (access(snmpd.c_str(), X_OK) != 0) snmpd = "/usr/local/sbin/snmpd";
    if (access(snmpd.c_str(), X_OK) != 0) return Fail(why, "snmpd is not installed (scripts/install-deps.sh installs it)");
    std::string config = (address.find(':') == std::string::npos ? "agentAddress udp:" + address
                                                                    : "agentAddress udp6:[" + address + "]") +
                         ":" + std::to_string(kAgentPort) + "\nrocommunity public\n";
    for (const auto& v : values) {
        std::string line;
        if (!OverrideLine(v, &line, why)) return false;
        config += line + "\n";
    }
    if (!CanBind(address, why)) return false;
    dir_ = MakeTempDir("zr51-snmpd-");
    if (dir_.empty()) return Fail(why, std::string("mkdtemp: ") + std::strerror(errno));
    std::ofstream(dir_ + "/snmpd.conf") << config;
    // No MIB files are loaded (only numeric OIDs are used), the state snmpd
    // keeps goes to our directory, not to /var/lib/snmp, and the SMUX
    // listener on TCP 127.0.0.1:199, which agents side by side would share,
    // stays off.
    pid_ = Spawn({snmpd, "-f", "-I", "-smux", "-C", "-c", dir_ + "/snmpd.conf", "-Lf", dir_ + "/snmpd.log", "-p", dir_ + "/snmpd.pid"},
                 {"MIBS=", "SNMP_PERSISTENT_DIR=" + dir_, "SNMPCONFPATH=" + dir_}, -1, dir_ + "/stderr.log");
    if (pid_ < 0) {
        Stop();
        return Fail(why, std::string("fork: ") + std::strerror(errno));
    }
    int status = 0;
    bool ended = false;
    for (auto limit = Clock::now() + kStartLimit; Clock::now() < limit && !ended;) {
        if (Answers(address, 20)) return true;
        ended = waitpid(pid_, &status, WNOHANG) == pid_;
    }
    if (ended) pid_ = -1;
    std::string log = ReadFile(dir_ + "/snmpd.log") + ReadFile(dir_ + "/stderr.log");
    Stop();
    return Fail(why, (ended ? "snmpd ended at start: " : "snmpd did not answer on " + address + " within 5 s: ") + log);
}

void SnmpdAgent::Stop() { EndChild(&pid_, &dir_); }

SnmpdAgent::~SnmpdAgent() { Stop(); }

bool PrinterSimulator::Start(const std::string& address, const std::vector<AgentValue>& values,
                             const SimOptions& options, std::string* why) {
    Stop();
#ifndef ZR51_SNMP_SIM
    return Fail(why, "the simulator is not part of this build");
#else
    if (access(ZR51_SNMP_SIM, X_OK) != 0) return Fail(why, std::string("no simulator at ") + ZR51_SNMP_SIM);
    if (!CanBind(address, why)) return false;
    dir_ = MakeTempDir("zr51-sim-");
    if (dir_.empty()) return Fail(why, std::string("mkdtemp: ") + std::strerror(errno));
    {
        std::ofstream file(dir_ + "/values");
        for (const auto& v : values) file << v.oid << ' ' << v.type << ' ' << v.value << '\n';
    }
    std::vector<std::string> argv = {ZR51_SNMP_SIM, "--address", address, "--values", dir_ + "/values",
        "--mode", options.mode, "--delay-ms", std::to_string(options.delayMs), "--asleep",
        std::to_string(options.asleep), "--pad-to", std::to_string(options.padTo), "--log", dir_ + "/requests.log"};
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return Fail(why, std::string("pipe: ") + std::strerror(errno));
    pid_ = Spawn(argv, {}, out[1], dir_ + "/stderr.log");
    close(out[1]);
    if (pid_ < 0) {
        close(out[0]);
        Stop();
        return Fail(why, std::string("fork: ") + std::strerror(errno));
    }
    // "ready" arrives in one write once the socket is bound; anything else
    // (an end of the pipe, silence) is a failed start.
    char said[16] = {};
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, std::chrono::milliseconds(kStartLimit).count()) != 1 || read(out[0], said, sizeof said - 1) <= 0)
        said[0] = '\0';
    close(out[0]);
    if (std::strncmp(said, "ready\n", 6) == 0) return true;
    std::string err = ReadFile(dir_ + "/stderr.log");
    Stop();
    return Fail(why, "simulator did not start: " + err);
#endif
}

int PrinterSimulator::RequestsSeen() const {
    if (dir_.empty()) return 0;
    std::string log = ReadFile(dir_ + "/requests.log");
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

void PrinterSimulator::Stop() { EndChild(&pid_, &dir_); }

PrinterSimulator::~PrinterSimulator() { Stop(); }

}  // namespace zr51test
