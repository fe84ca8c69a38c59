// Several positions, one log, over a real nats-server on the loopback address.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <random>
#include <set>

#include "NatsServer.h"
#include "NetPosition.h"
#include "export/CabrilloExport.h"
#include "nats/nats.h"
#include "net/SharedLogAdmin.h"
#include "score/ScoreComputation.h"
#include "util/FileIo.h"

using namespace tarnex;
using namespace tarnex::testing;
using namespace std::chrono_literals;

namespace {

class SharedLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (NatsServerProgram().empty()) {
            GTEST_SKIP() << "no nats-server (scripts/install-deps.sh installs it)";
        }
    }
    NatsServer& Server() {
        if (!server_) {
            server_ = std::make_unique<NatsServer>("s1", scratch_.Sub("store"));
            EXPECT_TRUE(server_->Start());
        }
        return *server_;
    }
    void CreateLog(const std::string& log, int replicas = 1) {
        SharedLogAnswer made = CreateSharedLog({Server().Url()}, log, replicas);
        ASSERT_TRUE(made.ok) << made.error;
    }
    std::unique_ptr<NetPosition> Position(const std::string& name) {
        return std::make_unique<NetPosition>(scratch_.Sub(name));
    }

    NetScratch scratch_;
    std::unique_ptr<NatsServer> server_;
};

std::vector<std::string> Rows(ContestLog& log) {
    std::vector<std::string> rows;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        std::string text(log.Identity(row));
        for (int column = 1; column < log.ColumnCount(); ++column) {
            text += "|" + std::string(log.Field(row, column));
        }
        rows.push_back(text);
    }
    return rows;
}

}  // namespace

TEST_F(SharedLogTest, TwoPositionsSeeEachOthersContacts) {
    CreateLog("ARI2021");
    auto run = Position("run");
    auto mult = Position("mult");
    ASSERT_TRUE(run->Start(Server().Url(), "ARI2021", "RUN"));
    ASSERT_TRUE(mult->Start(Server().Url(), "ARI2021", "MULT"));
    run->AddQso("I1AAA");
    mult->AddQso("I2BBB");
    auto both = [&] {
        return run->Log().RowCount() == 2 && mult->Log().RowCount() == 2 && run->net->Status().unsent == 0 &&
               mult->net->Status().unsent == 0;
    };
    for (int i = 0; i < 500 && !both(); ++i) {
        run->PollFor(10ms);
        mult->PollFor(10ms);
    }
    ASSERT_TRUE(both()) << run->net->Status().reason << " / " << mult->net->Status().reason;
    EXPECT_EQ(Rows(run->Log()), Rows(mult->Log()));
    EXPECT_TRUE(run->PollUntil([&] { return run->net->Status().positions == 2; }));
    EXPECT_EQ(run->net->Status().text, "Rete: 2 postazioni, in linea");
    EXPECT_EQ(run->Journal(), mult->Journal());
}

namespace {

std::string Cabrillo(NetPosition& p) {
    return ExportCabrillo(p.Log(), p.settings.station, *p.sections, ComputeScore(p.Log()).claimedScore);
}

std::string Call(std::mt19937& random, int serial) {
    return "I" + std::to_string(random() % 10) + static_cast<char>('A' + random() % 26) +
           static_cast<char>('A' + random() % 26) + std::to_string(serial % 1000);
}

// Polls every position until all hold `rows` rows, have nothing left to send and
// have applied the same last event of the stream.
bool Settle(const std::vector<NetPosition*>& positions, size_t rows,
            std::chrono::milliseconds limit = 60000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        bool settled = true;
        for (NetPosition* p : positions) {
            p->PollFor(5ms);
            settled = settled && p->Log().RowCount() == rows && p->net->Status().unsent == 0 &&
                      p->net->LastApplied() == positions[0]->net->LastApplied();
        }
        if (settled) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            for (NetPosition* p : positions) {
                ADD_FAILURE() << p->net->Config().position << ": " << p->Log().RowCount() << " rows, "
                              << p->net->Status().text << " / " << p->net->Status().reason;
            }
            return false;
        }
    }
}

}  // namespace

TEST_F(SharedLogTest, ThreePositionsLogAThousandContactsEachAndEndWithOneLog) {
    CreateLog("ARI2021");
    std::vector<std::unique_ptr<NetPosition>> owned;
    std::vector<NetPosition*> positions;
    for (const char* name : {"RUN", "MULT", "SPOT"}) {
        owned.push_back(Position(name));
        positions.push_back(owned.back().get());
        ASSERT_TRUE(positions.back()->Start(Server().Url(), "ARI2021", name));
    }
    std::mt19937 random(2021);
    std::array<int, 3> logged{};
    int serial = 0;
    bool sorted = false;
    while (logged[0] + logged[1] + logged[2] < 3000) {
        // One position logs a contact at a random moment; all of them take in what the
        // others sent in between.
        size_t at = random() % 3;
        if (logged[at] == 1000) {
            continue;
        }
        NetPosition& p = *positions[at];
        const int minute = serial / 3;
        const int hhmm = ((12 + minute / 60) % 24) * 100 + minute % 60;
        const std::string time = std::string(hhmm < 1000 ? "0" : "") + std::to_string(hhmm);
        p.AddQso(Call(random, serial++), time, random() % 2 ? "1234" : "5678");
        ++logged[at];
        if (random() % 50 == 0 && p.Log().RowCount() > 10) {
            // Corrections, now and then, of any row (also another position's).
            const size_t row = random() % p.Log().RowCount();
            QsoRecord record = p.Log().Qso(row);
            record.rstReceived = "57" + std::to_string(random() % 10);
            p.Log().Replace(row, record);
            p.session->EntryEdited(row);
            p.session->RewriteJournal();
        }
        if (!sorted && serial == 1500) {
            sorted = true;
            p.Log().SortByDateTime();
            p.session->EntriesSorted();
        }
        for (NetPosition* q : positions) {
            if (random() % 4 == 0) {
                q->net->Poll();
            }
        }
    }
    ASSERT_TRUE(Settle(positions, 3000));
    const std::vector<std::string> rows = Rows(positions[0]->Log());
    const std::string cabrillo = Cabrillo(*positions[0]);
    const std::string journal = positions[0]->Journal();
    for (NetPosition* p : positions) {
        EXPECT_EQ(Rows(p->Log()), rows) << p->net->Config().position;
        EXPECT_EQ(Cabrillo(*p), cabrillo) << p->net->Config().position;
        EXPECT_EQ(p->Journal(), journal) << p->net->Config().position;
    }
    // Every contact once, each position's under its name.
    std::set<std::string> identities;
    std::map<std::string, int> perPosition;
    for (size_t row = 0; row < positions[0]->Log().RowCount(); ++row) {
        identities.insert(std::string(positions[0]->Log().Identity(row)));
        ++perPosition[std::string(positions[0]->net->PositionOfRow(row))];
    }
    EXPECT_EQ(identities.size(), 3000u);
    EXPECT_EQ(perPosition, (std::map<std::string, int>{{"MULT", 1000}, {"RUN", 1000}, {"SPOT", 1000}}));
    // The server's log, read from outside, is the same log.
    SharedLogContents read = ReadSharedLog({Server().Url()}, "ARI2021");
    ASSERT_TRUE(read.answer.ok) << read.answer.error;
    EXPECT_EQ(read.core.View().rows.size(), 3000u);
    EXPECT_EQ(read.lastSequence, positions[0]->net->LastApplied());
}

TEST_F(SharedLogTest, TheServerStopsTwoPositionsGoOnLoggingAndCatchUpWhenItIsBack) {
    CreateLog("ARI2021");
    auto run = Position("run");
    auto mult = Position("mult");
    ASSERT_TRUE(run->Start(Server().Url(), "ARI2021", "RUN"));
    ASSERT_TRUE(mult->Start(Server().Url(), "ARI2021", "MULT"));
    std::mt19937 random(5);
    int serial = 0;
    for (int i = 0; i < 20; ++i) {
        run->AddQso(Call(random, serial++));
        mult->AddQso(Call(random, serial++));
    }
    ASSERT_TRUE(Settle({run.get(), mult.get()}, 40));

    Server().Stop();
    for (int i = 0; i < 50; ++i) {
        run->AddQso(Call(random, serial++));
        mult->AddQso(Call(random, serial++));
        run->net->Poll();
        mult->net->Poll();
    }
    // Nobody waits: each shows its own contacts and what is left to send.
    EXPECT_EQ(run->Log().RowCount(), 90u);
    EXPECT_EQ(mult->Log().RowCount(), 90u);
    EXPECT_TRUE(run->PollUntil([&] { return !run->net->Status().online; }));
    EXPECT_EQ(run->net->Status().text, "Rete: non collegata, 50 QSO da inviare");

    ASSERT_TRUE(Server().Start());
    ASSERT_TRUE(Settle({run.get(), mult.get()}, 140));
    EXPECT_EQ(Rows(run->Log()), Rows(mult->Log()));
    std::set<std::string> identities;
    for (size_t row = 0; row < run->Log().RowCount(); ++row) {
        identities.insert(std::string(run->Log().Identity(row)));
    }
    EXPECT_EQ(identities.size(), 140u) << "nothing twice";
    SharedLogContents read = ReadSharedLog({Server().Url()}, "ARI2021");
    ASSERT_TRUE(read.answer.ok) << read.answer.error;
    EXPECT_EQ(read.adds, 140u) << "every contact stored once in the stream";
    EXPECT_TRUE(run->PollUntil([&] { return run->net->Status().text == "Rete: 2 postazioni, in linea"; }));
}

TEST_F(SharedLogTest, APositionKilledBetweenItsJournalWriteAndItsSendSendsTheContactAfterARestart) {
    CreateLog("ARI2021");
    auto watch = Position("watch");
    ASSERT_TRUE(watch->Start(Server().Url(), "ARI2021", "WATCH"));
    const std::string folder = scratch_.Sub("killed");
    pid_t child = ::fork();
    if (child == 0) {
        ::execl(TARNEX_NET_POSITION, TARNEX_NET_POSITION, folder.c_str(), Server().Url().c_str(), "ARI2021",
                "KILL", "add-and-die", "I9KIL", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    // The contact is on disk, with its identity, and not in the shared log.
    const std::string journal = *ReadFileBytes(folder + "_ult.trnx");
    ASSERT_NE(journal.find("^I9KIL^"), std::string::npos);
    ASSERT_NE(journal.find("^KILL#"), std::string::npos);
    watch->PollFor(300ms);
    EXPECT_EQ(watch->Log().RowCount(), 0u);

    NetPosition again(folder);
    ASSERT_EQ(again.Log().RowCount(), 1u);
    ASSERT_TRUE(again.Start(Server().Url(), "ARI2021", "KILL"));
    ASSERT_TRUE(Settle({watch.get(), &again}, 1, 20000ms));
    EXPECT_EQ(watch->Log().Field(0, QsoCol::Callsign), "I9KIL");
    EXPECT_EQ(watch->net->PositionOfRow(0), "KILL");
    EXPECT_EQ(again.Journal(), journal) << "the restarted position's journal already held the shared log";
}

TEST_F(SharedLogTest, AClusterOfThreeLosesAServerMidContestAndNobodyStops) {
    std::array<int, 3> clusterPorts = {FreeLoopbackPort(), FreeLoopbackPort(), FreeLoopbackPort()};
    std::vector<std::unique_ptr<NatsServer>> cluster;
    std::vector<std::string> urls;
    for (size_t i = 0; i < 3; ++i) {
        std::vector<int> routes;
        for (size_t j = 0; j < 3; ++j) {
            if (j != i) {
                routes.push_back(clusterPorts[j]);
            }
        }
        const std::string name = "c" + std::to_string(i + 1);
        cluster.push_back(std::make_unique<NatsServer>(name, scratch_.Sub(name), 0, clusterPorts[i], routes));
        urls.push_back(cluster.back()->Url());
    }
    for (auto& server : cluster) {
        ASSERT_TRUE(server->Start());
    }
    SharedLogAnswer made = CreateSharedLog(urls, "ARI2021", 3, 30000);
    ASSERT_TRUE(made.ok) << made.error;
    const std::string list = urls[0] + "," + urls[1] + "," + urls[2];
    auto run = Position("run");
    auto mult = Position("mult");
    ASSERT_TRUE(run->Start(list, "ARI2021", "RUN"));
    ASSERT_TRUE(mult->Start(list, "ARI2021", "MULT"));
    std::mt19937 random(3);
    int serial = 0;
    for (int i = 0; i < 30; ++i) {
        run->AddQso(Call(random, serial++));
        mult->AddQso(Call(random, serial++));
        run->net->Poll();
        mult->net->Poll();
    }
    ASSERT_TRUE(Settle({run.get(), mult.get()}, 60));

    cluster[0]->Kill();
    const auto before = std::chrono::steady_clock::now();
    for (int i = 0; i < 30; ++i) {
        run->AddQso(Call(random, serial++));
        mult->AddQso(Call(random, serial++));
        run->net->Poll();
        mult->net->Poll();
    }
    // Logging never waited for the cluster.
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    ASSERT_TRUE(Settle({run.get(), mult.get()}, 120, 60000ms));
    EXPECT_EQ(Rows(run->Log()), Rows(mult->Log()));
    SharedLogContents read = ReadSharedLog({urls[1], urls[2]}, "ARI2021", 30000);
    ASSERT_TRUE(read.answer.ok) << read.answer.error;
    EXPECT_EQ(read.adds, 120u);
}

namespace {

// Polls for a while and counts how often the status newly shows `text` in its reason.
int TimesTold(NetPosition& p, const std::string& text, std::chrono::milliseconds during) {
    int told = 0;
    bool shown = p.net->Status().reason.find(text) != std::string::npos;
    told += shown ? 1 : 0;
    const auto end = std::chrono::steady_clock::now() + during;
    while (std::chrono::steady_clock::now() < end) {
        p.PollFor(20ms);
        const bool now = p.net->Status().reason.find(text) != std::string::npos;
        told += now && !shown ? 1 : 0;
        shown = now;
    }
    return told;
}

}  // namespace

TEST_F(SharedLogTest, EventsThatDoNotParseAreToldOnceAndChangeNothing) {
    CreateLog("ARI2021");
    auto run = Position("run");
    ASSERT_TRUE(run->Start(Server().Url(), "ARI2021", "RUN"));
    run->AddQso("I1AAA");
    ASSERT_TRUE(Settle({run.get()}, 1));
    const std::string journal = run->Journal();
    const std::vector<std::string> rows = Rows(run->Log());

    // Garbage, and an event whose callsign would break a journal line, on the log's
    // subjects from some other program.
    natsConnection* conn = nullptr;
    ASSERT_EQ(natsConnection_ConnectTo(&conn, Server().Url().c_str()), NATS_OK);
    NetEvent bad = NetEvent::MakeAdd("X", 1, LogMode::Qso,
                                     {"12.06.2021", "1200", "14", "CW", "I1^B", "599", "599", "1"});
    const std::string badBytes = EncodeNetEvent(bad);
    ASSERT_EQ(natsConnection_PublishString(conn, "tarnex.ARI2021.X", "\x01\x02 not an event"), NATS_OK);
    ASSERT_EQ(
        natsConnection_Publish(conn, "tarnex.ARI2021.X", badBytes.data(), static_cast<int>(badBytes.size())),
        NATS_OK);
    natsConnection_Flush(conn);
    natsConnection_Destroy(conn);

    const std::string told = "Ignorati 2 messaggi non validi nel log di rete";
    ASSERT_TRUE(run->PollUntil([&] { return run->net->Status().reason.find(told) != std::string::npos; }))
        << run->net->Status().reason;
    EXPECT_EQ(TimesTold(*run, told, 500ms), 1);
    EXPECT_EQ(Rows(run->Log()), rows);
    EXPECT_EQ(run->Journal(), journal);
    EXPECT_EQ(run->net->LastApplied(), 4u) << "1 contact, 1 summary, 2 bad ones";
    // Read again after a restart, from the local copy of the stream: not told again.
    run->net->Stop();
    run.reset();
    auto again = Position("run");
    ASSERT_TRUE(again->Start(Server().Url(), "ARI2021", "RUN"));
    EXPECT_EQ(TimesTold(*again, "non valid", 300ms), 0);
    EXPECT_EQ(Rows(again->Log()), rows);
}

TEST_F(SharedLogTest, AnUnknownLogIsToldOnceAndTheContactsWait) {
    CreateLog("ARI2021");
    auto run = Position("run");
    ASSERT_TRUE(run->Start(Server().Url(), "ARI2012", "RUN"));
    run->AddQso("I1AAA");
    const std::string told = "Il log \"ARI2012\" non esiste sul server";
    ASSERT_TRUE(run->PollUntil([&] { return run->net->Status().reason.find(told) != std::string::npos; }))
        << run->net->Status().reason;
    EXPECT_EQ(TimesTold(*run, told, 2500ms), 1);
    EXPECT_EQ(run->net->Status().text, "Rete: non collegata, 1 QSO da inviare");
    EXPECT_EQ(run->Log().RowCount(), 1u);
    SharedLogContents read = ReadSharedLog({Server().Url()}, "ARI2021");
    EXPECT_EQ(read.lastSequence, 0u);
}

TEST_F(SharedLogTest, APositionNameInUseIsRefusedUntilItsHolderLeaves) {
    CreateLog("ARI2021");
    auto first = Position("first");
    auto second = Position("second");
    ASSERT_TRUE(first->Start(Server().Url(), "ARI2021", "RUN"));
    first->AddQso("I1AAA");
    ASSERT_TRUE(Settle({first.get()}, 1));
    ASSERT_TRUE(second->Start(Server().Url(), "ARI2021", "RUN"));
    second->AddQso("I2BBB");
    const std::string told =
        "Il nome di postazione \"RUN\" \xE8 gi\xE0 usato da un'altra postazione in linea";
    ASSERT_TRUE(second->PollUntil([&] {
        return second->net->Status().reason.find(told) != std::string::npos;
    })) << second->net->Status().reason;
    EXPECT_EQ(TimesTold(*second, told, 2500ms), 1);
    EXPECT_EQ(second->net->Status().text, "Rete: non collegata, 1 QSO da inviare");
    first->PollFor(200ms);
    EXPECT_EQ(first->Log().RowCount(), 1u) << "nothing of the refused position reaches the log";

    first->net->Stop();  // frees the name
    ASSERT_TRUE(second->PollUntil([&] { return second->net->Status().unsent == 0; }, 10000ms))
        << second->net->Status().reason;
    ASSERT_TRUE(second->PollUntil([&] { return second->Log().RowCount() == 2; }));
    EXPECT_EQ(ReadSharedLog({Server().Url()}, "ARI2021").adds, 2u);
}

TEST_F(SharedLogTest, AServerThatSpeaksSomethingElseIsToldOnce) {
    GarbageServer garbage;
    auto run = Position("run");
    run->AddQso("I1AAA");
    const std::string journal = run->Journal();
    ASSERT_TRUE(run->Start(garbage.Url(), "ARI2021", "RUN"));
    const std::string told = "non risponde come un server NATS";
    ASSERT_TRUE(
        run->PollUntil([&] { return run->net->Status().reason.find(told) != std::string::npos; }, 10000ms))
        << run->net->Status().reason;
    EXPECT_EQ(TimesTold(*run, told, 2500ms), 1);
    EXPECT_EQ(run->Log().RowCount(), 1u);
    EXPECT_EQ(run->net->Status().text, "Rete: non collegata, 1 QSO da inviare");
}
