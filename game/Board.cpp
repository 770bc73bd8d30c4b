#include "game/Board.h"

#include <cmath>

namespace trevak {

namespace {
struct Jump {
    int squareDelta;
    int columnDelta;
};
// Square differences of the eight jumps, each valid only with its column difference.
constexpr Jump kJumps[] = {
    {+17, +1}, {+15, -1}, {+10, +2}, {+6, -2}, {-6, +2}, {-10, -2}, {-15, +1}, {-17, -1},
};
}  // namespace

bool isKnightJump(int from, int to)
{
    if (from < 1 || from > kSquareCount || to < 1 || to > kSquareCount)
        return false;
    for (const Jump &jump : kJumps) {
        if (to - from == jump.squareDelta && columnOf(to) - columnOf(from) == jump.columnDelta)
            return true;
    }
    return false;
}

int percentOf(int filledSquares)
{
    // 100 / 64 is exact in binary, so the halves at 8, 24, 40 and 56 are real ties.
    return static_cast<int>(std::nearbyint(100.0 / 64.0 * filledSquares));
}

std::string squareName(int square)
{
    return {static_cast<char>('A' + columnOf(square)), static_cast<char>('1' + rowOf(square))};
}

}  // namespace trevak
