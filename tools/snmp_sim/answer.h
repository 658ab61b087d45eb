// What the simulated printer makes of one GetRequest: the request as it
// arrived, the served values, and the answer the chosen mode sends.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ber.h"

namespace snmpsim {

struct Request {
    int64_t version = -1;
    std::string community;
    int64_t requestId = 0;
    std::vector<Bytes> oids;  // identifier contents, in request order
};

// A GetRequest (PDU tag 0xA0) with NULL or any other values; 0 for anything
// that is not one.
int ParseRequest(const uint8_t* data, size_t length, Request* out);

struct Value {
    uint8_t tag;
    Bytes content;
};
using ValueTable = std::map<Bytes, Value>;

// Reads the values file: one `OID TYPE VALUE` per line, TYPE integer,
// string (the rest of the line), hex or null. Blank lines and lines starting
// with '#' are skipped; on a bad line 0 and its number in *badLine.
int LoadValues(const std::string& path, ValueTable* values, int* badLine);

// Shapes of answer; silent, late and asleep are decided before answering
// and answer like normal.
enum class Mode {
    kNormal,
    kSilent,
    kLate,
    kForeignId,
    kError,
    kTruncated,
    kOverlong,
    kIndefinite,
    kBadVersion,
    kBadCommunityEcho,
    kWrongPdu,
    kMissingOne,
    kExtraVarBind,
    kOversized,
    kAsleep,
};
int ModeFromName(const std::string& name, Mode* mode);

struct AnswerOptions {
    Mode mode = Mode::kNormal;
    int errorStatus = 0;
    int errorIndex = 0;
    size_t padTo = 0;
};

// The GetResponse datagram for a request. In normal shape every known OID
// gets its value; the first unknown one makes the answer noSuchName (2) with
// its 1-based index and the request's VarBinds echoed, as a v1 agent does.
Bytes BuildAnswer(const Request& request, const ValueTable& values, const AnswerOptions& options);

}  // namespace snmpsim
