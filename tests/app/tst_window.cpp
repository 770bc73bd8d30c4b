// The main window as the player sees and uses it: its layout, play by mouse and by keyboard,
// and after every event what each control shows compared with the game the window holds.

#include "app/CoordinateLabels.h"
#include "app/GaugeWidget.h"
#include "tests/support/OpenWindow.h"

#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <cmath>

using namespace trevak;

static bool isDark(int square) { return ((square - 1) / 8 + (square - 1) % 8) % 2 == 0; }  // A1 is dark
static QString spoken(QObject *object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

static QRect inkBounds(const QImage &image)  // round everything lighter than mid-grey
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink |= qGray(image.pixel(x, y)) > 128 ? QRect(x, y, 1, 1) : QRect();
    return ink;
}

struct PaintLog : QObject {  // the squares that received a paint event, 0 for the gauge
    QSet<int> painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted << (qobject_cast<SquareWidget *>(watched) ? static_cast<SquareWidget *>(watched)->square() : 0);
        return false;
    }
};

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        testing::OpenWindow w;
        w.window->setPalette(QPalette(Qt::white, QColor(40, 40, 40)));  // a dark desktop: light text
        QWidget *client = w.window->centralWidget();
        QCOMPARE(std::tuple(w.window->objectName(), w.window->windowTitle(), client->size(), client->findChildren<SquareWidget *>("obrPolicko").size()),
                 std::tuple(QString("FrmTrevak"), QString("Trevak"), QSize(561, 384), qsizetype(64)));
        const QImage shot = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(shot.copy(385, 95, 106, 126) == QImage(":/pictures/knight.bmp").convertToFormat(QImage::Format_RGB32).copy(0, 0, 106, 126));
        // The side panel; the labels' text is drawn at their point size, "Počet bodů:" on two lines.
        const std::tuple<const char *, QRect, QString, qreal, int> side[] = {
            {"Label3", {384, 8, 49, 49}, "Počet bodů:", 13.5, 2}, {"LblBody", {440, 32, 65, 25}, "0", 13.5, 1},
            {"LblHotovo", {520, 344, 33, 17}, "0%", 9.75, 1}, {"CmdZpet", {416, 264, 65, 33}, "Zpět", 12, 0},
            {"CmdVpred", {416, 312, 65, 33}, "Vpřed", 12, 0}};
        for (const auto &[name, place, caption, points, lines] : side) {
            const QFont font = w.child<QWidget>(name)->font();
            QCOMPARE(std::tuple(w.child<QWidget>(name)->geometry(), w.child<QWidget>(name)->property("text").toString(), font.pointSizeF(), font.bold()),
                     std::tuple(place, caption, points, !lines));
            const int ink = inkBounds(shot.copy(place)).height(), line = QFontMetrics(font).height();
            QVERIFY2(!lines || (ink >= lines * line / 2 && ink <= lines * line), name);
        }
        // Ranks 8 to 1 beside their rows, left and right; files A to H under and over their columns,
        // each painted where no square covers it, against the side of its box nearer the board.
        QString seen;
        for (const CoordinateLabels::Caption &c : CoordinateLabels::captions()) {
            const bool rank = c.text.isDigit(), right = c.rect.left() > 344;
            const QRect line = w.window->square(rank ? 8 * c.text.digitValue() - 7 : c.text.unicode() - 'A' + 1)->geometry();
            QVERIFY(rank ? c.rect.center().y() == line.center().y() : c.rect.left() == line.left());
            const QRect box = c.rect.adjusted(0, 2, 0, 0) & shot.rect(), ink = inkBounds(shot.copy(box)).translated(box.topLeft());
            QVERIFY(!ink.isEmpty() && (right ? ink.left() - c.rect.left() < 3 : c.rect.right() - ink.right() < 3));
            seen += c.text + QLatin1Char(rank ? (right ? '>' : '<') : (c.rect.top() > 344 ? '_' : '^'));
        }
        QCOMPARE(seen, "8<7<6<5<4<3<2<1<8>7>6>5>4>3>2>1>A_B_C_D_E_F_G_H_A^B^D^F^G^H^C^E^");
        QStringList tree;  // the menus with their items indented, "(off)" where disabled
        for (QAction *top : w.window->menuBar()->actions())
            for (QAction *item : QList<QAction *>{top} + top->menu()->actions())
                tree << QLatin1String(item == top ? "" : item->isEnabled() ? "  " : "  (off) ") + (item->isSeparator() ? "-" : item->text());
        QCOMPARE(tree, (QStringList{"&Hra", "  &Nová", "  -", "  (off) &Uložit", "  N&ačíst", "  -", "  &Konec",
                                    "&Nápověda", "  &Pomoc", "  &O programu"}));
        auto places = [&] { QList<QRect> all; for (QWidget *c : client->findChildren<QWidget *>()) all << c->geometry(); return all; };
        const QList<QRect> before = places();
        w.window->resize(900, 700);
        QCOMPARE(std::pair(client->width(), places()), std::pair(900, before));  // nothing moves
    }

    void playWithTheMouse()
    {
        testing::OpenWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        PaintLog log;
        for (int s = 1; s <= 64; ++s)
            w.window->square(s)->installEventFilter(&log);
        w.child<GaugeWidget>("Line1")->installEventFilter(&log);
        const Game &game = w.window->game();
        std::array<SquareMark, 64> marks{};  // as last seen: all empty at the start
        QString counterAtCongratulation;
        w.services.whileModal = [&] { counterAtCongratulation = w.caption("LblBody"); };
        auto verify = [&](int shown, bool gaugeMoves) {
            QCoreApplication::processEvents();
            const QSet<int> painted = std::exchange(log.painted, {});
            const QImage shot = w.window->screen()->grabWindow(w.window->winId()).toImage()  // as shown, not redrawn
                                    .convertToFormat(QImage::Format_RGB32).copy(w.window->centralWidget()->geometry());
            for (int s = 1; s <= 64; ++s) {
                QCOMPARE(w.window->square(s)->mark(), game.markOf(s));
                QCOMPARE(painted.contains(s), std::exchange(marks[s - 1], game.markOf(s)) != game.markOf(s));  // only changes repaint
                // A1 bottom left, rows of eight upwards on a 40-pixel pitch, neighbours sharing a border:
                // a black frame round the square's colour or its picture.
                QImage square(41, 41, QImage::Format_RGB32);
                square.fill(Qt::black);
                QPainter(&square).fillRect(1, 1, 39, 39, isDark(s) ? QColor(128, 64, 64) : QColor(Qt::white));
                if (marks[s - 1] != SquareMark::Empty)  // 101 visited, 102 knight on light; 103, 104 on dark
                    QPainter(&square).drawImage(QPoint(1, 1), QImage(QStringLiteral(":/pictures/square%1.png").arg(101 + (marks[s - 1] == SquareMark::Knight) + 2 * isDark(s))), QRect(0, 0, 39, 39));
                QVERIFY2(shot.copy(24 + 40 * ((s - 1) % 8), 312 - 40 * ((s - 1) / 8), 41, 41) == square, qPrintable(QString::number(s)));
            }
            const QString counter = QString::number(shown), percent = QString::number(std::nearbyint(100.0 * shown / 64)) + '%';
            QCOMPARE((QStringList{w.caption("LblBody"), w.caption("LblHotovo"), spoken(w.child<QLabel>("LblBody")), spoken(w.child<QLabel>("LblHotovo"))}),
                     (QStringList{counter, percent, "Počet bodů: " + counter, "Zaplněno: " + percent}));
            QImage gauge(55, 344, QImage::Format_RGB32);  // one bar 25 pixels wide, up from row 342 by five
            gauge.fill(w.window->palette().color(QPalette::Window));  // rows a stroke; strokes 35 and 36 coincide
            QPainter(&gauge).fillRect(14, 343 - 5 * shown + (shown > 36 ? 5 : 0), 25, 5 * shown - (shown > 36 ? 5 : 0), w.window->palette().color(QPalette::WindowText));
            QCOMPARE(std::tuple(w.child<GaugeWidget>("Line1")->visibleStrokes(), painted.contains(0), shot.copy(506, 0, 55, 344) == gauge), std::tuple(shown, gaugeMoves, true));
            QCOMPARE((QList<bool>{w.enabled("CmdZpet"), w.enabled("CmdVpred"), w.enabled("miUlozit")}),
                     (QList<bool>{game.backEnabled(), game.forwardEnabled(), game.saveEnabled()}));
        };

        verify(0, false);  // Back, Forward and Save start disabled: the game says so
        QVERIFY(!game.backEnabled() && !game.forwardEnabled() && !game.saveEnabled());
        // Pairs of what is done and the step then shown. What: a square, -1 Back, -2 Forward,
        // -3 the menu item "&Nová", -4 a click on E1 released beside it. A1, then its own square and
        // G1, six columns away: refused. A move after Back ends the steps Forward could replay.
        std::vector<std::pair<int, int>> rows = {{1, 1}, {1, 1}, {7, 1}, {11, 2}, {-4, 2}, {28, 3}, {22, 4}, {-1, 3}, {-1, 2},
            {-2, 3}, {34, 4}, {-2, 4}, {-1, 3}, {-1, 2}, {-1, 1}, {-1, 0}, {-2, 1}, {-3, 0}};
        const int tour[] = {1, 11, 5, 15, 32, 47, 64, 54, 48, 63, 53, 59, 49, 34, 17, 2, 12, 6, 16, 22, 7, 24,
                            39, 56, 62, 52, 58, 41, 26, 9, 3, 18, 33, 43, 60, 50, 35, 25, 10, 4, 19, 13, 28, 45,
                            30, 20, 37, 27, 42, 57, 51, 36, 21, 31, 14, 8, 23, 29, 44, 38, 55, 40, 46, 61};
        for (int k = 0; k < 64; ++k)
            rows.push_back({tour[k], k + 1});
        rows.push_back({40, 64});  // after the whole tour every click is refused
        int shownBefore = 0;
        for (const auto &[what, shown] : rows) {
            const qsizetype beeps = w.services.callsTo("beep").size();
            if (what > 0)
                w.click(what);
            else if (what > -3)
                w.press(what == -1 ? "CmdZpet" : "CmdVpred");
            else if (what == -4)
                QTest::mouseClick(w.window->square(5), Qt::LeftButton, {}, QPoint(60, 20));
            else {  // "&Hra", then "&Nová"
                QTest::mouseClick(w.window->menuBar(), Qt::LeftButton, {}, w.window->menuBar()->actionGeometry(w.child<QMenu>("mnuHra")->menuAction()).center());
                QTest::mouseClick(w.child<QMenu>("mnuHra"), Qt::LeftButton, {}, w.child<QMenu>("mnuHra")->actionGeometry(w.child<QAction>("miNova")).center());
            }
            verify(shown, shown != shownBefore);
            QCOMPARE(w.services.callsTo("beep").size() - beeps, qsizetype(shown == std::exchange(shownBefore, shown) && what > 0));
        }
        QCOMPARE(w.services.services(), (QStringList{"beep", "beep", "askYesNo", "showMessage", "beep"}));
        QCOMPARE(w.services.calls[3].args, (QStringList{"Vyhrál jste.", "Blahopřeji, Všechna pole jsou zaplněna.", "none"}));
        QCOMPARE(counterAtCongratulation, "64");  // the last move is shown before the message
    }

    void keyboardAndScreenReader()
    {
        testing::OpenWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        QAccessibleInterface *b1 = QAccessible::queryAccessibleInterface(w.window->square(2));
        QCOMPARE(std::pair(b1->role(), b1->text(QAccessible::Name)), std::pair(QAccessible::Button, QString("B1, prázdné")));
        b1->actionInterface()->doAction(QAccessibleActionInterface::pressAction());  // a screen reader's press
        // The first square holds the focus from the start; arrows go by ranks and files and stop at the
        // edges; Space and Enter play the focused square, or press Back. Tab goes on to H8, Back, Forward
        // and round to A1, Shift+Tab back. After each key: the focus, its spoken name, the frames shown.
        std::vector<std::tuple<Qt::Key, int, QString>> keys = {
            {Qt::Key_Down, 1, "A1, prázdné"}, {Qt::Key_Left, 1, "A1, prázdné"}, {Qt::Key_Up, 9, "A2, prázdné"},
            {Qt::Key_Up, 17, "A3, prázdné"}, {Qt::Key_Space, 17, "A3, jezdec"}, {Qt::Key_Enter, 17, "A3, jezdec"},
            {Qt::Key_Right, 18, "B3, prázdné"}, {Qt::Key_Right, 19, "C3, prázdné"}, {Qt::Key_Up, 27, "C4, prázdné"},
            {Qt::Key_Return, 27, "C4, jezdec"}, {Qt::Key_Down, 19, "C3, prázdné"}, {Qt::Key_Down, 11, "C2, prázdné"},
            {Qt::Key_Down, 3, "C1, prázdné"}, {Qt::Key_Left, 2, "B1, navštíveno"}};
        for (int s = 3; s <= 64; ++s)
            keys.push_back({Qt::Key_Tab, s, QString()});
        keys.insert(keys.end(), {{Qt::Key_Up, 64, "H8, prázdné"}, {Qt::Key_Right, 64, {}}, {Qt::Key_Tab, 65, "Zpět"}, {Qt::Key_Space, 65, {}},
                                 {Qt::Key_Tab, 66, "Vpřed"}, {Qt::Key_Tab, 1, {}}, {Qt::Key_Backtab, 66, {}}, {Qt::Key_Backtab, 65, {}}, {Qt::Key_Backtab, 64, {}}});
        for (const auto &[key, focus, name] : keys) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
            QWidget *expected = focus <= 64 ? w.window->square(focus) : w.child<QWidget>(focus == 65 ? "CmdZpet" : "CmdVpred");
            QCOMPARE(std::pair(QApplication::focusWidget(), name.isNull() ? name : spoken(expected)), std::pair(expected, name));
            const QImage screen = w.window->screen()->grabWindow(w.window->winId()).toImage();  // as shown, not redrawn
            for (int s = 1; s <= 64; ++s) {  // two pixels wide, all round inside the border
                const QPoint at = w.window->square(s)->mapTo(w.window.get(), QPoint(0, 0));
                auto framed = [&](int x, int y) { return screen.pixel(at + QPoint(x, y)) == qRgb(0, 120, 215); };
                QCOMPARE(QList<bool>({framed(1, 20), framed(20, 1), framed(39, 20), framed(20, 39), framed(3, 20)}), QList<bool>({s == focus, s == focus, s == focus, s == focus, false}));
            }
        }
        QCOMPARE(w.services.services(), QStringList{"beep"});  // Enter on the knight's own square
        QCOMPARE((QStringList{spoken(w.window->square(27)), spoken(w.child<QWidget>("Label1"))}),
                 (QStringList{"C4, prázdné", "Označení řad 1 až 8 a sloupců A až H"}));  // Back took C4 back
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
