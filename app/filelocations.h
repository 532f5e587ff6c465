// Where the program finds its files. A build folder or a portable copy keeps
// everything beside the executable; an installed copy finds its pictures, chart
// and report template in the installed data folder (share/tab97 beside bin/)
// and keeps the configuration in the user's configuration folder, because the
// program's own folder is not writable there.
#pragma once

#include <QString>

namespace tab97 {

// The folder of the pictures, "DiagrTS.bmp" and "zostava.pts": the program's
// folder when it holds the chart, else the installed data folder
// "<program>/../share/tab97/" when that exists, else the program's folder. With
// the trailing separator.
QString ResourceDirFor(const QString& programDir);

// The folder of "Tab97.cfg" and "SestDLL.ini": the program's folder when the
// program keeps its files there (not an installed copy, see ResourceDirFor) and
// it is writable (with its
// write bits: a folder installed read-only counts as such even for an
// administrator), else `userConfigDir` (created when the file is first written).
// With the trailing separator.
QString ConfigDirFor(const QString& programDir, const QString& userConfigDir);

// The user's configuration folder of the program (QStandardPaths'
// AppConfigLocation, "tab97" under XDG_CONFIG_HOME on Linux).
QString UserConfigDir();

}  // namespace tab97
