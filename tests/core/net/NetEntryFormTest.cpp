// The entry form of a shared log: a contact typed the person's way goes with its
// identity, and a new own section typed in "Mio codice sezione" goes to the other
// positions as the station summary does.

#include "../EntryFormFixture.h"
#include "net/NetSession.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {
class NetEntryForm : public EntryFormFixture {};
}  // namespace

TEST_F(NetEntryForm, ATypedContactAndANewOwnSectionBecomeEventsOfTheSharedLog) {
    Start();
    NetSession net(*session);
    settings.SetNet("nats://127.0.0.1:1", "ARI2021", "RUN");  // nothing listens there
    ASSERT_TRUE(net.Start(*NetConfig::FromSettings(settings), {}));

    TypeContact("I1AAA", "5678");
    ASSERT_EQ(Log().RowCount(), 1u);
    EXPECT_EQ(net.PositionOfRow(0), "RUN");
    ASSERT_EQ(net.Core().Pending().size(), 1u);
    const NetEvent& add = net.Core().Pending().back();
    EXPECT_EQ(add.kind, NetEventKind::Add);
    EXPECT_EQ(add.entry.Text(), Log().Identity(0));
    EXPECT_EQ(add.fields[4], "I1AAA");
    EXPECT_NE(JournalBytes().find("^5678^" + std::string(Log().Identity(0)) + "^\r\n"), std::string::npos);

    for (const char* typed : {"0130", "0130", "9999"}) {
        Focus(EntryField::OwnSection);
        Type(EntryField::OwnSection, typed);
        Focus(EntryField::Callsign);
    }
    // One summary: the first leaving changed the own section, the second did not, the
    // third was refused.
    ASSERT_EQ(net.Core().Pending().size(), 2u);
    EXPECT_EQ(net.Core().Pending().back().kind, NetEventKind::Summary);
    EXPECT_EQ(net.Core().Pending().back().station.ownSection, "0130");
    net.Stop();
}
