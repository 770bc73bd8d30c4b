// The main window as the player sees and hears it: its layout; every square and counter on the
// screen after each click of a whole game, drawn again only where something changed; the keyboard,
// the focus after dialogs and what a screen reader is told.

#include "app/Announcer.h"
#include "app/CoordinateLabels.h"
#include "app/GaugeWidget.h"
#include "tests/support/OpenWindow.h"

using namespace trevak;
using namespace trevak::testing;

static QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// What a screen reader says of a control: "A1, prázdné", "Zpět".
static QString spoken(QObject *control)
{
    return accessible(control)->text(QAccessible::Name);
}

// The result a screen reader was last told, while it shows.
static QString heard(const MainWindow &window)
{
    QAccessibleInterface *announcer = accessible(window.announcer());
    return announcer->state().invisible ? QString() : announcer->text(QAccessible::Name);
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
    QString play;
    int shownStep;  // afterwards
};

struct Keys {
    QString steps;  // from a fresh window, as OpenWindow::play() reads them
    QString focus;  // what a screen reader says of the control with the focus afterwards
    QString heard;  // the last result told
};

// From a fresh window, whose focus is on A1.
const Keys keyRows[] = {
    {.steps = "Tab, Tab", .focus = "A1, prázdné", .heard = ""},
    {.steps = "Down, Left, Up, Right, Right", .focus = "C2, prázdné", .heard = ""},
    {.steps = "H8, Tab, Backtab, Up, Right", .focus = "H8, jezdec", .heard = "Jezdec na H8, tah 1"},
    {.steps = "Space, Up, Up, Right, Enter", .focus = "B3, jezdec", .heard = "Jezdec na B3, tah 2"},
    {.steps = "A1, B3, Tab, Tab, Right, Down, Down, Return",
     .focus = "C1, jezdec",
     .heard = "Jezdec na C1, tah 3"},
    {.steps = "A1, B3, Tab, Tab, Down, Down, Left",
     .focus = "A1, navštíveno",
     .heard = "Jezdec na B3, tah 2"},
    {.steps = "Space, Space", .focus = "A1, jezdec", .heard = "Pole A1 je obsazené."},
    {.steps = "Space, Right, Space", .focus = "B1, prázdné", .heard = "Na pole B1 jezdec neskočí."},
    {.steps = "A1, B3, C1, Tab, Space", .focus = "Zpět", .heard = "Jezdec na B3, tah 2"},
    {.steps = "C2, Tab, Space", .focus = "A1, prázdné", .heard = "Šachovnice je prázdná, tah 0"},
    {.steps = "A1, B3, C1, Zpět, Zpět, Tab, Tab, Space",
     .focus = "Vpřed",
     .heard = "Jezdec na B3, tah 2"},
    {.steps = "A1, B3, Zpět, Tab, Tab, Space",
     .focus = "B3, jezdec",
     .heard = "Jezdec na B3, tah 2"},
    // After a dialog, the focus where the player left it. Nothing is told of a board emptied by
    // Nová or Načíst: the last result still shows.
    {.steps = "A1, B3, Tab, Hra > Nová", .focus = "A1, prázdné", .heard = "Jezdec na B3, tah 2"},
    {.steps = "A1, B3, Tab, Hra > Načíst",  // Zpět goes off
     .focus = "A1, prázdné",
     .heard = "Jezdec na B3, tah 2"},
    {.steps = "Right, Nápověda > Pomoc", .focus = "B1, prázdné", .heard = ""},
    {.steps = "A1, B3, Up, odhlásit",  // answered Zrušit
     .focus = "A2, prázdné",
     .heard = "Jezdec na B3, tah 2"},
};

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        OpenWindow w;
        QWidget *client = w.window->centralWidget();
        QCOMPARE(w.window->windowTitle(), "Trevak");
        QCOMPARE(client->size(), QSize(561, 384));
        const QImage shot = rgb(client->grab().toImage());
        const QImage knight = rgb(QImage(":/pictures/knight.bmp")).copy(0, 0, 106, 126);
        QCOMPARE(shot.copy(385, 95, 106, 126), knight);
        // The files are lettered alike above and below the board, in ink on the window's colour.
        const QRect a1 = w.window->square(squareNamed("A1"))->geometry();
        const QRect files = a1 | w.window->square(squareNamed("H1"))->geometry();
        const QImage above = shot.copy(files.left(), 1, files.width(), 24);
        QCOMPARE(shot.copy(files.left(), files.bottom() + 1, files.width(), 24), above);
        QVERIFY(above != shot.copy(0, 0, 1, 1).scaled(above.size()));
        // Each rank's number level with its row, left and right of the board.
        for (const CoordinateLabels::Caption &caption : CoordinateLabels::captions()) {
            if (!caption.text.isDigit())
                continue;
            const QRect row
                = w.window->square(squareNamed(QString("A") + caption.text))->geometry();
            QCOMPARE(caption.rect.center().y(), row.center().y());
        }
        // The menus with their underlined letters, and the lines between groups of items.
        QStringList menus;
        for (QAction *menu : w.window->menuBar()->actions()) {
            QStringList items;
            for (QAction *item : menu->menu()->actions())
                items << (item->isSeparator() ? "----" : item->text());
            menus << menu->text() + ": " + items.join(", ");
        }
        QCOMPARE(menus,
                 QStringList({"&Hra: &Nová, ----, &Uložit, N&ačíst, ----, &Konec",
                              "&Nápověda: &Pomoc, &O programu"}));
        // A square is framed in black all round, whatever was beneath it.
        QImage square(41, 41, QImage::Format_RGB32);
        square.fill(Qt::red);
        w.window->square(1)->render(&square, {}, {}, QWidget::DrawChildren);
        QCOMPARE(square.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(square.pixel(40, 40), qRgb(0, 0, 0));
    }

    // Each square, the counter, the percentage and the gauge on the screen after every gesture;
    // only what changed is drawn again.
    void playWithTheMouse()
    {
        OpenWindow w;
        MainWindow *window = w.window.get();
        QVERIFY(QTest::qWaitForWindowActive(window));
        PaintLog log;
        qApp->installEventFilter(&log);
        QList<Gesture> gestures = {
            {.play = "A1", .shownStep = 1},
            {.play = "A1", .shownStep = 1},  // refused, with a beep
            {.play = "G1", .shownStep = 1},  // refused, with a beep
            {.play = "C2", .shownStep = 2},
            {.play = "D4", .shownStep = 3},
            {.play = "F3", .shownStep = 4},
            {.play = "Zpět", .shownStep = 3},
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
        gestures.append({.play = "A1", .shownStep = 64});  // refused, with a beep

        std::array<SquareMark, 64> marks {};  // as last seen
        int shownBefore = 0;
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
                // The square with the focus, A1, is compared inside its ring: black two pixels
                // inside the border all round, and not further in.
                const int ring = square == 1 ? 5 : 0;
                const QRect inside = QRect(0, 0, 41, 41).adjusted(ring, ring, -ring, -ring);
                QVERIFY2(shot.copy(inside.translated(at)) == expected.copy(inside),
                         qPrintable(nameOf(square)));
                const QPoint sides[] = {{3, 20}, {20, 3}, {37, 20}, {20, 37}};
                for (const QPoint side : sides)
                    QCOMPARE(shot.pixel(at + side) == qRgb(0, 0, 0), square == 1);
                QVERIFY(shot.pixel(at + QPoint(5, 20)) != qRgb(0, 0, 0));
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
            QCOMPARE(painted.contains(window->gauge()), gesture.shownStep != shownBefore);
            shownBefore = gesture.shownStep;
            QCOMPARE(window->backButton()->isEnabled(), window->game().backEnabled());
            QCOMPARE(window->forwardButton()->isEnabled(), window->game().forwardEnabled());
            QCOMPARE(window->saveAction()->isEnabled(), window->game().saveEnabled());
        }
        QCOMPARE(w.services.transcript,
                 QStringList({"pípnutí", "pípnutí", "Konec? Ne",
                              "zpráva Vyhrál jste.: Blahopřeji, Všechna pole jsou zaplněna.",
                              "pípnutí"}));
        QCOMPARE(heard(*window), "Všechna pole jsou zaplněna.");
    }

    void keyboard_data()
    {
        QTest::addColumn<Keys>("keys");
        for (const Keys &row : keyRows)
            QTest::newRow(qPrintable(row.steps)) << row;
    }

    // Where the focus ends and the last result told; a control pressed with Space, or the square
    // the focus went to from it, describes the result too. The menus are used by keyboard, so
    // the menu bar has the focus while a dialog, another window, is open; afterwards this window
    // is active, the focus where the player left it.
    void keyboard()
    {
        QFETCH(Keys, keys);
        OpenWindow w;
        MainWindow *window = w.window.get();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QWidget other;
        w.services.whileModal = [&] {
            window->menuBar()->setFocus(Qt::MenuBarFocusReason);
            other.show();
            other.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &other);
        };
        for (const QString &step : keys.steps.split(", ", Qt::SkipEmptyParts))
            w.play(step);
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCoreApplication::processEvents();
        QCOMPARE(spoken(QApplication::focusWidget()), keys.focus);
        QCOMPARE(heard(*window), keys.heard);
        if (keys.steps.endsWith("Space"))
            QCOMPARE(accessible(QApplication::focusWidget())->text(QAccessible::Description),
                     keys.heard);
    }

    // What a screen reader finds besides the squares' names and the results told.
    void screenReader()
    {
        OpenWindow w;
        MainWindow *window = w.window.get();
        QAccessibleInterface *b1 = accessible(window->square(squareNamed("B1")));
        QCOMPARE(b1->role(), QAccessible::Button);
        b1->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(b1->text(QAccessible::Name), "B1, jezdec");
        w.play("C3");
        w.play("D1");
        QAccessibleInterface *gauge = accessible(window->gauge());
        QCOMPARE(gauge->role(), QAccessible::ProgressBar);
        QCOMPARE(gauge->valueInterface()->currentValue().toInt(), 5);  // 3 of 64 squares
        QStringList texts;
        QAccessibleInterface *client = accessible(window->centralWidget());
        for (int i = 0; i < client->childCount(); ++i)
            texts << client->child(i)->text(QAccessible::Name);
        QVERIFY(texts.contains("Obrázek šachového jezdce"));
        QVERIFY(texts.contains("Označení řad 1 až 8 a sloupců A až H"));
        // The counter is read with its caption, the caption not on its own.
        QCOMPARE(texts.filter("Počet bodů"), QStringList {"Počet bodů: 3"});
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
