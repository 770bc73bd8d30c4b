// Long random games on the game state: every action keeps the board, the labels and the
// gauge consistent with the tour.

#include "game/Placement.h"
#include "history/History.h"
#include "tests/support/Invariants.h"
#include "tests/support/TourMaker.h"

#include <QTest>
#include <random>

using namespace trevak;

class TestRandomPlay : public QObject {
    Q_OBJECT
private slots:
    void invariantsHoldThroughRandomActions();
};

void TestRandomPlay::invariantsHoldThroughRandomActions()
{
    std::mt19937 random(20261207);
    GameState s;
    Form_Load(s);
    long accepted = 0;
    long fullBoards = 0;
    for (long action = 0; action < 150000; ++action) {
        const int roll = int(random() % 1000) / 10;
        const bool reset = random() % 500 == 0;
        if (reset) {
            ResetBoard(s);
            QVERIFY(!s.cmdZpetEnabled && !s.cmdVpredEnabled);
        } else if (roll < 70) {
            int target = int(random() % 64) + 1;
            if (s.knightPlaced != 0 && roll < 60) {
                // Mostly aim at a legal jump, so games get long.
                std::vector<int> open;
                for (int t : testing::jumpsFrom(s.currentSquare)) {
                    if (s.picture[t] == NoPicture)
                        open.push_back(t);
                }
                if (!open.empty()) {
                    target = open[random() % open.size()];
                    // Half the time follow Warnsdorff's rule, so some games fill the board.
                    if (random() % 2 == 0) {
                        auto onward = [&s](int t) {
                            int count = 0;
                            for (int u : testing::jumpsFrom(t))
                                count += (s.picture[u] == NoPicture && u != t) ? 1 : 0;
                            return count;
                        };
                        for (int t : open)
                            target = onward(t) < onward(target) ? t : target;
                    }
                }
            }
            const int filledBefore = s.lblBody;
            const ClickOutcome outcome = obrPolicko_Click(s, target);
            if (outcome == ClickOutcome::Moved || outcome == ClickOutcome::BoardFull) {
                ++accepted;
                QCOMPARE(s.lblBody, filledBefore + 1);
                QVERIFY(!s.cmdVpredEnabled);
                for (int k = s.lblBody + 1; k <= 64; ++k)
                    QCOMPARE(int(s.tour[k]), 0);
            }
            if (outcome == ClickOutcome::BoardFull)
                ++fullBoards;
            QVERIFY(s.cmdZpetEnabled);
        } else if (roll < 88) {
            if (!s.cmdZpetEnabled)
                continue;
            const int shown = s.lblBody;
            StepBack(s);
            QCOMPARE(s.lblBody, shown > 0 ? shown - 1 : 0);
            QVERIFY(s.cmdVpredEnabled);
            QCOMPARE(s.cmdZpetEnabled, s.lblBody > 0);
        } else {
            if (!s.cmdVpredEnabled)
                continue;
            const int shown = s.lblBody;
            StepForward(s);
            QCOMPARE(s.lblBody, shown + 1);
            QCOMPARE(s.cmdVpredEnabled, s.lblBody < 64 && s.tour[s.lblBody + 1] != 0);
        }
        const std::string broken = testing::brokenInvariant(s);
        if (!broken.empty())
            QFAIL(qPrintable(QStringLiteral("after action %1: %2").arg(action).arg(QString::fromStdString(broken))));
    }
    QVERIFY(accepted > 10000);
    QVERIFY(fullBoards > 0);
    qInfo("accepted moves: %ld, full boards: %ld", accepted, fullBoards);
}

QTEST_APPLESS_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
