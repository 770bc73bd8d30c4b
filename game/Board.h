#pragma once
// Geometry and rules of the 8x8 board. Squares are numbered 1..64:
// index = 8 * row + column + 1, row 0 is rank 1 (bottom), column 0 is file A (left).

#include <string>

namespace trevak {

constexpr int kSquareCount = 64;
constexpr int kStrokeCount = 65;  // gauge strokes 0..64; stroke 64 is never shown

// Square pictures, by the number of their image: none, or one of the four square images.
enum Picture : int {
    NoPicture = 0,
    VisitedLight = 101,
    KnightLight = 102,
    VisitedDark = 103,
    KnightDark = 104,
};

constexpr int rowOf(int index) { return (index - 1) / 8; }
constexpr int columnOf(int index) { return (index - 1) % 8; }
constexpr int indexAt(int row, int column) { return 8 * row + column + 1; }

// The colour class each square is given when the board is laid out: 1 dark, 2 light.
constexpr int designTag(int index) { return (rowOf(index) + columnOf(index)) % 2 == 0 ? 1 : 2; }
// Only the value 1 marks a dark square; anything else counts as light.
constexpr bool isDarkTag(int tag) { return tag == 1; }
constexpr Picture visitedPicture(int tag) { return isDarkTag(tag) ? VisitedDark : VisitedLight; }
constexpr Picture knightPicture(int tag) { return isDarkTag(tag) ? KnightDark : KnightLight; }

// True when `to` is a knight's jump from `from`; jumps never wrap across the board's edge.
bool isKnightJump(int from, int to);

// The filled share of the board in whole per cent, halves rounded to even (8 squares -> 12%).
int percentOf(int filledSquares);

// "A1" .. "H8".
std::string squareName(int index);

}  // namespace trevak
