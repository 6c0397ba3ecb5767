#pragma once

#include <QString>

namespace sound {

// Whether Qt Multimedia can decode the recording at `path`: an empty string if it can, or why
// not. Decodes only the start of the file. Runs an event loop of its own until the decoder has
// answered; a file it is silent about for two seconds, as it may be about a damaged one, cannot
// be played.
QString whyUnplayable(const QString& path);

// What is said of a recording that cannot be played, naming the file and why.
QString unplayableMessage(const QString& path, const QString& why);

} // namespace sound
