#pragma once
// The windows were designed in "MS Sans Serif"; where it is missing the desktop's
// sans-serif face stands in at the same point size.

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace trevak {

QFont designFont(qreal pointSize, bool bold = false);

// Draws plain text in the design face at `pointSize`, scaling the application's font: every
// size of a font of its own costs a fontconfig match while the window opens, while a scaled
// size of an open font costs only its glyphs. `flags` may add Qt::TextWordWrap.
void drawDesignText(QPainter &painter, const QRect &rect, int flags, const QString &text, qreal pointSize);

}  // namespace trevak
