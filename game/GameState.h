#pragma once
// The whole state of a game: the tour, the window-level counters and the state the
// window's controls show (pictures, captions, gauge strokes, enabled states).
// The window renders exactly this after every event.

#include "game/Board.h"

#include <array>
#include <cstdint>
#include <string>

namespace trevak {

// tour[k] is the square filled at step k (1..64), 0 for none; tour[0] is unused.
using Tour = std::array<std::uint8_t, kSquareCount + 1>;

struct GameState {
    GameState();

    Tour tour{};

    std::int16_t moveCount = 0;
    std::int16_t targetSquare = 0;
    std::int16_t knightPlaced = 0;
    std::int16_t clickedSquare = 0;
    std::int16_t currentSquare = 0;
    std::int16_t lineCount = 0;
    std::int16_t percentDone = 0;
    std::int16_t filledCount = 0;

    // Per square, indexed 1..64 (element 0 unused). A square's picture is state of its
    // own: hand-edited saved games can make it differ from what the tour would imply.
    std::array<int, kSquareCount + 1> tag{};
    std::array<Picture, kSquareCount + 1> picture{};

    int lblBody = 0;                 // the step number LblBody shows
    std::string lblHotovo = "0%";    // LblHotovo's caption
    std::array<bool, kStrokeCount> line1Visible{};

    // Enabled at design time; Form_Load switches them off.
    bool cmdZpetEnabled = true;
    bool cmdVpredEnabled = true;
    bool miUlozitEnabled = true;

    bool isEmpty(int index) const { return picture[index] == NoPicture; }
};

// The window's load handler: Save, Forward and Back start disabled.
void Form_Load(GameState &state);

// Shows `filled` squares' worth of percentage in percentDone and LblHotovo.
void showPercentage(GameState &state, int filled);

}  // namespace trevak
