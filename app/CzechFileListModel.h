#pragma once
// The open dialog's list of files with its sizes, dates and folder type in Czech.

#include <QIdentityProxyModel>

namespace trevak {

// Stands between the open dialog and its file system model. The model writes sizes and dates in
// the system's language (QLocale::system(), not the program's Czech default) and takes the word
// "Folder" from a context Qt's Czech translation lacks; this model writes those three in Czech and
// passes everything else through.
class CzechFileListModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;
};

}  // namespace trevak
