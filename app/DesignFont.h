#pragma once
// The windows were designed in "MS Sans Serif"; where it is missing the desktop's
// sans-serif face stands in at the same point size.

#include <QFont>

namespace trevak {

inline QFont designFont(qreal pointSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), font.defaultFamily()});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace trevak
