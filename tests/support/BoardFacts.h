#pragma once
// Facts the tests work out for themselves, not from the program: square names, the knight's
// jump, a whole tour found by Warnsdorff's rule and the bytes of a saved game.

#include <QByteArray>
#include <QList>
#include <QString>
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

// A whole tour from A1: always on to the free square with the fewest free squares onward.
inline std::vector<int> wholeTour()
{
    std::vector<int> tour {1};
    std::vector<bool> used(65, false);
    used[1] = true;
    const auto onward = [&used](int from) {
        int count = 0;
        for (int to = 1; to <= 64; ++to)
            count += !used[to] && isJumpApart(from, to);
        return count;
    };
    for (int step = 2; step <= 64; ++step) {
        int best = 0;
        for (int to = 1; to <= 64; ++to) {
            const bool free = !used[to] && isJumpApart(tour.back(), to);
            if (free && (best == 0 || onward(to) < onward(best)))
                best = to;
        }
        if (best == 0)
            break;
        used[best] = true;
        tour.push_back(best);
    }
    return tour;
}

// Line k holds the square filled at step k, 0 after the last; every line ends with `lineEnd`.
inline QByteArray savedGameBytes(const QList<int> &squares, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (int step = 0; step < 64; ++step)
        bytes += QByteArray::number(squares.value(step)) + lineEnd;
    return bytes;
}

}  // namespace trevak::testing
