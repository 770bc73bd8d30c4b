// A click repaints only what it changed: the squares whose picture changed, the labels whose
// text changed and the gauge strokes; never the whole window.

#include "app/FrmTrevak.h"
#include "app/SquareWidget.h"
#include "tests/support/ScriptedToolkit.h"

#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

using namespace trevak;

namespace {

class PaintRecorder : public QObject {
public:
    QList<QPair<QWidget *, QRegion>> painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.append({static_cast<QWidget *>(watched), static_cast<QPaintEvent *>(event)->region()});
        return false;
    }
    QSet<int> paintedSquares() const
    {
        QSet<int> squares;
        for (const auto &paint : painted) {
            if (auto *square = qobject_cast<SquareWidget *>(paint.first))
                squares.insert(square->index());
        }
        return squares;
    }
};

}  // namespace

class TestRepaint : public QObject {
    Q_OBJECT
private slots:
    void onlyChangesRepaint_data();
    void onlyChangesRepaint();
};

void TestRepaint::onlyChangesRepaint_data()
{
    QTest::addColumn<QList<int>>("setup");
    QTest::addColumn<int>("click");
    QTest::addColumn<QSet<int>>("squares");
    QTest::newRow("placement") << QList<int>{} << 1 << QSet<int>{1};
    QTest::newRow("move") << QList<int>{1} << 18 << QSet<int>{1, 18};
    QTest::newRow("refused") << QList<int>{1} << 2 << QSet<int>{};
    QTest::newRow("back") << QList<int>{1, 18} << -1 << QSet<int>{1, 18};
    QTest::newRow("forward") << QList<int>{1, 18, -1} << -2 << QSet<int>{1, 18};
}

void TestRepaint::onlyChangesRepaint()
{
    QFETCH(QList<int>, setup);
    QFETCH(int, click);
    QFETCH(QSet<int>, squares);
    testing::ScriptedToolkit toolkit;
    FrmTrevak window(toolkit);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto act = [&window](int what) {
        if (what > 0)
            QTest::mouseClick(window.square(what), Qt::LeftButton);
        else
            QTest::mouseClick(window.findChild<QPushButton *>(what == -1 ? QStringLiteral("CmdZpet") : QStringLiteral("CmdVpred")),
                              Qt::LeftButton);
    };
    for (int what : setup)
        act(what);
    QApplication::processEvents();

    PaintRecorder recorder;
    const QList<QWidget *> widgets = window.findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        widget->installEventFilter(&recorder);
    window.installEventFilter(&recorder);
    act(click);
    QApplication::processEvents();

    QCOMPARE(recorder.paintedSquares(), squares);
    const QRect client = window.centralWidget()->rect();
    // Behind the labels and the gauge the window paints its background, in small pieces.
    for (const auto &paint : recorder.painted) {
        if (paint.first != &window && paint.first != window.centralWidget())
            continue;
        int area = 0;
        for (const QRect &piece : paint.second)
            area += piece.width() * piece.height();
        QVERIFY2(area < client.width() * client.height() / 20,
                 qPrintable(QStringLiteral("%1 repainted %2 pixels").arg(paint.first->objectName()).arg(area)));
    }
}

QTEST_MAIN(TestRepaint)
#include "tst_repaint.moc"
