#include "history/History.h"

#include "game/Gauge.h"

namespace trevak {

void StepBack(GameState &state)
{
    state.cmdVpredEnabled = true;
    const int shown = state.lblBody;
    if (shown == 0) {
        state.cmdZpetEnabled = false;
        return;
    }
    state.filledCount -= 1;
    showPercentage(state, state.filledCount);
    state.moveCount -= 1;
    state.picture[state.tour[shown]] = NoPicture;
    if (shown == 1) {
        state.knightPlaced = 0;
        state.currentSquare = 0;
    } else {
        const int previous = state.tour[shown - 1];
        state.picture[previous] = knightPicture(state.tag[previous]);
        state.currentSquare = static_cast<std::int16_t>(previous);
    }
    HideLastLine(state);
    state.lblBody = shown - 1;
    if (state.lblBody == 0)
        state.cmdZpetEnabled = false;
}

void StepForward(GameState &state)
{
    const int next = state.lblBody + 1;
    if (next > kSquareCount || state.tour[next] == 0)
        return;
    state.knightPlaced = 1;
    if (state.currentSquare != 0)
        state.picture[state.currentSquare] = visitedPicture(state.tag[state.currentSquare]);
    state.filledCount += 1;
    showPercentage(state, state.filledCount);
    const int square = state.tour[next];
    state.picture[square] = knightPicture(state.tag[square]);
    state.currentSquare = static_cast<std::int16_t>(square);
    ShowNextLine(state);
    state.moveCount += 1;
    state.lblBody = next;

    const int after = next + 1;
    if (after > kSquareCount) {
        state.cmdVpredEnabled = false;  // full board; Back keeps its state
    } else {
        if (state.tour[after] == 0)
            state.cmdVpredEnabled = false;
        state.cmdZpetEnabled = true;
    }
}

void ResetBoard(GameState &state)
{
    for (int i = 1; i <= kSquareCount; ++i)
        state.picture[i] = NoPicture;
    state.tour.fill(0);
    for (int k = 0; k < kSquareCount; ++k)
        state.line1Visible[k] = false;
    state.lblBody = 0;
    state.lblHotovo = "0%";
    state.knightPlaced = 0;
    state.currentSquare = 0;
    state.moveCount = 0;
    state.cmdZpetEnabled = false;
    state.cmdVpredEnabled = false;
}

}  // namespace trevak
