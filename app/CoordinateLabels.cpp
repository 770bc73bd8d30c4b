#include "app/CoordinateLabels.h"

#include "app/Twips.h"
#include "app/WindowFont.h"

#include <QPaintEvent>
#include <QPainter>

namespace trevak {

namespace {

constexpr qreal kCaptionPoints = 17.25;

std::array<CoordinateLabels::Caption, CoordinateLabels::kCount> makeCaptions()
{
    // The letters above the board were laid out in this order; each still sits over its file.
    static const char kTopLetters[] = "ABDFGHCE";
    // 0-7 left of the board, 8-15 right (rank 8 first), 16-23 below, 24-31 above.
    std::array<CoordinateLabels::Caption, CoordinateLabels::kCount> captions {};
    for (int k = 0; k < CoordinateLabels::kCount; ++k) {
        CoordinateLabels::Caption &caption = captions[k];
        if (k < 16) {
            const int rank = k % 8;
            caption.text = QChar(u'8' - rank);
            caption.rect = twipsRect(k < 8 ? -120 : 5280, 600 + 600 * rank, 375, 375);
            caption.alignment = (k < 8 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
        } else {
            const char letter = k < 24 ? char('A' + (k - 16)) : kTopLetters[k - 24];
            caption.text = QChar(QLatin1Char(letter));
            caption.rect = twipsRect(360 + 600 * (letter - 'A'), k < 24 ? 5280 : 0, 375, 375);
            caption.alignment = Qt::AlignRight | Qt::AlignTop;
        }
    }
    return captions;
}

QRect boundingRect()
{
    QRect bounds;
    for (const CoordinateLabels::Caption &caption : CoordinateLabels::captions())
        bounds |= caption.rect;
    return bounds;
}

}  // namespace

CoordinateLabels::CoordinateLabels(QWidget *parent) : QWidget(parent)
{
    setGeometry(boundingRect());
    setFont(windowFont(kCaptionPoints));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Označení řad 1 až 8 a sloupců A až H"));
}

const std::array<CoordinateLabels::Caption, CoordinateLabels::kCount> &CoordinateLabels::captions()
{
    static const auto captions = makeCaptions();
    return captions;
}

void CoordinateLabels::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Caption &caption : captions()) {
        const QRect rect = caption.rect.translated(-pos());
        if (event->rect().intersects(rect))
            drawScaledText(painter, rect, int(caption.alignment), QString(caption.text),
                           kCaptionPoints);
    }
}

}  // namespace trevak
