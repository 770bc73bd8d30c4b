#include "app/FixedLabel.h"

#include <QLabel>

namespace trevak {

QLabel *placeLabel(QLabel *label, const QString &text, QRect geometry, const QFont &font)
{
    label->setText(text);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace trevak
