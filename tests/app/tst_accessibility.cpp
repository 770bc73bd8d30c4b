// The window for a player without a mouse or without sight: the Tab order, what a screen reader
// is told after each action, the focus after dialogs, the focus ring, the About window's links.
// Everything is read through Qt's accessibility interfaces and the screen, as a screen reader and
// a player would.

#include "app/GaugeWidget.h"
#include "app/QtPlatformServices.h"
#include "tests/support/OpenWindow.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QFileDialog>
#include <QScreen>
#include <QTimer>
#include <cmath>

using namespace trevak;
using namespace trevak::testing;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The notification a screen reader was last shown in the window, or nothing.
QString lastAnnouncement(const MainWindow &window)
{
    QAccessibleInterface *client = accessible(window.centralWidget());
    for (int i = 0; i < client->childCount(); ++i) {
        QAccessibleInterface *child = client->child(i);
        if (child->role() == QAccessible::Notification && !child->state().invisible)
            return child->text(QAccessible::Name);
    }
    return {};
}

// The name a player would give the control with the keyboard focus: "C2", "Zpět", "Vpřed".
QString focusedControl(const MainWindow &window)
{
    QWidget *focus = QApplication::focusWidget();
    for (int square = 1; square <= kSquareCount; ++square) {
        if (focus == window.square(square))
            return QString::fromStdString(squareName(square));
    }
    return focus ? focus->property("text").toString() : QStringLiteral("nothing");
}

// Does one step in the player's words: a square ("C2") is clicked, "Zpět" and "Vpřed" are
// pressed, a key name ("Tab", "Up", "Space") is pressed on whatever has the focus.
void play(OpenWindow &w, const QString &step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"Tab", Qt::Key_Tab},     {"Backtab", Qt::Key_Backtab}, {"Space", Qt::Key_Space},
        {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},       {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right},
    };
    if (keys.contains(step))
        QTest::keyClick(QApplication::focusWidget(), keys.value(step));
    else
        w.play(step);
}

// WCAG's relative luminance and contrast ratio of two colours.
double luminance(QColor colour)
{
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double contrast(QColor a, QColor b)
{
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void keyboardAndAnnouncements_data()
    {
        struct Row {
            const char *name;
            QStringList steps;
            QString focus;
            QString heard;
        };
        const Row rows[] = {
            {.name = "the board is entered on A1 without a knight",
             .steps = {"Tab", "Tab"},
             .focus = "A1",
             .heard = ""},
            {.name = "the arrows move on the board, one Tab leaves it",
             .steps = {"A1", "Up", "Right", "Tab"},
             .focus = "Zpět",
             .heard = "Jezdec na A1, tah 1"},
            {.name = "placing the knight",
             .steps = {"Up", "Space"},
             .focus = "A2",
             .heard = "Jezdec na A2, tah 1"},
            {.name = "Tab enters the board on the knight's square",
             .steps = {"B3", "Tab", "Tab"},
             .focus = "B3",
             .heard = "Jezdec na B3, tah 1"},
            {.name = "Backtab from Zpět enters the board on the knight's square",
             .steps = {"A1", "B3", "Up", "Up", "Tab", "Backtab"},
             .focus = "B3",
             .heard = "Jezdec na B3, tah 2"},
            {.name = "an occupied square",
             .steps = {"Space", "Space"},
             .focus = "A1",
             .heard = "Pole A1 je obsazené."},
            {.name = "not a knight's jump",
             .steps = {"Space", "Right", "Space"},
             .focus = "B1",
             .heard = "Na pole B1 jezdec neskočí."},
            {.name = "Zpět tells where the knight stands",
             .steps = {"A1", "B3", "C1", "Tab", "Space"},
             .focus = "Zpět",
             .heard = "Jezdec na B3, tah 2"},
            {.name = "Zpět to an empty board hands the focus to A1",
             .steps = {"C2", "Tab", "Space"},
             .focus = "A1",
             .heard = "Šachovnice je prázdná, tah 0"},
            {.name = "Vpřed tells the step shown",
             .steps = {"A1", "B3", "C1", "Zpět", "Zpět", "Tab", "Tab", "Space"},
             .focus = "Vpřed",
             .heard = "Jezdec na B3, tah 2"},
            {.name = "the last Vpřed hands the focus to the knight",
             .steps = {"A1", "B3", "Zpět", "Tab", "Tab", "Space"},
             .focus = "B3",
             .heard = "Jezdec na B3, tah 2"},
        };
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("heard");
        for (const Row &row : rows)
            QTest::newRow(row.name) << row.steps << row.focus << row.heard;
    }

    // Where the focus ends and the last thing a screen reader was told; a control pressed with
    // Space, or the square the focus went to from it, describes the result too.
    void keyboardAndAnnouncements()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, focus);
        QFETCH(QString, heard);
        OpenWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        for (const QString &step : steps)
            play(w, step);
        QCOMPARE(focusedControl(*w.window), focus);
        QCOMPARE(lastAnnouncement(*w.window), heard);
        if (steps.last() == "Space") {
            QAccessibleInterface *focused = accessible(QApplication::focusWidget());
            QCOMPARE(focused->text(QAccessible::Description), heard);
        }
    }

    void fullBoard()
    {
        const QStringList tour = {
            "A1", "C2", "E1", "G2", "H4", "G6", "H8", "F7", "H6", "G8", "E7", "C8", "A7",
            "B5", "A3", "B1", "D2", "F1", "H2", "F3", "G1", "H3", "G5", "H7", "F8", "D7",
            "B8", "A6", "B4", "A2", "C1", "B3", "A5", "C6", "D8", "B7", "C5", "A4", "B2",
            "D1", "C3", "E2", "D4", "E6", "F4", "D3", "E5", "C4", "B6", "A8", "C7", "D5",
            "E3", "G4", "F2", "H1", "G3", "E4", "D6", "F5", "G7", "H5", "F6", "E8",
        };
        OpenWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        for (const QString &step : tour)
            play(w, step);
        QCOMPARE(w.window->moveCounter()->text(), QString("64"));
        QCOMPARE(lastAnnouncement(*w.window), QString("Jezdec na E8, tah 64"));
        play(w, "A1");
        QCOMPARE(lastAnnouncement(*w.window), QString("Všechna pole jsou zaplněna."));
    }

    void focusAfterDialogs_data()
    {
        struct Row {
            const char *name;
            QStringList steps;
            QString item;
            QString focus;
        };
        const Row rows[] = {
            {.name = "Nová, asked to save",
             .steps = {"A1", "B3", "Tab"},
             .item = "Hra > Nová",
             .focus = "A1"},
            {.name = "Uložit", .steps = {"A1", "B3", "Up"}, .item = "Hra > Uložit", .focus = "A2"},
            {.name = "Načíst, cancelled",
             .steps = {"Up", "Right"},
             .item = "Hra > Načíst",
             .focus = "B2"},
            {.name = "Načíst from Zpět, which goes off",
             .steps = {"A1", "B3", "Tab"},
             .item = "Hra > Načíst",
             .focus = "A1"},
            {.name = "Pomoc", .steps = {"Right"}, .item = "Nápověda > Pomoc", .focus = "B1"},
            {.name = "logging out, Zrušit",
             .steps = {"A1", "B3", "Up"},
             .item = "logging out",
             .focus = "A2"},
        };
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("focus");
        for (const Row &row : rows)
            QTest::newRow(row.name) << row.steps << row.item << row.focus;
    }

    // The menus are used by keyboard, so the menu bar has the focus while the dialog, another
    // window, is open.
    void focusAfterDialogs()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, item);
        QFETCH(QString, focus);
        OpenWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        for (const QString &step : steps)
            play(w, step);
        QWidget dialog;
        w.services.whileModal = [&] {
            w.window->menuBar()->setFocus(Qt::MenuBarFocusReason);
            dialog.show();
            dialog.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &dialog);
        };
        if (item == "logging out")
            w.window->offerToSaveBeforeLogout();  // answered Zrušit, the session goes on
        else
            w.play(item);
        QTRY_COMPARE(QApplication::activeWindow(), w.window.get());
        QCOMPARE(focusedControl(*w.window), focus);
    }

    void focusAfterTheOpenDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("a name typed, Enter") << "hra.txt";
        QTest::newRow("cancelled") << "";
    }

    // Qt's own open dialog: afterwards this window is active, the focus where it was.
    void focusAfterTheOpenDialog()
    {
        QFETCH(QString, typed);
        QTemporaryDir folder;
        QFile game(folder.filePath("hra.txt"));
        QVERIFY(game.open(QIODevice::WriteOnly));
        QVERIFY(game.write(QByteArray("1\r\n18\r\n") + QByteArray("0\r\n").repeated(62)) > 0);
        game.close();
        QtPlatformServices services;
        MainWindow window(services, folder.path());
        services.setDialogParent(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QObject answerer;
        QTimer::singleShot(0, &answerer, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (typed.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(typed);
            static_cast<QDialog *>(dialog)->accept();
        });
        window.loadGame();
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QCOMPARE(focusedControl(window), QString("B1"));
        QCOMPARE(window.game().shownStep(), typed.isEmpty() ? 0 : 2);
    }

    // The ring of a focused square, as painted, against the square's own colour.
    void focusRing_data()
    {
        QTest::addColumn<QString>("square");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("dark square A1") << "A1" << QColor(128, 64, 64);
        QTest::newRow("light square B1") << "B1" << QColor(Qt::white);
    }

    void focusRing()
    {
        QFETCH(QString, square);
        QFETCH(QColor, colour);
        OpenWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        if (square != "A1")
            play(w, "Right");
        SquareWidget *widget = w.window->square(squareNamed(square));
        QVERIFY(widget->hasFocus());
        const QImage shot = widget->grab().toImage();
        // Along each side, from the border inwards: a run of at least two pixels of one colour
        // that stands out at least 3 : 1 from the square.
        const int middle = shot.width() / 2;
        const int last = shot.width() - 1;
        const QList<QPair<QPoint, QPoint>> sides = {
            {{0, middle}, {1, 0}},
            {{middle, 0}, {0, 1}},
            {{last, middle}, {-1, 0}},
            {{middle, last}, {0, -1}},
        };
        for (const auto &[border, inwards] : sides) {
            int run = 0;
            int longest = 0;
            for (int depth = 1; depth <= 8; ++depth) {
                const QColor pixel = shot.pixelColor(border + depth * inwards);
                run = contrast(pixel, colour) >= 3.0 ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            QVERIFY2(longest >= 2, qPrintable(square));
        }
    }

    void tree()
    {
        OpenWindow w;
        QAccessibleInterface *gauge = accessible(w.window->gauge());
        QAccessibleInterface *picture = nullptr;
        QStringList counterTexts;
        QAccessibleInterface *client = accessible(w.window->centralWidget());
        for (int i = 0; i < client->childCount(); ++i) {
            QAccessibleInterface *child = client->child(i);
            if (child->role() == QAccessible::Graphic)
                picture = child;
            if (child->text(QAccessible::Name).startsWith("Počet bodů"))
                counterTexts << child->text(QAccessible::Name);
        }
        QVERIFY(picture);
        QCOMPARE(picture->text(QAccessible::Name), QString("Obrázek šachového jezdce"));
        QCOMPARE(counterTexts, QStringList {"Počet bodů: 0"});
        w.play("A1");
        w.play("B3");
        w.play("C1");
        QCOMPARE(gauge->role(), QAccessible::ProgressBar);
        QCOMPARE(gauge->valueInterface()->currentValue().toInt(), 5);  // 3 of 64 squares
    }

    void aboutLinks()
    {
        struct Link {
            QString caption;
            QString address;
        };
        const Link links[] = {
            {.caption = "trevak@example.org", .address = QString::fromUtf8(kMailTarget)},
            {.caption = "trevak.example.com", .address = kProgramSite},
            {.caption = "www.example.org/trevak", .address = kAuthorSitePage},
        };
        OpenWindow w;
        w.play("Nápověda > O programu");
        AboutWindow *about = w.window->aboutWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        for (const Link &link : links) {
            QWidget *widget = childShowing(about, link.caption);
            QAccessibleInterface *seen = accessible(widget);
            QCOMPARE(seen->role(), QAccessible::Link);
            QCOMPARE(seen->text(QAccessible::Name), link.caption);
            QCOMPARE(seen->text(QAccessible::Description), link.address);
            widget->setFocus(Qt::TabFocusReason);
            const QImage focused = widget->grab().toImage();
            QTest::keyClick(widget, Qt::Key_Tab);
            QVERIFY(!widget->hasFocus());
            QVERIFY2(widget->grab().toImage() != focused, qPrintable(link.caption));
        }
        w.window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w.window.get());
        w.play("Nápověda > O programu");
        QTRY_COMPARE(QApplication::activeWindow(), about);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
