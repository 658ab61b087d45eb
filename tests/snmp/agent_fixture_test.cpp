// The agents that play the printer, checked with net-snmp's snmpget as an
// independent client: what they serve decodes to the values they were given,
// and they stay silent or refuse where a real agent does.
#include "snmp/agent_fixture.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "answer.h"
#include "ber.h"

namespace zr51test {
namespace {

struct Answer {
    int status;
    std::string text;  // standard output: the values
    std::string err;   // standard error: timeouts, refusals, net-snmp's own notices
};

// snmpget -v1 with numeric OIDs, strings as hex (its line breaks inside long
// strings dropped), no retry, no second request without a refused OID and
// 0.3 s for the answer: the agents answer at once or never. Its state goes to
// a directory of this process, not /var/lib/snmp: a first run there prints
// "Created directory" notices.
Answer Snmpget(const std::string& address, const std::string& community, const std::vector<std::string>& oids) {
    static const struct StateDir {
        std::string path = "/tmp/zr51-snmpget-XXXXXX";
        StateDir() { mkdtemp(path.data()); }
        ~StateDir() { std::filesystem::remove_all(path); }
    } stateDir;
    const std::string& state = stateDir.path;
    std::string command = "MIBS= SNMP_PERSISTENT_DIR=" + state + " SNMPCONFPATH=" + state +
                          " snmpget -v1 -r 0 -t 0.3 -Cf -On -Oq -Ox -c " + community + " " + address;
    for (const auto& oid : oids) command += " " + oid;
    command += " 2>" + state + "/stderr";
    Answer answer{-1, {}, {}};
    FILE* out = popen(command.c_str(), "r");
    if (!out) return answer;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, out)) > 0) answer.text.append(buf, n);
    int status = pclose(out);
    answer.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = fopen((state + "/stderr").c_str(), "r")) {
        while ((n = fread(buf, 1, sizeof buf, err)) > 0) answer.err.append(buf, n);
        fclose(err);
    }
    for (size_t i = answer.text.find('\n'); i != std::string::npos; i = answer.text.find('\n', i + 1)) {
        if (i + 1 < answer.text.size() && answer.text[i + 1] != '.') answer.text.erase(i, 1);
    }
    return answer;
}

// What snmpget -Oq -Ox prints for a served value.
std::string Printed(const AgentValue& v) {
    if (v.type == "integer") return v.value;
    std::string bytes = v.value;
    if (v.type == "hex") {
        bytes.clear();
        for (size_t i = 0; i + 1 < v.value.size(); i += 2) bytes += char(std::stoi(v.value.substr(i, 2), nullptr, 16));
    }
    std::string text = "\"";
    static const char kDigits[] = "0123456789ABCDEF";
    for (unsigned char c : bytes) text += std::string{kDigits[c >> 4], kDigits[c & 15], ' '};
    return text + "\"";
}

const std::vector<AgentValue> kValues = {
    {".1.3.6.1.4.1.40961.1.2.2.2.5.3.0", "integer", "3"},
    {".1.3.6.1.4.1.40961.1.2.2.2.5.4.0", "integer", "-5"},
    {".1.3.6.1.4.1.40961.1.2.3.1.0", "string", "Tray 1 \"plain\" A4"},
    {".1.3.6.1.4.1.40961.1.2.3.2.0", "string", ""},
    {".1.3.6.1.4.1.40961.1.1.4.0", "hex", "C0A80164"},
};

std::vector<std::string> OidsOf(const std::vector<AgentValue>& values) {
    std::vector<std::string> oids;
    for (const auto& v : values) oids.push_back(v.oid);
    return oids;
}

TEST(AgentFixture, LoopbackAddressesAreFreshEachCall) {
    std::set<std::string> seen;
    for (int i = 0; i < 300; ++i) {
        std::string a = NextLoopbackAddress();
        EXPECT_EQ(0u, a.rfind("127.51.", 0)) << a;
        EXPECT_TRUE(seen.insert(a).second) << a;
    }
}

TEST(AgentFixture, SnmpdServesTheValuesAndRefusesLikeAnAgent) {
    SnmpdAgent agent;
    std::string address = NextLoopbackAddress(), why;
    if (!agent.Start(address, kValues, &why)) GTEST_SKIP() << why;

    std::string all;
    for (const auto& v : kValues) all += v.oid + " " + Printed(v) + "\n";
    const struct {
        const char* what;
        std::string community;
        std::vector<std::string> oids;
        int wantStatus;
        std::string wantText;
    } cases[] = {
        {"every value in one request", "public", OidsOf(kValues), 0, all},
        {"unknown OID", "public", {kValues[0].oid, ".1.3.6.1.4.1.40961.9.9.0"}, 2, "(noSuchName)"},
        {"wrong community: silence", "private", {kValues[0].oid}, 1, "Timeout: No Response"},
    };
    for (const auto& c : cases) {
        Answer got = Snmpget(address, c.community, c.oids);
        EXPECT_EQ(c.wantStatus, got.status) << c.what << ": " << got.text << got.err;
        if (c.wantStatus == 0) {
            EXPECT_EQ(c.wantText, got.text) << c.what << ": " << got.err;
        } else {
            std::string all = got.text + got.err;
            EXPECT_NE(std::string::npos, all.find(c.wantText)) << c.what << ": " << all;
        }
    }
    agent.Stop();
    EXPECT_EQ(1, Snmpget(address, "public", {kValues[0].oid}).status) << "still answering after Stop";
}

TEST(AgentFixture, SnmpdRefusesWhatItCannotServe) {
    SnmpdAgent agent;
    std::string why;
    EXPECT_FALSE(agent.Start(NextLoopbackAddress(), {{".1.3.6.1.4.1.40961.1.0", "null", ""}}, &why));
    EXPECT_NE(std::string::npos, why.find("null")) << why;
    // An address no interface has cannot be bound.
    EXPECT_FALSE(agent.Start("192.0.2.1", kValues, &why));
    EXPECT_NE(std::string::npos, why.find("cannot bind")) << why;
}

}  // namespace
}  // namespace zr51test

namespace zr51test {
namespace {

using snmpsim::Bytes;

Bytes GetRequest(const std::string& community, int64_t id, const std::vector<std::string>& oids) {
    Bytes list;
    for (const auto& text : oids) {
        Bytes oid, bind;
        snmpsim::OidFromText(text, &oid);
        bind = snmpsim::Tlv(0x06, oid);
        snmpsim::Append(&bind, {0x05, 0x00});
        snmpsim::Append(&list, snmpsim::Tlv(0x30, bind));
    }
    Bytes pdu = snmpsim::Tlv(0x02, snmpsim::IntegerContent(id));
    snmpsim::Append(&pdu, {0x02, 0x01, 0x00, 0x02, 0x01, 0x00});
    snmpsim::Append(&pdu, snmpsim::Tlv(0x30, list));
    Bytes body{0x02, 0x01, 0x00};
    snmpsim::Append(&body, snmpsim::Tlv(0x04, Bytes(community.begin(), community.end())));
    snmpsim::Append(&body, snmpsim::Tlv(0xA0, pdu));
    return snmpsim::Tlv(0x30, body);
}

// Sends each request in turn from one socket to port 161 and collects what
// comes back within waitMs of each (an empty datagram: nothing came).
std::vector<Bytes> Exchange(const std::string& address, const std::vector<Bytes>& requests, int waitMs) {
    std::vector<Bytes> answers;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(161);
    inet_pton(AF_INET, address.c_str(), &to.sin_addr);
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    for (const auto& request : requests) {
        sendto(s, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        Bytes got(70000);
        pollfd p{s, POLLIN, 0};
        ssize_t n = poll(&p, 1, waitMs) == 1 ? recv(s, got.data(), got.size(), 0) : 0;
        got.resize(n > 0 ? static_cast<size_t>(n) : 0);
        answers.push_back(got);
    }
    close(s);
    return answers;
}

// A GetResponse read field by field; whole is false when the outer TLV does
// not match the datagram exactly (then only size and declared are set).
struct Shape {
    bool whole = false;
    size_t size = 0, declared = 0;
    int64_t version = -1, id = -1, status = -1, index = -1;
    std::string community;
    uint8_t pdu = 0;
    int binds = 0;
};

Shape Read(const Bytes& d) {
    Shape s;
    s.size = d.size();
    if (d.size() >= 2) {
        size_t header = 2, digits = d[1] > 0x80 ? d[1] - 0x80u : 0;
        s.declared = d[1] & 0x80 ? 0 : d[1];
        for (size_t k = 0; k < digits && 2 + k < d.size(); ++k) s.declared = (s.declared << 8) | d[2 + k];
        s.declared += header + digits;
    }
    snmpsim::Reader all{d.data(), d.size()}, msg, f, pdu, list, bind;
    uint8_t tag;
    if (!snmpsim::ReadTlv(&all, &tag, &msg) || all.left) return s;
    if (!snmpsim::ReadTlv(&msg, &tag, &f) || !snmpsim::IntegerValue(f, &s.version)) return s;
    if (!snmpsim::ReadTlv(&msg, &tag, &f)) return s;
    s.community.assign(reinterpret_cast<const char*>(f.p), f.left);
    if (!snmpsim::ReadTlv(&msg, &s.pdu, &pdu)) return s;
    for (int64_t* field : {&s.id, &s.status, &s.index}) {
        if (!snmpsim::ReadTlv(&pdu, &tag, &f) || !snmpsim::IntegerValue(f, field)) return s;
    }
    if (!snmpsim::ReadTlv(&pdu, &tag, &list)) return s;
    while (list.left && snmpsim::ReadTlv(&list, &tag, &bind)) ++s.binds;
    s.whole = list.left == 0;
    return s;
}

std::vector<AgentValue> ManyStrings(int count) {
    std::vector<AgentValue> values;
    for (int i = 1; i <= count; ++i) {
        values.push_back({".1.3.6.1.4.1.40961.1.3.2.1.2." + std::to_string(i) + ".0", "string",
                          "Entry " + std::to_string(i) + " with a forty-byte name...."});
    }
    return values;
}

TEST(AgentFixture, SnmpdAnswersFourHundredOidsInOneDatagram) {
    SnmpdAgent agent;
    std::string address = NextLoopbackAddress(), why;
    std::vector<AgentValue> values = ManyStrings(400);
    if (!agent.Start(address, values, &why)) GTEST_SKIP() << why;
    Shape got = Read(Exchange(address, {GetRequest("public", 0x1234, OidsOf(values))}, 2000)[0]);
    EXPECT_TRUE(got.whole);
    EXPECT_EQ(0x1234, got.id);
    EXPECT_EQ(0, got.status);
    EXPECT_EQ(400, got.binds);
}

TEST(PrinterSimulator, NormalAnswersDecodeWithSnmpget) {
    PrinterSimulator sim;
    std::string address = NextLoopbackAddress(), why;
    std::vector<AgentValue> values = kValues;
    values.push_back({".1.3.6.1.4.1.40961.1.1.5.0", "null", ""});
    if (!sim.Start(address, values, SimOptions{}, &why)) GTEST_SKIP() << why;

    std::string all;
    for (const auto& v : kValues) all += v.oid + " " + Printed(v) + "\n";
    all += values.back().oid + " NULL\n";
    Answer got = Snmpget(address, "public", OidsOf(values));
    EXPECT_EQ(0, got.status) << got.text << got.err;
    EXPECT_EQ(all, got.text) << got.err;
    // The second of three unknown: noSuchName pointing at it.
    got = Snmpget(address, "public", {kValues[0].oid, ".1.3.6.1.4.1.40961.9.9.0", kValues[1].oid});
    EXPECT_EQ(2, got.status);
    got.text += got.err;
    EXPECT_NE(std::string::npos, got.text.find("(noSuchName)")) << got.text;
    EXPECT_NE(std::string::npos, got.text.find("Failed object: .1.3.6.1.4.1.40961.9.9.0")) << got.text;
    // Another community: silence, but the datagram was seen.
    EXPECT_EQ(1, Snmpget(address, "private", {kValues[0].oid}).status);
    EXPECT_EQ(3, sim.RequestsSeen());
}

TEST(PrinterSimulator, FaultModesShapeTheDatagram) {
    enum Cut { kWhole, kShorterThanSaid, kIndefinite, kNothing };
    struct Case {
        SimOptions options;
        Cut cut;
        int64_t version, id, status, index;  // id: offset from the request's
        uint8_t pdu;
        int bindsBeyondAsked;
        std::string community;
        size_t minSize;  // when set: at least this size and bindsBeyondAsked extra VarBinds
    };
    auto mode = [](const char* name) {
        SimOptions o;
        o.mode = name;
        return o;
    };
    SimOptions error = mode("error"), oversized = mode("oversized");
    error.errorStatus = 5;
    error.errorIndex = 2;
    oversized.padTo = 6000;
    const Case cases[] = {
        {mode("normal"), kWhole, 0, 0, 0, 0, 0xA2, 0, "public", 0},
        {mode("silent"), kNothing, 0, 0, 0, 0, 0, 0, "", 0},
        {mode("foreign-id"), kWhole, 0, 1, 0, 0, 0xA2, 0, "public", 0},
        {error, kWhole, 0, 0, 5, 2, 0xA2, 0, "public", 0},
        {mode("truncated"), kShorterThanSaid, 0, 0, 0, 0, 0, 0, "", 0},
        {mode("overlong"), kShorterThanSaid, 0, 0, 0, 0, 0, 0, "", 0},
        {mode("indefinite"), kIndefinite, 0, 0, 0, 0, 0, 0, "", 0},
        {mode("bad-version"), kWhole, 1, 0, 0, 0, 0xA2, 0, "public", 0},
        {mode("bad-community-echo"), kWhole, 0, 0, 0, 0, 0xA2, 0, "xublic", 0},
        {mode("wrong-pdu"), kWhole, 0, 0, 0, 0, 0xA0, 0, "public", 0},
        {mode("missing-one"), kWhole, 0, 0, 0, 0, 0xA2, -1, "public", 0},
        {mode("extra-varbind"), kWhole, 0, 0, 0, 0, 0xA2, 1, "public", 0},
        {oversized, kWhole, 0, 0, 0, 0, 0xA2, 1, "public", 6000},
    };
    const int64_t id = 0x2345;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.mode);
        PrinterSimulator sim;
        std::string address = NextLoopbackAddress(), why;
        if (!sim.Start(address, kValues, c.options, &why)) GTEST_SKIP() << why;
        Bytes answer = Exchange(address, {GetRequest("public", id, OidsOf(kValues))}, 200)[0];
        Shape got = Read(answer);
        EXPECT_EQ(1, sim.RequestsSeen());
        switch (c.cut) {
            case kNothing:
                EXPECT_EQ(0u, got.size);
                continue;
            case kShorterThanSaid:
                EXPECT_FALSE(got.whole);
                EXPECT_GT(got.declared, got.size);
                continue;
            case kIndefinite:
                ASSERT_GE(got.size, 4u);
                EXPECT_EQ(0x80, answer[1]);
                EXPECT_EQ(0, answer[got.size - 1] | answer[got.size - 2]);
                continue;
            case kWhole:
                break;
        }
        ASSERT_TRUE(got.whole);
        EXPECT_EQ(c.version, got.version);
        EXPECT_EQ(c.community, got.community);
        EXPECT_EQ(c.pdu, got.pdu);
        EXPECT_EQ(id + c.id, got.id);
        EXPECT_EQ(c.status, got.status);
        EXPECT_EQ(c.index, got.index);
        if (c.minSize) {
            EXPECT_GE(got.size, c.minSize);
            EXPECT_GE(got.binds, static_cast<int>(kValues.size()) + c.bindsBeyondAsked);
        } else {
            EXPECT_EQ(static_cast<int>(kValues.size()) + c.bindsBeyondAsked, got.binds);
        }
    }
}

TEST(PrinterSimulator, AsleepAndLateAnswers) {
    const std::vector<std::string> oids = {kValues[0].oid};
    {
        // Asleep for two requests (the malformed one among them), then awake.
        PrinterSimulator sim;
        SimOptions o;
        o.mode = "asleep";
        o.asleep = 2;
        std::string address = NextLoopbackAddress(), why;
        if (!sim.Start(address, kValues, o, &why)) GTEST_SKIP() << why;
        auto got = Exchange(address, {{0x30, 0x03, 0x02}, GetRequest("public", 1, oids), GetRequest("public", 2, oids)},
                            100);
        EXPECT_EQ(0u, got[0].size());
        EXPECT_EQ(0u, got[1].size());
        EXPECT_EQ(2, Read(got[2]).id);
        EXPECT_EQ(3, sim.RequestsSeen());
    }
    {
        PrinterSimulator sim;
        SimOptions o;
        o.mode = "late";
        o.delayMs = 250;
        std::string address = NextLoopbackAddress(), why;
        if (!sim.Start(address, kValues, o, &why)) GTEST_SKIP() << why;
        auto start = std::chrono::steady_clock::now();
        Bytes got = Exchange(address, {GetRequest("public", 7, oids)}, 1000)[0];
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(7, Read(got).id);
        EXPECT_GE(ms.count(), 250);
    }
}

TEST(PrinterSimulator, ReadsOnlyWholeRequests) {
    Bytes whole = GetRequest("public", 300, OidsOf(kValues));
    snmpsim::Request request;
    // Cut at every byte, once as it is and once re-wrapped so that the outer
    // length agrees and the cut shows further in; each in a buffer of its
    // own, so that reading past it shows under the sanitizers.
    const size_t header = 2 + (whole[1] & 0x80 ? whole[1] & 0x7Fu : 0u);
    for (size_t n = 0; n < whole.size(); ++n) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
        EXPECT_EQ(0, snmpsim::ParseRequest(cut.data(), cut.size(), &request)) << n;
        if (n < header) continue;
        cut = snmpsim::Tlv(0x30, Bytes(whole.begin() + static_cast<long>(header), whole.begin() + static_cast<long>(n)));
        EXPECT_EQ(0, snmpsim::ParseRequest(cut.data(), cut.size(), &request)) << "re-wrapped " << n;
    }
    ASSERT_EQ(1, snmpsim::ParseRequest(whole.data(), whole.size(), &request));
    EXPECT_EQ(300, request.requestId);
    ASSERT_EQ(kValues.size(), request.oids.size());
    std::string text;
    EXPECT_TRUE(snmpsim::OidToText(request.oids.back(), &text));
    EXPECT_EQ(kValues.back().oid, text);
}

TEST(PrinterSimulator, RefusesBadValuesAndPorts) {
    const struct {
        const char* what;
        AgentValue value;
        std::string address;
        const char* wantWhy;
    } cases[] = {
        {"hex with an odd digit count", {".1.3.6.1.4.1.40961.1.0", "hex", "C0A"}, "", "line 1"},
        {"integer text", {".1.3.6.1.4.1.40961.1.0", "integer", "12x"}, "", "line 1"},
        {"OID text", {"1.3.x", "integer", "1"}, "", "line 1"},
        {"unknown type", {".1.3.6.1.4.1.40961.1.0", "gauge", "1"}, "", "line 1"},
        {"address of no interface", {".1.3.6.1.4.1.40961.1.0", "integer", "1"}, "192.0.2.1", "cannot bind"},
    };
    for (const auto& c : cases) {
        PrinterSimulator sim;
        std::string why;
        EXPECT_FALSE(sim.Start(c.address.empty() ? NextLoopbackAddress() : c.address, {c.value}, SimOptions{}, &why))
            << c.what;
        EXPECT_NE(std::string::npos, why.find(c.wantWhy)) << c.what << ": " << why;
    }
}

}  // namespace
}  // namespace zr51test
