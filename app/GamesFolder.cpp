#include "app/GamesFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace trevak {

QString savedGamesFolder()
{
    return savedGamesFolderFor(QCoreApplication::applicationDirPath(),
                               QStringLiteral(TREVAK_INSTALL_BINDIR));
}

QString savedGamesFolderFor(const QString &exeFolder, const QString &installedBinFolder)
{
    // An installed copy cannot write beside its binary; it keeps games in the user's data folder.
    const QString installed = QFileInfo(installedBinFolder).canonicalFilePath();
    if (!installed.isEmpty() && QFileInfo(exeFolder).canonicalFilePath() == installed) {
        // Cleaned: without HOME the data folder would start with a double slash.
        return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    return exeFolder;
}

}  // namespace trevak
