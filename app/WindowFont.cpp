#include "app/WindowFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QStringList>

namespace trevak {

namespace {

bool msSansSerifInstalled()
{
    // Asking for a family that is not installed sends Qt through fontconfig's fallback
    // lists for every font; asking only when it is there keeps start-up quick.
    static const bool installed
        = QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"));
    return installed;
}

// The font plain text of `pointSize` is scaled from: the application's own, which the menu
// bar has usually opened already.
QFont sharedFont(qreal pointSize)
{
    QFont font = QApplication::font();
    // A desktop may give its font in pixels, which says nothing about points.
    if (font.pointSizeF() <= 0)
        return windowFont(pointSize);
    if (msSansSerifInstalled())
        return windowFont(font.pointSizeF());
    // Fully resolved, so that the painter does not fill it in from the widget's own font.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

}  // namespace

QFont windowFont(qreal pointSize, bool bold)
{
    QFont font;
    if (msSansSerifInstalled())
        font.setFamilies({QStringLiteral("MS Sans Serif"), font.defaultFamily()});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawScaledText(QPainter &painter, const QRect &rect, int flags, const QString &text,
                    qreal pointSize)
{
    const QFont font = sharedFont(pointSize);
    const qreal scale = pointSize / font.pointSizeF();
    painter.save();
    painter.setFont(font);
    painter.scale(scale, scale);
    painter.drawText(
        QRectF(rect.x() / scale, rect.y() / scale, rect.width() / scale, rect.height() / scale),
        flags, text);
    painter.restore();
}

}  // namespace trevak
