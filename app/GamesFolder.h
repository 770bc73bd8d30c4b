#pragma once
// Where saved games are kept and where the open dialog starts.

#include <QString>

namespace trevak {

// The folder for this run of the program.
QString savedGamesFolder();

// For a program run from `exeFolder`: beside it, unless that is the folder the program is
// installed to, where the user's data folder takes its place; empty when the user has no home.
// The folder may not exist yet.
QString savedGamesFolderFor(const QString &exeFolder, const QString &installedBinFolder);

}  // namespace trevak
