#pragma once
// A click on a board square: the first click places the knight, later clicks move it.

#include "game/GameState.h"

namespace trevak {

enum class ClickOutcome {
    Refused,    // occupied square or not a knight's jump: the caller beeps
    Placed,     // the knight was put on the board
    Moved,      // the knight jumped to the square
    BoardFull,  // the knight jumped and every square is filled: the caller congratulates
};

ClickOutcome obrPolicko_Click(GameState &state, int index);

// Shows the knight on the square clicked last.
void ShowKnight(GameState &state);

}  // namespace trevak
