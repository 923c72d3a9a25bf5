// Every module file in the folders the database reads must load: net-snmp's parser skips a module
// it cannot parse, or whose imports it cannot follow, without a word.
#include "mib_database.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(MibModules, EveryModuleFileLoads)
{
    static const QRegularExpression comment(QStringLiteral("--[^\\n]*"));
    static const QRegularExpression header(
        QStringLiteral("^\\s*([A-Za-z][A-Za-z0-9-]*)\\s+DEFINITIONS\\s*::="));
    static const QRegularExpression first(
        QStringLiteral("(?:^|\\n)\\s*([a-z][A-Za-z0-9-]*)\\s+(MODULE-IDENTITY|OBJECT-TYPE)"));
    QStringList modules;
    QStringList unloaded;
    for (const QString& folder : MibDatabase::defaultFolders()) {
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
            QFile file(entry.filePath());
            const QString text = file.open(QIODevice::ReadOnly)
                                     ? QString::fromUtf8(file.readAll()).remove(comment)
                                     : QString();
            const QRegularExpressionMatch module = header.match(text);
            const QRegularExpressionMatch object = first.match(text);
            if (!module.hasMatch() || !object.hasMatch())
                continue; // not a module, or macros and conventions only
            modules << module.captured(1);
            // A skipped module leaves its first definition unknown under the module's name.
            const OIDInfo info =
                MibDatabase::instance().lookup(module.captured(1) + ':' + object.captured(1));
            if (info.moduleName != module.captured(1) || info.dottedOID.isEmpty())
                unloaded << entry.filePath() + ": " + object.captured(1);
        }
    }
    // Our base set and the net-snmp modules Debian ships must both be there.
    for (const char* name :
         {"SNMPv2-MIB", "IF-MIB", "HOST-RESOURCES-MIB", "OLD-CISCO-CPU-MIB", "UCD-SNMP-MIB"})
        EXPECT_TRUE(modules.contains(QLatin1String(name))) << name;
    EXPECT_GE(modules.size(), 20);
    EXPECT_TRUE(unloaded.isEmpty()) << unloaded.join('\n').toStdString();
}
