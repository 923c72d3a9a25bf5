#pragma once

#include "keyed_list.h"
#include "y_axis.h"

#include <QObject>
#include <QVariant>
#include <memory>

class QDomDocument;
class QDomElement;
class QDomNode;
class TargetOID;

/// The Y axes of one graph, keyed "A:" and the axis index, and the rule that groups targets onto
/// them: one axis per exact pair of units and calculation. A rebuild keeps the previous axes aside
/// so that colours, plotting methods and fixed scales carry over to the new axis of the same label.
class YAxises : public QObject {
    Q_OBJECT
public:
    using const_iterator = KeyedList<YAxis>::const_iterator;

    explicit YAxises(QObject* parent = nullptr);
    ~YAxises() override;

    // Published members.
    /// A text is a key, a number a 1-based position; nullptr when nothing matches.
    YAxis* Item(const QVariant& key) const { return m_axes.Item(key); }
    qint32 Count() const { return m_axes.Count(); }
    const_iterator begin() const { return m_axes.begin(); }
    const_iterator end() const { return m_axes.end(); }

    // For the program's own use.
    YAxis* At(int position) const { return m_axes.At(position); }
    /// The first axis with the target's units and calculation (exact), or a new one at the end.
    YAxis* AssignAxis(TargetOID* target);
    /// Empties the axes; with keepPrevious they become the previous set for RestoreAxisSettings.
    void ClearAxes(bool keepPrevious);
    /// Copies colour, plotting method and fixed scale from the previous axis of the same label
    /// (trimmed, any case; the last such wins) into each axis, then drops the previous set.
    void RestoreAxisSettings();
    void Remove(const QVariant& key);
    void WriteXML(QDomDocument& document, QDomNode& parent) const;
    /// Replaces the axes by those of the element; they carry settings only, no targets.
    void ReadXML(const QDomElement& element);

private:
    KeyedList<YAxis> m_axes;
    KeyedList<YAxis> m_previous;
};
