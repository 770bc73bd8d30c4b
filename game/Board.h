#pragma once
// Geometry and rules of the 8x8 board. Squares are numbered 1..64:
// square = 8 * row + column + 1, row 0 is rank 1 (bottom), column 0 is file A (left).

#include <string>

namespace trevak {

constexpr int kSquareCount = 64;

constexpr int rowOf(int square)
{
    return (square - 1) / 8;
}
constexpr int columnOf(int square)
{
    return (square - 1) % 8;
}
constexpr int squareAt(int row, int column)
{
    return 8 * row + column + 1;
}

// A1 and H8 are dark; dark and light alternate along every row and column.
constexpr bool isDarkSquare(int square)
{
    return (rowOf(square) + columnOf(square)) % 2 == 0;
}

// True when `to` is a knight's jump from `from`; jumps never wrap across the board's edge.
bool isKnightJump(int from, int to);

// The filled share of the board in whole per cent, halves rounded to even (8 squares -> 12%).
int percentOf(int filledSquares);

// "A1" .. "H8".
std::string squareName(int square);

}  // namespace trevak
