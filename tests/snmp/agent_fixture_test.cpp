// The agents that play the printer, checked with net-snmp's snmpget as an
// independent client: what they serve decodes to the values they were given,
// and they stay silent or refuse where a real agent does.
#include "snmp/agent_fixture.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>


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

}  // namespace
}  // namespace zr51test
