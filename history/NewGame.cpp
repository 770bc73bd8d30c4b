#include "history/NewGame.h"

#include "history/History.h"
#include "storage/SaveGame.h"

namespace trevak {

void NewGame(GameState &state, Toolkit &toolkit)
{
    offerSave(state, toolkit, QStringLiteral("Konec"));
    ResetBoard(state);
    state.miUlozitEnabled = false;
}

}  // namespace trevak
