#pragma once

#include "snmp_answer.h"
#include "snmp_text.h"

#include <QString>
#include <memory>

/// BER size of one request varbind for name: SEQUENCE { OID, NULL }.
inline int RequestVarbindBytes(const SnmpOid& name)
{
    int bytes = 2 + 2 + 2;
    for (oid value : name) {
        ++bytes;
        for (value >>= 7; value != 0; value >>= 7)
            ++bytes;
    }
    return bytes;
}

/// A requested OID read once from the caller's text and shared by every request for it.
struct SnmpOidText {
    SnmpOid name;
    /// RequestVarbindBytes(name), which every batch adds up.
    int varbindBytes = 0;
    /// The caller's text when it is exactly what dottedOid gives for name, else null: an answer
    /// for this very OID hands it back instead of formatting its own.
    QString canonical;
};

/// One caller request as it waits in an agent's queue or travels in a PDU.
struct SnmpRequest {
    quint64 serial = 0;
    QString address; ///< as the caller wrote it, handed back with the answer
    QString tag;
    std::shared_ptr<const SnmpOidText> oid;
    bool next = false; ///< GETNEXT rather than GET
    bool solo = false; ///< must travel alone (its PDU failed in a way that named no variable)
};
