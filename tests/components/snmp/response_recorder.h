#pragma once

#include "snmp_session.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QTest>
#include <qt_print.h>

struct RecordedResponse {
    QString address;
    QString oid;
    qint32 code = 0;
    QString value;
    QString tag;
    QString type;
    qint32 status = 0; ///< ResponseStatus() while the signal was being handled
};

/// Collects every Response of a session, also keyed by tag (the last one per tag).
class ResponseRecorder {
public:
    explicit ResponseRecorder(SNMPSession& session)
    {
        QObject::connect(
            &session, &SNMPSession::Response, &m_context,
            [this, &session](const QString& address, const QString& oid, qint32 code, const QString& value,
                             const QString& tag, const QString& type) {
                answers.push_back({address, oid, code, value, tag, type, session.ResponseStatus()});
                byTag.insert(tag, answers.back());
            });
    }
    bool waitFor(int count, int timeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return answers.size() >= count; }, timeoutMs);
    }

    QList<RecordedResponse> answers;
    QHash<QString, RecordedResponse> byTag;

private:
    QObject m_context;
};
