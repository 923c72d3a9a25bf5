// net-snmp's parser does not complain when an imported symbol is missing from the module
// named in IMPORTS (a textual convention then silently loses its name), so the imports of
// every module we load are checked here against the text of the modules they name.
#include "mib_database.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

struct ModuleText {
    QString path;
    QString text; // comments removed
};

// Module name -> text, the first folder holding a module winning, as in the database.
static QMap<QString, ModuleText> modulesIn(const QStringList& folders)
{
    static const QRegularExpression comment(QStringLiteral("--[^\\n]*"));
    static const QRegularExpression header(
        QStringLiteral("^\\s*([A-Za-z][A-Za-z0-9-]*)\\s+DEFINITIONS\\s*::="));
    QMap<QString, ModuleText> modules;
    for (const QString& folder : folders) {
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
            QFile file(entry.filePath());
            const QString text = file.open(QIODevice::ReadOnly)
                                     ? QString::fromUtf8(file.readAll()).remove(comment)
                                     : QString();
            const QRegularExpressionMatch m = header.match(text);
            if (m.hasMatch() && !modules.contains(m.captured(1)))
                modules.insert(m.captured(1), {entry.filePath(), text});
        }
    }
    return modules;
}

// (symbol, module) pairs of a module's IMPORTS clause.
static QList<QPair<QString, QString>> importsOf(const QString& text)
{
    static const QRegularExpression clause(QStringLiteral("\\bIMPORTS\\b(.*?);"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QList<QPair<QString, QString>> imports;
    QStringList pending;
    const QStringList words = clause.match(text).captured(1).split(
        QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    for (int i = 0; i < words.size(); ++i) {
        if (words[i] != QLatin1String("FROM") || i + 1 == words.size()) {
            pending << words[i];
            continue;
        }
        const QString from = words[++i];
        for (const QString& symbol : std::as_const(pending))
            imports.append({symbol, from});
        pending.clear();
    }
    return imports;
}

static bool defines(const QString& text, const QString& symbol)
{
    const QRegularExpression definition(
        QStringLiteral("(^|\\n)\\s*%1\\s+(OBJECT IDENTIFIER|OBJECT-TYPE|OBJECT-IDENTITY|MODULE-IDENTITY|"
                       "NOTIFICATION-TYPE|OBJECT-GROUP|NOTIFICATION-GROUP|MODULE-COMPLIANCE|"
                       "AGENT-CAPABILITIES|TRAP-TYPE|MACRO|::=)")
            .arg(QRegularExpression::escape(symbol)));
    return definition.match(text).hasMatch();
}

TEST(MibModules, EveryModuleLoadsAndEveryImportResolves)
{
    const QMap<QString, ModuleText> modules = modulesIn(MibDatabase::defaultFolders());
    // Our base set and the net-snmp modules Debian ships must both be there.
    for (const char* name : {"SNMPv2-SMI", "SNMPv2-TC", "IF-MIB", "HOST-RESOURCES-MIB", "UCD-SNMP-MIB"})
        EXPECT_TRUE(modules.contains(QLatin1String(name))) << name;

    // A module that failed to parse, or whose imports net-snmp could not follow, leaves its first
    // definition unknown under the module's name.
    static const QRegularExpression first(
        QStringLiteral("(?:^|\\n)\\s*([a-z][A-Za-z0-9-]*)\\s+(MODULE-IDENTITY|OBJECT-TYPE)"));
    QStringList unresolved;
    int checked = 0;
    int loaded = 0;
    for (auto it = modules.cbegin(); it != modules.cend(); ++it) {
        for (const auto& [symbol, from] : importsOf(it->text)) {
            ++checked;
            if (!modules.contains(from) || !defines(modules[from].text, symbol))
                unresolved << QStringLiteral("%1: %2 not found in %3").arg(it.key(), symbol, from);
        }
        const QRegularExpressionMatch m = first.match(it->text);
        if (!m.hasMatch())
            continue; // macros or conventions only
        const OIDInfo info = MibDatabase::instance().lookup(it.key() + ':' + m.captured(1));
        if (info.moduleName != it.key() || info.dottedOID.isEmpty())
            unresolved << QStringLiteral("%1: %2 not loaded").arg(it->path, m.captured(1));
        ++loaded;
    }
    EXPECT_GT(checked, 100);
    EXPECT_GE(loaded, 20);
    EXPECT_TRUE(unresolved.isEmpty()) << unresolved.join('\n').toStdString();
    // The check itself notices a symbol a module does not define.
    EXPECT_FALSE(defines(modules["SNMPv2-TC"].text, "NoSuchTC"));
}
