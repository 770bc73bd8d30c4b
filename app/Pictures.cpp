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
    switch (mark) {
    case SquareMark::Empty:
        return {};
    case SquareMark::Visited:
        return resourcePixmap(dark ? QStringLiteral("disc-on-dark")
                                   : QStringLiteral("disc-on-light"));
    case SquareMark::Knight:
        return resourcePixmap(dark ? QStringLiteral("knight-on-dark")
                                   : QStringLiteral("knight-on-light"));
    }
    return {};
}

}  // namespace trevak
