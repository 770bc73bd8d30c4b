#pragma once
// Facts the tests work out for themselves, not from the program: square names, the knight's
// jump, a whole tour and the bytes of a saved game.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <vector>

namespace trevak::testing {

// "A1" is 1, "H1" 8, "A2" 9 ... "H8" 64: rows of eight from the bottom left.
inline int squareNamed(const QString &name)
{
    return 8 * (name[1].unicode() - '1') + (name[0].unicode() - 'A') + 1;
}

// A1 is dark; dark and light alternate along every row and column.
inline bool isDark(int square)
{
    return ((square - 1) / 8 + (square - 1) % 8) % 2 == 0;
}

inline QString nameOf(int square)
{
    return QString(QChar('A' + (square - 1) % 8)) + QChar('1' + (square - 1) / 8);
}

// The rows apart times the columns apart is 2: one and two, or two and one.
inline bool isJumpApart(int from, int to)
{
    const int rows = (from - 1) / 8 - (to - 1) / 8;
    const int columns = (from - 1) % 8 - (to - 1) % 8;
    return std::abs(rows * columns) == 2;
}

// A whole tour from A1, each square a knight's jump from the one before.
inline std::vector<int> wholeTour()
{
    const QString squares
        = "A1 C2 E1 G2 H4 G6 H8 F7 H6 G8 E7 C8 A7 B5 A3 B1 D2 F1 H2 F3 G1 H3 G5 H7 "
          "F8 D7 B8 A6 B4 A2 C1 B3 A5 C6 D8 B7 C5 A4 B2 D1 C3 E2 D4 E6 F4 D3 E5 C4 "
          "B6 A8 C7 D5 E3 G4 F2 H1 G3 E4 D6 F5 G7 H5 F6 E8";
    std::vector<int> tour;
    for (const QString &name : squares.split(' '))
        tour.push_back(squareNamed(name));
    return tour;
}

// The 64 lines of a saved game: the words of `squares`, square names as their numbers, then 0s;
// each line ends with `lineEnd`.
inline QByteArray savedGame(const QString &squares, const QByteArray &lineEnd = "\r\n")
{
    QStringList words = squares.split(' ', Qt::SkipEmptyParts);
    while (words.size() < 64)
        words << "0";
    QByteArray bytes;
    for (const QString &word : std::as_const(words)) {
        const bool square = word.size() == 2 && word[0].isUpper() && word[1].isDigit();
        bytes += (square ? QString::number(squareNamed(word)) : word).toUtf8() + lineEnd;
    }
    return bytes;
}

}  // namespace trevak::testing
