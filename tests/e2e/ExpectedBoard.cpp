#include "ExpectedBoard.h"

#include "GameUnderTest.h"

#include <QColor>

namespace e2e {

namespace {

const QColor kDarkSquare(128, 64, 64);
const QColor kLightSquare(255, 255, 255);
const QColor kBlack(0, 0, 0);

QString squareName(int index)
{
    return QStringLiteral("%1%2").arg(QChar(u'A' + (index - 1) % 8)).arg((index - 1) / 8 + 1);
}

bool isDark(int index)
{
    return ((index - 1) % 8 + (index - 1) / 8) % 2 == 0;
}

// The knight's body is drawn in #FF2020; smoothing may shift it a little.
bool isKnightRed(QColor c)
{
    return c.red() >= 200 && c.green() <= 80 && c.blue() <= 80;
}

QString describe(QColor c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

}  // namespace

QString ExpectedBoard::differences(const QImage &screen, QPoint clientOrigin) const
{
    QStringList found;
    auto pixel = [&](QPoint inClient) { return QColor(screen.pixel(clientOrigin + inClient)); };

    for (int index = 1; index <= 64; ++index) {
        const QColor centre = pixel(squareCentreInClient(index));
        const qsizetype step = m_tour.indexOf(index);
        QString expected;
        bool ok = false;
        if (step < 0) {
            const QColor bare = isDark(index) ? kDarkSquare : kLightSquare;
            ok = centre == bare;
            expected = QStringLiteral("empty ") + describe(bare);
        } else if (step == m_tour.size() - 1) {
            ok = isKnightRed(centre);
            expected = QStringLiteral("the knight (red)");
        } else {
            ok = centre == kBlack;
            expected = QStringLiteral("a disc (black)");
        }
        if (!ok)
            found << QStringLiteral("%1: %2 expected, centre is %3").arg(squareName(index), expected, describe(centre));
    }

    for (int stroke = 0; stroke < 64; ++stroke) {
        const bool shown = stroke < m_tour.size();
        const QColor ink = pixel(strokeCentreInClient(stroke));
        if ((ink == kBlack) != shown)
            found << QStringLiteral("gauge stroke %1: %2 expected, is %3")
                         .arg(stroke)
                         .arg(shown ? QStringLiteral("black") : QStringLiteral("not black"), describe(ink));
    }
    return found.join(QLatin1Char('\n'));
}

QByteArray savedGameBytes(const QList<int> &tour)
{
    QByteArray bytes;
    for (int step = 0; step < 64; ++step)
        bytes += QByteArray::number(step < tour.size() ? tour[step] : 0) + "\r\n";
    return bytes;
}

}  // namespace e2e
