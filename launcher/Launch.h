#pragma once

#include <QString>

namespace launcher {

// The programs that kortvy-start starts; each lies in the same folder as kortvy-start.
bool isKnownProgram(const QString& name);

// The first card set as installed beside the programs, seen from their folder.
QString firstCardSetFrom(const QString& binDir);

// The folder that the running program lies in.
QString ownBinDir(const char* argv0);

// The user's home folder: $HOME, or the one in the user database when that is not set.
QString homeFolder();

// Makes sure the user's card folder is there, changes into it and replaces this process
// with the program, which gets no arguments. Returns only when that failed, with a
// complete Swedish message.
QString launch(const QString& program, const QString& binDir, const QString& home);

// How kortvy-start is used, in Swedish.
QString usage();

} // namespace launcher
