// The rules of play against the test's own notebook of a game: a table of plays, then a long
// random one; the knight's jump on every pair of squares; the percentage.

#include "game/Game.h"
#include "tests/support/BoardFacts.h"

#include <QTest>
#include <algorithm>
#include <random>

using namespace trevak;
using namespace trevak::testing;

// What a player who writes every step down knows of a game, worked out without the program.
struct Notebook {
    std::vector<int> squares;  // in the order filled, the steps taken back too
    int shown = 0;  // the step the board shows
    bool saveOffered = false;
    int boardsFilled = 0;

    bool onBoard(int square) const
    {
        return std::count(squares.begin(), squares.begin() + shown, square) > 0;
    }
    ClickResult play(int square)
    {
        if (onBoard(square))
            return ClickResult::Refused;
        if (shown > 0) {
            saveOffered = true;  // by any click on an empty square once the knight stands
            if (!isJumpApart(squares[shown - 1], square))
                return ClickResult::Refused;
        }
        squares.resize(shown);
        squares.push_back(square);
        ++shown;
        if (shown == 1)
            return ClickResult::Placed;
        if (shown < 64)
            return ClickResult::Moved;
        ++boardsFilled;
        return ClickResult::BoardFull;
    }
    void empty()
    {
        squares.clear();
        shown = 0;
    }
};

// A step as a player says it: a square ("A1"), "Zpět", "Vpřed", "Nová" (a new game), "saved",
// "cleared" (the board emptied for loading), "load 5" (the first five squares of `file`) or
// "whole tour" (the squares of `file` clicked in order); done on the game and in the notebook.
static void perform(Game &game, Notebook &note, const QString &step, const std::vector<int> &file)
{
    if (step == "Zpět") {
        game.stepBack();
        note.shown = std::max(note.shown - 1, 0);
    } else if (step == "Vpřed") {
        game.stepForward();
        note.shown = std::min(note.shown + 1, int(note.squares.size()));
    } else if (step == "Nová") {
        game.startNew();
        note.empty();
        note.saveOffered = false;
    } else if (step == "cleared") {
        game.clear();
        note.empty();
    } else if (step == "saved") {
        game.markSaved();
        note.saveOffered = false;
    } else if (step.startsWith("load ")) {
        note.squares.assign(file.begin(), file.begin() + step.sliced(5).toInt());
        note.shown = int(note.squares.size());
        Tour tour {};
        std::copy(note.squares.begin(), note.squares.end(), tour.begin());
        game.showLoadedTour(tour);
    } else if (step == "whole tour") {
        for (int square : file)
            QCOMPARE(game.playSquare(square), note.play(square));
    } else {
        QCOMPARE(game.playSquare(squareNamed(step)), note.play(squareNamed(step)));
    }
}

// Every square, the knight, the record and the commands as the notebook has them.
static void compare(const Game &game, const Notebook &note)
{
    std::array<SquareMark, 64> marks {};
    for (int step = 1; step < note.shown; ++step)
        marks[note.squares[step - 1] - 1] = SquareMark::Visited;
    if (note.shown > 0)
        marks[note.squares[note.shown - 1] - 1] = SquareMark::Knight;
    QVERIFY(game.marks() == marks);
    for (int square = 1; square <= 64; ++square)
        QVERIFY(game.markOf(square) == marks[square - 1]);
    Tour tour {};
    std::copy(note.squares.begin(), note.squares.end(), tour.begin());
    QVERIFY(game.tour() == tour);
    QCOMPARE(game.knightSquare(), note.shown > 0 ? note.squares[note.shown - 1] : 0);
    QCOMPARE(game.shownStep(), note.shown);
    QCOMPARE(game.backEnabled(), note.shown > 0);
    QCOMPARE(game.forwardEnabled(), note.shown < int(note.squares.size()));
    QCOMPARE(game.saveEnabled(), note.saveOffered);
    QCOMPARE(game.hasJumpRecorded(), note.squares.size() > 1);
}

// "step 2, Zpět, Uložit, a jump": the step shown, the commands on, whether a jump is recorded.
static QString state(const Game &game)
{
    return QString("step %1%2%3%4%5")
        .arg(game.shownStep())
        .arg(game.backEnabled() ? ", Zpět" : "", game.forwardEnabled() ? ", Vpřed" : "",
             game.saveEnabled() ? ", Uložit" : "", game.hasJumpRecorded() ? ", a jump" : "");
}

struct Play {
    QStringList steps;
    QString state;  // afterwards
};

class TestGame : public QObject {
    Q_OBJECT
    const std::vector<int> tour = wholeTour();

private slots:
    void initTestCase() { QCOMPARE(tour.size(), size_t(64)); }

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

    void plays_data()
    {
        QTest::addColumn<Play>("play");
        const auto add = [](const char *name, const Play &play) {
            QTest::newRow(name) << play;
        };
        add("a fresh game", {.steps = {}, .state = "step 0"});
        add("the knight placed, nothing to save", {.steps = {"A1"}, .state = "step 1, Zpět"});
        add("a click that is no jump offers Uložit",
            {.steps = {"A1", "B1"}, .state = "step 1, Zpět, Uložit"});
        add("clicks on the knight and a visited square offer nothing",
            {.steps = {"A1", "A1", "B3", "saved", "B3", "A1"}, .state = "step 2, Zpět, a jump"});
        add("a new placement after going back keeps Uložit, ends Vpřed",
            {.steps = {"A1", "B3", "Zpět", "Zpět", "H5"}, .state = "step 1, Zpět, Uložit"});
        add("Zpět at the start does nothing", {.steps = {"Zpět"}, .state = "step 0"});
        add("Zpět past the start", {.steps = {"A1", "Zpět"}, .state = "step 0, Vpřed"});
        add("Zpět keeps Zpět on",
            {.steps = {"A1", "B3", "C1", "Zpět"}, .state = "step 2, Zpět, Vpřed, Uložit, a jump"});
        add("Vpřed with nothing recorded does nothing",
            {.steps = {"A1", "B3", "Vpřed"}, .state = "step 2, Zpět, Uložit, a jump"});
        add("a move after Zpět ends Vpřed, the same square too",
            {.steps = {"A1", "B3", "C1", "E2", "Zpět", "Zpět", "C1", "Vpřed"},
             .state = "step 3, Zpět, Uložit, a jump"});
        add("the board cleared for loading keeps Uložit",
            {.steps = {"A1", "B3", "Zpět", "cleared"}, .state = "step 0, Uložit"});
        add("a new game turns Uložit off",
            {.steps = {"A1", "B3", "Zpět", "Nová"}, .state = "step 0"});
        add("a load keeps Uložit off", {.steps = {"load 5"}, .state = "step 5, Zpět, a jump"});
        add("a load of nothing", {.steps = {"A1", "B3", "load 0"}, .state = "step 0, Uložit"});
        add("Vpřed to step 63 of 64",
            {.steps = {"load 64", "Zpět", "Zpět", "Vpřed"},
             .state = "step 63, Zpět, Vpřed, a jump"});
        add("a full board refuses every click",
            {.steps = {"whole tour", "whole tour"}, .state = "step 64, Zpět, Uložit, a jump"});
    }

    void plays()
    {
        QFETCH(Play, play);
        Game game;
        Notebook note;
        for (const QString &step : std::as_const(play.steps))
            perform(game, note, step, tour);
        compare(game, note);
        QCOMPARE(state(game), play.state);
    }

    // Whatever the window lets a player do, in any order; loads of distinct squares, no gap.
    void randomPlay()
    {
        std::mt19937 random(1207);
        const auto below = [&random](int n) {
            return int(random() % unsigned(n));
        };
        std::vector<int> file = tour;
        Game game;
        Notebook note;
        for (int round = 0; round < 40000 && !QTest::currentTestFailed(); ++round) {
            const int roll = below(1000);
            QString step = nameOf(1 + below(64));
            std::vector<int> open;  // mostly empty squares a jump away
            for (int square = 1; note.shown > 0 && square <= 64; ++square) {
                if (!note.onBoard(square) && isJumpApart(note.squares[note.shown - 1], square))
                    open.push_back(square);
            }
            if (roll < 600 && !open.empty())
                step = nameOf(open[below(int(open.size()))]);
            else if (roll >= 700 && roll < 820 && game.backEnabled())
                step = "Zpět";
            else if (roll >= 820 && roll < 940 && game.forwardEnabled())
                step = "Vpřed";
            else if (roll >= 940 && roll < 945)
                step = "Nová";
            else if (roll >= 945 && roll < 950)
                step = "saved";
            else if (roll >= 950 && roll < 955)
                step = "cleared";
            else if (roll >= 955 && roll < 965)
                step = "load " + QString::number(below(65));
            else if (roll >= 965 && roll < 975)
                step = "whole tour";
            std::shuffle(file.begin(), file.end(), random);
            perform(game, note, step, step == "whole tour" ? tour : file);
            compare(game, note);
        }
        QCOMPARE_GT(note.boardsFilled, 0);
    }

    // 100 / 64 of the filled squares, halves to the even number.
    void percent()
    {
        const std::pair<int, std::string> filled[] = {
            {0, "0%"},   {1, "2%"},   {8, "12%"},  {24, "38%"},
            {40, "62%"}, {56, "88%"}, {63, "98%"}, {64, "100%"},
        };
        for (const auto &[squares, text] : filled) {
            Game game;
            Notebook note;
            perform(game, note, "load " + QString::number(squares), tour);
            QCOMPARE(game.percentText(), text);
        }
    }
};

QTEST_APPLESS_MAIN(TestGame)
#include "tst_game.moc"
