#pragma once
// One game of the knight's tour. It keeps only what cannot be derived: the squares in the
// order they were filled, which of those steps the board shows, and whether Save is offered,
// which follows rules of its own. Everything the window shows is computed from these, Back and
// Forward included.

#include "game/Board.h"

#include <array>
#include <cstdint>
#include <string>

namespace trevak {

// tour[k - 1] is the square filled at step k, 0 where no step is recorded. Steps after the
// one shown are those taken back, ready to be replayed; the first 0 ends them.
using Tour = std::array<std::uint8_t, kSquareCount>;

// Everything a game is made of, to keep it outside the program and bring it back as it was.
struct GameState {
    Tour tour {};
    int shownStep = 0;
    bool saveEnabled = false;

    friend bool operator==(const GameState &, const GameState &) = default;
};

enum class SquareMark {
    Empty,
    Visited,
    Knight
};

enum class ClickResult {
    Refused,  // an occupied square, or not a knight's jump: the window beeps
    Placed,  // the knight was put on the board
    Moved,  // the knight jumped
    BoardFull,  // the knight jumped onto the last empty square: the window congratulates
};

class Game {
public:
    // With no knight on the board a click on any square places it there; otherwise a click on
    // an empty square a knight's jump away moves it there and ends the steps Forward could replay.
    ClickResult playSquare(int square);
    // Takes back the step shown; the record keeps it for stepForward().
    void stepBack();
    // Replays the next recorded step; does nothing when none is recorded.
    void stepForward();
    // Empties the board and the record. Save keeps its state.
    void clear();
    // Empties the board and the record; there is nothing to save until the knight moves.
    void startNew();
    // Shows a tour as read from a file (no gaps, no repeats) at its last recorded step.
    // Save keeps its state.
    void showLoadedTour(const Tour &tour);
    // Brings back a game kept by state(); the steps recorded must run without a gap or a repeat
    // and reach at least to the step shown.
    void restore(const GameState &state);
    // The record was written to a file.
    void markSaved() { m_saveEnabled = false; }

    GameState state() const { return {m_tour, m_shownStep, m_saveEnabled}; }
    const Tour &tour() const { return m_tour; }
    int shownStep() const { return m_shownStep; }
    // A step is shown that Back can take.
    bool backEnabled() const { return hasKnight(); }
    // A recorded step follows the one shown.
    bool forwardEnabled() const { return m_shownStep < kSquareCount && m_tour[m_shownStep] != 0; }
    bool saveEnabled() const { return m_saveEnabled; }

    bool hasKnight() const { return m_shownStep > 0; }
    // The knight's square, 0 when it is not on the board.
    int knightSquare() const { return hasKnight() ? m_tour[m_shownStep - 1] : 0; }
    SquareMark markOf(int square) const;
    // Every square's mark; element 0 is A1.
    std::array<SquareMark, kSquareCount> marks() const;
    int percentDone() const { return percentOf(m_shownStep); }
    std::string percentText() const { return std::to_string(percentDone()) + '%'; }
    // A second square is recorded, shown or taken back: a game worth offering to save.
    bool hasJumpRecorded() const { return m_tour[1] != 0; }

private:
    Tour m_tour {};
    int m_shownStep = 0;
    bool m_saveEnabled = false;
};

}  // namespace trevak
