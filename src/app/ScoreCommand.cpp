#include "app/ScoreCommand.h"

#include "app/LogSession.h"

namespace tarnex {

ScoreResult ComputeAndStoreScore(LogSession& session) {
    ScoreResult result = ComputeScore(session.Log());
    ShowSkipMessages(result, session.Prompts());
    session.GetSettings().SetScore(ClaimedScoreSetting(result.claimedScore));
    return result;
}

}  // namespace tarnex
