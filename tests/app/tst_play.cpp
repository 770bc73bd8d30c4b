// Playing through the real window: clicks on the squares, the buttons, what the window shows.

#include "app/FrmTrevak.h"
#include "app/GaugeWidget.h"
#include "app/SquareWidget.h"
#include "tests/support/Invariants.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/TourMaker.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace trevak;

class TestPlay : public testing::WindowTest {
    Q_OBJECT
private slots:
    void wholeTourThroughTheWindow();
    void refusedClicksBeep();
    void buttonTable();
    void backAndForwardThroughTheButtons();
    void gaugeOnScreen();

private:
    void click(int square) { m_game->click(square); }
    void press(const char *button) { m_game->press(button); }
    QString caption(const char *label) const { return m_game->caption(label); }
    bool enabled(const char *name) const { return m_game->enabled(name); }
    // The window shows exactly the game's state.
    void verifyShown()
    {
        const GameState &s = m_window->state();
        QCOMPARE(testing::brokenInvariant(s), std::string());
        for (int i = 1; i <= 64; ++i)
            QCOMPARE(m_window->square(i)->pictureId(), int(s.picture[i]));
        QCOMPARE(caption("LblBody"), QString::number(s.lblBody));
        QCOMPARE(caption("LblHotovo"), QString::fromStdString(s.lblHotovo));
        const auto *gauge = m_window->findChild<GaugeWidget *>(QStringLiteral("Line1"));
        for (int k = 0; k < 65; ++k)
            QCOMPARE(gauge->isStrokeVisible(k), s.line1Visible[k]);
        QCOMPARE(enabled("CmdZpet"), s.cmdZpetEnabled);
        QCOMPARE(enabled("CmdVpred"), s.cmdVpredEnabled);
        QCOMPARE(enabled("miUlozit"), s.miUlozitEnabled);
    }

};



void TestPlay::wholeTourThroughTheWindow()
{
    const std::vector<int> tour = testing::warnsdorffTour(1);
    QCOMPARE(int(tour.size()), 64);
    QString shownAtCongratulation;
    m_toolkit->whileMsgBoxOpen = [&](const QString &) { shownAtCongratulation = caption("LblBody"); };
    const QMap<int, QString> ties{{8, "12%"}, {24, "38%"}, {40, "62%"}, {56, "88%"}};
    for (int k = 0; k < 64; ++k) {
        click(tour[k]);
        verifyShown();
        if (ties.contains(k + 1))
            QCOMPARE(caption("LblHotovo"), ties[k + 1]);
        if (k < 63)
            QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 0);
    }
    QCOMPARE(m_toolkit->count(QStringLiteral("beep")), 0);
    const auto boxes = m_toolkit->callsTo(QStringLiteral("msgBox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].args, (QStringList{"Blahopřeji, Všechna pole jsou zaplněna.", "0", "Vyhrál jste."}));
    QCOMPARE(shownAtCongratulation, QStringLiteral("64"));  // the box comes after the move is shown
    QCOMPARE(caption("LblBody"), QStringLiteral("64"));
    QCOMPARE(caption("LblHotovo"), QStringLiteral("100%"));
    for (int i = 1; i <= 64; ++i)
        click(i);
    QCOMPARE(m_toolkit->count(QStringLiteral("beep")), 64);
    QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);
    verifyShown();
}

void TestPlay::refusedClicksBeep()
{
    click(1);
    QCOMPARE(m_toolkit->count(QStringLiteral("beep")), 0);
    click(1);   // the knight's own square
    click(7);   // A1 to G1 is no jump
    click(2);
    QCOMPARE(m_toolkit->count(QStringLiteral("beep")), 3);
    QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 0);
    QVERIFY(enabled("miUlozit"));  // offered by the refused attempts on empty squares
    QCOMPARE(caption("LblBody"), QStringLiteral("1"));
    verifyShown();
}

void TestPlay::buttonTable()
{
    struct Row {
        const char *event;
        std::function<void()> act;
        bool back, forward, save;
    };
    const QList<Row> rows{
        {"window load", [] {}, false, false, false},
        {"first placement", [this] { click(1); }, true, false, false},
        {"refused move", [this] { click(2); }, true, false, true},
        {"move", [this] { click(18); }, true, false, true},
        {"move", [this] { click(3); }, true, false, true},
        {"back", [this] { press("CmdZpet"); }, true, true, true},
        {"back", [this] { press("CmdZpet"); }, true, true, true},
        {"forward, more recorded", [this] { press("CmdVpred"); }, true, true, true},
        {"forward, last recorded", [this] { press("CmdVpred"); }, true, false, true},
        {"back", [this] { press("CmdZpet"); }, true, true, true},
        {"move discards", [this] { click(35); }, true, false, true},
        {"back", [this] { press("CmdZpet"); }, true, true, true},
        {"back", [this] { press("CmdZpet"); }, true, true, true},
        {"back to empty", [this] { press("CmdZpet"); }, false, true, true},
        {"forward from empty", [this] { press("CmdVpred"); }, true, true, true},
    };
    for (const Row &row : rows) {
        row.act();
        QVERIFY2(enabled("CmdZpet") == row.back, row.event);
        QVERIFY2(enabled("CmdVpred") == row.forward, row.event);
        QVERIFY2(enabled("miUlozit") == row.save, row.event);
        verifyShown();
    }
}

void TestPlay::backAndForwardThroughTheButtons()
{
    const std::vector<int> tour = testing::warnsdorffTour(36);
    QCOMPARE(int(tour.size()), 64);
    for (int sq : tour)
        click(sq);
    const QImage full = m_window->centralWidget()->grab().toImage();
    for (int k = 0; k < 64; ++k)
        press("CmdZpet");
    QCOMPARE(caption("LblBody"), QStringLiteral("0"));
    QCOMPARE(caption("LblHotovo"), QStringLiteral("0%"));
    QVERIFY(!enabled("CmdZpet"));
    verifyShown();
    for (int k = 0; k < 64; ++k)
        press("CmdVpred");
    verifyShown();
    QCOMPARE(m_toolkit->count(QStringLiteral("msgBox")), 1);  // replaying the last step congratulates nobody
    // Buttons aside, the window looks as before.
    QImage again = m_window->centralWidget()->grab().toImage();
    const QRect board(0, 0, 380, 384);
    QCOMPARE(again.copy(board), full.copy(board));
}

void TestPlay::gaugeOnScreen()
{
    const auto *gauge = m_window->findChild<GaugeWidget *>(QStringLiteral("Line1"));
    const int x = gauge->geometry().center().x();
    auto inked = [&](int y) {
        const QImage shot = m_window->centralWidget()->grab().toImage();
        return shot.pixelColor(x, y) == m_window->palette().color(QPalette::WindowText);
    };
    QVERIFY(!inked(340));
    click(1);
    QVERIFY(inked(338) && inked(342));  // stroke 0: five pixels round y 340
    QVERIFY(!inked(336));
    click(18);
    QVERIFY(inked(336));  // strokes 0 and 1 merge into one bar
    QVERIFY(inked(333));
    press("CmdZpet");
    QVERIFY(!inked(336) && inked(340));
}

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
