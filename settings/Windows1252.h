#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace settings {

// A card set's file in its Windows-1252 form holds one byte per character of that code page. All 256
// bytes decode; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the control characters of the same number, both ways.
QString decodeWindows1252(QByteArrayView bytes);

// Characters without a byte become '?' and set *ok to false.
QByteArray encodeWindows1252(const QString& text, bool* ok = nullptr);

// Whether the character may stand inside a text of the file in its Windows-1252 form, the
// form every reader of the file has always known: it has a Windows-1252 byte and is none of
// '"' (which would end the text), CR, LF (which would end the line) or NUL. What the file
// can hold at all is firstUnstorable()'s business (Storable.h).
bool canStore(QChar c);
bool canStore(const QString& text);

} // namespace settings
