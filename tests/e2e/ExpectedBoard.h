#pragma once
// What the screen must show for a tour: the last square bears the knight, the earlier ones a
// black disc, the others their bare colour, and the gauge one stroke per filled square.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace e2e {

class ExpectedBoard {
public:
    explicit ExpectedBoard(const QList<int> &shownTour) : m_tour(shownTour) {}

    // Every difference between the screenshot and the expected picture, one per line;
    // empty when they agree.
    QString differences(const QImage &screen, QPoint clientOrigin) const;

private:
    QList<int> m_tour;
};

// The bytes of a saved game file for the tour: 64 lines, the square of each step or 0.
QByteArray savedGameBytes(const QList<int> &tour);

}  // namespace e2e
