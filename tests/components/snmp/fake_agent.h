#pragma once

#include <QList>
#include <QString>
#include <memory>

class QSocketNotifier;

/// A misbehaving agent on a loopback port, for what a real snmpd never does. It answers every
/// GET or GET-NEXT with the request's own variables (NULL values), changed as its mode says.
class FakeAgent final {
public:
    enum class Mode {
        Echo,         ///< a well-formed reply
        RenameFirst,  ///< the first variable's name is changed
        SwapFirstTwo, ///< the first two variables trade places
        TooBig,       ///< tooBig for any PDU with more than maxVariables variables, else Echo
    };

    explicit FakeAgent(Mode mode, int maxVariables = 0);
    ~FakeAgent();
    FakeAgent(const FakeAgent&) = delete;
    FakeAgent& operator=(const FakeAgent&) = delete;

    QString address() const;
    /// Number of variables in each request PDU received, in order of arrival.
    const QList<int>& requestSizes() const { return m_requestSizes; }

private:
    void answer();

    Mode m_mode;
    int m_maxVariables;
    int m_fd = -1;
    quint16 m_port = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<int> m_requestSizes;
};
