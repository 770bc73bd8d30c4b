#pragma once
// Saving the game under a name the user types, and the "save first?" prompt.

#include "app/Toolkit.h"
#include "game/GameState.h"

#include <QString>

namespace trevak {

enum class SaveResult { Saved, Cancelled, Failed };

// Asks for a name and writes the whole tour to "<program folder>/<name>.txt", replacing
// any file of that name. A refused name or a failed write is told in a message box and
// leaves Save enabled; an empty name cancels silently. Only a successful save disables Save.
SaveResult SaveGame(GameState &state, Toolkit &toolkit);

// Before the game is thrown away (new game, loading, exit): when the knight has moved at
// least once, asks whether to save it. A save that fails asks again, so the game is never
// lost to a write error the user did not get to answer.
void offerSave(GameState &state, Toolkit &toolkit, const QString &title);

}  // namespace trevak
