#pragma once

#include "snmp_answer.h"
#include "snmp_text.h"

#include <QString>
#include <memory>

/// A requested OID read once from the caller's text and shared by every request for it.
struct SnmpOidText {
    SnmpOid name;
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
