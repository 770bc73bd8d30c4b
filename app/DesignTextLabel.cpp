#include "app/DesignTextLabel.h"

#include "app/DesignFont.h"

#include <QPainter>

namespace trevak {

void DesignTextLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    drawDesignText(painter, contentsRect(), flags, text(), font().pointSizeF());
}

}  // namespace trevak
