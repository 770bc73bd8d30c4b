#include "storage/SavedGameWriter.h"

#include "storage/SavedGameFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace trevak {

namespace {

constexpr int kMaxFileNameBytes = 255;  // NAME_MAX of the usual Linux file systems
// QSaveFile writes "<name>.XXXXXX" beside the target before renaming it into place
// (always when a file is replaced), so the name must leave room for that suffix too.
constexpr int kTemporarySuffixBytes = 7;

// Only a saved game may be replaced; whatever else has the name is left as it is.
QString reasonNotToReplace(const QFileInfo &target)
{
    if (!target.exists())  // follows links
        return target.isSymLink() ? QStringLiteral("Pod tímto názvem je odkaz, který nikam nevede.")
                                  : QString();
    if (target.isDir())
        return QStringLiteral("Na místě souboru je složka se stejným názvem.");
    if (!target.isFile())
        return QStringLiteral("Pod tímto názvem je zařízení, roura nebo soket, ne soubor.");
    if (!target.isReadable())
        return QStringLiteral("Soubor tohoto názvu už existuje a nelze ho přečíst.");
    const SavedGameRead read = readSavedGameFile(target.filePath());
    if (!read.ok)
        return QStringLiteral("Soubor tohoto názvu už existuje a není to uložená partie.");
    if (read.textAfterGame)
        return QStringLiteral(
            "Soubor tohoto názvu už existuje a za uloženou partií obsahuje další text.");
    if (!target.isWritable())
        return QStringLiteral("Soubor je chráněn proti zápisu.");
    return {};
}

// Qt's own error texts are English; the checks below find the usual causes first so
// the user reads a Czech reason.
QString reasonNotToTry(const QString &path)
{
    const QFileInfo target(path);
    if (target.fileName().toUtf8().size() + kTemporarySuffixBytes > kMaxFileNameBytes)
        return QStringLiteral("Název partie je pro systém souborů příliš dlouhý.");
    const QFileInfo folder(target.absolutePath());
    const QString folderName = QDir::toNativeSeparators(folder.filePath());
    if (!folder.exists())
        return QStringLiteral("Složka %1 neexistuje.").arg(folderName);
    if (!folder.isDir())
        return QStringLiteral("%1 je soubor, ne složka.").arg(folderName);
    const QString reason = reasonNotToReplace(target);
    if (!reason.isEmpty())
        return reason;
    if (!folder.isWritable())
        return QStringLiteral("Do složky %1 nelze zapisovat.").arg(folderName);
    return {};
}

const QString &writeFailed()
{
    static const QString reason = QStringLiteral("Zápis se nezdařil, disk je možná plný.");
    return reason;
}

}  // namespace

QString writeSavedGameFile(const QString &path, const QByteArray &bytes)
{
    const QString reason = reasonNotToTry(path);
    if (!reason.isEmpty())
        return reason;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Soubor nelze vytvořit.");
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();  // discards the temporary file
        return writeFailed();
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::WriteError)
            return writeFailed();
        return QStringLiteral("Uložení se nepodařilo dokončit.");
    }
    return {};
}

}  // namespace trevak
