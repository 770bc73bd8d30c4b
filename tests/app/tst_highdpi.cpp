// At twice the scale the window is laid out exactly doubled and the pictures are drawn
// from their 2x artwork, pixel for pixel.

#include "app/FrmTrevak.h"
#include "app/SquareWidget.h"
#include "tests/support/ScriptedToolkit.h"

#include <QLabel>
#include <QTest>

using namespace trevak;

class TestHighDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layoutDoubles();
    void picturesAreSharp_data();
    void picturesAreSharp();
    void gaugeStrokesDouble();

private:
    testing::ScriptedToolkit m_toolkit;
    std::unique_ptr<FrmTrevak> m_window;
};

void TestHighDpi::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    m_window = std::make_unique<FrmTrevak>(m_toolkit);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHighDpi::layoutDoubles()
{
    const QImage shot = m_window->centralWidget()->grab().toImage();
    QCOMPARE(shot.size(), QSize(1122, 768));
    QCOMPARE(m_window->square(1)->grab().toImage().size(), QSize(82, 82));
}

void TestHighDpi::picturesAreSharp_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("square");
    QTest::addColumn<QString>("artwork");
    QTest::newRow("knight on dark") << QList<int>{1} << 1 << "square104";
    QTest::newRow("visited dark") << QList<int>{1, 18} << 1 << "square103";
    QTest::newRow("knight on light") << QList<int>{1, 18} << 18 << "square102";
    QTest::newRow("visited light") << QList<int>{1, 18, 35} << 18 << "square101";
}

void TestHighDpi::picturesAreSharp()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, square);
    QFETCH(QString, artwork);
    m_window->miNova_Click();
    for (int sq : clicks)
        m_window->obrPolicko_Click(sq);
    const QImage shot = m_window->square(square)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage sharp = QImage(QStringLiteral(":/pictures/%1@2x.png").arg(artwork)).convertToFormat(QImage::Format_RGB32);
    // The picture starts one logical pixel in: two device pixels. The square's border covers
    // its last columns and rows.
    QCOMPARE(shot.copy(2, 2, 76, 76), sharp.copy(0, 0, 76, 76));
}

void TestHighDpi::gaugeStrokesDouble()
{
    m_window->miNova_Click();
    m_window->obrPolicko_Click(1);
    const QImage shot = m_window->centralWidget()->grab().toImage();
    const QColor ink = m_window->palette().color(QPalette::WindowText);
    const int x = 2 * 530;
    // Stroke 0 covers logical rows 338..342: device rows 676..685, and nothing outside.
    QCOMPARE(shot.pixelColor(x, 676), ink);
    QCOMPARE(shot.pixelColor(x, 685), ink);
    QVERIFY(shot.pixelColor(x, 675) != ink);
    QVERIFY(shot.pixelColor(x, 686) != ink);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_highdpi.moc"
