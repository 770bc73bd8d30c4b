// Playing by keyboard, and what a screen reader learns about the window.

#include "app/FrmTrevak.h"
#include "app/SquareWidget.h"
#include "tests/support/OpenWindow.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace trevak;

namespace {
QString spokenName(QObject *object)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}
}  // namespace

class TestKeyboard : public testing::WindowTest {
    Q_OBJECT
private slots:
    void tabOrder();
    void arrowsMoveOverTheBoard_data();
    void arrowsMoveOverTheBoard();
    void spaceAndEnterPlay();
    void focusFrameKeepsThePicture();
    void mouseClickShowsNoFrame();
    void screenReaderNames();
    void screenReaderPress();
};



void TestKeyboard::tabOrder()
{
    // The squares A1..H8 come first, then Back and Forward.
    QWidget *widget = m_window->square(1);
    for (int i = 2; i <= 64; ++i) {
        widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus))
            widget = widget->nextInFocusChain();
        QCOMPARE(widget, static_cast<QWidget *>(m_window->square(i)));
    }
    do {
        widget = widget->nextInFocusChain();
    } while (!(widget->focusPolicy() & Qt::TabFocus));
    QCOMPARE(widget->objectName(), QStringLiteral("CmdZpet"));
    do {
        widget = widget->nextInFocusChain();
    } while (!(widget->focusPolicy() & Qt::TabFocus));
    QCOMPARE(widget->objectName(), QStringLiteral("CmdVpred"));
}

void TestKeyboard::arrowsMoveOverTheBoard_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("up from A1 is A2") << 1 << int(Qt::Key_Up) << 9;
    QTest::newRow("right from A1 is B1") << 1 << int(Qt::Key_Right) << 2;
    QTest::newRow("down from A2 is A1") << 9 << int(Qt::Key_Down) << 1;
    QTest::newRow("left from B1 is A1") << 2 << int(Qt::Key_Left) << 1;
    QTest::newRow("no wrap left of A2") << 9 << int(Qt::Key_Left) << 9;
    QTest::newRow("no wrap right of H1") << 8 << int(Qt::Key_Right) << 8;
    QTest::newRow("top edge at H8") << 64 << int(Qt::Key_Up) << 64;
    QTest::newRow("bottom edge at A1") << 1 << int(Qt::Key_Down) << 1;
}

void TestKeyboard::arrowsMoveOverTheBoard()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    m_window->square(from)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->square(from), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window->square(to)));
}

void TestKeyboard::spaceAndEnterPlay()
{
    // No Tab needed: the first square has the focus, and a key shows its frame.
    const QImage before = m_window->square(1)->grab().toImage();
    QTest::keyClick(m_window->square(1), Qt::Key_Space);
    QCOMPARE(m_window->square(1)->grab().toImage().pixelColor(2, 20), QColor(0, 120, 215));
    QVERIFY(before.pixelColor(2, 20) != QColor(0, 120, 215));
    QCOMPARE(m_window->state().lblBody, 1);
    QCOMPARE(m_window->square(1)->pictureId(), 104);
    // Up, up, right: B3, a knight's jump from A1.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window->square(18)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_window->state().lblBody, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);  // its own square: refused
    QCOMPARE(m_toolkit->count(QStringLiteral("beep")), 1);
}

void TestKeyboard::focusFrameKeepsThePicture()
{
    QTest::mouseClick(m_window->square(1), Qt::LeftButton);
    m_window->square(2)->setFocus(Qt::TabFocusReason);
    const QImage plain = m_window->square(1)->grab().toImage();
    m_window->square(1)->setFocus(Qt::TabFocusReason);
    const QImage framed = m_window->square(1)->grab().toImage();
    QVERIFY(plain != framed);
    QCOMPARE(framed.pixelColor(2, 20), QColor(0, 120, 215));
    // Inside the frame the picture is untouched.
    const QRect inner(5, 5, 31, 31);
    QCOMPARE(framed.copy(inner), plain.copy(inner));
    m_window->square(2)->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_window->square(1)->grab().toImage(), plain);
}

void TestKeyboard::mouseClickShowsNoFrame()
{
    // The first square holds the focus from the start, but shows it only to keyboard players.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window->square(1)));
    const QImage before = m_window->centralWidget()->grab().toImage();
    QTest::mouseClick(m_window->square(1), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("CmdZpet")), Qt::LeftButton);
    const QImage after = m_window->centralWidget()->grab().toImage();
    const QRect board(0, 0, 380, 384);
    QCOMPARE(after.copy(board), before.copy(board));
}

void TestKeyboard::screenReaderNames()
{
    QCOMPARE(spokenName(m_window->square(1)), QStringLiteral("A1, prázdné"));
    QTest::mouseClick(m_window->square(1), Qt::LeftButton);
    QTest::mouseClick(m_window->square(11), Qt::LeftButton);
    QCOMPARE(spokenName(m_window->square(1)), QStringLiteral("A1, navštíveno"));
    QCOMPARE(spokenName(m_window->square(11)), QStringLiteral("C2, jezdec"));
    QCOMPARE(spokenName(m_window->square(18)), QStringLiteral("B3, prázdné"));
    QCOMPARE(spokenName(m_window->findChild<QLabel *>(QStringLiteral("LblBody"))), QStringLiteral("Počet bodů: 2"));
    QCOMPARE(spokenName(m_window->findChild<QLabel *>(QStringLiteral("LblHotovo"))), QStringLiteral("Zaplněno: 3%"));
    QCOMPARE(spokenName(m_window->findChild<QPushButton *>(QStringLiteral("CmdZpet"))), QStringLiteral("Zpět"));
    QCOMPARE(spokenName(m_window->findChild<QPushButton *>(QStringLiteral("CmdVpred"))), QStringLiteral("Vpřed"));
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("CmdZpet")), Qt::LeftButton);
    QCOMPARE(spokenName(m_window->square(11)), QStringLiteral("C2, prázdné"));
    QCOMPARE(spokenName(m_window->square(1)), QStringLiteral("A1, jezdec"));
    QAccessibleInterface *square = QAccessible::queryAccessibleInterface(m_window->square(1));
    QCOMPARE(square->role(), QAccessible::Button);
    QVERIFY(square->state().focusable);
}

void TestKeyboard::screenReaderPress()
{
    QAccessibleInterface *square = QAccessible::queryAccessibleInterface(m_window->square(20));
    QAccessibleActionInterface *actions = square->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_window->square(20)->pictureId(), 102);
    QCOMPARE(spokenName(m_window->square(20)), QStringLiteral("D3, jezdec"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
