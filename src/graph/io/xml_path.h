#pragma once

#include <QDomNode>
#include <QString>

/// The single node a simple absolute path names in document: "/A/B/C" selects the first element
/// C under the first B under the root element A (element names match exactly, as XML has them);
/// a last step "@name" selects that attribute of the element, its name matched without regard to
/// case, as every attribute of a definition is. A null node when any step finds nothing or the
/// path has another form.
QDomNode SelectSingleNode(const QDomDocument& document, const QString& path);

/// SelectSingleNode as an element; null when the path names none.
QDomElement SelectElement(const QDomDocument& document, const QString& path);
