// Stepping back and forward through the recorded tour, and clearing the board.

#include "game/Placement.h"
#include "history/History.h"
#include "tests/support/Invariants.h"
#include "tests/support/TourMaker.h"

#include <QTest>

using namespace trevak;

namespace {
GameState played(const std::vector<int> &squares)
{
    GameState s;
    Form_Load(s);
    for (int sq : squares)
        obrPolicko_Click(s, sq);
    return s;
}

bool sameShownGame(const GameState &a, const GameState &b)
{
    return a.picture == b.picture && a.tour == b.tour && a.lblBody == b.lblBody
        && a.lblHotovo == b.lblHotovo && a.line1Visible == b.line1Visible
        && a.filledCount == b.filledCount && a.lineCount == b.lineCount
        && a.percentDone == b.percentDone && a.currentSquare == b.currentSquare
        && a.knightPlaced == b.knightPlaced;
}
}  // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void backTakesTheStartingSquare();
    void backOnEmptyBoardOnlySwitchesButtons();
    void forwardFromEmptyBoard();
    void backAndForwardRestoreEverything_data();
    void backAndForwardRestoreEverything();
    void percentagesOnTheWay();
    void forwardToFullBoard();
    void forwardWithNothingRecordedDoesNothing();
    void resetBoard();
};

void TestHistory::backTakesTheStartingSquare()
{
    GameState s = played({1});
    StepBack(s);
    QCOMPARE(int(s.picture[1]), 0);
    QCOMPARE(s.knightPlaced, 0);
    QCOMPARE(s.currentSquare, 0);
    QCOMPARE(s.lblBody, 0);
    QCOMPARE(s.lblHotovo, std::string("0%"));
    QCOMPARE(s.filledCount, 0);
    QCOMPARE(s.lineCount, -1);
    QVERIFY(!s.line1Visible[0]);
    QVERIFY(!s.cmdZpetEnabled);
    QVERIFY(s.cmdVpredEnabled);
    QCOMPARE(int(s.tour[1]), 1);
}

void TestHistory::backOnEmptyBoardOnlySwitchesButtons()
{
    GameState s = played({});
    s.cmdZpetEnabled = true;
    const GameState before = s;
    StepBack(s);
    QVERIFY(s.cmdVpredEnabled);
    QVERIFY(!s.cmdZpetEnabled);
    QVERIFY(sameShownGame(s, before));
}

void TestHistory::forwardFromEmptyBoard()
{
    for (bool secondRecorded : {false, true}) {
        GameState s = secondRecorded ? played({1, 18}) : played({1});
        if (secondRecorded)
            StepBack(s);
        StepBack(s);
        StepForward(s);
        QCOMPARE(int(s.picture[1]), 104);
        QCOMPARE(s.lblBody, 1);
        QCOMPARE(s.lblHotovo, std::string("2%"));
        QVERIFY(s.line1Visible[0]);
        QVERIFY(s.cmdZpetEnabled);
        QCOMPARE(s.cmdVpredEnabled, secondRecorded);
        for (int i = 2; i <= 64; ++i)
            QCOMPARE(int(s.picture[i]), 0);
    }
}

void TestHistory::backAndForwardRestoreEverything_data()
{
    QTest::addColumn<int>("steps");
    QTest::newRow("one") << 1;
    QTest::newRow("ten") << 10;
    QTest::newRow("all to the empty board") << 64;
}

void TestHistory::backAndForwardRestoreEverything()
{
    QFETCH(int, steps);
    const std::vector<int> tour = testing::warnsdorffTour(28);
    QCOMPARE(int(tour.size()), 64);
    GameState s = played(tour);
    const GameState full = s;
    for (int k = 0; k < steps; ++k) {
        StepBack(s);
        QCOMPARE(testing::brokenInvariant(s), std::string());
        QVERIFY(s.cmdVpredEnabled);
        QCOMPARE(s.cmdZpetEnabled, s.lblBody > 0);
        // The square left shows nothing, the one returned to shows the knight.
        QCOMPARE(int(s.picture[tour[64 - k - 1]]), 0);
    }
    for (int k = 0; k < steps; ++k) {
        StepForward(s);
        QCOMPARE(testing::brokenInvariant(s), std::string());
        QVERIFY(s.cmdZpetEnabled);
        QCOMPARE(s.cmdVpredEnabled, s.lblBody < 64);
    }
    QVERIFY(sameShownGame(s, full));
    QCOMPARE(s.moveCount, full.moveCount);
}

void TestHistory::percentagesOnTheWay()
{
    const std::vector<int> tour = testing::warnsdorffTour(1);
    GameState s = played(tour);
    StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("98%"));
    QVERIFY(s.cmdVpredEnabled);
    while (s.lblBody > 56)
        StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("88%"));
    while (s.lblBody > 40)
        StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("62%"));
    while (s.lblBody > 24)
        StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("38%"));
    while (s.lblBody > 8)
        StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("12%"));
    while (s.lblBody > 1)
        StepBack(s);
    QCOMPARE(s.lblHotovo, std::string("2%"));
}

void TestHistory::forwardToFullBoard()
{
    GameState s = played(testing::warnsdorffTour(1));
    StepBack(s);
    s.cmdZpetEnabled = false;  // Forward to the full board leaves Back as it was
    StepForward(s);
    QCOMPARE(s.lblBody, 64);
    QCOMPARE(s.lblHotovo, std::string("100%"));
    QVERIFY(!s.cmdVpredEnabled);
    QVERIFY(!s.cmdZpetEnabled);
}

void TestHistory::forwardWithNothingRecordedDoesNothing()
{
    GameState s = played({1, 18});
    const GameState before = s;
    StepForward(s);
    QVERIFY(sameShownGame(s, before));
}

void TestHistory::resetBoard()
{
    GameState s = played({1, 18, 3});
    StepBack(s);
    s.miUlozitEnabled = true;
    ResetBoard(s);
    for (int i = 1; i <= 64; ++i)
        QCOMPARE(int(s.picture[i]), 0);
    for (int k = 1; k <= 64; ++k)
        QCOMPARE(int(s.tour[k]), 0);
    for (int k = 0; k < 64; ++k)
        QVERIFY(!s.line1Visible[k]);
    QCOMPARE(s.lblBody, 0);
    QCOMPARE(s.lblHotovo, std::string("0%"));
    QCOMPARE(s.knightPlaced, 0);
    QCOMPARE(s.currentSquare, 0);
    QCOMPARE(s.moveCount, 0);
    QVERIFY(!s.cmdZpetEnabled);
    QVERIFY(!s.cmdVpredEnabled);
    QVERIFY(s.miUlozitEnabled);  // Save is New game's business, not the reset's
    QCOMPARE(s.filledCount, 2);  // left for the next placement to set
    QCOMPARE(obrPolicko_Click(s, 40), ClickOutcome::Placed);
    QCOMPARE(testing::brokenInvariant(s), std::string());
}

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
