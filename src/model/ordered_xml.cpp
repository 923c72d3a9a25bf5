#include "ordered_xml.h"

#include "chart_style.h"
#include "target_oid.h"
#include "y_axis.h"

#include <QDomDocument>
#include <QXmlStreamWriter>
#include <algorithm>

static int RankOf(const QString& name, const QStringList& order)
{
    for (int i = 0; i < order.size(); ++i) {
        if (order.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return int(order.size());
}

static void WriteNode(QXmlStreamWriter& writer, const QDomNode& node, const XMLAttributeOrder& order)
{
    if (node.isElement()) {
        const QDomElement element = node.toElement();
        writer.writeStartElement(element.tagName());
        for (const QDomAttr& attribute : AttributesInOrder(element, order.value(element.tagName())))
            writer.writeAttribute(attribute.name(), attribute.value());
        for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            WriteNode(writer, child, order);
        writer.writeEndElement();
    } else if (node.isCDATASection()) {
        writer.writeCDATA(node.nodeValue());
    } else if (node.isText()) {
        writer.writeCharacters(node.nodeValue());
    } else if (node.isComment()) {
        writer.writeComment(node.nodeValue());
    } else if (node.isDocument() || node.isDocumentFragment()) {
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
            WriteNode(writer, child, order);
    }
}

XMLAttributeOrder ModelXMLAttributeOrder()
{
    XMLAttributeOrder order;
    order.insert(QStringLiteral("TargetOID"), TargetOID::XMLAttributeNames());
    order.insert(QStringLiteral("Axis"), YAxis::XMLAttributeNames());
    order.insert(QStringLiteral("ChartStyle"), ChartStyle::XMLAttributeNames());
    return order;
}

QString OrderedXMLText(const QDomNode& node, const XMLAttributeOrder& order, int indent)
{
    QString text;
    QXmlStreamWriter writer(&text);
    if (indent >= 0) {
        writer.setAutoFormatting(true);
        writer.setAutoFormattingIndent(indent);
    }
    WriteNode(writer, node, order);
    return text;
}

QList<QDomAttr> AttributesInOrder(const QDomElement& element, const QStringList& order)
{
    const QDomNamedNodeMap map = element.attributes();
    QList<QDomAttr> attributes;
    attributes.reserve(map.count());
    for (int i = 0; i < map.count(); ++i)
        attributes.append(map.item(i).toAttr());
    std::sort(attributes.begin(), attributes.end(), [&order](const QDomAttr& a, const QDomAttr& b) {
        const int rankA = RankOf(a.name(), order);
        const int rankB = RankOf(b.name(), order);
        if (rankA != rankB)
            return rankA < rankB;
        return a.name() < b.name();
    });
    return attributes;
}
