#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace settings {

// How the texts of a card set's file are written. Windows-1252 is the form every file had
// before names and words outside it were kept; UTF-8 holds every letter.
enum class TextEncoding { Windows1252, Utf8 };

// The mark a UTF-8 file may begin with.
inline constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF", 3);

struct DecidedEncoding {
    TextEncoding encoding = TextEncoding::Windows1252;
    qsizetype markSize = 0;  // bytes of a mark at the start, which hold no value
};

// How a file's bytes are to be read; `start` is the whole file or, when `more` is true, as
// much of its start as a reader takes. With the UTF-8 mark: UTF-8. Without it: UTF-8 when the
// bytes are valid UTF-8 and hold at least one multi-byte sequence (a text editor's re-save of
// the file), else Windows-1252. Plain ASCII reads the same either way. A sequence cut off at
// the end of a start that goes on does not count against it.
DecidedEncoding decideEncoding(QByteArrayView start, bool more = false);

QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// A whole file's bytes for its text: Windows-1252 when every character has a byte there and
// decideEncoding() takes those bytes back as Windows-1252, so that such a file stays as it
// always was; else UTF-8 behind the mark.
QByteArray encodeFileText(const QString& text);

} // namespace settings
