#include "app/DesignTextLabel.h"

#include "app/DesignFont.h"

#include <QPainter>

namespace trevak {

void DesignTextLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    drawDesignText(painter, contentsRect(), alignment(), text(), font().pointSizeF());
}

}  // namespace trevak
