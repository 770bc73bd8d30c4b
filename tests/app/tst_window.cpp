// The main window as the player sees and uses it, and after every event each control against the
// game it holds.

#include "app/CoordinateLabels.h"
#include "app/GaugeWidget.h"
#include "tests/support/OpenWindow.h"
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <ranges>

using namespace trevak;
static bool isDark(int square)
{
    return ((square - 1) / 8 + (square - 1) % 8) % 2 == 0;
}  // A1 is dark
static QString spoken(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}
static QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}
static QRect inkBounds(const QImage &image)  // round everything lighter than mid-grey
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink |= qGray(image.pixel(x, y)) > 128 ? QRect(x, y, 1, 1) : QRect();
    return ink;
}

struct PaintLog : QObject {  // the widgets that received a paint event
    QSet<QObject *> painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted << watched;
        return false;
    }
};

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        testing::OpenWindow w;
        w.window->setPalette(
            QPalette(Qt::white, QColor(40, 40, 40)));  // a dark desktop: light text
        QWidget *client = w.window->centralWidget();
        QCOMPARE(std::tuple(w.window->windowTitle(), client->size()),
                 std::tuple(QString("Trevak"), QSize(561, 384)));
        QCOMPARE(client->findChildren<SquareWidget *>().size(), qsizetype(64));
        const QImage shot = rgb(client->grab().toImage());
        QVERIFY(shot.copy(385, 95, 106, 126)
                == rgb(QImage(":/pictures/knight.bmp")).copy(0, 0, 106, 126));
        const std::tuple<QRect, QString, qreal, int> side[]
            = {{{384, 8, 49, 49}, "Počet bodů:", 13.5, 2},
               {{440, 32, 65, 25}, "0", 13.5, 1},
               {{520, 344, 33, 17}, "0%", 9.75, 1},
               {{416, 264, 65, 33}, "Zpět", 12, 0},
               {{416, 312, 65, 33}, "Vpřed", 12, 0}};
        for (const auto &[place, caption, points, lines] :
             side) {  // "Počet bodů:" drawn on two lines
            QWidget *label = testing::childShowing(client, caption);
            const int ink = inkBounds(shot.copy(place)).height(),
                      line = QFontMetrics(label->font()).height();
            QCOMPARE(std::tuple(label->geometry(), label->property("text").toString(),
                                label->font().pointSizeF()),
                     std::tuple(place, caption, points));
            QVERIFY2(label->font().bold() == !lines
                         && (!lines || (ink >= lines * line / 2 && ink <= lines * line)),
                     qPrintable(caption));
        }
        QString seen;  // ranks left and right of their rows, files under and over their columns,
                       // inked nearer the board
        for (const CoordinateLabels::Caption &c : CoordinateLabels::captions()) {
            const bool rank = c.text.isDigit(), right = c.rect.left() > 344;
            const QRect line
                = w.window->square(rank ? 8 * c.text.digitValue() - 7 : c.text.unicode() - 'A' + 1)
                      ->geometry();
            QVERIFY(rank ? c.rect.center().y() == line.center().y() : c.rect.left() == line.left());
            const QRect box = c.rect.adjusted(0, 2, 0, 0) & shot.rect(),
                        ink = inkBounds(shot.copy(box)).translated(box.topLeft());
            QVERIFY(!ink.isEmpty()
                    && (right ? ink.left() - c.rect.left() < 3 : c.rect.right() - ink.right() < 3));
            seen += c.text
                + QLatin1Char(rank ? (right ? '>' : '<') : (c.rect.top() > 344 ? '_' : '^'));
        }
        QCOMPARE(seen, "8<7<6<5<4<3<2<1<8>7>6>5>4>3>2>1>A_B_C_D_E_F_G_H_A^B^D^F^G^H^C^E^");
        QStringList tree;  // the menus with their items indented, "(off)" where disabled
        for (QAction *top : w.window->menuBar()->actions())
            for (QAction *item : QList<QAction *> {top} + top->menu()->actions())
                tree << (item == top             ? ""
                             : item->isEnabled() ? "  "
                                                 : "  (off) ")
                        + (item->isSeparator() ? "-" : item->text());
        QCOMPARE(tree,
                 (QStringList {"&Hra", "  &Nová", "  -", "  (off) &Uložit", "  N&ačíst", "  -",
                               "  &Konec", "&Nápověda", "  &Pomoc", "  &O programu"}));
        const auto places
            = client->findChildren<QWidget *>() | std::views::transform(&QWidget::geometry);
        const QList<QRect> before(places.begin(), places.end());
        w.window->resize(900, 700);
        QCOMPARE(client->width(), 900);
        QVERIFY(std::ranges::equal(client->findChildren<QWidget *>(), before, {},
                                   &QWidget::geometry));  // nothing moves
    }

    void playWithTheMouse()
    {
        testing::OpenWindow w;
        MainWindow *win = w.window.get();
        GaugeWidget *gauge = win->gauge();
        QVERIFY(QTest::qWaitForWindowExposed(win));
        PaintLog log;
        qApp->installEventFilter(&log);
        std::array<SquareMark, 64> marks {};  // as last seen, all empty at the start
        w.services.whileModal = [&] {
            w.services.calls.last() << w.counter();
        };  // the counter shown behind it
        QVERIFY(!win->game().backEnabled() && !win->game().forwardEnabled()
                && !win->game().saveEnabled());  // all off at first
        const std::function<void()> gestures[] = {
            [] {},
            [&] { w.press(win->backButton()); },
            [&] { w.press(win->forwardButton()); },
            [&] {  // "&Hra", then "&Nová"
                QAction *newGame = w.item("Nová");
                auto *menu = qobject_cast<QMenu *>(newGame->parent());
                QTest::mouseClick(win->menuBar(), Qt::LeftButton, {},
                                  win->menuBar()->actionGeometry(menu->menuAction()).center());
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(newGame).center());
            },
            [&] {
                QTest::mouseClick(win->square(5), Qt::LeftButton, {}, QPoint(60, 20));
            },  // E1, released beside it
            [&] {
                QTest::mouseRelease(win->square(1), Qt::LeftButton);
            }};  // a release alone, as when the press closed a menu
        // Done, then the step shown: a square or minus a gesture's index. Refused: A1 again, G1; a
        // move after Back ends Forward.
        std::vector<std::pair<int, int>> rows
            = {{0, 0},  {1, 1},  {1, 1},  {7, 1},  {11, 2}, {-4, 2}, {-5, 2},
               {28, 3}, {22, 4}, {-1, 3}, {-1, 2}, {-2, 3}, {34, 4}, {-2, 4},
               {-1, 3}, {-1, 2}, {-1, 1}, {-1, 0}, {-2, 1}, {-3, 0}};
        const int tour[] = {1,  11, 5,  15, 32, 47, 64, 54, 48, 63, 53, 59, 49, 34, 17, 2,  12,
                            6,  16, 22, 7,  24, 39, 56, 62, 52, 58, 41, 26, 9,  3,  18, 33, 43,
                            60, 50, 35, 25, 10, 4,  19, 13, 28, 45, 30, 20, 37, 27, 42, 57, 51,
                            36, 21, 31, 14, 8,  23, 29, 44, 38, 55, 40, 46, 61, 40};
        for (int k = 0; k < 65; ++k)  // a whole tour, then one more click: refused
            rows.push_back({tour[k], std::min(k + 1, 64)});
        for (int shownBefore = 0, beeps = 0; const auto &[what, shown] : rows) {
            if (what > 0)
                w.click(what);
            else
                gestures[-what]();
            QCoreApplication::processEvents();  // then the screen as shown, not redrawn
            const QSet<QObject *> painted = std::exchange(log.painted, {});
            const QImage shot = rgb(win->screen()->grabWindow(win->winId()).toImage())
                                    .copy(win->centralWidget()->geometry());
            for (int s = 1; s <= 64;
                 ++s) {  // A1 bottom left, rows of eight upwards, 40 pixels apart, sharing borders
                SquareMark &mark = marks[s - 1];
                const bool changed
                    = std::exchange(mark, win->game().markOf(s)) != win->game().markOf(s);
                // A changed square is drawn again; Qt's buttons also redraw as they go down and up.
                QVERIFY(!changed || painted.contains(win->square(s)));
                QCOMPARE(win->square(s)->mark(), mark);
                QImage square(41, 41, QImage::Format_RGB32);  // a black frame round the square's
                                                              // colour or its picture
                square.fill(Qt::black);
                QPainter(&square).fillRect(1, 1, 39, 39,
                                           isDark(s) ? QColor(128, 64, 64) : QColor(Qt::white));
                const QString picture = QString(":/pictures/%1-on-%2.png")
                                            .arg(mark == SquareMark::Knight ? "knight" : "disc",
                                                 isDark(s) ? "dark" : "light");
                if (mark != SquareMark::Empty)
                    QPainter(&square).drawImage(1, 1, QImage(picture), 0, 0, 39, 39);
                const int ring = win->square(s)->hasFocus() ? 5 : 0;  // inside the focus ring
                QVERIFY2(shot.copy(24 + 40 * ((s - 1) % 8) + ring, 312 - 40 * ((s - 1) / 8) + ring,
                                   41 - 2 * ring, 41 - 2 * ring)
                             == square.copy(ring, ring, 41 - 2 * ring, 41 - 2 * ring),
                         QByteArray::number(s));
            }
            const QString counter = QString::number(shown),
                          percent = QString::number(std::nearbyint(100.0 * shown / 64)) + '%';
            QCOMPARE(
                (QStringList {win->moveCounter()->text(), win->percentLabel()->text(),
                              spoken(win->moveCounter()), spoken(win->percentLabel())}),
                (QStringList {counter, percent, "Počet bodů: " + counter, "Zaplněno: " + percent}));
            const int bar = 5 * shown
                - (shown > 36 ? 5 : 0);  // five rows a stroke; strokes 35 and 36 coincide
            QImage drawn(55, 344, QImage::Format_RGB32);  // one bar 25 pixels wide, up from row 342
            drawn.fill(win->palette().color(QPalette::Window));
            QPainter(&drawn).fillRect(14, 343 - bar, 25, bar,
                                      win->palette().color(QPalette::WindowText));
            QCOMPARE(std::tuple(gauge->visibleStrokes(), painted.contains(gauge),
                                shot.copy(506, 0, 55, 344)),
                     std::tuple(shown, shown != shownBefore, drawn));
            QCOMPARE(
                (QList<bool> {win->backButton()->isEnabled(), win->forwardButton()->isEnabled(),
                              win->saveAction()->isEnabled()}),
                (QList<bool> {win->game().backEnabled(), win->game().forwardEnabled(),
                              win->game().saveEnabled()}));
            QCOMPARE(int(w.services.calls.count({"beep"})),
                     beeps += shown == std::exchange(shownBefore, shown) && what > 0);
        }
        QCOMPARE(w.services.calls,
                 (QList<QStringList> {{"beep"},
                                      {"beep"},
                                      {"askYesNo", "Konec", "Přejete si uložit hru?", "1"},
                                      {"showMessage", "Vyhrál jste.",
                                       "Blahopřeji, Všechna pole jsou zaplněna.", "none", "64"},
                                      {"beep"}}));
    }

    void keyboardAndScreenReader()
    {
        testing::OpenWindow w;
        MainWindow *win = w.window.get();
        QVERIFY(QTest::qWaitForWindowActive(win));
        QAccessibleInterface *b1 = QAccessible::queryAccessibleInterface(win->square(2));
        QCOMPARE(std::pair(b1->role(), b1->text(QAccessible::Name)),
                 std::pair(QAccessible::Button, QString("B1, prázdné")));
        b1->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());  // a screen reader's press
        std::vector<std::tuple<Qt::Key, int, QString>> keys
            = {{Qt::Key_Down, 1, "A1, prázdné"},   {Qt::Key_Left, 1, "A1, prázdné"},
               {Qt::Key_Up, 9, "A2, prázdné"},     {Qt::Key_Up, 17, "A3, prázdné"},
               {Qt::Key_Space, 17, "A3, jezdec"},  {Qt::Key_Enter, 17, "A3, jezdec"},
               {Qt::Key_Right, 18, "B3, prázdné"}, {Qt::Key_Right, 19, "C3, prázdné"},
               {Qt::Key_Up, 27, "C4, prázdné"},    {Qt::Key_Return, 27, "C4, jezdec"},
               {Qt::Key_Down, 19, "C3, prázdné"},  {Qt::Key_Down, 11, "C2, prázdné"},
               {Qt::Key_Down, 3, "C1, prázdné"},   {Qt::Key_Left, 2, "B1, navštíveno"}};
        // The board is one Tab stop, entered on the knight's square; Space on Back undoes C4.
        keys.insert(keys.end(),
                    {{Qt::Key_Tab, 65, "Zpět"},
                     {Qt::Key_Space, 65, {}},
                     {Qt::Key_Tab, 66, "Vpřed"},
                     {Qt::Key_Tab, 17, {}},
                     {Qt::Key_Backtab, 66, {}},
                     {Qt::Key_Backtab, 65, {}},
                     {Qt::Key_Backtab, 17, {}}});
        for (const auto &[key, focus, name] :
             keys) {  // focus starts on A1; arrows stop at edges; Enter on A3 again beeps
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
            QWidget *expected = focus <= 64 ? static_cast<QWidget *>(win->square(focus))
                : focus == 65               ? win->backButton()
                                            : win->forwardButton();
            QCOMPARE(
                std::pair(QApplication::focusWidget(), name.isNull() ? name : spoken(expected)),
                std::pair(expected, name));
            const QImage shot
                = rgb(win->screen()->grabWindow(win->winId()).toImage());  // as shown, not redrawn
            auto black = [&](int s, QPoint at) {
                return shot.pixel(win->square(s)->mapTo(win, at)) == qRgb(0, 0, 0);
            };
            for (int s = 1; s <= 64;
                 ++s)  // the focus ring's black inside, all round, within the pictures' margin
                QCOMPARE((QList<bool> {black(s, {3, 20}), black(s, {20, 3}), black(s, {37, 20}),
                                       black(s, {20, 37}), black(s, {5, 20})}),
                         QList<bool>(4, s == focus) << false);
        }
        QCOMPARE(std::tuple(w.services.calls, spoken(win->square(27)),
                            spoken(win->findChild<CoordinateLabels *>())),
                 std::tuple(QList<QStringList> {{"beep"}}, QString("C4, prázdné"),
                            QString("Označení řad 1 až 8 a sloupců A až H")));
    }

    void doubled()  // at twice the scale: the layout exactly doubled, the pictures from their 2x
                    // artwork pixel for pixel
    {
        if (qApp->devicePixelRatio() != 2)
            QSKIP("Run on its own at twice the scale (QT_SCALE_FACTOR=2).");
        testing::OpenWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        const std::tuple<int, int, QString> steps[] = {{1, 1, "knight-on-dark"},
                                                       {18, 1, "disc-on-dark"},
                                                       {0, 18, "knight-on-light"},
                                                       {35, 18, "disc-on-light"}};
        for (const auto &[click, square, picture] : steps) {  // clicks on A1, B3, D4, or none (0)
            if (click)
                w.click(click);
            const QImage board = rgb(w.window->centralWidget()->grab().toImage());
            const QPoint at = 2 * w.window->square(square)->pos()
                + QPoint(2, 2);  // inside a two-pixel frame: the 2x artwork
            QCOMPARE(board.size(), QSize(1122, 768));
            const QImage art = rgb(QImage(":/pictures/" + picture + "@2x.png"));
            const int ring = w.window->square(square)->hasFocus() ? 8 : 0;  // inside the focus ring
            QVERIFY(board.copy(at.x() + ring, at.y() + ring, 78 - 2 * ring, 78 - 2 * ring)
                    == art.copy(ring, ring, 78 - 2 * ring, 78 - 2 * ring));
            QCOMPARE(board.pixel(at + QPoint(78, 78)), qRgb(0, 0, 0));
        }
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
