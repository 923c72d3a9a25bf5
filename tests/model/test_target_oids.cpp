#include <fake_mib.h>

#include <ordered_xml.h>
#include <target_oids.h>

#include <clock.h>
#include <settings.h>

#include <QDomDocument>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <stdexcept>

class TargetOIDsTest : public ::testing::Test {
protected:
    TargetOID* AddCounter(const QString& host = "router")
    {
        return targets.Add(host, "127.0.0.1", "public", "ifInOctets", "1");
    }

    QStringList Keys() const
    {
        QStringList keys;
        for (const TargetOID* target : targets)
            keys.append(target->Key());
        return keys;
    }

    ManualClock clock;
    Settings settings;
    FakeMib mib = FakeMib().WithStandardObjects();
    TargetOIDs targets{clock, settings, mib.Resolver()};
    QSignalSpy added{&targets, &TargetOIDs::NewOID};
    QSignalSpy removed{&targets, &TargetOIDs::OIDRemoved};
    QSignalSpy refreshed{&targets, &TargetOIDs::Refresh};
};

TEST_F(TargetOIDsTest, AddConfiguresAndAnnouncesTheTarget)
{
    TargetOID* target = targets.Add("router", "10.1.1.1:1161", "secret", "ifInOctets", "7");
    ASSERT_NE(target, nullptr);
    // The MIB object's hint brings calculation and units; no colour is assigned yet.
    EXPECT_EQ(QStringList({target->Key(), target->IP(), target->Calculation(), target->UnitsAndConversion(),
                           QString::number(target->Color())}),
              QStringList({"O:1", "10.1.1.1:1161", "x per Second", "bps=*8", "-1"}));
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added.at(0).at(0).value<TargetOID*>(), target);
    // Rollover stays off until the graph applies the setting.
    settings.setAssumeCounterRollover(true);
    TargetOID* second = AddCounter();
    second->setConversion(QString());
    for (const double expected : {-20000.0, 296.0}) {
        second->RecordResponse(4294967000.0);
        clock.advanceSeconds(1);
        second->RecordResponse(0);
        EXPECT_DOUBLE_EQ(second->Value(), expected);
        targets.AssumeCounterRollover(true);
    }

    // A failed lookup adds and announces nothing.
    TargetOIDs failing{clock, settings,
                       [](const QString&) -> OIDDetails { throw std::runtime_error("no MIB"); }};
    QSignalSpy announced{&failing, &TargetOIDs::NewOID};
    EXPECT_THROW(failing.Add("h", "127.0.0.1", "public", "nothing", ""), std::runtime_error);
    EXPECT_EQ(failing.Count() + announced.count(), 0);
}

TEST_F(TargetOIDsTest, IndexAndRemoveByKeyOrPositionKeysNeverReused)
{
    TargetOID* first = AddCounter("a");
    TargetOID* second = AddCounter("b");
    AddCounter("c");
    EXPECT_TRUE(targets.Index(1) == first && targets.Index(1.6) == second && targets.Index("O:2") == second);
    EXPECT_EQ(targets.Index("1"), nullptr) << "a text is always a key";
    for (const QVariant& unknown : {QVariant(QStringLiteral("O:99")), QVariant(0), QVariant(4), QVariant()})
        EXPECT_EQ(targets.Index(unknown), nullptr) << qPrintable(unknown.toString());
    EXPECT_TRUE(targets.FindKey("O:1") == first && targets.At(1) == second);
    // Removal is announced while the target is still alive; unknown keys raise nothing.
    QString seen;
    QObject::connect(&targets, &TargetOIDs::OIDRemoved,
                     [&seen](TargetOID* target) { seen += target->Key() + target->Hostname(); });
    targets.Remove(2);
    targets.Remove("O:1");
    EXPECT_EQ(seen, "O:2bO:1a");
    targets.Remove("O:1");
    targets.Remove(5);
    AddCounter();
    EXPECT_EQ(Keys(), QStringList({"O:3", "O:4"})) << "keys are never reused";
    // Clear raises only Refresh, and numbering goes on.
    targets.Clear();
    EXPECT_EQ(QList<int>({int(refreshed.count()), int(removed.count()), targets.Count()}),
              QList<int>({1, 2, 0}));
    AddCounter();
    EXPECT_EQ(Keys(), QStringList({"O:5"}));
}

TEST_F(TargetOIDsTest, ReadingADefinitionReplacesTheTargetsAndNumbersOn)
{
    // Given a collection that has handed out O:1..O:3 and holds two targets,
    AddCounter("a");
    AddCounter("b");
    AddCounter("c");
    targets.Remove("O:3");
    QDomDocument document;
    QDomElement root = document.createElement("Trendwick");
    document.appendChild(root);
    targets.WriteXML(document, root);
    const QString text = OrderedXMLText(document, ModelXMLAttributeOrder());
    // when a definition with three targets (any element name) is read,
    QDomDocument parsed;
    ASSERT_TRUE(
        parsed.setContent(QString(text).replace("</TargetOIDs>", "<Other Hostname=\"c\"/></TargetOIDs>")));
    const int announcedBefore = added.count();
    targets.ReadXML(parsed.documentElement().firstChildElement());
    // then the old ones are gone, the new ones number on, and only Refresh was raised.
    EXPECT_EQ(Keys(), QStringList({"O:4", "O:5", "O:6"}));
    EXPECT_EQ(targets.At(2)->Hostname(), "c");
    EXPECT_EQ(QList<int>({int(added.count()), int(refreshed.count()), int(removed.count())}),
              QList<int>({announcedBefore, 1, 1}));
}
