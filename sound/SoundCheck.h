#pragma once

#include <QString>

namespace sound {

// Whether Qt Multimedia can decode the recording at `path`: an empty string if it can, or why
// not, in Swedish, from the decoder. Decodes only the start of the file. Runs an event loop of
// its own until the decoder has answered, at most a few seconds.
QString whyUnplayable(const QString& path);

} // namespace sound
