#include "game/Placement.h"

#include "game/Gauge.h"

namespace trevak {

void ShowKnight(GameState &state)
{
    state.picture[state.clickedSquare] = knightPicture(state.tag[state.clickedSquare]);
}

namespace {

void placeKnight(GameState &state, int square)
{
    state.moveCount = 0;
    state.cmdVpredEnabled = false;
    ShowKnight(state);
    state.lblBody = 1;
    state.tour[1] = static_cast<std::uint8_t>(square);
    state.currentSquare = static_cast<std::int16_t>(square);
    state.line1Visible[0] = true;
    state.filledCount = 1;
    state.knightPlaced = 1;
    state.lineCount = 0;
    showPercentage(state, 1);
    // A new tour starts: nothing is left for Forward to replay.
    for (int k = 2; k <= kSquareCount; ++k)
        state.tour[k] = 0;
}

ClickOutcome tryMove(GameState &state, int square)
{
    state.targetSquare = static_cast<std::int16_t>(square);
    // Save is offered by any attempt on an empty square, legal or not.
    state.miUlozitEnabled = true;
    if (!isKnightJump(state.currentSquare, square))
        return ClickOutcome::Refused;

    ShowNextLine(state);
    state.lblBody += 1;
    state.filledCount += 1;
    state.tour[state.filledCount] = static_cast<std::uint8_t>(square);
    showPercentage(state, state.filledCount);
    ShowKnight(state);
    // A move made on the board ends the steps Forward could replay, even when it
    // repeats the step just taken back.
    for (int k = state.filledCount + 1; k <= kSquareCount; ++k)
        state.tour[k] = 0;
    state.picture[state.currentSquare] = visitedPicture(state.tag[state.currentSquare]);
    state.currentSquare = static_cast<std::int16_t>(square);
    state.cmdVpredEnabled = false;
    return state.lblBody >= kSquareCount ? ClickOutcome::BoardFull : ClickOutcome::Moved;
}

}  // namespace

ClickOutcome obrPolicko_Click(GameState &state, int index)
{
    state.cmdZpetEnabled = true;  // on every click, refused ones too
    if (state.lblBody != 0)
        state.moveCount = static_cast<std::int16_t>(state.lblBody);
    state.clickedSquare = static_cast<std::int16_t>(index);
    if (!state.isEmpty(index))
        return ClickOutcome::Refused;
    if (state.knightPlaced == 0) {
        placeKnight(state, index);
        return ClickOutcome::Placed;
    }
    return tryMove(state, index);
}

}  // namespace trevak
