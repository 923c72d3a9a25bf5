#pragma once

#include "add_mib_validator.h"

#include <oid_details.h>
#include <target_oid.h>

#include <QString>
#include <QStringList>
#include <functional>

class Prompter;
class Settings;
class SNMPSession;
class TargetOIDs;

/// Every decision of the Add OID dialog, kept apart from its widgets: what the fields are filled
/// with, what the units and calculation lists offer for an object, the checks and the probe of
/// the agent when OK is pressed (through AddMibValidator), and what is added to the graph afterwards.
class AddMibLogic {
public:
    using Field = AddMibValidator::Field;

    /// The dialog's field texts.
    struct Entries {
        QString host;
        QString community;
        QString mib;
        QString units; ///< a unit choice, possibly "units=conversion"
        QString calculation;
    };

    /// What the fields and lists start with for a graph's targets.
    struct Filling {
        QStringList communities;  ///< added to the community list, in order
        QStringList mibs;         ///< the default names, then the targets' full names
        bool fromTargets = false; ///< false: the fields keep what their histories restored
        QString host;
        QString community;
        QString mib;
    };

    /// What the lists below the MIB field offer for one object.
    struct MibChoices {
        QString dottedOID;       ///< for the details display
        QStringList unitEntries; ///< the object's unit choices, the last is the default
        QString units;           ///< the chosen entry, "" when there are none
        QStringList calculations;
        QString calculation;
    };

    /// The outcome of pressing OK.
    struct Outcome {
        bool accepted = false;
        Field focus = Field::None; ///< where the focus goes after a failure
    };

    /// What the opener does once the dialog has closed.
    enum class AfterClose { Nothing, AddTarget, SelectIndexes };

    /// session is the lent one; pollInterval (seconds) decides whether "x per Minute" is offered.
    AddMibLogic(Prompter& prompter, SNMPSession& session, const Settings& settings, qint32 pollInterval,
                OIDResolver resolver = MibDatabaseResolver());
    ~AddMibLogic();
    AddMibLogic(const AddMibLogic&) = delete;
    AddMibLogic& operator=(const AddMibLogic&) = delete;

    /// The eight names every MIB list starts with.
    static QStringList DefaultMibNames();
    static Filling FillFrom(const TargetOIDs& targets);
    /// "No Calculations", "x per Second", and "x per Minute" above 120 seconds.
    static QStringList CalculationChoices(qint32 pollInterval);
    /// The unit name an entry shows ("bps" of "bps=*8").
    static QString UnitName(const QString& entry);
    /// The entry of a units text: the first entry whose name it is, else the text itself.
    static QString UnitEntryFor(const QString& text, const QStringList& entries);

    /// The MIB field changed: looks the object up and says what the lists offer.
    MibChoices MibChanged(const QString& mib);

    /// Checks and probes in order; writes the trimmed texts back into entries. Messages go
    /// through the prompter and the panel; on success Cancelled() turns false.
    Outcome Accept(Entries& entries);
    /// The message panel: shown with a text while OK works, hidden at the end.
    std::function<void(const QString& text)> showMessage;
    std::function<void()> hideMessage;
    /// The checks and the probe behind OK.
    AddMibValidator& Validator() { return m_validator; }

    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }
    bool IsTable() const { return m_isTable; }
    /// The address the probe used (the host itself when it was an address).
    QString IP() const { return m_validator.IP(); }
    const OIDDetails& Details() const { return m_details; }

    AfterClose NextStep() const;
    /// Adds the scalar object of entries with index "0", its units and calculation; returns it.
    TargetOID* AddTarget(TargetOIDs& targets, const Entries& entries) const;

private:
    Outcome Fail(const AddMibValidator::Failure& failure);
    void Show(const QString& text);

    Prompter& m_prompter;
    qint32 m_pollInterval;
    OIDResolver m_resolver;
    AddMibValidator m_validator;
    OIDDetails m_details{OIDInfo{}};
    bool m_cancelled = true;
    bool m_isTable = false;
};
