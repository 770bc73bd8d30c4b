// The game model: board facts, the jump rule (rows apart times columns apart is 2), the percentage
// and the rules of play.
#include "game/Game.h"
#include <QTest>
#include <algorithm>
#include <random>
#include <set>
using namespace trevak;
static bool jumpByRowsAndColumns(int a, int b)
{
    return std::abs(((a - 1) / 8 - (b - 1) / 8) * ((a - 1) % 8 - (b - 1) % 8)) == 2;
}
struct Record {
    std::vector<int> steps;
    int shown = 0;
    bool save = false;
    int boardsFilled = 0;
};  // the test's own account
static Tour asTour(const std::vector<int> &steps)
{
    Tour t {};
    std::copy(steps.begin(), steps.end(), t.begin());
    return t;
}
static std::vector<int> openJumps(const Record &r)
{  // empty squares a jump away, fewest onward jumps first (Warnsdorff)
    std::vector<int> open, used(65), onward(65);
    for (int k = 0; k < r.shown; ++k)
        used[r.steps[k]] = 1;
    for (int s = 1; s <= 64; ++s) {
        for (int u = 1; u <= 64; ++u)
            onward[s] += !used[u] && jumpByRowsAndColumns(s, u) ? 1 : 0;
        if (!used[s] && r.shown > 0 && jumpByRowsAndColumns(r.steps[r.shown - 1], s))
            open.push_back(s);
    }
    std::stable_sort(open.begin(), open.end(), [&](int a, int b) { return onward[a] < onward[b]; });
    return open;
}
// One action on the game and on the record: a number clicks that square (an empty one offers Save
// once the knight is on the board, jump or not); B back, F forward, C clear, N new game, S saved,
// L<k> loads the first k squares of `file`.
static void apply(Game &g, Record &r, const QString &action, const std::vector<int> &file)
{
    if (const int s = action.toInt(); s > 0) {
        const auto shown = r.steps.begin() + r.shown;
        const bool accepted = std::find(r.steps.begin(), shown, s) == shown
            && (r.shown == 0 || ((r.save = true) && jumpByRowsAndColumns(*(shown - 1), s)));
        if (accepted)
            r.steps.insert(r.steps.erase(shown, r.steps.end()), s);
        const ClickResult want = !accepted ? ClickResult::Refused
            : ++r.shown == 1               ? ClickResult::Placed
            : r.shown == 64                ? ClickResult::BoardFull
                                           : ClickResult::Moved;
        r.boardsFilled += want == ClickResult::BoardFull ? 1 : 0;
        QCOMPARE(g.playSquare(s), want);
        return;
    }
    const char a = action[0].toLatin1();
    if (a == 'L' || a == 'C' || a == 'N')
        r.steps.assign(file.begin(), file.begin() + (a == 'L' ? action.mid(1).toInt() : 0));
    r.shown = a == 'L' ? int(r.steps.size())
                       : std::clamp(r.shown + (a == 'F') - (a == 'B'), 0, int(r.steps.size()));
    r.save = r.save && a != 'N' && a != 'S';
    const std::array commands {&Game::stepBack, &Game::stepForward, &Game::clear, &Game::startNew,
                               &Game::markSaved};
    a == 'L' ? g.showLoadedTour(asTour(r.steps)) : (g.*commands[QByteArray("BFCNS").indexOf(a)])();
}
static void checkShows(const Game &g, const Record &r)
{  // the steps shown, the knight on the last; the tour as recorded
    QCOMPARE(std::set<int>(r.steps.begin(), r.steps.end()).size(),
             r.steps.size());  // no square twice
    std::array<SquareMark, 64> want {};
    for (int k = 0; k < r.shown; ++k)
        want[r.steps[k] - 1] = k + 1 == r.shown ? SquareMark::Knight : SquareMark::Visited;
    QVERIFY(g.marks() == want);
    for (int s = 1; s <= 64; ++s)
        QVERIFY(g.markOf(s) == want[s - 1]);
    QCOMPARE(g.shownStep(), r.shown);
    QCOMPARE(g.knightSquare(), r.shown > 0 ? r.steps[r.shown - 1] : 0);
    const int whole = 25 * r.shown / 16, rest = 25 * r.shown % 16;  // 100 n / 64, halves to even
    QCOMPARE(g.percentText(),
             std::to_string(whole + (rest > 8 || (rest == 8 && whole % 2 == 1) ? 1 : 0)) + '%');
    QVERIFY(g.tour() == asTour(r.steps));
    QCOMPARE(g.hasJumpRecorded(), r.steps.size() > 1);
}
static QString stateOf(const Game &g)
{  // enabled commands, "jump" once a second square is recorded, the step shown
    return QString("%1%2%3%4%5")
        .arg(g.backEnabled() ? "back " : "", g.forwardEnabled() ? "forward " : "",
             g.saveEnabled() ? "save " : "", g.hasJumpRecorded() ? "jump " : "")
        .arg(g.shownStep());
}
class TestGame : public QObject {
    Q_OBJECT
    Record tour;  // a full tour from A1 by Warnsdorff's rule
private slots:
    void initTestCase()
    {
        for (tour = {{1}, 1}; !openJumps(tour).empty(); ++tour.shown)
            tour.steps.push_back(openJumps(tour)[0]);
        QCOMPARE(tour.shown, 64);
    }
    void jumps()
    {
        for (int from = -16; from <= 81; ++from)
            for (int to = -16; to <= 81; ++to)  // off the board too: the index scale must not wrap
                QCOMPARE(isKnightJump(from, to),
                         from > 0 && to > 0 && from <= 64 && to <= 64
                             && jumpByRowsAndColumns(from, to));
    }
    void rules_data()
    {  // actions as apply() reads them; T<k> clicks the first k squares of the tour
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state");
        QTest::newRow("fresh") << ""
                               << "0";
        QTest::newRow("placement leaves Save off") << "1"
                                                   << "back 1";
        QTest::newRow("refused jump to an empty square offers Save") << "1 2"
                                                                     << "back save 1";
        QTest::newRow("click on the knight or a visited square offers nothing") << "1 1 18 S 18 1"
                                                                                << "back jump 2";
        QTest::newRow("placement keeps Save on, ends Forward") << "1 18 B B 40"
                                                               << "back save 1";
        QTest::newRow("back at step 0 changes nothing") << "B"
                                                        << "0";
        QTest::newRow("back past the start") << "1 B"
                                             << "forward 0";
        QTest::newRow("back keeps Back on") << "1 18 3 B"
                                            << "back forward save jump 2";
        QTest::newRow("forward to the last recorded step") << "1 18 3 B B F F"
                                                           << "back save jump 3";
        QTest::newRow("forward from an empty board") << "1 18 B B F"
                                                     << "back forward save jump 1";
        QTest::newRow("forward with nothing recorded") << "1 18 F"
                                                       << "back save jump 2";
        QTest::newRow("a move after back ends the replay, same square too") << "1 18 3 13 B B 3 F"
                                                                            << "back save jump 3";
        QTest::newRow("all taken back, jump still recorded") << "1 18 B B"
                                                             << "forward save jump 0";
        QTest::newRow("clear keeps Save") << "1 18 B C"
                                          << "save 0";
        QTest::newRow("new game turns Save off") << "1 18 B N"
                                                 << "0";
        QTest::newRow("load keeps Save off") << "L5"
                                             << "back jump 5";
        QTest::newRow("load keeps Save on, ends Forward") << "1 18 B L5"
                                                          << "back save jump 5";
        QTest::newRow("load of nothing") << "1 18 L0"
                                         << "save 0";
        QTest::newRow("forward to step 63 of 64") << "L64 B B F"
                                                  << "back forward jump 63";
        QTest::newRow("full board refuses every click") << "T64 T64"
                                                        << "back save jump 64";
        for (int k : {1, 10, 64})
            QTest::addRow("%d back, %d forward", k, k) << "T64 " + QString("B ").repeated(k)
                    + QString("F ").repeated(k) << "back save jump 64";
    }
    void rules()
    {
        QFETCH(QString, script);
        Game g;
        Record r;
        for (const QString &action : script.split(' ', Qt::SkipEmptyParts))
            for (int k = 0; k < (action[0] == 'T' ? action.mid(1).toInt() : 1); ++k)
                apply(g, r, action[0] == 'T' ? QString::number(tour.steps[k]) : action, tour.steps);
        checkShows(g, r);
        QTEST(stateOf(g), "state");
    }
    void randomPlay()
    {  // random actions as the window's commands allow; loads of distinct squares, no gap
        std::mt19937 random(1207);
        auto below = [&random](int n) {
            return int(random() % unsigned(n));
        };
        std::vector<int> file = tour.steps;
        Game g;
        Record r;
        for (int step = 0; step < 40000 && !QTest::currentTestFailed(); ++step) {
            const int roll = below(1000);
            const std::vector<int> open = openJumps(r);  // clicks mostly on open jumps
            const int square = open.empty() || roll >= 600 ? 1 + below(64)
                : roll < 400                               ? open[0]
                                                           : open[below(int(open.size()))];
            const QString action = roll < 700 ? QString::number(square)
                : roll < 820                  ? "B"
                : roll < 940                  ? "F"
                : roll < 943                  ? "N"
                : roll < 953                  ? "S"
                : roll < 955                  ? "C"
                                              : "L" + QString::number(below(65));
            if ((action == "B" && !g.backEnabled()) || (action == "F" && !g.forwardEnabled()))
                continue;
            std::shuffle(file.begin(), file.end(), random);
            apply(g, r, action, file);
            checkShows(g, r);
            QVERIFY2(g.backEnabled() == (r.shown > 0)
                         && g.forwardEnabled() == (r.shown < int(r.steps.size()))
                         && g.saveEnabled() == r.save,
                     qPrintable("after " + action + ": " + stateOf(g)));
        }
        QVERIFY2(r.boardsFilled > 0, "no board filled by play");
    }
};
QTEST_APPLESS_MAIN(TestGame)
#include "tst_game.moc"
