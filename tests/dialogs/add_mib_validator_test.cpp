#include "add_mib_validator.h"
#include "dialog_test_support.h"

#include <snmp_session.h>

namespace {

using Field = AddMibValidator::Field;
using Step = AddMibValidator::Step;

// What the checks say, as "field: message", or "ok" when they pass.
QString Said(const std::optional<AddMibValidator::Failure>& failure)
{
    return failure ? QStringLiteral("%1: %2").arg(int(failure->field)).arg(failure->message) : "ok";
}

class AddMibValidatorTest : public AgentTest {
protected:
    QString Verify(const QString& host, const QString& mib, const QString& community = "public")
    {
        steps.clear();
        return Said(validator.Verify(host, community, mib));
    }

    SNMPSession session;
    Settings settings;
    AgentTableMib mib;
    AddMibValidator validator{session, settings, mib.Resolver()};
    QList<Step> steps;
};

} // namespace

TEST(AddMibValidator, EmptyFieldsAreFoundInOrderAndAddressesNeedNoLookup)
{
    for (auto [host, community, mib, said] :
         {std::tuple{"", "c", "m", "1:"}, {"h", "", "", "2:"}, {"h", "c", "", "3:"}, {"h", "c", "m", "ok"}})
        EXPECT_EQ(Said(AddMibValidator::CheckEntries(host, community, mib)).left(2), said) << said;
    // Any UDP port may follow an address; a name, a bad port or a bad address needs the lookup.
    for (const char* address : {"127.0.0.1", "127.0.0.1:161", "10.0.0.1:40000", "10.0.0.1:65535"})
        EXPECT_TRUE(AddMibValidator::IsAddress(address)) << address;
    for (const char* other : {"localhost:161", "10.0.0.1:65536", "10.0.0.1:+5", "10.0.0:161", ":161"})
        EXPECT_FALSE(AddMibValidator::IsAddress(other)) << other;
}

TEST_F(AddMibValidatorTest, EveryStepCanFailAndScalarsAndColumnsAreTold)
{
    validator.progress = [this](Step step, const QString&) { steps.append(step); };
    const QString address = agent().address();
    EXPECT_EQ(Verify("no..such..host", "TEST:counter"),
              "1: Cannot resolve no..such..host to and IP address.");
    EXPECT_EQ(steps, QList<Step>{Step::ResolvingHost});
    EXPECT_EQ(Verify(address, "noSuchObject"), "3: noSuchObject is not a valid MIB/OID name.");
    EXPECT_EQ(steps, QList<Step>{Step::LookingUpMib}) << "an address is not looked up";
    // The agent ignores a community it does not know: no answer at all.
    EXPECT_EQ(Verify(address, "TEST:counter", "wrong"),
              "0: " + address + " does not respond to SNMP queries using \"wrong\"");
    mib.Add("TEST:missing", TestAgent::controlledOid("7.7"), "Gauge32"); // served by nobody
    EXPECT_EQ(Verify(address, "TEST:missing"), "0: " + address + " does not seem to support TEST:missing");

    // A name keeps its port across the lookup; a column answers with its first row.
    const QString named = QStringLiteral("localhost:%1").arg(agent().port());
    EXPECT_EQ(Verify(named, "TEST:counter"), "ok");
    EXPECT_EQ(steps, QList<Step>({Step::ResolvingHost, Step::LookingUpMib, Step::Probing}));
    EXPECT_EQ(validator.IP(), address);
    EXPECT_EQ(validator.Instance(), "1");
    EXPECT_EQ(validator.Details().DottedOID(), TestAgent::tableColumnOid(TestAgent::TABLE_COUNTER));

    // The real database: the name must resolve as a user would type it.
    AddMibValidator real(session, settings);
    ASSERT_EQ(Said(real.Verify(address, "public", "sysUpTime")), "ok");
    EXPECT_EQ(real.Instance(), "0");

    // A port nobody listens on may refuse rather than stay silent; it reads the same.
    TestAgent stopped;
    ASSERT_TRUE(stopped.start());
    stopped.stop();
    EXPECT_EQ(Verify(stopped.address(), "TEST:counter"),
              "0: " + stopped.address() + " does not respond to SNMP queries using \"public\"");
}
