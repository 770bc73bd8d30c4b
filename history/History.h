#pragma once
// Walking the recorded tour back and forth, and clearing the board for a new game.

#include "game/GameState.h"

namespace trevak {

// Takes back the step shown; the tour keeps it for StepForward.
void StepBack(GameState &state);

// Replays the next recorded step. Does nothing when no next step is recorded
// (the Forward button is never enabled then).
void StepForward(GameState &state);

// Back to the start state: empty board, nothing recorded, both history buttons off.
void ResetBoard(GameState &state);

}  // namespace trevak
