#pragma once
// The progress gauge: strokes 0..lineCount are the visible ones.

#include "game/GameState.h"

namespace trevak {

void ShowNextLine(GameState &state);
void HideLastLine(GameState &state);

}  // namespace trevak
