#pragma once

#include <add_mib_validator.h>
#include <target_oid.h>

#include <QObject>
#include <QString>
#include <functional>

class Prompter;
class Settings;
class SNMPSession;
class TargetOIDs;

/// What a graph window is asked to add: a host, a community and a MIB object, optionally with
/// its table index and the target's instance, calculation and host name.
struct GraphMIBRequest {
    QString Target;
    QString Community;
    QString MIB;
    QString Index;
    QString Instance;
    QString Calculation;
    QString Hostname;
};

/// Lets the user pick rows of a table column; the chooser adds the chosen rows to the graph
/// itself. Arguments: target, IP, community, MIB, unit choices, calculation.
using IndexSelector = std::function<void(const QString&, const QString&, const QString&, const QString&,
                                         const QString&, const QString&)>;

/// The decisions of a graph window's GraphMIB: checks the request and probes the device through
/// the window's blocking session (the Add OID dialog's checks), then adds the target or hands a
/// table column to the index chooser. Every problem is told through the prompter; nothing is
/// added then.
class GraphMIBCommand : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Rejected,        ///< a message was shown; the graph is unchanged
        IndexesSelected, ///< the index chooser ran (and added what the user chose)
        TargetAdded,     ///< one target was added; the caller resets the graph
    };

    /// The session's Response signal is followed from now on so the probe can read which OID
    /// the device answered (other users of the session see the same OID property).
    GraphMIBCommand(SNMPSession& session, Prompter& prompter, const Settings& settings,
                    OIDResolver resolver = MibDatabaseResolver(), QObject* parent = nullptr);

    Outcome Run(const GraphMIBRequest& request, TargetOIDs& targets, const IndexSelector& selectIndexes);

private:
    void Reject(const QString& text);

    Prompter& m_prompter;
    AddMibValidator m_validator;
};
