#include "app/DesignFont.h"

#include <QFontDatabase>
#include <QPainter>
#include <QStringList>

namespace trevak {

namespace {
constexpr qreal kSharedPoints = 13.5;
}  // namespace

QFont designFont(qreal pointSize, bool bold)
{
    // Asking for a family that is not installed sends Qt through fontconfig's fallback
    // lists for every font; asking only when it is there keeps start-up quick.
    static const bool designFaceInstalled = QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"));
    QFont font;
    if (designFaceInstalled)
        font.setFamilies({QStringLiteral("MS Sans Serif"), font.defaultFamily()});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawDesignText(QPainter &painter, const QRect &rect, Qt::Alignment alignment, const QString &text,
                    qreal pointSize)
{
    const qreal scale = pointSize / kSharedPoints;
    painter.save();
    painter.setFont(designFont(kSharedPoints));
    painter.scale(scale, scale);
    painter.drawText(QRectF(rect.x() / scale, rect.y() / scale, rect.width() / scale, rect.height() / scale),
                     int(alignment), text);
    painter.restore();
}

}  // namespace trevak
