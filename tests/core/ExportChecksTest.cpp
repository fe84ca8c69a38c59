// The exports an entrant sends (Cabrillo, Cabrillo 3.0, ADIF) run the checks before
// sending first: a clean log goes straight on, findings go to the review, which lets
// the export go on or stop it before anything is asked, computed or written. And the
// Cabrillo 3.0 command writes the file with the values of the settings.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ExportTestLogs.h"
#include "SessionFixture.h"
#include "app/ExportCommands.h"
#include "app/ScoreCommand.h"
#include "export/Cabrillo3Export.h"
#include "score/ScoreComputation.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Command {
    const char* name;
    ExportOutcome (ExportCommands::*run)();
    CheckedExport target;
    size_t questions;  // asked before the save dialog in a QSO log
};
const Command kCommands[] = {
    {"Cabrillo", &ExportCommands::ExportCabrillo, CheckedExport::Cabrillo, 1},
    {"Cabrillo 3.0", &ExportCommands::ExportCabrillo3, CheckedExport::Cabrillo3, 1},
    {"ADIF", &ExportCommands::ExportAdif, CheckedExport::Adif, 0},
};

class ExportChecks : public SessionFixture {
  protected:
    ExportChecks() {
        sections.SetName(130, "BETA");
        sections.SetName(501, "ALFA");
        settings.station = ExampleStation();
        settings.station.callsign = "IK2XYZ";
        settings.extras.power = "LOW";
        OpenSession(LogMode::Qso);
        // Two contacts on the contest weekend of 2023: nothing to find.
        Log().Append(MakeQso("10.06.2023", "1300", "7", "CW", "IK1AAA", "599", "599", "0130"));
        Log().Append(MakeQso("10.06.2023", "1301", "14", "CW", "IK1AAB", "599", "579", "0130"));
    }
    ContestLog& Log() { return session->Log(); }

    // Records what the review was given and answers from `goOn`.
    void Review(ExportCommands& commands, bool goOn) {
        commands.SetFindingsReview([this, goOn](const std::vector<LogFinding>& findings,
                                                const std::function<std::vector<LogFinding>()>& recheck) {
            reviewed.push_back(findings);
            if (correctBeforeAnswer) {
                correctBeforeAnswer();
                rechecked = recheck();
            }
            return goOn;
        });
    }

    std::vector<std::vector<LogFinding>> reviewed;
    std::function<void()> correctBeforeAnswer;
    std::vector<LogFinding> rechecked;
};

std::vector<FindingKind> Kinds(const std::vector<LogFinding>& findings) {
    std::vector<FindingKind> kinds;
    for (const LogFinding& finding : findings) {
        kinds.push_back(finding.kind);
    }
    return kinds;
}

}  // namespace

TEST_F(ExportChecks, ACleanLogGoesStraightToTheQuestionAndTheFile) {
    for (const Command& command : kCommands) {
        SCOPED_TRACE(command.name);
        prompts.records.clear();
        ExportCommands commands(*session);
        Review(commands, false);
        for (size_t i = 0; i < command.questions; ++i) {
            prompts.yesNoAnswers.push_back(true);
        }
        prompts.fileAnswers.push_back(scratch.File("out"));
        EXPECT_EQ((commands.*command.run)(), ExportOutcome::Written);
        EXPECT_TRUE(reviewed.empty());
        EXPECT_EQ(prompts.records.size(), command.questions + 1);
    }
}

TEST_F(ExportChecks, FindingsStopTheExportBeforeAnythingElseOrLetItGoOn) {
    // A duplicate in row 3 and a power that is not chosen (which only the 3.0 file states).
    Log().Append(MakeQso("10.06.2023", "1302", "7", "CW", "IK1AAA", "599", "599", "0130"));
    settings.extras.power.clear();
    for (const Command& command : kCommands) {
        for (bool goOn : {false, true}) {
            SCOPED_TRACE(std::string(command.name) + (goOn ? ", go on" : ", stop"));
            reviewed.clear();
            prompts.records.clear();
            settings.SetScore(7);
            std::remove(scratch.File("out").c_str());
            ExportCommands commands(*session);
            Review(commands, goOn);
            if (goOn) {
                for (size_t i = 0; i < command.questions; ++i) {
                    prompts.yesNoAnswers.push_back(true);
                }
                prompts.fileAnswers.push_back(scratch.File("out"));
            }
            EXPECT_EQ((commands.*command.run)(), goOn ? ExportOutcome::Written : ExportOutcome::Stopped);

            ASSERT_EQ(reviewed.size(), 1u);
            std::vector<FindingKind> expected = {FindingKind::Duplicate};
            if (command.target == CheckedExport::Cabrillo3) {
                expected.insert(expected.begin(), FindingKind::PowerNotChosen);
            }
            EXPECT_EQ(Kinds(reviewed[0]), expected);
            EXPECT_EQ(reviewed[0].back().row, std::optional<size_t>(2));
            if (!goOn) {
                // Nothing asked, no score computed, no file.
                EXPECT_TRUE(prompts.records.empty());
                EXPECT_EQ(settings.score, 7);
                EXPECT_FALSE(std::ifstream(scratch.File("out")).good());
            } else {
                EXPECT_EQ(prompts.records.size(), command.questions + 1);
                EXPECT_TRUE(std::ifstream(scratch.File("out")).good());
            }
            EXPECT_EQ(Kinds(commands.FindingsBefore(command.target)), expected);
        }
    }
}

TEST_F(ExportChecks, TheReviewRechecksTheLogAsCorrected) {
    Log().Append(MakeQso("10.06.2023", "1302", "7", "CW", "IK1AAA", "599", "599", "0130"));
    ExportCommands commands(*session);
    Review(commands, false);
    // The person corrects the duplicate (another station), then adds an entry on
    // 160 m RTTY (in a CW category).
    correctBeforeAnswer = [this] {
        Log().Replace(2, MakeQso("10.06.2023", "1302", "7", "CW", "IK1AAC", "599", "599", "0130"));
        Log().Append(MakeQso("10.06.2023", "1303", "1,8", "RTTY", "IK1AAD", "599", "599", "0130"));
    };
    EXPECT_EQ(commands.ExportCabrillo(), ExportOutcome::Stopped);
    ASSERT_EQ(reviewed.size(), 1u);
    EXPECT_EQ(Kinds(reviewed[0]), std::vector<FindingKind>{FindingKind::Duplicate});
    ASSERT_EQ(Kinds(rechecked),
              (std::vector<FindingKind>{FindingKind::RttyOn160, FindingKind::ModeNotInCategory}));
    EXPECT_EQ(rechecked[0].row, std::optional<size_t>(3));
}

TEST_F(ExportChecks, Cabrillo3FileWithTheSettingsValues) {
    struct Case {
        const char* name;
        std::string stored;
        std::string written;
    } cases[] = {
        {"the stored name", "ARI-SEZIONI", "ARI-SEZIONI"},
        {"a name the tag does not take", "ARI SEZIONI\r\nX", "SEZIONI"},
    };
    settings.SetStationExtras({"HIGH", "YOUTH", "ik2xyz@example.org"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.SetContestName(c.stored);
        ExportCommands commands(*session);
        prompts.yesNoAnswers.push_back(true);
        prompts.fileAnswers.push_back(scratch.File("ik2xyz.log"));
        ASSERT_EQ(commands.ExportCabrillo3(), ExportOutcome::Written);
        Cabrillo3Options options;
        options.contest = c.written;
        options.extras = settings.extras;
        const int64_t score = ComputeScore(Log()).claimedScore;
        EXPECT_EQ(ReadFile(scratch.File("ik2xyz.log")),
                  ExportCabrillo3(Log(), settings.station, sections, score, options));
        EXPECT_EQ(settings.score, score);
    }
    // The same question and save dialog as the 2.0 file.
    ASSERT_GE(prompts.records.size(), 2u);
    EXPECT_EQ(prompts.records[0].title, "Richiesta conferma");
    EXPECT_EQ(prompts.records[1].file.title, "Esporta log in formato Cabrillo");
    EXPECT_EQ(prompts.records[1].file.initialName, "ik2xyz");
}
