// The main window as the player sees it: its layout, every control after every gesture of a
// whole game, drawing again only what changed, the keyboard and a screen reader, and twice the
// scale.

#include "app/CoordinateLabels.h"
#include "app/GaugeWidget.h"
#include "tests/support/OpenWindow.h"

#include <QAccessibleActionInterface>
#include <QPainter>
#include <QScreen>

using namespace trevak;
using namespace trevak::testing;

static QString spoken(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

static QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// The window as on the screen, not drawn again for the test.
static QImage onScreen(QWidget *window)
{
    return rgb(window->screen()->grabWindow(window->winId()).toImage());
}

// Round the pixels lighter than mid-grey.
static QRect inkBounds(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The widgets that were sent a paint event.
struct PaintLog : QObject {
    QSet<QObject *> painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted << watched;
        return false;
    }
};

struct Gesture {
    QString play;  // as OpenWindow::play() reads it
    int shownStep;  // afterwards
    bool refused = false;  // with a beep
};

struct Key {
    Qt::Key key;
    QString focus;  // the square that has the focus afterwards
    QString spoken = {};  // what a screen reader hears of it, if checked
};

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        OpenWindow w;
        w.window->setPalette(QPalette(Qt::white, QColor(40, 40, 40)));  // a dark desktop
        QWidget *client = w.window->centralWidget();
        QCOMPARE(w.window->windowTitle(), "Trevak");
        QCOMPARE(client->size(), QSize(561, 384));
        QCOMPARE(client->findChildren<SquareWidget *>().size(), 64);
        const QImage shot = rgb(client->grab().toImage());
        const QImage knight = rgb(QImage(":/pictures/knight.bmp")).copy(0, 0, 106, 126);
        QCOMPARE(shot.copy(385, 95, 106, 126), knight);

        // "Počet bodů:" is drawn on two lines.
        QWidget *points = childShowing(client, "Počet bodů:");
        const int inkHeight = inkBounds(shot.copy(points->geometry())).height();
        QCOMPARE_GT(inkHeight, QFontMetrics(points->font()).height());
        // A square is framed in black all round, whatever was beneath it.
        QImage square(41, 41, QImage::Format_RGB32);
        square.fill(Qt::red);
        w.window->square(1)->render(&square, {}, {}, QWidget::DrawChildren);
        QCOMPARE(square.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(square.pixel(40, 40), qRgb(0, 0, 0));
        QCOMPARE(w.window->saveAction()->isEnabled(), false);

        // Ranks left and right of their rows, files under and over their columns, each drawn
        // on the side nearer the board.
        QStringList captions;
        for (const CoordinateLabels::Caption &caption : CoordinateLabels::captions()) {
            const QString text = caption.text;
            const bool rank = caption.text.isDigit();
            const bool right = caption.rect.left() > 344;
            const bool below = caption.rect.top() > 344;
            const QRect place = caption.rect.adjusted(0, 2, 0, 0) & shot.rect();
            const QRect ink = inkBounds(shot.copy(place)).translated(place.topLeft());
            QVERIFY(!ink.isEmpty());
            if (rank) {
                const QRect row = w.window->square(squareNamed("A" + text))->geometry();
                QCOMPARE(caption.rect.center().y(), row.center().y());
                QCOMPARE_LT(right ? ink.left() - caption.rect.left()
                                  : caption.rect.right() - ink.right(),
                            3);
                captions << text + (right ? " right" : " left");
            } else {
                const QRect column = w.window->square(squareNamed(text + "1"))->geometry();
                QCOMPARE(caption.rect.left(), column.left());
                QCOMPARE_LT(caption.rect.right() - ink.right(), 3);
                captions << text + (below ? " below" : " above");
            }
        }
        QStringList expected;
        for (const char *name : {"1", "2", "3", "4", "5", "6", "7", "8"})
            expected << QString(name) + " left" << QString(name) + " right";
        for (const char *name : {"A", "B", "C", "D", "E", "F", "G", "H"})
            expected << QString(name) + " below" << QString(name) + " above";
        captions.sort();
        expected.sort();
        QCOMPARE(captions, expected);
    }

    // Each square, the counter, the percentage and the gauge on the screen after every gesture;
    // only what changed is drawn again.
    void playWithTheMouse()
    {
        OpenWindow w;
        MainWindow *window = w.window.get();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        PaintLog log;
        qApp->installEventFilter(&log);
        QList<Gesture> gestures = {
            {.play = "A1", .shownStep = 1},
            {.play = "A1", .shownStep = 1, .refused = true},
            {.play = "G1", .shownStep = 1, .refused = true},
            {.play = "C2", .shownStep = 2},
            {.play = "D4", .shownStep = 3},
            {.play = "F3", .shownStep = 4},
            {.play = "Zpět", .shownStep = 3},
            {.play = "Zpět", .shownStep = 2},
            {.play = "Vpřed", .shownStep = 3},
            {.play = "B5", .shownStep = 4},  // a move after Zpět: nothing left for Vpřed
            {.play = "Vpřed", .shownStep = 4},
            {.play = "Zpět", .shownStep = 3},
            {.play = "Zpět", .shownStep = 2},
            {.play = "Zpět", .shownStep = 1},
            {.play = "Zpět", .shownStep = 0},
            {.play = "Vpřed", .shownStep = 1},
            {.play = "Hra > Nová", .shownStep = 0},  // asks, and is answered Ne
        };
        const std::vector<int> tour = wholeTour();
        for (int step = 1; step <= 64; ++step)
            gestures.append({.play = nameOf(tour[step - 1]), .shownStep = step});
        gestures.append({.play = "A1", .shownStep = 64, .refused = true});

        std::array<SquareMark, 64> marks {};  // as last seen
        int shownBefore = 0;
        int beeps = 0;
        for (const Gesture &gesture : std::as_const(gestures)) {
            w.play(gesture.play);
            QCoreApplication::processEvents();
            const QSet<QObject *> painted = std::exchange(log.painted, {});
            const QImage shot = onScreen(window).copy(window->centralWidget()->geometry());
            for (int square = 1; square <= 64; ++square) {
                const SquareMark mark = window->game().markOf(square);
                // Qt's buttons draw themselves as they go down and up, so a square that did not
                // change may be drawn too.
                if (mark != std::exchange(marks[square - 1], mark))
                    QVERIFY(painted.contains(window->square(square)));
                QCOMPARE(window->square(square)->mark(), mark);
                // A black frame round the square's colour and its picture, 40 pixels apart
                // from A1 at the bottom left, neighbours sharing their borders.
                QImage expected(41, 41, QImage::Format_RGB32);
                expected.fill(Qt::black);
                QPainter painter(&expected);
                painter.fillRect(1, 1, 39, 39, isDark(square) ? QColor(128, 64, 64) : Qt::white);
                const QString picture = QString(":/pictures/%1-on-%2.png")
                                            .arg(mark == SquareMark::Knight ? "knight" : "disc",
                                                 isDark(square) ? "dark" : "light");
                if (mark != SquareMark::Empty)
                    painter.drawImage(1, 1, QImage(picture), 0, 0, 39, 39);
                painter.end();
                const QPoint at(24 + 40 * ((square - 1) % 8), 312 - 40 * ((square - 1) / 8));
                // The square with the focus is compared inside its ring.
                const int ring = window->square(square)->hasFocus() ? 5 : 0;
                const QRect inside = QRect(0, 0, 41, 41).adjusted(ring, ring, -ring, -ring);
                QVERIFY2(shot.copy(inside.translated(at)) == expected.copy(inside),
                         qPrintable(nameOf(square)));
            }
            const QString counter = QString::number(gesture.shownStep);
            const QString percent = QString::fromStdString(window->game().percentText());
            QCOMPARE(window->moveCounter()->text(), counter);
            QCOMPARE(spoken(window->moveCounter()), "Počet bodů: " + counter);
            QCOMPARE(spoken(window->percentLabel()), "Zaplněno: " + percent);
            QCOMPARE(window->percentLabel()->text(), percent);
            // One bar 25 pixels wide up from row 342, five rows a stroke; strokes 35 and 36
            // lie on one height.
            const int bar = 5 * gesture.shownStep - (gesture.shownStep > 36 ? 5 : 0);
            QImage gauge(55, 344, QImage::Format_RGB32);
            gauge.fill(window->palette().color(QPalette::Window));
            QPainter(&gauge).fillRect(14, 343 - bar, 25, bar,
                                      window->palette().color(QPalette::WindowText));
            QCOMPARE(shot.copy(506, 0, 55, 344), gauge);
            QCOMPARE(window->gauge()->visibleStrokes(), gesture.shownStep);
            QCOMPARE(painted.contains(window->gauge()), gesture.shownStep != shownBefore);
            shownBefore = gesture.shownStep;
            QCOMPARE(window->backButton()->isEnabled(), window->game().backEnabled());
            QCOMPARE(window->forwardButton()->isEnabled(), window->game().forwardEnabled());
            QCOMPARE(window->saveAction()->isEnabled(), window->game().saveEnabled());
            beeps += gesture.refused ? 1 : 0;
            QCOMPARE(w.services.transcript.count("pípnutí"), beeps);
        }
        QCOMPARE(w.services.transcript,
                 QStringList({"pípnutí", "pípnutí", "Konec? Ne",
                              "zpráva Vyhrál jste.: Blahopřeji, Všechna pole jsou zaplněna.",
                              "pípnutí"}));
    }

    // The arrows move over the board and stop at its edges, Space and Enter play the square;
    // the focus shows as a frame of two pixels inside the border, only after a key.
    void keyboardAndScreenReader()
    {
        OpenWindow w;
        MainWindow *window = w.window.get();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QAccessibleInterface *b1 = QAccessible::queryAccessibleInterface(window->square(2));
        QCOMPARE(b1->role(), QAccessible::Button);
        QCOMPARE(b1->text(QAccessible::Name), "B1, prázdné");
        b1->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(b1->text(QAccessible::Name), "B1, jezdec");
        b1->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QCOMPARE(QApplication::focusWidget(), window->square(2));
        window->square(1)->setFocus(Qt::TabFocusReason);
        // The squares are buttons to a screen reader; the counter stays a text.
        QCOMPARE(QAccessible::queryAccessibleInterface(window->moveCounter())->role(),
                 QAccessible::StaticText);
        const Key keys[] = {
            {.key = Qt::Key_Down, .focus = "A1", .spoken = "A1, prázdné"},
            {.key = Qt::Key_Left, .focus = "A1"},
            {.key = Qt::Key_Up, .focus = "A2", .spoken = "A2, prázdné"},
            {.key = Qt::Key_Up, .focus = "A3"},
            {.key = Qt::Key_Space, .focus = "A3", .spoken = "A3, jezdec"},
            {.key = Qt::Key_Enter, .focus = "A3"},  // refused: the knight is there
            {.key = Qt::Key_Right, .focus = "B3"},
            {.key = Qt::Key_Right, .focus = "C3"},
            {.key = Qt::Key_Up, .focus = "C4"},
            {.key = Qt::Key_Return, .focus = "C4", .spoken = "C4, jezdec"},
            {.key = Qt::Key_Down, .focus = "C3"},
            {.key = Qt::Key_Down, .focus = "C2"},
            {.key = Qt::Key_Down, .focus = "C1"},
            {.key = Qt::Key_Left, .focus = "B1", .spoken = "B1, navštíveno"},
        };
        for (const Key &key : keys) {
            QTest::keyClick(QApplication::focusWidget(), key.key);
            QCoreApplication::processEvents();
            SquareWidget *focus = window->square(squareNamed(key.focus));
            QCOMPARE(QApplication::focusWidget(), focus);
            if (!key.spoken.isEmpty())
                QCOMPARE(spoken(focus), key.spoken);
            const QImage shot = onScreen(window);
            const auto black = [&](int square, QPoint at) {
                return shot.pixel(window->square(square)->mapTo(window, at)) == qRgb(0, 0, 0);
            };
            // The ring's black inside, all round, within the pictures' margin.
            for (int square = 1; square <= 64; ++square) {
                const bool framed = square == squareNamed(key.focus);
                QCOMPARE(black(square, {3, 20}), framed);
                QCOMPARE(black(square, {20, 3}), framed);
                QCOMPARE(black(square, {37, 20}), framed);
                QCOMPARE(black(square, {20, 37}), framed);
                QCOMPARE(black(square, {5, 20}), false);
            }
        }
        // The arrows stop at the top and the right edge too.
        window->square(64)->setFocus(Qt::TabFocusReason);
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Right}) {
            QTest::keyClick(window->square(64), key);
            QCOMPARE(QApplication::focusWidget(), window->square(64));
        }
        QCOMPARE(w.services.transcript, QStringList({"pípnutí"}));
        QCOMPARE(spoken(window->findChild<CoordinateLabels *>()),
                 "Označení řad 1 až 8 a sloupců A až H");
    }

    // At twice the scale the layout is doubled and the pictures come from their 2x artwork.
    void doubled()
    {
        if (qApp->devicePixelRatio() != 2)
            QSKIP("Run on its own at twice the scale (QT_SCALE_FACTOR=2).");
        OpenWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        // Inside a frame of two pixels, the square's picture as in its 2x artwork.
        const auto shows = [&w](const QString &square, const QString &picture) {
            const QImage board = rgb(w.window->centralWidget()->grab().toImage());
            const QPoint at = 2 * w.window->square(squareNamed(square))->pos() + QPoint(2, 2);
            const QImage art = rgb(QImage(":/pictures/" + picture + "@2x.png"));
            // The square with the focus is compared inside its ring.
            const int ring = w.window->square(squareNamed(square))->hasFocus() ? 8 : 0;
            const QRect inside = QRect(0, 0, 78, 78).adjusted(ring, ring, -ring, -ring);
            return board.size() == QSize(1122, 768)
                && board.copy(inside.translated(at)) == art.copy(inside)
                && board.pixel(at + QPoint(78, 78)) == qRgb(0, 0, 0);
        };
        w.play("A1");
        w.play("B3");
        QVERIFY(shows("A1", "disc-on-dark"));
        QVERIFY(shows("B3", "knight-on-light"));
        w.play("D4");
        QVERIFY(shows("B3", "disc-on-light"));
        QVERIFY(shows("D4", "knight-on-dark"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
