#include "app/ScaledTextLabel.h"

#include "app/WindowFont.h"

#include <QPainter>

namespace trevak {

void ScaledTextLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    drawScaledText(painter, contentsRect(), flags, text(), font().pointSizeF());
}

}  // namespace trevak
