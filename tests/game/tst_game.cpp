// The rules and the percentage against the test's own notebook of a random play; the knight's jump.

#include "game/Game.h"
#include "tests/support/BoardFacts.h"

#include <QTest>
#include <algorithm>
#include <map>
#include <random>

using namespace trevak;
using namespace trevak::testing;

// What a player who writes every step down knows of a game, worked out without the program.
struct Notebook {
    std::vector<int> squares = {};  // in the order filled, the steps taken back too
    int shown = 0;  // the step the board shows
    bool saveOffered = false;

    bool onBoard(int square) const
    {
        return std::count(squares.begin(), squares.begin() + shown, square) > 0;
    }
    ClickResult play(int square)
    {
        if (onBoard(square))
            return ClickResult::Refused;
        // Uložit comes with any click on an empty square once the knight stands.
        saveOffered = saveOffered || shown > 0;
        if (shown > 0 && !isJumpApart(squares[shown - 1], square))
            return ClickResult::Refused;
        squares.resize(shown);
        squares.push_back(square);
        ++shown;
        if (shown == 1)
            return ClickResult::Placed;
        return shown < 64 ? ClickResult::Moved : ClickResult::BoardFull;
    }
};

// The percentage for some numbers of squares shown: 100 / 64 of them, halves to the even number.
static const std::map<int, std::string> kPercent
    = {{0, "0%"},   {1, "2%"},   {8, "12%"},  {24, "38%"},
       {40, "62%"}, {56, "88%"}, {63, "98%"}, {64, "100%"}};

// Every square, the knight, the record, the percentage and the commands as the notebook has them.
static void compare(const Game &game, const Notebook &note)
{
    std::array<SquareMark, 64> marks {};
    for (int step = 1; step < note.shown; ++step)
        marks[note.squares[step - 1] - 1] = SquareMark::Visited;
    if (note.shown > 0)
        marks[note.squares[note.shown - 1] - 1] = SquareMark::Knight;
    QVERIFY(game.marks() == marks);
    Tour tour {};
    std::copy(note.squares.begin(), note.squares.end(), tour.begin());
    QVERIFY(game.tour() == tour);
    QCOMPARE(game.knightSquare(), note.shown > 0 ? note.squares[note.shown - 1] : 0);
    QCOMPARE(game.shownStep(), note.shown);
    QCOMPARE(game.backEnabled(), note.shown > 0);
    QCOMPARE(game.forwardEnabled(), note.shown < int(note.squares.size()));
    QCOMPARE(game.saveEnabled(), note.saveOffered);
    QCOMPARE(game.hasJumpRecorded(), note.squares.size() > 1);
    if (kPercent.contains(note.shown))
        QCOMPARE(game.percentText(), kPercent.at(note.shown));
}

class TestGame : public QObject {
    Q_OBJECT

private slots:
    // Off the board too: the numbers of the squares must not wrap round an edge.
    void knightsJump()
    {
        for (int from = -16; from <= 81; ++from) {
            for (int to = -16; to <= 81; ++to) {
                const bool onBoard = from >= 1 && from <= 64 && to >= 1 && to <= 64;
                QCOMPARE(isKnightJump(from, to), onBoard && isJumpApart(from, to));
            }
        }
    }

    // Whatever a player can do, in any order; loads of distinct squares, no gap.
    void randomPlay()
    {
        // Of a hundred steps 70 are clicks, 12 Zpět, 12 Vpřed, 2 loads, one each of the rest.
        const QStringList steps = QStringList(70, "click") + QStringList(12, "Zpět")
            + QStringList(12, "Vpřed") + QStringList(2, "load")
            + QStringList {"Nová", "emptied for loading", "saved", "whole tour"};
        std::mt19937 random(1207);
        const std::vector<int> whole = wholeTour();
        std::vector<int> file = whole;
        Game game;
        Notebook note;
        int fullBoards = 0;  // so that the play keeps reaching the end of a tour
        for (int round = 0; round < 40000 && !QTest::currentTestFailed(); ++round) {
            std::vector<int> open;  // empty squares a jump away: nine clicks in ten go there
            for (int square = 1; note.shown > 0 && square <= 64; ++square) {
                if (!note.onBoard(square) && isJumpApart(note.squares[note.shown - 1], square))
                    open.push_back(square);
            }
            int square = 1 + random() % 64;
            if (!open.empty() && random() % 10 > 0)
                square = open[random() % open.size()];
            const QString step = steps[random() % steps.size()];
            if (step == "click") {
                QCOMPARE(game.playSquare(square), note.play(square));
            } else if (step == "Zpět") {
                game.stepBack();
                note.shown = std::max(note.shown - 1, 0);
            } else if (step == "Vpřed") {
                game.stepForward();
                note.shown = std::min(note.shown + 1, int(note.squares.size()));
            } else if (step == "load") {
                std::shuffle(file.begin(), file.end(), random);
                Tour tour {};
                std::copy_n(file.begin(), random() % 65, tour.begin());
                game.showLoadedTour(tour);
                note.squares.assign(tour.begin(), std::find(tour.begin(), tour.end(), 0));
                note.shown = int(note.squares.size());
            } else if (step == "Nová") {
                game.startNew();
                note = {};
            } else if (step == "emptied for loading") {
                game.clear();
                note = {.saveOffered = note.saveOffered};
            } else if (step == "saved") {
                game.markSaved();
                note.saveOffered = false;
            } else {
                for (int square : whole)
                    QCOMPARE(game.playSquare(square), note.play(square));
            }
            compare(game, note);
            fullBoards += note.shown == 64 ? 1 : 0;
        }
        QCOMPARE_GT(fullBoards, 0);
    }
};

QTEST_APPLESS_MAIN(TestGame)
#include "tst_game.moc"
