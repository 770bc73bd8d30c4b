#include "game/GameState.h"

namespace trevak {

GameState::GameState()
{
    for (int i = 1; i <= kSquareCount; ++i)
        tag[i] = designTag(i);
}

void Form_Load(GameState &state)
{
    state.miUlozitEnabled = false;
    state.cmdVpredEnabled = false;
    state.cmdZpetEnabled = false;
}

void showPercentage(GameState &state, int filled)
{
    state.percentDone = static_cast<std::int16_t>(percentOf(filled));
    state.lblHotovo = std::to_string(state.percentDone) + "%";
}

}  // namespace trevak
