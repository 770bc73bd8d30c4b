#include "app/GaugeWidget.h"

#include "app/Twips.h"

#include <QPaintEvent>
#include <QPainter>

namespace trevak {

namespace {
constexpr int kStrokeWidth = 5;
constexpr int kLeft = px(7800);
constexpr int kRight = px(8175);
// The highest stroke's top edge and the lowest stroke's bottom edge bound the widget.
constexpr int kTop = 375 / 15 - kStrokeWidth / 2;
constexpr int kBottom = 5100 / 15 + kStrokeWidth / 2 + 1;
}  // namespace

GaugeWidget::GaugeWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Line1"));
    setGeometry(kLeft, kTop, kRight - kLeft, kBottom - kTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

int GaugeWidget::strokeY(int stroke)
{
    // Strokes 35 and 36 were laid on the same height: 64 strokes, 63 distinct heights above 0.
    const int twips = stroke <= 35 ? 5100 - 75 * stroke : 5100 - 75 * (stroke - 1);
    return px(twips);
}

QRect GaugeWidget::strokeRect(int stroke) const
{
    return QRect(0, strokeY(stroke) - kStrokeWidth / 2 - kTop, width(), kStrokeWidth);
}

void GaugeWidget::setVisibleStrokes(const std::array<bool, kStrokeCount> &visible)
{
    for (int i = 0; i < kStrokeCount; ++i) {
        if (m_visible[i] != visible[i]) {
            m_visible[i] = visible[i];
            update(strokeRect(i));
        }
    }
}

void GaugeWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (int i = 0; i < kStrokeCount; ++i) {
        const QRect stroke = strokeRect(i);
        if (m_visible[i] && event->rect().intersects(stroke))
            painter.fillRect(stroke, ink);
    }
}

}  // namespace trevak
