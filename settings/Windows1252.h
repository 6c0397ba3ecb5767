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

} // namespace settings
