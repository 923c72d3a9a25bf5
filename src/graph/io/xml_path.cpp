#include "xml_path.h"

#include <ordered_xml.h>

#include <QDomDocument>
#include <QStringList>

QDomNode SelectSingleNode(const QDomDocument& document, const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QDomNode();
    const QStringList steps = path.mid(1).split(QLatin1Char('/'));
    QDomElement element = document.documentElement();
    if (element.isNull() || steps.first() != element.tagName())
        return QDomNode();
    for (int i = 1; i < steps.size(); ++i) {
        const QString& step = steps.at(i);
        if (step.startsWith(QLatin1Char('@'))) {
            if (i != steps.size() - 1)
                return QDomNode();
            // The exact spelling wins; among other spellings the alphabetically first, so that a
            // file carrying several is always read the same way.
            const QString name = step.mid(1);
            if (element.hasAttribute(name))
                return element.attributeNode(name);
            for (const QDomAttr& attribute : AttributesInOrder(element, QStringList())) {
                if (attribute.name().compare(name, Qt::CaseInsensitive) == 0)
                    return attribute;
            }
            return QDomNode();
        }
        if (step.isEmpty())
            return QDomNode();
        element = element.firstChildElement(step);
        if (element.isNull())
            return QDomNode();
    }
    return element;
}

QDomElement SelectElement(const QDomDocument& document, const QString& path)
{
    return SelectSingleNode(document, path).toElement();
}
