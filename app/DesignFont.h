#pragma once
// The windows were designed in "MS Sans Serif"; where it is missing the desktop's
// sans-serif face stands in at the same point size.

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace trevak {

QFont designFont(qreal pointSize, bool bold = false);

// Draws plain text in the design face at `pointSize`, magnifying or reducing the side panel's
// 13.5-point font: every size of a font of its own costs a fontconfig match while the window
// opens, while a scaled size of an open font costs only its glyphs.
void drawDesignText(QPainter &painter, const QRect &rect, Qt::Alignment alignment, const QString &text,
                    qreal pointSize);

}  // namespace trevak
