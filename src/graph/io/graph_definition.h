#pragma once

#include <ordered_xml.h>

#include <QString>
#include <QStringList>

class GraphDefinitionHost;
class QDomDocument;

/// The graph definition file of one graph: writes everything that rebuilds the graph into an XML
/// document and reads it back into the host (the graph control). The control keeps one instance
/// and forwards its GetXML, SetXML, SaveXML, LoadXML, Filename and LastError members to it.
///
/// Documents QtXml does not accept: QDomDocument reports every parse failure through its result
/// (it never throws), so every text or file it rejects counts as a failure of SetXML or LoadXML:
/// false, LastError set, and nothing else changes (not even the chart is re-initialised).
/// So does a document nested deeper than 256 elements (a definition has three levels), which
/// QtXml would take minutes to build.
/// A document that parses but lacks the "Trendwick" root or one of its four elements is read
/// up to the missing element and still counts as loaded.
///
/// Text is written as UTF-8 without an XML declaration, two blanks of indent per level, each
/// element's attributes in the fixed order of AttributeOrder().
class GraphDefinition {
public:
    explicit GraphDefinition(GraphDefinitionHost& host);

    /// Appends the root "Trendwick" with "Settings", "ChartStyle", "Axes" and "TargetOIDs".
    void WriteGraphXML(QDomDocument& document) const;
    /// Re-initialises the chart, then axes, targets, titles, style and settings; lays out the
    /// table and resets the host. A missing element ends reading at its step, without error.
    void ReadGraphXML(const QDomDocument& document);

    /// The definition of the current graph as text.
    QString GetXML() const;
    /// Reads a definition from text. False (LastError = the parser's error text) when it does
    /// not parse; nothing changes then.
    bool SetXML(const QString& xml);
    /// Writes the definition to filename ("x" means the current Filename), which becomes the
    /// Filename even when writing fails. The file is replaced atomically: a failed save leaves
    /// the previous file as it was. False with LastError "Cannot Save Trendwick.\n<error>".
    bool SaveXML(const QString& filename = QStringLiteral("x"));
    /// Reads a definition file; Filename becomes filename on success. False with LastError
    /// "Cannot load Trendwick.\n\n<error>" when it cannot be read or parsed; nothing changes then.
    bool LoadXML(const QString& filename);

    QString Filename() const { return m_filename; }
    /// Stores the path without loading anything.
    void setFilename(const QString& filename) { m_filename = filename; }
    QString LastError() const { return m_lastError; }

    /// Attribute names of the "Settings" element in writing order.
    static const QStringList& SettingsAttributeNames();
    /// The attributes the control adds to "ChartStyle", in writing order.
    static const QStringList& ChartStyleExtraAttributeNames();
    /// The writing order of every element of a definition.
    static XMLAttributeOrder AttributeOrder();

private:
    void WriteSettings(QDomDocument& document, QDomNode& root) const;
    void ReadSettings(const QDomElement& settings);
    void ApplyChartStyleExtras(const QDomDocument& document);

    GraphDefinitionHost& m_host;
    QString m_filename;
    QString m_lastError;
};
