#include "game/Game.h"

#include <algorithm>

namespace trevak {

ClickResult Game::playSquare(int square)
{
    if (markOf(square) != SquareMark::Empty)
        return ClickResult::Refused;

    if (!hasKnight()) {
        // A new tour starts: nothing is left for Forward to replay.
        m_tour.fill(0);
        m_tour[0] = static_cast<std::uint8_t>(square);
        m_shownStep = 1;
        return ClickResult::Placed;
    }

    // Save is offered by any attempt on an empty square, legal or not; a placement alone
    // offers nothing.
    m_saveEnabled = true;
    if (!isKnightJump(knightSquare(), square))
        return ClickResult::Refused;

    m_tour[m_shownStep] = static_cast<std::uint8_t>(square);
    ++m_shownStep;
    // A move made on the board ends the steps Forward could replay, even when it repeats the
    // step just taken back.
    std::fill(m_tour.begin() + m_shownStep, m_tour.end(), 0);
    return m_shownStep == kSquareCount ? ClickResult::BoardFull : ClickResult::Moved;
}

void Game::stepBack()
{
    if (m_shownStep > 0)
        --m_shownStep;
}

void Game::stepForward()
{
    if (forwardEnabled())
        ++m_shownStep;
}

void Game::clear()
{
    m_tour.fill(0);
    m_shownStep = 0;
}

void Game::startNew()
{
    clear();
    m_saveEnabled = false;
}

void Game::showLoadedTour(const Tour &tour)
{
    clear();
    const auto firstGap = std::find(tour.begin(), tour.end(), 0);
    if (firstGap == tour.begin())
        return;
    m_tour = tour;
    m_shownStep = static_cast<int>(firstGap - tour.begin());
}

void Game::restore(const GameState &state)
{
    m_tour = state.tour;
    m_shownStep = state.shownStep;
    m_saveEnabled = state.saveEnabled;
}

SquareMark Game::markOf(int square) const
{
    for (int step = 1; step <= m_shownStep; ++step) {
        if (m_tour[step - 1] == square)
            return step == m_shownStep ? SquareMark::Knight : SquareMark::Visited;
    }
    return SquareMark::Empty;
}

std::array<SquareMark, kSquareCount> Game::marks() const
{
    std::array<SquareMark, kSquareCount> marks {};
    for (int step = 1; step <= m_shownStep; ++step)
        marks[m_tour[step - 1] - 1]
            = step == m_shownStep ? SquareMark::Knight : SquareMark::Visited;
    return marks;
}

}  // namespace trevak
