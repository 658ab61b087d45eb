#include "snmp/snmp_session.h"

#include <cstdlib>
#include <cstring>

#include "snmp/snmp_lock.h"
#include "snmp/snmp_status.h"

namespace {

SnmpSession* g_sessions = nullptr;

// A datagram never exceeds 64 KiB, so a buffer past this size that is still
// too small means a broken socket layer; the growth stops there.
constexpr size_t kMaxReceiveBuffer = size_t{1} << 20;
constexpr size_t kSpareBytes = 10;

bool IsOpen(const SnmpSession* session) {
    SnmpLockGuard guard;
    for (const SnmpSession* s = g_sessions; s != nullptr; s = s->next) {
        if (s == session) {
            return true;
        }
    }
    return false;
}

void FreeCache(SnmpVarRecord* entry) {
    while (entry != nullptr) {
        SnmpVarRecord* next = entry->next;
        free(entry->value);
        free(entry);
        entry = next;
    }
}

void CopyText(char* to, const char* from, size_t size) {
    size_t n = strnlen(from, size - 1);
    memcpy(to, from, n);
    to[n] = '\0';
}

SnmpVarRecord* FindCached(SnmpSession* session, const char* oid) {
    uint32_t length = static_cast<uint32_t>(strlen(oid));
    for (SnmpVarRecord* e = session->cache; e != nullptr; e = e->next) {
        if (SnmpSameOid(e->oid, oid, length)) {
            return e;
        }
    }
    return nullptr;
}

// Moves the decoded values into the cache: an entry for the same object
// takes the new value, otherwise a new entry goes to the head. entries[i]
// becomes record i's cache entry.
int32_t MergeIntoCache(SnmpSession* session, SnmpVarRecord* received, uint32_t count, SnmpVarRecord** entries) {
    for (uint32_t i = 0; i < count; ++i) {
        SnmpVarRecord* entry = FindCached(session, received[i].oid);
        entries[i] = entry;
        // A request that names one object twice answers only the first.
        if (received[i].value == nullptr) {
            continue;
        }
        if (entry == nullptr) {
            entry = static_cast<SnmpVarRecord*>(calloc(1, sizeof(SnmpVarRecord)));
            if (entry == nullptr) {
                return kSnmpOutOfMemory;
            }
            memcpy(entry->oid, received[i].oid, sizeof entry->oid);
            entry->type = received[i].type;
            entry->next = session->cache;
            session->cache = entry;
            entries[i] = entry;
        }
        free(entry->value);
        entry->value = received[i].value;
        entry->length = received[i].length;
        received[i].value = nullptr;
    }
    return kSnmpSuccess;
}

// Sends the message and receives the answer into a buffer that doubles
// while the answer does not fit; the request goes out again each time.
int32_t Receive(SnmpSession* session, const uint8_t* message, uint32_t messageLength, size_t size,
                uint8_t** buffer, uint32_t* received) {
    const int32_t tooLong = kNetReceive | kWsaMessageTooLong;
    for (;;) {
        *buffer = static_cast<uint8_t*>(malloc(size + kSpareBytes));
        if (*buffer == nullptr) {
            return kSnmpOutOfMemory;
        }
        int32_t status = SnmpExchange(session->peer->endpoint, message, messageLength, *buffer,
                                      static_cast<uint32_t>(size), session->timeoutSeconds, session->retries,
                                      received);
        if (status != tooLong || size * 2 > kMaxReceiveBuffer) {
            return status;
        }
        free(*buffer);
        *buffer = nullptr;
        size *= 2;
    }
}

}  // namespace

int32_t SnmpOpenSession(const char* host, const char* community, SnmpSession** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    if (host == nullptr || community == nullptr || out == nullptr) {
        return kSnmpInvalidParameter;
    }
    // The community's length goes out as one byte.
    if (strlen(community) > kSnmpMaxCommunity) {
        return kSnmpInvalidParameter;
    }
    SnmpStartup();
    auto* session = static_cast<SnmpSession*>(calloc(1, sizeof(SnmpSession)));
    if (session == nullptr) {
        SnmpCleanup();
        return kSnmpUnknownError;
    }
    CopyText(session->host, host, sizeof session->host);
    auto* peer = static_cast<SnmpPeer*>(calloc(1, sizeof(SnmpPeer)));
    char* copy = strdup(community);
    if (peer == nullptr || copy == nullptr) {
        free(peer);
        free(copy);
        free(session);
        SnmpCleanup();
        return kSnmpOutOfMemory;
    }
    int32_t status = SnmpOpenEndpoint(session->host, &peer->endpoint);
    if (status != 0) {
        free(copy);
        free(peer);
        free(session);
        SnmpCleanup();
        return status;
    }
    peer->state = 1;
    peer->community = copy;
    session->peer = peer;
    session->timeoutSeconds = kSnmpDefaultTimeout;
    session->retries = 0;
    {
        SnmpLockGuard guard;
        session->next = g_sessions;
        g_sessions = session;
    }
    *out = session;
    return kSnmpSuccess;
}

void SnmpCloseSession(SnmpSession* session) {
    {
        SnmpLockGuard guard;
        SnmpSession** link = &g_sessions;
        while (*link != nullptr && *link != session) {
            link = &(*link)->next;
        }
        if (*link == nullptr) {
            return;
        }
        *link = session->next;
    }
    if (session->peer != nullptr) {
        SnmpCloseEndpoint(session->peer->endpoint);
        free(session->peer->community);
        free(session->peer);
    }
    FreeCache(session->cache);
    free(session);
    SnmpCleanup();
}

int32_t SnmpSetTimeout(SnmpSession* session, uint32_t seconds) {
    if (session == nullptr || seconds == 0) {
        return kSnmpInvalidParameter;
    }
    if (!IsOpen(session)) {
        return kSnmpInvalidHandle;
    }
    session->timeoutSeconds = seconds;
    return kSnmpSuccess;
}

int32_t SnmpGetValues(SnmpSession* session, SnmpVarRecord* records, uint32_t count) {
    if (records == nullptr || count == 0) {
        return kSnmpInvalidParameter;
    }
    if (!IsOpen(session)) {
        return kSnmpInvalidHandle;
    }
    if (session->peer == nullptr || session->peer->community == nullptr) {
        return kSnmpInvalidParameter;
    }
    auto* own = static_cast<SnmpVarRecord*>(calloc(count, sizeof(SnmpVarRecord)));
    auto** entries = static_cast<SnmpVarRecord**>(calloc(count, sizeof(SnmpVarRecord*)));
    if (own == nullptr || entries == nullptr) {
        free(own);
        free(entries);
        return kSnmpOutOfMemory;
    }
    for (uint32_t i = 0; i < count; ++i) {
        CopyText(own[i].oid, records[i].oid, sizeof own[i].oid);
        own[i].type = records[i].type;
    }
    const char* community = session->peer->community;
    uint32_t requestId = SnmpNextRequestId();
    uint32_t pduLength = 0, messageLength = 0, received = 0;
    uint8_t* pdu = SnmpEncodeGetRequest(own, count, requestId, &pduLength);
    uint8_t* message = nullptr;
    uint8_t* buffer = nullptr;
    int32_t status = kSnmpSuccess;
    if (pdu == nullptr) {
        status = kSnmpCreatePduError;
    } else if ((message = SnmpEncodeMessage(community, pdu, pduLength, &messageLength)) == nullptr) {
        status = kSnmpOutOfMemory;
    } else {
        // Room for 512 bytes per object; a printer with longer texts makes
        // the buffer grow.
        size_t size = size_t{512} * count + strlen(community) + 34;
        status = Receive(session, message, messageLength, size, &buffer, &received);
        if (status == kSnmpSuccess) {
            status = SnmpDecodeGetResponse(own, count, requestId, community, buffer, received);
        }
        if (status == kSnmpSuccess) {
            status = MergeIntoCache(session, own, count, entries);
        }
    }
    free(buffer);
    free(message);
    free(pdu);
    SnmpFreeValues(own, count);
    free(own);
    // Delivery: every caller's record from its object's cache entry.
    for (uint32_t i = 0; status == kSnmpSuccess && i < count; ++i) {
        const SnmpVarRecord* entry = entries[i];
        if (entry == nullptr) {
            continue;
        }
        uint32_t n = entry->length < records[i].capacity ? entry->length : records[i].capacity;
        if (n != 0 && records[i].value != nullptr) {
            memcpy(records[i].value, entry->value, n);
        }
        records[i].length = entry->length;
        records[i].type = entry->type;
    }
    free(entries);
    return status;
}

int32_t SnmpGetInteger(SnmpSession* session, const char* oid, uint8_t value[4], uint32_t* length) {
    if (oid == nullptr) {
        return kSnmpInvalidParameter;
    }
    SnmpVarRecord record{};
    CopyText(record.oid, oid, sizeof record.oid);
    record.type = kSnmpTypeInteger;
    record.capacity = 4;
    record.value = value;
    int32_t status = SnmpGetValues(session, &record, 1);
    if (length != nullptr) {
        *length = record.length;
    }
    return status;
}

int32_t SnmpSessionFamily(SnmpSession* session) {
    if (session == nullptr) {
        return kSnmpInvalidParameter;
    }
    if (!IsOpen(session)) {
        return kSnmpInvalidHandle;
    }
    return SnmpEndpointFamily(session->peer->endpoint);
}
