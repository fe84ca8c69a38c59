// Several positions, one log, over a real nats-server on the loopback address.

#include <gtest/gtest.h>

#include <random>

#include "NatsServer.h"
#include "NetPosition.h"
#include "export/CabrilloExport.h"
#include "net/SharedLogAdmin.h"
#include "score/ScoreComputation.h"

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
