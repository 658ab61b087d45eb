// zr51-snmp-sim: a printer's SNMPv1 agent that answers GetRequests from a
// table of fixed values, well or in one chosen faulty way, for the tests of
// the driver's client.
//
//   zr51-snmp-sim --address A [--port 161] --values FILE [--community public]
//                 [--mode MODE] [--delay-ms N] [--asleep N]
//                 [--error-status N --error-index N] [--pad-to N] [--log FILE]
//
// FILE: one `OID TYPE VALUE` per line, TYPE integer, string, hex or null.
// MODE: normal, silent, late (answers after --delay-ms), foreign-id, error
// (--error-status and --error-index), truncated, overlong, indefinite,
// bad-version, bad-community-echo, wrong-pdu, missing-one, extra-varbind,
// oversized (at least --pad-to bytes), asleep (ignores the first --asleep
// requests; --asleep holds in every mode). A request with another community
// gets no answer, as from a real agent. --log appends one line per received
// datagram: the request id and the OIDs, or "malformed" and its size.
// Prints "ready" once its socket is bound; runs until killed.
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "answer.h"
#include "ber.h"

using namespace snmpsim;

namespace {

struct Config {
    std::string address;
    std::string port = "161";
    std::string valuesPath;
    std::string community = "public";
    std::string logPath;
    Mode mode = Mode::kNormal;
    int delayMs = 0;
    int asleep = 0;
    AnswerOptions answer;
};

int Usage(const char* why) {
    std::fprintf(stderr,
                 "zr51-snmp-sim: %s\nusage: zr51-snmp-sim --address A [--port 161] --values FILE "
                 "[--community C] [--mode MODE] [--delay-ms N] [--asleep N] [--error-status N] "
                 "[--error-index N] [--pad-to N] [--log FILE]\n",
                 why);
    return 2;
}

int Number(const char* text, int* out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < 0 || v > 1000000) return 0;
    *out = static_cast<int>(v);
    return 1;
}

int ParseArgs(int argc, char** argv, Config* c) {
    for (int i = 1; i < argc; i += 2) {
        std::string key = argv[i];
        if (i + 1 >= argc) return Usage(("no value after " + key).c_str());
        const char* value = argv[i + 1];
        int n = 0;
        bool numeric = key == "--delay-ms" || key == "--asleep" || key == "--error-status" ||
                       key == "--error-index" || key == "--pad-to";
        if (numeric && !Number(value, &n)) return Usage(("bad number for " + key).c_str());
        if (key == "--address") c->address = value;
        else if (key == "--port") c->port = value;
        else if (key == "--values") c->valuesPath = value;
        else if (key == "--community") c->community = value;
        else if (key == "--log") c->logPath = value;
        else if (key == "--mode") {
            if (!ModeFromName(value, &c->mode)) return Usage(("unknown mode " + std::string(value)).c_str());
        } else if (key == "--delay-ms") c->delayMs = n;
        else if (key == "--asleep") c->asleep = n;
        else if (key == "--error-status") c->answer.errorStatus = n;
        else if (key == "--error-index") c->answer.errorIndex = n;
        else if (key == "--pad-to") c->answer.padTo = static_cast<size_t>(n);
        else return Usage(("unknown option " + key).c_str());
    }
    if (c->address.empty() || c->valuesPath.empty()) return Usage("--address and --values are required");
    c->answer.mode = c->mode;
    return 0;
}

void Log(FILE* log, const std::string& line) {
    if (!log) return;
    std::fputs(line.c_str(), log);
    std::fputc('\n', log);
    std::fflush(log);
}

std::string Describe(const Request& r) {
    std::string line = std::to_string(r.requestId);
    for (const auto& oid : r.oids) {
        std::string text;
        line += " " + (OidToText(oid, &text) ? text : std::string("?"));
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    Config c;
    if (int rc = ParseArgs(argc, argv, &c)) return rc;
    ValueTable values;
    int badLine = 0;
    if (!LoadValues(c.valuesPath, &values, &badLine)) {
        std::fprintf(stderr, "zr51-snmp-sim: %s: cannot read line %d\n", c.valuesPath.c_str(), badLine);
        return 2;
    }
    FILE* log = nullptr;
    if (!c.logPath.empty() && !(log = std::fopen(c.logPath.c_str(), "a"))) {
        std::fprintf(stderr, "zr51-snmp-sim: cannot open %s: %s\n", c.logPath.c_str(), std::strerror(errno));
        return 2;
    }

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV | AI_PASSIVE;
    addrinfo* local = nullptr;
    if (getaddrinfo(c.address.c_str(), c.port.c_str(), &hints, &local) != 0 || !local) {
        std::fprintf(stderr, "zr51-snmp-sim: not a numeric address and port: %s %s\n", c.address.c_str(),
                     c.port.c_str());
        return 2;
    }
    int s = socket(local->ai_family, SOCK_DGRAM, 0);
    if (s < 0 || bind(s, local->ai_addr, local->ai_addrlen) != 0) {
        std::fprintf(stderr, "zr51-snmp-sim: cannot bind %s port %s: %s\n", c.address.c_str(), c.port.c_str(),
                     std::strerror(errno));
        return 1;
    }
    freeaddrinfo(local);
    std::printf("ready\n");
    std::fflush(stdout);

    static uint8_t buf[65536];
    int seen = 0;
    for (;;) {
        sockaddr_storage peer{};
        socklen_t peerLength = sizeof peer;
        ssize_t n = recvfrom(s, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "zr51-snmp-sim: recvfrom: %s\n", std::strerror(errno));
            return 1;
        }
        ++seen;
        Request request;
        if (!ParseRequest(buf, static_cast<size_t>(n), &request)) {
            Log(log, "malformed " + std::to_string(n));
            continue;
        }
        Log(log, Describe(request));
        // A v1 agent ignores other versions and communities it does not know.
        if (request.version != 0 || request.community != c.community) continue;
        if (seen <= c.asleep || c.mode == Mode::kSilent) continue;
        if (c.mode == Mode::kLate) std::this_thread::sleep_for(std::chrono::milliseconds(c.delayMs));
        Bytes answer = BuildAnswer(request, values, c.answer);
        sendto(s, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&peer), peerLength);
    }
}
