#pragma once
// Saved-game files the reader must accept or refuse, with what it must make of them.
// Shared by the reader's own test and the loading test, which puts them in real files.

#include "tests/storage/SavedGameSamples.h"

#include <QList>
#include <QString>

namespace trevak::testing {

struct SavedGameCase {
    QByteArray name;
    QByteArray bytes;
    bool ok = false;
    Tour tour{};      // when accepted
    QString problem;  // when refused
    int line = 0;
};

inline SavedGameCase accepted(const QByteArray &name, const QByteArray &bytes, const Tour &tour)
{
    return {name, bytes, true, tour, {}, 0};
}

inline SavedGameCase refused(const QByteArray &name, const QByteArray &bytes, const QString &problem, int line)
{
    return {name, bytes, false, {}, problem, line};
}

// The 1,18,3 game's entries with line `line` replaced by `text`.
inline QList<QByteArray> shortGameWith(int line, const QByteArray &text)
{
    QList<QByteArray> entries = entriesOf(kShortGame);
    entries[line - 1] = text;
    return entries;
}

inline QList<SavedGameCase> savedGameCases()
{
    const QByteArray shortGame = linesOf(entriesOf(kShortGame));
    QList<SavedGameCase> cases;

    // Accepted.
    cases << accepted("1,18,3 with CR LF", shortGame, kShortGame);
    cases << accepted("full tour", linesOf(entriesOf(kFullTour)), kFullTour);
    cases << accepted("LF", linesOf(entriesOf(kShortGame), "\n"), kShortGame);
    cases << accepted("CR", linesOf(entriesOf(kShortGame), "\r"), kShortGame);
    {
        static const QByteArray terminators[] = {"\r\n", "\n", "\r"};
        QByteArray mixed;
        const QList<QByteArray> entries = entriesOf(kFullTour);
        for (int i = 0; i < entries.size(); ++i)
            mixed += entries[i] + terminators[i % 3];
        cases << accepted("mixed line ends", mixed, kFullTour);
    }
    {
        QList<QByteArray> entries = entriesOf(kShortGame);
        entries[0] = " 1";
        entries[1] = "\t18\t";
        entries[2] = " \t 3 \t ";
        entries[3] = "0   ";
        cases << accepted("blanks and tabs around numbers", linesOf(entries), kShortGame);
    }
    {
        QList<QByteArray> entries = entriesOf(kShortGame);
        entries[0] = "001";
        entries[1] = "0018";
        entries[3] = "00";
        entries[63] = "0000";
        cases << accepted("leading zeros", linesOf(entries), kShortGame);
    }
    cases << accepted("more than 64 lines, rubbish after them",
                      shortGame + "rubbish\r\n99\r\n\r\n" + QByteArray(5000, 'x'), kShortGame);
    cases << accepted("no terminator on line 64", shortGame.chopped(2), kShortGame);
    cases << accepted("full tour, no terminator on line 64", linesOf(entriesOf(kFullTour)).chopped(2), kFullTour);
    cases << accepted("moves that are not knight's jumps", linesOf(entriesOf(tourOf({1, 2, 3, 64}))),
                      tourOf({1, 2, 3, 64}));
    cases << accepted("line of exactly 1024 bytes", linesOf(shortGameWith(2, "18" + QByteArray(1022, ' '))),
                      kShortGame);
    // The reader takes 512 bytes at a time: this CR ends one chunk and its LF starts the next.
    cases << accepted("CR LF split between chunks", linesOf(shortGameWith(1, "1" + QByteArray(510, ' '))),
                      kShortGame);
    cases << accepted("line 64 ended by CR, LF beyond it", shortGame.chopped(1) + "\r\n", kShortGame);

    // Refused.
    cases << refused("empty file", "", QStringLiteral("Soubor je prázdný."), 0);
    cases << refused("ten lines", linesOf(entriesOf(kShortGame).mid(0, 10)),
                     QStringLiteral("Soubor končí řádkem 10, uložená partie má 64 řádků."), 0);
    cases << refused("63 lines", linesOf(entriesOf(kShortGame).mid(0, 63)),
                     QStringLiteral("Soubor končí řádkem 63, uložená partie má 64 řádků."), 0);
    cases << refused("three lines ended by CR", "1\r18\r3\r",
                     QStringLiteral("Soubor končí řádkem 3, uložená partie má 64 řádků."), 0);
    cases << refused("empty line", linesOf(shortGameWith(5, "")), QStringLiteral("Řádek 5 je prázdný."), 5);
    cases << refused("blanks-only line", linesOf(shortGameWith(5, " \t ")), QStringLiteral("Řádek 5 je prázdný."), 5);
    cases << refused("CR CR LF makes an empty line", "1\r\r\n" + linesOf(entriesOf(kShortGame).mid(1)),
                     QStringLiteral("Řádek 2 je prázdný."), 2);
    cases << refused("blanks-only last line without terminator",
                     linesOf(entriesOf(kShortGame).mid(0, 63)) + "  ", QStringLiteral("Řádek 64 je prázdný."), 64);
    const auto notNumber = [&](const QByteArray &name, int line, const QByteArray &text) {
        cases << refused(name, linesOf(shortGameWith(line, text)),
                         QStringLiteral("Řádek %1 neobsahuje číslo pole.").arg(line), line);
    };
    notNumber("letters", 7, "abc");
    notNumber("plus sign", 2, "+18");
    notNumber("minus sign", 7, "-7");
    notNumber("decimal point", 3, "3.0");
    notNumber("two numbers", 4, "1 2");
    notNumber("hexadecimal", 4, "0x10");
    notNumber("NUL byte", 3, QByteArray("3\0", 2));
    notNumber("UTF-8 letter", 9, "č");
    notNumber("form feed", 2, "18\f");
    notNumber("fault on line 64", 64, "x");
    cases << refused("byte order mark", "\xEF\xBB\xBF" + shortGame, QStringLiteral("Řádek 1 neobsahuje číslo pole."), 1);
    const auto tooBig = [&](const QByteArray &name, int line, const QByteArray &text) {
        cases << refused(name, linesOf(shortGameWith(line, text)),
                         QStringLiteral("Řádek %1 obsahuje číslo větší než 64.").arg(line), line);
    };
    tooBig("65", 3, "65");
    tooBig("65 after zeros", 3, "0000065");
    tooBig("a number past every integer type", 2, "99999999999999999999");
    tooBig("64 followed by a digit", 2, "640");
    cases << refused("line of 1025 bytes", linesOf(shortGameWith(2, "18" + QByteArray(1023, ' '))),
                     QStringLiteral("Řádek 2 je delší než 1024 bajtů."), 2);
    cases << refused("long line of digits", linesOf(shortGameWith(2, QByteArray(2000, '0'))),
                     QStringLiteral("Řádek 2 je delší než 1024 bajtů."), 2);
    cases << refused("zeros only", linesOf(entriesOf(Tour{})), QStringLiteral("Soubor neobsahuje žádný tah."), 0);
    cases << refused("gap", linesOf(entriesOf(tourOf({1, 18, 0, 3}))),
                     QStringLiteral("Řádek 3 obsahuje 0, ale na řádku 4 partie pokračuje."), 3);
    cases << refused("first step missing", linesOf(entriesOf(tourOf({0, 18, 3}))),
                     QStringLiteral("Řádek 1 obsahuje 0, ale na řádku 2 partie pokračuje."), 1);
    cases << refused("gap at the end", linesOf(shortGameWith(64, "5")),
                     QStringLiteral("Řádek 4 obsahuje 0, ale na řádku 64 partie pokračuje."), 4);
    cases << refused("square twice", linesOf(entriesOf(tourOf({1, 18, 1}))),
                     QStringLiteral("Pole 1 je uvedeno na řádku 1 i na řádku 3."), 3);
    cases << refused("square twice, far apart", linesOf(entriesOf(tourOf({1, 18, 3, 4, 5, 6, 7, 8, 9, 18}))),
                     QStringLiteral("Pole 18 je uvedeno na řádku 2 i na řádku 10."), 10);
    return cases;
}

}  // namespace trevak::testing
