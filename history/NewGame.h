#pragma once
// Starting a new game from the menu.

#include "app/Toolkit.h"
#include "game/GameState.h"

namespace trevak {

// Offers to save a game in progress, then clears the board. Save is off: there is
// nothing to save until the knight moves.
void NewGame(GameState &state, Toolkit &toolkit);

}  // namespace trevak
