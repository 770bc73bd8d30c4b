#include "game/Gauge.h"

namespace trevak {

void ShowNextLine(GameState &state)
{
    ++state.lineCount;
    state.line1Visible[state.lineCount] = true;
}

void HideLastLine(GameState &state)
{
    state.line1Visible[state.lineCount] = false;
    --state.lineCount;
}

}  // namespace trevak
