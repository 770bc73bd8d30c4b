// The main window as it opens: controls, names, places, captions, enabled states, pictures.

#include "app/CoordinateLabels.h"
#include "app/FrmTrevak.h"
#include "app/GaugeWidget.h"
#include "app/QtToolkit.h"
#include "app/Startup.h"
#include "app/SquareWidget.h"
#include "tests/support/OpenWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace trevak;

class TestMainWindow : public testing::WindowTest {
    Q_OBJECT
private slots:
    void initTestCase() { describeApplication(); }
    void windowAndClientArea();
    void squares_data();
    void squares();
    void everySquareDeliversItsIndex();
    void coordinateLabels();
    void sideControls_data();
    void sideControls();
    void startState();
    void menus_data();
    void menus();
    void resizingMovesNothing();
    void picturesLoadAtTheirSize_data();
    void picturesLoadAtTheirSize();
    void squareColoursOnScreen();
    void bordersFrameThePictures();
    void sidePanelText_data();
    void sidePanelText();
    void textWithAnApplicationFontInPixels();
};



void TestMainWindow::windowAndClientArea()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Trevak"));
    QCOMPARE(m_window->objectName(), QStringLiteral("FrmTrevak"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(561, 384));
    QCOMPARE(m_window->windowIcon().availableSizes().value(0), QSize(32, 32));  // the program's icon
    QVERIFY(m_window->minimumSize().width() < 561);  // an ordinary resizable frame
}

void TestMainWindow::squares_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("tag");
    QTest::newRow("A1") << 1 << QRect(24, 312, 41, 41) << "1";
    QTest::newRow("B1") << 2 << QRect(64, 312, 41, 41) << "2";
    QTest::newRow("H1") << 8 << QRect(304, 312, 41, 41) << "2";
    QTest::newRow("A2") << 9 << QRect(24, 272, 41, 41) << "2";
    QTest::newRow("A8") << 57 << QRect(24, 32, 41, 41) << "2";
    QTest::newRow("H8") << 64 << QRect(304, 32, 41, 41) << "1";
}

void TestMainWindow::squares()
{
    QFETCH(int, index);
    QFETCH(QRect, geometry);
    QFETCH(QString, tag);
    SquareWidget *square = m_window->square(index);
    QCOMPARE(square->objectName(), QStringLiteral("obrPolicko"));
    QCOMPARE(square->property("Index").toInt(), index);
    QCOMPARE(square->property("Tag").toString(), tag);
    QCOMPARE(square->geometry(), geometry);
    QCOMPARE(square->pictureId(), 0);
    const auto all = m_window->findChildren<SquareWidget *>(QStringLiteral("obrPolicko"));
    QCOMPARE(all.size(), 64);
}

void TestMainWindow::everySquareDeliversItsIndex()
{
    QList<int> delivered;
    for (int i = 1; i <= 64; ++i) {
        SquareWidget *square = m_window->square(i);
        connect(square, &SquareWidget::clicked, this, [&delivered](int index) { delivered.append(index); });
        // Click where the square shows, in window coordinates, whoever receives it.
        const QPoint centre = square->mapTo(m_window, square->rect().center());
        QWidget *hit = m_window->childAt(centre);
        QCOMPARE(hit, static_cast<QWidget *>(square));
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(m_window, centre));
        QCOMPARE(delivered.last(), i);
    }
}

namespace {
// The smallest rectangle holding everything darker than the background.
QRect inkBounds(const QImage &shot)
{
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether anything darker than the window's background was drawn in the rectangle.
bool hasInk(const QImage &shot, const QRect &rect)
{
    return !inkBounds(shot.copy(rect.intersected(shot.rect()))).isEmpty();
}
}  // namespace

void TestMainWindow::coordinateLabels()
{
    const auto painters = m_window->findChildren<CoordinateLabels *>(QStringLiteral("Label1"));
    QCOMPARE(painters.size(), 1);
    QCOMPARE(painters[0]->font().pointSizeF(), 17.25);
    const QImage shot = m_window->centralWidget()->grab().toImage();
    const QString expected = QStringLiteral("87654321" "87654321" "ABCDEFGH" "ABDFGHCE");
    for (const CoordinateLabels::Caption &caption : CoordinateLabels::captions()) {
        const int k = caption.index;
        QCOMPARE(caption.text, expected[k]);
        if (k < 8)
            QCOMPARE(caption.rect, QRect(-8, 40 + 40 * k, 25, 25));
        else if (k < 16)
            QCOMPARE(caption.rect, QRect(352, 40 + 40 * (k - 8), 25, 25));
        else
            QCOMPARE(caption.rect, QRect(24 + 40 * (expected[k].unicode() - 'A'), k < 24 ? 352 : 0, 25, 25));
        QCOMPARE(caption.alignment, (k < 8 ? Qt::AlignRight : k < 16 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop);
        // On screen, and not under a square (the row below the board starts on its border).
        QVERIFY2(hasInk(shot, caption.rect.adjusted(0, 2, 0, 0)), qPrintable(QString::number(k)));
    }
}

void TestMainWindow::sideControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<qreal>("pointSize");
    QTest::newRow("Picture1") << "Picture1" << QRect(385, 95, 106, 126) << "" << 0.0;
    QTest::newRow("CmdVpred") << "CmdVpred" << QRect(416, 312, 65, 33) << "Vpřed" << 12.0;
    QTest::newRow("CmdZpet") << "CmdZpet" << QRect(416, 264, 65, 33) << "Zpět" << 12.0;
    QTest::newRow("Label4") << "Label4" << QRect(545, 10, 16, 336) << "" << 0.0;
    QTest::newRow("Label2") << "Label2" << QRect(505, 10, 16, 336) << "" << 0.0;
    QTest::newRow("LblHotovo") << "LblHotovo" << QRect(520, 344, 33, 17) << "0%" << 9.75;
    QTest::newRow("Label3") << "Label3" << QRect(384, 8, 49, 49) << "Počet bodů:" << 13.5;
    QTest::newRow("LblBody") << "LblBody" << QRect(440, 32, 65, 25) << "0" << 13.5;
}

void TestMainWindow::sideControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(qreal, pointSize);
    QWidget *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), caption);
        QVERIFY(button->font().bold());
    }
    if (pointSize > 0)
        QCOMPARE(control->font().pointSizeF(), pointSize);
}

void TestMainWindow::startState()
{
    const auto *gauge = m_window->findChild<GaugeWidget *>(QStringLiteral("Line1"));
    QVERIFY(gauge);
    for (int k = 0; k < 65; ++k)
        QVERIFY(!gauge->isStrokeVisible(k));
    QCOMPARE(GaugeWidget::strokeY(0), 340);
    QCOMPARE(GaugeWidget::strokeY(35), GaugeWidget::strokeY(36));
    QCOMPARE(GaugeWidget::strokeY(64), 25);
    QCOMPARE(GaugeWidget::strokeY(63), 30);
    QVERIFY(!m_window->findChild<QPushButton *>(QStringLiteral("CmdZpet"))->isEnabled());
    QVERIFY(!m_window->findChild<QPushButton *>(QStringLiteral("CmdVpred"))->isEnabled());
    QVERIFY(!m_window->findChild<QAction *>(QStringLiteral("miUlozit"))->isEnabled());
    for (const char *name : {"miNova", "miNacist", "miKonec", "miPomoc", "MiOProgramu"})
        QVERIFY2(m_window->findChild<QAction *>(QLatin1String(name))->isEnabled(), name);
    const QLabel *knight = m_window->findChild<QLabel *>(QStringLiteral("Picture1"));
    QCOMPARE(knight->pixmap().deviceIndependentSize().toSize(), QSize(110, 128));
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("menuCaption");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Hra") << "mnuHra" << "&Hra"
        << QStringList{"miNova", "miSepeator", "miUlozit", "miNacist", "miSepeator1", "miKonec"}
        << QStringList{"&Nová", "", "&Uložit", "N&ačíst", "", "&Konec"};
    QTest::newRow("Nápověda") << "miNapoveda" << "&Nápověda"
        << QStringList{"miPomoc", "MiOProgramu"} << QStringList{"&Pomoc", "&O programu"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, menuCaption);
    QFETCH(QStringList, items);
    QFETCH(QStringList, captions);
    auto *popup = m_window->menuBar()->findChild<QMenu *>(menu);
    QVERIFY(popup);
    QCOMPARE(popup->title(), menuCaption);
    const QList<QAction *> actions = popup->actions();
    QCOMPARE(actions.size(), items.size());
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions[i]->objectName(), items[i]);
        QCOMPARE(actions[i]->isSeparator(), captions[i].isEmpty());
        if (!captions[i].isEmpty())
            QCOMPARE(actions[i]->text(), captions[i]);
        QVERIFY(actions[i]->shortcut().isEmpty());
    }
    if (menu == QLatin1String("mnuHra")) {
        QCOMPARE(actions[1]->property("Index").toInt(), 0);
        QCOMPARE(actions[4]->property("Index").toInt(), 1);
    }
}

void TestMainWindow::resizingMovesNothing()
{
    m_window->resize(900, 700);
    QCOMPARE(m_window->square(1)->geometry(), QRect(24, 312, 41, 41));
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("CmdVpred"))->geometry(), QRect(416, 312, 65, 33));
}

void TestMainWindow::picturesLoadAtTheirSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QSize>("size");
    for (const char *square : {"square101", "square102", "square103", "square104"})
        QTest::newRow(square) << square << ".png" << QSize(40, 40);
    QTest::newRow("knight") << "knight" << ".bmp" << QSize(110, 128);
    QTest::newRow("trevak") << "trevak" << ".png" << QSize(32, 32);
}

void TestMainWindow::picturesLoadAtTheirSize()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(QSize, size);
    const QImage normal(QStringLiteral(":/pictures/%1%2").arg(name, suffix));
    QCOMPARE(normal.size(), size);
    const QImage sharp(QStringLiteral(":/pictures/%1@2x%2").arg(name, suffix));
    QCOMPARE(sharp.size(), size * 2);
}

void TestMainWindow::squareColoursOnScreen()
{
    const QImage shot = m_window->centralWidget()->grab().toImage();
    QCOMPARE(shot.pixelColor(m_window->square(1)->geometry().center()), QColor(128, 64, 64));
    QCOMPARE(shot.pixelColor(m_window->square(8)->geometry().center()), QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(m_window->square(57)->geometry().center()), QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(m_window->square(64)->geometry().center()), QColor(128, 64, 64));
}

void TestMainWindow::bordersFrameThePictures()
{
    m_window->obrPolicko_Click(1);
    m_window->obrPolicko_Click(18);
    const QImage shot = m_window->centralWidget()->grab().toImage();
    for (int index : {1, 2, 18}) {  // a disc, an empty square, the knight
        const QRect square = m_window->square(index)->geometry();
        for (int i = 0; i < square.width(); ++i) {
            QCOMPARE(shot.pixelColor(square.left() + i, square.top()), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(square.left() + i, square.bottom()), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(square.left(), square.top() + i), QColor(Qt::black));
            QCOMPARE(shot.pixelColor(square.right(), square.top() + i), QColor(Qt::black));
        }
    }
}

void TestMainWindow::sidePanelText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("afterOneMove");
    QTest::newRow("Label3") << "Label3" << 2 << "Počet bodů:";
    QTest::newRow("LblBody") << "LblBody" << 1 << "1";
    QTest::newRow("LblHotovo") << "LblHotovo" << 1 << "2%";
}

void TestMainWindow::sidePanelText()
{
    // Drawn at the label's own point size, wrapped where the caption is too wide, and redrawn
    // as the game goes on.
    QFETCH(QString, name);
    QFETCH(int, lines);
    QFETCH(QString, afterOneMove);
    QLabel *label = m_window->findChild<QLabel *>(name);
    const QImage before = label->grab().toImage();
    const QRect ink = inkBounds(before);
    const int lineHeight = QFontMetrics(label->font()).height();
    QVERIFY2(ink.height() >= lines * lineHeight / 2 && ink.height() <= lines * lineHeight,
             qPrintable(QStringLiteral("ink %1 px high, lines %2 px").arg(ink.height()).arg(lineHeight)));

    const QString caption = label->text();
    m_window->obrPolicko_Click(1);
    QCOMPARE(label->text(), afterOneMove);
    const QImage after = label->grab().toImage();
    QVERIFY(hasInk(after, after.rect()));
    QCOMPARE(after != before, afterOneMove != caption);
}

void TestMainWindow::textWithAnApplicationFontInPixels()
{
    // Some desktops give their font in pixels; the counter keeps its designed size all the same.
    const QFont original = QApplication::font();
    QFont pixels = original;
    pixels.setPixelSize(11);
    QApplication::setFont(pixels);
    QLabel *counter = m_window->findChild<QLabel *>(QStringLiteral("LblBody"));
    const QRect ink = inkBounds(counter->grab().toImage());
    QApplication::setFont(original);
    const int lineHeight = QFontMetrics(counter->font()).height();
    QVERIFY2(ink.height() >= lineHeight / 2 && ink.height() <= lineHeight, qPrintable(QString::number(ink.height())));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
