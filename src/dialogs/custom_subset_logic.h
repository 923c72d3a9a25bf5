#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class Prompter;
class RTTrendwick;
class TargetOID;

/// Every decision of the series dialog, kept apart from its widgets: what the fields start with,
/// the colour choice (written at once) and what OK writes, in an order where the MIB object's
/// defaults are applied before the user's calculation and units replace them.
///
/// Graph and target are held weakly: a target removed or a graph closed while the dialog is open
/// turns every later step into nothing.
class CustomSubsetLogic {
public:
    /// The dialog's field texts.
    struct Fields {
        QString label;
        bool autoLabel = true;
        QString ip;
        QString community;
        QString mib;
        QString index;
        QString calculation; ///< "" when the list cannot show the target's calculation
        QString units;       ///< units, then "=" and the conversion when there is one
        qint32 color = 0;
    };

    CustomSubsetLogic(RTTrendwick& graph, TargetOID& target, Prompter& prompter);

    /// Both graph and target still exist.
    bool Valid() const;

    /// What the fields show for the target (empty fields when it is gone).
    Fields Fill() const;
    /// "No Calculations", "x per Second", and "x per Minute" when the graph polls less often
    /// than every 120 seconds.
    QStringList CalculationChoices() const;
    /// The target's object's unit choices, one entry each.
    QStringList UnitChoices() const;

    /// The colour picker, preset to the target's colour; the choice is the target's colour at
    /// once. Returns the colour now shown, or nothing after Cancel.
    std::optional<qint32> ChooseColor();

    /// OK: writes the fields to the target and resets the graph.
    void Apply(const Fields& fields);

private:
    QPointer<RTTrendwick> m_graph;
    QPointer<TargetOID> m_target;
    Prompter& m_prompter;
};
