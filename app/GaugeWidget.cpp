#include "app/GaugeWidget.h"

#include "app/Twips.h"
#include "game/Board.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace trevak {

namespace {
constexpr int kStrokeWidth = 5;
constexpr int kLeft = px(7800);
constexpr int kRight = px(8175);
// A 65th stroke above the 64 that can show bounds the widget at the top, as in the layout.
constexpr int kTop = px(375) - kStrokeWidth / 2;
constexpr int kBottom = px(5100) + kStrokeWidth / 2 + 1;
}  // namespace

GaugeWidget::GaugeWidget(QWidget *parent) : QWidget(parent)
{
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

void GaugeWidget::setVisibleStrokes(int count)
{
    const int from = std::min(count, m_visible);
    const int to = std::max(count, m_visible);
    m_visible = count;
    for (int i = from; i < to; ++i)
        update(strokeRect(i));
    if (from != to) {
        QAccessibleValueChangeEvent event(this, percentOf(count));
        QAccessible::updateAccessibility(&event);
    }
}

void GaugeWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (int i = 0; i < m_visible; ++i) {
        const QRect stroke = strokeRect(i);
        if (event->rect().intersects(stroke))
            painter.fillRect(stroke, ink);
    }
}

}  // namespace trevak
