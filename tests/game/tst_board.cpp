// Board geometry, colour classes, the percentage and the jump rule.

#include "game/Board.h"
#include "tests/support/TourMaker.h"

#include <QTest>

using namespace trevak;

class TestBoard : public QObject {
    Q_OBJECT
private slots:
    void indexRowColumn_data();
    void indexRowColumn();
    void everyIndexRoundTrips();
    void colourClasses_data();
    void colourClasses();
    void percentage();
    void jumpRuleMatchesRowsAndColumns();
    void jumpEdges_data();
    void jumpEdges();
};

void TestBoard::indexRowColumn_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("A1") << 1 << 0 << 0 << "A1";
    QTest::newRow("B1") << 2 << 0 << 1 << "B1";
    QTest::newRow("H1") << 8 << 0 << 7 << "H1";
    QTest::newRow("A2") << 9 << 1 << 0 << "A2";
    QTest::newRow("C2") << 11 << 1 << 2 << "C2";
    QTest::newRow("A8") << 57 << 7 << 0 << "A8";
    QTest::newRow("H8") << 64 << 7 << 7 << "H8";
}

void TestBoard::indexRowColumn()
{
    QFETCH(int, index);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(rowOf(index), row);
    QCOMPARE(columnOf(index), column);
    QCOMPARE(indexAt(row, column), index);
    QCOMPARE(QString::fromStdString(squareName(index)), name);
}

void TestBoard::everyIndexRoundTrips()
{
    for (int i = 1; i <= 64; ++i)
        QCOMPARE(indexAt(rowOf(i), columnOf(i)), i);
}

void TestBoard::colourClasses_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("visited");
    QTest::addColumn<int>("knight");
    QTest::newRow("1 is dark") << 1 << true << 103 << 104;
    QTest::newRow("2 is light") << 2 << false << 101 << 102;
    QTest::newRow("0 counts as light") << 0 << false << 101 << 102;
    QTest::newRow("3 counts as light") << 3 << false << 101 << 102;
    QTest::newRow("-1 counts as light") << -1 << false << 101 << 102;
}

void TestBoard::colourClasses()
{
    QFETCH(int, tag);
    QFETCH(bool, dark);
    QFETCH(int, visited);
    QFETCH(int, knight);
    QCOMPARE(isDarkTag(tag), dark);
    QCOMPARE(int(visitedPicture(tag)), visited);
    QCOMPARE(int(knightPicture(tag)), knight);

    QCOMPARE(designTag(1), 1);   // A1 dark
    QCOMPARE(designTag(64), 1);  // H8 dark
    QCOMPARE(designTag(8), 2);   // H1 light
    QCOMPARE(designTag(57), 2);  // A8 light
}

void TestBoard::percentage()
{
    // Exact value 25n/16; on a half, the even neighbour wins.
    for (int n = 0; n <= 64; ++n) {
        const int whole = 25 * n / 16;
        const int rest = 25 * n % 16;
        int expected = whole;
        if (rest > 8 || (rest == 8 && whole % 2 == 1))
            expected = whole + 1;
        QCOMPARE(percentOf(n), expected);
    }
    QCOMPARE(percentOf(8), 12);
    QCOMPARE(percentOf(24), 38);
    QCOMPARE(percentOf(40), 62);
    QCOMPARE(percentOf(56), 88);
    QCOMPARE(percentOf(1), 2);
    QCOMPARE(percentOf(3), 5);
    QCOMPARE(percentOf(63), 98);
    QCOMPARE(percentOf(64), 100);
}

void TestBoard::jumpRuleMatchesRowsAndColumns()
{
    for (int from = 1; from <= 64; ++from) {
        for (int delta : {17, 15, 10, 6, -6, -10, -15, -17}) {
            const int to = from + delta;
            if (to < 1 || to > 64) {
                QVERIFY(!isKnightJump(from, to));
                continue;
            }
            QCOMPARE(isKnightJump(from, to), testing::jumpByRowsAndColumns(from, to));
        }
        for (int to = 1; to <= 64; ++to)
            QCOMPARE(isKnightJump(from, to), testing::jumpByRowsAndColumns(from, to));
    }
}

void TestBoard::jumpEdges_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("jump");
    QTest::newRow("A1-C2") << 1 << 11 << true;
    QTest::newRow("A1-B3") << 1 << 18 << true;
    QTest::newRow("A1-G1 (+6, six columns)") << 1 << 7 << false;
    QTest::newRow("H1-B3 (+10 wraps)") << 8 << 18 << false;
    QTest::newRow("H1-A4 (+17 wraps)") << 8 << 25 << false;
    QTest::newRow("A2-H3 (+15 wraps)") << 9 << 24 << false;
    QTest::newRow("H8-G6") << 64 << 47 << true;
    QTest::newRow("H8-F7") << 64 << 54 << true;
    QTest::newRow("same square") << 20 << 20 << false;
}

void TestBoard::jumpEdges()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, jump);
    QCOMPARE(isKnightJump(from, to), jump);
    QCOMPARE(isKnightJump(to, from), jump);
}

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
