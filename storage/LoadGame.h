#pragma once
// Loading a saved game chosen in the open dialog.

#include "app/Toolkit.h"
#include "game/GameState.h"

#include <functional>

namespace trevak {

// Shows a checked tour (as readSavedGame accepts it) with its last step on the board:
// every named square visited, the knight on the last one, Back enabled, Forward off.
// Save keeps its state.
void applyLoadedTour(GameState &state, const Tour &tour);

// Offers to save a game in progress, clears the board, lets the user pick a file and
// shows it. `showBoard` repaints the window, so the board is seen empty while the
// dialog is open. Cancel or a refused file leaves the board empty.
void LoadGame(GameState &state, Toolkit &toolkit, const std::function<void()> &showBoard);

}  // namespace trevak
