#pragma once
// The windows' text is "MS Sans Serif"; where that face is missing the desktop's
// sans-serif face stands in at the same point size.

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace trevak {

// The windows' face at `pointSize`.
QFont windowFont(qreal pointSize, bool bold = false);

// Draws plain text in the windows' face at `pointSize`, scaling the application's font: every
// size of a font of its own costs a fontconfig match while the window opens, while a scaled
// size of an open font costs only its glyphs. `flags` may add Qt::TextWordWrap.
void drawScaledText(QPainter &painter, const QRect &rect, int flags, const QString &text,
                    qreal pointSize);

}  // namespace trevak
