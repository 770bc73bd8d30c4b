// At twice the scale the window is laid out exactly doubled and the pictures are drawn from
// their 2x artwork, pixel for pixel.

#include "tests/support/OpenWindow.h"

class TestHighDpi : public QObject {
    Q_OBJECT
private slots:
    void doubled()
    {
        trevak::testing::OpenWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        // A1, B3, D4: 104 knight and 103 visited on dark squares, 102 and 101 on light ones.
        const std::pair<int, QList<QPair<int, int>>> steps[] = {{1, {{1, 104}}}, {18, {{1, 103}, {18, 102}}}, {35, {{18, 101}}}};
        for (const auto &[click, shown] : steps) {
            w.click(click);
            const QImage board = w.window->centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(board.size(), QSize(1122, 768));
            for (const auto &[square, picture] : shown) {
                // At twice its place, inside a two-pixel frame: the 2x artwork, in device pixels.
                QVERIFY(board.copy(QRect(2 * w.window->square(square)->pos() + QPoint(2, 2), QSize(78, 78)))
                        == QImage(QStringLiteral(":/pictures/square%1@2x.png").arg(picture)).convertToFormat(QImage::Format_RGB32).copy(0, 0, 78, 78));
                QCOMPARE(board.pixel(2 * w.window->square(square)->pos() + QPoint(80, 80)), qRgb(0, 0, 0));
            }
        }
    }
};

[[maybe_unused]] static const bool twiceTheScale = qputenv("QT_SCALE_FACTOR", "2");  // read as the application starts
QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
