#include "app/Pictures.h"

#include <QGuiApplication>

namespace trevak {

QPixmap resourcePixmap(const QString &baseName, const char *suffix)
{
    const QString base = QLatin1String(":/pictures/") + baseName;
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp;
        if (sharp.load(base + QLatin1String("@2x") + QLatin1String(suffix))) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(base + QLatin1String(suffix));
}

QPixmap squarePicture(SquareMark mark, bool dark)
{
    // square101 visited on light, 102 knight on light, 103 visited on dark, 104 knight on dark.
    switch (mark) {
    case SquareMark::Empty:
        return {};
    case SquareMark::Visited:
        return resourcePixmap(dark ? QStringLiteral("square103") : QStringLiteral("square101"));
    case SquareMark::Knight:
        return resourcePixmap(dark ? QStringLiteral("square104") : QStringLiteral("square102"));
    }
    return {};
}

}  // namespace trevak
