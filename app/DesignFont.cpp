#include "app/DesignFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace trevak {

QFont designFont(qreal pointSize, bool bold)
{
    // Asking for a family that is not installed sends Qt through fontconfig's fallback
    // lists for every font; asking only when it is there keeps start-up quick.
    static const bool designFaceInstalled = QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"));
    QFont font;
    if (designFaceInstalled)
        font.setFamilies({QStringLiteral("MS Sans Serif"), font.defaultFamily()});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace trevak
