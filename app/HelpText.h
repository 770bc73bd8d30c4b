#pragma once
// The rules of the game as the Help item shows them: eight lines joined by carriage returns.

#include <QString>
#include <QStringList>

namespace trevak {

inline QString helpText()
{
    return QStringList{
        QStringLiteral("Účelem této hry je pomocí jezdce zaplnit"),
        QStringLiteral("postupně celou šachovnici. Na každé pole"),
        QStringLiteral("se smíte postavit pouze jednou. "),
        QStringLiteral("  "),
        QStringLiteral("Během hry si můžete uložit rozehranou partii kliknutím na tlačítko Uložit."),
        QStringLiteral("Pomocí tlačítka Zpět se můžete vracet na předešlé tahy a naopak"),
        QStringLiteral("při stisknutí tlačítka Vpřed se vrátíme na následující tah,"),
        QStringLiteral("který už byl zahrán."),
    }.join(QLatin1Char('\r'));
}

}  // namespace trevak
