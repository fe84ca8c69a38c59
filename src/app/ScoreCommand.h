#pragma once
// The score as the commands compute it: "Mostra punteggio" before it opens the score
// window, and the Cabrillo export before it writes the claimed score.

#include "score/ScoreComputation.h"

namespace tarnex {

class LogSession;

// Computes the score of the session's log, shows one "Errore" box for every entry
// left out, and stores the score as "Punteggio" (held at the largest 32-bit value
// when larger). The result keeps the full 64-bit score.
ScoreResult ComputeAndStoreScore(LogSession& session);

}  // namespace tarnex
