#pragma once
// The windows were laid out in fixed boxes: a label shows its text from the top left of its box.

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;

namespace trevak {

// Gives `label` its text, box and font, and returns it.
QLabel *placeLabel(QLabel *label, const QString &text, QRect geometry, const QFont &font);

}  // namespace trevak
