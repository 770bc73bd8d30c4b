#include "app/GamesFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trevak {

namespace {

// The folder an environment variable names, when it is an absolute path other than the root.
QString absoluteFolderIn(const char *variable)
{
    const QString folder = QDir::cleanPath(QFile::decodeName(qgetenv(variable)));
    return QDir::isAbsolutePath(folder) && folder != QDir::rootPath() ? folder : QString();
}

// The user's data folder by the XDG base-directory rules: XDG_DATA_HOME when it is absolute
// (a relative one is ignored), else ~/.local/share. Without a home there is none. Worked out here
// because QStandardPaths takes a relative XDG_DATA_HOME as it is and, without HOME, the root:
// the games would land in whatever folder the program started from, or in /.local/share.
QString userDataFolder()
{
    if (const QString data = absoluteFolderIn("XDG_DATA_HOME"); !data.isEmpty())
        return data;
    if (const QString home = absoluteFolderIn("HOME"); !home.isEmpty())
        return home + QLatin1String("/.local/share");
    return {};
}

}  // namespace

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
        const QString data = userDataFolder();
        return data.isEmpty() ? QString() : data + QLatin1String("/Trevak");
    }
    return exeFolder;
}

}  // namespace trevak
