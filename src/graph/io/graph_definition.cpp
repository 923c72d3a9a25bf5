#include "graph_definition.h"

#include "file_writing.h"
#include "graph_definition_host.h"
#include "xml_path.h"

#include <chart_style.h>
#include <common_functions.h>
#include <settings.h>
#include <target_oids.h>
#include <xml_values.h>
#include <y_axises.h>

#include <QDomDocument>
#include <QFile>
#include <QXmlStreamReader>
#include <exception>
#include <optional>

static const QString kRoot = QStringLiteral("Trendwick");
static const QString kStylePath = QStringLiteral("/Trendwick/ChartStyle");

// A broken hand-edited settings store must not stop a graph from being saved: the option is left
// out, and loading the file then keeps whatever the store holds.
template <typename Getter>
static std::optional<QString> SettingText(Getter getter)
{
    try {
        return QString::number(getter());
    } catch (const TypeMismatchError&) {
        return std::nullopt;
    }
}

// A definition is three levels deep. QDomDocument takes time that grows faster than the depth
// (minutes for 100,000 nested elements), so a document nested deeper than this is refused before
// it is built; the stream reader's scan is linear.
static constexpr int kMaxNesting = 256;

template <typename Text>
static bool NestingWithinLimit(const Text& text, QString& error)
{
    QXmlStreamReader reader(text);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement && ++depth > kMaxNesting) {
            error = QStringLiteral("Elements nested deeper than %1 levels. (line %2, column %3)")
                        .arg(kMaxNesting)
                        .arg(reader.lineNumber())
                        .arg(reader.columnNumber());
            return false;
        }
    }
    return true; // other faults are the DOM parser's to report
}

// The parser's message with the place it stopped; QDomDocument never throws, its result says it all.
template <typename Text>
static bool ParseInto(QDomDocument& document, const Text& text, QString& error)
{
    if (!NestingWithinLimit(text, error))
        return false;
    QString message;
    int line = 0;
    int column = 0;
    if (document.setContent(text, &message, &line, &column))
        return true;
    error = QStringLiteral("%1 (line %2, column %3)").arg(message).arg(line).arg(column);
    return false;
}

GraphDefinition::GraphDefinition(GraphDefinitionHost& host) : m_host(host) {}

const QStringList& GraphDefinition::SettingsAttributeNames()
{
    static const QStringList names{QStringLiteral("LoggingEnabled"),
                                   QStringLiteral("LogFilename"),
                                   QStringLiteral("AutoPublishEnabled"),
                                   QStringLiteral("AutoPublishFilename"),
                                   QStringLiteral("AutoPublishInterval"),
                                   QStringLiteral("SNMPTimeout"),
                                   QStringLiteral("SNMPRetries"),
                                   QStringLiteral("PollInterval"),
                                   QStringLiteral("Columns")};
    return names;
}

const QStringList& GraphDefinition::ChartStyleExtraAttributeNames()
{
    static const QStringList names{QStringLiteral("MainTitle"), QStringLiteral("SubTitle"),
                                   QStringLiteral("Footer"), QStringLiteral("MIBListVisible")};
    return names;
}

XMLAttributeOrder GraphDefinition::AttributeOrder()
{
    XMLAttributeOrder order = ModelXMLAttributeOrder();
    order.insert(QStringLiteral("Settings"), SettingsAttributeNames());
    order[QStringLiteral("ChartStyle")].append(ChartStyleExtraAttributeNames());
    return order;
}

void GraphDefinition::WriteGraphXML(QDomDocument& document) const
{
    QDomElement root = document.createElement(kRoot);
    document.appendChild(root);
    WriteSettings(document, root);

    m_host.GraphChartStyle().WriteXML(document, root);
    QDomElement style = SelectElement(document, kStylePath);
    AddXMLAttribute(document, style, QStringLiteral("MainTitle"), m_host.MainTitle());
    AddXMLAttribute(document, style, QStringLiteral("SubTitle"), m_host.SubTitle());
    AddXMLAttribute(document, style, QStringLiteral("Footer"), m_host.Footer());
    AddXMLAttribute(document, style, QStringLiteral("MIBListVisible"), BoolToXML(m_host.MIBListVisible()));

    m_host.GraphYAxises().WriteXML(document, root);
    m_host.GraphTargetOIDs().WriteXML(document, root);
}

void GraphDefinition::WriteSettings(QDomDocument& document, QDomNode& root) const
{
    QDomElement element = AddXMLElement(document, root, QStringLiteral("Settings"), QString());
    auto add = [&](const char* name, const QString& value) {
        AddXMLAttribute(document, element, QLatin1String(name), value);
    };
    const Settings& settings = m_host.GraphSettings();

    add("LoggingEnabled", BoolToXML(m_host.LoggingEnabled()));
    if (m_host.LoggingEnabled())
        add("LogFilename", m_host.StoredLogFilename());
    add("AutoPublishEnabled", BoolToXML(m_host.AutoPublishEnabled()));
    if (m_host.AutoPublishEnabled()) {
        add("AutoPublishFilename", m_host.StoredAutoPublishFilename());
        add("AutoPublishInterval", QString::number(m_host.AutoPublishInterval()));
    }
    if (const auto timeout = SettingText([&] { return settings.SNMPTimeout(); }))
        add("SNMPTimeout", *timeout);
    if (const auto retries = SettingText([&] { return settings.SNMPRetries(); }))
        add("SNMPRetries", *retries);
    add("PollInterval", QString::number(m_host.PollInterval()));
    add("Columns", settings.Columns());
}

void GraphDefinition::ReadGraphXML(const QDomDocument& document)
{
    // A reader that fails (its element missing, or a MIB lookup that throws) ends reading at its
    // step without a report; what the earlier steps read stays.
    try {
        m_host.InitChart();

        const QDomElement axes = SelectElement(document, QStringLiteral("/Trendwick/Axes"));
        if (axes.isNull()) {
            m_host.GraphYAxises().ClearAxes(false);
            return;
        }
        m_host.GraphYAxises().ReadXML(axes);

        const QDomElement targets = SelectElement(document, QStringLiteral("/Trendwick/TargetOIDs"));
        if (targets.isNull()) {
            m_host.GraphTargetOIDs().Clear();
            return;
        }
        m_host.GraphTargetOIDs().ReadXML(targets);

        ApplyChartStyleExtras(document);

        const QDomElement style = SelectElement(document, kStylePath);
        if (style.isNull())
            return;
        m_host.GraphChartStyle().ReadXML(style);

        const QDomElement settings = SelectElement(document, QStringLiteral("/Trendwick/Settings"));
        if (settings.isNull())
            return;
        ReadSettings(settings);

        m_host.LayoutTableColumns();
        m_host.Reset();
    } catch (const std::exception&) {
    }
}

void GraphDefinition::ApplyChartStyleExtras(const QDomDocument& document)
{
    const auto attribute = [&document](const char* name) {
        return SelectSingleNode(document, kStylePath + QLatin1String("/@") + QLatin1String(name)).toAttr();
    };
    if (const QDomAttr visible = attribute("MIBListVisible"); !visible.isNull())
        m_host.setMIBListVisible(XMLToBool(visible.value()));
    if (const QDomAttr title = attribute("MainTitle"); !title.isNull())
        m_host.setMainTitle(title.value());
    if (const QDomAttr title = attribute("SubTitle"); !title.isNull())
        m_host.setSubTitle(title.value());
    if (const QDomAttr footer = attribute("Footer"); !footer.isNull())
        m_host.setFooter(footer.value());
}

// QDomDocument does not keep the document order of attributes; they are visited in writing order,
// which is what a file this program wrote has anyway.
void GraphDefinition::ReadSettings(const QDomElement& element)
{
    Settings& settings = m_host.GraphSettings();
    for (const QDomAttr& attribute : AttributesInOrder(element, SettingsAttributeNames())) {
        const QString name = attribute.name().toUpper();
        const QString value = attribute.value();
        if (name == QLatin1String("LOGGINGENABLED"))
            m_host.StoreLoggingEnabled(XMLToBool(value));
        else if (name == QLatin1String("LOGFILENAME"))
            m_host.StoreLogFilename(value);
        else if (name == QLatin1String("AUTOPUBLISHENABLED"))
            m_host.StoreAutoPublishEnabled(XMLToBool(value));
        else if (name == QLatin1String("AUTOPUBLISHFILENAME"))
            m_host.StoreAutoPublishFilename(value);
        else if (name == QLatin1String("AUTOPUBLISHINTERVAL"))
            m_host.setAutoPublishInterval(XMLInt16(value));
        else if (name == QLatin1String("SNMPTIMEOUT"))
            settings.setSNMPTimeout(XMLInt32(value));
        else if (name == QLatin1String("SNMPRETRIES"))
            settings.setSNMPRetries(XMLInt16(value));
        else if (name == QLatin1String("COLUMNS"))
            settings.setColumns(value);
        else if (name == QLatin1String("POLLINTERVAL"))
            m_host.setPollInterval(XMLInt32(value));
    }
}

QString GraphDefinition::GetXML() const
{
    QDomDocument document;
    WriteGraphXML(document);
    // The writer starts every element on a new line, the first one included.
    return OrderedXMLText(document, AttributeOrder(), 2).trimmed();
}

bool GraphDefinition::SetXML(const QString& xml)
{
    QDomDocument document;
    QString error;
    if (!ParseInto(document, xml, error)) {
        m_lastError = error;
        return false;
    }
    ReadGraphXML(document);
    return true;
}

bool GraphDefinition::SaveXML(const QString& filename)
{
    if (filename != QLatin1String("x"))
        m_filename = filename;
    const QByteArray data = GetXML().toUtf8() + '\n';

    // Written beside the target and renamed over it, so a failed save never leaves a half-written
    // definition in place of the good one.
    QString error;
    if (!ReplaceFile(m_filename, data, &error)) {
        m_lastError = QStringLiteral("Cannot Save Trendwick.\n") + error;
        return false;
    }
    return true;
}

bool GraphDefinition::LoadXML(const QString& filename)
{
    QDomDocument document;
    QString error;
    QFile file(filename);
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else
        ParseInto(document, file.readAll(), error);
    if (!error.isEmpty()) {
        m_lastError = QStringLiteral("Cannot load Trendwick.\n\n") + error;
        return false;
    }
    m_filename = filename;
    ReadGraphXML(document);
    return true;
}
