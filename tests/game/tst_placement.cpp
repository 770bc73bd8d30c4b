// Placing and moving the knight on the game state, without a window.

#include "game/Placement.h"
#include "history/History.h"
#include "tests/support/Invariants.h"
#include "tests/support/TourMaker.h"

#include <QTest>

using namespace trevak;

namespace {
GameState freshGame()
{
    GameState state;
    Form_Load(state);
    return state;
}
}  // namespace

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void firstPlacement_data();
    void firstPlacement();
    void acceptedMove();
    void refusedClicks_data();
    void refusedClicks();
    void moveAfterStepBackDiscardsLaterSteps();
    void wholeTour();
    void squareTagDecidesPicture();
};

void TestPlacement::firstPlacement_data()
{
    QTest::addColumn<int>("square");
    QTest::addColumn<int>("picture");
    QTest::newRow("A1 dark") << 1 << 104;
    QTest::newRow("H1 light") << 8 << 102;
    QTest::newRow("A8 light") << 57 << 102;
    QTest::newRow("H8 dark") << 64 << 104;
}

void TestPlacement::firstPlacement()
{
    QFETCH(int, square);
    QFETCH(int, picture);
    GameState s = freshGame();
    s.tour[5] = 33;  // left over from an earlier game: a placement forgets it
    QCOMPARE(obrPolicko_Click(s, square), ClickOutcome::Placed);
    QCOMPARE(int(s.picture[square]), picture);
    QCOMPARE(s.lblBody, 1);
    QCOMPARE(s.lblHotovo, std::string("2%"));
    QVERIFY(s.line1Visible[0]);
    QVERIFY(!s.line1Visible[1]);
    QVERIFY(s.cmdZpetEnabled);
    QVERIFY(!s.cmdVpredEnabled);
    QVERIFY(!s.miUlozitEnabled);  // a placement alone offers nothing to save
    QCOMPARE(int(s.tour[1]), square);
    QCOMPARE(int(s.tour[5]), 0);
    QCOMPARE(s.currentSquare, square);
    QCOMPARE(s.knightPlaced, 1);
    QCOMPARE(s.lineCount, 0);
    QCOMPARE(s.filledCount, 1);
    QCOMPARE(s.moveCount, 0);
    QCOMPARE(testing::brokenInvariant(s), std::string());
}

void TestPlacement::acceptedMove()
{
    GameState s = freshGame();
    obrPolicko_Click(s, 1);
    QCOMPARE(obrPolicko_Click(s, 18), ClickOutcome::Moved);
    QCOMPARE(int(s.picture[1]), 103);
    QCOMPARE(int(s.picture[18]), 102);
    QCOMPARE(s.lblBody, 2);
    QCOMPARE(s.lblHotovo, std::string("3%"));
    QVERIFY(s.miUlozitEnabled);
    QCOMPARE(s.moveCount, 1);  // read back from the counter at the click's start
    QCOMPARE(s.targetSquare, 18);
    QCOMPARE(obrPolicko_Click(s, 3), ClickOutcome::Moved);
    QCOMPARE(s.moveCount, 2);
    QCOMPARE(int(s.tour[1]), 1);
    QCOMPARE(int(s.tour[2]), 18);
    QCOMPARE(int(s.tour[3]), 3);
    QCOMPARE(s.lblHotovo, std::string("5%"));
    QCOMPARE(testing::brokenInvariant(s), std::string());
}

void TestPlacement::refusedClicks_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("savesEnabled");
    QTest::newRow("the knight's own square") << 18 << false;
    QTest::newRow("a visited square") << 1 << false;
    QTest::newRow("empty, not a jump") << 2 << true;
    QTest::newRow("empty, -10 but wraps to H1") << 8 << true;
}

void TestPlacement::refusedClicks()
{
    QFETCH(int, target);
    QFETCH(bool, savesEnabled);
    GameState s = freshGame();
    obrPolicko_Click(s, 1);
    obrPolicko_Click(s, 18);
    s.miUlozitEnabled = false;
    s.cmdZpetEnabled = false;
    GameState before = s;
    QCOMPARE(obrPolicko_Click(s, target), ClickOutcome::Refused);
    QVERIFY(s.cmdZpetEnabled);  // every click enables Back
    QCOMPARE(s.miUlozitEnabled, savesEnabled);
    QCOMPARE(s.clickedSquare, target);
    QVERIFY(s.picture == before.picture);
    QVERIFY(s.tour == before.tour);
    QCOMPARE(s.lblBody, before.lblBody);
    QVERIFY(s.line1Visible == before.line1Visible);
}

void TestPlacement::moveAfterStepBackDiscardsLaterSteps()
{
    GameState s = freshGame();
    for (int sq : {1, 18, 3, 13})
        obrPolicko_Click(s, sq);
    StepBack(s);
    StepBack(s);
    QVERIFY(s.cmdVpredEnabled);
    // Repeating the very step taken back still ends what Forward could replay.
    QCOMPARE(obrPolicko_Click(s, 3), ClickOutcome::Moved);
    QVERIFY(!s.cmdVpredEnabled);
    QCOMPARE(int(s.tour[3]), 3);
    QCOMPARE(int(s.tour[4]), 0);
    QCOMPARE(testing::brokenInvariant(s), std::string());
}

void TestPlacement::wholeTour()
{
    const std::vector<int> tour = testing::warnsdorffTour(1);
    QCOMPARE(int(tour.size()), 64);
    GameState s = freshGame();
    for (int k = 0; k < 64; ++k) {
        const ClickOutcome outcome = obrPolicko_Click(s, tour[k]);
        QCOMPARE(outcome, k == 0 ? ClickOutcome::Placed : k == 63 ? ClickOutcome::BoardFull : ClickOutcome::Moved);
        QCOMPARE(testing::brokenInvariant(s), std::string());
    }
    QCOMPARE(s.lblHotovo, std::string("100%"));
    QVERIFY(!s.line1Visible[64]);
    for (int i = 1; i <= 64; ++i)
        QCOMPARE(obrPolicko_Click(s, i), ClickOutcome::Refused);
}

void TestPlacement::squareTagDecidesPicture()
{
    GameState s = freshGame();
    s.tag[1] = 7;  // anything but 1 is light
    s.tag[18] = 1;
    obrPolicko_Click(s, 1);
    QCOMPARE(int(s.picture[1]), 102);
    obrPolicko_Click(s, 18);
    QCOMPARE(int(s.picture[1]), 101);
    QCOMPARE(int(s.picture[18]), 104);
}

QTEST_APPLESS_MAIN(TestPlacement)
#include "tst_placement.moc"
