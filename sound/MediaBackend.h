#pragma once

class QFile;
class QUrl;

namespace sound {

// Chooses Qt Multimedia's FFmpeg backend before its first use, unless the user has chosen one
// (QT_MEDIA_BACKEND). With Qt 6.4, Debian 12's, the GStreamer backend it would otherwise take
// stutters through short recordings when its sink follows the sound server's clock; the FFmpeg
// backend, the default of later Qt versions, plays them cleanly and decodes WAV, Ogg, MP3 and
// AAC with the FFmpeg libraries Qt Multimedia already depends on.
void chooseMediaBackend();

// The address the backend is to read an open recording by. That backend cannot open a path
// with letters outside ASCII (katt.wav plays, älg.wav does not), and leaks what it reads a
// QIODevice through, so it is given the file's descriptor's name in /proc, which is ASCII
// and stays valid while the file is open.
QUrl sourceOf(const QFile& open);

} // namespace sound
