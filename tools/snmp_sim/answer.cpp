#include "answer.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace snmpsim {
namespace {

constexpr uint8_t kInteger = 0x02, kOctets = 0x04, kNull = 0x05, kOid = 0x06, kSequence = 0x30;
constexpr uint8_t kGetRequest = 0xA0, kGetResponse = 0xA2;
constexpr int kNoSuchName = 2;
// The largest UDP payload over IPv4.
constexpr size_t kMaxDatagram = 65507;

Bytes VarBind(const Bytes& oid, uint8_t tag, const Bytes& content) {
    Bytes body = Tlv(kOid, oid);
    Append(&body, Tlv(tag, content));
    return Tlv(kSequence, body);
}

// Identifier of the padding and extra objects: 1.3.6.1.4.1.40961.99.<n>.0,
// under our enterprise but outside what any printer serves.
Bytes SpareOid(uint32_t n) {
    Bytes oid;
    OidFromText(".1.3.6.1.4.1.40961.99." + std::to_string(n) + ".0", &oid);
    return oid;
}

Bytes Message(int64_t version, const std::string& community, uint8_t pduTag, int64_t requestId, int errorStatus,
              int errorIndex, const Bytes& varBindList, int outerExtra, bool indefinite) {
    Bytes pdu = Tlv(kInteger, IntegerContent(requestId));
    Append(&pdu, Tlv(kInteger, IntegerContent(errorStatus)));
    Append(&pdu, Tlv(kInteger, IntegerContent(errorIndex)));
    Append(&pdu, Tlv(kSequence, varBindList));
    Bytes body = Tlv(kInteger, IntegerContent(version));
    Append(&body, Tlv(kOctets, Bytes(community.begin(), community.end())));
    Append(&body, Tlv(pduTag, pdu));
    Bytes out{kSequence};
    if (indefinite) {
        out.push_back(0x80);
        Append(&out, body);
        Append(&out, {0x00, 0x00});
        return out;
    }
    PutLength(&out, body.size() + static_cast<size_t>(outerExtra));
    Append(&out, body);
    return out;
}

}  // namespace

int ParseRequest(const uint8_t* data, size_t length, Request* out) {
    Reader all{data, length}, msg, field, pdu, list, bind, name, value;
    uint8_t tag;
    int64_t v;
    if (!ReadTlv(&all, &tag, &msg) || tag != kSequence) return 0;
    if (!ReadTlv(&msg, &tag, &field) || tag != kInteger || !IntegerValue(field, &out->version)) return 0;
    if (!ReadTlv(&msg, &tag, &field) || tag != kOctets) return 0;
    out->community.assign(reinterpret_cast<const char*>(field.p), field.left);
    if (!ReadTlv(&msg, &tag, &pdu) || tag != kGetRequest) return 0;
    if (!ReadTlv(&pdu, &tag, &field) || tag != kInteger || !IntegerValue(field, &out->requestId)) return 0;
    for (int k = 0; k < 2; ++k) {
        if (!ReadTlv(&pdu, &tag, &field) || tag != kInteger || !IntegerValue(field, &v)) return 0;
    }
    if (!ReadTlv(&pdu, &tag, &list) || tag != kSequence) return 0;
    out->oids.clear();
    while (list.left) {
        if (!ReadTlv(&list, &tag, &bind) || tag != kSequence) return 0;
        if (!ReadTlv(&bind, &tag, &name) || tag != kOid || name.left == 0) return 0;
        if (!ReadTlv(&bind, &tag, &value)) return 0;
        out->oids.emplace_back(name.p, name.p + name.left);
    }
    return 1;
}

int LoadValues(const std::string& path, ValueTable* values, int* badLine) {
    std::ifstream in(path);
    if (!in) {
        *badLine = 0;
        return 0;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        *badLine = number;
        size_t a = line.find(' ');
        if (a == std::string::npos) return 0;
        size_t b = line.find(' ', a + 1);
        std::string type = line.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        std::string text = b == std::string::npos ? "" : line.substr(b + 1);
        Bytes oid;
        if (!OidFromText(line.substr(0, a), &oid)) return 0;
        Value value{kNull, {}};
        if (type == "integer") {
            char* end = nullptr;
            errno = 0;
            long long n = std::strtoll(text.c_str(), &end, 10);
            if (text.empty() || *end || errno) return 0;
            value = {kInteger, IntegerContent(n)};
        } else if (type == "string") {
            value = {kOctets, Bytes(text.begin(), text.end())};
        } else if (type == "hex") {
            if (text.size() % 2) return 0;
            value.tag = kOctets;
            for (size_t i = 0; i < text.size(); i += 2) {
                char* end = nullptr;
                std::string pair = text.substr(i, 2);
                long byte = std::strtol(pair.c_str(), &end, 16);
                if (*end || pair[0] == '-' || pair[0] == '+' || pair[0] == ' ') return 0;
                value.content.push_back(static_cast<uint8_t>(byte));
            }
        } else if (type != "null") {
            return 0;
        }
        (*values)[oid] = value;
    }
    *badLine = 0;
    return 1;
}

int ModeFromName(const std::string& name, Mode* mode) {
    static const struct {
        const char* name;
        Mode mode;
    } kModes[] = {
        {"normal", Mode::kNormal},           {"silent", Mode::kSilent},
        {"late", Mode::kLate},               {"foreign-id", Mode::kForeignId},
        {"error", Mode::kError},             {"truncated", Mode::kTruncated},
        {"overlong", Mode::kOverlong},       {"indefinite", Mode::kIndefinite},
        {"bad-version", Mode::kBadVersion},  {"bad-community-echo", Mode::kBadCommunityEcho},
        {"wrong-pdu", Mode::kWrongPdu},      {"missing-one", Mode::kMissingOne},
        {"extra-varbind", Mode::kExtraVarBind}, {"oversized", Mode::kOversized},
        {"asleep", Mode::kAsleep},
    };
    for (const auto& m : kModes) {
        if (name == m.name) {
            *mode = m.mode;
            return 1;
        }
    }
    return 0;
}

Bytes BuildAnswer(const Request& request, const ValueTable& values, const AnswerOptions& options) {
    int errorStatus = 0, errorIndex = 0;
    Bytes list;
    std::vector<Bytes> binds;
    for (size_t i = 0; i < request.oids.size(); ++i) {
        auto found = values.find(request.oids[i]);
        if (found == values.end()) {
            if (!errorStatus) {
                errorStatus = kNoSuchName;
                errorIndex = static_cast<int>(i + 1);
            }
            binds.push_back(VarBind(request.oids[i], kNull, {}));
        } else {
            binds.push_back(VarBind(request.oids[i], found->second.tag, found->second.content));
        }
    }
    if (errorStatus && options.mode != Mode::kError) {
        // A v1 agent echoes the request's VarBinds beside the error.
        binds.clear();
        for (const auto& oid : request.oids) binds.push_back(VarBind(oid, kNull, {}));
    }
    const Mode mode = options.mode;
    if (mode == Mode::kError) {
        errorStatus = options.errorStatus;
        errorIndex = options.errorIndex;
    }
    if (mode == Mode::kMissingOne && !binds.empty()) binds.pop_back();
    if (mode == Mode::kExtraVarBind) binds.insert(binds.begin(), VarBind(SpareOid(0), kInteger, IntegerContent(7)));
    for (const auto& b : binds) Append(&list, b);

    int64_t requestId = mode == Mode::kForeignId ? (request.requestId + 1) & 0x7FFF : request.requestId;
    int64_t version = mode == Mode::kBadVersion ? 1 : 0;
    std::string community = request.community;
    if (mode == Mode::kBadCommunityEcho) {
        // Same length, other bytes: only a byte-wise comparison notices.
        if (community.empty()) community = "x";
        community[0] = community[0] == 'x' ? 'y' : 'x';
    }
    uint8_t pduTag = mode == Mode::kWrongPdu ? kGetRequest : kGetResponse;
    auto build = [&] {
        return Message(version, community, pduTag, requestId, errorStatus, errorIndex, list,
                       mode == Mode::kOverlong ? 100 : 0, mode == Mode::kIndefinite);
    };
    Bytes answer = build();
    if (mode == Mode::kOversized) {
        // Extra 200-byte strings under spare identifiers up to the size asked
        // for, within one UDP datagram.
        size_t target = options.padTo < kMaxDatagram - 300 ? options.padTo : kMaxDatagram - 300;
        const Bytes filler(200, 'x');
        for (uint32_t n = 1; answer.size() < target; ++n) {
            Append(&list, VarBind(SpareOid(n), kOctets, filler));
            answer = build();
        }
    }
    if (mode == Mode::kTruncated) answer.resize(answer.size() / 2);
    return answer;
}

}  // namespace snmpsim
