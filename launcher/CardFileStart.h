#pragma once

#include <QString>

namespace launcher {

// Plays the set in a card file without keeping it: it is unpacked into a private folder,
// which is removed when the game ends; the user's card folder is not touched. Returns the
// game's exit status. Throws runtime::Error, having written nothing, when the file is refused
// or the game cannot be started.
int playCardFile(const QString& programPath, const QString& file, const QString& scale);

} // namespace launcher
