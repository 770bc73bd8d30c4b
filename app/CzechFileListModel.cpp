#include "app/CzechFileListModel.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLocale>

namespace trevak {

namespace {

// The columns of QFileSystemModel.
enum Column {
    SizeColumn = 1,
    TypeColumn = 2,
    DateColumn = 3
};

// "193 B": a saved game's size is a few hundred bytes, and the word in Czech ("193 bajtů") would
// not fit the column Qt gives the size.
QString sizeText(qint64 bytes)
{
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    return bytes < 1024 ? czech.toString(bytes) + QStringLiteral(" B")
                        : czech.formattedDataSize(bytes);
}

}  // namespace

QVariant CzechFileListModel::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex file = mapToSource(index);
    switch (index.column()) {
    case SizeColumn:
        return files->isDir(file) ? QString() : sizeText(files->size(file));
    case TypeColumn:
        if (!files->isDir(file))
            break;  // the file type's own description, which follows the program's language
        return files->filePath(file) == QDir::rootPath() ? QStringLiteral("Disková jednotka")
                                                         : QStringLiteral("Složka");
    case DateColumn:
        return QLocale(QLocale::Czech, QLocale::Czechia)
            .toString(files->lastModified(file), QLocale::ShortFormat);
    }
    return QIdentityProxyModel::data(index, role);
}

}  // namespace trevak
