// A position of a shared log with no server to reach: it keeps working, keeps what it
// must send in its outbox, and a restart finds everything again.

#include <gtest/gtest.h>

#include "NetPosition.h"
#include "net/EventFile.h"
#include "net/NetTexts.h"

using namespace tarnex;
using namespace tarnex::testing;
using namespace std::chrono_literals;

namespace {

// Nothing listens on port 1 of the loopback address: every connection is refused.
constexpr const char* kNoServer = "nats://127.0.0.1:1";

std::vector<std::string> Identities(ContestLog& log) {
    std::vector<std::string> ids;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        ids.emplace_back(log.Identity(row));
    }
    return ids;
}

}  // namespace

TEST(NetSessionOffline, ContactsAreLoggedKeptInTheOutboxAndFoundAgainAfterARestart) {
    NetScratch scratch;
    std::string journal;
    std::vector<std::string> ids;
    {
        NetPosition run(scratch.Folder());
        ASSERT_TRUE(run.Start(kNoServer, "ARI2021", "RUN"));
        run.AddQso("I1AAA");
        run.AddQso("I1BBB", "1201");
        ASSERT_TRUE(run.PollUntil(
            [&] { return run.net->Status().reason.find("Nessun server") != std::string::npos; }));
        EXPECT_EQ(run.net->Status().text, "Rete: non collegata, 2 QSO da inviare");
        EXPECT_FALSE(run.net->Status().online);
        ids = Identities(run.Log());
        ASSERT_EQ(ids.size(), 2u);
        for (const std::string& id : ids) {
            EXPECT_EQ(PositionOfIdentity(id), "RUN");
        }
        EXPECT_EQ(run.net->PositionOfRow(1), "RUN");
        // The journal holds the contacts with their identities, the outbox their events.
        journal = run.Journal();
        EXPECT_NE(journal.find("12.06.2021^1200^14^CW^I1AAA^599^0130^599^1234^" + ids[0] + "^\r\n"),
                  std::string::npos);
        EventFile outbox(scratch.Folder() + "rete/ARI2021/coda.evt");
        std::optional<EventFile::Loaded> queued = outbox.Load();
        ASSERT_TRUE(queued && queued->events.size() == 2);
        EXPECT_EQ(DecodeNetEvent(queued->events[1].bytes)->entry.Text(), ids[1]);
    }
    // A restart: the same rows, the same identities, still two to send; the journal is
    // not rewritten when it already holds the shared log.
    NetPosition again(scratch.Folder());
    ASSERT_TRUE(again.Start(kNoServer, "ARI2021", "RUN"));
    EXPECT_EQ(Identities(again.Log()), ids);
    EXPECT_EQ(again.net->Status().unsent, 2u);
    EXPECT_EQ(again.Journal(), journal);
    // The next number goes on from the last one used.
    again.AddQso("I1CCC");
    EXPECT_GT(EntryIdentity::Parse(again.Log().Identity(2))->number, EntryIdentity::Parse(ids[1])->number);
}

TEST(NetSessionOffline, ASingleComputerLogJoinsTheSharedLogWhenTheNetworkStarts) {
    NetScratch scratch;
    {
        NetPosition alone(scratch.Folder());
        alone.AddQso("I1AAA");
        alone.AddQso("I1BBB");
        EXPECT_EQ(alone.Log().Identity(0), "");
        EXPECT_EQ(alone.Journal().find("#"), std::string::npos);
    }
    NetPosition joined(scratch.Folder());
    ASSERT_TRUE(joined.Start(kNoServer, "ARI2021", "MULT"));
    ASSERT_EQ(joined.Log().RowCount(), 2u);
    EXPECT_EQ(joined.Log().Field(0, QsoCol::Callsign), "I1AAA");
    EXPECT_EQ(joined.net->PositionOfRow(0), "MULT");
    EXPECT_EQ(joined.net->Status().unsent, 2u);
    EXPECT_NE(joined.Journal().find("^" + std::string(joined.Log().Identity(1)) + "^\r\n"),
              std::string::npos);
    // Stopped, the session works alone again: a new row has no identity.
    joined.net->Stop();
    joined.AddQso("I1CCC");
    EXPECT_EQ(joined.Log().Identity(2), "");
    EXPECT_FALSE(joined.net->Status().on);
}

TEST(NetSessionOffline, SettingsThatCannotBeUsedAreToldAndChangeNothing) {
    NetScratch scratch;
    NetPosition position(scratch.Folder());
    position.AddQso("I1AAA");
    const std::string journal = position.Journal();
    position.settings.SetNet("", "ARI", "RUN");
    EXPECT_FALSE(NetConfig::FromSettings(position.settings).has_value())
        << "no server: a single-computer log";
    EXPECT_EQ(NetConfig::SplitServers(" nats://a:1 ,, b:2,"),
              (std::vector<std::string>{"nats://a:1", "b:2"}));
    struct Case {
        const char* log;
        const char* position;
        const char* reason;
    } cases[] = {
        {"ARI 2021", "RUN", "Nome del log non valido"},
        {"", "RUN", "Nome del log non valido"},
        {"ARI2021", "RUN.1", "Nome della postazione non valido"},
        {"ARI2021", "POSTAZIONE-LUNGA", "Nome della postazione non valido"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(position.Start(kNoServer, c.log, c.position));
        EXPECT_NE(position.net->Status().reason.find(c.reason), std::string::npos)
            << c.log << " " << c.position;
        EXPECT_FALSE(position.net->Running());
    }
    EXPECT_EQ(position.Journal(), journal);
    EXPECT_EQ(position.Log().Identity(0), "");
}

TEST(NetSessionOffline, EditsDeletesSortsAndTheSummaryGoToTheOutboxAndNewAndOpenAreRefused) {
    NetScratch scratch;
    NetPosition run(scratch.Folder());
    ASSERT_TRUE(run.Start(kNoServer, "ARI2021", "RUN"));
    run.AddQso("I1AAA", "1300");
    run.AddQso("I1BBB", "1200");
    run.AddQso("I1CCC", "1100");
    const std::string second(run.Log().Identity(1));
    run.Log().Replace(0, QsoRecord{"12.06.2021", "1300", "14", "CW", "I1AAX", "599", "599", "5678", "BETA"});
    run.session->EntryEdited(0);
    run.session->EntriesDeleting({1});
    run.Log().RemoveRows({1});
    run.session->RewriteJournal();
    run.Log().SortByDateTime();
    run.session->EntriesSorted();
    run.session->StationSummaryChanged();
    EXPECT_EQ(run.net->Status().unsent, 7u);
    ASSERT_EQ(run.Log().RowCount(), 2u);
    EXPECT_EQ(run.Log().Field(0, QsoCol::Callsign), "I1CCC");
    EXPECT_EQ(run.Log().Field(1, QsoCol::Callsign), "I1AAX");
    // What is shown is what the core makes of its events, and what a restart shows.
    const SharedLogView view = run.net->Core().View();
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[1].fields[4], "I1AAX");
    const std::string journal = run.Journal();
    EXPECT_EQ(journal.find(second), std::string::npos);

    run.session->New();
    run.session->Open();
    ASSERT_EQ(run.prompts.records.size(), 2u);
    EXPECT_EQ(run.prompts.records[0].text, net_texts::NoReplace("ARI2021"));
    EXPECT_EQ(run.Log().RowCount(), 2u);

    run.net->Stop();
    NetPosition again(scratch.Folder());
    ASSERT_TRUE(again.Start(kNoServer, "ARI2021", "RUN"));
    EXPECT_EQ(again.Journal(), journal);
    EXPECT_EQ(again.net->Status().unsent, 7u);
}
