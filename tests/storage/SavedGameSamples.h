#pragma once
// Tours and file contents the storage tests share.

#include "game/GameState.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace trevak::testing {

inline Tour tourOf(std::initializer_list<int> squares)
{
    Tour tour{};
    int step = 1;
    for (int square : squares)
        tour[step++] = static_cast<std::uint8_t>(square);
    return tour;
}

// The knight's first three steps: A1, B3, C1.
inline const Tour kShortGame = tourOf({1, 18, 3});

// A complete knight's tour from A1.
inline const Tour kFullTour = tourOf({
    1, 11, 5, 15, 32, 47, 64, 54, 48, 63, 53, 59, 49, 34, 17, 2, 12, 6, 16, 22, 7, 24,
    39, 56, 62, 52, 58, 41, 26, 9, 3, 18, 33, 43, 60, 50, 35, 25, 10, 4, 19, 13, 28, 45,
    30, 20, 37, 27, 42, 57, 51, 36, 21, 31, 14, 8, 23, 29, 44, 38, 55, 40, 46, 61});

// The number of filled steps of a tour without gaps.
inline int stepsOf(const Tour &tour)
{
    int steps = 0;
    while (steps < kSquareCount && tour[steps + 1] != 0)
        ++steps;
    return steps;
}

// Each entry followed by the terminator.
inline QByteArray linesOf(const QList<QByteArray> &entries, const QByteArray &terminator = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &entry : entries)
        bytes += entry + terminator;
    return bytes;
}

// The 64 entries of a tour as file lines, before any terminator is added.
inline QList<QByteArray> entriesOf(const Tour &tour)
{
    QList<QByteArray> entries;
    for (int step = 1; step <= kSquareCount; ++step)
        entries.append(QByteArray::number(tour[step]));
    return entries;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything in a folder, hidden entries included, so a left-over temporary file shows.
inline QStringList entriesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace trevak::testing
