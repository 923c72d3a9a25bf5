#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QDomAttr;
class QDomElement;
class QDomNode;

// QDomDocument keeps attributes in a hash: it neither serialises nor enumerates them in the order
// they were added. Definition files fix the attribute order of every element, so writing goes
// through OrderedXMLText with the order of each element name, and reading visits attributes in
// that same order (settings that depend on each other, such as an axis's fixed scale, then
// come out as they would from a file read front to back).

/// Attribute names by element name, in writing order.
using XMLAttributeOrder = QHash<QString, QStringList>;

/// The orders of the elements "TargetOID", "Axis" and "ChartStyle".
XMLAttributeOrder ModelXMLAttributeOrder();

/// Text of node and everything below it (no XML declaration). Each element's attributes come in
/// the order listed for its name, matched without regard to case; attributes not listed follow
/// in alphabetical order. indent < 0 writes everything on one line.
QString OrderedXMLText(const QDomNode& node, const XMLAttributeOrder& order, int indent = -1);

/// The element's attributes, those named in order first (matched without regard to case), then
/// the rest alphabetically.
QList<QDomAttr> AttributesInOrder(const QDomElement& element, const QStringList& order);
