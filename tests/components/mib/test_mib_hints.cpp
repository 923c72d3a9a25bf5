#include "mib_database.h"
#include "mib_hints.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A hint as the line of a hints file that would give it.
static QString line(const MibHint& hint)
{
    return QStringList{hint.calculationHint, hint.unitChoices, hint.indexByName, hint.defaultIndex}.join('|');
}

TEST(MibHints, ParsesLinesAndMergesFieldByField)
{
    MibHints hints;
    hints.loadText("# comment\n\n"
                   "ifInOctets | COUNTER32 | Bps,bps=*8 | IF-MIB:ifDescr |\n"
                   "  HOST-RESOURCES-MIB::hrProcessorLoad|GAUGE32|%\n"
                   "| orphan | fields\n");
    ASSERT_EQ(hints.entries().size(), 2);
    EXPECT_EQ(line(hints.entries().value("ifInOctets")), "COUNTER32|Bps,bps=*8|IF-MIB:ifDescr|");
    EXPECT_EQ(line(hints.entries().value("HOST-RESOURCES-MIB:hrProcessorLoad")), "GAUGE32|%||");
    // A later file overrides only the fields it fills.
    hints.loadText("ifInOctets | | Mbps=*8/1000000 | | 1\n");
    EXPECT_EQ(line(hints.entries().value("ifInOctets")), "COUNTER32|Mbps=*8/1000000|IF-MIB:ifDescr|1");
    EXPECT_FALSE(hints.loadFile("/nonexistent/trendwick-hints.txt"));
}

TEST(MibHints, UserFolderComesFirst)
{
    // Given a user folder with its own module and a hints file that overrides a shipped hint,
    QTemporaryDir user;
    const std::pair<const char*, QByteArray> files[] = {
        {"TRENDWICK-TEST-MIB.txt",
         "TRENDWICK-TEST-MIB DEFINITIONS ::= BEGIN\n"
         "IMPORTS MODULE-IDENTITY, OBJECT-TYPE, Gauge32, enterprises FROM SNMPv2-SMI;\n"
         "twTest MODULE-IDENTITY LAST-UPDATED \"202601010000Z\" ORGANIZATION \"t\"\n"
         "    CONTACT-INFO \"t\" DESCRIPTION \"Test objects.\" ::= { enterprises 99997 }\n"
         "twTemperature OBJECT-TYPE SYNTAX Gauge32 UNITS \"degC\" MAX-ACCESS read-only\n"
         "    STATUS current DESCRIPTION \"A temperature.\" ::= { twTest 1 }\nEND\n"},
        {"trendwick-hints.txt", "ifInOctets | | Mbps=*8/1000000 |\ntwTemperature | | degF=*9/5+32,degC |\n"}};
    for (const auto& [name, text] : files) {
        QFile file(user.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    // when a database reads it before the shipped folders,
    const MibDatabase database(QStringList{user.path()} + MibDatabase::defaultFolders());
    // its hints win field by field and its module resolves.
    const OIDInfo octets = database.lookup("ifInOctets");
    EXPECT_EQ(octets.unitChoices + ' ' + octets.calculationHint, "Mbps=*8/1000000 COUNTER32");
    const OIDInfo temperature = database.lookup("TRENDWICK-TEST-MIB:twTemperature");
    EXPECT_EQ(QStringList({temperature.dottedOID, temperature.units, temperature.unitChoices,
                           temperature.calculationHint}),
              QStringList({"1.3.6.1.4.1.99997.1", "degC", "degF=*9/5+32,degC", "GAUGE32"}));
}
